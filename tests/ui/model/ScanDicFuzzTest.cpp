// Feeds the readers dictionaries with values of the wrong kind, missing keys, odd numbers and
// oversized arrays. The readers must never crash, read out of bounds or leak (the sanitizer run
// checks the last two), and what they make must obey the record's rules.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "ScanRecordSupport.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"

using namespace scanrecord;

namespace {

const char* const kScanInfoKeys[] = {"OnePass",     "Rotation",     "INVERT_ADF",     "TargetCrop",
                                     "InputSource", "BitDepth",     "CopyGamma",      "Calibration",
                                     "SilentMode",  "FilmDetectArea", "HighQuality",  "IMAGEDOCUMENTTYPE",
                                     "PULLPUSH",    "ORDERREJECTION", "HIGHSPEED",    "INPUTDOCUMENTSIZE",
                                     "ICAOverView", "FAInputSourceADF", "RefSumMode", "ALMViewScannedImages",
                                     "ADFPrefetch"};
const char* const kSettingKeys[] = {"NeedScan",     "MonitorGamma", "ImageSource", "Threshold",
                                    "ColorMode",    "ColorSetting", "WindowWidth", "WindowHeight",
                                    "UiLess",       "NoCloseUI",    "TemporaryPath"};
const char* const kCropKeys[] = {"AutoTone",        "UnsharpMask",    "Descreen",      "ReduceDust",
                                 "FadingCorrect",   "GrainCorrect",   "BacklightCorrect", "UserGamma",
                                 "Threshold",       "Resolution",     "RangeMode",     "SetDataRetain",
                                 "UseDataRetain",   "Scale",          "Rotation",      "CuBS",
                                 "IRScan",          "SIRScan",        "HSLCyanRed",    "HSLMagentaGreen",
                                 "HSLYellowBlue",   "HSLSaturation",  "meRatio",       "Mirror",
                                 "DATA_WIDTH",      "DATA_HEIGHT",    "DATA_P",        "DATA_H",
                                 "IMAGEDOCUMENTTYPE", "UISettingDocument", "COMPRESSION", "AUTOFINE",
                                 "AUTOFINEPHOTO",   "AUTOFINEDOCUMENT", "FREESIZE",    "ALMBasicDestination"};
const char* const kRectKeys[] = {"X", "Y", "width", "height"};

class Fuzzer {
 public:
  explicit Fuzzer(unsigned seed) : rng_(seed) {}

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool chance(int percent) { return below(100) < percent; }

  // Any value at all, nested to a small depth.
  fnd::Value anyValue(int depth = 0) {
    switch (below(depth > 1 ? 11 : 13)) {
      case 0: return fnd::Value();
      case 1: return fnd::Value(chance(50));
      case 2: return fnd::Value(anyInteger());
      case 3: return fnd::Value(anyReal());
      case 4: return fnd::Value(std::string(static_cast<std::size_t>(below(40)), 'a' + below(26)));
      case 5: return fnd::Value("  -7xyz");
      case 6: return fnd::Value(fnd::Data(static_cast<std::size_t>(below(80)), 0x11));
      case 7: return fnd::Value(fnd::Date{1e9});
      case 8: return fnd::Value::pointer(reinterpret_cast<void*>(static_cast<std::uintptr_t>(below(1 << 20) * 8)));
      case 9: return fnd::Value(fnd::Rect());
      case 10: return fnd::Value(5);  // a familiar number in an unfamiliar place
      case 11: {
        fnd::Array a;
        for (int i = below(5); i > 0; --i) a.push_back(anyValue(depth + 1));
        return a;
      }
      default: {
        fnd::Dictionary d;
        for (int i = below(5); i > 0; --i) d.set(kCropKeys[below(std::size(kCropKeys))], anyValue(depth + 1));
        return d;
      }
    }
  }

  long long anyInteger() {
    static const long long special[] = {0,  1,  -1, 2, 3, 4, 5, 6, 7, 61, 62, 100, 4096,
                                        std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
                                        std::numeric_limits<long long>::max(), std::numeric_limits<long long>::min(),
                                        1LL << 32};
    return chance(70) ? special[below(std::size(special))] : static_cast<long long>(rng_()) - (1LL << 31);
  }

