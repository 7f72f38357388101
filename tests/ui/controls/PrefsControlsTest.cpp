// The preferences dialog's controls: tab order, the one-group colour radios, the gamma and
// lamp-off steppers, the pop-ups' fixed notifications and the paths cut in the middle.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "kit/Menu.h"
#include "ui/controls/CTRLS_PREFCalibrationPopup.h"
#include "ui/controls/CTRLS_PREFColorSettingRadio.h"
#include "ui/controls/CTRLS_PREFFileFormatPopup.h"
#include "ui/controls/CTRLS_PREFFileNameTextF.h"
#include "ui/controls/CTRLS_PREFFileNameTitle.h"
#include "ui/controls/CTRLS_PREFInputProfilePopup.h"
#include "ui/controls/CTRLS_PREFLampOffTimeTextF.h"
#include "ui/controls/CTRLS_PREFMonitorGammaTextF.h"
#include "ui/controls/CTRLS_PREFOutputProfilePopup.h"
#include "ui/controls/CTRLS_PREFQualityPopup.h"
#include "ui/controls/CTRLS_PREFSaveDirTextF.h"
#include "ui/controls/CTRLS_PREFTabView.h"
#include "ui/controls/CTRLS_PREFText.h"

using controls_test::PostRecorder;
using controls_test::TestWindow;

namespace {

std::vector<std::string> tabLabels(const Quirel_CTRLS_PREFTabView& tabs) {
  std::vector<std::string> labels;
  for (int i = 0; i < tabs.getTabView()->numberOfTabViewItems(); ++i)
    labels.push_back(tabs.getTabView()->tabViewItemAtIndex(i)->label());
  return labels;
}

}  // namespace

TEST(PrefTabs, PositionsGiveTheOrderAndLeaveTabsOut) {
  struct Case {
    std::vector<int> positions;
    std::vector<std::string> labels;
  };
  const std::vector<Case> cases = {
      {{0, 1, 2, 3}, {"Preview", "Scan", "ColorSetting", "Scanner"}},
      {{1, 0, 3, 2}, {"Scan", "Preview", "Scanner", "ColorSetting"}},
      {{0, -1, 1, 2}, {"Preview", "ColorSetting", "Scanner"}},
      {{1, 1, 0, 0}, {"ColorSetting", "Scanner", "Preview", "Scan"}},
      {{0, 1, 2, 3, 4}, {"Preview", "Scan", "ColorSetting", "Scanner", "Save"}},
      {{4, 3, 2, 1, 0}, {"Save", "Scanner", "ColorSetting", "Scan", "Preview"}},
      {{0, 1, 2, 3, 5}, {"Preview", "Scan", "ColorSetting", "Scanner"}},
  };
  for (const Case& c : cases) {
    Quirel_CTRLS_PREFTabView tabs(fnd::Rect(0, 0, 400, 300));
    const std::vector<int>& p = c.positions;
    if (p.size() == 4)
      tabs.setTabViewItemIndex(p[0], p[1], p[2], p[3]);
    else
      tabs.setTabViewItemIndex(p[0], p[1], p[2], p[3], p[4]);
    EXPECT_EQ(tabLabels(tabs), c.labels) << "case " << (&c - cases.data());
  }
}

TEST(PrefTabs, ContentViewsJoinTheirTabsAtTheEnd) {
  Quirel_CTRLS_PREFTabView tabs(fnd::Rect(0, 0, 400, 300));
  tabs.setTabViewItemIndex(0, 1, 2, 3);  // the save tab never joins
  tabs.setScanTabViewLabel("Scanning");
  kit::View control;
  kit::View saveControl;
  tabs.setScanTabViewItem(&control, fnd::Rect(10, 20, 100, 24));
  tabs.setSaveTabViewItem(&saveControl, fnd::Rect(1, 1, 1, 1));
  EXPECT_EQ(control.superview(), tabs.contentView(Quirel_CTRLS_PREFTabView::kScan));
  EXPECT_EQ(control.frame(), fnd::Rect(10, 20, 100, 24));
  EXPECT_EQ(tabs.tabItem(Quirel_CTRLS_PREFTabView::kScan)->view(), nullptr);
  tabs.endTabView();
  EXPECT_EQ(tabs.tabItem(Quirel_CTRLS_PREFTabView::kScan)->view(), tabs.contentView(Quirel_CTRLS_PREFTabView::kScan));
  EXPECT_EQ(tabLabels(tabs)[1], "Scanning");
  EXPECT_EQ(tabs.tabItem(Quirel_CTRLS_PREFTabView::kSave)->tabView(), nullptr);
  control.removeFromSuperview();
  saveControl.removeFromSuperview();
}

