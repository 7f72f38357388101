// The message box's layout as pure functions: the standard box, the wide layout's line split,
// the narrow layout, and screens that are missing or too small.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ui/windows/MessageBoxLayout.h"

namespace {

using L = Quirel_MessageBoxLayout;

// A text whose lines are 17 high: as many lines as its natural width needs at a width.
auto wrapping(double natural) {
  return [natural](double width) { return 17.0 * std::ceil(natural / width); };
}

}  // namespace

TEST(MessageBoxLayout, OneLineGivesTheStandardBox) {
  for (int type : {0, 1}) {
    L::Result r = L::compute(150, wrapping(150), type, 1000);
    EXPECT_EQ(r.lines, 1);
    EXPECT_DOUBLE_EQ(r.windowWidth, 420);
    EXPECT_DOUBLE_EQ(r.windowHeight, 145);
    EXPECT_EQ(r.textFrame, fnd::Rect(100, 60, 300, 68));
    // The caution sign sits beside the top of the text, the badge on its lower right quarter.
    EXPECT_EQ(r.cautionFrame, fnd::Rect(10, 64, 64, 64));
    EXPECT_EQ(r.badgeFrame, fnd::Rect(42, 64, 32, 32));
  }
}

TEST(MessageBoxLayout, WideLayoutSplitsLongTextsIntoLinesOfTheMaximumAtMost) {
  const float maximum = 1000;
  // Twice the maximum: whole part 2, plus 1, three lines of a third each.
  L::Result r = L::compute(2000, wrapping(2000), 1, maximum);
  EXPECT_EQ(r.lines, 3);
  EXPECT_DOUBLE_EQ(r.textWidth, 2000.0 / 3);
  EXPECT_DOUBLE_EQ(r.windowWidth, static_cast<float>(2000.0 / 3 + 120));
  EXPECT_DOUBLE_EQ(r.textHeight, 68);  // three lines of 17 fit the minimum
  EXPECT_DOUBLE_EQ(r.windowHeight, 145);

  // Exactly the maximum is already split.
  EXPECT_EQ(L::compute(1000, wrapping(1000), 1, maximum).lines, 2);
  // Between 300 and the maximum the text keeps its own width on one line.
  L::Result mid = L::compute(640, wrapping(640), 1, maximum);
  EXPECT_EQ(mid.lines, 1);
  EXPECT_DOUBLE_EQ(mid.textWidth, 640);
  EXPECT_DOUBLE_EQ(mid.windowWidth, 760);
}

TEST(MessageBoxLayout, NarrowLayoutKeepsThreeHundredAndGrowsInHeight) {
  L::Result r = L::compute(5000, wrapping(5000), 0, 1000);
  EXPECT_DOUBLE_EQ(r.textWidth, 300);
  EXPECT_DOUBLE_EQ(r.windowWidth, 420);
  EXPECT_DOUBLE_EQ(r.textHeight, 17.0 * 17);
  EXPECT_DOUBLE_EQ(r.windowHeight, static_cast<float>(17.0 * 17 + 77));
  EXPECT_EQ(r.textFrame, fnd::Rect(100, 60, 300, 289));
  EXPECT_EQ(r.cautionFrame.origin.y, 60 + 289 - 64);
  // The network box's text starts at 105.
  EXPECT_EQ(L::compute(100, wrapping(100), 0, 1000, L::kNetErrorTextX).textFrame.origin.x, 105);
}

TEST(MessageBoxLayout, MissingOrTinyScreensStillGiveOneLineAtLeast) {
  EXPECT_FLOAT_EQ(L::maximumTextWidth(fnd::Rect(0, 0, 1920, 1080)), 1920 * 0.9f - 120);
  // No screen (the zero frame) or one too narrow: the standard width, never zero or negative.
  for (const fnd::Rect& screen : {fnd::Rect(), fnd::Rect(0, 0, 200, 100), fnd::Rect(0, 0, 466, 300)})
    EXPECT_FLOAT_EQ(L::maximumTextWidth(screen), 300) << screen.size.width;

  const float noScreen = L::maximumTextWidth(fnd::Rect());
  for (double natural : {0.0, 50.0, 300.0, 301.0, 90000.0}) {
    L::Result r = L::compute(natural, wrapping(std::max(natural, 1.0)), 1, noScreen);
    EXPECT_GE(r.lines, 1) << natural;
    EXPECT_TRUE(std::isfinite(r.textWidth) && r.textWidth > 0) << natural;
    EXPECT_TRUE(std::isfinite(r.windowHeight) && r.windowHeight >= 145) << natural;
  }
  // Even a zero maximum handed in directly is not divided by.
  L::Result zero = L::compute(900, wrapping(900), 1, 0);
  EXPECT_EQ(zero.lines, 4);
  EXPECT_DOUBLE_EQ(zero.textWidth, 225);
  // Nonsense measurements keep the standard box.
  L::Result nan = L::compute(std::numeric_limits<double>::quiet_NaN(),
                             [](double) { return std::numeric_limits<double>::quiet_NaN(); }, 1, 1000);
  EXPECT_DOUBLE_EQ(nan.windowWidth, 420);
  EXPECT_DOUBLE_EQ(nan.windowHeight, 145);
}

TEST(MessageBoxLayout, ButtonsSitAtTheBottomRight) {
  EXPECT_EQ(L::okButtonFrame(420), fnd::Rect(305, 12, 100, 32));
  EXPECT_EQ(L::cancelButtonFrame(420), fnd::Rect(200, 12, 100, 32));
  EXPECT_EQ(L::exitButtonFrame(420), fnd::Rect(270, 12, 132, 32));
  EXPECT_EQ(L::selectButtonFrame(420, 132), fnd::Rect(136, 12, 132, 32));
  EXPECT_EQ(L::selectButtonFrame(420, 133), fnd::Rect(118, 12, 150, 32));
}
