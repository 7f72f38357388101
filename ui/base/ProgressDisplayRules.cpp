#include "ui/base/ProgressDisplayRules.h"

#include <algorithm>
#include <limits>

namespace {

using BarCancel = Quirel_ProgressDisplayRules::BarCancel;

bool isOneOrTwo(std::int32_t v) { return v == 1 || v == 2; }

const fnd::Dictionary* scanInfoOf(const fnd::Dictionary& info) {
  const fnd::Value* scanInfo = info.find("ScanInfo");
  return scanInfo && scanInfo->isDictionary() ? &scanInfo->toDictionary() : nullptr;
}

// PMU and PMN: pull scans show both unless a multi-page PDF of kind 2 hides Cancel.
BarCancel pullMfpRule(std::int32_t pp, std::int32_t rj, std::int32_t mp) {
  if (pp == 1 && isOneOrTwo(rj) && mp == 1) return {1, 1};
  if (pp == 1 && isOneOrTwo(rj) && mp == 2) return {1, 0};
  if (pp == 2 && isOneOrTwo(rj) && isOneOrTwo(mp)) return {1, 1};
  return {};
}

BarCancel feederRule(std::int32_t pp, std::int32_t rj) {
  if (isOneOrTwo(pp) && rj == 1) return {1, 1};
  return {};
}

}  // namespace

BarCancel Quirel_ProgressDisplayRules::setProgressAndCancelDispPMU(std::int32_t pp, std::int32_t rj, std::int32_t mp) {
  return pullMfpRule(pp, rj, mp);
}

BarCancel Quirel_ProgressDisplayRules::setProgressAndCancelDispPMN(std::int32_t pp, std::int32_t rj, std::int32_t mp) {
  return pullMfpRule(pp, rj, mp);
}

BarCancel Quirel_ProgressDisplayRules::setProgressAndCancelDispPSU(std::int32_t pp, std::int32_t rj, std::int32_t mp) {
  if (isOneOrTwo(pp) && rj == 1 && isOneOrTwo(mp)) return {1, 1};
  return {};
}

BarCancel Quirel_ProgressDisplayRules::setProgressAndCancelDispAMU(std::int32_t pp, std::int32_t rj, std::int32_t mp) {
  if (isOneOrTwo(pp) && isOneOrTwo(rj) && mp == 2) return {1, 1};
  return {};
}

BarCancel Quirel_ProgressDisplayRules::setProgressAndCancelDispAMN(std::int32_t pp, std::int32_t rj, std::int32_t mp) {
  return setProgressAndCancelDispAMU(pp, rj, mp);
}

BarCancel Quirel_ProgressDisplayRules::setProgressAndCancelDispASU(std::int32_t pp, std::int32_t rj, std::int32_t mp) {
  if (isOneOrTwo(pp) && rj == 1 && mp == 2) return {1, 1};
  return {};
}

BarCancel Quirel_ProgressDisplayRules::setProgressAndCancelDispFMU(std::int32_t pp, std::int32_t rj) {
  return feederRule(pp, rj);
}

BarCancel Quirel_ProgressDisplayRules::setProgressAndCancelDispFMN(std::int32_t pp, std::int32_t rj) {
  return feederRule(pp, rj);
}

BarCancel Quirel_ProgressDisplayRules::setProgressAndCancelDispFSU(std::int32_t pp, std::int32_t rj) {
  return feederRule(pp, rj);
}

BarCancel Quirel_ProgressDisplayRules::setProgressAndCancelDisp(const fnd::Dictionary& info) {
  const fnd::Dictionary* scan = scanInfoOf(info);
  if (!scan) return {};
  const std::int32_t baf = scan->intValue("BAF"), mfp = scan->intValue("MfpSfs"), usb = scan->intValue("UsbNetwork");
  const std::int32_t pp = scan->intValue("PULLPUSH"), rj = scan->intValue("RawJpeg"), mp = scan->intValue("MultiPDF");
  if (baf == 1 && mfp == 1 && usb == 1) return setProgressAndCancelDispPMU(pp, rj, mp);
  if (baf == 1 && mfp == 1 && usb == 2) return setProgressAndCancelDispPMN(pp, rj, mp);
  if (baf == 1 && mfp == 2 && usb == 1) return setProgressAndCancelDispPSU(pp, rj, mp);
  if (baf == 2 && mfp == 1 && usb == 1) return setProgressAndCancelDispAMU(pp, rj, mp);
  if (baf == 2 && mfp == 1 && usb == 2) return setProgressAndCancelDispAMN(pp, rj, mp);
  if (baf == 2 && mfp == 2 && usb == 1) return setProgressAndCancelDispASU(pp, rj, mp);
  if (baf == 3 && mfp == 1 && usb == 1) return setProgressAndCancelDispFMU(pp, rj);
  if (baf == 3 && mfp == 1 && usb == 2) return setProgressAndCancelDispFMN(pp, rj);
  if (baf == 3 && mfp == 2 && usb == 1) return setProgressAndCancelDispFSU(pp, rj);
  return {};
}

