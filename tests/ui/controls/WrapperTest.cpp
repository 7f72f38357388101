// The control wrappers: pop-up numbers, captions, enabling and hiding, the action
// notification, the rounded-down numbers and the scroll view's nesting.

#include <gtest/gtest.h>

#include <memory>

#include "ControlsTestSupport.h"
#include "ui/controls/CTRLS_Box.h"
#include "ui/controls/CTRLS_CheckBox.h"
#include "ui/controls/CTRLS_ColorPushButton.h"
#include "ui/controls/CTRLS_IconBezelButton.h"
#include "ui/controls/CTRLS_IconBezelCGButton.h"
#include "ui/controls/CTRLS_NumberTextField.h"
#include "ui/controls/CTRLS_PREFRadioButton.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/CTRLS_ScrollView.h"
#include "ui/controls/CTRLS_TextField.h"

using controls_test::PostRecorder;
using controls_test::TestWindow;

TEST(Wrappers, PopUpNumbersSkipDisabledItemsForSelectionButNotForExistence) {
  Quirel_CTRLS_PopupButton w;
  EXPECT_EQ(w.addPopupItemWithTitle("First", 7), 0);
  EXPECT_EQ(w.addPopupItemWithTitle("Second", 7), 1);
  EXPECT_EQ(w.addPopupItem("Plain"), 2);
  EXPECT_EQ(w.addSeparatorItem(), 3);
  w.getPopupBT()->itemAtIndex(0)->setEnabled(false);
  w.select(-1);
  EXPECT_EQ(w.getRepresentedNumber(), 0) << "no selection";
  w.selectAtRepresentedNumber(7);
  EXPECT_EQ(w.selected(), 1);
  EXPECT_EQ(w.getTitleAtAtRepresentedNumber(7), "Second");
  EXPECT_TRUE(w.isExistAtRepresentedNumber(7));
  EXPECT_EQ(w.getRepresentedNumber(), 7);
  w.getPopupBT()->itemAtIndex(1)->setEnabled(false);
  EXPECT_TRUE(w.isExistAtRepresentedNumber(7)) << "both disabled";
  EXPECT_EQ(w.getTitleAtAtRepresentedNumber(7), "");
  EXPECT_FALSE(w.isExistAtRepresentedNumber(8));
  w.selectAtRepresentedNumber(8);
  EXPECT_EQ(w.selected(), -1);
  EXPECT_EQ(w.getRepresentedNumberAtIndex(1), 7);
  EXPECT_EQ(w.getRepresentedNumberAtIndex(2), -1);
  EXPECT_EQ(w.getRepresentedNumberAtIndex(9), -1);
  w.select(2);
  EXPECT_EQ(w.getRepresentedNumber(), -1) << "selected item without a number";
  w.select(9);
  EXPECT_EQ(w.selected(), 2) << "past the end keeps the selection";
  w.select(-5);
  EXPECT_EQ(w.selected(), 2);
  EXPECT_FALSE(w.validateMenuItem(*w.getPopupBT()->itemAtIndex(1)));
  EXPECT_EQ(w.addPopupItem("First"), 3) << "a title already there moves to the end";
  w.removeAllPopupItems();
  EXPECT_EQ(w.getPopupBT()->numberOfItems(), 0);
}

TEST(Wrappers, ActionNotificationNamesTheHeldControlAndWaitsForAName) {
  PostRecorder rec({"PushPost", "CheckPost", "PopPost", "RadioPost", "CGPost"});
  Quirel_CTRLS_PushButton push;
  EXPECT_TRUE(push.getPushBT()->performClick());
  EXPECT_TRUE(rec.posts.empty()) << "nothing before a name is set";
  push.setPushBTActionPostNtf("PushPost");
  push.getPushBT()->performClick();
  Quirel_CTRLS_CheckBox check;
  check.setCheckBoxActionPostNtf("CheckPost");
  check.getCheckBox()->performClick();
  EXPECT_TRUE(check.isChecked());
  Quirel_CTRLS_PopupButton pop;
  pop.addPopupItem("A");
  pop.setPupupBTActionPostNtf("PopPost");
  kit::Menu::onNextPopUp([](kit::Menu&) { return 0; });
  pop.getPopupBT()->performClick();
  Quirel_CTRLS_PREFRadioButton radio;
  radio.addItem("a");
  radio.addItem("b");
  radio.setRadioBTActionPostNtf("RadioPost");
  radio.getRadioBT()->performClickOnCell(1, 0);
  EXPECT_EQ(radio.selectedItemIndex(), 1);
  Quirel_CTRLS_IconBezelCGButton cg;
  cg.setIconBezelCGBTActionPostNtf("CGPost");
  cg.getIconCGBT()->performClick();
  EXPECT_EQ(rec.posts, (std::vector<std::string>{"PushPost", "CheckPost", "PopPost", "RadioPost", "CGPost"}));
  EXPECT_EQ(rec.senders, (std::vector<const void*>{push.getPushBT(), check.getCheckBox(), pop.getPopupBT(),
                                                   radio.getRadioBT(), cg.getIconCGBT()}));
}

