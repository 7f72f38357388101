// The colour-pattern dialog's fixed data: the nineteen cells and the reduction size.
#include <gtest/gtest.h>

#include "ColorPatternTestSupport.h"

using Dialog = Quirel_ColorPatternDialog;

TEST(ColorPatternTable, EachButtonStepsToTheCellItsMoveReachesElseStays) {
  const auto& table = Dialog::cellTable();
  auto find = [&](int r, int g, int b) {
    for (std::size_t j = 0; j < table.size(); ++j)
      if (table[j].r == r && table[j].g == g && table[j].b == b) return int(j);
    return -1;
  };
  int steps = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const auto& cell = table[i];
    SCOPED_TRACE(testing::Message() << "cell " << i);
    EXPECT_EQ(cell.r + cell.g + cell.b, 0);
    EXPECT_EQ(find(cell.r, cell.g, cell.b), int(i)) << "offsets appear once";
    for (int button = 0; button < Dialog::kButtonCount; ++button) {
      SCOPED_TRACE(testing::Message() << "button " << button);
      const auto move = Dialog::buttonMove(Dialog::ColorButton(button));
      const int target = find(cell.r + move[0], cell.g + move[1], cell.b + move[2]);
      if (target >= 0) {
        EXPECT_TRUE(cell.enabled[std::size_t(button)]);
        EXPECT_EQ(cell.next[std::size_t(button)], target);
        ++steps;
      } else {
        EXPECT_FALSE(cell.enabled[std::size_t(button)]);
        EXPECT_EQ(cell.next[std::size_t(button)], int(i));
      }
    }
  }
  EXPECT_EQ(steps, 84);  // the 42 pairs of cells one button step apart, both ways
  EXPECT_EQ(table[Dialog::kNeutralCell].r, 0);
  EXPECT_EQ(table[Dialog::kNeutralCell].g, 0);
  EXPECT_EQ(table[Dialog::kNeutralCell].b, 0);
}

TEST(ColorPatternTable, ReductionKeepsTheLongerSideAtAHundredAndNoSideAtZero) {
  struct Case {
    int w, h, tw, th;
  };
  for (const Case& c : {Case{300, 200, 100, 66}, Case{200, 300, 66, 100}, Case{90, 60, 100, 66}, Case{100, 100, 100, 100},
                        Case{1000, 5, 100, 1}, Case{5, 1000, 1, 100}, Case{1, 1, 100, 100}, Case{0, 50, 0, 0},
                        Case{50, -1, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
    int tw = -1, th = -1;
    Dialog::reducedSize(c.w, c.h, &tw, &th);
    EXPECT_EQ(tw, c.tw);
    EXPECT_EQ(th, c.th);
  }
}
