// The advanced mode's entry of the last settings: written and read back whole, the older
// forms and the preference rules on reading, and damaged or hostile entries that must leave
// every value in its range.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "ExtendModeWindowRig.h"
#include "foundation/PropertyList.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace ext_last_test {

using extend_rig::WindowRig;
using Record = Quirel_ExtendMode::ImgSrcSetting;

class Peek : public extend_rig::RigMode {
 public:
  using Quirel_BaseScanMode::mADFBinding;
  using Quirel_BaseScanMode::mBookCorrectMsg;
  using Quirel_BaseScanMode::mColorBitMsg;
  using Quirel_BaseScanMode::mRotation;
  using Quirel_BaseScanMode::mMirror;
  using Quirel_BaseScanMode::mUseCapsFilmSize;
  using Quirel_ExtendMode::mFilmSizeWithoutCaps;
};
Peek& peek(extend_rig::RigMode& m) { return static_cast<Peek&>(m); }

Record recordWith(int base) {
  Record r;
  std::int32_t* v = &r.paperSize;
  for (int i = 0; i < 19; ++i) v[i] = base + i;
  r.colorMode[0] = 4;
  r.colorMode[1] = 2;
  r.resolution = 600;
  r.toneBcCh = r.toneCurveCh = r.histgramCh = r.reviewCh = 1;
  return r;
}

// A mode with two frames, changed records and flags.
void fill(WindowRig& rig) {
  auto& m = rig.mode;
  m.getPreferenceInfo()->setBitEnabled(true);
  m.mImageSource = 0;
  for (int i = 0; i < 3; ++i) m.mImgSrcSetting[static_cast<std::size_t>(i)] = recordWith(10 * i);
  m.mTemplateCrop->setColorMode(4);
  m.mTemplateCrop->setResolution(600);
  for (int i = 0; i < 2; ++i) {
    Quirel_CropInfo* c = m.createCropWithView(fnd::Rect(10 + 100 * i, 10, 80, 60));
    c->setColorMode(i == 0 ? 4 : 2);
    c->setResolution(300 + 100 * i);
    c->setBackLightCorrect(2);
    c->setSelect(i == 1);
  }
  m.mADFDirection = 1;
  peek(m).mADFBinding = 1;
  peek(m).mRotation = 3;
  peek(m).mMirror = true;
  peek(m).mBookCorrectMsg = false;
  peek(m).mColorBitMsg = false;
  peek(m).mFilmSizeWithoutCaps = 7;
  m.mFavorite = 4;
  m.mToneCurve = 2;
}

TEST(ExtendModeLastSetting, WritesTheKeysAndReadsThemBack) {
  WindowRig from(fnd::Dictionary{{"Ver1400Later", true}, {"Ver1500Later", true}, {"Ver1600Later", true}});
  fill(from);
  const fnd::Dictionary d = from.mode.getLastSetting();
  // Every key written is one of the entry's; the thumbnail list only in thumbnail mode.
  const auto& keys = Quirel_ExtendMode::lastSettingKeys();
  const std::set<std::string> known(keys.begin(), keys.end());
  EXPECT_EQ(known.size(), 44u);
  std::set<std::string> written;
  for (const auto& [k, v] : d) written.insert(k);
  std::set<std::string> expected = known;
  expected.erase("ThumbnailList");
  EXPECT_EQ(written, expected);
  // Through the settings file's own format and back.
  const std::optional<std::string> text = fnd::PropertyList::write(fnd::Value(d));
  ASSERT_TRUE(text);
  const fnd::PropertyList::Result back = fnd::PropertyList::read(*text);
  ASSERT_TRUE(back.ok());

  WindowRig to(fnd::Dictionary{{"Ver1400Later", true}, {"Ver1500Later", true}, {"Ver1600Later", true}});
  to.mode.getPreferenceInfo()->setBitEnabled(true);
  to.mode.setLastSetting(back.value->toDictionary());
  auto& m = to.mode;
  EXPECT_EQ(m.getImgSrcSettings(), from.mode.getImgSrcSettings());
  EXPECT_EQ(m.mTemplateCrop->getColorMode(), 4);
  EXPECT_EQ(m.mTemplateCrop->getResolution(), 600);
  ASSERT_EQ(m.mCropList.size(), 2u);
  EXPECT_EQ(m.mCropList[0]->getColorMode(), 4);
  EXPECT_EQ(m.mCropList[1]->getColorMode(), 2);
  EXPECT_EQ(m.mCropList[1]->getResolution(), 400);
  EXPECT_TRUE(m.mCropList[1]->isSelected());
  EXPECT_EQ(m.mADFDirection, 1);
  EXPECT_EQ(peek(m).mADFBinding, 1);
  EXPECT_EQ(peek(m).mRotation, 3);
  EXPECT_TRUE(peek(m).mMirror);
  EXPECT_FALSE(peek(m).mBookCorrectMsg);
  EXPECT_FALSE(peek(m).mColorBitMsg);
  EXPECT_EQ(peek(m).mFilmSizeWithoutCaps, 7);
  // Written, but a restored mode starts with no favourite and no tone setting.
  EXPECT_EQ(d.intValue("Favorite"), 4);
  EXPECT_EQ(m.mFavorite, 0);
  EXPECT_EQ(m.mToneCurve, 0);
  // And written again, it is the same entry.
  EXPECT_EQ(fnd::Value(m.getLastSetting()).toDictionary().dictionary("Template"), d.dictionary("Template"));
}

