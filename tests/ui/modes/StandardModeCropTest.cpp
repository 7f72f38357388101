// The basic mode's crop updates: fixed and free sizes with the corner table, the smallest
// frame, resolution changes of pixel sizes, film magnification, direction and zero-size names.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "ModesTestSupport.h"
#include "ui/model/CropInfo.h"
#include "ui/model/OutputSize.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"

namespace {

class StdCropMode : public Quirel_StandardMode {
 public:
  using Quirel_StandardMode::mScanMode;
  explicit StdCropMode(const fnd::Dictionary& scanner = {}) {
    setScannerInfo(modes_test::scannerWith(scanner));
    setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>());
    setPlatenResolution(300);
    setPlatenRect_Pixel96({{0, 0}, {2550, 3508}});
    mPrintArray = OutputSizeList{};
    mDisplayArray = OutputSizeList{};
    mOcrArray = OutputSizeList{};
  }
  std::shared_ptr<Quirel_OutputSize> addNamed(int index, int unit, double w, double h, int destination = 0) {
    auto o = std::make_shared<Quirel_OutputSize>(index, destination, std::string("size"), unit);
    o->setSize(unit, w, h);
    mPrintArray->push_back(o);
    return o;
  }
  void removeNamed() { mPrintArray->clear(); }
};

Quirel_CropInfo& stdCropFrame(Quirel_CropInfo& crop, SRectDouble input, int rotation = 0, bool mirror = false) {
  crop.setVisiblePreviewSize_Pixel96({2550, 3508});
  crop.setInputRect_Pixel96(input);
  crop.setRotation(rotation);
  crop.setMirror(mirror);
  crop.setResolution(300);
  return crop;
}

std::string stdCropRectText(const SRectDouble& r) {
  return std::to_string(static_cast<int>(std::lround(r.origin.x))) + "," + std::to_string(static_cast<int>(std::lround(r.origin.y))) + " " +
         std::to_string(static_cast<int>(std::lround(r.size.width))) + "x" + std::to_string(static_cast<int>(std::lround(r.size.height)));
}

}  // namespace

TEST(StandardModeCrop, FixedSizeCornerTable) {
  struct Case {
    int rotation;
    bool mirror;
    double wideX, tallY;
  };
  // A square named size takes the largest square inside the old frame and keeps one corner:
  // in a wide frame (100, 200)-(2100, 1800) the corner shows in x, in a tall frame
  // (100, 200)-(1100, 3200) in y.
  const Case cases[] = {{0, false, 100, 2200}, {0, true, 500, 2200}, {1, false, 100, 200}, {1, true, 500, 200},
                        {2, false, 500, 200},  {2, true, 100, 200},  {3, false, 500, 2200}, {3, true, 100, 2200}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "rotation " << c.rotation << " mirror " << c.mirror);
    StdCropMode mode;
    auto o = mode.addNamed(30, 0, 2, 2);
    Quirel_CropInfo wide;
    stdCropFrame(wide, {{100, 200}, {2000, 1600}}, c.rotation, c.mirror);
    mode.changeToFixedSize(*o, wide);
    EXPECT_EQ(stdCropRectText(wide.getInputRect_Pixel96()), stdCropRectText({{c.wideX, 200}, {1600, 1600}}));
    EXPECT_EQ(wide.getOutputSize(), 30);
    EXPECT_TRUE(wide.isFixesRatio());
    EXPECT_EQ(wide.getMagnification(), 37);  // 100 x 600 / 1600, cut
    Quirel_CropInfo tall;
    stdCropFrame(tall, {{100, 200}, {1000, 3000}}, c.rotation, c.mirror);
    mode.changeToFixedSize(*o, tall);
    EXPECT_EQ(stdCropRectText(tall.getInputRect_Pixel96()), stdCropRectText({{100, c.tallY}, {1000, 1000}}));
  }
}

