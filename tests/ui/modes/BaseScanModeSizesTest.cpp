// Page and output sizes, their overrides, the output-size menus and the unit conversions.

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "ModesTestSupport.h"
#include "foundation/Bundle.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/model/OutputSizeFile.h"

using modes_test::TestScanMode;

namespace {

namespace fs = std::filesystem;

fnd::Dictionary sizeEntry(double w, double h) { return fnd::Dictionary{{"W", w}, {"H", h}}; }

fnd::Array sizeArray(std::size_t count, double w, double h) {
  fnd::Array a;
  for (std::size_t i = 0; i < count; ++i) a.emplace_back(sizeEntry(w + static_cast<double>(i), h));
  return a;
}

// A fresh settings folder for one test.
std::string freshFolder(const std::string& name) {
  const fs::path dir = fs::path(fnd::Paths::configDir()) / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir.string();
}

Quirel_OutputSize userSize(int index, int destination, const std::string& name, int unit, double w, double h) {
  Quirel_OutputSize size(index, destination, name, unit);
  size.setSize(unit, w, h);
  return size;
}

const fnd::Dictionary kMenuParameters{
    {"StandardMode",
     fnd::Dictionary{{"OutputSize", fnd::Dictionary{{"MenuItem", fnd::Dictionary{{"Print", fnd::Array{2, 10}},
                                                                                {"Display", fnd::Array{17}}}}}}}},
    {"ExtendMode",
     fnd::Dictionary{{"OutputSize", fnd::Dictionary{{"MenuItem", fnd::Dictionary{{"Print", fnd::Array{1}}}}}}}}};

}  // namespace

TEST(BaseScanModeSizes, PaperSizesInPixelsAndThePlatenEntries) {
  TestScanMode mode;
  mode.setPlatenResolution(600);
  mode.setPlatenRect_Pixel96({{0, 0}, {5100, 7020}});
  mode.setFilmPlatenRect_Pixel96({{10, 20}, {1500, 4000}});
  mode.setADFPlatenRect_Pixel96({{30, 40}, {5100, 8400}});

  const SSizeDouble a4 = mode.getPaperSizeWH_Pixel96(10);
  EXPECT_NEAR(a4.width, 4960.6, 0.05);
  EXPECT_NEAR(a4.height, 7015.7, 0.05);
  struct Case {
    int entry;
    double w, h, x, y;
  };
  for (const Case c : {Case{0, 5100, 7020, 0, 0}, Case{22, 1500, 4000, 10, 20}, Case{21, 1500, 4000, 10, 20},
                       Case{34, 1500, 4000, 10, 20}, Case{32, 5100, 8400, 30, 40},
                       // Outside the table and not a platen entry: no size.
                       Case{33, 0, 0, 0, 0}, Case{40, 0, 0, 0, 0}, Case{-1, 0, 0, 0, 0}}) {
    const SSizeDouble s = mode.getPaperSizeWH_Pixel96(c.entry);
    const SPointDouble p = mode.getPaperSizePoint_Pixel96(c.entry);
    EXPECT_DOUBLE_EQ(s.width, c.w) << c.entry;
    EXPECT_DOUBLE_EQ(s.height, c.h) << c.entry;
    EXPECT_DOUBLE_EQ(p.x, c.x) << c.entry;
    EXPECT_DOUBLE_EQ(p.y, c.y) << c.entry;
  }
  EXPECT_DOUBLE_EQ(Quirel_BaseScanMode::getSZoomRate(1), 1.5);
  EXPECT_DOUBLE_EQ(Quirel_BaseScanMode::getSZoomRate(6), 0);
  EXPECT_DOUBLE_EQ(Quirel_BaseScanMode::getSRotationRate(3), 270);
}

