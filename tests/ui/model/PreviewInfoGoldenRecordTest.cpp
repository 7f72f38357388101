// Every preview and scan handler's record, as the scan module receives it: the dictionary form
// holds the expected entries (with the kinds the module reads), and reading it back and writing
// it again gives the same dictionary but for the reader's stated defaults.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "ModeLinkDoubles.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"
#include "ui/model/SettingToSM.h"

using namespace modedoubles;

namespace {

class GoldenStandardMode : public FakeStandardMode {
 public:
  Quirel_CropInfo* templateCrop = nullptr;
  Quirel_CropInfo* getTemplateCrop() override { return templateCrop; }
};

class GoldenExtendMode : public FakeExtendMode {
 public:
  bool highQuality = true;
  bool isHighQualityMode() override { return highQuality; }
};

struct GoldenEnv {
  fnd::NotificationCenter center;
  Quirel_PreviewInfo model{center};
  Quirel_PreferenceInfo prefs;
  Quirel_UIScannerInfo scanner{fnd::Dictionary{{"ThresholdValue", 110}}};
  Quirel_UIScannerInfo feeder{fnd::Dictionary{{"ThresholdValue", 110}, {"ADF", true}, {"TwoSidedADF", true}}};
  Quirel_CropInfo templateCrop;
  GoldenStandardMode basic;
  GoldenExtendMode advanced;
  FakeMultiMode multi;
  FakeUILessMode uiless;

  GoldenEnv() {
    prefs.setMonitorGamma(1.8);  // neutral: only crops with tone changes send a table
    prefs.setAutoExit(0);        // -> NoCloseUI 1
    prefs.setQuietMode(true);
    prefs.setADF_OrderRejection(1);
    prefs.setColorSetting(3, 0);
    prefs.setColorSetting(1, 2);
    prefs.setSmallThumbanilWhenUIOff(true);
    prefs.setTempPath(std::string("/tmp/golden"));
    basic.preferences = advanced.preferences = uiless.preferences = &prefs;
    basic.scanner = advanced.scanner = multi.scanner = &scanner;
    multi.recommendImageSetting = true;
    basic.templateCrop = &templateCrop;
    basic.paperSizes[0] = advanced.paperSizes[0] = {1000, 1400};
    basic.paperSizes[2] = {850, 1400};
    model.setPlatenResolution(100);
    model.setADFPrefetch(3);
  }

  static std::shared_ptr<Quirel_CropInfo> crop(int resolution, int brightness = 0) {
    auto c = std::make_shared<Quirel_CropInfo>();
    c->setResolution(resolution);
    c->setThreshold(90);
    c->setInputRect_Pixel96(makeSRectDouble(10, 10, 100, 100));
    c->setVisiblePreviewSize_Pixel96({1000, 1400});
    ToneBCValues bc{};
    bc.brightness.master = brightness;
    c->setToneBC(bc);
    return c;
  }

  std::shared_ptr<Quirel_ThumbnailInfo> frame(int no, bool ticked) {
    auto t = std::make_shared<Quirel_ThumbnailInfo>(no);
    t->setCropInfo(crop(100 + no));
    t->setChecked(ticked);
    return t;
  }

