// Pictures of the colour balance, histogram (colour and gray) and final review dialogs,
// grabbed offscreen to adjust-*.png in the test's working folder, to be looked at: the graphs
// over a made-up preview's histogram, the markers, the zoom view and the pixel readouts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <vector>

#include "AdjustTestSupport.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/controls/CTRLS_FinalReviewGraph.h"
#include "ui/controls/CTRLS_HistogramGraph.h"
#include "ui/controls/ImageDataProcessPanel.h"

using namespace adjust_test;

namespace {

// A preview of w x h pixels whose levels rise across and vary down, for the histograms.
std::vector<std::uint8_t> galleryPreview(int w, int h) {
  std::vector<std::uint8_t> rgb;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int base = (x * 200) / w + (y % 7) * 6;
      rgb.insert(rgb.end(), {static_cast<std::uint8_t>(std::min(255, base + 30)), static_cast<std::uint8_t>(base),
                             static_cast<std::uint8_t>(std::max(0, base - 40 + (x % 5) * 9))});
    }
  return rgb;
}

void grabAdjustDialog(Quirel_ImageDataProcessPanel& panel, const char* name) {
  panel.orderFront();
  panel.contentView()->display();
  const std::string png = pngPath(name);
  EXPECT_TRUE(panel.grabToPng(png));
  std::cout << "gallery: " << png << "\n";
  panel.orderOut();
}

}  // namespace

TEST(AdjustGallery, ColorBalanceHistogramAndFinalReview) {
  TextsAnswer texts;
  CropList list = crops(2, {0}, 0);
  list[0]->setColorBalance(ColorBalanceValues{25, -40, 0, 60});
  HistogramValues h = list[0]->getHistogram();
  h.black.master = 20, h.mid.master = 120, h.white.master = 230;
  list[0]->setHistogram(h);
  Quirel_CropInfo templateCrop;
  auto info = scanner(true, true, true);

  Quirel_ColorBalanceDialog color(&list, &templateCrop, info.get(), nullptr);
  color.createColorBalanceDialog(fnd::Size(220, 400));
  color.updateColorBalanceDialog(&list, &templateCrop);
  grabAdjustDialog(*color.getWindow(), "adjust-colorbalance.png");

  Quirel_HistogramDialog hist(&list, &templateCrop, true, info.get(), nullptr);
  hist.createHistoDialog(fnd::Size(220, 400));
  hist.setColorMode(3);
  hist.updateHistDialog(&templateCrop, &list, true);
  const std::vector<std::uint8_t> preview = galleryPreview(120, 80);
  hist.graph()->getGraphView()->setImgData(120, 80, preview.data());
  hist.graph()->getGraphView()->getPreviewInfo(true);
  hist.getWindow()->orderFront();
  hist.onEnterBlackBtn();
  const fnd::Dictionary pick{{"RedValue", "120"}, {"GreenValue", "96"}, {"BlueValue", "64"}, {"GrayValue", "99"}};
  hist.pixelValueSet(&pick);
  grabAdjustDialog(*hist.getWindow(), "adjust-histogram.png");
  hist.setColorMode(1);
  hist.updateHistDialog(&templateCrop, &list, true);
  hist.graph()->getGraphView()->setImgData(120, 80, preview.data());
  hist.graph()->getGraphView()->getPreviewInfo(true);
  hist.getWindow()->orderFront();
  hist.onEnterBlackBtn();
  hist.pixelValueSet(&pick);
  grabAdjustDialog(*hist.getWindow(), "adjust-histogram-gray.png");

  Quirel_FinalReviewDialog final(&list, &templateCrop, nullptr, info.get(), nullptr);
  final.createFinalReviewDialog(fnd::Size(220, 400));
  final.setColorMode(3);
  final.updateToneCurve(&list, true, &templateCrop, nullptr);
  final.getWindow()->orderFront();
  final.graph()->getGraphView()->setImgData(120, 80, preview.data());
  final.graph()->getGraphView()->getPreviewInfo(true);
  const std::vector<std::uint8_t> zoom = galleryPreview(21, 21);
  fnd::Dictionary px{{"RedValue", "120"},     {"GreenValue", "96"},     {"BlueValue", "64"},
                     {"AfterRedValue", "132"}, {"AfterGreenValue", "104"}, {"AfterBlueValue", "70"}};
  px.set("ZoomViewData", fnd::Value::object(std::make_shared<kit::Image>(kit::Image::fromRGB(zoom.data(), 21, 21))));
  final.pixelValueSet(&px);
  grabAdjustDialog(*final.getWindow(), "adjust-finalreview.png");
}

TEST(AdjustGallery, OlderHistogramMarkers) {
  TextsAnswer texts;
  CropList list = crops(1, {0}, 0);
  Quirel_CropInfo templateCrop;
  auto info = scanner(true, false, false);
  Quirel_HistogramDialog hist(&list, &templateCrop, true, info.get(), nullptr);
  hist.createHistoDialog(fnd::Size(220, 400));
  hist.setColorMode(3);
  hist.updateHistDialog(&templateCrop, &list, true);
  grabAdjustDialog(*hist.getWindow(), "adjust-histogram-older.png");
}