TEST(Wrappers, CheckBoxGreysItsSideLabelAndHidesAllItsPieces) {
  Quirel_CTRLS_CheckBox check;
  EXPECT_EQ(check.getCheckBoxRect(), fnd::Rect(10, 10, 30, 25));
  EXPECT_EQ(check.getCheckBox()->title(), "");
  check.setCheckBoxTitle("Side");
  EXPECT_EQ(check.getCheckBoxTitleTxt()->stringValue(), "Side");
  check.setEnabled(false);
  EXPECT_FALSE(check.isEnabled());
  EXPECT_EQ(check.getCheckBoxTitleTxt()->textColor(), kit::Color::disabledControlText());
  check.setEnabled(true);
  EXPECT_EQ(check.getCheckBoxTitleTxt()->textColor(), kit::Color::controlText());
  check.setHidden(true);
  EXPECT_TRUE(check.isHidden());
  EXPECT_TRUE(check.getCheckBoxTitleTxt()->isHidden());
  EXPECT_TRUE(check.getTitleTxt()->isHidden());
  check.setCheck(true);
  EXPECT_TRUE(check.isChecked());
  check.getCheckBox()->setState(kit::kMixedState);
  EXPECT_FALSE(check.isChecked()) << "only the on state counts";
  Quirel_CTRLS_CheckBox ms(Quirel_CTRLS_CheckBox::Variant::MS);
  EXPECT_EQ(ms.getCheckBox()->autoresizingMask(), kit::kViewMinYMargin);
  Quirel_CTRLS_CheckBox adv(Quirel_CTRLS_CheckBox::Variant::ADV);
  EXPECT_TRUE(adv.getCheckBox()->ignoresMultipleClicks());
  EXPECT_EQ(adv.getTitleTxt()->font().pointSize(), 13);
}

TEST(Wrappers, RoundDownCutsDecimalsWithoutLosingBinaryFractions) {
  Quirel_CTRLS_NumberTextField field;
  struct Case {
    double value;
    const char* format;
    bool roundDown;
    const char* shown;
  };
  for (const Case& c : {Case{0.999, "%.2f", true, "0.99"}, Case{2.96, "%.1f", true, "2.9"},
                        Case{0.29, "%.2f", true, "0.29"}, Case{0.57, "%.2f", true, "0.57"},
                        Case{1.1, "%.1f", true, "1.1"}, Case{2.96, "%.1f", false, "3.0"},
                        Case{2.96, "%.3f", true, "2.960"}, Case{0.999, "%.0f", true, "1"}}) {
    field.setRoundDownWhenDoubleValue(c.roundDown);
    EXPECT_EQ(field.stringWithDoubleValue(c.value, c.format), c.shown) << c.value << " " << c.format;
    field.setDoubleValue(c.format, c.value);
    EXPECT_EQ(field.getStringValue(), c.shown);
  }
}

TEST(Wrappers, NumberTextFieldFormatsAndImage) {
  Quirel_CTRLS_NumberTextField field;
  EXPECT_EQ(field.getNumberTxtFRect(), fnd::Rect(20, 70, 150, 25));
  field.setNumberFormatForInt(3);
  EXPECT_FALSE(field.getNumberTxtF()->replaceText("1.5"));
  EXPECT_TRUE(field.getNumberTxtF()->replaceText("123"));
  field.setNumberFormatForFloat(4);
  EXPECT_TRUE(field.getNumberTxtF()->replaceText("1.5"));
  EXPECT_FALSE(field.getNumberTxtF()->replaceText("-1"));
  EXPECT_FALSE(field.hasImage());
  field.setImage("NoSuchPicture", "quirel_r14");
  EXPECT_FALSE(field.hasImage());
  field.setImage("BtnDirection_off.tiff", "quirel_r14");
  EXPECT_TRUE(field.hasImage());
  EXPECT_TRUE(field.getImageView()->image().isValid());
}

