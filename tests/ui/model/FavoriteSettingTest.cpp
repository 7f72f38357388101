#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <vector>

#include "TestEnvironment.h"
#include "foundation/PropertyList.h"
#include "ui/model/CropInfo.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/PreferenceInfo.h"

namespace {

const char* const kMessageKeys[] = {"MessageBookCorrect",     "MessageClearThumbnail",  "Message100MBOverScan",
                                    "Message48or16BitScan",   "MessageSaveFavorite",    "MessageSaveToneSetting",
                                    "MessageChangeTab",       "MessageMultiPDFScanEnd", "MessageColorModeAndDataFormat"};

fnd::Array four(int v) { return fnd::Array{v, v, v, v}; }

}  // namespace

TEST(FavoriteSetting, NewFavoriteIsWrittenWithItsDefaults) {
  Quirel_FavoriteSetting f(3, "Mine");
  f.setDialogState(fnd::makeShared({{"Open", true}}));
  const fnd::Dictionary d = f.getDictionary();
  EXPECT_EQ(d.string("Name"), "Mine");
  EXPECT_EQ(d.intValue("Index"), 3);
  EXPECT_EQ(d.get("SetPointCount"), fnd::Value(four(2)));
  EXPECT_EQ(d.get("MidPoint"), fnd::Value(four(128)));
  EXPECT_EQ(d.get("BlackPoint"), fnd::Value(four(0)));
  EXPECT_EQ(d.get("WhitePoint"), fnd::Value(four(255)));
  EXPECT_EQ(d.get("Threshold"), fnd::Value(72));
  EXPECT_EQ(d.get("ExposureValue"), fnd::Value(100));
  EXPECT_EQ(d.get("Unit"), fnd::Value(1));
  EXPECT_EQ(d.get("OpenBtnState"), fnd::Value(true));
  EXPECT_EQ(d.get("LampTime"), fnd::Value(12));
  for (const char* key : kMessageKeys) EXPECT_EQ(d.get(key), fnd::Value(true)) << key;
  EXPECT_EQ(d.dictionary("DialogState"), (fnd::Dictionary{{"Open", true}}));
  // Every channel carries all 15 points; the default curve is the straight line.
  const fnd::Array& setPoints = d.array("UserSetPoint");
  ASSERT_EQ(setPoints.size(), 4u);
  for (const fnd::Value& channel : setPoints) {
    ASSERT_EQ(channel.toArray().size(), 15u);
    EXPECT_EQ(channel[1], fnd::Value(fnd::Dictionary{{"pointH", 255}, {"pointV", 255}}));
  }
  EXPECT_EQ(d.array("SquarePoint")[2][1], fnd::Value(fnd::Dictionary{{"pointH", 145}, {"pointV", 145}}));
  EXPECT_FALSE(d.contains("OutputSizeName"));
  EXPECT_FALSE(d.contains("ReferenceCrop"));
  EXPECT_FALSE(d.contains("SaveFilePathBookmark"));
  EXPECT_TRUE(fnd::PropertyList::write(fnd::Value(d)));
}

TEST(FavoriteSetting, WithoutDialogStateTheKeyIsLeftOut) {
  Quirel_FavoriteSetting f(0, "No dialogs");
  const fnd::Dictionary d = f.getDictionary();
  EXPECT_FALSE(d.contains("DialogState"));
  const auto folder = testenv::freshFolder("fav-nodialog").string();
  ASSERT_TRUE(Quirel_FavoriteSetting::writeToFolder(folder, {&f}, {}, {}));
  const auto back = Quirel_FavoriteSetting::readFromFolder(folder);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_FALSE(back[0]->getDialogState());
}

TEST(FavoriteSetting, WritingTheListsKeepsWhatNoListShows) {
  const auto folder = testenv::freshFolder("fav-keep").string();
  const std::string path = Quirel_FavoriteSetting::filePath(folder);
  Quirel_FavoriteSetting film(8, "Other source");
  film.setImageSource(6);
  Quirel_FavoriteSetting oldPlaten(9, "Replaced");
  ASSERT_TRUE(fnd::PropertyList::writeFile(
      fnd::Value(fnd::Array{fnd::Value(oldPlaten.getDictionary()), fnd::Value(film.getDictionary()), fnd::Value(7)}),
      path));
  Quirel_FavoriteSetting platen(1, "Platen");
  ASSERT_TRUE(Quirel_FavoriteSetting::writeToFolder(folder, {&platen}, {}, {}));
  const auto back = fnd::PropertyList::readFile(path);
  ASSERT_TRUE(back.ok());
  const fnd::Array& stored = back.value->toArray();
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0].toDictionary().string("Name"), "Platen");
  EXPECT_EQ(stored[1].toDictionary(), film.getDictionary());
  EXPECT_EQ(stored[2].toInt(), 7);

  // A file that cannot be read is set aside before it is replaced.
  { std::ofstream(path, std::ios::trunc) << "not a list"; }
  ASSERT_TRUE(Quirel_FavoriteSetting::writeToFolder(folder, {&platen}, {}, {}));
  EXPECT_EQ(Quirel_FavoriteSetting::readFromFolder(folder).size(), 1u);
  std::ifstream aside(path + ".unreadable");
  std::string kept;
  std::getline(aside, kept);
  EXPECT_EQ(kept, "not a list");
}

