// The final review dialog: its channel menu per colour mode, what its graph is fed and in
// which order, the histogram data of the focused crop, the pixel readout, and that it stays
// still while hidden.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "AdjustTestSupport.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/controls/CTRLS_FinalChannelPopup.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusPopUpButton.h"

using namespace adjust_test;

namespace {

CropImage finalReviewPixels(std::size_t bytes) {
  auto* p = static_cast<std::uint8_t*>(std::malloc(bytes));
  std::memset(p, 100, bytes);
  return CropImage(p);
}

class FinalReview : public ::testing::Test {
 protected:
  void SetUp() override {
    list = crops(3, {0, 2}, 2);
    ToneBCValues bc{};
    bc.brightness.red = 5;
    bc.contrast.red = 6;
    list[2]->setToneBC(bc);
    HistogramValues h = list[2]->getHistogram();
    h.black.red = 7, h.mid.red = 130, h.white.red = 250, h.gray.red = 120;
    list[2]->setHistogram(h);
    ToneCurveValues curve{};
    curve.selectToneCurve.red = 2;
    curve.setPointCount[1] = 3;
    curve.setPoint[1][0] = TagPoint{64, 80};
    list[2]->setToneCurve(curve);
    info = scanner(true, true, false);
    dialog = std::make_unique<Quirel_FinalReviewDialog>(&list, &templateCrop, nullptr, info.get(), nullptr);
    dialog->setGraphView(std::make_unique<FinalGraphDouble>(graphLog));
    auto zoom = std::make_unique<ZoomDouble>(zoomLog);
    zoomView = &zoom->view();
    dialog->setZoomView(std::move(zoom));
    dialog->createFinalReviewDialog(fnd::Size(220, 400));
  }
  void TearDown() override { dialog->getWindow()->orderOut(); }

  TextsAnswer texts;
  CallLog graphLog, zoomLog;
  kit::View* zoomView = nullptr;
  CropList list;
  Quirel_CropInfo templateCrop;
  std::unique_ptr<Quirel_UIScannerInfo> info;
  std::unique_ptr<Quirel_FinalReviewDialog> dialog;
};

}  // namespace

TEST_F(FinalReview, TheChannelMenuFollowsTheColourMode) {
  dialog->setColorMode(3);
  EXPECT_EQ(dialog->channelPopup()->getPopupBT()->itemTitles(),
            (std::vector<std::string>{"Master", "Red", "Green", "Blue"}));
  EXPECT_TRUE(dialog->colorReadoutShown());
  EXPECT_FALSE(dialog->grayReadoutShown());
  dialog->setSelectChanel(2);
  dialog->setColorMode(4);
  EXPECT_EQ(dialog->getSelectChanel(), 2);  // a colour mode keeps the channel
  dialog->setColorMode(1);
  EXPECT_EQ(dialog->channelPopup()->getPopupBT()->itemTitles(), (std::vector<std::string>{"Gray"}));
  EXPECT_EQ(dialog->getSelectChanel(), 0);
  EXPECT_TRUE(dialog->grayReadoutShown());
  EXPECT_FALSE(dialog->colorReadoutShown());
  dialog->setColorMode(7);  // no such mode: an empty menu, the readouts as they were
  EXPECT_EQ(dialog->channelPopup()->getPopupBT()->numberOfItems(), 0);
  EXPECT_TRUE(dialog->grayReadoutShown());
}

TEST_F(FinalReview, TheCurveIsFedFromTheFocusedCropInItsOrder) {
  dialog->setColorMode(3);
  dialog->setSelectChanel(1);
  graphLog.calls.clear();
  dialog->updateToneCurve(&list, true, &templateCrop, nullptr);
  const std::vector<std::string> expected = {
      "setChannel 1",        "getPreviewInfo 1",     "setBrightness 5",     "setContrast 6",
      "setGrayPoint 120",    "setBlackPoint 7",      "setMidPoint 130",     "setWhitePoint 250",
      "setUserCurveCount 3", "setUserCurvePoint 64,80", "setToneSelectTable 2", "setMonitorGamma 1.000000"};
  EXPECT_EQ(graphLog.calls, expected);
  EXPECT_EQ(dialog->channelPopup()->selected(), 1);
}

TEST_F(FinalReview, TheHistogramComesFromTheFocusedCropAndOnlyWithAPreview) {
  list[0]->setcropCorRect(SRectDouble{{0, 0}, {4.7, 3.2}});
  list[0]->setcropCorData(finalReviewPixels(4 * 3 * 3));
  list[2]->setcropCorRect(SRectDouble{{0, 0}, {6, 5}});
  list[2]->setcropCorData(finalReviewPixels(6 * 5 * 3));
  dialog->setColorMode(3);
  graphLog.calls.clear();
  dialog->drawHistgram(&list, false, &templateCrop);
  EXPECT_TRUE(graphLog.calls.empty());  // without a preview the histogram is left
  dialog->drawHistgram(&list, true, &templateCrop);
  ASSERT_FALSE(graphLog.calls.empty());
  EXPECT_EQ(graphLog.calls.back(), "setImgData 6x5");  // the focused crop, last
  // The other selected crop's picture would only be counted to be replaced: it is not handed.
  EXPECT_EQ(std::count(graphLog.calls.begin(), graphLog.calls.end(), "setImgData 4x3"), 0);
  // Without data in the focused crop the last selected crop with data remains.
  list[2]->setcropCorData(CropImage());
  graphLog.calls.clear();
  dialog->drawHistgram(&list, true, &templateCrop);
  EXPECT_EQ(std::count_if(graphLog.calls.begin(), graphLog.calls.end(),
                          [](const std::string& c) { return c.rfind("setImgData", 0) == 0; }),
            1);
  EXPECT_NE(std::find(graphLog.calls.begin(), graphLog.calls.end(), "setImgData 4x3"), graphLog.calls.end());
}

TEST_F(FinalReview, WhileHiddenTheRefreshNamesChangeNothing) {
  dialog->setColorMode(3);
  dialog->updateToneCurve(&list, true, &templateCrop, nullptr);
  graphLog.calls.clear();
  for (const char* name : {"FINALREVIEW_UPDATE", "drawHistgram", "FINAL_REFLESH"})
    fnd::NotificationCenter::defaultCenter().post(name, this);
  EXPECT_TRUE(graphLog.calls.empty());
  dialog->showWindow();
  fnd::NotificationCenter::defaultCenter().post("FINALREVIEW_UPDATE", this);
  EXPECT_FALSE(graphLog.calls.empty());
}

TEST_F(FinalReview, ThePixelReadoutShowsBeforeAndAfterValues) {
  dialog->setColorMode(3);
  dialog->updateToneCurve(&list, true, &templateCrop, nullptr);
  dialog->showWindow();
  const fnd::Dictionary px{{"RedValue", "1"},      {"GreenValue", "2"},      {"BlueValue", "3"},
                           {"AfterRedValue", "4"}, {"AfterGreenValue", "5"}, {"AfterBlueValue", "6"}};
  dialog->pixelValueSet(&px);
  EXPECT_EQ(dialog->readoutText(), "Before\nR: 1  G: 2  B: 3\nAfter\nR: 4  G: 5  B: 6");
  EXPECT_TRUE(zoomView->isHidden());  // no zoom data here
  EXPECT_EQ(zoomLog.calls.back(), "setRGB 4,5,6");
  dialog->pixelValueSet(nullptr);
  EXPECT_EQ(dialog->readoutText(), "");
}
