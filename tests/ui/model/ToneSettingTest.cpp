// Named tone settings and "Tone.xml": the record's dictionary, the round trip, the order of the
// file, and hostile files read safely.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>

#include <unistd.h>

#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "ui/model/ToneSetting.h"
#include "TestFiles.h"

namespace {

std::string toneFolder(const char* name) {
  return testenv::emptyFolderAt(std::filesystem::path(fnd::Paths::configDir()) / name);
}

// A record with every field away from its default.
Quirel_ToneSetting busyRecord(int index, const std::string& name, int mode) {
  Quirel_ToneSetting r(index, name, mode);
  r.setColorBalance({-5, 10, -127, 127});
  r.setToneBC({{1, 2, 3, 4}, {-1, -2, -3, -127}});
  r.setHistogram({{1, 2, 3, 4}, {100, 110, 120, 130}, {250, 251, 252, 253}, {90, 91, 92, 93}});
  ToneCurveValues curve = r.getToneCurve();
  curve.selectToneCurve = {5, 1, 2, 3};
  curve.setPointCount[0] = 15;
  curve.setPointCount[3] = 3;
  curve.setPoint[0][14] = {200, 17};
  curve.squarePoint[3][2] = {44, 55};
  r.setToneCurve(curve);
  r.setThreshold(200);
  return r;
}

}  // namespace

TEST(ToneSetting, ANewRecordWritesTheDefaultsUnderEveryKey) {
  const fnd::Dictionary d = Quirel_ToneSetting(5, "Warm", 1).getDictionary();
  EXPECT_EQ(d.string("Name"), "Warm");
  EXPECT_EQ(d.intValue("Index"), 5);
  EXPECT_EQ(d.intValue("ColorMode"), 1);
  EXPECT_EQ(d.intValue("Threshold"), 72);
  EXPECT_EQ(d.get("MidPoint"), fnd::Value(fnd::Array{128, 128, 128, 128}));
  EXPECT_EQ(d.get("WhitePoint"), fnd::Value(fnd::Array{255, 255, 255, 255}));
  EXPECT_EQ(d.get("SetPointCount"), fnd::Value(fnd::Array{2, 2, 2, 2}));
  for (const char* key : {"Chroma", "CyanRed", "MagentaGreen", "YellowBlue"}) EXPECT_TRUE(d.contains(key)) << key;
  ASSERT_EQ(d.array("UserSetPoint").size(), 4u);
  for (const fnd::Value& channel : d.array("UserSetPoint")) {
    ASSERT_EQ(channel.toArray().size(), 15u);
    EXPECT_EQ(channel[0]["pointH"].toInt(), 0);
    EXPECT_EQ(channel[1]["pointH"].toInt(), 255);
    EXPECT_EQ(channel[1]["pointV"].toInt(), 255);
    for (std::size_t i = 2; i < 15; ++i) EXPECT_EQ(channel[i], fnd::Value(fnd::Dictionary{{"pointH", 0}, {"pointV", 0}}));
  }
  EXPECT_EQ(d.array("SquarePoint")[2][1]["pointV"].toInt(), 145);
}

TEST(ToneSetting, TheDictionaryReadsBackEqualInEveryField) {
  const Quirel_ToneSetting written = busyRecord(123456789, "Ünïcode name", 3);
  const Quirel_ToneSetting read(written.getDictionary());
  EXPECT_TRUE(read == written);
  // Through the file as well.
  const std::string folder = toneFolder("tone-roundtrip");
  ASSERT_TRUE(Quirel_ToneSetting::writeToFolder(folder, {busyRecord(1, "bw", 0)}, {written}, {}, false));
  const auto contents = Quirel_ToneSetting::readFromFolder(folder);
  ASSERT_EQ(contents.color.size(), 1u);
  ASSERT_EQ(contents.threshold.size(), 1u);
  EXPECT_TRUE(contents.color[0] == written);
  EXPECT_TRUE(contents.threshold[0] == busyRecord(1, "bw", 0));
}