TEST(ExtendModeLastSetting, OlderFormsAndThePreferenceRules) {
  WindowRig from;
  fill(from);
  fnd::Dictionary d = from.mode.getLastSetting();
  from.mode.mCropList[0]->setOutputSize(99);  // a named size that is not in the list
  fnd::Array crops;
  for (const auto& c : from.mode.mCropList) crops.push_back(c->getDictionary());
  d.set("CropList", std::move(crops));
  d.set("FilmMode", true);
  d.set("ThumbnailMode", true);
  d.remove("FilmThumbnail");
  d.remove("FilmSizeAuto");
  d.remove("FilmSizeManual");
  {
    // Film with thumbnails from the older key; no film-size keys: from the scanner, manual 21.
    WindowRig to;
    to.mode.setLastSetting(d);
    EXPECT_EQ(to.mode.mScanMode, 3);
    EXPECT_TRUE(to.mode.mFilmThumbnail);
    EXPECT_TRUE(peek(to.mode).mUseCapsFilmSize);
    EXPECT_EQ(peek(to.mode).mFilmSizeWithoutCaps, 21);
  }
  d.set("FilmMode", false);
  {
    // Bit depth off: 4 and 2 come back as 3 and 1 in the records, the template and the frames;
    // large scans from the application: every backlight 0; the deleted size: a free size.
    WindowRig to;
    to.mode.getPreferenceInfo()->setBitEnabled(false);
    auto scanner = modes_test::scannerWith({});
    const fnd::Dictionary request{{"LargeImageScan", 2}};
    scanner->setTWAINRequest(&request);
    to.mode.setScannerInfo(scanner);
    to.mode.setLastSetting(d);
    for (const Record& r : to.mode.getImgSrcSettings()) {
      EXPECT_EQ(r.colorMode[0], 3);
      EXPECT_EQ(r.colorMode[1], 1);
      EXPECT_EQ(r.backlight, 0);
    }
    EXPECT_EQ(to.mode.mTemplateCrop->getColorMode(), 3);
    ASSERT_EQ(to.mode.mCropList.size(), 2u);
    EXPECT_EQ(to.mode.mCropList[0]->getColorMode(), 3);
    EXPECT_EQ(to.mode.mCropList[1]->getColorMode(), 1);
    for (const auto& c : to.mode.mCropList) EXPECT_EQ(c->getBackLightCorrect(), 0);
    EXPECT_EQ(to.mode.mCropList[0]->getOutputSize(), 0);
  }
  {
    // Two records are no records: all three stay as they were.
    fnd::Array two(d.array("ImgSrcSettings").begin(), d.array("ImgSrcSettings").begin() + 2);
    d.set("ImgSrcSettings", std::move(two));
    WindowRig to;
    const auto before = to.mode.getImgSrcSettings();
    to.mode.setLastSetting(d);
    EXPECT_EQ(to.mode.getImgSrcSettings(), before);
  }
}

