// Film frame rectangles: device defaults per film size, roll-film classes, the scanner's frames.

#include <gtest/gtest.h>

#include "ModesTestSupport.h"

using modes_test::TestScanMode;

namespace {

fnd::Dictionary filmRect(double x, double y, double w, double h) {
  return fnd::Dictionary{{"X", x}, {"Y", y}, {"W", w}, {"H", h}};
}

// One frame the scanner reports, as four corners (top left, top right, bottom right, bottom
// left) in preview pixels from the top left.
fnd::Dictionary reportedFrame(double left, double top, double right, double bottom) {
  const auto corner = [](double x, double y) { return fnd::Value(fnd::Dictionary{{"X", x}, {"Y", y}}); };
  return fnd::Dictionary{
      {"points", fnd::Array{corner(left, top), corner(right, top), corner(right, bottom), corner(left, bottom)}}};
}

void expectRect(const fnd::Value& v, double x, double y, double w, double h) {
  EXPECT_DOUBLE_EQ(v["X"].toReal(), x);
  EXPECT_DOUBLE_EQ(v["Y"].toReal(), y);
  EXPECT_DOUBLE_EQ(v["W"].toReal(), w);
  EXPECT_DOUBLE_EQ(v["H"].toReal(), h);
}

}  // namespace

TEST(BaseScanModeFilm, DeviceFramesBecomeRelativeAndFlippedAndASecondListReplacesTheFirst) {
  TestScanMode mode;
  const fnd::Dictionary reference = filmRect(100, 200, 5000, 7000);
  const fnd::Array frames{filmRect(300, 400, 1000, 1500), filmRect(100, 200, 10, 20)};
  mode.setDefaultFilmSizeRects(22, &frames, &reference);
  const fnd::Array* stored = mode.getDefaultFilmSizeRects(22);
  ASSERT_NE(stored, nullptr);
  ASSERT_EQ(stored->size(), 2u);
  expectRect((*stored)[0], 200, 5300, 1000, 1500);
  expectRect((*stored)[1], 0, 6980, 10, 20);

  const fnd::Array second{filmRect(100, 200, 50, 50)};
  mode.setDefaultFilmSizeRects(22, &second, nullptr);  // no reference: all zero
  ASSERT_EQ(mode.getDefaultFilmSizeRects(22)->size(), 1u);
  expectRect((*mode.getDefaultFilmSizeRects(22))[0], 100, -250, 50, 50);

  // No list, or an empty one, changes nothing; an unknown size has none.
  const fnd::Array empty;
  mode.setDefaultFilmSizeRects(22, &empty, &reference);
  mode.setDefaultFilmSizeRects(22, nullptr, &reference);
  EXPECT_EQ(mode.getDefaultFilmSizeRects(22)->size(), 1u);
  EXPECT_EQ(mode.getDefaultFilmSizeRects(21), nullptr);
}

TEST(BaseScanModeFilm, RollFilmFramesAreSortedIntoClassesByHeightAndEmptyClassesAreKept) {
  TestScanMode mode;
  const fnd::Dictionary reference = filmRect(0, 0, 6000, 20000);
  const fnd::Array frames{filmRect(0, 0, 100, 3000), filmRect(0, 0, 100, 4299), filmRect(0, 0, 100, 4300),
                          filmRect(0, 0, 100, 2173), filmRect(0, 0, 100, 3000)};
  mode.setDefaultFilmSizeRectsForRudide(&frames, 1200, &reference);
  struct Case {
    int size;
    std::vector<double> heights;
  };
  for (const Case& c : {Case{23, {2173}}, Case{24, {}}, Case{25, {3000, 3000}}, Case{26, {}}, Case{27, {4299}},
                        Case{28, {4300}}}) {
    const fnd::Array* list = mode.getDefaultFilmSizeRects(c.size);
    ASSERT_NE(list, nullptr) << c.size;
    ASSERT_EQ(list->size(), c.heights.size()) << c.size;
    for (std::size_t i = 0; i < list->size(); ++i) EXPECT_DOUBLE_EQ((*list)[i]["H"].toReal(), c.heights[i]);
  }
  // No frames at all: six empty classes, answered as they are.
  TestScanMode none;
  none.setDefaultFilmSizeRectsForRudide(nullptr, 1200, nullptr);
  for (int size = 23; size <= 28; ++size) {
    ASSERT_NE(none.getDefaultFilmSizeRects(size), nullptr);
    EXPECT_TRUE(none.getDefaultFilmSizeRects(size)->empty());
  }
}

