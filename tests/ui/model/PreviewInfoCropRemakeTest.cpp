#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ModeLinkDoubles.h"
#include "ScanModuleDouble.h"
#include "ui/model/PreviewInfo.h"

using namespace modedoubles;

namespace {

constexpr int kW = 120, kH = 100;

struct Fixture {
  fnd::NotificationCenter center;
  ScanModuleDouble module{center};
  Quirel_PreviewInfo model{center};
  Quirel_PreferenceInfo prefs;
  Quirel_UIScannerInfo scanner{fnd::Dictionary{{"ThresholdValue", 110}}};
  FakeStandardMode basic;
  Fixture() {
    basic.preferences = &prefs;
    basic.scanner = &scanner;
    model.setPrevModeandId(0, &basic, nullptr);
    model.setWholeSize(kW, kH);
  }
  void givePreview(std::uint8_t level = 0) {
    Quirel_PreviewInfo::PixelBuffer shown(new std::uint8_t[kW * kH * 3]);
    std::memset(shown.get(), level, kW * kH * 3);
    model.setOriginalPixel24(std::move(shown));
    Quirel_PreviewInfo::PixelBuffer before(new std::uint8_t[kW * kH * 3]);
    std::memset(before.get(), level, kW * kH * 3);
    model.setBeforeAdjustPixel24(std::move(before));
  }
  // A crop at (x, y) whose answer is grey `level`.
  static std::shared_ptr<Quirel_CropInfo> crop(int level, double x, double y) {
    auto c = std::make_shared<Quirel_CropInfo>();
    c->setResolution(level);
    c->setVisiblePreviewSize_Pixel96({kW, kH});
    c->setInputRect_Pixel96(makeSRectDouble(x, y, 50, 50));
    return c;
  }
  int shownAt(int x, int y) const {
    return (*basic.drawn.back().bytes)[(static_cast<std::size_t>(y) * kW + x) * 3];
  }
};

std::uint8_t* solid(int w, int h, std::uint8_t level) {
  auto* image = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(w) * h * 3));
  std::memset(image, level, static_cast<std::size_t>(w) * h * 3);
  return image;
}

}  // namespace

TEST(PreviewInfoCropRemake, FocusedLiesOnTopThenSelectedThenUnselected) {
  Fixture f;
  f.givePreview();
  auto focused = Fixture::crop(30, 20, 20);
  auto selected = Fixture::crop(60, 30, 30);
  auto plain = Fixture::crop(90, 40, 25);
  focused->setFocus(true);
  selected->setSelect(true);
  CropList crops{focused, selected, plain};  // list order is the opposite of the paste order
  f.model.updateImageSetAllSelected(0, &crops, false);
  EXPECT_EQ(f.module.cropRequests, 3);
  ASSERT_EQ(f.basic.drawn.size(), 1u);
  const SRectDouble a = focused->getcropCorRect(), b = selected->getcropCorRect(), c = plain->getcropCorRect();
  ASSERT_GT(a.size.width, 0);
  // Where all three overlap the focused crop shows; where only the selected and plain do, the selected.
  const int ox = static_cast<int>(std::max({a.origin.x, b.origin.x, c.origin.x})) + 1;
  const int oy = static_cast<int>(std::max({a.origin.y, b.origin.y, c.origin.y})) + 1;
  EXPECT_EQ(f.shownAt(ox, oy), 30);
  const int bx = static_cast<int>(a.origin.x + a.size.width) + 1;
  EXPECT_EQ(f.shownAt(bx, oy), 60);
  const int cx = static_cast<int>(b.origin.x + b.size.width) + 1;
  EXPECT_EQ(f.shownAt(cx, oy), 90);
  EXPECT_EQ(f.shownAt(0, 0), 0);
}

TEST(PreviewInfoCropRemake, HalfOutsideIsPastedWhereItOverlaps) {
  Fixture f;
  std::vector<std::uint8_t> shown(kW * kH * 3, 0), before(10 * 10 * 3, 0);
  Quirel_CropInfo c;
  c.setcropCorData(CropImage(solid(40, 40, 200)));
  c.setcropBefData(CropImage(solid(40, 40, 100)));
  c.setcropCorRect(makeSRectDouble(-20, kH - 20, 40, 40));
  // The before-adjust buffer is smaller: it is written within its own size (ASan checks).
  EXPECT_EQ(f.model.reMakeCropPrevAndHistData(shown.data(), before.data(), &c, kW, kH, 10, 10), 0);
  EXPECT_EQ(shown[((kH - 1) * kW + 0) * 3], 200);
  EXPECT_EQ(shown[((kH - 1) * kW + 19) * 3], 200);
  EXPECT_EQ(shown[((kH - 1) * kW + 20) * 3], 0);
  EXPECT_EQ(shown[((kH - 21) * kW + 0) * 3], 0);
  // No image or an empty rectangle: nothing is pasted.
  Quirel_CropInfo empty;
  EXPECT_EQ(f.model.reMakeCropPrevData(shown.data(), &empty, kW, kH), -1);
}