// A record with a key missing or out of range keeps that field as it was and takes the others; a
// record that is not a dictionary stays as it was; the other records come back whole.
TEST(ExtendModeLastSetting, EachPerSourceRecordComesBackKeyByKey) {
  WindowRig from;
  fill(from);
  fnd::Dictionary d = from.mode.getLastSetting();
  fnd::Array records = d.array("ImgSrcSettings");
  ASSERT_EQ(records.size(), 3u);
  fnd::Dictionary film = records[1].toDictionary();
  film.remove("Grain");
  film.set("Resolution", 999999);
  records[1] = film;
  records[2] = fnd::Value("not a record");
  d.set("ImgSrcSettings", records);
  WindowRig to;
  to.mode.getPreferenceInfo()->setBitEnabled(true);
  const auto before = to.mode.getImgSrcSettings();
  to.mode.setLastSetting(d);
  const auto& after = to.mode.getImgSrcSettings();
  const auto& written = from.mode.getImgSrcSettings();
  EXPECT_EQ(after[0], written[0]);
  Record expected = written[1];
  expected.grain = before[1].grain;
  expected.resolution = before[1].resolution;
  EXPECT_EQ(after[1], expected);
  EXPECT_NE(after[1], before[1]) << "the keys it holds came back";
  EXPECT_EQ(after[2], before[2]);
}

// ---- hostile entries ------------------------------------------------------------------------------

void expectInRange(extend_rig::RigMode& m, const std::string& row) {
  EXPECT_GE(m.getImageSource(), 0) << row;
  EXPECT_LE(m.getImageSource(), 6) << row;
  EXPECT_GE(peek(m).mRotation, 0) << row;
  EXPECT_LE(peek(m).mRotation, 3) << row;
  EXPECT_GE(m.mADFDirection, 0) << row;
  EXPECT_LE(m.mADFDirection, 1) << row;
  for (const Record& r : m.getImgSrcSettings()) {
    for (int c : r.colorMode) EXPECT_TRUE(c >= 0 && c <= 6) << row;
    EXPECT_TRUE(r.resolution == 0 || (r.resolution >= 25 && r.resolution <= 19200)) << row;
  }
  std::vector<Quirel_CropInfo*> crops{m.mTemplateCrop.get()};
  for (const auto& c : m.mCropList) crops.push_back(c.get());
  for (Quirel_CropInfo* c : crops) {
    EXPECT_TRUE(c->getColorMode() >= 0 && c->getColorMode() <= 6) << row;
    EXPECT_TRUE(c->getResolution() >= 25 && c->getResolution() <= 19200) << row;
    EXPECT_TRUE(c->getUnit() >= 0 && c->getUnit() <= 2) << row;
    const HistogramValues h = c->getHistogram();
    EXPECT_LT(h.black.master, h.white.master) << row;
    EXPECT_LT(h.black.red, h.white.red) << row;
  }
  EXPECT_LE(m.mCropList.size(), 12u) << row;
  EXPECT_LE(m.mThumbnailList.size(), 12u) << row;
}