  double anyReal() {
    static const double special[] = {0.0, -0.0, 1.0, 0.5, -3.25, 1e300, -1e300,
                                     std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()};
    return special[below(std::size(special))];
  }

  // A plausible value for a key most of the time, anything else the rest; sometimes no key.
  void fill(fnd::Dictionary& d, const char* key, bool isReal = false) {
    int roll = below(10);
    if (roll == 0) return;  // missing
    if (roll < 7) {
      d.set(key, isReal ? fnd::Value(anyReal()) : fnd::Value(anyInteger()));
    } else {
      d.set(key, anyValue());
    }
  }

  fnd::Value rect() {
    if (chance(15)) return anyValue();
    fnd::Dictionary d;
    for (const char* k : kRectKeys) fill(d, k, true);
    return d;
  }

  fnd::Value crop() {
    if (chance(10)) return anyValue();
    fnd::Dictionary d;
    for (const char* k : kCropKeys) fill(d, k);
    if (!chance(10)) d.set("ScanRect", rect());
    if (!chance(30)) d.set("AGRect", rect());
    if (chance(50)) d.set("TRIMRECT", rect());
    if (!chance(10)) {
      fnd::Dictionary shape;
      fill(shape, "Format");
      if (!chance(10)) {
        shape.set("Shape", chance(80) ? fnd::Value(fnd::Data(static_cast<std::size_t>(below(70)), 0x7E)) : anyValue());
      }
      d.set("CropShape", chance(90) ? fnd::Value(shape) : anyValue());
    }
    return d;
  }

  fnd::Dictionary scanInfo() {
    fnd::Dictionary d;
    for (const char* k : kScanInfoKeys) fill(d, k);
    if (!chance(10)) {
      fnd::Dictionary s;
      for (const char* k : kSettingKeys) fill(s, k, std::string(k) == "MonitorGamma");
      if (chance(60)) s.set("TemporaryPath", std::string("/tmp/fuzz"));
      if (chance(50)) s.set("ColorSetting", 1);
      s.set("ScanRect", rect());
      if (chance(70)) {
        fnd::Dictionary p;
        fill(p, "Monitor");
        if (chance(70)) p.set("SourcePath", chance(80) ? fnd::Value("/in.icc") : anyValue());
        if (chance(70)) p.set("TargetPath", chance(80) ? fnd::Value("/out.icc") : anyValue());
        s.set("Profile2", chance(90) ? fnd::Value(p) : anyValue());
      }
      d.set("ScanSetting", chance(90) ? fnd::Value(s) : anyValue());
    }
    int roll = below(10);
    if (roll < 7) {
      int count = chance(80) ? below(8) : 55 + below(80);  // now and then more than the table holds
      fnd::Array crops;
      for (int i = 0; i < count; ++i) crops.push_back(crop());
      d.set("CropItem", std::move(crops));
    } else if (roll < 9) {
      d.set("CropItem", anyValue());
    }
    return d;
  }

 private:
  std::mt19937 rng_;
};

void expectRecordRules(const fnd::Dictionary& d, const ScanInfo& r) {
  const std::size_t listed = d.get("CropItem").isArray() ? d.array("CropItem").size() : 0;
  ASSERT_EQ(r.crop_num, static_cast<int>(std::min<std::size_t>(listed, 61)));
  for (int i = 0; i < kScanInfoMaxCrops; ++i) ASSERT_EQ(r.CropItem[i] != nullptr, i < r.crop_num) << "slot " << i;
  EXPECT_NE(r.InputSource, 5);
  EXPECT_NE(r.InputSource, 6);
  EXPECT_NE(r.FAInputSourceADF, 0);
  const fnd::Value& path = d.get("ScanSetting").toDictionary().get("TemporaryPath");
  EXPECT_EQ(r.Setting.temporaryPath != nullptr, d.get("ScanSetting").isDictionary() && path.isString());
  if (r.Setting.ColorSetting != 1) {
    EXPECT_EQ(r.Setting.ColorSync.SourceProfile, nullptr);
    EXPECT_EQ(r.Setting.ColorSync.TargetProfile, nullptr);
  }
  for (int i = 0; i < r.crop_num; ++i) {
    const CropSetting& c = *r.CropItem[i];
    EXPECT_NE(c.meRatio, 0);
    if (r.Rotation != 0) {
      EXPECT_NE(c.Rotation, 0);
    }
    EXPECT_EQ(c.reserved304, 0);
    for (std::uint8_t b : c.reserved316) EXPECT_EQ(b, 0);
  }
  EXPECT_EQ(r.targetCrop + r.ActionMode + r.error_number + r.BAF + r.ALMFilmDetectType1P1, 0);
}

}  // namespace