TEST(PreviewInfoCropRemake, DeletingRestoresThePreviewAndSendsNothing) {
  Fixture f;
  f.givePreview(7);
  CropList none;
  f.model.remakeDeleteCrop(0, &none);
  EXPECT_EQ(f.module.cropRequests, 0);
  ASSERT_EQ(f.basic.drawn.size(), 1u);
  EXPECT_EQ(f.shownAt(60, 50), 7);
  // Without a list nothing is drawn.
  f.model.remakeDeleteCrop(0, nullptr);
  EXPECT_EQ(f.basic.drawn.size(), 1u);
}

TEST(PreviewInfoCropRemake, DeletingWhileZoomedShowsTheZoomedImageWhole) {
  // The zoomed image is larger than the whole preview: the shown copy must be the zoomed one,
  // all of it (a copy of the whole preview was read past its end here).
  Fixture f;
  f.givePreview(7);
  constexpr int zw = 2 * kW, zh = 2 * kH;
  f.model.setPreviewMode(1);
  f.model.setZoomSize(zw, zh);
  Quirel_PreviewInfo::PixelBuffer zoomed(new std::uint8_t[zw * zh * 3]);
  std::memset(zoomed.get(), 9, zw * zh * 3);
  f.model.setOriginalPixel24(std::move(zoomed));
  CropList none;
  f.model.remakeDeleteCrop(0, &none);
  ASSERT_EQ(f.basic.drawn.size(), 1u);
  const PreviewBitmap& shown = f.basic.drawn.back();
  EXPECT_EQ(shown.width, zw);
  EXPECT_EQ(shown.height, zh);
  EXPECT_EQ((*shown.bytes)[0], 9);
  EXPECT_EQ(shown.bytes->back(), 9);
  EXPECT_EQ(f.module.cropRequests, 0);
}

TEST(PreviewInfoCropRemake, WithoutPreviewCropsAreStoredButNothingShows) {
  Fixture f;
  auto c = Fixture::crop(50, 10, 10);
  CropList crops{c};
  f.model.updateImageSetSelected(0, &crops);  // not selected: nothing sent
  EXPECT_EQ(f.module.cropRequests, 0);
  c->setSelect(true);
  f.model.updateImageSetSelected(0, &crops);
  EXPECT_EQ(f.module.cropRequests, 1);
  EXPECT_NE(c->getcropCorData(), nullptr);
  EXPECT_TRUE(f.basic.drawn.empty());
}

TEST(PreviewInfoCropRemake, NullImageSetsTheResetFlag) {
  Fixture f;
  f.module.nullImages = true;
  auto c = Fixture::crop(50, 10, 10);
  EXPECT_EQ(f.model.setCropImagedataSM(c.get(), 0), 0);
  EXPECT_TRUE(f.model.getUIResetImageError());
  EXPECT_EQ(c->getcropCorData(), nullptr);
  // An empty crop is not requested.
  Quirel_CropInfo empty;
  EXPECT_EQ(f.model.setCropImagedataSM(&empty, 0), -1);
  EXPECT_EQ(f.module.cropRequests, 1);
}

TEST(PreviewInfoCropRemake, CropsSharingABaseCropShareItsRetainNumber) {
  Fixture f;
  auto base = Fixture::crop(10, 0, 0);
  base->setRetainNumber(5);
  auto a = Fixture::crop(20, 10, 10), b = Fixture::crop(30, 20, 20);
  for (auto* c : {a.get(), b.get()}) {
    c->setAutoTone(5);
    c->setBaseCropOfDataPersistence(base.get());
  }
  CropList crops{a, b};
  f.model.updateImageSetAllSelected(0, &crops, false);
  EXPECT_EQ(a->getRetainNumber(), 5);
  EXPECT_EQ(b->getRetainNumber(), 5);
  EXPECT_EQ(f.model.getRetainCount(5), 2);
  EXPECT_EQ(f.module.useDataRetain, (std::vector<int>{5, 5}));
  f.model.resetRetainNumber(a.get());
  EXPECT_EQ(f.model.getRetainCount(5), 1);

  // A base crop without a number: a free one is taken and the source data kept first.
  auto fresh = Fixture::crop(40, 5, 5);
  auto freshBase = Fixture::crop(11, 0, 0);
  fresh->setAutoTone(5);
  fresh->setBaseCropOfDataPersistence(freshBase.get());
  f.module.setDataRetain.clear();
  f.module.useDataRetain.clear();
  f.model.setCropImagedataSM(fresh.get(), 1);
  EXPECT_EQ(fresh->getRetainNumber(), 1);
  EXPECT_EQ(f.module.setDataRetain, (std::vector<int>{1, 0}));
  EXPECT_EQ(f.module.useDataRetain, (std::vector<int>{0, 1}));
}

