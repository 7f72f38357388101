#include <gtest/gtest.h>

#include "ui/model/Units.h"

TEST(Units, ConversionTable) {
  struct Row {
    const char* what;
    double got, expected;
  };
  const Row rows[] = {
      {"convertResolution equal", convertResolution(150, 300, 300), 150},
      {"convertResolution double", convertResolution(150, 300, 600), 300},
      {"convertResolution down", convertResolution(9600, 9600, 300), 300},
      {"calcRatio zero base", calcRatio(0, 5, 7), 0},
      {"calcRatio", calcRatio(4, 3, 8), 6},
      {"cmToPixel", cmToPixel(2.54, 96), 96},
      {"pixelToCm", pixelToCm(96, 96), 2.54},
      {"cmToInch", cmToInch(5.08), 2},
      {"inchToCm", inchToCm(2), 5.08},
      {"inchToPixel", inchToPixel(1.5, 300), 450},
      {"pixelToInch", pixelToInch(100, 96), 100.0 / 96.0},
  };
  for (const Row& row : rows) EXPECT_DOUBLE_EQ(row.got, row.expected) << row.what;
  // Exact where the order of operations allows it, and never rounded.
  EXPECT_EQ(cmToPixel(2.54, 96), 96.0);
  EXPECT_EQ(convertResolution(0.1, 300, 300), 0.1);
  EXPECT_NE(pixelToInch(100, 96), 1.0);
}

TEST(Units, GeometryMakers) {
  SRectDouble r = makeSRectDouble(1, 2, 3, 4);
  EXPECT_EQ(r.origin.x, 1);
  EXPECT_EQ(r.origin.y, 2);
  EXPECT_EQ(r.size.width, 3);
  EXPECT_EQ(r.size.height, 4);
  static_assert(sizeof(SRectDouble) == 32);
  SRectDouble z = zeroSRectDouble();
  EXPECT_EQ(z.origin.x + z.origin.y + z.size.width + z.size.height, 0);
  SPointDouble p = makeSPointDouble(-1.5, 2.5);
  EXPECT_EQ(p.x, -1.5);
  EXPECT_EQ(p.y, 2.5);
  SSizeDouble s = makeSSizeDouble(7, 8);
  EXPECT_EQ(s.width, 7);
  EXPECT_EQ(s.height, 8);
  EXPECT_EQ(zeroSPointDouble().x, 0);
  EXPECT_EQ(zeroSSizeDouble().height, 0);
}

TEST(Units, UnrotatedStartPoint) {
  // A 4 x 6 area at (2, 3) of a 20 x 30 preview as displayed, turned and mirrored back.
  struct Row {
    int rotation;
    bool mirror;
    double x, y;
  };
  const Row rows[] = {{0, false, 2, 3},  {1, false, 3, 14}, {2, false, 14, 21}, {3, false, 21, 2},
                      {0, true, 14, 3},  {1, true, 3, 2},   {2, true, 2, 21},   {3, true, 21, 14},
                      {7, false, 2, 3}};
  for (const Row& row : rows) {
    const SPointDouble p = unrotatedStartPoint({2, 3}, {4, 6}, {20, 30}, row.rotation, row.mirror);
    EXPECT_EQ(p.x, row.x) << "rotation " << row.rotation << " mirror " << row.mirror;
    EXPECT_EQ(p.y, row.y) << "rotation " << row.rotation << " mirror " << row.mirror;
  }
}
