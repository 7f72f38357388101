// The histogram point arithmetic on its own: markers and values, the mid point following in
// proportion, the markers' limits, drag steps, typed checks and eyedropper picks, with the
// guarded divisions when black and white leave no room.

#include <gtest/gtest.h>

#include <cmath>

#include "ui/adjust/HistogramPointMath.h"

using M = Quirel_HistogramPointMath;
using Marker = M::Marker;

namespace {
M::Row defaultRow() { return {27, 102, 177, 0, 128, 255}; }
}  // namespace

TEST(HistogramPointMath, ValuesAndMarkersMapBothWays) {
  struct Case {
    int value;
    double x;
  } cases[] = {{0, 27}, {1, 27}, {128, 102}, {255, 177}, {-20, 15}};
  for (const Case& c : cases) EXPECT_EQ(M::markerX(c.value), c.x) << c.value;
  EXPECT_EQ(M::valueAt(Marker::Black, 27), 1);
  EXPECT_EQ(M::valueAt(Marker::Mid, 102), 128);
  EXPECT_EQ(M::valueAt(Marker::White, 177), 255);
}

TEST(HistogramPointMath, TypedBlackAndWhiteMoveTheMidInProportion) {
  // Black 100 on 0/128/255: 100 + trunc(155 * 128/255) = 177; white 200: 200 - trunc(200 * 127/255) = 101.
  const auto blackSide = M::proportion(false, 0, 128, 255);
  const auto whiteSide = M::proportion(true, 0, 128, 255);
  ASSERT_TRUE(blackSide && whiteSide);
  EXPECT_EQ(M::followingMid(false, 100, 0, 255, blackSide), 177);
  EXPECT_EQ(M::followingMid(true, 200, 0, 255, whiteSide), 101);
  // At least 5 from the moved point.
  EXPECT_EQ(M::followingMid(false, 250, 0, 255, 0.0f), 255);
  EXPECT_EQ(M::followingMid(true, 20, 0, 255, 0.0f), 15);
}

TEST(HistogramPointMath, NoRoomBetweenBlackAndWhiteGivesNoProportionAndTheMidStays) {
  // The 0, 0, 0 fields of a list without a focused crop, and a reversed pair.
  for (auto [b, m, w] : {std::tuple{0, 0, 0}, std::tuple{50, 40, 30}}) {
    EXPECT_FALSE(M::proportion(false, b, m, w)) << b << " " << w;
    EXPECT_FALSE(M::proportion(true, b, m, w)) << b << " " << w;
    EXPECT_FALSE(M::followingMid(false, 10, b, w, M::proportion(false, b, m, w)));
  }
  EXPECT_FALSE(M::followingMid(false, 10, 0, 255, std::nanf("")));
  // Picks leave the mid as it was.
  EXPECT_EQ(M::pickBlack(40, 0, 0, 0).second, 0);
  EXPECT_EQ(M::pickWhite(40, 0, 7, 0).second, 7);
}

TEST(HistogramPointMath, TypedValuesAreCheckedAgainstTheOtherPoints) {
  struct Case {
    const char* what;
    bool allowed;
    bool expected;
  } cases[] = {
      {"mid 3 over black 0", M::midAllowed(3, 0, 255), false},
      {"mid 252 under white 255", M::midAllowed(252, 0, 255), false},
      {"mid 5", M::midAllowed(5, 0, 255), true},
      {"mid 250", M::midAllowed(250, 0, 255), true},
      {"black 246 under white 255", M::blackAllowed(246, 255), false},
      {"black 245", M::blackAllowed(245, 255), true},
      {"white 300", M::whiteAllowed(300, 0), false},
      {"white 9 over black 0", M::whiteAllowed(9, 0), false},
      {"white 255", M::whiteAllowed(255, 0), true},
  };
  for (const Case& c : cases) EXPECT_EQ(c.allowed, c.expected) << c.what;
  EXPECT_TRUE(M::orderKept(0, 128, 255));
  EXPECT_FALSE(M::orderKept(0, 128, 300));
}

TEST(HistogramPointMath, MarkersArePlacedWithinTheirLimits) {
  struct Case {
    Marker marker;
    M::Row row;
    double x;
    int value;
  } cases[] = {
      {Marker::Black, {27, 102, 177, -20, 128, 255}, 27, 0},   // negative becomes 0
      {Marker::Black, {27, 102, 177, 1, 128, 255}, 27, 1},     // 1 stays at the origin
      {Marker::Black, {27, 102, 120, 200, 128, 100}, 114, 90}, // under the white marker
      {Marker::Mid, {80, 102, 177, 90, 60, 255}, 83, 95},      // above the black marker
      {Marker::White, {41, 102, 177, 25, 128, 30}, 47, 35},    // gray pick 30 over black 25
      {Marker::White, {27, 102, 177, 0, 128, 255}, 177, 255},
  };
  for (const Case& c : cases) {
    const M::Placed p = M::place(c.marker, c.row);
    EXPECT_EQ(p.x, c.x) << int(c.marker) << " " << c.row.black;
    EXPECT_EQ(p.value, c.value) << int(c.marker) << " " << c.row.black;
  }
}

TEST(HistogramPointMath, DragStepsPinAtTheRangeEndsAndAnOverMoveGoesNoFurther) {
  struct Case {
    const char* what;
    Marker marker;
    double startX, cur;
    bool moved, pinned, overMove;
    double x;
    int value;
  } cases[] = {
      {"black right by 10", Marker::Black, 50, 60, true, false, false, 60, 57},
      {"black far left pins at 0", Marker::Black, 50, 10, true, true, true, 27, 0},
      {"white far right pins at 255", Marker::White, 100, 300, true, true, true, 177, 255},
      {"mid onto white pins 5 under it", Marker::Mid, 100, 173, true, true, false, 174, 250},
      {"pointer outside, marker stays inside", Marker::Black, 20, 22, false, false, true, 27, 0},
  };
  for (const Case& c : cases) {
    const M::Step s = M::dragStep(c.marker, defaultRow(), c.startX, c.cur);
    EXPECT_EQ(s.moved, c.moved) << c.what;
    EXPECT_EQ(s.pinned, c.pinned) << c.what;
    EXPECT_EQ(s.overMove, c.overMove) << c.what;
    EXPECT_EQ(s.x, c.x) << c.what;
    EXPECT_EQ(s.value, c.value) << c.what;
  }
}

TEST(HistogramPointMath, EyedropperPicksPerChannel) {
  // White (200, 180, 160) on 0/128/255 gives mids 101, 91, 81.
  const int whites[3] = {200, 180, 160}, mids[3] = {101, 91, 81};
  for (int i = 0; i < 3; ++i) {
    const M::Pair p = M::pickWhite(whites[i], 0, 128, 255);
    EXPECT_EQ(p.first, whites[i]);
    EXPECT_EQ(p.second, mids[i]);
  }
  // Black 250 under white 255 gives black 245 and mid 250.
  EXPECT_EQ(M::pickBlack(250, 0, 128, 255).first, 245);
  EXPECT_EQ(M::pickBlack(250, 0, 128, 255).second, 250);
  // Black (40, 60, 80) gives mids 147, 157, 167.
  EXPECT_EQ(M::pickBlack(40, 0, 128, 255).second, 147);
  EXPECT_EQ(M::pickBlack(60, 0, 128, 255).second, 157);
  EXPECT_EQ(M::pickBlack(80, 0, 128, 255).second, 167);
  EXPECT_EQ(M::pickMid(2, 0, 255), 5);
  EXPECT_EQ(M::pickMid(254, 0, 255), 250);
}