TEST(ToneSetting, BlackAndWhiteRecordsAreWrittenFirstAndOtherElementsKept) {
  const std::string folder = toneFolder("tone-order");
  const std::string path = Quirel_ToneSetting::filePath(folder);
  fnd::Array mixed{Quirel_ToneSetting(1, "c1", 1).getDictionary(), Quirel_ToneSetting(2, "b1", 0).getDictionary(),
                   fnd::Value("a stray string"), Quirel_ToneSetting(3, "c2", 2).getDictionary(),
                   Quirel_ToneSetting(4, "b2", 0).getDictionary(), Quirel_ToneSetting(5, "c3", 5).getDictionary()};
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(mixed), path));
  auto contents = Quirel_ToneSetting::readFromFolder(folder);
  ASSERT_EQ(contents.threshold.size(), 2u);
  ASSERT_EQ(contents.color.size(), 3u);
  ASSERT_EQ(contents.others.size(), 1u);
  ASSERT_TRUE(Quirel_ToneSetting::writeToFolder(folder, contents.threshold, contents.color, contents.others, false));
  const auto back = fnd::PropertyList::readFile(path);
  ASSERT_TRUE(back.ok());
  std::vector<std::string> names;
  for (const fnd::Value& e : back.value->toArray()) names.push_back(e.isDictionary() ? e["Name"].toString() : e.toString());
  EXPECT_EQ(names, (std::vector<std::string>{"b1", "b2", "c1", "c2", "c3", "a stray string"}));
}

