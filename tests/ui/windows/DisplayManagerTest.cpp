// Window placement on a given visible screen frame.

#include <gtest/gtest.h>

#include "kit/Screen.h"
#include "ui/windows/DisplayManager.h"

namespace {
Quirel_DisplayManager screen(fnd::Rect visible) { return Quirel_DisplayManager(visible, visible); }
}  // namespace

TEST(DisplayManager, DefaultWindowFrameIsA4To3BoxOrTheRequestedSize) {
  struct Case {
    const char* what;
    fnd::Rect visible;
    fnd::Size size;
    fnd::Rect expected;
  } cases[] = {
      // 0.9 x 1000 = 900 > 0.95 x 600 = 570, so the width becomes 4/3 x 570 = 760; centred.
      {"landscape", {0, 0, 1000, 600}, {100, 100}, {120, 15, 760, 570}},
      {"offset screen", {50, 40, 1000, 600}, {100, 100}, {170, 55, 760, 570}},
      // 0.9 x 600 = 540 <= 950: the height becomes 3/4 x 540 = 405.
      {"portrait", {0, 0, 600, 1000}, {100, 100}, {30, 297.5, 540, 405}},
      // Larger requests keep their size: left-aligned and top-aligned.
      {"wide request", {0, 0, 1000, 600}, {900, 100}, {0, 15, 900, 570}},
      {"tall request", {0, 0, 1000, 600}, {100, 580}, {120, 20, 760, 580}},
      {"no screen", {0, 0, 0, 0}, {300, 200}, {0, -200, 300, 200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(screen(c.visible).getDefaultWindowFrame(c.size), c.expected);
  }
}

TEST(DisplayManager, AdjustedFrameStaysOnTheVisibleScreen) {
  const fnd::Rect v(0, 0, 1000, 600);
  struct Case {
    const char* what;
    fnd::Rect frame;
    fnd::Size min;
    fnd::Rect expected;
  } cases[] = {
      {"inside", {100, 100, 300, 200}, {50, 50}, {100, 100, 300, 200}},
      {"too wide: narrowed to the screen", {-50, 100, 1200, 300}, {200, 100}, {0, 100, 1000, 300}},
      {"too wide and minimum wider", {-50, 100, 1200, 300}, {1100, 100}, {0, 100, 1100, 300}},
      {"past the right edge", {900, 100, 300, 200}, {50, 50}, {700, 100, 300, 200}},
      {"below the bottom", {0, -50, 300, 200}, {50, 50}, {0, 0, 300, 200}},
      {"below and taller than the screen", {0, -50, 300, 200}, {50, 700}, {0, -100, 300, 700}},
      {"top edge not clamped", {0, 550, 300, 200}, {50, 50}, {0, 550, 300, 200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(screen(v).getAdjustmentWindowFrame(c.frame, c.min), c.expected);
  }
}

TEST(DisplayManager, ReadsTheMainScreen) {
  // The tests run on the offscreen platform, whose one screen is 800 x 800 points with no
  // panels: the answers are fixed numbers, not the screen's own answers read back.
  const Quirel_DisplayManager dm;
  EXPECT_EQ(dm.getDisplayFrame(), fnd::Rect(0, 0, 800, 800));
  EXPECT_EQ(dm.getVisibleDisplayFrame(), fnd::Rect(0, 0, 800, 800));
  // 0.9 x 800 = 720 <= 0.95 x 800 = 760: a 720 x 540 box, centred.
  EXPECT_EQ(dm.getDefaultWindowFrame({100, 100}), fnd::Rect(40, 130, 720, 540));
  EXPECT_EQ(dm.getAdjustmentWindowFrame({700, 500, 300, 200}, {50, 50}), fnd::Rect(500, 500, 300, 200));
}
