// The older layouts: their panels (220 x 352, close button only), their starting values, the
// stepper release reaching the crops, and the colour balance dialog's edits not reaching them.

#include <gtest/gtest.h>

#include "AdjustTestSupport.h"
#include "kit/Window.h"
#include "ui/adjust/OldStyleFRPixelValueView.h"
#include "ui/adjust/OldStyleFinalReviewDialog.h"
#include "ui/adjust/OldStyleHistogramDialog.h"
#include "ui/adjust/OldStyleThresholdDialog.h"
#include "ui/adjust/OldStyleToneCurveDialog.h"
#include "ui/adjust/OldStyleToneBCDialog.h"
#include "ui/controls/CTRLS_FinalChannelPopup.h"
#include "ui/controls/CTRLS_ThresholdInputTextF.h"
#include "ui/controls/NumberField.h"
#include "ui/controls/WindowTitleView.h"
#include "ui/controls/CTRLS_ToneBCChannelPopup.h"
#include "ui/controls/CTRLS_ToneBCInputTextF.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"

using namespace adjust_test;

namespace {

// An older scanner: no 1200 interface, but the flags that would make a newer panel resizable.
std::unique_ptr<Quirel_UIScannerInfo> olderScanner(int threshold = 72) {
  fnd::Dictionary d{{"Ver1200Later", false}, {"Ver1400Later", true}, {"Ver1900Later", false},
                    {"ThresholdValue", threshold}};
  return std::make_unique<Quirel_UIScannerInfo>(d);
}

void pressStepper(kit::Window& w, kit::View& stepper, bool up) {
  const fnd::Point c = centreOf(stepper);
  const fnd::Point at(c.x, up ? c.y + 5 : c.y - 5);
  post(w, kit::EventType::LeftMouseDown, at);
  post(w, kit::EventType::LeftMouseUp, at);
  dispatch();
}

void expectOlderPanel(Quirel_ImageDataProcessPanel& panel) {
  EXPECT_DOUBLE_EQ(panel.contentRectSize().width, 220);
  EXPECT_DOUBLE_EQ(panel.contentRectSize().height, 352);
  EXPECT_EQ(panel.styleMask(), kit::kTitledWindowMask | kit::kClosableWindowMask | kit::kUtilityWindowMask);
}

}  // namespace

TEST(OldStyleDialogs, TheThresholdOpensAt72ResetsToTheRecordAndAppliesASteppedValue) {
  TextsAnswer texts;
  CropList list = crops(2, {0, 1}, 0);
  for (auto& c : list) c->setThreshold(72);
  Quirel_CropInfo templateCrop;
  auto info = olderScanner(100);
  Quirel_OldStyleThresholdDialog dialog(&list, &templateCrop, info.get(), nullptr);
  dialog.createThresholdDialog(fnd::Size(220, 352));
  expectOlderPanel(*dialog.getWindow());
  EXPECT_EQ(dialog.input()->getStringValue(), "72");
  dialog.showWindow();

  Posts posts({"DialogValueChangePost", "remakeCropFromCorrectionDlgPost"});
  pressStepper(*dialog.getWindow(), *dialog.input()->getStepper(), true);
  EXPECT_EQ(list[0]->getThreshold(), 73);
  EXPECT_EQ(list[1]->getThreshold(), 73);
  EXPECT_EQ(posts.count("remakeCropFromCorrectionDlgPost"), 1u);

  dialog.resetButton()->performClick();
  EXPECT_EQ(dialog.input()->getStringValue(), "100");
  EXPECT_EQ(list[0]->getThreshold(), 100);
  dialog.getWindow()->orderOut();
}

