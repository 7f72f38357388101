#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ModelParameterFixtures.h"
#include "foundation/Bundle.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "ui/model/UIScannerInfo.h"

namespace {

using Info = Quirel_UIScannerInfo;

struct FlagKey {
  const char* key;
  bool (Info::*get)() const;
  bool byDefault;
};

// Every flag of the "ScannerInfo" entry with its getter and default. The two calibration-button
// flags are left out: their defaults follow other keys (tested on their own).
const std::vector<FlagKey>& flagKeys() {
  static const std::vector<FlagKey> keys = {
      {"Ver310", &Info::isVer310, false},
      {"Ver1200Later", &Info::isVer1200Later, true},
      {"Ver1300Later", &Info::isVer1300Later, false},
      {"Ver1400Later", &Info::isVer1400Later, false},
      {"Ver1500Later", &Info::isVer1500Later, false},
      {"Ver1600Later", &Info::isVer1600Later, false},
      {"Ver1700Later", &Info::isVer1700Later, false},
      {"Ver1800Later", &Info::isVer1800Later, false},
      {"Ver1900Later", &Info::isVer1900Later, false},
      {"Ver1910Later", &Info::isVer1910Later, false},
      {"TrivoVer100Later", &Info::isTrivoVer100Later, false},
      {"CIS", &Info::isCIS, true},
      {"CCD", &Info::isCCD, false},
      {"MFP", &Info::isMFP, false},
      {"SFS", &Info::isSFS, true},
      {"FAU", &Info::isFAU, false},
      {"OneFrameFAU", &Info::isOneFrameFAU, false},
      {"MountRotation90", &Info::mountRotation90, true},
      {"AllFrameCheckIfOneFrame", &Info::enabledAllFrameCheckIfOneFrame, false},
      {"AllFrameSelectIfOneFrame", &Info::enabledAllFrameSelectIfOneFrame, false},
      {"ADF", &Info::isADF, false},
      {"TwoSidedADF", &Info::isTwoSidedADF, false},
      {"RevisedADFOrientation", &Info::isRevisedADFOrientation, false},
      {"AutoTone", &Info::AutoTone, true},
      {"ImageAdjustment", &Info::ColorAdjust, false},
      {"CopyGamma", &Info::CopyGamma, false},
      {"Unsharp", &Info::Unsharp, true},
      {"Descreen", &Info::Descreen, true},
      {"ReduceDust", &Info::ReduceDust, true},
      {"ReduceDustForFAU", &Info::ReduceDustForFAU, false},
      {"VEXA", &Info::VEXA, false},
      {"FadingCorrect", &Info::FadingCorrect, true},
      {"GrainCorrect", &Info::GrainCorrect, true},
      {"BackLightCorrect", &Info::BackLightCorrect, true},
      {"BookCorrect", &Info::BookCorrect, true},
      {"AutoDocCorrect", &Info::AutoDocCorrect, false},
      {"AutoPhotoCorrect", &Info::AutoPhotoCorrect, false},
      {"RecommendedImageProc", &Info::recommendedImageProc, false},
      {"RACS2", &Info::useRACS2, false},
      {"HighQualityMode", &Info::highQualityMode, false},
      {"ColorBalance", &Info::colorBalance, true},
      {"ColorPattern", &Info::colorPattern, false},
      {"BitEnabled", &Info::bitEnabled, false},
      {"EnableLargeScan", &Info::enableLargeScan, false},
      {"ColorDocument", &Info::colorDocument, true},
      {"CloseSelect", &Info::closeSelect, true},
      {"ADFSetting_OrderRejection", &Info::adf_OrderRejection, false},
      {"IndexLayout", &Info::indexLayout, false},
      {"ADFSetting_HighSpeed", &Info::adf_HighSpeed, false},
      {"EnergySaveMode", &Info::energySaveMode, false},
      {"AutoPowerSetting", &Info::autoPowerSetting, false},
      {"QuietMode", &Info::quietMode, false},
      {"Calibration", &Info::calibration, false},
      {"AlwaysCalibration", &Info::alwaysCalibration, false},
      {"ManualCalibration", &Info::manualCalibration, true},
      {"ScannerTest", &Info::scannerTest, true},
      {"AlwaysAutoTone", &Info::alwaysAutoTone, true},
      {"PlatenThumbnail", &Info::platenThumbnail, false},
      {"FilmThumbnail", &Info::filmThumbnail, true},
      {"PlatenDefaultThumb", &Info::defaultPlatenThumbnail, false},
      {"FilmDefaultThumb", &Info::defaultFilmThumbnail, true},
      {"ImageDocumentTypeToSM", &Info::needsImageDocumentTypeToSM, false},
      {"PreviewDataMemFree", &Info::isPreviewDataMemFree, false},
      {"RoundDownOutputSizeDialog", &Info::roundDownOutputSizeDialog, false},
      {"LargeScanWarning", &Info::isLargeScanWarning, true},
  };
  return keys;
}

struct NumberKey {
  const char* key;
  double (*get)(const Info&);
  double byDefault;
};

const std::vector<NumberKey>& numberKeys() {
  static const std::vector<NumberKey> keys = {
      {"ThresholdValue", [](const Info& i) -> double { return i.thresholdValue(); }, 72},
      {"QuietModeSettingType", [](const Info& i) -> double { return i.quietModeSettingType(); }, 0},
      {"StartUpPreview", [](const Info& i) -> double { return i.defaultAtStartUpPreview(); }, 1},
      {"ColorThumbSize", [](const Info& i) { return i.maxThumbnailDataSize_Color(); }, 0},
      {"GrayThumbSize", [](const Info& i) { return i.maxThumbnailDataSize_Gray(); }, 0},
      {"BWThumbSize", [](const Info& i) { return i.maxThumbnailDataSize_BW(); }, 0},
      {"PlatenAutoCropResolution", [](const Info& i) -> double { return i.platenAutoCropResolution(); }, 75},
  };
  return keys;
}

// The nine size limits in the order 24-bit, 48-bit, large: data size, width, height.
std::vector<double> limits(const Info& i) {
  return {i.maxScanDataSize_24(), i.maxScanWidth_24()*1.0, i.maxScanHeight_24()*1.0,
          i.maxScanDataSize_48(), i.maxScanWidth_48()*1.0, i.maxScanHeight_48()*1.0,
          i.maxScanDataSize_L(),  i.maxScanWidth_L()*1.0,  i.maxScanHeight_L()*1.0};
}

const std::vector<double> kDefaultLimits = {0, 21000, 30000, 0, 10000, 30000, 0, 0, 0};

}  // namespace

