#include "ui/settings/InfoDialogRows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "foundation/StringFormat.h"
#include "ui/model/UIScannerInfo.h"

namespace {

bool infoRowsFullColorMode(int colorMode) { return colorMode == 3 || colorMode == 4 || colorMode == 5; }

// Rule A: the auto-tone row.
bool infoRowsAutoTone(const Quirel_InfoDialogRows::Choice& c, const Quirel_UIScannerInfo& s, bool platen) {
  if (!s.AutoTone()) return false;
  if (!s.isVer310() && !s.isVer1400Later()) return c.colorSetting != 2;
  if (c.colorSetting != 0) return false;
  return !(platen && s.isVer1400Later() && c.scanMode == 4);
}

void infoRowsCommon(Quirel_InfoDialogRows::Shown& r, const Quirel_InfoDialogRows::Choice& c,
                    const Quirel_UIScannerInfo& s) {
  using R = Quirel_InfoDialogRows;
  r[R::Interface] = r[R::Source] = r[R::ColorMode] = r[R::Resolution] = r[R::ColorSetting] = true;
  r[R::CalbEveryScan] = s.alwaysCalibration();
  r[R::SilentMode] = s.quietMode() && s.quietModeSettingType() != 1 && s.quietModeSettingType() != 2;
}

}  // namespace

Quirel_InfoDialogRows::Shown Quirel_InfoDialogRows::select(const Choice& c, const Quirel_UIScannerInfo& s) {
  return c.scanMode == 2 || c.scanMode == 3 ? filmRows(c, s) : platenRows(c, s);
}

Quirel_InfoDialogRows::Shown Quirel_InfoDialogRows::platenRows(const Choice& c, const Quirel_UIScannerInfo& s) {
  Shown r{};
  infoRowsCommon(r, c, s);
  const bool v1400Feeder = s.isVer1400Later() && c.scanMode == 4;
  r[PaperSize] = true;
  r[InputW] = r[InputH] = c.outputSizeNo == 0 && !c.multiCrop;
  r[OutputSize] = r[OutputW] = r[OutputH] = r[DataSize] = !c.multiCrop;
  r[OutputScale] = !c.multiCrop && c.outputSizeNo == 0;
  // C: every row from auto tone to backlight correction needs a colour or gray mode.
  const bool C = c.colorMode != 0 && c.colorMode != 6;
  if (C) {
    const bool matched = c.colorSetting == 0;
    r[AutoTone] = infoRowsAutoTone(c, s, true);
    r[AutoDocCorrect] = s.isVer1700Later() && s.AutoDocCorrect() && matched && c.uiMode == 0;
    r[ColorAdjust] = s.ColorAdjust() && matched && (s.useRACS2() || c.scanMode != 4);
    r[CopyGamma] = s.CopyGamma() && (s.useRACS2() ? !c.hideCopyGamma : c.scanMode == 4 && matched);
    r[Unsharp] = s.Unsharp();
    r[Descreen] = s.Descreen();
    r[ReduceDust] = s.ReduceDust();
    r[Fading] = s.FadingCorrect() && matched && infoRowsFullColorMode(c.colorMode) && !v1400Feeder;
    r[Grain] = s.GrainCorrect();
    r[BackLight] = s.BackLightCorrect() && matched && !v1400Feeder;
  }
  r[Book] = s.BookCorrect() && c.scanMode != 4;
  r[NumberCrop] = c.scanMode != 1;
  return r;
}

Quirel_InfoDialogRows::Shown Quirel_InfoDialogRows::filmRows(const Choice& c, const Quirel_UIScannerInfo& s) {
  Shown r{};
  infoRowsCommon(r, c, s);
  const bool matched = c.colorSetting == 0;
  r[FilmSize] = c.scanMode != 3;
  r[InputW] = r[InputH] = r[OutputScale] = c.outputSizeNo == 0 && c.hasPreview;
  r[OutputSize] = true;
  r[OutputW] = r[OutputH] = r[DataSize] = c.hasPreview;
  r[AutoTone] = infoRowsAutoTone(c, s, false);
  r[ColorAdjust] = s.ColorAdjust() && matched;
  r[Unsharp] = s.Unsharp();
  r[RemoveDust] = s.VEXA() && (c.imageSource == 1 || c.imageSource == 2);
  r[ReduceDustFAU] = s.ReduceDustForFAU();
  r[Fading] = s.FadingCorrect() && matched && infoRowsFullColorMode(c.colorMode);
  r[Grain] = s.GrainCorrect();
  r[BackLight] = s.BackLightCorrect() && matched;
  r[Exposure] = true;
  r[ExposureValue] = c.exposure;
  r[SaveFrameTone] = c.scanMode == 3;
  r[SaveCropTone] = c.scanMode != 3;
  r[HighQualityMode] = s.highQualityMode() && (s.isVer1400Later() || infoRowsFullColorMode(c.colorMode));
  r[NumberCrop] = c.scanMode == 2;
  return r;
}