TEST(OldStyleDialogs, BrightnessContrastKeepsToTheOlderNamesAndIgnoresTheColourBalance) {
  TextsAnswer texts;
  CropList list = crops(2, {0, 1}, 0);
  Quirel_CropInfo templateCrop;
  auto info = olderScanner();
  Quirel_OldStyleToneBCDialog dialog(&list, &templateCrop, info.get(), nullptr);
  dialog.createToneBCDialog(fnd::Size(220, 352));
  expectOlderPanel(*dialog.getWindow());
  dialog.setColorMode(3);
  dialog.updateToneBCDialog(&list, &templateCrop);
  ASSERT_EQ(dialog.channelPopup()->getPopupBT()->numberOfItems(), 4);
  EXPECT_EQ(dialog.channelPopup()->getPopupBT()->itemTitleAtIndex(1), "Red");
  dialog.showWindow();

  // A stepper release reaches the crops.
  pressStepper(*dialog.getWindow(), *dialog.row(Quirel_ToneBCDialog::kContrast)->getStepper(), true);
  EXPECT_EQ(list[0]->getToneBC().contrast.master, 1);
  EXPECT_EQ(list[1]->getToneBC().contrast.master, 1);

  // The colour balance dialog's edit states do not reach the older layout; the histogram's do.
  fnd::NotificationCenter& nc = fnd::NotificationCenter::defaultCenter();
  nc.post("COLOR_CHG_TO_DLG", this);
  EXPECT_TRUE(dialog.closeOK());
  EXPECT_FALSE(dialog.changeFlag(Quirel_FloatingDialog::Code::COLOR));
  Posts posts({"COLOR_MAKEKEY_FROM_TONEBC", "COLOR_VALUE_FIX_FROM_TONEBC", "HIST_MAKEKEY_FROM_TONEBC"});
  nc.post("COLOR_VALUE_FIX", this);
  dialog.getWindow()->performClose();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(posts.seen.empty());
  dialog.showWindow();
  nc.post("HIST_CHG_TO_DLG", this);
  EXPECT_FALSE(dialog.closeOK());
  dialog.getWindow()->performClose();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(posts.count("HIST_MAKEKEY_FROM_TONEBC"), 1u);
  // Folding keeps the popup at the top edge.
  const double popupTop = dialog.channelPopup()->getPopupBT()->frame().origin.y;
  dialog.changeButton()->performClick();
  EXPECT_DOUBLE_EQ(dialog.getWindow()->contentRectSize().height, 352 - Quirel_ToneBCDialog::kGraphAreaHeight);
  EXPECT_DOUBLE_EQ(dialog.channelPopup()->getPopupBT()->frame().origin.y, popupTop - Quirel_ToneBCDialog::kGraphAreaHeight);
  dialog.getWindow()->orderOut();
}