TEST(UIScannerInfo, EmptyEntryGivesTheDefaults) {
  const Info plain;
  const Info empty{fnd::Dictionary{}};
  for (const FlagKey& k : flagKeys()) {
    EXPECT_EQ((plain.*k.get)(), k.byDefault) << k.key;
    EXPECT_EQ((empty.*k.get)(), k.byDefault) << k.key;
  }
  for (const NumberKey& k : numberKeys()) EXPECT_EQ(k.get(empty), k.byDefault) << k.key;
  EXPECT_EQ(limits(empty), kDefaultLimits);
  EXPECT_EQ(empty.windowMinSize(), (fnd::Size{850, 638}));
  EXPECT_EQ(empty.platenPreviewResolution(), 75);
  EXPECT_EQ(empty.supportPortType(), 0);
  EXPECT_EQ(empty.connetctedPortType(), 0);
  EXPECT_FALSE(empty.multiPagePDFFromApplication());
  EXPECT_EQ(empty.largeScanFromApplication(), 0);
  EXPECT_EQ(empty.dataFormatFromApplication(), 0);
  EXPECT_FALSE(empty.driverVersion());
  EXPECT_FALSE(empty.twainDsDeviceName());
  EXPECT_FALSE(empty.twainDsWebMDeviceName());

  // Only the entry form names the scanner and follows the calibration kinds for the buttons.
  EXPECT_EQ(empty.scannerName(), std::optional<std::string>(""));
  EXPECT_TRUE(empty.platenCalibration());
  EXPECT_FALSE(empty.filmCalibration());
  EXPECT_FALSE(plain.scannerName());
  EXPECT_FALSE(plain.platenCalibration());
  EXPECT_FALSE(plain.filmCalibration());

  // The resource bundle is looked up for the entry form only.
  EXPECT_FALSE(plain.resourcesBundlePath());
  // The user interface's picture bundle ships with the resources.
  const std::string bundle = fnd::Bundle::main().path() + "/pictures/quirel_r14";
  ASSERT_TRUE(std::filesystem::is_directory(bundle));
  EXPECT_EQ(empty.resourcesBundlePath(), std::optional<std::string>(bundle));
}

