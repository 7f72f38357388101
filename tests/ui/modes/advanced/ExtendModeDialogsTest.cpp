// The advanced mode's floating dialogs: made once, opened from their buttons in a cascade,
// following the colour mode, saved and restored, and the histogram's eyedropper.

#include <gtest/gtest.h>

#include <typeinfo>

#include "ExtendModeWindowRig.h"
#include "foundation/NotificationCenter.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/adjust/OldStyleHistogramDialog.h"
#include "ui/adjust/OldStyleThresholdDialog.h"
#include "ui/adjust/OldStyleToneBCDialog.h"
#include "ui/adjust/ThresholdDialog.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/adjust/ToneCurveDialog.h"
#include "ui/controls/CTRLS_IconBezelCGButton.h"
#include "ui/controls/CTRLS_ThresholdButton.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/IconBezelCGButton.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/settings/InfoDialog.h"

namespace ext_dialogs_test {

using extend_rig::WindowRig;

const fnd::Dictionary kVer15{{"Ver1400Later", true}, {"Ver1500Later", true}};
const fnd::Dictionary kOlder{{"Ver1200Later", false}, {"Ver1300Later", false}, {"Ver1400Later", false}};

std::vector<Quirel_FloatingDialog*> sixDialogs(const Quirel_ExtendMode& m) {
  return {m.getColorBalanceDialog(), m.getToneBCDialog(),      m.getHistogramDialog(),
          m.getToneCurveDialog(),    m.getFinalReviewDialog(), m.getThresholdDialog()};
}

TEST(ExtendModeDialogs, MadeOnceWithTheOlderLayoutsBefore1200AndObservedOnce) {
  WindowRig rig(kOlder);
  auto& m = rig.mode;
  const auto first = sixDialogs(m);
  for (Quirel_FloatingDialog* d : first) ASSERT_NE(d, nullptr);
  EXPECT_NE(dynamic_cast<Quirel_OldStyleToneBCDialog*>(m.getToneBCDialog()), nullptr);
  EXPECT_NE(dynamic_cast<Quirel_OldStyleHistogramDialog*>(m.getHistogramDialog()), nullptr);
  EXPECT_NE(dynamic_cast<Quirel_OldStyleThresholdDialog*>(m.getThresholdDialog()), nullptr);
  EXPECT_EQ(m.modelessDialogSize(), fnd::Size(220, 352));
  EXPECT_EQ(m.getColorBalanceDialog()->getWindow()->contentRectSize().width, 220);
  // The information panel and six dialogs, listed once each, however often it runs.
  ASSERT_EQ(m.mDialogList.size(), 7u);
  m.mFavorite = 5;
  m.initModelessDialogs();
  EXPECT_EQ(sixDialogs(m), first);
  EXPECT_EQ(m.mDialogList.size(), 7u);
  // One value change reaches the mode once.
  fnd::NotificationCenter::defaultCenter().post(Quirel_FloatingDialog::kDialogValueChangePost,
                                                static_cast<const void*>(m.getHistogramDialog()));
  EXPECT_EQ(m.mFavorite, 0);
  int yes = 0;
  auto token = fnd::NotificationCenter::defaultCenter().observe("CONTROL_YES", nullptr,
                                                                 [&](const fnd::Notification&) { ++yes; });
  fnd::NotificationCenter::defaultCenter().post("CONTROL_YES", nullptr);
  EXPECT_EQ(yes, 1);
}

TEST(ExtendModeDialogs, SizeByGeneration) {
  WindowRig newer(fnd::Dictionary{{"Ver1300Later", true}, {"Ver1400Later", false}});
  EXPECT_EQ(newer.mode.modelessDialogSize(), fnd::Size(220, 400));
  EXPECT_EQ(typeid(*newer.mode.getToneBCDialog()), typeid(Quirel_ToneBCDialog));
  WindowRig v14(kVer15);
  // From 1400 on the widest title's minimum frame, never below 220.
  const fnd::Size s = v14.mode.modelessDialogSize();
  EXPECT_EQ(s.height, 400);
  EXPECT_GE(s.width, 220);
  for (const char* key : {"IDD_PAGE_TONE_CB_STR", "IDD_PAGE_TONE_FINAL_TH_STR"}) {
    const std::string title = extend_rig::rigStrings()->ls_localizedStringForKey(key, "UserInterface").value_or(key);
    const unsigned style = kit::kTitledWindowMask | kit::kClosableWindowMask | kit::kResizableWindowMask |
                           kit::kUtilityWindowMask;
    EXPECT_GE(s.width, kit::Window::minFrameWidthWithTitle(title, style)) << key;
  }
}

TEST(ExtendModeDialogs, ButtonsOpenInACascadeAndCloseKeepingTheHiddenFlag) {
  // Before 1400 every dialog is 220 wide.
  WindowRig rig(fnd::Dictionary{{"Ver1300Later", true}, {"Ver1400Later", false}});
  auto& m = rig.mode;
  rig.window().makeKeyAndOrderFront();
  // A 220-wide dialog of 400 points under a 22-point title bar.
  struct Row {
    kit::Control* button;
    Quirel_FloatingDialog* dialog;
    int step;
  };
  const std::vector<Row> rows = {{m.mColorBalanceBtn->getIconCGBT(), m.getColorBalanceDialog(), 1},
                                 {m.mContrastBtn->getIconCGBT(), m.getToneBCDialog(), 2},
                                 {m.mHistogramBtn->getIconCGBT(), m.getHistogramDialog(), 3},
                                 {m.mToneCurveBtn->getIconCGBT(), m.getToneCurveDialog(), 4},
                                 {m.mFinalReviewBtn->getIconCGBT(), m.getFinalReviewDialog(), 5},
                                 {m.mThresholdBtn->getIconBT(), m.getThresholdDialog(), 6}};
  for (const Row& r : rows) {
    const fnd::Rect f = r.dialog->getWindow()->frame();
    const double t = f.size.height - r.dialog->getWindow()->contentView()->frame().size.height;
    ASSERT_EQ(t, 22);
    r.button->setHidden(false);
    r.button->setEnabled(true);
    r.button->performClick();
    EXPECT_TRUE(r.dialog->isVisible()) << r.step;
    EXPECT_TRUE(r.dialog->hasOpened());
    const fnd::Rect placed = r.dialog->getWindow()->frame();
    EXPECT_EQ(placed.maxX(), 950 - 22 * r.step) << r.step;
    EXPECT_EQ(placed.maxY(), 938 - 22 * r.step) << r.step;
  }
  EXPECT_EQ(m.getColorBalanceDialog()->getWindow()->frame().origin, fnd::Point(708, 494));
  EXPECT_EQ(m.getThresholdDialog()->getWindow()->frame().origin, fnd::Point(598, 384));
  // A second click closes; a hidden flag set before stays set.
  m.getHistogramDialog()->setHidden(true);
  m.mHistogramBtn->getIconCGBT()->performClick();
  EXPECT_FALSE(m.getHistogramDialog()->isVisible());
  EXPECT_TRUE(m.getHistogramDialog()->isHidden());
  // Moved by the user, reopened where it was left.
  m.getHistogramDialog()->getWindow()->setFrameOrigin({40, 50});
  m.mHistogramBtn->getIconCGBT()->performClick();
  EXPECT_EQ(m.getHistogramDialog()->getWindow()->frame().origin, fnd::Point(40, 50));
  EXPECT_FALSE(m.getHistogramDialog()->isHidden());
  // The cascade is not kept on the screen: a main window far left puts dialogs off it.
  m.initModelessDialogs();
  rig.main->setDefaultRect(fnd::Rect(-900, 300, 850, 638));
  m.ntf_colorBalanceOpen({});
  EXPECT_LT(m.getColorBalanceDialog()->getWindow()->frame().origin.x, 0);
}

TEST(ExtendModeDialogs, ShowImageDialogsFollowsTheColourMode) {
  WindowRig rig(kVer15);
  auto& m = rig.mode;
  const auto all = sixDialogs(m);
  auto openAll = [&] {
    for (Quirel_FloatingDialog* d : all) {
      d->setHidden(false);
      if (!d->isVisible()) d->showWindow();
    }
  };
  auto visible = [&] {
    std::string s;
    for (Quirel_FloatingDialog* d : all) s += d->isVisible() ? '1' : '0';
    return s;
  };
  // Order: colour balance, brightness, histogram, curve, final review, threshold.
  struct Case {
    int colorMode;
    const char* after;
  };
  for (const Case& c : std::vector<Case>{{0, "000001"}, {1, "011110"}, {2, "011110"}, {3, "111110"},
                                         {4, "111110"}, {5, "111110"}, {6, "000000"}}) {
    openAll();
    m.showImageDialogs(c.colorMode);
    EXPECT_EQ(visible(), c.after) << c.colorMode;
  }
  // Mode 6 hid all six; 3 brings back all but the threshold dialog.
  m.showImageDialogs(3);
  EXPECT_EQ(visible(), "111110");
  // A hidden colour balance comes back on 3 to 5 only.
  m.showImageDialogs(1);
  EXPECT_TRUE(m.getColorBalanceDialog()->isHidden());
  m.showImageDialogs(2);
  EXPECT_FALSE(m.getColorBalanceDialog()->isVisible());
  m.showImageDialogs(5);
  EXPECT_TRUE(m.getColorBalanceDialog()->isVisible());
  // Colour matching closes the tone dialogs and colour balance without marking them hidden.
  m.getPreferenceInfo()->setColorSetting(4, 1);
  openAll();
  m.showImageDialogs(4);
  EXPECT_EQ(visible(), "000000");
  for (Quirel_FloatingDialog* d : all) {
    if (d != m.getThresholdDialog()) {
      EXPECT_FALSE(d->isHidden());
    }
  }
  m.getPreferenceInfo()->setColorSetting(4, 0);
  m.showImageDialogs(4);
  EXPECT_EQ(visible(), "000000");
  // The mode switch closes all, hiding (YES) or not (NO).
  openAll();
  m.closeModelessDialogs(true);
  EXPECT_EQ(visible(), "000000");
  m.showImageDialogs(3);
  EXPECT_EQ(visible(), "111110");
  m.closeModelessDialogs(false);
  m.showImageDialogs(3);
  EXPECT_EQ(visible(), "000000");
}

TEST(ExtendModeDialogs, StatesRoundTripAndComeBackOnTheScreen) {
  WindowRig rig(kVer15);
  auto& m = rig.mode;
  m.setDisplayManager(Quirel_DisplayManager(fnd::Rect(0, 0, 1920, 1080), fnd::Rect(0, 0, 1920, 1050)));
  m.ntf_histogramOpen({});
  m.getHistogramDialog()->setSelectChanel(2);
  m.getHistogramDialog()->getWindow()->setFrameOrigin({300, 200});
  m.getToneBCDialog()->setHasOpened(true);
  m.getToneBCDialog()->setOpend(true);
  m.getToneBCDialog()->setHidden(true);
  const fnd::Dictionary saved = m.getImageDialogStates();
  const fnd::Dictionary& hist = saved.dictionary("HistgramDialog");
  EXPECT_TRUE(hist.boolean("HasOpend"));
  EXPECT_TRUE(hist.boolean("IsVisible"));
  EXPECT_EQ(hist.intValue("Chanel"), 2);
  const double h = m.getHistogramDialog()->getWindow()->frame().size.height;
  EXPECT_EQ(hist.dictionary("Frame").real("y"), 1080 - 200 - h);
  EXPECT_FALSE(saved.dictionary("ColorBalanceDialog").contains("Chanel"));
  EXPECT_TRUE(saved.dictionary("ToneBCDialog").boolean("IsOpend"));

  m.initModelessDialogs();
  m.getHistogramDialog()->getWindow()->setFrameOrigin({0, 0});
  m.setImageDialogStates(saved);
  EXPECT_TRUE(m.getHistogramDialog()->hasOpened());
  EXPECT_TRUE(m.getHistogramDialog()->isHidden());  // it was on screen: the next show reopens it
  EXPECT_EQ(m.getHistogramDialog()->getSelectChanel(), 2);
  EXPECT_EQ(m.getHistogramDialog()->getWindow()->frame().origin, fnd::Point(300, 200));
  EXPECT_TRUE(m.getToneBCDialog()->isOpened());
  EXPECT_TRUE(m.getToneBCDialog()->isHidden());
  EXPECT_EQ(m.getToneBCDialog()->getContentState(), saved.dictionary("ToneBCDialog").intValue("ContentViewState"));
  m.showImageDialogs(3);
  EXPECT_TRUE(m.getHistogramDialog()->isVisible());

  // Saved off the right edge: back with its right edge on the main window's default right edge.
  fnd::Dictionary off = saved;
  fnd::Dictionary e = saved.dictionary("HistgramDialog");
  e.set("Frame", fnd::Value(fnd::Dictionary{{"x", fnd::Value(5000.0)}, {"y", fnd::Value(100.0)}}));
  off.set("HistgramDialog", fnd::Value(e));
  m.setImageDialogStates(off);
  EXPECT_EQ(m.getHistogramDialog()->getWindow()->frame().maxX(), 950);

  // An empty dictionary: nothing opened, channels 0, no window moved.
  m.getHistogramDialog()->getWindow()->setFrameOrigin({11, 12});
  m.setImageDialogStates({});
  for (Quirel_FloatingDialog* d : sixDialogs(m)) EXPECT_FALSE(d->hasOpened());
  EXPECT_EQ(m.getHistogramDialog()->getSelectChanel(), 0);
  EXPECT_EQ(m.getHistogramDialog()->getWindow()->frame().origin, fnd::Point(11, 12));
}

TEST(ExtendModeDialogs, EyedropperPostsSwitchTheToolAndDialogChangesClearTheChoices) {
  WindowRig rig(kVer15);
  auto& m = rig.mode;
  auto& center = fnd::NotificationCenter::defaultCenter();
  const void* hist = static_cast<const void*>(static_cast<Quirel_FloatingDialog*>(m.getHistogramDialog()));
  center.post(Quirel_HistogramDialog::kSpoitStartPost, hist);
  EXPECT_EQ(m.mToolMode, 3);
  EXPECT_EQ(m.mSpoitMode, m.getHistogramDialog()->getSpoitButtonState());
  center.post(Quirel_HistogramDialog::kSpoitStopPost, hist);
  EXPECT_EQ(m.mToolMode, 0);
  EXPECT_EQ(m.mSpoitMode, -1);
  // A stop with another tool leaves it.
  m.mToolMode = 1;
  center.post(Quirel_HistogramDialog::kSpoitStopPost, hist);
  EXPECT_EQ(m.mToolMode, 1);
  // Posts of another sender are not the histogram's.
  center.post(Quirel_HistogramDialog::kSpoitStartPost, &rig);
  EXPECT_EQ(m.mToolMode, 1);

  m.mFavorite = 4;
  m.mToneCurve = 2;
  center.post(Quirel_FloatingDialog::kDialogValueChangePost,
              static_cast<const void*>(static_cast<Quirel_FloatingDialog*>(m.getColorBalanceDialog())));
  EXPECT_EQ(m.mFavorite, 0);
  EXPECT_EQ(m.mToneCurve, 0);
  m.getHistogramDialog()->setSelectChanel(3);
  m.Quirel_ExtendMode::resetChanelImageDialogs();
  EXPECT_EQ(m.getHistogramDialog()->getSelectChanel(), 0);
}

}  // namespace ext_dialogs_test