TEST(FavoriteSetting, PointCountsFromForeignFilesStayWithinTheStoredPoints) {
  const Quirel_FavoriteSetting f(fnd::Dictionary{{"SetPointCount", fnd::Array{99, -3, 15, 4}}});
  const ToneCurveValues& t = f.getToneCurve();
  EXPECT_EQ((std::vector<int>{t.setPointCount[0], t.setPointCount[1], t.setPointCount[2], t.setPointCount[3]}),
            (std::vector<int>{15, 0, 15, 4}));
}

TEST(FavoriteSetting, ReadingMissingKeys) {
  const Quirel_FavoriteSetting f(fnd::Dictionary{{"Name", "Old"}, {"ToneSettingNo", 2}});
  EXPECT_EQ(f.getName(), "Old");
  EXPECT_EQ(f.getHistogram().mid.red, 0);  // a missing tone key reads as zeros, not the defaults
  EXPECT_EQ(f.getToneCurve().setPointCount[0], 0);
  EXPECT_EQ(f.getThreshold(), 0);
  EXPECT_EQ(f.getExposureValue(), 0);
  EXPECT_EQ(f.getUnit(), 0);
  EXPECT_FALSE(f.getADFOutput());
  EXPECT_TRUE(f.getShowChangeTabMessage());  // flags only when present
  EXPECT_EQ(f.getPlatenThumbnailSize(), 1);
  EXPECT_EQ(f.getOutputSizeWidth().cm, 0);
  EXPECT_FALSE(f.getOutputSizeName());
  EXPECT_EQ(f.getToneSettingName(), "");
  EXPECT_EQ(f.getSavePath(), "");
  EXPECT_FALSE(f.getBaseCropOfDataPersistence());
  EXPECT_EQ(f.getMonitorGamma(), 0.0);  // as stored: made usable where it is inverted

  const Quirel_FavoriteSetting sized(fnd::Dictionary{
      {"Name", "Sized"},
      {"OutputSizeWidth", fnd::Dictionary{{"cm", 2.54}, {"inch", 1.0}, {"pixel", 300.0}}},
      {"MessageChangeTab", false},
      {"MonitorGammma", 1.8}});
  EXPECT_EQ(sized.getOutputSizeWidth().cm, 2.54);
  EXPECT_EQ(sized.getOutputSizeWidth().inch, 1.0);
  EXPECT_EQ(sized.getOutputSizeWidth().pixel, 300.0);
  EXPECT_EQ(sized.getOutputSizeHeight().pixel, 0.0);
  EXPECT_FALSE(sized.getShowChangeTabMessage());
  EXPECT_EQ(sized.getMonitorGamma(), 1.8);
}

TEST(FavoriteSetting, DamagedEntryReadsWhatItHas) {
  const fnd::Dictionary entry{
      {"Index", 4},
      {"Brightness", fnd::Array{5}},
      {"MidPoint", fnd::Array{1, 2}},
      {"SetPointCount", fnd::Array{40, -3, 7}},
      {"UserSetPoint", fnd::Array{fnd::Array{fnd::Dictionary{{"pointH", 1}, {"pointV", 2}}}, "not an array"}},
      {"SquarePoint", "nothing"},
      {"DialogState", 12}};
  const Quirel_FavoriteSetting f(entry);
  EXPECT_FALSE(f.getName());
  EXPECT_EQ(f.getIndex(), 4);
  EXPECT_EQ(f.getToneBC().brightness.master, 5);
  EXPECT_EQ(f.getToneBC().brightness.blue, 0);
  EXPECT_EQ(f.getHistogram().mid.red, 2);
  EXPECT_EQ(f.getHistogram().mid.green, 0);
  const ToneCurveValues curve = f.getToneCurve();
  EXPECT_EQ(curve.setPointCount[0], 15);  // kept inside the stored points
  EXPECT_EQ(curve.setPointCount[1], 0);
  EXPECT_EQ(curve.setPointCount[2], 7);
  EXPECT_EQ(curve.setPoint[0][0].h, 1);
  EXPECT_EQ(curve.setPoint[0][0].v, 2);
  EXPECT_EQ(curve.setPoint[0][14].v, 0);
  EXPECT_EQ(curve.setPoint[3][0].v, 0);
  EXPECT_EQ(curve.squarePoint[1][1].h, 0);
  EXPECT_FALSE(f.getDialogState());
  // Written back without a name, it still makes a valid entry.
  EXPECT_EQ(f.getDictionary().string("Name"), "");
}

