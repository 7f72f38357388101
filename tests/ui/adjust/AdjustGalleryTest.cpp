// Pictures of the colour balance, histogram (colour and gray) and final review dialogs,
// grabbed offscreen to adjust-*.png in the test's working folder, to be looked at. The graph
// areas stay empty until the graph views exist.

#include <gtest/gtest.h>

#include <iostream>

#include "AdjustTestSupport.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/controls/ImageDataProcessPanel.h"

using namespace adjust_test;

namespace {

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
  grabAdjustDialog(*hist.getWindow(), "adjust-histogram.png");
  hist.setColorMode(1);
  hist.updateHistDialog(&templateCrop, &list, true);
  grabAdjustDialog(*hist.getWindow(), "adjust-histogram-gray.png");

  Quirel_FinalReviewDialog final(&list, &templateCrop, nullptr, info.get(), nullptr);
  final.createFinalReviewDialog(fnd::Size(220, 400));
  final.setColorMode(3);
  final.updateToneCurve(&list, true, &templateCrop, nullptr);
  final.getWindow()->orderFront();
  const fnd::Dictionary px{{"RedValue", "120"},     {"GreenValue", "96"},     {"BlueValue", "64"},
                           {"AfterRedValue", "132"}, {"AfterGreenValue", "104"}, {"AfterBlueValue", "70"}};
  final.pixelValueSet(&px);
  grabAdjustDialog(*final.getWindow(), "adjust-finalreview.png");
}
