#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "foundation/Value.h"

// What the progress window shows for a scan, decided without a window: whether the bar and
// Cancel show (by the scan's kind), whether the information area is simple, which correction
// rows of the detail view show, what the remaining-time and level texts are, which crop entry
// a scanning-info triple names, and whether a percentage moves the bar.
//
// The scan-kind numbers ("BAF", "MfpSfs", "UsbNetwork", "PULLPUSH", "RawJpeg", "MultiPDF",
// "OnePass", "UiLess") are the scan module's; only the numbers matter here.
class Quirel_ProgressDisplayRules {
 public:
  // -1: the rule says nothing; 0 hide; 1 show.
  struct BarCancel {
    std::int32_t bar = -1;
    std::int32_t cancel = -1;
    bool operator==(const BarCancel&) const = default;
  };

  // Rule of the bar and Cancel from the information dictionary's "ScanInfo" (both -1 without).
  static BarCancel setProgressAndCancelDisp(const fnd::Dictionary& info);
  // The nine per-kind rules (PP "PULLPUSH", RJ "RawJpeg", MP "MultiPDF").
  static BarCancel setProgressAndCancelDispPMU(std::int32_t pullPush, std::int32_t rawJpeg, std::int32_t multiPDF);
  static BarCancel setProgressAndCancelDispPMN(std::int32_t pullPush, std::int32_t rawJpeg, std::int32_t multiPDF);
  static BarCancel setProgressAndCancelDispPSU(std::int32_t pullPush, std::int32_t rawJpeg, std::int32_t multiPDF);
  static BarCancel setProgressAndCancelDispAMU(std::int32_t pullPush, std::int32_t rawJpeg, std::int32_t multiPDF);
  static BarCancel setProgressAndCancelDispAMN(std::int32_t pullPush, std::int32_t rawJpeg, std::int32_t multiPDF);
  static BarCancel setProgressAndCancelDispASU(std::int32_t pullPush, std::int32_t rawJpeg, std::int32_t multiPDF);
  static BarCancel setProgressAndCancelDispFMU(std::int32_t pullPush, std::int32_t rawJpeg);
  static BarCancel setProgressAndCancelDispFMN(std::int32_t pullPush, std::int32_t rawJpeg);
  static BarCancel setProgressAndCancelDispFSU(std::int32_t pullPush, std::int32_t rawJpeg);

  // 1 for a UI-less one-pass scan of kind 2, 4 or 6 (the information area is simple), else -1.
  static std::int32_t setDetailInfoSimple(const fnd::Dictionary& info);

  struct SimpleComp {
    std::int32_t answer = -1;
    std::int32_t cancel = -1;
    std::int32_t detail = -1;
    std::int32_t simple = -1;
    bool operator==(const SimpleComp&) const = default;
  };
  // The composite rule; it applies only to scanners of the "Ver1600Later" generation.
  static SimpleComp setDetailInfoSimpleComp(const fnd::Dictionary& info, bool ver16L);

  // The twelve correction rows the visibility rules switch, in the order of their flags.
  enum Row {
    kUnsharp,
    kDescreen,
    kReduceDust,
    kFading,
    kGrain,
    kBacklight,
    kBook,
    kInfraredDust,
    kSoftwareDust,
    kCopyGamma,
    kImageAdjust,
    kAutoFineDoc,
    kRowCount
  };
  using RowFlags = std::array<bool, kRowCount>;

  // The scanner's offer, in the order the main-window controller hands it over.
  struct Capabilities {
    bool iUnharp = true, iDescreen = true, iReduceDust = true, iVexa = true, iFadingCorrect = true,
         iGrainCorrect = true, iBackLightCorrect = true, iBookCorrect = true, iSoftVexa = true, iCopyGamma = true,
         iImageAdjust = true, iRACS2 = false, iAutoFineDoc = true;
  };
  struct DetailInputs {
    std::int32_t colorSetting = 0;
    std::int32_t colorModeNum = 0;
    std::int32_t scanMode = 0;        // 0 standard, 1 extended, 2 multi-scan
    std::int32_t imageSourceNum = 0;  // becomes 5 in the multi-scan mode
    bool ver16L = false;
    bool ver17L = false;
    bool displayCopyGammaWhenRACS2 = false;
    Capabilities caps;
  };
  // Which correction rows show (true) by colour, mode, source and capability. May change
  // `imageSourceNum` (the multi-scan mode always reads as source 5).
  static RowFlags detailRowFlags(DetailInputs& inputs);

  // Texts (keys of the table "UserInterface").
  static const char* onOffKey(std::int32_t value);
  static const char* levelKey(std::int32_t value);
  static const char* imageAdjustKey(std::int32_t value);
  // The copy-gamma row: on an iRACS2 scanner by the crop's document setting (sets `wanted`),
  // else by the scan's copy gamma.
  static const char* copyGammaKey(bool racs2, std::int32_t uiSettingDocument, std::int32_t copyGamma, bool* wanted);

  // Remaining time in minutes: the key, and whether the label shows. Values past 16 bits are
  // clamped, not wrapped, so a long time never reads as a short or negative one.
  struct RemainingTime {
    const char* key;
    bool labelShown;
    std::int32_t minutes;  // the clamped value the format takes
  };
  static RemainingTime remainingTime(std::int32_t minutes);

  // The crop entry a scanning-info triple describes, or -1 for none. The scan module counts
  // "now" from 1 while the table is filled from entry 0, so crops and frames read entry
  // now - 1; a page reads entry 0; the multi-scan mode (sources 5 and 6) always entry 0. An
  // entry outside the `filled` ones is none: the status text then shows alone.
  static std::int32_t cropEntryFor(std::int32_t source, std::int32_t now, std::int32_t scanMode,
                                   std::int32_t imageSourceNum, std::int32_t filled);
  // The status row's key for a source ("" for none).
  static const char* scanningStatusKey(std::int32_t source);

  // The bar only grows: a value is taken only while the bar shows and above its value.
  static bool percentageMovesBar(bool barShown, double barValue, std::int32_t value);
};