TEST(BaseScanModeSizes, OverridesDivideOnlyTheFirstSixteenOutputSizesOnNewerModels) {
  for (bool newer : {true, false}) {
    TestScanMode mode;
    mode.setScannerInfo(modes_test::scannerWith({{"Ver1500Later", newer}}));
    fnd::Array sizes(21, fnd::Value(sizeEntry(0, 0)));
    sizes[1] = sizeEntry(90, 55);
    sizes[15] = sizeEntry(215.9, 279.4);
    sizes[16] = sizeEntry(128, 128);
    sizes[20] = sizeEntry(1280, 1024);
    const fnd::Dictionary parameters{{"OutputSizeWH", sizes}};
    mode.loadDefaultOutputSizeTableFromXmlFile(&parameters);
    const double f = newer ? 10 : 1;
    EXPECT_DOUBLE_EQ(mode.getDefaultOutputSizeWH(1).width, 90 / f);
    EXPECT_DOUBLE_EQ(mode.getDefaultOutputSizeWH(1).height, 55 / f);
    EXPECT_DOUBLE_EQ(mode.getDefaultOutputSizeWH(15).width, 215.9 / f);
    EXPECT_DOUBLE_EQ(mode.getDefaultOutputSizeWH(16).width, 128);
    EXPECT_DOUBLE_EQ(mode.getDefaultOutputSizeWH(20).height, 1024);
    // Entries past the override keep the built-in table.
    EXPECT_DOUBLE_EQ(mode.getDefaultOutputSizeWH(24).width, 2592);
  }
  // Another mode object still has the built-in table.
  TestScanMode other;
  EXPECT_DOUBLE_EQ(other.getDefaultOutputSizeWH(1).width, 9);
}

TEST(BaseScanModeSizes, OverlongOverridesApplyTheirFirstEntriesAndOutsideIndexesGiveNoSize) {
  TestScanMode mode;
  const fnd::Dictionary parameters{{"PaperSizeWH", sizeArray(30, 100, 200)},
                                   {"OutputSizeWH", sizeArray(30, 300, 400)}};
  mode.loadPaperSizeTableFromXmlFile(&parameters);
  mode.loadDefaultOutputSizeTableFromXmlFile(&parameters);
  EXPECT_DOUBLE_EQ(mode.getPaperSizeWH(23).width, 123);
  EXPECT_DOUBLE_EQ(mode.getDefaultOutputSizeWH(24).width, 324);
  for (int index : {24, 29, 40, -1}) EXPECT_DOUBLE_EQ(mode.getPaperSizeWH(index).width, 0) << index;
  for (int index : {25, 30, 40, -1}) EXPECT_DOUBLE_EQ(mode.getDefaultOutputSizeWH(index).height, 0) << index;
  // Every key spelling of a size; a missing value is 0.
  const fnd::Dictionary spelled{{"PaperSizeWH", fnd::Array{fnd::Dictionary{{"w", 1}, {"Height", 2}},
                                                           fnd::Dictionary{{"Width", 3}}, fnd::Value(7)}}};
  mode.loadPaperSizeTableFromXmlFile(&spelled);
  EXPECT_DOUBLE_EQ(mode.getPaperSizeWH(0).width, 1);
  EXPECT_DOUBLE_EQ(mode.getPaperSizeWH(0).height, 2);
  EXPECT_DOUBLE_EQ(mode.getPaperSizeWH(1).width, 3);
  EXPECT_DOUBLE_EQ(mode.getPaperSizeWH(1).height, 0);
  EXPECT_DOUBLE_EQ(mode.getPaperSizeWH(2).width, 0);
  const fnd::Dictionary rect{{"x", 1}, {"Y", 2}, {"Width", 3}, {"w", 9}, {"H", 4}};
  const SRectDouble r = Quirel_BaseScanMode::dictionaryToRect(&rect);
  EXPECT_DOUBLE_EQ(r.origin.x, 1);
  EXPECT_DOUBLE_EQ(r.origin.y, 2);
  EXPECT_DOUBLE_EQ(r.size.width, 3);
  EXPECT_DOUBLE_EQ(r.size.height, 4);
}

TEST(BaseScanModeSizes, SizesOfAnAspectInAndAroundABox) {
  struct Case {
    double a, b, c, e;
    double inW, inH, outW, outH;
  };
  for (const Case c : {Case{4, 3, 100, 50, 66.6667, 50, 100, 75}, Case{4, 3, 100, 80, 100, 75, 106.6667, 80},
                       Case{1, 1, 10, 10, 10, 10, 10, 10},
                       // A side of zero has no size, and nothing is divided by it.
                       Case{0, 3, 100, 50, 0, 0, 0, 0}, Case{4, 0, 100, 50, 0, 0, 0, 0},
                       Case{4, 3, 0, 50, 0, 0, 0, 0}, Case{4, 3, 100, 0, 0, 0, 0, 0}}) {
    const SSizeDouble in = Quirel_BaseScanMode::calcSizeInSize(c.a, c.b, c.c, c.e);
    const SSizeDouble out = Quirel_BaseScanMode::calcSizeOutSize(c.a, c.b, c.c, c.e);
    EXPECT_NEAR(in.width, c.inW, 1e-3) << c.a << ":" << c.b << " in " << c.c << "x" << c.e;
    EXPECT_NEAR(in.height, c.inH, 1e-3);
    EXPECT_NEAR(out.width, c.outW, 1e-3);
    EXPECT_NEAR(out.height, c.outH, 1e-3);
  }
}