TEST(PrefColorSetting, ThreeMatricesActAsOneGroup) {
  TestWindow w;
  Quirel_CTRLS_PREFColorSettingRadio radio;
  EXPECT_EQ(radio.getRecommendRect(), fnd::Rect());
  EXPECT_EQ(radio.selectedItemIndex(), -1);
  radio.setRecommend("Recommended", 10, 200, 200, 20);
  radio.setColorSync("Color matching", 10, 170, 200, 20);
  radio.setNone("None", 10, 140, 200, 20);
  EXPECT_EQ(radio.selectedItemIndex(), -1) << "nothing selected at first";
  for (Quirel_NoFocusRadioButton* m : {radio.getRecommend(), radio.getColorSync(), radio.getNone()})
    w.window().contentView()->addSubview(m);
  PostRecorder rec({"PrefColorSettingChangePost"});
  w.click({30, 180});
  EXPECT_EQ(radio.selectedItemIndex(), 1);
  w.click({30, 210});
  EXPECT_EQ(radio.selectedItemIndex(), 0);
  EXPECT_EQ(radio.getColorSync()->selectedRow(), -1) << "the other is cleared";
  w.click({30, 210});
  EXPECT_EQ(radio.selectedItemIndex(), 0);
  EXPECT_EQ(rec.posts.size(), 3u) << "the selected one still posts";
  EXPECT_EQ(rec.senders.front(), &radio);
  radio.selectItemAtIndex(5);
  EXPECT_EQ(radio.selectedItemIndex(), 2);
  EXPECT_EQ(radio.getRecommend()->selectedRow(), -1);
  radio.setEnabled(7, false);
  EXPECT_FALSE(radio.getNone()->isEnabled());
  radio.setAllHidden(true);
  EXPECT_TRUE(radio.getColorSync()->isHidden());
  for (Quirel_NoFocusRadioButton* m : {radio.getRecommend(), radio.getColorSync(), radio.getNone()})
    m->removeFromSuperview();
}

TEST(PrefSteppers, GammaStepsByHundredthsAndLampOffByFour) {
  TestWindow w;
  Quirel_CTRLS_PREFMonitorGammaTextF gamma;
  Quirel_CTRLS_PREFLampOffTimeTextF lamp;
  w.window().contentView()->addSubview(gamma.getStepper());
  w.window().contentView()->addSubview(lamp.getStepper());
  gamma.setStepperRect(10, 10, 19, 27);
  lamp.setStepperRect(50, 10, 19, 27);
  gamma.getStepper()->setAutorepeat(false);
  lamp.getStepper()->setAutorepeat(false);
  PostRecorder rec({"PrefMonitorGanmaStepperPost", "PrefLampOffTimeStepperPost"});
  gamma.setDoubleValue(1.8);
  EXPECT_EQ(gamma.getStringValue(), "1.80");
  w.click({19, 33});
  EXPECT_EQ(gamma.getStringValue(), "1.81");
  w.click({19, 14});
  w.click({19, 14});
  EXPECT_EQ(gamma.getStringValue(), "1.79");
  gamma.setStringValue("9.99");
  w.click({19, 33});
  w.click({19, 33});
  EXPECT_EQ(gamma.getStringValue(), "10.00");
  gamma.setStringValue("0.11");
  w.click({19, 14});
  w.click({19, 14});
  EXPECT_EQ(gamma.getStringValue(), "0.10");
  gamma.setStringValue(nullptr);
  EXPECT_EQ(gamma.getStringValue(), "0.10");
  EXPECT_DOUBLE_EQ(gamma.getDoubleValue(), 0.1);

  lamp.setIntValue(8);
  w.click({59, 33});
  EXPECT_EQ(lamp.getIntValue(), 12);
  lamp.setIntValue(52);
  w.click({59, 33});
  w.click({59, 33});
  EXPECT_EQ(lamp.getIntValue(), 56);
  lamp.setIntValue(8);
  w.click({59, 14});
  w.click({59, 14});
  EXPECT_EQ(lamp.getIntValue(), 4);
  EXPECT_EQ(rec.posts.size(), 12u);
  EXPECT_EQ(rec.senders.back(), lamp.getStepper());
  lamp.setEnabled(false);
  EXPECT_EQ(lamp.getUnit()->textColor(), kit::Color::disabledControlText());
  EXPECT_EQ(lamp.getTitleF()->textColor(), kit::Color::disabledControlText());
  gamma.getStepper()->removeFromSuperview();
  lamp.getStepper()->removeFromSuperview();
}

