#include <gtest/gtest.h>

#include <cmath>

#include "ModeLinkDoubles.h"
#include "ui/model/PreviewInfo.h"

namespace {

void expectRect(const SRectDouble& r, double x, double y, double w, double h, const std::string& where) {
  EXPECT_DOUBLE_EQ(r.origin.x, x) << where;
  EXPECT_DOUBLE_EQ(r.origin.y, y) << where;
  EXPECT_DOUBLE_EQ(r.size.width, w) << where;
  EXPECT_DOUBLE_EQ(r.size.height, h) << where;
}

void expectRect(const ScanRect& r, double x, double y, double w, double h, const std::string& where) {
  expectRect(makeSRectDouble(r.x, r.y, r.width, r.height), x, y, w, h, where);
}

const SRectDouble kGarbage = makeSRectDouble(-7, -7, -7, -7);

}  // namespace

TEST(PreviewInfoGeometry, OrgPixelRectByRotationAndMirror) {
  Quirel_PreviewInfo model;
  model.setWholeSize(400, 300);
  // View 200 x 100: the ratios 2, 3, 4 and 1.5 are exact. Rectangle (10, 20, 50, 40).
  struct Case {
    int rotation;
    bool mirror;
    double x, y, w, h;
  } cases[] = {
      {0, false, 20, 120, 100, 120}, {0, true, 280, 120, 100, 120}, {1, false, 80, 15, 160, 75},
      {1, true, 80, 210, 160, 75},   {2, false, 280, 60, 100, 120}, {2, true, 20, 60, 100, 120},
      {3, false, 160, 210, 160, 75}, {3, true, 160, 15, 160, 75},
  };
  for (const Case& c : cases) {
    SRectDouble out = kGarbage;
    model.setOrgPixelLRect2(&out, false, 200, 100, c.rotation, c.mirror, 10, 20, 50, 40, true);
    expectRect(out, c.x, c.y, c.w, c.h, "rotation " + std::to_string(c.rotation) + " mirror " + std::to_string(c.mirror));
  }
  // The zoomed size when the zoom flag is set.
  model.setZoomSize(800, 600);
  SRectDouble zoomed;
  model.setOrgPixelLRect2(&zoomed, true, 200, 100, 0, false, 10, 20, 50, 40, true);
  expectRect(zoomed, 40, 240, 200, 240, "zoomed");
}

TEST(PreviewInfoGeometry, SmallResultRecomputedInDoublePrecisionWithShrink) {
  Quirel_PreviewInfo model;
  model.setWholeSize(1000, 1000);
  SRectDouble out;
  model.setOrgPixelLRect2(&out, false, 300, 300, 0, false, 3, 0, 5, 200, true);
  // Width 5 maps under 32: the double-precision pass with the view shrunk by 0.05.
  EXPECT_DOUBLE_EQ(out.origin.x, 3 * 1000 / 299.95);
  EXPECT_DOUBLE_EQ(out.size.width, 5 * 1000 / 299.95);
  EXPECT_DOUBLE_EQ(out.origin.y, (299.95 - 200) * 1000 / 299.95);
  // The single-precision ratio would have given 9.99999976...
  EXPECT_NE(out.origin.x, 3 * static_cast<double>(static_cast<float>(1000.0 / 300.0)));
  // Without shrink the same mapping in double precision.
  model.setOrgPixelLRect2(&out, false, 300, 300, 0, false, 3, 0, 5, 200, false);
  EXPECT_DOUBLE_EQ(out.size.width, 5 * 1000 / 300.0);
  // Large enough: single-precision ratios.
  model.setOrgPixelLRect2(&out, false, 300, 300, 0, false, 3, 0, 50, 200, true);
  EXPECT_DOUBLE_EQ(out.origin.x, 3 * static_cast<double>(static_cast<float>(1000.0 / 300.0)));
}

