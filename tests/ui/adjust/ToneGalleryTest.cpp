// Pictures of the brightness and contrast dialog (open and folded) and the threshold dialog over
// a made-up grey histogram, grabbed offscreen to tone-*.png in the test's working folder, to be
// looked at.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <vector>

#include "AdjustTestSupport.h"
#include "ui/adjust/OldStyleFinalReviewDialog.h"
#include "ui/adjust/OldStyleHistogramDialog.h"
#include "ui/adjust/OldStyleThresholdDialog.h"
#include "ui/adjust/OldStyleToneBCDialog.h"
#include "ui/adjust/OldStyleToneCurveDialog.h"
#include "ui/adjust/ThresholdDialog.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/adjust/ToneSettingDialog.h"
#include "ui/adjust/ToneSettingDlgWindow.h"
#include "foundation/Paths.h"
#include "ui/controls/ImageDataProcessPanel.h"

using namespace adjust_test;

namespace {

void grabToneDialog(Quirel_ImageDataProcessPanel& panel, const char* name) {
  panel.orderFront();
  panel.contentView()->display();
  const std::string png = pngPath(name);
  EXPECT_TRUE(panel.grabToPng(png));
  std::cout << "gallery: " << png << "\n";
  panel.orderOut();
}

}  // namespace

TEST(ToneGallery, BrightnessContrastAndThreshold) {
  TextsAnswer texts;
  for (bool v1500 : {true, false}) {
    CropList list = crops(2, {0}, 0);
    list[0]->setToneBC(ToneBCValues{{20, 60, -30, 0}, {40, -20, 0, 10}});
    list[0]->setThreshold(140);
    Quirel_CropInfo templateCrop;
    auto info = scanner(true, v1500, true);

    Quirel_ToneBCDialog bc(&list, &templateCrop, info.get(), nullptr);
    bc.createToneBCDialog(fnd::Size(220, 400));
    bc.setColorMode(3);
    bc.setSelectChanel(1);
    bc.updateToneBCDialog(&list, &templateCrop);
    grabToneDialog(*bc.getWindow(), v1500 ? "tone-bc-open.png" : "tone-bc-open-older.png");
    bc.setOpend(false);
    grabToneDialog(*bc.getWindow(), v1500 ? "tone-bc-folded.png" : "tone-bc-folded-older.png");

    // A before-correction image whose grey levels make two humps.
    const int w = 160, h = 100;
    std::uint8_t* rgb = static_cast<std::uint8_t*>(std::malloc(w * h * 3));
    for (int i = 0; i < w * h; ++i) {
      const int x = i % w;
      const int level = x < w / 2 ? 40 + (x * 7 + i / w) % 60 : 170 + (x * 5 + i / w) % 50;
      rgb[i * 3] = rgb[i * 3 + 1] = rgb[i * 3 + 2] = static_cast<std::uint8_t>(level);
    }
    list[0]->setcropCorRect(SRectDouble{{0, 0}, {double(w), double(h)}});
    list[0]->setcropBefData(CropImage(rgb));
    Quirel_ThresholdDialog th(&list, &templateCrop, info.get(), nullptr);
    th.createThresholdDialog(fnd::Size(220, 400));
    th.updateThresholdDialog(&list, true, &templateCrop);
    grabToneDialog(*th.getWindow(), v1500 ? "tone-threshold.png" : "tone-threshold-older.png");
  }
}

TEST(ToneGallery, ToneSettingsWithTwentyEntries) {
  TextsAnswer texts;
  const std::filesystem::path dir = std::filesystem::path(fnd::Paths::configDir()) / "tonegallery";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::vector<Quirel_ToneSetting> colour;
  for (int i = 0; i < 20; ++i)
    colour.emplace_back(1000 + i, i == 7 ? "Evening light over the harbour, warm" : "Tone " + std::to_string(i + 1), 3);
  ASSERT_TRUE(Quirel_ToneSetting::writeToFolder(dir.string(), {}, colour, {}, false));
  CropList list = crops(1, {0}, 0);
  Quirel_CropInfo templateCrop;
  auto info = scanner(true, true, true);
  Quirel_ToneSettingDialog dialog(&list, &templateCrop, dir.string() + "/", {"Custom Tone"}, info.get());
  dialog.setColorMode(3);
  dialog.createToneSetDialog();
  dialog.setInitSetting();
  dialog.showToneSetDialog();
  dialog.getWindow()->contentView()->display();
  const std::string png = pngPath("tone-settings.png");
  EXPECT_TRUE(dialog.getWindow()->grabToPng(png));
  std::cout << "gallery: " << png << "\n";
}

TEST(ToneGallery, OlderLayouts) {
  TextsAnswer texts;
  CropList list = crops(1, {0}, 0);
  list[0]->setToneBC(ToneBCValues{{30, 0, 0, 0}, {-20, 0, 0, 0}});
  list[0]->setThreshold(100);
  Quirel_CropInfo templateCrop;
  fnd::Dictionary d{{"Ver1200Later", false}};
  Quirel_UIScannerInfo info(d);
  const fnd::Size size(220, 352);

  Quirel_OldStyleThresholdDialog th(&list, &templateCrop, &info, nullptr);
  th.createThresholdDialog(size);
  grabToneDialog(*th.getWindow(), "tone-older-threshold.png");
  Quirel_OldStyleToneBCDialog bc(&list, &templateCrop, &info, nullptr);
  bc.createToneBCDialog(size);
  bc.setColorMode(3);
  bc.updateToneBCDialog(&list, &templateCrop);
  grabToneDialog(*bc.getWindow(), "tone-older-bc.png");
  Quirel_OldStyleToneCurveDialog curve(&list, &templateCrop, &info, nullptr);
  curve.createToneCurveDialog(size);
  grabToneDialog(*curve.getWindow(), "tone-older-curve.png");
  Quirel_OldStyleHistogramDialog hist(&list, &templateCrop, true, &info, nullptr);
  hist.createHistoDialog(size);
  hist.setColorMode(3);
  hist.updateHistDialog(&templateCrop, &list, true);
  grabToneDialog(*hist.getWindow(), "tone-older-histogram.png");
  Quirel_OldStyleFinalReviewDialog final(&list, &templateCrop, nullptr, &info, nullptr);
  final.createFinalReviewDialog(size);
  final.setColorMode(3);
  final.updateToneCurve(&list, true, &templateCrop, nullptr);
  final.getWindow()->orderFront();
  const fnd::Dictionary px{{"RedValue", "120"},     {"GreenValue", "96"},      {"BlueValue", "64"},
                           {"AfterRedValue", "132"}, {"AfterGreenValue", "104"}, {"AfterBlueValue", "70"}};
  final.pixelValueSet(&px);
  grabToneDialog(*final.getWindow(), "tone-older-finalreview.png");
}