std::string Quirel_InfoDialogRows::labelKey(Row row, const Quirel_UIScannerInfo& s) {
  switch (row) {
    case Interface: return "IDC_INFODLG_IF_TXT_STR";
    case Source: return "IDC_PGADV_SOURCE_LABEL_STR";
    case PaperSize: return "IDC_PGADV_PAPERSIZE_LABEL_STR";
    case FilmSize: return s.isVer1600Later() ? "IDC_PGADV_SCANSIZE_LABEL_STR" : "IDC_PGADV_FILMSIZE_LABEL_STR";
    case InputW: return "IDC_OUTPUT_WIDTH_STR";
    case InputH: return "IDC_OUTPUT_HEIGHT_STR";
    case ColorMode: return "IDC_PGADV_COLOR_LABEL_STR";
    case Resolution: return "IDC_OUTPUT_RES_LABEL_STR";
    case OutputSize: return "IDC_PGADV_OUTPUT_SIZE_LABEL_STR";
    case OutputW: return "IDC_OUTPUT_WIDTH_STR";
    case OutputH: return "IDC_OUTPUT_HEIGHT_STR";
    case OutputScale: return "IDC_INFODLG_SCALE_TXT_STR";
    case DataSize: return "IDC_DATA_SIZE_LABEL_STR";
    case AutoTone: return "IDMAC_LABEL_AUTO_TONE";
    case AutoDocCorrect: return "IDC_INFODLG_AUTODOCFIX_TXT_STR";
    case ColorAdjust: return "IDC_PGADV_AUTOTONE_TXT_STR";
    case CopyGamma: return "IDC_PGADV_COPYGAMMA_TXT_STR";
    case Unsharp: return "IDC_PGADV_UNSHARP_TXT_STR";
    case Descreen: return "IDC_PGADV_DESCREEN_TXT_STR";
    case ReduceDust: return "IDC_PGADV_REDUCEDUST_TXT_STR";
    case RemoveDust: return "IDC_PGADV_REMOVEDUST_TXT_STR";
    case ReduceDustFAU: return "IDC_PGADV_REDUCEDUST_TXT_STR";
    case Fading: return "IDC_PGADV_FADINGCORRECT_TXT_STR";
    case Grain: return "IDC_PGADV_GRAINCORRECT_TXT_STR";
    case BackLight: return "IDC_PGADV_BACKLIGHT_TXT_STR";
    case Book: return "IDC_PGADV_CUBS_TXT_STR";
    case Exposure: return "IDC_PGADV_HAND_AG_CHK_STR";
    case ExposureValue: return "IDC_INFODLG_AGDATA_TXT_STR";
    case SaveFrameTone:
      return s.isVer1500Later() ? "IDC_INFODLG_TONEDATA_SHARE_TXT_STR" : "IDS_SAVEAGLABEL_THMB";
    case SaveCropTone:
      return s.isVer1500Later() ? "IDC_INFODLG_TONEDATA_SHARE_TXT_STR" : "IDS_SAVEAGLABEL_NONTHMB";
    case HighQualityMode: return "IDC_PGADV_HIGHMODE_TXT_STR";
    case CalbEveryScan: return "IDC_INFODLG_CALIBRATION_TXT_STR";
    case ColorSetting: return "IDC_INFODLG_TONE_TXT_STR";
    case SilentMode: return "IDC_INFODLG_SILENTMODE_LABEL_STR";
    case NumberCrop: return "IDC_INFODLG_NUMBERCROP_TXT_STR";
    case kRowCount: break;
  }
  return {};
}

std::string Quirel_InfoDialogRows::roundDown(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  const double scale = std::pow(10.0, decimals);
  const double cut = std::floor(value * scale + 1e-9) / scale;
  char format[16];
  std::snprintf(format, sizeof format, "%%.%df", decimals);
  char out[64];
  std::snprintf(out, sizeof out, format, cut);
  return out;
}

std::string Quirel_InfoDialogRows::lengthText(int unit, double length, bool ver1300Later, const Lookup& lookup) {
  if (unit == -1) return "-";
  std::string number;
  if (unit == 0) {
    number = roundDown(length, 2);
  } else if (unit == 2) {
    number = roundDown(length, 0);
  } else if (unit == 1 && ver1300Later) {
    number = roundDown(length * 10, 1);
  } else {
    number = roundDown(length, 2);
  }
  const std::string key = fnd::stringWithFormat(ver1300Later ? "UNT_1300_%d" : "UNT%d", unit);
  return number + " " + lookup(key);
}