TEST(PreviewInfoGeometry, EdgesNegativeOriginDataSizeBadRotationEmptyView) {
  Quirel_PreviewInfo model;
  model.setWholeSize(400, 300);
  SRectDouble out;
  model.setOrgPixelLRect2(&out, false, 200, 100, 0, false, -10, 90, 50, 40, true);
  expectRect(out, 0, 0, 100, 120, "negative origin");

  // No whole-preview size: the preview data size stands in.
  Quirel_PreviewInfo noSize;
  noSize.setPreviewDataSize({400, 300});
  noSize.setOrgPixelLRect2(&out, false, 200, 100, 0, false, 10, 20, 50, 40, true);
  expectRect(out, 20, 120, 100, 120, "data size");

  for (int rotation : {7, -1, 4}) {
    out = kGarbage;
    model.setOrgPixelLRect2(&out, false, 200, 100, rotation, false, 10, 20, 50, 40, true);
    expectRect(out, 0, 0, 0, 0, "rotation " + std::to_string(rotation));
    out = kGarbage;
    model.setOrgPixelLRectReCal(&out, false, 200, 100, rotation, true, 10, 20, 50, 40, true);
    expectRect(out, 0, 0, 0, 0, "recomputed rotation " + std::to_string(rotation));
  }
  // A zero view size has no ratio: zeros, never inf or NaN.
  for (auto [vw, vh] : {std::pair{0.0, 100.0}, std::pair{200.0, 0.0}}) {
    out = kGarbage;
    model.setOrgPixelLRect2(&out, false, vw, vh, 0, false, 10, 20, 50, 40, true);
    expectRect(out, 0, 0, 0, 0, "empty view");
  }
  // A view that the shrink of the recomputation empties.
  out = kGarbage;
  model.setOrgPixelLRect2(&out, false, 0.05, 0.05, 0, false, 0, 0, 0.001, 0.001, true);
  expectRect(out, 0, 0, 0, 0, "view shrunk to nothing");
}

TEST(PreviewInfoGeometry, ScanRectPixelByRotationAndMirror) {
  struct Case {
    int rotation;
    bool mirror;
    double x, y, w, h;
  } cases[] = {
      {0, false, 10, 40, 50, 40},  {0, true, 140, 40, 50, 40}, {1, false, 20, 10, 40, 50}, {1, true, 20, 40, 40, 50},
      {2, false, 140, 20, 50, 40}, {2, true, 10, 20, 50, 40},  {3, false, 140, 40, 40, 50}, {3, true, 140, 10, 40, 50},
      {7, false, 10, 40, 50, 40},  {7, true, 140, 40, 50, 40},
  };
  for (const Case& c : cases) {
    ScanRect out{};
    Quirel_PreviewInfo::setScanRectPixel2(&out, c.rotation, c.mirror, 200, 100, 10, 20, 50, 40);
    expectRect(out, c.x, c.y, c.w, c.h, "rotation " + std::to_string(c.rotation) + " mirror " + std::to_string(c.mirror));
  }
  ScanRect r{1, 2, 3, 4};
  Quirel_PreviewInfo::setScanSizePixel(&r, 1, 30, 40);
  expectRect(r, 1, 2, 40, 30, "size turned");
  Quirel_PreviewInfo::setScanSizePixel(&r, 2, 30, 40);
  expectRect(r, 1, 2, 30, 40, "size upright");
  Quirel_PreviewInfo::setScanSizePixel(&r, 5, 99, 99);
  expectRect(r, 1, 2, 30, 40, "size of another rotation");
  Quirel_PreviewInfo::setScanRectPixelADF(&r, 3, 5, 6, 7, 8);
  expectRect(r, 5, 6, 8, 7, "feeder turned");
  Quirel_PreviewInfo::setScanRectPixelADF(&r, 0, 5, 6, 7, 8);
  expectRect(r, 5, 6, 7, 8, "feeder upright");
}