TEST(ScanDicFuzz, ReaderSurvivesMalformedDictionaries) {
  constexpr unsigned kRounds = 1200;
  for (unsigned seed = 1; seed <= kRounds; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Fuzzer fuzz(seed);
    const fnd::Dictionary d = fuzz.scanInfo();

    RecordPtr first(static_cast<ScanInfo*>(std::malloc(sizeof(ScanInfo))));
    ASSERT_EQ(UIM_GetDictionary_ScanInfo(&d, first.get()), 0);
    expectRecordRules(d, *first);
    UIM_Check_ScanInfo(first.get());

    // What was read can be written; from then on the form is stable.
    std::optional<fnd::Dictionary> written = UIM_CreateDictionary_ScanInfoDT(first.get(), 1, 1);
    ASSERT_EQ(written.has_value(), first->Setting.temporaryPath != nullptr);
    if (!written) continue;
    RecordPtr second(static_cast<ScanInfo*>(std::malloc(sizeof(ScanInfo))));
    ASSERT_EQ(UIM_GetDictionary_ScanInfo(&*written, second.get()), 0);
    std::optional<fnd::Dictionary> again = UIM_CreateDictionary_ScanInfoDT(second.get(), 1, 1);
    ASSERT_TRUE(again);
    RecordPtr third(static_cast<ScanInfo*>(std::malloc(sizeof(ScanInfo))));
    ASSERT_EQ(UIM_GetDictionary_ScanInfo(&*again, third.get()), 0);
    expectSameRecord(*second, *third);
    if (HasFatalFailure() || HasNonfatalFailure()) return;  // one seed's report is enough
  }
}

TEST(ScanDicFuzz, PartReadersSurviveMalformedDictionaries) {
  auto gamma = std::make_unique<UserGamma>();
  for (unsigned seed = 1; seed <= 400; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Fuzzer fuzz(seed);
    fnd::Dictionary d;
    for (const char* k : {"Size", "UserGammaNumber", "Red", "Green", "Blue", "Format", "Shape", "Monitor",
                          "SourcePath", "TargetPath"}) {
      if (fuzz.chance(70)) d.set(k, fuzz.anyValue());
    }
    if (fuzz.chance(30)) d.set("Green", fnd::Data(kUserGammaChannelBytes + (fuzz.chance(50) ? 0 : 1), 9));

    UIM_GetDictionary_UserGamma(&d, gamma.get());
    CropShape shape;
    EXPECT_EQ(UIM_GetDictionary_CropShape(&d, &shape), 0);
    ColorSyncSetting cs;
    EXPECT_EQ(UIM_GetDictionary_ColorSyncSetting(&d, &cs), 0);
    std::free(cs.SourceProfile);
    std::free(cs.TargetProfile);
    CropSetting crop;
    fnd::Value c = fuzz.crop();
    if (c.isDictionary()) {
      EXPECT_EQ(UIM_GetDictionary_CropSetting(&c.toDictionary(), &crop), 0);
    }
    ScanSetting setting;
    EXPECT_EQ(UIM_GetDictionary_ScanSetting(&d, &setting), 0);
    UIM_Clear_ScanSetting(&setting);
  }
}