TEST(UIScannerInfo, EveryKeyReachesItsField) {
  // One key at a time, set to the opposite of its default: a misspelt key or a crossed getter
  // shows as a flag that does not move or one that moves with another key.
  for (const FlagKey& k : flagKeys()) {
    const Info info{fnd::Dictionary{{k.key, !k.byDefault}}};
    for (const FlagKey& other : flagKeys()) {
      const bool expected = (&other == &k) ? !k.byDefault : other.byDefault;
      EXPECT_EQ((info.*other.get)(), expected) << "set " << k.key << ", read " << other.key;
    }
  }
  for (const NumberKey& k : numberKeys()) {
    const Info info{fnd::Dictionary{{k.key, 3}}};
    for (const NumberKey& other : numberKeys()) {
      EXPECT_EQ(other.get(info), (&other == &k) ? 3.0 : other.byDefault) << "set " << k.key << ", read " << other.key;
    }
  }
  const Info named{fnd::Dictionary{{"ScannerName", "Model X"}}};
  EXPECT_EQ(named.scannerName(), std::optional<std::string>("Model X"));
}

TEST(UIScannerInfo, CalibrationButtonsFollowTheCalibrationKinds) {
  struct Case {
    fnd::Dictionary entry;
    bool platen, film;
  };
  const Case cases[] = {
      {{{"ManualCalibration", false}}, false, false},
      {{{"ManualCalibration", true}, {"FAU", true}}, true, true},
      {{{"ManualCalibration", true}}, true, false},
      {{{"ManualCalibration", false}, {"FAU", true}}, false, false},
      // Explicit button keys win over the fallbacks.
      {{{"ManualCalibration", true}, {"FAU", true}, {"PlatenCalbBottun", false}, {"FilmCalbBottun", false}}, false, false},
      {{{"ManualCalibration", false}, {"PlatenCalbBottun", true}, {"FilmCalbBottun", true}}, true, true},
  };
  for (std::size_t n = 0; n < std::size(cases); ++n) {
    const Info info{cases[n].entry};
    EXPECT_EQ(info.platenCalibration(), cases[n].platen) << "case " << n;
    EXPECT_EQ(info.filmCalibration(), cases[n].film) << "case " << n;
  }
}

TEST(UIScannerInfo, SizeLimitsAndWindowSizeReadOnlyWhatIsThere) {
  const Info partial{fnd::Dictionary{
      {"MaxScanSize", fnd::Dictionary{{"48bit", fnd::Dictionary{{"Height", 12345}}},
                                      {"LargeScanSize", fnd::Dictionary{{"DataSize", 5.0e9}, {"Width", 60000}}}}},
      {"WindowMinSize", fnd::Dictionary{{"Width", 900.1}}}}};
  EXPECT_EQ(limits(partial), (std::vector<double>{0, 21000, 30000, 0, 10000, 12345, 5.0e9, 60000, 0}));
  // Both window sizes are read once the entry is there; the sizes pass through single precision.
  EXPECT_EQ(partial.windowMinSize().width, static_cast<double>(900.1f));
  EXPECT_EQ(partial.windowMinSize().height, 0.0);
}

TEST(UIScannerInfo, ThumbnailLimitByColourMode) {
  const Info info{fnd::Dictionary{{"ColorThumbSize", 300.0}, {"GrayThumbSize", 200.0}, {"BWThumbSize", 100.0}}};
  const std::pair<int, double> cases[] = {{-1, 0}, {0, 100}, {1, 200}, {2, 200}, {3, 300}, {4, 300}, {5, 300}, {6, 0}};
  for (auto [mode, expected] : cases) EXPECT_EQ(info.maxThumbnailDataSizeAtColorMode(mode), expected) << mode;
}

