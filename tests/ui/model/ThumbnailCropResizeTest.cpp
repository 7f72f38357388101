#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "ui/model/ThumbnailCropResize.h"

namespace {

using Resize = Quirel_ThumbnailCropResize;
using Corners = std::array<std::array<double, 2>, 4>;

fnd::Dictionary resizePoint(double x, double y) { return fnd::Dictionary{{"X", x}, {"Y", y}}; }

// A crop description with its corners in order and "min"/"max" as given.
fnd::Value resizeCrop(const Corners& c, std::array<double, 2> lo, std::array<double, 2> hi) {
  fnd::Array points;
  for (const auto& p : c) points.emplace_back(resizePoint(p[0], p[1]));
  return fnd::Dictionary{
      {"points", std::move(points)}, {"min", resizePoint(lo[0], lo[1])}, {"max", resizePoint(hi[0], hi[1])}};
}

// An upright crop: top-left, top-right, bottom-right, bottom-left (Y grows downwards).
fnd::Value uprightCrop(double x, double y, double w, double h) {
  return resizeCrop({{{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}}, {x, y}, {x + w, y + h});
}

Corners cornersOf(const fnd::Value& crop) {
  Corners c{};
  for (std::size_t i = 0; i < 4; ++i) c[i] = {crop["points"][i]["X"].toReal(), crop["points"][i]["Y"].toReal()};
  return c;
}

std::array<double, 4> minMaxOf(const fnd::Value& crop) {
  return {crop["min"]["X"].toReal(), crop["min"]["Y"].toReal(), crop["max"]["X"].toReal(), crop["max"]["Y"].toReal()};
}

}  // namespace

TEST(ThumbnailCropResize, PlatenCropsScaleAboutTheirBoxAndRoundHalvesAwayFromZero) {
  struct Row {
    const char* what;
    fnd::Value crop;
    std::int32_t code;
    Corners corners;
    std::array<double, 4> minMax;
  };
  const std::vector<Row> rows = {
      // Box 7.5 ... 112.5 x 18.75 ... 71.25 before rounding.
      {"large 100 x 50 at (10, 20)", uprightCrop(10, 20, 100, 50), 0,
       {{{8, 19}, {113, 19}, {113, 71}, {8, 71}}}, {8, 19, 113, 71}},
      // Box 12.5 ... 107.5 x 21.25 ... 68.75.
      {"small 100 x 50 at (10, 20)", uprightCrop(10, 20, 100, 50), 2,
       {{{13, 21}, {108, 21}, {108, 69}, {13, 69}}}, {13, 21, 108, 69}},
      {"any other code is small", uprightCrop(10, 20, 100, 50), 7,
       {{{13, 21}, {108, 21}, {108, 69}, {13, 69}}}, {13, 21, 108, 69}},
      // A box at the origin grows past it: no clamping for platen crops.
      {"large at the origin", uprightCrop(0, 0, 40, 20), 0,
       {{{-1, -1}, {41, -1}, {41, 21}, {-1, 21}}}, {-1, -1, 41, 21}},
      // A diamond whose leftmost corner is p3: (0, 50) (50, 0) (100, 50) (50, 100) turned to start at the top.
      {"rotated, leftmost corner last", resizeCrop({{{50, 0}, {100, 50}, {50, 100}, {0, 50}}}, {0, 0}, {100, 100}), 0,
       {{{50, -3}, {103, 50}, {50, 103}, {-3, 50}}}, {-3, -3, 103, 103}},
      // The same diamond starting at its leftmost corner: found as p0.
      {"rotated, leftmost corner first", resizeCrop({{{0, 50}, {50, 0}, {100, 50}, {50, 100}}}, {0, 0}, {100, 100}), 2,
       {{{3, 50}, {50, 3}, {98, 50}, {50, 98}}}, {3, 3, 98, 98}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const fnd::Array out = Resize::changePlatenThumbnailSize_MCPointArray(fnd::Array{r.crop}, r.code);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(cornersOf(out[0]), r.corners);
    EXPECT_EQ(minMaxOf(out[0]), r.minMax);
  }
}

TEST(ThumbnailCropResize, NormalSizeAndCropsWithoutAreaComeBackUnchanged) {
  const fnd::Array list = {uprightCrop(10, 20, 100, 50), uprightCrop(5, 5, 0, 30), uprightCrop(5, 5, 30, 0),
                           uprightCrop(0, 0, 0, 0)};
  EXPECT_EQ(Resize::changePlatenThumbnailSize_MCPointArray(list, 1), list);
  EXPECT_EQ(Resize::changeFilmThumbnailSize_previewInfo(list, 1, 200, 200), list);

  // Zero width or height: nothing to scale by, the crop stays as it was; its neighbour still scales.
  for (std::int32_t code : {0, 2}) {
    SCOPED_TRACE(code);
    const fnd::Array platen = Resize::changePlatenThumbnailSize_MCPointArray(list, code);
    ASSERT_EQ(platen.size(), 4u);
    EXPECT_NE(platen[0], list[0]);
    EXPECT_EQ(platen[1], list[1]);
    EXPECT_EQ(platen[2], list[2]);
    EXPECT_EQ(platen[3], list[3]);
    const fnd::Array film = Resize::changeFilmThumbnailSize_previewInfo(list, code, 200, 200);
    ASSERT_EQ(film.size(), 4u);
    EXPECT_NE(film[0], list[0]);
    EXPECT_EQ(film[1], list[1]);
    EXPECT_EQ(film[2], list[2]);
    EXPECT_EQ(film[3], list[3]);
  }
  // A film frame turned inside out (right of its left edge negative) and a description without
  // its four corners are left alone as well.
  const fnd::Array odd = {resizeCrop({{{50, 10}, {20, 10}, {20, 40}, {50, 40}}}, {20, 10}, {50, 40}),
                          fnd::Dictionary{{"points", fnd::Array{resizePoint(1, 1)}}}};
  EXPECT_EQ(Resize::changeFilmThumbnailSize_previewInfo(odd, 0, 200, 200), odd);
  EXPECT_EQ(Resize::changePlatenThumbnailSize_MCPointArray(fnd::Array{odd[1]}, 0), fnd::Array{odd[1]});
  EXPECT_TRUE(Resize::changePlatenThumbnailSize_MCPointArray({}, 0).empty());
}

TEST(ThumbnailCropResize, FilmFramesMoveWholePixelsPerSideAndStayInThePreview) {
  struct Row {
    const char* what;
    fnd::Value crop;
    std::int32_t code;
    Corners corners;
  };
  const std::vector<Row> rows = {
      // floor(95) - 100 = -5, halved toward zero: 2 off each side, 96 wide; 60 high: floor(57) - 60 = -3 -> 1.
      {"small 100 x 60", uprightCrop(50, 40, 100, 60), 2, {{{52, 41}, {148, 41}, {148, 99}, {52, 99}}}},
      // floor(105) - 100 = 5 -> 2 on each side; floor(63) - 60 = 3 -> 1.
      {"large 100 x 60", uprightCrop(50, 40, 100, 60), 0, {{{48, 39}, {152, 39}, {152, 101}, {48, 101}}}},
      // At the preview's top-left corner the frame grows only to the right and down.
      {"large at the top-left edge", uprightCrop(0, 0, 100, 60), 0, {{{0, 0}, {102, 0}, {102, 61}, {0, 61}}}},
      // At the bottom-right corner of a 300 x 200 preview it grows only to the left and up.
      {"large at the bottom-right edge", uprightCrop(200, 140, 100, 60), 0,
       {{{198, 139}, {300, 139}, {300, 200}, {198, 200}}}},
      // A fractional width is cut to whole pixels first: (int)39.5 = 39, floor(37.05) - 39 = -2 -> 1;
      // floor(19) - 20 = -1 halves to 0: the height stays.
      {"small, fractional width", uprightCrop(0, 10, 39.5, 20), 2, {{{1, 10}, {38.5, 10}, {38.5, 30}, {1, 30}}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const fnd::Array out = Resize::changeFilmThumbnailSize_previewInfo(fnd::Array{r.crop}, r.code, 300, 200);
    ASSERT_EQ(out.size(), 1u);
    const Corners c = cornersOf(out[0]);
    EXPECT_EQ(c, r.corners);
    // "min" is the first corner and "max" the third.
    EXPECT_EQ(minMaxOf(out[0]), (std::array<double, 4>{c[0][0], c[0][1], c[2][0], c[2][1]}));
  }
}

TEST(ThumbnailCropResize, FilmSizeCodeComesFromTheUILessPreferenceOnlyInModeThree) {
  EXPECT_EQ(Resize::filmThumbnailSizeCode(3, true, 0), 2);
  EXPECT_EQ(Resize::filmThumbnailSizeCode(3, false, 0), 1);
  for (std::int32_t mode : {0, 1, 2}) {
    EXPECT_EQ(Resize::filmThumbnailSizeCode(mode, true, 0), 0);
    EXPECT_EQ(Resize::filmThumbnailSizeCode(mode, false, 2), 2);
  }
  EXPECT_DOUBLE_EQ(Resize::factorForSizeCode(0), 1.05);
  EXPECT_DOUBLE_EQ(Resize::factorForSizeCode(1), 1.0);
  EXPECT_DOUBLE_EQ(Resize::factorForSizeCode(2), 0.95);
  EXPECT_DOUBLE_EQ(Resize::factorForSizeCode(-1), 0.95);
}