TEST(ExtendModeLastSetting, HostileEntriesLeaveEveryValueInRange) {
  WindowRig source;
  fill(source);
  const fnd::Dictionary good = source.mode.getLastSetting();
  auto withTemplate = [&good](const char* key, fnd::Value v) {
    fnd::Dictionary d = good;
    fnd::Dictionary t = d.dictionary("Template");
    t.set(key, std::move(v));
    d.set("Template", std::move(t));
    return d;
  };
  auto manyCrops = [&good](int n, bool thumbnails) {
    fnd::Dictionary d = good;
    fnd::Array list;
    for (int i = 0; i < n; ++i) list.push_back(good.array("CropList")[0]);
    d.set("CropList", list);
    if (thumbnails) {
      fnd::Array thumbs;
      for (int i = 0; i < n; ++i) thumbs.push_back(fnd::Value(fnd::Dictionary{{"No", i % 12}}));
      d.set("ThumbnailList", std::move(thumbs));
      d.set("PlatenThumbnail", true);
    }
    return d;
  };
  fnd::Dictionary recordOutOfRange = good;
  {
    fnd::Array records = good.array("ImgSrcSettings");
    fnd::Dictionary r = records[1].toDictionary();
    r.set("ColorModeC", 9);
    records[1] = fnd::Value(std::move(r));
    recordOutOfRange.set("ImgSrcSettings", std::move(records));
  }
  fnd::Dictionary recordString = good;
  {
    fnd::Array records = good.array("ImgSrcSettings");
    fnd::Dictionary r = records[0].toDictionary();
    r.set("Resolution", "600");
    records[0] = fnd::Value(std::move(r));
    recordString.set("ImgSrcSettings", std::move(records));
  }
  struct Row {
    std::string name;
    fnd::Dictionary entry;
  };
  std::vector<Row> rows = {
      {"source 9", [&] { fnd::Dictionary d = good; d.set("ImageSource", 9); return d; }()},
      {"source -1", [&] { fnd::Dictionary d = good; d.set("ImageSource", -1); return d; }()},
      {"rotation 7", [&] { fnd::Dictionary d = good; d.set("Rotation", 7); return d; }()},
      {"rotation as text", [&] { fnd::Dictionary d = good; d.set("Rotation", "2"); return d; }()},
      {"direction 5", [&] { fnd::Dictionary d = good; d.set("ADFDirection", 5); return d; }()},
      {"record colour 9", recordOutOfRange},
      {"record resolution as text", recordString},
      {"template colour 12", withTemplate("ColorMode", 12)},
      {"template resolution 1", withTemplate("Resolution", 1)},
      {"template unit as text", withTemplate("Unit", "cm")},
      {"white equals black",
       withTemplate("WhitePt", fnd::Value(fnd::Dictionary{{"Master", 0}, {"Red", 0}, {"Green", 0}, {"Blue", 0}}))},
      {"1000 crops", manyCrops(1000, false)},
      {"200 thumbnails", manyCrops(200, true)},
      {"records not an array", [&] { fnd::Dictionary d = good; d.set("ImgSrcSettings", 3); return d; }()},
      {"crops not dictionaries", [&] { fnd::Dictionary d = good; d.set("CropList", fnd::Array{1, "x"}); return d; }()},
  };
  for (const Row& r : rows) {
    WindowRig to;
    const auto records = to.mode.getImgSrcSettings();
    to.mode.setLastSetting(r.entry);
    expectInRange(to.mode, r.name);
    // A bad value leaves its own field as it was (the rest of the record is the file's).
    if (r.name == "record colour 9") {
      EXPECT_EQ(to.mode.getImgSrcSettings()[1].colorMode[0], records[1].colorMode[0]);
    }
    if (r.name == "record resolution as text") {
      EXPECT_EQ(to.mode.getImgSrcSettings()[0].resolution, records[0].resolution);
    }
  }
}

TEST(ExtendModeLastSetting, ADamagedSettingsFileGivesNoEntry) {
  // What reaches the mode from a truncated file or one whose top level is an array: nothing.
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "ext-last-setting";
  std::filesystem::create_directories(dir);
  WindowRig source;
  fill(source);
  const std::string whole =
      *fnd::PropertyList::write(fnd::Value(fnd::Dictionary{{"ExtendMode", source.mode.getLastSetting()}}));
  const std::string truncated = whole.substr(0, whole.size() / 2);
  const std::string array = *fnd::PropertyList::write(fnd::Value(fnd::Array{fnd::Value(1), fnd::Value("ExtendMode")}));
  for (const std::string& text : {truncated, array}) {
    const auto path = dir / "InitSetting.xml";
    std::ofstream(path) << text;
    const fnd::PropertyList::Result r = fnd::PropertyList::readFile(path.string());
    const bool entry = r.ok() && r.value->isDictionary() && r.value->toDictionary().contains("ExtendMode");
    EXPECT_FALSE(entry);
    WindowRig to;
    to.mode.setLastSetting(entry ? r.value->toDictionary().dictionary("ExtendMode") : fnd::Dictionary{});
    expectInRange(to.mode, "damaged file");
  }
  std::filesystem::remove_all(dir);
}

}  // namespace ext_last_test