TEST(PreviewInfoCropRemake, AutoCropPointsStayInsideAndAreConverted) {
  Fixture f;
  auto c = Fixture::crop(10, 80, 60);  // reaches past the right and bottom edges
  c->setFocus(true);
  CropList crops{c};
  auto pt = [](int x, int y) { return fnd::Value(fnd::Dictionary{{"X", x}, {"Y", y}}); };
  f.module.newPoints = {pt(10, 20), pt(50, 20), pt(50, 60), pt(10, 60)};
  f.model.remakeCropAutoCropButton(0, &crops);
  ASSERT_EQ(f.module.sentPoints.size(), 4u);
  for (const fnd::Value& p : f.module.sentPoints) {
    EXPECT_LE(p["X"].toInteger(), kW - 1);
    EXPECT_LE(p["Y"].toInteger(), kH - 1);
  }
  EXPECT_EQ(f.model.getAutoCropRect().origin.x, 10);
  EXPECT_EQ(f.model.getAutoCropRect().size.height, 40);

  // Preview at 75 dpi, automatic crop at 150: the answer is doubled.
  auto scanner = std::make_shared<Quirel_UIScannerInfo>(fnd::Dictionary{{"PlatenAutoCropResolution", 150}});
  ASSERT_EQ(scanner->platenPreviewResolution(), 75);
  f.model.setScannerInfo(scanner);
  f.model.remakeCropAutoCropButton(0, &crops);
  EXPECT_EQ(f.model.getAutoCropRect().origin.x, 20);
  EXPECT_EQ(f.model.getAutoCropRect().size.width, 80);

  // An empty list falls back to the initial rectangle.
  f.model.setAutoCropInitRect(nullptr);
  CropList none;
  f.model.remakeCropAutoCropButton(0, &none);
  EXPECT_EQ(f.model.getAutoCropRect().size.width, f.model.getPrevInitAutoCrop().size.width);
}

TEST(PreviewInfoCropRemake, DiamondMaskPixelByPixelAndDegenerateFramesStayInside) {
  Fixture f;
  constexpr int n = 11;
  std::vector<std::uint8_t> preview(kW * kH * 3, 0);
  auto frame = [&](std::initializer_list<SPointDouble> points) {
    auto c = std::make_unique<Quirel_CropInfo>();
    SPointDouble p[4];
    std::copy(points.begin(), points.end(), p);
    c->setMultiCropCorPoints(p);
    c->setcropCorData(CropImage(solid(n, n, 255)));
    c->setcropCorRect(makeSRectDouble(0, 0, n, n));
    return c;
  };
  auto diamond = frame({{5, 0}, {10, 5}, {5, 10}, {0, 5}});
  f.model.changeMultiCropMaskdata(diamond.get(), preview.data(), kW, kH);
  const std::uint8_t* img = diamond->getcropCorData();
  auto at = [&](int x, int y) { return img[(y * n + x) * 3]; };
  EXPECT_EQ(at(0, 0), 0);    // corner outside the frame: the preview
  EXPECT_EQ(at(10, 0), 0);
  EXPECT_EQ(at(0, 10), 0);
  EXPECT_EQ(at(10, 10), 0);
  EXPECT_EQ(at(5, 5), 255);  // inside stays
  EXPECT_EQ(at(5, 0), 255);
  EXPECT_EQ(at(0, 5), 255);
  // Row 0 keeps only the top point's neighbourhood; row 5 is whole.
  for (int x = 0; x < n; ++x) EXPECT_EQ(at(x, 5), 255) << x;

  for (auto points : {std::initializer_list<SPointDouble>{{0, 0}, {10, 0}, {10, 10}, {0, 10}},
                      std::initializer_list<SPointDouble>{{3, 3}, {3, 3}, {3, 3}, {3, 3}}}) {
    auto flat = frame(points);
    f.model.changeMultiCropMaskdata(flat.get(), preview.data(), kW, kH);
    const std::uint8_t* data = flat->getcropCorData();
    for (int i = 0; i < n * n * 3; ++i) ASSERT_EQ(data[i], 255) << i;
  }
}