std::string Quirel_InfoDialogRows::dataSizeText(std::uint64_t bytes, bool ver1600Later, const Lookup& lookup) {
  const double x = static_cast<double>(bytes);
  constexpr double kGB = 1073741824.0;
  constexpr double kMB = 1048576.0;
  double number;
  std::string unit;
  if (x > kGB) {
    unit = "IDS_GB";
    number = x / kGB + (ver1600Later ? 0.01 : 0);
  } else if (x > kMB) {
    unit = "IDS_MB";
    number = x / kMB;
  } else {
    unit = "IDS_KB";
    number = std::max(x / 1024, 0.01);
  }
  return roundDown(number, 2) + " " + lookup(unit);
}

std::string Quirel_InfoDialogRows::paperSizeText(int code, const Quirel_UIScannerInfo& s, const Lookup& lookup) {
  const char* format = s.isVer1600Later()   ? "PAPERSIZE_1600_%d"
                       : s.isVer1500Later() ? "PAPERSIZE_1500_%d"
                       : s.isVer1300Later() ? "PAPERSIZE_1300_%d"
                                            : "PAPERSIZE_%d";
  return lookup(fnd::stringWithFormat(format, code));
}

std::string Quirel_InfoDialogRows::colorModeText(int mode, const Lookup& lookup) {
  return mode == -1 ? "-" : lookup(fnd::stringWithFormat("ECOM%d", mode));
}

std::string Quirel_InfoDialogRows::resolutionText(int dpi, const Lookup& lookup) {
  return dpi == -1 ? "-" : fnd::stringWithFormat("%d %@", dpi, lookup("IDC_DPI_LABEL_STR"));
}

std::string Quirel_InfoDialogRows::percentText(int percent, const Lookup& lookup) {
  return fnd::stringWithFormat("%d %@", percent, lookup("IDMAC_PGADV_AGDATA_PCT_STR"));
}

std::string Quirel_InfoDialogRows::autoToneText(int value, const Lookup& lookup) {
  switch (value) {
    case 0: return lookup("IDS_ADV_FLAG_OFF");
    case 1: return lookup("IDS_ADV_FLAG_ON");
    case 5: return lookup("IDMAC_ADV_TONE_SHARE");
    default: return "";
  }
}

std::string Quirel_InfoDialogRows::colorAdjustText(int value, const Lookup& lookup) {
  static const char* const kKeys[] = {"IDS_ADV_FLAG_NONE",     "IDS_ADV_FLAG_AUTO",     "IDS_ADV_FLAG_PHOTO",
                                      "IDS_ADV_FLAG_DOCUMENT", "IDS_ADV_FLAG_MAGAZINE", "IDS_ADV_FLAG_NEWSPAPER"};
  return value >= 0 && value <= 5 ? lookup(kKeys[value]) : "";
}

std::string Quirel_InfoDialogRows::onWhenOneText(int value, const Lookup& lookup) {
  return lookup(value == 1 ? "IDS_ADV_FLAG_ON" : "IDS_ADV_FLAG_OFF");
}

std::string Quirel_InfoDialogRows::copyGammaText(int value, bool racs2, const Lookup& lookup) {
  switch (value) {
    case 0: return lookup(racs2 ? "IDS_ADV_FLAG_OFF" : "IDS_ADV_FLAG_NONE");
    case 1: return lookup("IDS_ADV_FLAG_ON");
    case 2: return lookup("IDS_INFO_COPY1");
    case 4: return lookup("IDS_INFO_COPY2");
    default: return "-";
  }
}

std::string Quirel_InfoDialogRows::unsharpText(int value, const Lookup& lookup) {
  if (value == 0) return lookup("IDS_ADV_FLAG_OFF");
  if (value == 1) return lookup("IDS_ADV_FLAG_ON");
  return "-";
}

std::string Quirel_InfoDialogRows::levelText(int value, const Lookup& lookup) {
  switch (value) {
    case 0: return lookup("IDS_ADV_FLAG_NONE");
    case 2: return lookup("IDS_INFO_COPY1");
    case 3: return lookup("IDS_INFO_VEXA3");
    case 4: return lookup("IDS_INFO_COPY2");
    default: return "-";
  }
}

std::string Quirel_InfoDialogRows::flagText(bool on, const Lookup& lookup) {
  return lookup(on ? "IDS_ADV_FLAG_ON" : "IDS_ADV_FLAG_OFF");
}

std::optional<std::string> Quirel_InfoDialogRows::offOnText(int value, const Lookup& lookup) {
  if (value == 0) return lookup("IDS_ADV_FLAG_OFF");
  if (value == 1) return lookup("IDS_ADV_FLAG_ON");
  return std::nullopt;
}

std::string Quirel_InfoDialogRows::colorSettingText(int value, const Lookup& lookup) {
  if (value == 0) return lookup("IDC_PGPREF_AUTO_COLORMATCH_STR");
  if (value == 1) return lookup("IDC_PGPREF_TAVO_COLORMATCH_STR");
  return lookup("IDC_PGPREF_NONE_COLORMATCH_STR");
}

std::string Quirel_InfoDialogRows::numberCropText(int count) { return fnd::stringWithFormat("%d", count == 0 ? 1 : count); }
