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

TEST(ColorPatternTable, ButtonTitlesThatDoNotFitWidenByTheirRule) {
  struct Case {
    double x, textWidth;
    int rule;
    double newX, newWidth;
  };
  // Fields of 60 at the three places of the adjustment area.
  for (const Case& c : {Case{0, 50, 0, 0, 60}, Case{75, 60, 1, 75, 60}, Case{150, 59.5, 2, 150, 60},
                        Case{0, 90, 0, 0, 90}, Case{75, 90, 1, 60, 90}, Case{75, 91, 1, 59.5, 91},
                        Case{150, 80, 2, 135, 80},    // 140..220, then left by 5
                        Case{150, 100, 2, 115, 100},  // 130..230, then left by 15
                        Case{0, 900, 0, 0, 500}}) {   // measured within 500
    SCOPED_TRACE(testing::Message() << c.x << " " << c.textWidth << " rule " << c.rule);
    const fnd::Rect r = Dialog::fittedTitleFrame(fnd::Rect(c.x, 10, 60, 22), c.textWidth, c.rule);
    EXPECT_EQ(r.origin.x, c.newX);
    EXPECT_EQ(r.size.width, c.newWidth);
    EXPECT_EQ(r.origin.y, 10);
    EXPECT_EQ(r.size.height, 22);
  }
}
