#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestEnvironment.h"
#include "foundation/PropertyList.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/PreferenceInfo.h"

namespace {

std::string folderOf(const std::filesystem::path& p) { return p.string(); }

Quirel_PreferenceInfo roundTrip(const Quirel_PreferenceInfo& p, const std::string& name) {
  const std::string folder = folderOf(testenv::freshFolder(name));
  EXPECT_TRUE(p.writeToFolder(folder));
  return Quirel_PreferenceInfo::readFromFolder(folder);
}

// A record with every field away from its default.
Quirel_PreferenceInfo everythingSet(const std::string& saveFolder, const std::string& tempFolder) {
  Quirel_PreferenceInfo p;
  p.setPrevStart(0);
  p.setCropAfterPrev(1);
  p.setPlatenThumbnailSize(2);
  p.setFilmThumbnailSize(3);
  p.setColorModeWhenUIOff(true);
  p.setTextOcrWhenUIOff(true);
  p.setSmallThumbanilWhenUIOff(true);
  p.setBitEnabled(true);
  p.setEnableLargeScan(true);
  p.setAutoExit(1);
  p.setADF_OrderRejection(2);
  p.setIndexLayout(3);
  p.setADFOutput(false);
  p.setADF_HighSpeed(1);
  p.setColorSetting(3, 1);
  p.setColorSetting(1, 2);
  p.setColorSetting(0, 1);
  for (int i = 0; i < 3; ++i) {
    p.setInputPf_Name(i, "in " + std::to_string(i));
    p.setInputPf_FilePath(i, "/icc/in" + std::to_string(i) + ".icc");
  }
  p.setOutputPf_Name("monitor");
  p.setOutputPf_FilePath("/icc/out/monitor.icc");
  p.setMonitor(false);
  p.setAlwaysAutoTone(false);
  p.setMonitorGamma(1.8);
  p.setLampTime(30);
  p.setQuietMode(true);
  p.setTempPath(tempFolder);
  p.setTempPathBookmarkURL(tempFolder);
  p.setMusic(true);
  p.setMusicPath("/music.wav");
  p.setSound(true);
  p.setSoundPath("/sound.wav");
  p.setCalibrationEveryScan(1);
  p.setSaveName("scan");
  p.setSavePath(saveFolder);
  p.setSavePathBookmarkURL(saveFolder);
  p.setFileFormat(2);
  p.setFileCompression(0);
  return p;
}

}  // namespace

TEST(PreferenceInfo, FreshRecordWritesEveryKeyWithItsDefault) {
  const fnd::Dictionary d = Quirel_PreferenceInfo().getDictionary();
  const std::pair<const char*, fnd::Value> top[] = {
      {"PreviewWhenStart", 1},      {"CropAfterPreview", 0},        {"ThumbnailSize_Platen", 1},
      {"ThumbnailSize", 1},         {"UIOffColorMode", false},      {"UIOffTextOCR", false},
      {"UIOffThumbSize", false},    {"BitEnabled", false},          {"EnableLargeScan", false},
      {"AutoExit", 0},              {"IndexLayout", 0},             {"ADFOutput", true},
      {"ADFSetting_HighSpeed", 0},  {"ADFSetting_OrderRejection", 0}, {"AutoToneAlways", true},
      {"MonitorGammma", 2.2},       {"LampOffTime", 12},            {"QuietMode", false},
      {"TempFilePath", ""},         {"PlayMusic", false},           {"PlaySound", false},
      {"CalibrationEveryScan", 0},  {"SaveFilePath", ""},           {"SaveFileFormat", 0},
      {"SaveCompression", 1},
  };
  for (const auto& [key, value] : top) EXPECT_EQ(d.get(key), value) << key;
  // Unset files and names, for which "" is a value of its own, are left out.
  for (const char* key : {"MusicFilePath", "SoundFilePath", "SaveFileName"}) EXPECT_FALSE(d.contains(key)) << key;
  const fnd::Dictionary color{{"ColorSync", 0},          {"InProfileStr", ""},         {"InProfileFilePath", ""},
                              {"InProfileNegaStr", ""},  {"InProfileNegaFilePath", ""}, {"InProfilePosiStr", ""},
                              {"InProfilePosiFilePath", ""}, {"OutProfileStr", ""},     {"OutProfileFilePath", ""},
                              {"OutProfileFileName", ""}, {"MonitorCorrect", true}};
  EXPECT_EQ(d.dictionary("Color"), color);
  EXPECT_EQ(d.dictionary("Gray"), (fnd::Dictionary{{"ColorSync", 0}}));
  EXPECT_EQ(d.dictionary("Monochrome"), (fnd::Dictionary{{"ColorSync", 0}}));
  // Bookmark keys only when there is a bookmark; nothing else.
  EXPECT_EQ(d.size(), std::size(top) + 3);
}

