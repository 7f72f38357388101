#include "ui/model/ProgressSourceTexts.h"

#include <array>

#include "ui/base/PVLocalizedString.h"
#include "ui/model/UIScannerInfo.h"

namespace {

constexpr std::array<std::int32_t, 14> kStandardSourceColorModes = {3, 3, 0, 1, 3, 3, 3, 1, 3, 1, 3, 1, 1, 3};

std::string sourceTextsKey(const char* prefix, std::int32_t number) { return prefix + std::to_string(number); }

std::string userInterfaceText(const Quirel_PVLocalizedString& strings, const std::string& key) {
  std::string text = strings.ls_localizedStringForKey(key, "UserInterface").value_or(key);
  return text == Quirel_PVLocalizedString::kNone ? key : text;
}

}  // namespace

std::int32_t Quirel_ProgressSourceTexts::standardModeColorMode(std::int32_t imageSource) {
  // Negative numbers are not sources either: no table entry is read for them.
  if (imageSource < 0 || imageSource >= static_cast<std::int32_t>(kStandardSourceColorModes.size())) return 0;
  return kStandardSourceColorModes[static_cast<std::size_t>(imageSource)];
}

std::int32_t Quirel_ProgressSourceTexts::multiScanColorMode(std::int32_t imageSource) {
  switch (imageSource) {
    case 0:
    case 3:
    case 5:
    case 6:
      return 3;
    case 1:
    case 4:
      return 1;
    default:
      return 0;
  }
}

Quirel_ProgressDisplayRules::Capabilities Quirel_ProgressSourceTexts::scannerDispInfo(
    const Quirel_UIScannerInfo& s) {
  Quirel_ProgressDisplayRules::Capabilities caps;
  caps.iUnharp = s.Unsharp();
  caps.iDescreen = s.Descreen();
  caps.iReduceDust = s.ReduceDust();
  caps.iVexa = s.VEXA();
  caps.iFadingCorrect = s.FadingCorrect();
  caps.iGrainCorrect = s.GrainCorrect();
  caps.iBackLightCorrect = s.BackLightCorrect();
  caps.iBookCorrect = s.BookCorrect();
  caps.iSoftVexa = s.ReduceDustForFAU();
  caps.iCopyGamma = s.CopyGamma();
  caps.iImageAdjust = s.ColorAdjust();
  caps.iRACS2 = s.useRACS2();
  caps.iAutoFineDoc = s.AutoDocCorrect();
  return caps;
}

Quirel_ProgressSourceTexts::Answer Quirel_ProgressSourceTexts::setImageSourceAndColorModeStr(
    std::int32_t mode, std::int32_t imageSource, std::int32_t colorModePopup, const Quirel_UIScannerInfo* scannerInfo) {
  Answer answer;
  answer.scanMode = mode;
  const char* sourcePrefix = nullptr;
  switch (mode) {
    case 0:
      sourcePrefix = "SIMS";
      answer.colorModeNum = standardModeColorMode(imageSource);
      break;
    case 1:
      sourcePrefix = "EIMS_1200_";
      answer.colorModeNum = colorModePopup;
      break;
    case 2:
      sourcePrefix = "MIMS";
      answer.colorModeNum = multiScanColorMode(imageSource);
      break;
    default:
      return answer;
  }
  answer.hasTexts = true;
  answer.imageSourceNum = imageSource;
  answer.imageSourceKey = sourceTextsKey(sourcePrefix, imageSource);
  answer.colorModeKey = sourceTextsKey("ECOM", answer.colorModeNum);
  if (scannerInfo) answer.caps = scannerDispInfo(*scannerInfo);
  return answer;
}

std::string Quirel_ProgressSourceTexts::imageSourceText(const Answer& answer, const Quirel_PVLocalizedString& strings) {
  return answer.hasTexts ? userInterfaceText(strings, answer.imageSourceKey) : std::string();
}

std::string Quirel_ProgressSourceTexts::colorModeText(const Answer& answer, const Quirel_PVLocalizedString& strings) {
  return answer.hasTexts ? userInterfaceText(strings, answer.colorModeKey) : std::string();
}
