// The advanced mode's number fields typed through kit: the check at each keystroke, the commit
// before another control acts, and a named output size against the preview.

#include <gtest/gtest.h>

#include <cmath>

#include "ExtendModeWindowRig.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NumberField.h"
#include "ui/model/OutputSize.h"
#include "ui/model/Units.h"

namespace ext_fields_test {

using extend_rig::WindowRig;

// The page laid out with its fallback menus, the unit on centimetres and an input width of
// exactly 10 cm on the template crop.
struct FieldRig : WindowRig {
  explicit FieldRig(const fnd::Dictionary& scanner) : WindowRig(scanner) {
    const fnd::Dictionary entry;
    mode.setExtendItem(&entry, true);
    mode.setFrameExtendItem();
    for (int unit : {0, 1, 2}) mode.mUnitPopup->addPopupItemWithTitle("unit " + std::to_string(unit), unit);
    mode.mUnitPopup->selectAtRepresentedNumber(1);
    double a = cmToPixel(10.0, 300);
    while (pixelToCm(a, 300) < 10.0) a = std::nextafter(a, 1e9);
    mode.mTemplateCrop->setInputRect_Pixel96({{0, 0}, {a, a}});
    window().makeKeyAndOrderFront();
  }
  Quirel_NumberField& width() const { return *mode.mInSizeWTextF->getNumberTxtF(); }
  bool popupsTakePresses() const { return mode.mFavoritePopup->getPopupBT()->menuOnOff(); }
  void type(Quirel_NumberField& field, const std::string& text) {
    window().makeFirstResponder(&field);
    ASSERT_TRUE(field.replaceText(text)) << text;
  }
};

const fnd::Dictionary kBefore1300{{"Ver1300Later", false}, {"Ver1400Later", false}};

TEST(ExtendModeTextFields, ATypedSizeSwitchesTheControlsOnlyWhenItDiffersFromTheShownValue) {
  FieldRig rig(kBefore1300);
  modes_test::PostLog log({"MAIN_CHG_TO_DLG", "MAIN_FIX_TO_DLG"});
  rig.type(rig.width(), "10.00");
  EXPECT_TRUE(rig.popupsTakePresses());
  EXPECT_TRUE(rig.width().getFocus());
  rig.type(rig.width(), "10.01");
  EXPECT_FALSE(rig.popupsTakePresses());
  ASSERT_FALSE(log.names().empty());
  EXPECT_EQ(log.names().back(), "MAIN_CHG_TO_DLG");
  // Back to the shown value: usable again, and the dialogs are told.
  rig.type(rig.width(), "10");
  EXPECT_TRUE(rig.popupsTakePresses());
  EXPECT_EQ(log.names().back(), "MAIN_FIX_TO_DLG");
}

TEST(ExtendModeTextFields, MillimetresFrom1300) {
  FieldRig rig({{"Ver1300Later", true}, {"Ver1400Later", false}});
  rig.type(rig.width(), "100.0");
  EXPECT_TRUE(rig.popupsTakePresses());
  rig.type(rig.width(), "10.00");  // read as millimetres: not the shown 100.0
  EXPECT_FALSE(rig.popupsTakePresses());
}

TEST(ExtendModeTextFields, APressElsewhereCommitsFirstAndIsSwallowed) {
  FieldRig rig(kBefore1300);
  rig.type(rig.width(), "10.01");
  ASSERT_FALSE(rig.popupsTakePresses());
  modes_test::PostLog log({"CONTROL_YES", "MAIN_FIX_TO_DLG"});
  // The press on a pop-up reaches the commit first; the pop-up swallows it and re-arms all.
  kit::View& popup = *rig.mode.mFavoritePopup->getPopupBT();
  WindowRig::clickAt(popup);
  // The mode hears "CONTROL_YES" before the log does, and tells the dialogs inside it.
  EXPECT_EQ(log.names(), (std::vector<std::string>{"MAIN_FIX_TO_DLG", "CONTROL_YES"}));
  EXPECT_TRUE(rig.popupsTakePresses());
  // The pending number was not accepted: the field keeps the focus.
  EXPECT_EQ(rig.window().firstResponder(), &rig.width());
  // On another tab there is nothing to commit.
  rig.tabs.selectTabViewItemAtIndex(0);
  EXPECT_TRUE(rig.mode.checkAndEnterTextField());
}

TEST(ExtendModeTextFields, TheCommitAppliesAnEntryOnceThenAnswersYes) {
  FieldRig rig(kBefore1300);
  rig.mode.mTemplateCrop->setUnit(1);  // centimetres, as the pop-up shows
  const double before = rig.mode.mTemplateCrop->getInputWidth_Pixel96();
  rig.type(rig.width(), "12.00");
  ASSERT_FALSE(rig.popupsTakePresses());
  // The entry is applied (a frame of that width is made): the commit answers NO and the field
  // keeps the focus.
  EXPECT_FALSE(rig.mode.checkAndEnterTextField());
  ASSERT_EQ(rig.mode.mCropList.size(), 1u);
  EXPECT_GT(rig.mode.mCropList.front()->getInputWidth_Pixel96(), before);
  EXPECT_EQ(rig.window().firstResponder(), &rig.width());
  // The text now says what is shown: nothing pending, every control acts again.
  EXPECT_TRUE(rig.mode.checkAndEnterTextField());
  EXPECT_TRUE(rig.popupsTakePresses());
  EXPECT_TRUE(rig.width().getFocus());
}

TEST(ExtendModeTextFields, ResolutionBoundsWhileTyping) {
  FieldRig rig(kBefore1300);
  Quirel_NumberField& res = *rig.mode.mResComboBox->getNumberTxtF();
  struct Case {
    const char* text;
    bool valid;
  };
  for (const Case& c : {Case{"25", true}, Case{"19200", true}, Case{"24", false}, Case{"19201", false}}) {
    rig.type(res, c.text);
    EXPECT_EQ(res.getFocus(), c.valid) << c.text;
  }
  // The template's own resolution leaves the controls usable.
  rig.type(res, "300");
  EXPECT_TRUE(rig.popupsTakePresses());
  rig.type(res, "301");
  EXPECT_FALSE(rig.popupsTakePresses());
}

TEST(ExtendModeTextFields, OutputSizeAndMagnificationBoundsWhileTyping) {
  // A 10 x 10 cm input at 300 dpi allows 25 % to 6400 %: output sides of 2.5 cm to 640 cm.
  FieldRig rig(kBefore1300);
  Quirel_NumberField& outW = *rig.mode.mOutSizeWTextF->getNumberTxtF();
  Quirel_NumberField& outH = *rig.mode.mOutSizeHTextF->getNumberTxtF();
  Quirel_NumberField& mag = *rig.mode.mMagnification->getNumberTxtF();
  struct Case {
    Quirel_NumberField* field;
    const char* text;
    bool valid;
  };
  for (const Case& c : {Case{&outW, "3.00", true}, Case{&outW, "2.00", false}, Case{&outW, "600.00", true},
                        Case{&outW, "700.00", false}, Case{&outH, "3.00", true}, Case{&outH, "2.00", false},
                        Case{&outH, "700.00", false}, Case{&mag, "25", true}, Case{&mag, "24", false},
                        Case{&mag, "6400", true}, Case{&mag, "6401", false}}) {
    rig.type(*c.field, c.text);
    EXPECT_EQ(c.field->getFocus(), c.valid) << c.text;
    // Each differs from the shown value: the other controls wait for the commit.
    EXPECT_FALSE(rig.popupsTakePresses()) << c.text;
  }
  // A magnification typed back to the shown one lets them act again.
  rig.type(mag, "100");
  EXPECT_TRUE(mag.getFocus());
  EXPECT_TRUE(rig.popupsTakePresses());
}

TEST(ExtendModeTextFields, OutputSizeBelowTheMinimumIsTestedAtIt) {
  struct SizesMode : extend_test::TestExtendMode {
    using extend_test::TestExtendMode::TestExtendMode;
    using Quirel_BaseScanMode::mPrintArray;
  };
  SizesMode m({{"Ver1500Later", false}});
  m.setPlatenResolution(300);
  m.createOutputSizeObjects();
  const int k = 77;
  auto size = std::make_shared<Quirel_OutputSize>(k, 0, std::string("tiny"), 2);
  m.mPrintArray->push_back(size);
  size->setSize(2, 10, 20);  // 10 x 20 pixels: 48 x 96 at the minimum
  EXPECT_TRUE(m.checkOutputSizeInPreview(k, {100, 100}, 0, 0));
  EXPECT_FALSE(m.checkOutputSizeInPreview(k, {100, 90}, 0, 0));
  // Turned a quarter, the long side lies along the width.
  EXPECT_TRUE(m.checkOutputSizeInPreview(k, {100, 90}, 1, 0));
  // No size, or none named: fits.
  EXPECT_TRUE(m.checkOutputSizeInPreview(0, {1, 1}, 0, 0));
  EXPECT_TRUE(m.checkOutputSizeInPreview(-1, {1, 1}, 0, 0));
  EXPECT_TRUE(m.checkOutputSizeInPreview(9999, {1, 1}, 0, 0));
}

}  // namespace ext_fields_test