TEST(StandardModeCrop, FixedSizeTurnFitAndSmallestFrame) {
  StdCropMode mode;
  // 4 x 6 inches with rotation 1: a 6 x 4 frame.
  auto portrait = mode.addNamed(31, 0, 4, 6);
  Quirel_CropInfo turned;
  stdCropFrame(turned, {{0, 0}, {0, 0}}, 1);
  mode.changeToFixedSize(*portrait, turned);
  EXPECT_DOUBLE_EQ(turned.getInputWidth_Pixel96(), 1800);
  EXPECT_DOUBLE_EQ(turned.getInputHeight_Pixel96(), 1200);
  // Larger than the preview: fitted with its proportion.
  auto large = mode.addNamed(32, 0, 20, 10);
  Quirel_CropInfo big;
  stdCropFrame(big, {{0, 0}, {0, 0}});
  mode.changeToFixedSize(*large, big);
  EXPECT_DOUBLE_EQ(big.getInputWidth_Pixel96(), 2550);
  EXPECT_DOUBLE_EQ(big.getInputHeight_Pixel96(), 1275);
  // Very thin: the width rule, then the height rule.
  auto thin = mode.addNamed(33, 2, 10, 1000);
  Quirel_CropInfo slim;
  stdCropFrame(slim, {{0, 0}, {0, 0}});
  mode.changeToFixedSize(*thin, slim);
  EXPECT_DOUBLE_EQ(slim.getInputWidth_Pixel96(), 48);
  // The width rule keeps the proportion: 48 x 4800, taller than the preview.
  EXPECT_DOUBLE_EQ(slim.getInputHeight_Pixel96(), 4800);
  // A wide, flat size: the height rule gives a 48-high frame.
  auto flat = mode.addNamed(35, 2, 1000, 10);
  Quirel_CropInfo low;
  stdCropFrame(low, {{0, 0}, {0, 0}});
  mode.changeToFixedSize(*flat, low);
  EXPECT_DOUBLE_EQ(low.getInputHeight_Pixel96(), 48);
  EXPECT_DOUBLE_EQ(low.getInputWidth_Pixel96(), 4800);
  // Through the output-size change such a size does not fit the preview: a free-size crop.
  EXPECT_FALSE(mode.checkOutputSizeInPreview(33, 2550, 3508, 0, 0));
  EXPECT_TRUE(mode.checkOutputSizeInPreview(31, 2550, 3508, 0, 0));
  Quirel_CropInfo viaMenu;
  stdCropFrame(viaMenu, {{10, 10}, {500, 500}});
  mode.updateCropByOutputSize(33, viaMenu, false);
  EXPECT_EQ(viaMenu.getOutputSize(), 0);
}

TEST(StandardModeCrop, PixelSizeAtDoubleResolutionHalvesOutputAndMagnification) {
  StdCropMode mode;
  auto o = mode.addNamed(34, 2, 600, 400);
  Quirel_CropInfo crop;
  stdCropFrame(crop, {{0, 0}, {1200, 800}});
  mode.changeToFixedSize(*o, crop);
  const SSizeDouble before = crop.getOutputSize_Pixel96();
  const int magnification = crop.getMagnification();
  mode.updateCropByResolusion(600, crop);
  EXPECT_DOUBLE_EQ(crop.getOutputSize_Pixel96().width, before.width / 2);
  EXPECT_DOUBLE_EQ(crop.getOutputSize_Pixel96().height, before.height / 2);
  EXPECT_EQ(crop.getMagnification(), magnification / 2);
}