TEST(OldStyleDialogs, HistogramToneCurveAndFinalReviewKeepOutOfTheColourBalance) {
  TextsAnswer texts;
  CropList list = crops(1, {0}, 0);
  Quirel_CropInfo templateCrop;
  auto info = olderScanner();
  Quirel_OldStyleHistogramDialog hist(&list, &templateCrop, true, info.get(), nullptr);
  hist.createHistoDialog(fnd::Size(220, 352));
  Quirel_OldStyleToneCurveDialog curve(&list, &templateCrop, info.get(), nullptr);
  curve.createToneCurveDialog(fnd::Size(220, 352));
  Quirel_OldStyleFinalReviewDialog final(&list, &templateCrop, nullptr, info.get(), nullptr);
  final.createFinalReviewDialog(fnd::Size(220, 352));
  for (Quirel_FloatingDialog* d : std::initializer_list<Quirel_FloatingDialog*>{&hist, &curve, &final}) {
    expectOlderPanel(*d->getWindow());
    d->showWindow();
  }
  // The histogram opens at 0, 128, 255 and a grey point of 128 on every channel.
  using M = Quirel_HistogramDialog::Marker;
  EXPECT_EQ(hist.field(M::Black)->intValue(), 0);
  EXPECT_EQ(hist.field(M::Mid)->intValue(), 128);
  EXPECT_EQ(hist.field(M::White)->intValue(), 255);
  EXPECT_EQ(hist.grayPoint().blue, 128);
  // The tone-curve title lives in its own small view even on a scanner past 1400.
  ASSERT_NE(curve.windowTitleView(), nullptr);
  EXPECT_EQ(curve.windowTitleView()->getTitle()->stringValue(), curve.getWindow()->title());

  Posts posts({"COLOR_MAKEKEY_FROM_HIST", "COLOR_MAKEKEY_FROM_CURVE", "COLOR_MAKEKEY_FROM_FINAL",
               "COLOR_VALUE_FIX_FROM_HIST", "COLOR_VALUE_FIX_FROM_CURVE", "COLOR_VALUE_FIX_FROM_FINAL"});
  fnd::NotificationCenter& nc = fnd::NotificationCenter::defaultCenter();
  nc.post("COLOR_CHG_TO_DLG", this);
  for (Quirel_FloatingDialog* d : std::initializer_list<Quirel_FloatingDialog*>{&hist, &curve, &final})
    EXPECT_TRUE(d->closeOK());
  nc.post("COLOR_VALUE_FIX", this);
  for (Quirel_FloatingDialog* d : std::initializer_list<Quirel_FloatingDialog*>{&hist, &curve, &final}) {
    d->getWindow()->makeKeyAndOrderFront();
    d->getWindow()->performClose();
    EXPECT_FALSE(d->isVisible());
  }
  EXPECT_TRUE(posts.seen.empty()) << posts.seen.front();
  // The brightness and contrast dialog's edits do reach them.
  for (Quirel_FloatingDialog* d : std::initializer_list<Quirel_FloatingDialog*>{&hist, &curve, &final}) d->showWindow();
  nc.post("TONEBC_CHG_TO_DLG", this);
  for (Quirel_FloatingDialog* d : std::initializer_list<Quirel_FloatingDialog*>{&hist, &curve, &final})
    EXPECT_FALSE(d->closeOK());
  nc.post("CONTROL_SET_YES", this);
  for (Quirel_FloatingDialog* d : std::initializer_list<Quirel_FloatingDialog*>{&hist, &curve, &final})
    d->getWindow()->orderOut();
}

TEST(OldStyleDialogs, TheOlderFinalReviewSwapsReadoutsAndHasNoZoomView) {
  TextsAnswer texts;
  CropList list = crops(1, {0}, 0);
  Quirel_CropInfo templateCrop;
  auto info = olderScanner();
  Quirel_OldStyleFinalReviewDialog final(&list, &templateCrop, nullptr, info.get(), nullptr);
  final.createFinalReviewDialog(fnd::Size(220, 352));
  EXPECT_EQ(final.zoomView(), nullptr);
  ASSERT_NE(dynamic_cast<Quirel_OldStyleFRPixelValueView*>(final.colorReadout()), nullptr);
  final.setColorMode(3);
  EXPECT_TRUE(final.colorReadoutShown());
  EXPECT_FALSE(final.grayReadoutShown());
  final.setColorMode(1);
  EXPECT_TRUE(final.grayReadoutShown());
  EXPECT_FALSE(final.colorReadoutShown());
  EXPECT_EQ(final.channelPopup()->getPopupBT()->numberOfItems(), 1);
  final.setColorMode(3);
  EXPECT_EQ(final.channelPopup()->getPopupBT()->numberOfItems(), 4);

  const fnd::Dictionary px{{"RedValue", "1"},      {"GreenValue", "2"},      {"BlueValue", "3"},
                           {"AfterRedValue", "4"}, {"AfterGreenValue", "5"}, {"AfterBlueValue", "6"},
                           {"ZoomViewData", "ignored"}};
  final.pixelValueSet(&px);  // hidden: nothing
  EXPECT_EQ(final.readoutText(), "");
  final.updateToneCurve(&list, true, &templateCrop, nullptr);
  final.showWindow();
  final.pixelValueSet(&px);
  EXPECT_NE(final.readoutText().find("4"), std::string::npos);
  final.pixelValueSet(nullptr);
  EXPECT_EQ(final.readoutText(), "");
  final.getWindow()->orderOut();
}