TEST(UIScannerInfo, InitialSettings) {
  Info info{fnd::Dictionary{}};
  info.setInitSettingData(nullptr);
  EXPECT_FALSE(info.driverVersion());

  const fnd::Dictionary settings{{"Flatbed", fnd::Dictionary{{"PreviewResX", 150}, {"X", 0.0}}},
                                 {"SupportPortType", 3},
                                 {"PortType", "LAN"},
                                 {"Version", "1.0.0"},
                                 {"WebMDeviceName", "TS800"}};
  info.setInitSettingData(&settings);
  EXPECT_EQ(info.platenPreviewResolution(), 150);
  EXPECT_EQ(info.supportPortType(), 3);
  EXPECT_EQ(info.connetctedPortType(), 2);
  EXPECT_EQ(info.driverVersion(), std::optional<std::string>("1.0.0"));
  EXPECT_EQ(info.twainDsWebMDeviceName(), std::optional<std::string>("TS800"));

  // The web-manual name step: an absent name keeps the initial setting's.
  info.setTwainDsWebMDeviceName(std::nullopt);
  EXPECT_EQ(info.twainDsWebMDeviceName(), std::optional<std::string>("TS800"));
  info.setTwainDsWebMDeviceName("Other");
  EXPECT_EQ(info.twainDsWebMDeviceName(), std::optional<std::string>("Other"));
}

TEST(UIScannerInfo, PortTypeTable) {
  const std::pair<const char*, int> cases[] = {{"USB1.1", 0}, {"USB2.0", 1}, {"LAN", 2}, {"Wireless LAN", 3}};
  for (auto [text, expected] : cases) {
    Info info;
    const fnd::Dictionary settings{{"PortType", text}};
    info.setInitSettingData(&settings);
    EXPECT_EQ(info.connetctedPortType(), expected) << text;
  }
  // Anything else leaves the connection type as it was.
  for (const fnd::Value& other : {fnd::Value("USB3.0"), fnd::Value("lan"), fnd::Value(""), fnd::Value(2)}) {
    Info info;
    const fnd::Dictionary unknown{{"PortType", other}};
    info.setInitSettingData(&unknown);
    EXPECT_EQ(info.connetctedPortType(), 0) << other.toString();
    const fnd::Dictionary lan{{"PortType", "LAN"}};
    info.setInitSettingData(&lan);
    info.setInitSettingData(&unknown);
    EXPECT_EQ(info.connetctedPortType(), 2) << other.toString();
  }
}

TEST(UIScannerInfo, RequestLimitsAreAllOrNothing) {
  struct Case {
    fnd::Dictionary request;
    std::vector<double> expected;
  };
  const std::vector<double> all5000x7000 = {0, 5000, 7000, 0, 5000, 7000, 0, 5000, 7000};
  const Case cases[] = {
      {{{"MaxScanPixelWidth", 5000}, {"MaxScanPixelHeight", -1}}, kDefaultLimits},
      {{{"MaxScanPixelWidth", -1}, {"MaxScanPixelHeight", 7000}}, kDefaultLimits},
      {{{"MaxScanPixelWidth", 5000}}, kDefaultLimits},
      {{{"MaxScanPixelHeight", 7000}}, kDefaultLimits},
      {{{"MaxScanPixelWidth", 5000}, {"MaxScanPixelHeight", 7000}}, all5000x7000},
      {{{"MaxScanPixelWidth", 0}, {"MaxScanPixelHeight", 0}}, std::vector<double>(9, 0.0)},
  };
  for (std::size_t n = 0; n < std::size(cases); ++n) {
    // Start from a model with data-size limits, so clearing them shows.
    Info info{modelfixtures::filmScanner()};
    const std::vector<double> before = limits(info);
    info.setTWAINRequest(&cases[n].request);
    EXPECT_EQ(limits(info), cases[n].expected == kDefaultLimits ? before : cases[n].expected) << "case " << n;
  }
}

TEST(UIScannerInfo, RequestFlagsAcceptOnlyTheirValues) {
  struct Case {
    fnd::Dictionary request;
    bool multiPage;
    int large;
    int format;
  };
  const Case cases[] = {
      {{{"LargeImageScan", 3}}, false, 0, 0},
      {{{"LargeImageScan", -1}}, false, 0, 0},
      {{{"LargeImageScan", 2}}, false, 2, 0},
      {{{"MultiPagePDFScan", 2}}, false, 0, 0},
      {{{"MultiPagePDFScan", 1}}, true, 0, 0},
      {{{"ImageDataFormat", 7}}, false, 0, 7},
      {{{"DeviceNameTitle", "Scanner A"}, {"MultiPagePDFScan", true}, {"LargeImageScan", 1}}, true, 1, 0},
  };
  for (std::size_t n = 0; n < std::size(cases); ++n) {
    Info info;
    info.setTWAINRequest(&cases[n].request);
    EXPECT_EQ(info.multiPagePDFFromApplication(), cases[n].multiPage) << "case " << n;
    EXPECT_EQ(info.largeScanFromApplication(), cases[n].large) << "case " << n;
    EXPECT_EQ(info.dataFormatFromApplication(), cases[n].format) << "case " << n;
  }
  // A later request with an unaccepted value keeps what an earlier one set.
  Info info;
  const fnd::Dictionary first{{"LargeImageScan", 1}, {"MultiPagePDFScan", 1}, {"DeviceNameTitle", "Scanner A"}};
  const fnd::Dictionary second{{"LargeImageScan", 9}, {"MultiPagePDFScan", 0}};
  info.setTWAINRequest(&first);
  info.setTWAINRequest(&second);
  info.setTWAINRequest(nullptr);
  EXPECT_EQ(info.largeScanFromApplication(), 1);
  EXPECT_TRUE(info.multiPagePDFFromApplication());
  EXPECT_EQ(info.twainDsDeviceName(), std::optional<std::string>("Scanner A"));
}