TEST(BaseScanModeSizes, RoundingDownForTextIsADecimalFloor) {
  struct Case {
    double value;
    int digits;
    const char* text;
  };
  for (const Case c : {Case{2.999, 2, "2.99"}, Case{2.999, 0, "2"}, Case{0.29, 2, "0.29"}, Case{1.15, 2, "1.15"},
                       Case{4.35, 1, "4.3"}, Case{0.1, 3, "0.100"}, Case{8.2, 2, "8.20"}, Case{12, 2, "12.00"},
                       Case{-1.234, 2, "-1.24"}, Case{-1.2, 2, "-1.20"}, Case{-0.001, 2, "-0.01"},
                       Case{0.0, 2, "0.00"}, Case{1e-9, 2, "0.00"}}) {
    EXPECT_EQ(Quirel_BaseScanMode::roundDownForString(c.value, c.digits), c.text) << c.value << " " << c.digits;
  }
  EXPECT_DOUBLE_EQ(Quirel_BaseScanMode::maltipleUnit(150, 10), 15);
}

TEST(BaseScanModeSizes, DisplayedPointsAndRectanglesTurnBackIntoThePlainImage) {
  const SSizeDouble size{100, 60};
  struct Case {
    bool mirror;
    int rotation;
    SPointDouble point;
    SRectDouble rect;
  };
  // Point (10, 20) and rectangle (10, 20, 30, 5) of the displayed preview.
  for (const Case c : {Case{false, 0, {10, 20}, {{10, 20}, {30, 5}}}, Case{false, 1, {20, 90}, {{20, 60}, {5, 30}}},
                       Case{false, 2, {90, 40}, {{60, 35}, {30, 5}}}, Case{false, 3, {40, 10}, {{35, 10}, {5, 30}}},
                       Case{true, 0, {90, 20}, {{60, 20}, {30, 5}}}, Case{true, 1, {20, 10}, {{20, 10}, {5, 30}}}}) {
    const SPointDouble p = Quirel_BaseScanMode::calcNonConvertedPoint({10, 20}, size, c.mirror, c.rotation);
    const SRectDouble r = Quirel_BaseScanMode::calcNonConvertedRect({{10, 20}, {30, 5}}, size, c.mirror, c.rotation);
    EXPECT_DOUBLE_EQ(p.x, c.point.x) << c.mirror << c.rotation;
    EXPECT_DOUBLE_EQ(p.y, c.point.y) << c.mirror << c.rotation;
    EXPECT_DOUBLE_EQ(r.origin.x, c.rect.origin.x) << c.mirror << c.rotation;
    EXPECT_DOUBLE_EQ(r.origin.y, c.rect.origin.y) << c.mirror << c.rotation;
    EXPECT_DOUBLE_EQ(r.size.width, c.rect.size.width);
    EXPECT_DOUBLE_EQ(r.size.height, c.rect.size.height);
  }
}

TEST(BaseScanModeSizes, AFrameTurnedAndMirroredGoesBackAndForthThroughThePlainImage) {
  TestScanMode mode;
  for (int rotation = 0; rotation < 4; ++rotation) {
    for (bool mirror : {false, true}) {
      Quirel_CropInfo crop;
      crop.setPreviewSize_Pixel96({100, 100});
      crop.setVisiblePreviewSize_Pixel96({100, 100});
      crop.setPreviewStartPoint_Pixel96({0, 0});
      crop.setInputRect_Pixel96({{10, 20}, {30, 40}});
      crop.setOutputSize_Pixel96({300, 400});
      crop.setRotation(rotation);
      crop.setMirror(mirror);
      mode.setNonConvertedRect(crop);
      EXPECT_EQ(crop.getRotation(), 0);
      EXPECT_FALSE(crop.getMirror());
      const bool turned = rotation % 2 == 1;
      EXPECT_DOUBLE_EQ(crop.getOutputSize_Pixel96().width, turned ? 400 : 300);
      EXPECT_DOUBLE_EQ(crop.getInputRect_Pixel96().size.width, turned ? 40 : 30);
      crop.setRotation(rotation);
      crop.setMirror(mirror);
      mode.setConvertedRect(crop);
      const SRectDouble back = crop.getInputRect_Pixel96();
      EXPECT_DOUBLE_EQ(back.origin.x, 10) << rotation << mirror;
      EXPECT_DOUBLE_EQ(back.origin.y, 20) << rotation << mirror;
      EXPECT_DOUBLE_EQ(back.size.width, 30);
      EXPECT_DOUBLE_EQ(crop.getOutputSize_Pixel96().width, 300);
    }
  }
}