TEST(PrefPopupsAndFields, FixedNotificationsAndGreyedCaptions) {
  PostRecorder rec({"PrefInputProfileChangePost", "PrefOutputProfileChangePost", "FileFormatChangePost",
                    "QualityChangePost", "PrefCalibrationChangePost", "PrefMonitorGanmaTextFPost",
                    "PrefLampOffTimeChangePost", "PrefSaveFileNameTextFPost"});
  Quirel_CTRLS_PREFInputProfilePopup in;
  Quirel_CTRLS_PREFOutputProfilePopup out;
  Quirel_CTRLS_PREFFileFormatPopup format;
  Quirel_CTRLS_PREFQualityPopup quality;
  auto calib = Quirel_CTRLS_PREFCalibrationPopup::initWithDefaultFontSize();
  std::vector<const void*> expected;
  for (Quirel_CTRLS_PREFPopup* p : std::vector<Quirel_CTRLS_PREFPopup*>{&in, &out, &format, &quality, calib.get()}) {
    p->addPopupItem("A");
    p->setPupupBTActionPostNtf("BasePost");
    kit::Menu::onNextPopUp([](kit::Menu&) { return 0; });
    p->getPopupBT()->performClick();
    expected.push_back(p->getPopupBT());
  }
  Quirel_CTRLS_PREFMonitorGammaTextF gamma;
  gamma.getNumberField()->sendAction();
  expected.push_back(gamma.getNumberField());
  Quirel_CTRLS_PREFLampOffTimeTextF lamp;
  lamp.getNumberField()->sendAction();
  expected.push_back(lamp.getNumberField());
  Quirel_CTRLS_PREFFileNameTextF name;
  name.getTitle()->sendAction();
  expected.push_back(name.getTitle());
  EXPECT_EQ(rec.senders, expected);
  EXPECT_EQ(rec.posts.front(), "PrefInputProfileChangePost");
  EXPECT_EQ(rec.posts.back(), "PrefSaveFileNameTextFPost");
  quality.setEnabled(false);
  EXPECT_EQ(quality.getTitleTxt()->textColor(), kit::Color::disabledControlText());
  EXPECT_FALSE(quality.isEnabled());
  quality.setEnabled(true);
  EXPECT_EQ(quality.getTitleTxt()->textColor(), kit::Color::controlText());
}

TEST(PrefPaths, LongPathsAreCutInTheMiddleAndCaptionsGrey) {
  Quirel_CTRLS_PREFSaveDirTextF dir;
  dir.setStringValue("/home/someone/Pictures/Scans/2026/December/very/long/folder");
  EXPECT_EQ(dir.getTextF()->lineBreakMode(), kit::LineBreakMode::TruncatingMiddle);
  EXPECT_EQ(dir.getStringValue(), "/home/someone/Pictures/Scans/2026/December/very/long/folder");
  EXPECT_FALSE(dir.getTextF()->isEditable());
  Quirel_CTRLS_PREFFileNameTitle title;
  title.setStringValue("IMG_0001.jpg");
  EXPECT_EQ(title.getTitle()->lineBreakMode(), kit::LineBreakMode::TruncatingMiddle);
  title.setText("Example", 1, 2, 100, 20);
  EXPECT_EQ(title.getTitle()->frame(), fnd::Rect(1, 2, 100, 20));
  Quirel_CTRLS_PREFText caption;
  EXPECT_EQ(caption.getTextRect(), fnd::Rect());
  caption.setText("Energy saving", 5, 5, 100, 20);
  caption.setEnabled(false);
  EXPECT_EQ(caption.getText()->textColor(), kit::Color::disabledControlText());
  EXPECT_TRUE(caption.getText()->isEnabled()) << "the colour only";
}
