// The scan module's image stage on a 50-megapixel 8-bit RGB scan of the simulated platen: the
// device's rows alone, then the same rows with a user tone table, colour matching (a linear
// input profile to a 2.2 output profile) and a quarter turn. Prints the stage's added time per
// scan beside a memcpy of the same bytes, and the peak memory above the device's rows alone
// (the turn keeps the rows in a temporary file, not in memory). The save pipeline alone on a
// scan of this size is measured by trivolan_save_tiff_driver.
#include <lcms2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "scanmodule/ColourMatch.h"
#include "scanmodule/ImageStage.h"
#include "scanmodule/Scene.h"
#include "scanmodule/ToneTables.h"
#include "ui/model/SM_COMMON/ToneDic/ToneDic.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWidth = 8660;
constexpr int kHeight = 5800;  // 50.2 megapixels

std::string profile(const std::string& path, double gamma) {
  cmsCIExyY white;
  cmsWhitePointFromTemp(&white, 6504);
  const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
  cmsToneCurve* curve = cmsBuildGamma(nullptr, gamma);
  cmsToneCurve* curves[3] = {curve, curve, curve};
  cmsHPROFILE p = cmsCreateRGBProfile(&white, &primaries, curves);
  cmsSaveProfileToFile(p, path.c_str());
  cmsCloseProfile(p);
  cmsFreeToneCurve(curve);
  return path;
}

double run(velmor::ImageStage& stage) {
  std::vector<std::uint8_t> row(stage.rowBytes());
  const auto start = Clock::now();
  for (int r = 0; r < stage.rows(); ++r)
    if (!stage.produceRow(r, row.data())) std::fprintf(stderr, "stage failed at row %d\n", r);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main() {
  const std::string folder = benchsupport::scratchFolder("image-stage-bench");
  const std::string in = profile(folder + "/in.icc", 1.0), out = profile(folder + "/out.icc", 2.2);
  // A platen large enough for the area at 600 dpi.
  const velmor::Scene scene = velmor::Scene::platen(15.0, 10.0);
  velmor::RenderSpec render;
  render.resolution = 600;
  render.width = kWidth;
  render.height = kHeight;
  UserToneSetting tone;
  UIM_Neutral_UserToneSetting(&tone);
  tone.Brightness[0] = 170;
  tone.Contrast[0] = 150;
  const auto tables = velmor::ToneTables::fromSetting(tone, 1.0, false);

  std::vector<double> plain, staged, copies;
  double peakPlain = 0, peakStaged = 0;
  for (int round = 0; round < 3; ++round) {
    benchsupport::resetPeakMemory();
    velmor::ImageStage device(scene, render, nullptr);
    plain.push_back(run(device));
    peakPlain = std::max(peakPlain, benchsupport::peakMemoryMiB());

    benchsupport::resetPeakMemory();
    velmor::ImageStage stage(scene, render, tables, velmor::ImageStage::Orientation{1, false}, 100.0, nullptr,
                             velmor::ColourMatch::open(in, out, 8));
    staged.push_back(run(stage));
    peakStaged = std::max(peakStaged, benchsupport::peakMemoryMiB());

    std::vector<std::uint8_t> a(std::size_t(kWidth) * kHeight * 3, 1), b(a.size());
    const auto start = Clock::now();
    std::memcpy(b.data(), a.data(), a.size());
    copies.push_back(std::chrono::duration<double>(Clock::now() - start).count());
  }
  const double device = benchsupport::medianOf(plain), full = benchsupport::medianOf(staged);
  std::printf("image stage, %d x %d RGB (%.1f MP), median of %zu rounds\n", kWidth, kHeight,
              kWidth * double(kHeight) / 1e6, plain.size());
  std::printf("  device rows alone:                        %.3f s\n", device);
  std::printf("  with tone, colour matching, quarter turn: %.3f s\n", full);
  std::printf("  stage's added time:                       %.3f s\n", full - device);
  std::printf("  memcpy of the same %.0f MiB:               %.3f s\n", kWidth * double(kHeight) * 3 / 1048576,
              benchsupport::medianOf(copies));
  std::printf("  peak memory: device alone %.1f MiB, staged %.1f MiB (above: %.1f MiB)\n", peakPlain, peakStaged,
              peakStaged - peakPlain);
  std::string command = "rm -rf '" + folder + "'";
  return std::system(command.c_str()) == 0 ? 0 : 1;
}