TEST(FavoriteSetting, FileKeepsPlatenNegativePositiveOrderAndRoundTrips) {
  Quirel_FavoriteSetting positive(0, "Slides");
  positive.setImageSource(2);
  positive.setColorBalance({1, 2, 3, 4});
  positive.setMonitorGamma(1.8);
  Quirel_FavoriteSetting negative(1, "Negatives");
  negative.setImageSource(1);
  ToneCurveValues curve = negative.getToneCurve();
  curve.setPointCount[2] = 3;
  curve.setPoint[2][2] = {128, 140};
  negative.setToneCurve(curve);
  negative.setSavePath("/scans");
  negative.setOutputSizeName("Postcard");
  negative.setOutputSizeHeight({4.0, 1200.0, 10.16});
  negative.setShowSaveFavoriteMessage(false);
  negative.setMonitorGamma(2.2);
  negative.setDialogState(fnd::makeShared({{"Histogram", fnd::Dictionary{{"x", 1}}}}));
  Quirel_FavoriteSetting platen(2, "Documents");
  platen.setResolution(600);
  platen.setInputPf_FilePath(0, "/icc/scanner.icc");
  platen.setMonitorGamma(2.0);
  Quirel_CropInfo crop;
  platen.setBaseCropOfDataPersistence(&crop);
  ASSERT_TRUE(platen.getBaseCropOfDataPersistence());

  const auto folder = testenv::freshFolder("fav-three").string();
  ASSERT_TRUE(Quirel_FavoriteSetting::writeToFolder(folder, {&platen}, {&negative}, {&positive}));
  const auto back = Quirel_FavoriteSetting::readFromFolder(folder);
  ASSERT_EQ(back.size(), 3u);
  const Quirel_FavoriteSetting* expected[] = {&platen, &negative, &positive};
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(back[i]->getName(), expected[i]->getName());
    EXPECT_EQ(back[i]->getDictionary(), expected[i]->getDictionary());
  }
  EXPECT_EQ(back[1]->getToneCurve().setPoint[2][2].v, 140);
  EXPECT_TRUE(back[0]->getBaseCropOfDataPersistence());
  EXPECT_EQ(Quirel_FavoriteSetting::readFromFolder(testenv::freshFolder("fav-none").string()).size(), 0u);
}

TEST(FavoriteSetting, AnUntouchedFavouriteReadsBackEqualAndItsGammaIsMadeUsableWhereApplied) {
  const Quirel_FavoriteSetting fresh(3, "Fresh");
  ASSERT_EQ(fresh.getMonitorGamma(), 0.0);
  const Quirel_FavoriteSetting back(fresh.getDictionary());
  EXPECT_EQ(back.getDictionary(), fresh.getDictionary());
  EXPECT_EQ(back.getMonitorGamma(), fresh.getMonitorGamma());

  // Applied to the preferences, whose gamma is inverted, a missing or bad gamma becomes 2.2.
  for (const fnd::Value& stored : {fnd::Value(), fnd::Value(0.0), fnd::Value(-1.5), fnd::Value("text"),
                                  fnd::Value(std::numeric_limits<double>::infinity()), fnd::Value(1.8)}) {
    fnd::Dictionary entry = fresh.getDictionary();
    if (stored.isNull()) {
      entry.remove("MonitorGammma");
    } else {
      entry.set("MonitorGammma", stored);
    }
    Quirel_PreferenceInfo prefs;
    prefs.setMonitorGamma(1.0);
    prefs.setDataFromFavorite(Quirel_FavoriteSetting(entry));
    const double expected = stored.isReal() && std::isfinite(stored.toReal()) && stored.toReal() > 0 ? stored.toReal() : 2.2;
    EXPECT_EQ(prefs.getMonitorGamma(), expected) << stored.toString();
  }
}

TEST(FavoriteSetting, SetterRules) {
  Quirel_FavoriteSetting f;
  EXPECT_FALSE(f.getName());
  f.setTempPath("/tmp/x");
  f.setTempPath(std::nullopt);
  EXPECT_EQ(f.getTempPath(), "/tmp/x");  // no "/" added, nil keeps
  f.setToneSettingName("Warm");
  f.setToneSettingName(std::nullopt);
  EXPECT_EQ(f.getToneSettingName(), "Warm");
  f.setInputPf_Name(1, std::nullopt);
  EXPECT_EQ(f.getInputPf_Name(1), "");
  f.setOutputSizeName("A4");
  f.setOutputSizeName(std::nullopt);
  EXPECT_FALSE(f.getOutputSizeName());
  auto state = fnd::makeShared();
  f.setDialogState(state);
  EXPECT_EQ(f.getDialogState(), state);
  f.setBaseCropOfDataPersistence(nullptr);
  EXPECT_FALSE(f.getBaseCropOfDataPersistence());
  EXPECT_EQ(&f.setValue(7, "Renamed"), &f);
  EXPECT_EQ(f.getIndex(), 7);
  EXPECT_EQ(f.getName(), "Renamed");
  f.setSavePathBookmarkURL(std::string("/no/such/folder"));
  EXPECT_FALSE(f.getSavePathBookmark());
  const std::string folder = testenv::freshFolder("fav-bookmark").string();
  f.setSavePathBookmarkURL(folder);
  EXPECT_EQ(f.getSavePathBookmarkURL(), folder);
}