TEST(PreferenceInfo, FileRoundTripsAndUnsetFoldersStayUnset) {
  const Quirel_PreferenceInfo fresh;
  const Quirel_PreferenceInfo back = roundTrip(fresh, "pref-fresh");
  EXPECT_FALSE(back.getTempPath());
  EXPECT_FALSE(back.getSavePath());
  EXPECT_FALSE(back.getSavePathBookmark());
  EXPECT_FALSE(back.getMusicPath());
  EXPECT_FALSE(back.getSoundPath());
  EXPECT_FALSE(back.getSaveName());
  EXPECT_EQ(back.getMonitorGamma(), 2.2);
  EXPECT_EQ(back.getDictionary(), fresh.getDictionary());
  EXPECT_TRUE(fresh.compare(back));
  EXPECT_TRUE(back.compare(fresh));
  // Emptied by the user ("" rather than unset) survives as "", and still compares equal.
  Quirel_PreferenceInfo emptied;
  emptied.setMusicPath(std::nullopt);
  emptied.setSoundPath("");
  emptied.setSaveName(std::nullopt);
  const Quirel_PreferenceInfo emptiedBack = roundTrip(emptied, "pref-emptied");
  EXPECT_EQ(emptiedBack.getMusicPath(), std::optional<std::string>(""));
  EXPECT_EQ(emptiedBack.getSaveName(), std::optional<std::string>(""));
  EXPECT_TRUE(emptied.compare(emptiedBack));
  EXPECT_FALSE(fresh.compare(emptiedBack));

  const std::string saveFolder = folderOf(testenv::freshFolder("pref-save"));
  const std::string save = saveFolder + "/";
  const std::string temp = folderOf(testenv::freshFolder("pref-temp"));
  const Quirel_PreferenceInfo full = everythingSet(save, temp);
  const Quirel_PreferenceInfo fullBack = roundTrip(full, "pref-full");
  EXPECT_TRUE(fullBack.compare(full));
  EXPECT_TRUE(full.compare(fullBack));
  EXPECT_EQ(fullBack.getDictionary(), full.getDictionary());
  EXPECT_EQ(fullBack.getTempPath(), temp + "/");
  EXPECT_EQ(fullBack.getSavePath(), save);
  EXPECT_EQ(fullBack.getSavePathBookmarkURL(), saveFolder);
  EXPECT_EQ(fullBack.getTempPathBookmarkURL(), temp);
  EXPECT_EQ(fullBack.getDictionary().dictionary("Color").string("OutProfileFileName"), "monitor.icc");
}

TEST(PreferenceInfo, FoldersKeepOneTrailingSlash) {
  const struct {
    std::optional<std::string> in, stored;
  } cases[] = {{"/a/b", "/a/b/"}, {"/a/b/", "/a/b/"}, {"", "/"}, {std::nullopt, std::nullopt}};
  for (const auto& c : cases) {
    Quirel_PreferenceInfo p;
    p.setSavePath("/earlier");
    p.setTempPath("/earlier");
    p.setSavePath(c.in);
    p.setTempPath(c.in);
    EXPECT_EQ(p.getSavePath(), c.stored) << c.in.value_or("nil");
    EXPECT_EQ(p.getTempPath(), c.stored) << c.in.value_or("nil");
  }
}