TEST(UIScannerInfo, OtherModelGenerations) {
  const Info early{modelfixtures::earlyFlatbed()};
  EXPECT_TRUE(early.isVer1200Later());
  EXPECT_FALSE(early.isVer1300Later());
  EXPECT_FALSE(early.platenCalibration());
  EXPECT_FALSE(early.filmCalibration());
  EXPECT_EQ(early.maxThumbnailDataSizeAtColorMode(3), 0);

  const Info film{modelfixtures::filmScanner()};
  EXPECT_TRUE(film.isVer1500Later());
  EXPECT_FALSE(film.isVer1600Later());
  EXPECT_TRUE(film.platenCalibration());
  EXPECT_TRUE(film.filmCalibration());
  EXPECT_EQ(limits(film), (std::vector<double>{1073741824.0, 21000, 30000, 0, 10000, 30000, 0, 56000, 76000}));

  const Info feeder{modelfixtures::feederMultifunction()};
  EXPECT_TRUE(feeder.isVer1800Later());
  EXPECT_FALSE(feeder.isVer1900Later());
  EXPECT_TRUE(feeder.isTwoSidedADF());
  EXPECT_FALSE(feeder.filmThumbnail());
  EXPECT_EQ(feeder.quietModeSettingType(), 2);
  EXPECT_EQ(feeder.windowMinSize(), (fnd::Size{900, 700}));
}

TEST(UIScannerInfo, OurVirtualScannersParameterFile) {
  // The file is found as the front door finds it: <InitPath>PV<Model>.xml, with the model word
  // of the device list.
  const std::string resources = fnd::Paths::resourceDir();
  const auto devices = fnd::PropertyList::readFile(resources + "/devices/VirtualDevices.plist");
  ASSERT_TRUE(devices.ok()) << devices.error;
  const fnd::Value& device = (*devices.value)["Devices"][0];
  const std::string modelWord = device["Model"]["ModelWord"].toString();
  ASSERT_FALSE(modelWord.empty());
  const auto parameters = fnd::PropertyList::readFile(resources + "/models/PV" + modelWord + ".xml");
  ASSERT_TRUE(parameters.ok()) << parameters.error;
  const fnd::Dictionary& entry = (*parameters.value)["ScannerInfo"].toDictionary();
  ASSERT_FALSE(entry.empty());

  // Every key in the file is one the record reads: a misspelt key would silently fall back.
  std::set<std::string> known = {"PlatenCalbBottun", "FilmCalbBottun", "ScannerName", "WindowMinSize", "MaxScanSize"};
  for (const FlagKey& k : flagKeys()) known.insert(k.key);
  for (const NumberKey& k : numberKeys()) known.insert(k.key);
  for (const std::string& key : entry.keys()) EXPECT_TRUE(known.count(key)) << key;

  const Info info{entry};
  EXPECT_EQ(info.scannerName(), std::optional<std::string>(device["Name"].toString()));
  // The virtual scanner has a film holder and no document feeder.
  EXPECT_EQ(info.isFAU(), device["Model"]["FilmFrames"].toInt() > 0);
  EXPECT_EQ(info.isADF(), device["Model"]["FeederPages"].toInt() > 0);
  EXPECT_TRUE(info.filmCalibration());
  EXPECT_GT(info.maxScanWidth_L(), info.maxScanWidth_24());
  for (int mode = 0; mode <= 5; ++mode) EXPECT_GT(info.maxThumbnailDataSizeAtColorMode(mode), 0) << mode;
}