TEST(StandardModeCrop, FilmMagnificationBeforeVersion14) {
  StdCropMode mode;
  mode.mScanMode = 2;
  mode.setDefaultUserLocaleUnits({1, 10, 3});
  // Print size entry 3 is 127 x 89 mm; make the frame so that the larger ratio is easy to read.
  const SSizeDouble print = mode.getPaperSizeWH_Pixel96(3);
  Quirel_CropInfo crop;
  // A portrait 100 x 150 frame: the short print side over its width, the long one over its height.
  stdCropFrame(crop, {{0, 0}, {100, 150}});
  crop.setOutputSize(0);
  mode.updateCropByMagnification(crop);
  const int expected = std::max(static_cast<int>(100 * std::min(print.width, print.height) / 100),
                                static_cast<int>(100 * std::max(print.width, print.height) / 150));
  EXPECT_EQ(crop.getMagnification(), expected);
  EXPECT_DOUBLE_EQ(crop.getOutputWidth_Pixel96(), expected);
  // A named size keeps its magnification.
  crop.setOutputSize(5);
  crop.setMagnification(77);
  mode.updateCropByMagnification(crop);
  EXPECT_EQ(crop.getMagnification(), 77);
  crop.setOutputSize(0);
  StdCropMode newer({{"Ver1400Later", true}});
  newer.mScanMode = 2;
  newer.updateCropByMagnification(crop);
  EXPECT_EQ(crop.getMagnification(), 100);
}

TEST(StandardModeCrop, DirectionTurnFittedAtThePreviewEdges) {
  StdCropMode mode;
  Quirel_CropInfo crop;
  stdCropFrame(crop, {{100, 300}, {600, 400}});
  crop.setOutputSize_Pixel96({600, 400});
  mode.updateCropByDirection(crop);
  EXPECT_EQ(stdCropRectText(crop.getInputRect_Pixel96()), "100,100 400x600");
  EXPECT_DOUBLE_EQ(crop.getOutputWidth_Pixel96(), 400);
  // A wide frame that would not fit when turned: fitted, at x 0.
  Quirel_CropInfo wide;
  stdCropFrame(wide, {{200, 0}, {2550, 2600}});
  mode.updateCropByDirection(wide);
  EXPECT_EQ(wide.getInputX_Pixel96(), 0);
  EXPECT_LE(wide.getInputWidth_Pixel96(), 2550);
  EXPECT_LE(wide.getInputHeight_Pixel96(), 3508);
}

TEST(StandardModeCrop, DeletedOrZeroSizeNamedSizeGivesFreeSize) {
  for (const char* what : {"deleted", "zero width", "negative height"}) {
    SCOPED_TRACE(what);
    StdCropMode mode;
    if (std::string(what) == "zero width") mode.addNamed(40, 1, 0, 10);
    if (std::string(what) == "negative height") mode.addNamed(40, 2, 100, -5);
    Quirel_CropInfo crop;
    stdCropFrame(crop, {{10, 20}, {900, 600}});
    crop.setOutputSize(40);
    mode.updateCropByOutputSize(40, crop, false);
    EXPECT_EQ(crop.getOutputSize(), 0);
    EXPECT_FALSE(crop.isFixesRatio());
    EXPECT_EQ(stdCropRectText(crop.getInputRect_Pixel96()), "10,20 900x600");
    EXPECT_TRUE(std::isfinite(crop.getOutputSize_Pixel96().width));
    if (auto o = mode.getOutputSizeObject(40)) {
      mode.changeToFixedSize(*o, crop);
      EXPECT_EQ(crop.getOutputSize(), 0);
      EXPECT_TRUE(std::isfinite(crop.getInputWidth_Pixel96()));
    }
  }
  // A new destination always ends as a free size; the same one changes nothing.
  StdCropMode mode;
  mode.addNamed(41, 0, 2, 2);
  Quirel_CropInfo crop;
  stdCropFrame(crop, {{0, 0}, {1200, 1200}});
  mode.updateCropByOutputSize(41, crop, false);
  EXPECT_EQ(crop.getOutputSize(), 41);
  mode.updateCropByDestination(0, crop, false);
  EXPECT_EQ(crop.getOutputSize(), 41);
  mode.updateCropByDestination(2, crop, false);
  EXPECT_EQ(crop.getOutputSize(), 0);

  ColorBalanceValues balance{9, 1, 2, 3};
  crop.setColorBalance({5, 0, 0, 0});
  mode.updateCropByColorPattern(balance, crop);
  EXPECT_EQ(crop.getColorBalance().chroma, 5);
  EXPECT_EQ(crop.getColorBalance().yellowBlue, 3);
}