TEST(PreviewInfoGeometry, ThumbnailCropByRotationAndMirror) {
  Quirel_PreviewInfo model;
  model.setWholeSize(800, 400);
  Quirel_CropInfo crop;
  crop.setPreviewSize_Pixel96({400, 200});
  crop.setVisiblePreviewSize_Pixel96({100, 50});
  crop.setInputRect_Pixel96(makeSRectDouble(10, 5, 40, 40));
  crop.setPreviewStartPoint_Pixel96({7, 3});
  struct Case {
    int rotation;
    bool mirror;
    double x, y, w, h;
  } cases[] = {
      {0, false, 34, 304, 80, 80}, {0, true, 114, 304, 80, 80}, {1, false, 48, 307, 160, 40},
      {2, false, 114, 304, 80, 80}, {3, false, 48, 347, 160, 40},
  };
  for (const Case& c : cases) {
    crop.setRotation(c.rotation);
    crop.setMirror(c.mirror);
    SRectDouble out = kGarbage;
    model.setOrgPixelLRectThumbnail(&out, &crop);
    expectRect(out, c.x, c.y, c.w, c.h, "rotation " + std::to_string(c.rotation) + " mirror " + std::to_string(c.mirror));
  }
  SRectDouble out = kGarbage;
  model.setOrgPixelLRectThumbnail(&out, nullptr);
  expectRect(out, 0, 0, 0, 0, "no crop");
}

TEST(PreviewInfoGeometry, AutoThumbnailRectConvertedToPreviewResolution) {
  Quirel_PreviewInfo model;
  model.setPlatenResolution(100);
  auto scanner = std::make_shared<Quirel_UIScannerInfo>();
  const fnd::Dictionary init{{"Flatbed", fnd::Dictionary{{"PreviewResX", 200}}}};
  scanner->setInitSettingData(&init);
  model.setScannerInfo(scanner);
  struct Case {
    int rotation;
    double x, y, w, h;
  } cases[] = {{0, 20, 80, 100, 80}, {1, 40, 20, 80, 100}, {2, 280, 40, 100, 80}, {3, 80, 280, 80, 100}, {7, 0, 0, 0, 0}};
  for (const Case& c : cases) {
    SRectDouble out = kGarbage;
    model.setOrgPixelLRect2ThumbAuto(&out, 200, 100, c.rotation, 10, 20, 50, 40);
    expectRect(out, c.x, c.y, c.w, c.h, "rotation " + std::to_string(c.rotation));
  }
  SRectDouble out;
  model.setOrgPixelLRect2ThumbAuto(&out, 200, 100, 2, 180, 20, 50, 40);
  expectRect(out, 0, 40, 100, 80, "negative origin");
}

TEST(PreviewInfoGeometry, CropScanRectAndScale) {
  Quirel_PreviewInfo model;
  Quirel_CropInfo crop;
  crop.setInputRect_Pixel96(makeSRectDouble(10, 20, 50, 40));
  crop.setOutputSize_Pixel96({100, 80});
  crop.setMagnification(150);
  CropSetting s{};
  model.setCropScanRect(&crop, &s, 1, false, {200, 100});
  expectRect(s.ScanRect, 20, 10, 80, 100, "turned");
  EXPECT_DOUBLE_EQ(s.Scale, 150);
  crop.setOutputSize(3);
  model.setCropScanRect(&crop, &s, 0, false, {200, 100});
  expectRect(s.ScanRect, 10, 40, 100, 80, "upright");
  EXPECT_DOUBLE_EQ(s.Scale, 200);
  // Inside an automatically found thumbnail frame (fx 5, fy 6, fw 70, fh 90), rotation 0.
  model.setCropScanRectThumbAuto(&crop, &s, 0, false, {200, 100}, 5, 6, 70, 90);
  // x + fx = 15, B - (fy + fh - y) = 24; then as a view rectangle in the area.
  expectRect(s.ScanRect, 15, 100 - (24 + 40), 100, 80, "thumbnail frame");
  model.setCropScanRect(nullptr, &s, 0, false, {200, 100});
}
