#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/base/ProgressDisplayRules.h"

class Quirel_UIScannerInfo;
class Quirel_PVLocalizedString;

// What the main-window controller hands the progress window about the scan that starts: the
// image-source text and the colour-mode text (keys of the table "UserInterface" with their
// numbers) of the active mode, and the scanner's image-processing offer. Decided without
// windows, from the numbers the mode's pop-ups represent.
class Quirel_ProgressSourceTexts {
 public:
  struct Answer {
    std::int32_t scanMode = 0;
    // Absent in the UI-less mode (3) and any other mode without pop-ups: only the mode (and the
    // main window) go to the progress window then.
    bool hasTexts = false;
    std::string imageSourceKey;  // "SIMS%d", "EIMS_1200_%d" or "MIMS%d" with the source number
    std::int32_t imageSourceNum = 0;
    std::string colorModeKey;  // "ECOM%d" with the colour number
    std::int32_t colorModeNum = 0;
    // Filled in the same modes, when the active mode has a scanner record.
    std::optional<Quirel_ProgressDisplayRules::Capabilities> caps;
  };

  // mode: 0 basic, 1 advanced, 2 multi-scan, 3 UI-less. imageSource: the represented number of
  // the mode's image-source pop-up; colorModePopup: the advanced mode's colour-mode pop-up (the
  // other modes derive the colour from the source). scannerInfo: the active mode's record, or null.
  static Answer setImageSourceAndColorModeStr(std::int32_t mode, std::int32_t imageSource, std::int32_t colorModePopup,
                                              const Quirel_UIScannerInfo* scannerInfo);

  // Basic mode, sources 0 to 13: 3, 3, 0, 1, 3, 3, 3, 1, 3, 1, 3, 1, 1, 3; any other source 0.
  static std::int32_t standardModeColorMode(std::int32_t imageSource);
  // Multi-scan mode: 3 for sources 0, 3, 5, 6; 1 for 1 and 4; 0 for any other.
  static std::int32_t multiScanColorMode(std::int32_t imageSource);
  // The scanner's offer in the order the progress window takes it: Unsharp, Descreen,
  // ReduceDust, VEXA, FadingCorrect, GrainCorrect, BackLightCorrect, BookCorrect,
  // ReduceDustForFAU, CopyGamma, ColorAdjust, useRACS2, then AutoDocCorrect.
  static Quirel_ProgressDisplayRules::Capabilities scannerDispInfo(const Quirel_UIScannerInfo& scannerInfo);

  // The answer's texts in the table "UserInterface" (the key itself when it has no text).
  static std::string imageSourceText(const Answer& answer, const Quirel_PVLocalizedString& strings);
  static std::string colorModeText(const Answer& answer, const Quirel_PVLocalizedString& strings);
};