TEST(ToneSetting, HostileElementsReadWithDefaultsAndClamps) {
  struct Case {
    const char* what;
    fnd::Dictionary element;
    std::function<void(const Quirel_ToneSetting&)> check;
  };
  const Case cases[] = {
      {"empty element: record defaults", {},
       [](const Quirel_ToneSetting& r) {
         EXPECT_TRUE(r == Quirel_ToneSetting());
         EXPECT_EQ(r.getHistogram().white.green, 255);
         EXPECT_EQ(r.getThreshold(), 72);
       }},
      {"point count 20 and -3", {{"SetPointCount", fnd::Array{20, -3, 7}}},
       [](const Quirel_ToneSetting& r) {
         EXPECT_EQ(r.getToneCurve().setPointCount[0], 15);
         EXPECT_EQ(r.getToneCurve().setPointCount[1], 2);
         EXPECT_EQ(r.getToneCurve().setPointCount[2], 7);
         EXPECT_EQ(r.getToneCurve().setPointCount[3], 2);  // short array: default
       }},
      {"short arrays keep the defaults they lack", {{"WhitePoint", fnd::Array{200}}, {"MidPoint", fnd::Array{}}},
       [](const Quirel_ToneSetting& r) {
         EXPECT_EQ(r.getHistogram().white.master, 200);
         EXPECT_EQ(r.getHistogram().white.blue, 255);
         EXPECT_EQ(r.getHistogram().mid.red, 128);
       }},
      {"out of range values are clamped",
       {{"Threshold", 999}, {"Chroma", -500}, {"Brightness", fnd::Array{300, -300, 0, 5}}, {"ToneCurve", fnd::Array{9, -1, 3, 5}},
        {"BlackPoint", fnd::Array{-4, 256, 0, 0}}},
       [](const Quirel_ToneSetting& r) {
         EXPECT_EQ(r.getThreshold(), 255);
         EXPECT_EQ(r.getColorBalance().chroma, -127);
         EXPECT_EQ(r.getToneBC().brightness.master, 127);
         EXPECT_EQ(r.getToneBC().brightness.red, -127);
         EXPECT_EQ(r.getToneCurve().selectToneCurve.master, 5);
         EXPECT_EQ(r.getToneCurve().selectToneCurve.red, 0);
         EXPECT_EQ(r.getHistogram().black.master, 0);
         EXPECT_EQ(r.getHistogram().black.red, 255);
       }},
      {"reals that are no number, or past any integer, as a damaged file holds them",
       {{"Threshold", std::numeric_limits<double>::quiet_NaN()},
        {"Chroma", std::numeric_limits<double>::infinity()},
        {"Brightness", fnd::Array{-std::numeric_limits<double>::infinity(), 1e300, -1e300, 12.7}}},
       [](const Quirel_ToneSetting& r) {
         EXPECT_EQ(r.getThreshold(), 72);
         EXPECT_EQ(r.getColorBalance().chroma, Quirel_ToneSetting().getColorBalance().chroma);
         EXPECT_EQ(r.getToneBC().brightness.master, Quirel_ToneSetting().getToneBC().brightness.master);
         EXPECT_EQ(r.getToneBC().brightness.red, 127);
         EXPECT_EQ(r.getToneBC().brightness.green, -127);
         EXPECT_EQ(r.getToneBC().brightness.blue, 12);
       }},
      {"strings and wrong kinds", {{"Threshold", "90"}, {"Name", 17}, {"Index", fnd::Array{1}}, {"UserSetPoint", "x"},
                                   {"SquarePoint", fnd::Array{fnd::Array{fnd::Value("p"), fnd::Dictionary{{"pointH", 999}}}}}},
       [](const Quirel_ToneSetting& r) {
         EXPECT_EQ(r.getThreshold(), 90);
         EXPECT_EQ(r.getName(), "");
         EXPECT_EQ(r.getIndex(), 0);
         EXPECT_EQ(r.getToneCurve().setPoint[0][1].h, 255);
         EXPECT_EQ(r.getToneCurve().squarePoint[0][0].h, 0);
         EXPECT_EQ(r.getToneCurve().squarePoint[0][1].h, 255);
         EXPECT_EQ(r.getToneCurve().squarePoint[0][1].v, 145);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.check(Quirel_ToneSetting(c.element));
  }
}

TEST(ToneSetting, BrokenFilesGiveEmptyListsAndAreKeptBeforeTheyAreReplaced) {
  const std::string folder = toneFolder("tone-broken");
  const std::string path = Quirel_ToneSetting::filePath(folder);
  EXPECT_EQ(path, folder + "/Tone.xml");
  // Missing: nothing, and nothing unreadable.
  auto none = Quirel_ToneSetting::readFromFolder(folder);
  EXPECT_TRUE(none.color.empty() && none.threshold.empty() && !none.unreadable);

  for (const std::string& body : {std::string("garbage \x01\x02 <plist"),
                                   std::string("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict/></plist>")}) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << body;
    auto c = Quirel_ToneSetting::readFromFolder(folder);
    EXPECT_TRUE(c.color.empty() && c.threshold.empty());
    EXPECT_TRUE(c.unreadable);
    EXPECT_TRUE(Quirel_ToneSetting::readAll(folder).empty());
    ASSERT_TRUE(Quirel_ToneSetting::writeToFolder(folder, {}, {Quirel_ToneSetting(1, "new", 1)}, {}, c.unreadable));
    EXPECT_EQ(testenv::readFile(path + ".unreadable"), body);
    EXPECT_EQ(Quirel_ToneSetting::readAll(folder).size(), 1u);
  }

  // More entries than the dialog would add: all read.
  fnd::Array many;
  for (int i = 0; i < 25; ++i) many.push_back(Quirel_ToneSetting(i, "n" + std::to_string(i), i % 2).getDictionary());
  ASSERT_TRUE(fnd::PropertyList::writeFile(fnd::Value(many), path));
  auto c = Quirel_ToneSetting::readFromFolder(folder);
  EXPECT_EQ(c.color.size() + c.threshold.size(), 25u);
}

TEST(ToneSetting, AFailedWriteLeavesTheOldFileWhole) {
  const std::string folder = toneFolder("tone-readonly");
  ASSERT_TRUE(Quirel_ToneSetting::writeToFolder(folder, {}, {Quirel_ToneSetting(1, "kept", 1)}, {}, false));
  const std::string before = testenv::readFile(Quirel_ToneSetting::filePath(folder));
  std::string error;
  bool ok = true;
  testenv::whileUnwritable(folder, [&] {
    ok = Quirel_ToneSetting::writeToFolder(folder, {}, {Quirel_ToneSetting(2, "lost", 1)}, {}, false, &error);
  });
  EXPECT_FALSE(ok);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(testenv::readFile(Quirel_ToneSetting::filePath(folder)), before);
  EXPECT_EQ(Quirel_ToneSetting::filePath("~/cfg/"), fnd::Paths::homeDir() + "/cfg/Tone.xml");
}