TEST(PreferenceInfo, ColourModesPickTheirSlot) {
  const struct {
    int mode;
    const char* key;
  } cases[] = {{3, "Color"}, {4, "Color"}, {5, "Color"}, {1, "Gray"}, {2, "Gray"},
               {0, "Monochrome"}, {6, "Monochrome"}, {-1, "Monochrome"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    Quirel_PreferenceInfo p;
    p.setColorSetting(c.mode, 2);
    EXPECT_EQ(p.getColorSetting(c.mode), 2);
    const fnd::Dictionary d = p.getDictionary();
    for (const char* key : {"Color", "Gray", "Monochrome"}) {
      EXPECT_EQ(d.dictionary(key).intValue("ColorSync"), std::string(key) == c.key ? 2 : 0) << key;
    }
    EXPECT_EQ(Quirel_PreferenceInfo(d).getColorSetting(c.mode), 2);
  }
}

TEST(PreferenceInfo, StoredBookmarkWinsOverThePath) {
  const std::string a = folderOf(testenv::freshFolder("bookmark-a"));
  const std::string b = folderOf(testenv::freshFolder("bookmark-b"));
  Quirel_PreferenceInfo withA;
  withA.setSavePathBookmarkURL(a);
  ASSERT_TRUE(withA.getSavePathBookmark());

  fnd::Dictionary d;
  d.set("SaveFilePath", b + "/");
  d.set("SavePathBookmark", *withA.getSavePathBookmark());
  const Quirel_PreferenceInfo both(d);
  EXPECT_EQ(both.getSavePath(), b + "/");
  EXPECT_EQ(both.getSavePathBookmarkURL(), a);

  d.remove("SavePathBookmark");
  const Quirel_PreferenceInfo pathOnly(d);
  EXPECT_EQ(pathOnly.getSavePathBookmarkURL(), b);

  // Unset in the file: no folder, no bookmark, and reading does not fail.
  d.set("SaveFilePath", "");
  d.set("TempFilePath", "");
  d.set("SoundFilePath", "");
  const Quirel_PreferenceInfo unset(d);
  EXPECT_FALSE(unset.getSavePath());
  EXPECT_FALSE(unset.getTempPath());
  EXPECT_FALSE(unset.getSavePathBookmark());
  EXPECT_FALSE(unset.getSoundPathBookmarkURL());
  EXPECT_EQ(unset.getSoundPath(), std::optional<std::string>(""));

  // A bookmark of a folder since removed still answers its path; garbage answers nothing.
  Quirel_PreferenceInfo p;
  p.setTempPathBookmark(std::make_shared<const fnd::Data>(fnd::Data{'x', 'y'}));
  EXPECT_FALSE(p.getTempPathBookmarkURL());
  p.setTempPathBookmarkURL(std::string("/no/such/folder"));
  EXPECT_FALSE(p.getTempPathBookmark());
}

TEST(PreferenceInfo, OlderFileReadsMissingKeysAsZeroExceptWhereKept) {
  const fnd::Dictionary older{{"ThumbnailSize", 2}, {"LampOffTime", 20}, {"Color", fnd::Dictionary{{"ColorSync", 1}}}};
  const Quirel_PreferenceInfo p(older);
  EXPECT_EQ(p.getPrevStart(), 0);  // absent numbers are zero, not the defaults
  EXPECT_FALSE(p.getMonitor());
  EXPECT_FALSE(p.getAlwaysAutoTone());
  EXPECT_EQ(p.getFileCompression(), 0);
  EXPECT_EQ(p.getFilmThumbnailSize(), 2);
  EXPECT_EQ(p.getLampTime(), 20);
  EXPECT_EQ(p.getColorSetting(3), 1);
  // Read only when present: the defaults stay.
  EXPECT_EQ(p.getPlatenThumbnailSize(), 1);
  EXPECT_TRUE(p.getADFOutput());
  EXPECT_FALSE(p.getEnableLargeScan());
  EXPECT_EQ(p.getADF_HighSpeed(), 0);
  // The gamma is inverted later: it never reads as zero.
  EXPECT_EQ(p.getMonitorGamma(), 2.2);
  for (double stored : {0.0, -1.0}) {
    EXPECT_EQ(Quirel_PreferenceInfo(fnd::Dictionary{{"MonitorGammma", stored}}).getMonitorGamma(), 2.2);
  }
  EXPECT_EQ(Quirel_PreferenceInfo(fnd::Dictionary{{"MonitorGammma", 1.8}}).getMonitorGamma(), 1.8);
}

TEST(PreferenceInfo, UnreadableFileGivesTheDefaults) {
  const auto folder = testenv::freshFolder("pref-broken");
  std::ofstream(folder / "Preference.xml") << "<plist><dict><key>PreviewWhenStart";
  const Quirel_PreferenceInfo p = Quirel_PreferenceInfo::readFromFolder(folder.string());
  EXPECT_TRUE(p.compare(Quirel_PreferenceInfo()));
  EXPECT_EQ(Quirel_PreferenceInfo::filePath("/x/"), "/x/Preference.xml");
  EXPECT_EQ(Quirel_PreferenceInfo::filePath("/x"), "/x/Preference.xml");
}

TEST(PreferenceInfo, CompareAndNeedPreview) {
  const Quirel_PreferenceInfo base;
  auto changed = [](auto change) {
    Quirel_PreferenceInfo p;
    change(p);
    return p;
  };
  // Profiles count only while colour matching is ColorSync.
  const auto otherProfile = changed([](Quirel_PreferenceInfo& p) { p.setInputPf_Name(1, "other"); });
  EXPECT_TRUE(base.compare(otherProfile));
  EXPECT_FALSE(base.needPreview(otherProfile, true));
  Quirel_PreferenceInfo colorSync;
  colorSync.setColorSetting(3, 1);
  Quirel_PreferenceInfo colorSyncOther = changed([](Quirel_PreferenceInfo& p) { p.setColorSetting(3, 1); });
  colorSyncOther.setOutputPf_FilePath("/other.icc");
  EXPECT_FALSE(colorSync.compare(colorSyncOther));
  EXPECT_TRUE(colorSync.needPreview(colorSyncOther, false));

  const auto thumbs = changed([](Quirel_PreferenceInfo& p) { p.setFilmThumbnailSize(3); });
  EXPECT_FALSE(base.compare(thumbs));
  EXPECT_TRUE(base.needPreview(thumbs, true));
  EXPECT_FALSE(base.needPreview(thumbs, false));
  EXPECT_FALSE(base.compareForToneSetting(thumbs));

  const auto lamp = changed([](Quirel_PreferenceInfo& p) { p.setLampTime(5); });
  EXPECT_FALSE(base.compare(lamp));
  EXPECT_FALSE(base.needPreview(lamp, true));
  EXPECT_TRUE(base.compareForToneSetting(lamp));

  const auto temp = changed([](Quirel_PreferenceInfo& p) { p.setTempPath("/t"); });
  EXPECT_FALSE(base.compare(temp));
  EXPECT_FALSE(base.compareForToneSetting(temp));
  EXPECT_TRUE(base.needPreview(changed([](Quirel_PreferenceInfo& p) { p.setMonitorGamma(1.0); }), false));

  // Bookmarks compare by their bytes; one missing is a difference.
  const std::string folder = folderOf(testenv::freshFolder("pref-cmp"));
  auto withBookmark = changed([&](Quirel_PreferenceInfo& p) { p.setSoundPathBookmarkURL(folder); });
  auto sameBytes = changed([&](Quirel_PreferenceInfo& p) {
    p.setSoundPathBookmark(std::make_shared<const fnd::Data>(*withBookmark.getSoundPathBookmark()));
  });
  EXPECT_TRUE(withBookmark.compare(sameBytes));
  EXPECT_FALSE(base.compare(withBookmark));

  Quirel_PreferenceInfo copy;
  copy.copy(withBookmark);
  EXPECT_TRUE(copy.compare(withBookmark));
  EXPECT_EQ(copy.getSoundPathBookmark(), withBookmark.getSoundPathBookmark());  // shared, not copied
}

TEST(PreferenceInfo, FavoriteAppliesItsPreferenceSet) {
  Quirel_PreferenceInfo p;
  p.setMusic(true);
  p.setMusicPath("/keep.wav");
  p.setSavePath("/before");
  Quirel_FavoriteSetting f(0, "fav");
  f.setColorMode(2);
  f.setColorSetting(1);
  f.setLampTime(40);
  f.setInputPf_Name(2, "positive");
  // Favourites start with gamma 0 and read unset folders as "".
  f.setSavePath("");
  p.setDataFromFavorite(f);
  EXPECT_TRUE(p.getMusic());
  EXPECT_EQ(p.getMusicPath(), "/keep.wav");
  EXPECT_EQ(p.getColorSetting(1), 1);
  EXPECT_EQ(p.getColorSetting(3), 0);
  EXPECT_EQ(p.getLampTime(), 40);
  EXPECT_EQ(p.getInputPf_Name(2), "positive");
  EXPECT_EQ(p.getPrevStart(), 0);
  EXPECT_FALSE(p.getMonitor());
  EXPECT_EQ(p.getMonitorGamma(), 2.2);
  EXPECT_FALSE(p.getSavePath());
}