  // The scan dictionary a calling application hands the UI-less mode: every copied field holds
  // a value of its own, and the fields the fillers set themselves hold something else.
  static fnd::Dictionary appScanDictionary() {
    ScanInfo info;
    std::memset(&info, 0, sizeof info);
    CropSetting crop{};
    info.CropItem[0] = &crop;
    info.crop_num = 1;
    ScanSetting& s = info.Setting;
    s.MonitorGamma = 2.0;
    s.ImageSource = 1;
    s.Threshold = 77;
    s.ColorMode = 2;
    s.ColorSetting = 0;
    s.WindowWidth = 11;
    s.WindowHeight = 12;
    s.UiLessScan = 1;
    s.NoCloseUI = 2;
    char path[] = "/tmp/app/";
    s.temporaryPath = path;
    info.OnePass = 5;
    info.InputSource = 7;
    info.Rotation = 2;
    info.BitDepth = 16;
    info.FilmDetectArea = 9;
    info.CopyGamma = 3;
    info.Silent = 1;
    info.Calibration = 1;
    info.HighQuality = 1;
    info.ImageDocumentType = 4096;
    info.PullPush = 1;
    info.OrderRejection = 1;
    info.HighSpeedScan = 1;
    info.InputDocumentSize = 7;
    info.ICAOverView = 1;
    info.FAInputSourceADF = 1;
    info.RefSumMode = 1;
    info.ALMViewScannedImages = 1;
    info.ADFPrefetch = 4;
    info.target_num = 2;  // the dictionary's "TargetCrop": not among the copied fields
    auto dict = UIM_CreateDictionary_ScanInfo(&info);
    return dict ? *dict : fnd::Dictionary{};
  }
};

fnd::Value rect(double x, double y, double w, double h) {
  return fnd::Value(fnd::Dictionary{{"X", x}, {"Y", y}, {"width", w}, {"height", h}});
}

// Posts a request as the modes do: the carrier under "SetToSM", or as the object.
void postWithCarrier(GoldenEnv& e, const char* name, const std::shared_ptr<Quirel_SettingToSM>& carrier) {
  e.center.post(name, nullptr,
                std::make_shared<fnd::Dictionary>(fnd::Dictionary{{"SetToSM", fnd::Value::object(carrier)}}));
}

struct GoldenCase {
  const char* name;
  std::function<void(GoldenEnv&, const std::shared_ptr<Quirel_SettingToSM>&)> request;
  fnd::Dictionary golden;  // entries the dictionary form must hold, with these kinds
};

// Every entry of `golden` is in `actual` with the same kind and value; nested dictionaries are
// compared entry by entry, arrays element by element and of the same length.
void expectHolds(const fnd::Value& actual, const fnd::Value& golden, const std::string& path) {
  if (golden.isDictionary()) {
    ASSERT_TRUE(actual.isDictionary()) << path;
    for (const auto& [key, value] : golden.toDictionary()) {
      const fnd::Value* a = actual.toDictionary().find(key);
      ASSERT_NE(a, nullptr) << path << "/" << key << " is missing";
      expectHolds(*a, value, path + "/" + key);
    }
  } else if (golden.isArray()) {
    ASSERT_TRUE(actual.isArray()) << path;
    ASSERT_EQ(actual.toArray().size(), golden.toArray().size()) << path;
    for (std::size_t i = 0; i < golden.toArray().size(); ++i)
      expectHolds(actual.toArray()[i], golden.toArray()[i], path + "[" + std::to_string(i) + "]");
  } else {
    EXPECT_EQ(actual, golden) << path;
  }
}

// The same entries with the same kinds and values, reported by path.
void expectSameForm(const fnd::Value& a, const fnd::Value& b, const std::string& path) {
  if (a.isDictionary() && b.isDictionary()) {
    for (const auto& [key, value] : a.toDictionary()) {
      const fnd::Value* other = b.toDictionary().find(key);
      EXPECT_NE(other, nullptr) << path << "/" << key << " is gone";
      if (other) expectSameForm(value, *other, path + "/" + key);
    }
    for (const auto& [key, value] : b.toDictionary())
      EXPECT_TRUE(a.toDictionary().contains(key)) << path << "/" << key << " is new";
  } else if (a.isArray() && b.isArray()) {
    ASSERT_EQ(a.toArray().size(), b.toArray().size()) << path;
    for (std::size_t i = 0; i < a.toArray().size(); ++i)
      expectSameForm(a.toArray()[i], b.toArray()[i], path + "[" + std::to_string(i) + "]");
  } else {
    EXPECT_TRUE(a == b) << path << " differs";
  }
}

// What reading a dictionary form changes: feeder side 0 reads as one side, film sources 5 and 6
// as 3 and 4, a crop's exposure 0 as 100, and a crop without rotation takes the record's.
fnd::Dictionary asReadBack(fnd::Dictionary d) {
  if (d.integer("FAInputSourceADF") == 0) d.set("FAInputSourceADF", 1);
  if (d.integer("InputSource") == 5 || d.integer("InputSource") == 6)
    d.set("InputSource", static_cast<int>(d.integer("InputSource")) - 2);
  const std::int64_t rotation = d.integer("Rotation");
  fnd::Array crops = d.array("CropItem");
  for (fnd::Value& v : crops) {
    fnd::Dictionary c = v.toDictionary();
    if (c.integer("meRatio") == 0) c.set("meRatio", 100);
    if (rotation != 0 && c.integer("Rotation") == 0) c.set("Rotation", static_cast<int>(rotation));
    v = fnd::Value(std::move(c));
  }
  d.set("CropItem", std::move(crops));
  return d;
}

const fnd::Dictionary kZeroCrop{{"AutoTone", 0}, {"Resolution", 0}, {"UserGamma", 0}, {"RangeMode", 0},
                                {"Rotation", 0}, {"Scale", 0.0},     {"meRatio", 0}};

std::vector<GoldenCase> goldenCases() {
  std::vector<GoldenCase> cases;
  // Basic scan of feeder item 10 with one crop: the feeder fields, the document type, prefetch.
  cases.push_back(
      {"basic scan, feeder item 10",
       [](GoldenEnv& e, const std::shared_ptr<Quirel_SettingToSM>& carrier) {
         e.basic.imageSource = 10;
         e.basic.crops = {GoldenEnv::crop(150, 20)};
         carrier->setScanModeObj(&e.basic);
         postWithCarrier(e, "scanSettingFromStdPost", carrier);
       },
       fnd::Dictionary{
           {"ScanSetting", fnd::Dictionary{{"NeedScan", 1}, {"MonitorGamma", 1.8}, {"ImageSource", 0},
                                           {"Threshold", 110}, {"ColorMode", 2}, {"ColorSetting", 0},
                                           {"WindowWidth", 0}, {"WindowHeight", 0}, {"UiLess", 0},
                                           {"NoCloseUI", 1}, {"TemporaryPath", "/tmp/golden/"},
                                           {"ScanRect", rect(0, 0, 0, 0)}}},
           {"OnePass", 0}, {"InputSource", 2}, {"Rotation", 0}, {"INVERT_ADF", 1}, {"BitDepth", 8},
           {"CopyGamma", 0}, {"FilmDetectArea", 0}, {"SilentMode", 1}, {"Calibration", 0},
           {"HighQuality", 0}, {"IMAGEDOCUMENTTYPE", 4096}, {"ORDERREJECTION", 1}, {"INPUTDOCUMENTSIZE", 0},
           {"FAInputSourceADF", 0}, {"RefSumMode", 0}, {"ALMViewScannedImages", 0}, {"ADFPrefetch", 3},
           {"CropItem", fnd::Array{kZeroCrop, fnd::Dictionary{{"Resolution", 150}, {"Threshold", 90},
                                                              {"UserGamma", 1}, {"RangeMode", 1},
                                                              {"Rotation", 0}, {"Mirror", 0.0},
                                                              {"Scale", 100.0}, {"FREESIZE", 1},
                                                              {"SetDataRetain", 0}, {"UseDataRetain", 0},
                                                              {"CropShape", fnd::Dictionary{{"Format", 0}}}}}}}});
  // Advanced scan of feeder item 6 in 48-bit colour: inversion from direction 0 and binding 0.
  cases.push_back(
      {"advanced scan, feeder item 6",
       [](GoldenEnv& e, const std::shared_ptr<Quirel_SettingToSM>& carrier) {
         e.advanced.imageSource = 6;
         e.advanced.colorMode = 4;
         e.advanced.crops = {GoldenEnv::crop(300), GoldenEnv::crop(200, 5)};
         carrier->setScanModeObj(&e.advanced);
         postWithCarrier(e, "scanSettingFromExtPost", carrier);
       },
       fnd::Dictionary{
           {"ScanSetting", fnd::Dictionary{{"NeedScan", 1}, {"ImageSource", 0}, {"Threshold", 110},
                                           {"ColorMode", 2}, {"ColorSetting", 0}, {"NoCloseUI", 1},
                                           {"ScanRect", rect(0, 0, 0, 0)}}},
           {"OnePass", 0}, {"InputSource", 2}, {"Rotation", 0}, {"INVERT_ADF", 1}, {"BitDepth", 16},
           {"CopyGamma", 0}, {"SilentMode", 1}, {"HighQuality", 0}, {"IMAGEDOCUMENTTYPE", 4096},
           {"ORDERREJECTION", 1}, {"INPUTDOCUMENTSIZE", 0}, {"FAInputSourceADF", 0}, {"ADFPrefetch", 3},
           // Reverse slots: the second crop (a tone change: table 1) in slot 1.
           {"CropItem", fnd::Array{kZeroCrop,
                                   fnd::Dictionary{{"Resolution", 200}, {"UserGamma", 1}, {"RangeMode", 1},
                                                   {"Scale", 100.0}, {"FREESIZE", 1}},
                                   fnd::Dictionary{{"Resolution", 300}, {"UserGamma", 0}, {"RangeMode", 1},
                                                   {"Scale", 100.0}, {"FREESIZE", 1}}}}}});
  // Multi-scan of feeder item 6, destination 2: one crop, width only, turned.
  cases.push_back(
      {"multi-scan, feeder item 6",
       [](GoldenEnv& e, const std::shared_ptr<Quirel_SettingToSM>& carrier) {
         e.multi.imageSource = 6;
         e.multi.destination = 2;
         carrier->setScanModeObj(&e.multi);
         carrier->setStandardModeObj(&e.basic);
         e.center.post("scanSettingFromMultiPost", carrier.get());
       },
       fnd::Dictionary{
           {"ScanSetting", fnd::Dictionary{{"NeedScan", 1}, {"MonitorGamma", 1.8}, {"ImageSource", 1},
                                           {"Threshold", 110}, {"ColorMode", 2}, {"ColorSetting", 0},
                                           {"ScanRect", rect(0, 0, 0, 0)}}},
           {"OnePass", 4}, {"InputSource", 4}, {"Rotation", 0}, {"INVERT_ADF", 0}, {"BitDepth", 8},
           {"CopyGamma", 0}, {"Calibration", 0}, {"IMAGEDOCUMENTTYPE", 0}, {"ORDERREJECTION", 0},
           {"ADFPrefetch", 0}, {"ALMViewScannedImages", 0},
           {"CropItem", fnd::Array{fnd::Dictionary{
                            {"Resolution", 300}, {"Rotation", 1}, {"Scale", 100.0}, {"UserGamma", 1},
                            {"RangeMode", 0}, {"Threshold", 110}, {"AutoTone", 1}, {"UnsharpMask", 1},
                            {"Descreen", 0}, {"SetDataRetain", 0}, {"UseDataRetain", 0},
                            {"CropShape", fnd::Dictionary{{"Format", 0}}},
                            {"ScanRect", rect(0, 0, 850 * 3.0, 0)}}}}}});
  // Automatic scan on a two-sided feeder with duplex on and the recommended setting.
  cases.push_back(
      {"automatic scan, two-sided feeder",
       [](GoldenEnv& e, const std::shared_ptr<Quirel_SettingToSM>& carrier) {
         e.multi.duplex = true;
         e.multi.scanner = &e.feeder;
         carrier->setScanModeObj(&e.multi);
         carrier->setStandardModeObj(&e.basic);
         postWithCarrier(e, "scanSettingFromAutoPost", carrier);
       },
       fnd::Dictionary{
           {"ScanSetting", fnd::Dictionary{{"NeedScan", 1}, {"ImageSource", 0}, {"Threshold", 110},
                                           {"ColorMode", 2}, {"ColorSetting", 0}, {"NoCloseUI", 1}}},
           {"OnePass", 6}, {"InputSource", 0}, {"INVERT_ADF", 1}, {"BitDepth", 8}, {"IMAGEDOCUMENTTYPE", 0},
           {"FAInputSourceADF", 2}, {"ORDERREJECTION", 1}, {"ALMViewScannedImages", 1}, {"ADFPrefetch", 3},
           {"Calibration", 0}, {"SilentMode", 1},
           {"CropItem", fnd::Array{fnd::Dictionary{{"Resolution", 300}, {"Rotation", 0}, {"Scale", 100.0},
                                                   {"Threshold", 110}, {"UserGamma", 0}, {"RangeMode", 0},
                                                   {"AUTOFINE", 1}, {"UISettingDocument", 26},
                                                   {"ScanRect", rect(0, 0, 0, 0)}}}}}});
  // Basic preview of film item 4: one empty crop, no feeder fields.
  cases.push_back(
      {"basic preview, film item 4",
       [](GoldenEnv& e, const std::shared_ptr<Quirel_SettingToSM>& carrier) {
         e.basic.imageSource = 4;
         carrier->setScanModeObj(&e.basic);
         postWithCarrier(e, "previewSettingFromStdPost", carrier);
       },
       fnd::Dictionary{
           {"ScanSetting", fnd::Dictionary{{"NeedScan", 0}, {"ImageSource", 1}, {"Threshold", 110},
                                           {"ColorMode", 2}, {"ColorSetting", 0}, {"WindowWidth", 0},
                                           {"UiLess", 0}, {"NoCloseUI", 1}}},
           {"OnePass", 0}, {"InputSource", 3}, {"Rotation", 0}, {"INVERT_ADF", 0}, {"BitDepth", 8},
           {"CopyGamma", 0}, {"FilmDetectArea", 0}, {"SilentMode", 1}, {"HighQuality", 0},
           {"IMAGEDOCUMENTTYPE", 12288}, {"ORDERREJECTION", 0}, {"INPUTDOCUMENTSIZE", 0}, {"RefSumMode", 0},
           {"ADFPrefetch", 0}, {"CropItem", fnd::Array{kZeroCrop}}}});
  // Advanced preview of film item 1, not zoomed: the carrier's threshold, high quality on film.
  cases.push_back(
      {"advanced preview, film item 1",
       [](GoldenEnv& e, const std::shared_ptr<Quirel_SettingToSM>& carrier) {
         e.advanced.imageSource = 1;
         e.advanced.colorMode = 3;
         e.advanced.film = true;
         carrier->setScanModeObj(&e.advanced);
         carrier->setThresholdNum(140);
         postWithCarrier(e, "previewSettingFromExtPost", carrier);
       },
       fnd::Dictionary{
           {"ScanSetting", fnd::Dictionary{{"NeedScan", 0}, {"ImageSource", 1}, {"Threshold", 140},
                                           {"ColorMode", 2}, {"ColorSetting", 0}, {"WindowWidth", 0},
                                           {"WindowHeight", 0}}},
           {"OnePass", 0}, {"InputSource", 3}, {"BitDepth", 8}, {"HighQuality", 1}, {"IMAGEDOCUMENTTYPE", 12288},
           {"INPUTDOCUMENTSIZE", 0}, {"ORDERREJECTION", 0}, {"ADFPrefetch", 0}, {"CropItem", fnd::Array{kZeroCrop}}}});
  // UI-less preview: the application's fields copied, the fillers' own set.
  cases.push_back(
      {"UI-less preview",
       [](GoldenEnv& e, const std::shared_ptr<Quirel_SettingToSM>& carrier) {
         e.uiless.scanDic = GoldenEnv::appScanDictionary();
         e.uiless.inputSource = 4;
         carrier->setScanModeObj(&e.uiless);
         postWithCarrier(e, "previewSettingFromUILessPost", carrier);
       },
       fnd::Dictionary{
           {"ScanSetting", fnd::Dictionary{{"NeedScan", 0}, {"MonitorGamma", 2.0}, {"ImageSource", 1},
                                           {"Threshold", 77}, {"ColorMode", 2}, {"ColorSetting", 0},
                                           {"WindowWidth", 11}, {"WindowHeight", 12}, {"UiLess", 1},
                                           {"NoCloseUI", 2}, {"TemporaryPath", "/tmp/app/"}}},
           {"OnePass", 5}, {"InputSource", 7}, {"Rotation", 0}, {"BitDepth", 8}, {"FilmDetectArea", 0},
           {"CopyGamma", 3}, {"SilentMode", 1}, {"Calibration", 1}, {"HighQuality", 1}, {"TargetCrop", 0},
           {"IMAGEDOCUMENTTYPE", 4096}, {"PULLPUSH", 1}, {"ORDERREJECTION", 1}, {"HIGHSPEED", 1},
           {"INPUTDOCUMENTSIZE", 7}, {"ICAOverView", 1}, {"FAInputSourceADF", 1}, {"RefSumMode", 1},
           {"ALMViewScannedImages", 0}, {"ADFPrefetch", 0}, {"CropItem", fnd::Array{kZeroCrop}}}});
  // UI-less scan: input source 7 replaced, ticked frames only, the small-thumbnail detection.
  cases.push_back(
      {"UI-less scan",
       [](GoldenEnv& e, const std::shared_ptr<Quirel_SettingToSM>& carrier) {
         e.uiless.scanDic = GoldenEnv::appScanDictionary();
         e.uiless.inputSource = 4;
         e.uiless.thumbnails = {e.frame(0, true), e.frame(1, false), e.frame(2, true)};
         carrier->setScanModeObj(&e.uiless);
         e.center.post("scanSettingFromUILessPost", carrier.get());
       },
       fnd::Dictionary{
           {"ScanSetting", fnd::Dictionary{{"NeedScan", 1}, {"MonitorGamma", 2.0}, {"Threshold", 77},
                                           {"UiLess", 1}, {"ScanRect", rect(0, 0, 0, 0)}}},
           {"OnePass", 5}, {"InputSource", 4}, {"Rotation", 0}, {"BitDepth", 8}, {"FilmDetectArea", -1},
           {"RefSumMode", 1}, {"TargetCrop", 0}, {"ALMViewScannedImages", 0}, {"ADFPrefetch", 0},
           // Gamma 2.0 is not neutral: every frame shares table 1.
           {"CropItem", fnd::Array{kZeroCrop,
                                   fnd::Dictionary{{"Resolution", 100}, {"Threshold", 90}, {"UserGamma", 1},
                                                   {"RangeMode", 1}, {"Scale", 100.0}, {"Rotation", 0},
                                                   {"SetDataRetain", 0}, {"UseDataRetain", 0},
                                                   {"CropShape", fnd::Dictionary{{"Format", 0}}}},
                                   fnd::Dictionary{{"Resolution", 102}, {"UserGamma", 1}, {"RangeMode", 1}}}}}});
  return cases;
}

}  // namespace

TEST(PreviewInfoGoldenRecords, EachHandlersRecordReachesTheModuleAsItsGoldenDictionaryAndBack) {
  for (const GoldenCase& c : goldenCases()) {
    SCOPED_TRACE(c.name);
    GoldenEnv env;
    auto carrier = std::make_shared<Quirel_SettingToSM>();
    c.request(env, carrier);
    ASSERT_FALSE(carrier->isRefused());
    const ScanInfo info = carrier->getScanInfoSM();
    const auto sent = UIM_CreateDictionary_ScanInfoDT(&info, 1, 1);
    ASSERT_TRUE(sent);
    expectHolds(fnd::Value(*sent), fnd::Value(c.golden), "");

    ScanInfo back;
    std::memset(&back, 0, sizeof back);
    ASSERT_EQ(UIM_GetDictionary_ScanInfo(&*sent, &back), 0);
    const auto again = UIM_CreateDictionary_ScanInfoDT(&back, 1, 1);
    UIM_Clear_ScanInfo(&back);
    ASSERT_TRUE(again);
    expectSameForm(fnd::Value(*again), fnd::Value(asReadBack(*sent)), "");
  }
}
