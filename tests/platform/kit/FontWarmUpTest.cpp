#include <gtest/gtest.h>

#include "kit/Font.h"
#include "kit/FontWarmUp.h"

// Text measured while the font configuration loads on the worker (both threads reading it at
// once) comes out as measured afterwards, and the warm-up's end waits for its worker. A few
// rounds, since whether the two overlap depends on timing.
TEST(FontWarmUp, TextMeasuredDuringTheWarmUpMatchesTextMeasuredAfterIt) {
  double during = 0;
  for (int round = 0; round < 3; ++round) {
    kit::FontWarmUp warmUp;
    during = kit::Font::systemFont(13).widthOfString("Select a Scanner");
  }
  EXPECT_GT(during, 0);
  EXPECT_DOUBLE_EQ(kit::Font::systemFont(13).widthOfString("Select a Scanner"), during);
}