TEST(BaseScanModeSizes, MenusFromTheParametersAndTheUsersFile) {
  const std::string folder = freshFolder("menus");
  ASSERT_TRUE(Quirel_OutputSizeFile::write(
      folder, {userSize(30, 0, "My print", 1, 11, 12), userSize(31, 1, "My screen", 2, 300, 200),
               userSize(32, 5, "My scan", 1, 3, 4), userSize(33, 0, "Empty", 1, 0, 12),
               userSize(34, 1, "Negative", 2, 300, -1)}));
  auto strings = std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier());
  TestScanMode mode;
  mode.setPVLocalizedString(strings);
  mode.setScannerInfo(modes_test::scannerWith({{"Ver1500Later", true}, {"Ver1600Later", true}}));
  mode.setUimParameterDic(&kMenuParameters);
  mode.setSettingFilePath(folder + "/");

  // Built when first asked for.
  auto l = mode.getOutputSizeObject(2);
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->getName(), "L");
  EXPECT_EQ(l->getUnit(), 1);
  EXPECT_FALSE(l->isCustom());
  EXPECT_DOUBLE_EQ(l->getOutputWidth().cm, 8.9);
  ASSERT_TRUE(mode.getPrintArray() && mode.getDisplayArray() && mode.getOcrArray());
  EXPECT_EQ(mode.getPrintArray()->size(), 3u);  // 2, 10, then the user's print size
  EXPECT_EQ(mode.getDisplayArray()->size(), 2u);
  ASSERT_EQ(mode.getOcrArray()->size(), 1u);
  EXPECT_EQ((*mode.getOcrArray())[0]->getName(), "My scan");
  EXPECT_TRUE((*mode.getOcrArray())[0]->isCustom());
  EXPECT_EQ(mode.getOutputSizeObject(32), (*mode.getOcrArray())[0]);
  const auto display = mode.getOutputSizeObject(17);
  ASSERT_NE(display, nullptr);
  EXPECT_EQ(display->getUnit(), 2);
  EXPECT_DOUBLE_EQ(display->getOutputWidth().pixel, 640);
  // Sizes of no width or height stay out of the menus; the file keeps them.
  EXPECT_EQ(mode.getOutputSizeObject(33), nullptr);
  EXPECT_EQ(mode.getOutputSizeObject(34), nullptr);
  EXPECT_EQ(Quirel_OutputSizeFile::read(folder).size(), 5u);

  const OutputSizeLength w{11 / 2.54, 0, 11};
  const OutputSizeLength h{12 / 2.54, 0, 12};
  EXPECT_NE(mode.getOutputSizeObjectAtName("My print", w, h), nullptr);
  EXPECT_EQ(mode.getOutputSizeObjectAtName("My print", {0, 0, 11.001}, h), nullptr);
  EXPECT_EQ(mode.getOutputSizeObjectAtName(std::nullopt, w, h), nullptr);
  EXPECT_EQ(mode.getOutputSizeObjectAtName("My screen", {0, 300, 0}, {0, 200, 0}), (*mode.getDisplayArray())[1]);

  EXPECT_EQ(mode.getDefaultOutputSizeName(),
            (std::vector<std::string>{"Flexible", "Add/Delete…", "L", "A4", "640 x 480 pixels", "Business Card"}));
}