TEST(BaseScanModeFilm, TheScannersFramesAreScaledToTheFilmAreaAndAnsweredOnlyOutsideThumbnailModes) {
  TestScanMode mode;
  mode.setScannerInfo(modes_test::scannerWith({{"Ver1500Later", true}, {"Ver1600Later", true}}));
  mode.setFilmPlatenRect_Pixel96({{0, 0}, {2000, 4000}});
  mode.mPreviewDataSize = {1000, 2000};
  const fnd::Array reported{reportedFrame(10, 100, 109, 299), fnd::Dictionary{{"points", fnd::Array{}}}};
  mode.setCapsFilmSizeRects(&reported);
  ASSERT_EQ(mode.getCapsFilmRects().size(), 1u);  // a frame without corners is skipped
  // Corners (10, 100) .. (110, 300) flipped in a 2000-high preview, then doubled.
  expectRect(mode.getCapsFilmRects()[0], 20, 3400, 200, 400);

  const fnd::Array defaults{filmRect(0, 0, 10, 10)};
  mode.setDefaultFilmSizeRects(21, &defaults, nullptr);
  struct Case {
    int scanMode;
    bool useCaps;
    bool caps;
  };
  for (const Case c : {Case{2, true, true}, Case{3, true, false}, Case{1, true, false}, Case{2, false, false}}) {
    mode.mScanMode = c.scanMode;
    mode.setUseCapsFilmSize(c.useCaps);
    const fnd::Array* answer = mode.getDefaultFilmSizeRects(21);
    EXPECT_EQ(answer == &mode.getCapsFilmRects(), c.caps) << c.scanMode << c.useCaps;
    // Any size gets the scanner's frames when they apply.
    EXPECT_EQ(mode.getDefaultFilmSizeRects(25) == &mode.getCapsFilmRects(), c.caps);
  }

  mode.setCapsFilmSizeRects(nullptr);
  EXPECT_TRUE(mode.getCapsFilmRects().empty());
  mode.mScanMode = 2;
  mode.setUseCapsFilmSize(true);
  EXPECT_EQ(mode.getDefaultFilmSizeRects(21)->size(), 1u);
}

TEST(BaseScanModeFilm, ScannerFilmSizesAndTurningFrames) {
  for (const auto& [in, out] : {std::pair{0, 21}, std::pair{10, 31}, std::pair{5, 26}, std::pair{11, 21},
                               std::pair{-1, 21}})
    EXPECT_EQ(Quirel_BaseScanMode::convFilmSizeCapsToUIM(in), out) << in;

  TestScanMode plain;
  plain.setScannerInfo(modes_test::scannerWith({{"MountRotation90", false}}));
  struct Case {
    int size;
    double w, h;
    int orientation;
    bool turn;
  };
  for (const Case c : {Case{21, 100, 200, 0, true}, Case{21, 200, 100, 0, false}, Case{21, 200, 100, 1, true},
                       Case{28, 100, 200, 2, true}, Case{31, 100, 200, 3, false}, Case{23, 100, 200, 0, false},
                       Case{24, 200, 100, 1, false}, Case{22, 100, 200, 0, false}, Case{40, 100, 200, 0, false}})
    EXPECT_EQ(plain.needRotation90(c.size, c.w, c.h, c.orientation), c.turn) << c.size << " " << c.orientation;

  TestScanMode mount;
  mount.setScannerInfo(modes_test::scannerWith({{"MountRotation90", true}}));
  EXPECT_TRUE(mount.needRotation90(22, 100, 100, 0));
  TestScanMode multifunction;
  multifunction.setScannerInfo(modes_test::scannerWith({{"MFP", true}}));
  EXPECT_TRUE(multifunction.needRotation90(23, 200, 100, 0));
  EXPECT_TRUE(multifunction.needRotation90(40, 200, 100, 0));
}
