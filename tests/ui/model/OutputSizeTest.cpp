#include <gtest/gtest.h>

#include <vector>

#include "TestEnvironment.h"
#include "foundation/PropertyList.h"
#include "ui/model/OutputSize.h"

namespace {

void expectLength(const OutputSizeLength& got, const OutputSizeLength& expected, const char* what) {
  EXPECT_DOUBLE_EQ(got.inch, expected.inch) << what;
  EXPECT_DOUBLE_EQ(got.pixel, expected.pixel) << what;
  EXPECT_DOUBLE_EQ(got.cm, expected.cm) << what;
}

}  // namespace

TEST(OutputSize, CustomFlagOfTheThreeBeginnings) {
  EXPECT_TRUE(Quirel_OutputSize().isCustom());
  const Quirel_OutputSize set(4, 1, "Screen", 2);
  EXPECT_FALSE(set.isCustom());
  EXPECT_EQ(set.getIndex(), 4);
  EXPECT_EQ(set.getDestination(), 1);
  EXPECT_EQ(set.getName(), std::optional<std::string>("Screen"));
  EXPECT_EQ(set.getUnit(), 2);
  expectLength(set.getOutputWidth(), {0, 0, 0}, "width");
  expectLength(set.getOutputHeight(), {0, 0, 0}, "height");
  EXPECT_FALSE(Quirel_OutputSize(fnd::Dictionary{}).isCustom());
}

TEST(OutputSize, SetSizeByUnit) {
  struct Case {
    int unit;
    double width, height;
    OutputSizeLength w, h;  // from a record whose members were all 9 before
  };
  const Case cases[] = {
      {0, 1, 2, {1, 9, 2.54}, {2, 9, 5.08}},
      {1, 2.54, 5.08, {1, 9, 2.54}, {2, 9, 5.08}},
      {2, 640, 480, {9, 640, 9}, {9, 480, 9}},
      {7, 640, 480, {9, 640, 9}, {9, 480, 9}},
      {-1, 640, 480, {9, 640, 9}, {9, 480, 9}},
  };
  for (const Case& c : cases) {
    Quirel_OutputSize size;
    size.setOutputWidth({9, 9, 9});
    size.setOutputHeight({9, 9, 9});
    size.setSize(c.unit, c.width, c.height);
    SCOPED_TRACE(c.unit);
    expectLength(size.getOutputWidth(), c.w, "width");
    expectLength(size.getOutputHeight(), c.h, "height");
  }
}

TEST(OutputSize, DictionaryFormAndFileRoundTrip) {
  Quirel_OutputSize print(3, 0, "Photo 9 x 13", 1);
  print.setSize(1, 9, 13);
  print.setCustom(true);
  Quirel_OutputSize screen(20, 1, "Wallpaper", 2);
  screen.setSize(2, 1920, 1080);
  const Quirel_OutputSize copy(screen);  // `initWithOutputSize:`

  const fnd::Dictionary d = print.getDictionary();
  EXPECT_EQ(d.keys(), (std::vector<std::string>{"Destination", "HeightCm", "HeightInch", "HeightPixel", "Index",
                                                "Name", "Unit", "WidthCm", "WidthInch", "WidthPixel", "isCustom"}));
  EXPECT_TRUE(d.get("isCustom").isBool());
  EXPECT_TRUE(d.get("Index").isInteger());
  EXPECT_TRUE(d.get("WidthCm").isReal());

  const std::string path = (testenv::freshFolder("outputsize") / "OutputSize.xml").string();
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Array{print.getDictionary(), copy.getDictionary()}, path));
  const auto read = fnd::PropertyList::readFile(path);
  ASSERT_TRUE(read.ok()) << read.error;
  const fnd::Array& entries = read.value->toArray();
  ASSERT_EQ(entries.size(), 2u);
  const Quirel_OutputSize a(entries[0].toDictionary());
  const Quirel_OutputSize b(entries[1].toDictionary());
  for (auto [got, want] : {std::pair{&a, &print}, std::pair{&b, &screen}}) {
    EXPECT_EQ(got->getName(), want->getName());
    EXPECT_EQ(got->getIndex(), want->getIndex());
    EXPECT_EQ(got->getDestination(), want->getDestination());
    EXPECT_EQ(got->getUnit(), want->getUnit());
    EXPECT_EQ(got->isCustom(), want->isCustom());
    expectLength(got->getOutputWidth(), want->getOutputWidth(), "width");
    expectLength(got->getOutputHeight(), want->getOutputHeight(), "height");
  }
  EXPECT_TRUE(a.isCustom());
  EXPECT_FALSE(b.isCustom());
}

TEST(OutputSize, EntryWithoutNameStaysUnnamed) {
  // A hand-edited file may lose the name: the entry is kept, unnamed, and written back without
  // one, so the file stays readable.
  const Quirel_OutputSize size(fnd::Dictionary{{"Destination", 1}, {"WidthPixel", 800.0}, {"isCustom", true}});
  EXPECT_FALSE(size.hasName());
  EXPECT_EQ(size.getDestination(), 1);
  EXPECT_DOUBLE_EQ(size.getOutputWidth().pixel, 800);
  const fnd::Dictionary d = size.getDictionary();
  EXPECT_FALSE(d.contains("Name"));
  EXPECT_TRUE(fnd::PropertyList::write(fnd::Array{d}).has_value());
  // A name of the wrong kind counts as none.
  EXPECT_FALSE(Quirel_OutputSize(fnd::Dictionary{{"Name", 12}}).hasName());

  Quirel_OutputSize renamed(size);
  renamed.setValue(2, 0, "Named", 1);
  EXPECT_EQ(renamed.getName(), std::optional<std::string>("Named"));
  EXPECT_EQ(renamed.getDictionary().string("Name"), "Named");
}