std::int32_t Quirel_ProgressDisplayRules::setDetailInfoSimple(const fnd::Dictionary& info) {
  const fnd::Dictionary* scan = scanInfoOf(info);
  if (!scan) return -1;
  const fnd::Value* setting = scan->find("ScanSetting");
  if (!setting || !setting->isDictionary()) return -1;
  const fnd::Value* uiLess = setting->toDictionary().find("UiLess");
  if (!uiLess || uiLess->toInt() != 0) return -1;
  const std::int32_t onePass = scan->intValue("OnePass");
  return onePass == 2 || onePass == 4 || onePass == 6 ? 1 : -1;
}

Quirel_ProgressDisplayRules::SimpleComp Quirel_ProgressDisplayRules::setDetailInfoSimpleComp(
    const fnd::Dictionary& info, bool ver16L) {
  SimpleComp out;
  const fnd::Dictionary* scan = scanInfoOf(info);
  if (!ver16L || !scan) return out;
  out.simple = 0;
  const std::int32_t op = scan->intValue("OnePass");
  const std::int32_t is = scan->intValue("InputSource");
  const std::int32_t ul = scan->get("ScanSetting").toDictionary().intValue("UiLess");
  const fnd::Array& crops = scan->array("CropItem");
  const std::int32_t c = crops.empty() ? 0 : crops[0].toDictionary().intValue("COMPRESSION");
  if (op == 0 && isOneOrTwo(is)) {
    out.detail = 1;
    out.simple = 1;
    if (ul == 2 && c != 0) {
      out.cancel = 1;
      out.answer = 2;
    } else {
      out.answer = 1;
    }
  } else if (op == 0 && is == 0 && ul == 2 && c == 0) {
    out.detail = 0;
    out.simple = 0;
    out.answer = 1;
  } else if ((op == 2 || op == 3) && is == 0 && ul == 2 && c != 0) {
    out.detail = 0;
    out.simple = 1;
    out.answer = 3;
  }
  return out;
}

Quirel_ProgressDisplayRules::RowFlags Quirel_ProgressDisplayRules::detailRowFlags(DetailInputs& in) {
  RowFlags f;
  f.fill(true);
  auto clear = [&f](std::initializer_list<Row> rows) {
    for (Row r : rows) f[r] = false;
  };
  if (in.colorSetting == 1 || in.colorSetting == 2) {
    clear({kBacklight, kFading, kCopyGamma, kImageAdjust, kAutoFineDoc});
  } else if (in.colorSetting == 0 && isOneOrTwo(in.colorModeNum)) {
    clear({kFading});
  }
  if (in.colorModeNum == 0)
    clear({kUnsharp, kDescreen, kReduceDust, kFading, kGrain, kBacklight, kCopyGamma, kImageAdjust});

  const std::int32_t n = in.imageSourceNum;
  if (in.scanMode == 2) {
    in.imageSourceNum = 5;
    clear({kSoftwareDust, kInfraredDust, kBook, kReduceDust, kDescreen, kAutoFineDoc});
  } else if (in.scanMode == 1) {
    if (n == 0 || n == 5 || n == 6) clear({kInfraredDust, kSoftwareDust});
    if (n >= 1 && n <= 4) clear({kBook, kReduceDust, kDescreen});
    if (n == 3 || n == 4) clear({kInfraredDust});
    if (n == 5 || n == 6)
      clear({kBook, kBacklight, kFading});
    else
      clear({kCopyGamma});
    if (in.caps.iRACS2) f[kCopyGamma] = in.displayCopyGammaWhenRACS2;
    clear({kAutoFineDoc});
  } else if (in.scanMode == 0) {
    if ((n >= 0 && n <= 3) || (n >= 6 && n <= 12)) clear({kInfraredDust, kSoftwareDust});
    if (n == 4 || n == 5) clear({kBook, kReduceDust, kDescreen, kAutoFineDoc});
    if (n >= 6 && n <= 11)
      clear({kBook, kBacklight, kFading});
    else
      clear({kCopyGamma});
    if (in.caps.iRACS2) clear({kCopyGamma});
  }

  const Capabilities& c = in.caps;
  const std::pair<bool, Row> offered[] = {
      {c.iUnharp, kUnsharp},         {c.iDescreen, kDescreen},         {c.iReduceDust, kReduceDust},
      {c.iVexa, kInfraredDust},      {c.iFadingCorrect, kFading},      {c.iGrainCorrect, kGrain},
      {c.iBackLightCorrect, kBacklight}, {c.iBookCorrect, kBook},      {c.iSoftVexa, kSoftwareDust},
      {c.iCopyGamma, kCopyGamma},    {c.iImageAdjust, kImageAdjust},   {c.iAutoFineDoc, kAutoFineDoc}};
  for (const auto& [on, row] : offered)
    if (!on) f[row] = false;
  if (!in.ver16L) f[kImageAdjust] = false;
  if (!in.ver17L) f[kAutoFineDoc] = false;
  return f;
}