// The reader takes "inf" and "nan": a size of no finite side would make frames of no finite
// size, so it stays out of the menus like one of no size; the file keeps it.
TEST(BaseScanModeSizes, SizesOfNoFiniteSideStayOutOfTheMenus) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::string folder = freshFolder("menus-nonfinite");
  ASSERT_TRUE(Quirel_OutputSizeFile::write(
      folder, {userSize(30, 0, "Wide", 1, inf, 12), userSize(31, 1, "Tall", 2, 300, inf),
               userSize(32, 5, "Odd", 0, nan, 4), userSize(33, 0, "Fine", 1, 11, 12)}));
  TestScanMode mode;
  mode.setPVLocalizedString(std::make_shared<Quirel_PVLocalizedString>(fnd::Bundle::main().identifier()));
  mode.setScannerInfo(modes_test::scannerWith({{"Ver1500Later", true}, {"Ver1600Later", true}}));
  mode.setUimParameterDic(&kMenuParameters);
  mode.setSettingFilePath(folder + "/");
  for (int index : {30, 31, 32}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(mode.getOutputSizeObject(index), nullptr);
  }
  EXPECT_NE(mode.getOutputSizeObject(33), nullptr);
  EXPECT_EQ(Quirel_OutputSizeFile::read(folder).size(), 4u);
}

TEST(BaseScanModeSizes, TheAdvancedModeReadsItsOwnMenuAndOlderModelsTheirOwnKeys) {
  TestScanMode mode;
  mode.mUIMode = 1;
  mode.setUimParameterDic(&kMenuParameters);
  mode.setScannerInfo(modes_test::scannerWith({{"Ver1300Later", true}}));
  mode.createOutputSizeObjects();  // no settings folder: no user sizes
  ASSERT_EQ(mode.getPrintArray()->size(), 1u);
  EXPECT_EQ((*mode.getPrintArray())[0]->getIndex(), 1);
  EXPECT_EQ((*mode.getPrintArray())[0]->getName(), "OUTPUTSIZE_1300_1");  // no string table given
  EXPECT_TRUE(mode.getDisplayArray()->empty());
  EXPECT_EQ(mode.getDefaultOutputSizeName().size(), 6u);

  TestScanMode bare;
  EXPECT_EQ(bare.getDefaultOutputSizeName(),
            (std::vector<std::string>{"IDS_SIM_SIZE_FREE", "IDS_ADV_FAV_ADD_DELETE"}));
  EXPECT_EQ(bare.getOutputSizeObject(2), nullptr);
}

TEST(BaseScanModeSizes, TheListEditorsChangesReachTheFramesOfTheSizesItDeletedOrEdited) {
  struct Frame {
    int size;
    bool selected;
  };
  struct Case {
    const char* name;
    std::vector<int> deleted, updated;
    std::vector<Frame> frames;
    std::vector<std::pair<int, int>> given;  // in order: the frame's index, the size it is given
    bool deletedAny, deletedUnselected, updatedAny, updatedUnselected;
  };
  const Case cases[] = {
      {"nothing changed", {}, {}, {{31, true}, {32, false}}, {}, false, false, false, false},
      {"a deleted size on a selected frame", {31}, {}, {{31, true}, {32, false}}, {{0, 0}}, true, false, false, false},
      {"a deleted size on an unselected frame too", {31}, {}, {{31, false}, {31, true}}, {{0, 0}, {1, 0}}, true, true,
       false, false},
      {"an edited size: kept by selected frames, dropped by the others", {}, {32}, {{32, true}, {32, false}, {31, false}},
       {{0, 32}, {1, 0}}, false, false, true, true},
      {"both: every deletion before any edit", {32}, {31}, {{31, true}, {32, true}}, {{1, 0}, {0, 31}}, true, false,
       true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CropList crops;
    for (const Frame& f : c.frames) {
      auto crop = std::make_shared<Quirel_CropInfo>();
      crop->setOutputSize(f.size);
      crop->setSelect(f.selected);
      crops.push_back(crop);
    }
    std::vector<std::pair<int, int>> given;
    const TestScanMode::OutputSizeListChange change =
        TestScanMode::applyOutputSizeListChange(crops, c.deleted, c.updated, [&](int number, Quirel_CropInfo& crop) {
          for (std::size_t i = 0; i < crops.size(); ++i)
            if (crops[i].get() == &crop) given.emplace_back(static_cast<int>(i), number);
        });
    EXPECT_EQ(given, c.given);
    EXPECT_EQ(change.deleted, c.deletedAny);
    EXPECT_EQ(change.deletedUnselected, c.deletedUnselected);
    EXPECT_EQ(change.updated, c.updatedAny);
    EXPECT_EQ(change.updatedUnselected, c.updatedUnselected);
  }
}