TEST(Wrappers, ScrollViewNestsOnlyAfterEndScrollView) {
  Quirel_CTRLS_ScrollView sv(0, 0, 200, 100);
  EXPECT_FALSE(sv.getTableView()->hasHeader());
  EXPECT_EQ(sv.getTableView()->numberOfColumns(), 1);
  EXPECT_EQ(sv.getTableView()->tableColumnAtIndex(0)->identifier, "column1");
  sv.setTableViewRect(0, 0, 180, 300);
  EXPECT_EQ(sv.getTableViewRect(), fnd::Rect(0, 0, 180, 300));
  EXPECT_FALSE(sv.getTableView()->isDescendantOf(sv.getScrollView()));
  sv.endScrollView();
  EXPECT_TRUE(sv.getTableView()->isDescendantOf(sv.getScrollView()));
  EXPECT_EQ(sv.getScrollView()->documentView(), sv.getTableView());
  sv.setEditable(true);
  sv.setMaxWidth(150);
  EXPECT_TRUE(sv.getTableView()->tableColumnAtIndex(0)->editable);
  EXPECT_EQ(sv.getTableView()->tableColumnAtIndex(0)->maxWidth, 150);
  EXPECT_EQ(sv.getTableView()->focusRingType(), 2);
}

TEST(Wrappers, CaptionsFramesAndHiding) {
  Quirel_CTRLS_Box box;
  EXPECT_EQ(box.getBoxRect(), fnd::Rect(10, 10, 300, 200));
  EXPECT_EQ(box.getTitleTxt()->font(), kit::Font::boldSystemFont(13));
  kit::View inner(fnd::Rect(5, 5, 20, 20));
  box.setItem(&inner);
  EXPECT_EQ(inner.superview(), box.getBox());

  Quirel_CTRLS_TextField text;
  EXPECT_EQ(text.getTitleTxt(), nullptr);
  EXPECT_EQ(text.getTitleTxtRect(), fnd::Rect()) << "no caption: the zero rectangle";
  text.setStringValue("abc");
  text.setStringValue(static_cast<const char*>(nullptr));
  EXPECT_EQ(text.getStringValue(), "abc");
  text.setStringFormat(2);
  EXPECT_FALSE(text.getTextF()->replaceText("abc"));
  text.setEnabled(false);
  EXPECT_FALSE(text.getTextF()->isEnabled());

  Quirel_CTRLS_PopupButton pop(Quirel_CTRLS_PopupButton::Variant::MS);
  EXPECT_EQ(pop.getPopupBTRect(), fnd::Rect(10, 10, 10, 10));
  EXPECT_EQ(pop.getTitleTxt()->autoresizingMask(), kit::kViewMinYMargin);
  pop.setTitleTxtTitle("Mode");
  pop.setTitleTxtRect(1, 2, 3, 4);
  EXPECT_EQ(pop.getTitleTxtRect(), fnd::Rect(1, 2, 3, 4));
  pop.setHidden(true);
  EXPECT_TRUE(pop.isHidden());
  EXPECT_TRUE(pop.getTitleTxt()->isHidden());

  Quirel_CTRLS_PushButton push;
  EXPECT_TRUE(push.getPushBT()->ignoresMultipleClicks());
  EXPECT_EQ(push.getTitleTxt()->font().pointSize(), 13);
  Quirel_CTRLS_ColorPushButton color;
  color.setImage("PreviewButton_In", "PreviewButton_Out", "PreviewButton_Down", "", "quirel_r14");
  EXPECT_TRUE(color.getColorPushBT()->ignoresMultipleClicks());
  Quirel_CTRLS_IconBezelButton icon;
  icon.setIconBTImage("BtnDirection_on", "BtnDirection_off", "BtnDirection_d", "quirel_r14");
  EXPECT_TRUE(icon.getIconBT()->image().isValid());
  icon.setHidden(true);
  EXPECT_TRUE(icon.getTitleTxt()->isHidden());
  Quirel_CTRLS_IconBezelCGButton cg;
  cg.setColorMode(1);
  EXPECT_EQ(cg.getColorMode(), 1);
  EXPECT_EQ(cg.getTitleTxt(), nullptr);
}