const char* Quirel_ProgressDisplayRules::onOffKey(std::int32_t value) {
  return value == 1 ? "IDS_ADV_FLAG_ON" : "IDS_ADV_FLAG_OFF";
}

const char* Quirel_ProgressDisplayRules::levelKey(std::int32_t value) {
  switch (value) {
    case 2: return "IDS_INFO_COPY1";
    case 3: return "IDS_INFO_VEXA3";
    case 4: return "IDS_INFO_COPY2";
    default: return "IDS_ADV_FLAG_NONE";
  }
}

const char* Quirel_ProgressDisplayRules::imageAdjustKey(std::int32_t value) {
  switch (value) {
    case 1: return "IDS_ADV_FLAG_AUTO";
    case 2: return "IDS_ADV_FLAG_PHOTO";
    case 3: return "IDS_ADV_FLAG_DOCUMENT";
    case 4: return "IDS_ADV_FLAG_MAGAZINE";
    case 5: return "IDS_ADV_FLAG_NEWSPAPER";
    default: return "IDS_ADV_FLAG_NONE";
  }
}

const char* Quirel_ProgressDisplayRules::copyGammaKey(bool racs2, std::int32_t document, std::int32_t copyGamma,
                                                      bool* wanted) {
  if (racs2) {
    switch (document) {
      case 1012: case 1014: case 1015: case 1018:
        if (wanted) *wanted = true;
        return "IDS_ADV_FLAG_OFF";
      case 2012: case 2014: case 2015: case 2018:
        if (wanted) *wanted = true;
        return "IDS_ADV_FLAG_ON";
      default:
        if (wanted) *wanted = false;
        return "IDS_ADV_FLAG_OFF";
    }
  }
  switch (copyGamma) {
    case 1: return "IDS_INFO_COPY1";
    case 2: return "IDS_INFO_COPY2";
    default: return "IDS_ADV_FLAG_NONE";
  }
}

Quirel_ProgressDisplayRules::RemainingTime Quirel_ProgressDisplayRules::remainingTime(std::int32_t minutes) {
  const std::int32_t m = std::clamp<std::int32_t>(minutes, std::numeric_limits<std::int16_t>::min(),
                                                  std::numeric_limits<std::int16_t>::max());
  if (m < 0) return {"IDS_THUMBNAIL_ON_XFER", false, m};
  if (m == 0) return {"IDS_PROGRESS_SCAN_ONE_MINUTE", true, m};
  if (m <= 60) return {"IDS_PROGRESS_SCAN_TIME", true, m};
  return {"IDS_PROGRESS_SCAN_MORE_AN_HOUR", true, m};
}

std::int32_t Quirel_ProgressDisplayRules::cropEntryFor(std::int32_t source, std::int32_t now, std::int32_t scanMode,
                                                       std::int32_t imageSourceNum, std::int32_t filled) {
  std::int32_t entry = -1;
  if (source == 3)
    entry = 0;
  else if (source == 1 || source == 2)
    entry = now - 1;
  else
    return -1;
  if (scanMode == 2 && (imageSourceNum == 5 || imageSourceNum == 6)) entry = 0;
  return entry >= 0 && entry < filled ? entry : -1;
}

const char* Quirel_ProgressDisplayRules::scanningStatusKey(std::int32_t source) {
  switch (source) {
    case 1: return "IDS_PROGRESS_SCAN_CROP";
    case 2: return "IDS_PROGRESS_SCAN_FRAME";
    case 3: return "IDS_PROGRESS_SCAN_PAGE";
    default: return "";
  }
}

bool Quirel_ProgressDisplayRules::percentageMovesBar(bool barShown, double barValue, std::int32_t value) {
  return barShown && static_cast<std::int32_t>(barValue) < value;
}
