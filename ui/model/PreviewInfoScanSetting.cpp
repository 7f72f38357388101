// The complete scan-settings record of every preview and scan request of the window modes.
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/RunTempFolder.h"
#include "ui/model/CropInfo.h"
#include "ui/model/MultiScanModeLink.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"
#include "ui/model/SettingToSM.h"
#include "ui/model/UIScannerInfo.h"

namespace {

char* copyText(const std::string& text) {
  auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

// A zeroed record with its zeroed crop block in slot 0; false when out of memory.
bool startRecord(ScanInfo* info) {
  std::memset(info, 0, sizeof *info);
  info->CropItem[0] = static_cast<CropSetting*>(std::calloc(1, sizeof(CropSetting)));
  info->crop_num = 1;
  return info->CropItem[0] != nullptr;
}

// The one crop block of a multi-scan or automatic request, with what both start it with.
CropSetting* startSingleCrop(ScanInfo& info, const Quirel_UIScannerInfo* scanner) {
  CropSetting* c = info.CropItem[0];
  c->Threshold = scanner ? scanner->thresholdValue() : 0;
  c->Scale = 100.0;
  c->UserGamma = 1;
  return c;
}

// The last focused crop of a list, or null.
Quirel_CropInfo* lastFocused(const CropList& crops) {
  for (auto it = crops.rbegin(); it != crops.rend(); ++it)
    if (*it && (*it)->isFocus()) return it->get();
  return nullptr;
}

}  // namespace

char* Quirel_PreviewInfo::newTemporaryPath(const Quirel_PreferenceInfo* preferences) {
  std::string path = preferences ? preferences->getTempPath().value_or("") : "";
  if (path.empty()) {
    // An unset folder must not reach the scan module as an empty or made-up text.
    path = fnd::RunTempFolder::path();
  }
  return copyText(path);
}

void Quirel_PreviewInfo::fillRequestCommon(ScanInfo* info, const Quirel_PreferenceInfo* preferences,
                                           const Quirel_UIScannerInfo* scanner) const {
  ScanSetting& s = info->Setting;
  s.MonitorGamma = preferences ? preferences->getMonitorGamma() : 0;
  s.Threshold = scanner ? scanner->thresholdValue() : 0;
  s.NoCloseUI = getAutoExitToSM(preferences ? preferences->getAutoExit() : 0);
  s.temporaryPath = newTemporaryPath(preferences);
  fillColorSync(info, preferences);
  info->Silent = preferences && preferences->getQuietMode() ? 1 : 0;
}

void Quirel_PreviewInfo::fillColorSync(ScanInfo* info, const Quirel_PreferenceInfo* preferences) {
  ScanSetting& s = info->Setting;
  if (s.ColorSetting != 1) return;
  s.ColorSync.SourceProfile = getSourceProfilePathToSM(info->InputSource, preferences);
  s.ColorSync.TargetProfile = getOutputProfilePathToSM(preferences);
  s.ColorSync.monitor = preferences && preferences->getMonitor() == 1 ? 1 : 0;
}

void Quirel_PreviewInfo::handOverRecord(Quirel_SettingToSM* carrier, ScanInfo* info, bool whole) {
  if (whole)
    carrier->setDataSM(*info);
  else
    carrier->refuse();
  freeCropItem(info);
}

namespace {

// The requesting mode as the handler's kind, with a started record; null (carrier refused)
// when the mode is of another kind or no memory is left.
template <class Mode>
Mode* openRequest(Quirel_SettingToSM* carrier, ScanInfo* info) {
  auto* mode = dynamic_cast<Mode*>(carrier->getScanModeObj());
  if (!mode) std::memset(info, 0, sizeof *info);
  if (!mode || !startRecord(info)) {
    Quirel_PreviewInfo::handOverRecord(carrier, info, false);
    return nullptr;
  }
  return mode;
}

}  // namespace

void Quirel_PreviewInfo::scanSettingFromStd(Quirel_SettingToSM* carrier) {
  if (!carrier) return;
  ScanInfo info;
  auto* mode = openRequest<StandardModeLink>(carrier, &info);
  if (!mode) return;
  mMode = 0;
  mstdModeId = mode;
  Quirel_PreferenceInfo* p = mode->getPreferenceInfo();
  Quirel_UIScannerInfo* s = mode->getScannerInfo();
  const int idx = mode->getImgSrcNumber();
  const bool thumbnail = mode->isThumbnailMode();
  const bool film = mode->isFilmMode();

  info.Setting.NeedScan = 1;
  info.Setting.ImageSource = getImageSourceToSM(idx, 0);
  info.Setting.ColorMode = getColorModeToSM(idx, 0, 1);
  info.Setting.ColorSetting = getColorSettingToSM(idx, p, 0);
  info.InputSource = getInputSourceToSM(idx, 0);
  fillRequestCommon(&info, p, s);
  info.OnePass = getOnePassToSM(idx, mode->isMultiCropMode(), 0, thumbnail);
  info.InvertADF = idx == 10 || idx == 11 ? 1 : 0;
  info.BitDepth = getBitDepthToSM(idx, 0);
  info.CopyGamma = getCopyGammaToSM(idx, 0, info.Setting.ColorSetting, mode->getTemplateCrop(), 0, s);
  if (film && thumbnail) info.FilmDetectArea = getFilmDetectAreaToSM(p ? p->getFilmThumbnailSize() : 0, 0);
  info.Calibration = mode->isCalibrationEveryScan() ? 1 : 0;
  info.ImageDocumentType = getImageDocumentTypeToSM(idx, 0);
  if ((idx == 10 || idx == 11) && p) info.OrderRejection = p->getADF_OrderRejection();
  info.RefSumMode = thumbnail && !film ? 1 : 0;
  info.ADFPrefetch = getADFPrefetch(idx, 0);

  mHasPreview = mode->getHasPreview();
  mCIS = s && s->isCIS();
  mImageAdjust.clear();
  const bool whole = film ? scanSettingFilmCropFromStd(&info, mode) : scanSettingPlatenCropFromStd(&info, mode);
  handOverRecord(carrier, &info, whole);
}

void Quirel_PreviewInfo::scanSettingFromExt(Quirel_SettingToSM* carrier) {
  if (!carrier) return;
  ScanInfo info;
  auto* mode = openRequest<ExtendModeLink>(carrier, &info);
  if (!mode) return;
  mMode = 1;
  mextModeId = mode;
  Quirel_PreferenceInfo* p = mode->getPreferenceInfo();
  Quirel_UIScannerInfo* s = mode->getScannerInfo();
  const int idx = mode->getImgSrcNumber();
  const int cidx = mode->getColorModeNumber();
  const bool thumbnail = mode->isThumbnailMode();
  const bool film = mode->isFilmMode();

  info.Setting.NeedScan = 1;
  info.Setting.ImageSource = getImageSourceToSM(idx, 1);
  info.Setting.ColorMode = getColorModeToSM(cidx, 1, 1);
  info.Setting.ColorSetting = p ? p->getColorSetting(cidx) : 0;
  info.InputSource = getInputSourceToSM(idx, 1);
  fillRequestCommon(&info, p, s);
  info.OnePass = getOnePassToSM(idx, mode->isMultiCropMode(), 1, thumbnail);
  info.Rotation = getADFRotationToSM(idx, mode->getADFDirection(), 1);
  info.InvertADF =
      getADFInvertToSM(idx, mode->getADFDirection(), mode->getADFBinding(), s && s->isRevisedADFOrientation(), 1);
  info.BitDepth = getBitDepthToSM(cidx, 1);
  info.CopyGamma = getCopyGammaToSM(idx, cidx, info.Setting.ColorSetting, mode->getTemplateCrop(), 1, s);
  if (film && thumbnail) info.FilmDetectArea = getFilmDetectAreaToSM(p ? p->getFilmThumbnailSize() : 0, 1);
  info.Calibration = mode->isCalibrationEveryScan() ? 1 : 0;
  if (info.InputSource >= 3 && info.InputSource <= 6) info.HighQuality = mode->isHighQualityMode() ? 1 : 0;
  info.ImageDocumentType = getImageDocumentTypeToSM(idx, 1);
  if (info.InputSource == 2 && p) info.OrderRejection = p->getADF_OrderRejection();
  info.RefSumMode = thumbnail && !film ? 1 : 0;
  info.ADFPrefetch = getADFPrefetch(idx, 1);

  mHasPreview = mode->getHasPreview();
  mCIS = s && s->isCIS();
  mImageAdjust.clear();
  const bool whole = film ? scanSettingFilmCropFromExt(&info, mode) : scanSettingPlatenCropFromExt(&info, mode);
  handOverRecord(carrier, &info, whole);
}

void Quirel_PreviewInfo::scanSettingFromMulti(Quirel_SettingToSM* carrier) {
  if (!carrier) return;
  ScanInfo info;
  auto* mode = openRequest<MultiScanModeLink>(carrier, &info);
  if (!mode) return;
  StandardModeLink* basic = carrier->getStandardModeObj();
  // The multi-scan mode keeps no preferences or template of its own: the basic mode's serve.
  Quirel_PreferenceInfo* p = basic ? basic->getPreferenceInfo() : nullptr;
  Quirel_UIScannerInfo* s = mode->getScannerInfo();
  const int idx = mode->getImgSrcNumber();
  static constexpr int kColorSlot[7] = {3, 1, 0, 3, 1, 3, 3};

  info.Setting.NeedScan = 1;
  info.Setting.ImageSource = getImageSourceToSM(idx, 2);
  info.Setting.ColorMode = getColorModeToSM(idx, 2, 1);
  info.Setting.ColorSetting = p ? p->getColorSetting(idx >= 0 && idx <= 6 ? kColorSlot[idx] : 3) : 0;
  info.InputSource = getInputSourceToSM(idx, 2);
  fillRequestCommon(&info, p, s);
  info.OnePass = getOnePassToSM(idx, false, 2, false);
  info.BitDepth = getBitDepthToSM(idx, 2);
  info.ImageDocumentType = getImageDocumentTypeToSM(idx, 2);

  CropSetting* c = startSingleCrop(info, s);
  const int cs = info.Setting.ColorSetting;
  if (idx == 0 || idx == 1 || (idx >= 3 && idx <= 6)) c->AutoTone = cs == 2 ? 0 : 1;
  if ((idx == 5 || idx == 6) && s && s->isVer310()) c->AutoTone = 0;
  if (idx == 0 || idx == 1 || idx == 5 || idx == 6) c->UnsharpMask = 1;
  if (idx == 3 || idx == 4) c->Descreen = 1;
  static constexpr int kResolution[4] = {75, 150, 300, 600};
  const int dst = mode->getDstNumber();
  c->Resolution = dst >= 0 && dst <= 3 ? kResolution[dst] : 0;
  const double from = mPlatenResolution;
  if (idx == 5 || idx == 6) {
    c->Rotation = 1;
    const SSizeDouble feeder = basic ? basic->getPaperSizeWH_Pixel96(2) : SSizeDouble{};
    c->ScanRect.width = convertResolution(feeder.width, from, c->Resolution);
  } else {
    const SSizeDouble platen = basic ? basic->getPaperSizeWH_Pixel96(0) : SSizeDouble{};
    c->ScanRect.width = convertResolution(platen.width, from, 75);
    c->ScanRect.height = convertResolution(platen.height, from, 75);
  }
  setUserGammaTableToSM(1, basic ? basic->getTemplateCrop() : nullptr, info.Setting.MonitorGamma);
  handOverRecord(carrier, &info, true);
}

void Quirel_PreviewInfo::scanSettingFromAuto(Quirel_SettingToSM* carrier) {
  if (!carrier) return;
  ScanInfo info;
  auto* mode = openRequest<MultiScanModeLink>(carrier, &info);
  if (!mode) return;
  StandardModeLink* basic = carrier->getStandardModeObj();
  Quirel_PreferenceInfo* p = basic ? basic->getPreferenceInfo() : nullptr;
  Quirel_UIScannerInfo* s = mode->getScannerInfo();
  Quirel_CropInfo* templ = basic ? basic->getTemplateCrop() : nullptr;

  info.Setting.NeedScan = 1;
  info.Setting.ColorMode = 2;
  info.Setting.ColorSetting = p ? p->getColorSetting(3) : 0;
  fillRequestCommon(&info, p, s);
  info.OnePass = 6;
  info.BitDepth = 8;
  info.Calibration = basic && basic->isCalibrationEveryScan() ? 1 : 0;
  if (s && s->isADF()) {
    info.FAInputSourceADF = mode->getDuplexADF() ? 2 : 1;
    if (s->isTwoSidedADF() && p) info.OrderRejection = p->getADF_OrderRejection();
    info.InvertADF = info.FAInputSourceADF == 2 ? 1 : 0;
  }
  info.ALMViewScannedImages = mode->getShowResult() ? 1 : 0;
  info.ADFPrefetch = getADFPrefetch(0, 2);

  CropSetting* c = startSingleCrop(info, s);
  c->Resolution = 300;
  const int cs = info.Setting.ColorSetting;
  const bool recommend = mode->getRecommendImageSetting();
  if (cs == 0 && recommend) c->AUTOFINE = 1;
  c->UISettingDocument = getUISettingDocumentToSM(0, cs, 0, false, 0, 0, c->AUTOFINE, 2);
  if (checkUserGammaDefault(templ, info.Setting.MonitorGamma) != 0)
    setUserGammaTableToSM(1, templ, info.Setting.MonitorGamma);
  else
    c->UserGamma = 0;
  handOverRecord(carrier, &info, true);
}

void Quirel_PreviewInfo::previewSettingFromStd(Quirel_SettingToSM* carrier) {
  if (!carrier) return;
  ScanInfo info;
  auto* mode = openRequest<StandardModeLink>(carrier, &info);
  if (!mode) return;
  mMode = 0;
  mstdModeId = mode;
  mPreviewMode = 0;
  Quirel_PreferenceInfo* p = mode->getPreferenceInfo();
  Quirel_UIScannerInfo* s = mode->getScannerInfo();
  const int idx = mode->getImgSrcNumber();

  info.Setting.NeedScan = mode->getNeedScan() ? 1 : 0;
  info.Setting.ImageSource = getImageSourceToSM(idx, 0);
  info.Setting.ColorMode = getColorModeToSM(idx, 0, 0);
  info.Setting.ColorSetting = getColorSettingToSM(idx, p, 0);
  info.InputSource = getInputSourceToSM(idx, 0);
  fillRequestCommon(&info, p, s);
  info.Setting.ScanRect = getScanRectToSM(info.Setting.ImageSource, mode);
  info.BitDepth = 8;
  info.Calibration = mode->isCalibrationEveryScan() ? 1 : 0;
  info.ImageDocumentType = getImageDocumentTypeToSM(idx, 0);
  handOverRecord(carrier, &info, true);
}

void Quirel_PreviewInfo::previewSettingFromExt(Quirel_SettingToSM* carrier) {
  if (!carrier) return;
  ScanInfo info;
  auto* mode = openRequest<ExtendModeLink>(carrier, &info);
  if (!mode) return;
  mMode = 1;
  mextModeId = mode;
  Quirel_PreferenceInfo* p = mode->getPreferenceInfo();
  Quirel_UIScannerInfo* s = mode->getScannerInfo();
  const int idx = mode->getImgSrcNumber();
  const int cidx = mode->getColorModeNumber();
  const bool film = mode->isFilmMode();
  mCIS = s && s->isCIS();
  mPreviewDataSize = mode->getPreviewDataSize();
  const bool zoomed = mode->getZoomScan() && !mode->isThumbnailMode();
  mPreviewMode = zoomed ? 1 : 0;
  Quirel_CropInfo* focus = lastFocused(mode->getCropList());

  info.Setting.NeedScan = mode->getNeedScan() ? 1 : 0;
  info.Setting.ImageSource = getImageSourceToSM(idx, 1);
  info.Setting.ColorMode = getColorModeToSM(cidx, 1, 0);
  info.Setting.ColorSetting = getColorSettingToSM(cidx, p, 1);
  info.InputSource = getInputSourceToSM(idx, 1);
  fillRequestCommon(&info, p, s);
  // The carrier's or the zoomed crop's threshold, never the scanner's default.
  info.Setting.Threshold = zoomed && focus ? focus->getThreshold() : carrier->getThresholdNum();
  if (zoomed) {
    fillPreviewRect(&info, mode);
    const SSizeDouble view = mode->getPreviewViewSize();
    info.Setting.WindowWidth = static_cast<std::int32_t>(view.width);
    info.Setting.WindowHeight = static_cast<std::int32_t>(view.height);
  } else {
    info.Setting.ScanRect = getScanRectToSM(info.Setting.ImageSource, mode);
  }
  info.BitDepth = 8;
  info.Calibration = mode->isCalibrationEveryScan() ? 1 : 0;
  if (info.InputSource >= 3 && info.InputSource <= 6) info.HighQuality = mode->isHighQualityMode() ? 1 : 0;
  info.ImageDocumentType = getImageDocumentTypeToSM(idx, 1);
  info.InputDocumentSize = film ? 0 : mode->getSelectedPaperSize();
  if (zoomed && film && focus) {
    SRectDouble r{};
    setOrgPixelLRectThumbnail(&r, focus);
    info.CropItem[0]->AGRect = ScanRect{r.origin.x, r.origin.y, r.size.width, r.size.height};
    if (focus->isExposure() || focus->isExposureOfApplyToneValueToAll())
      info.CropItem[0]->meRatio = focus->isApplyToneValueToAll() ? focus->getExposureValueOfApplyToneValueToAll()
                                                                 : focus->getExposureValue();
  }
  handOverRecord(carrier, &info, true);
}

void Quirel_PreviewInfo::fillPreviewRect(ScanInfo* info, ExtendModeLink* mode) {
  Quirel_CropInfo* focus = lastFocused(mode->getCropList());
  if (!focus) {
    info->Setting.ScanRect = ScanRect{};
    return;
  }
  const SPointDouble start = focus->getPreviewStartPoint_Pixel96();
  const SSizeDouble visible = focus->getVisiblePreviewSize_Pixel96();
  const SSizeDouble preview = focus->getPreviewSize_Pixel96();
  const int rotation = focus->getRotation();
  const bool turned = rotation == 1 || rotation == 3;
  double w = visible.width, h = visible.height, y = preview.height - (start.y + visible.height);
  if (turned) {
    w = visible.height;
    h = visible.width;
    y = preview.width - (start.y + visible.width);
  }
  double x = start.x;
  if (mode->isFilmMode()) {
    if (mCIS) x = (turned ? preview.height : preview.width) - (start.x + w);
    const SPointDouble origin = mode->getPaperSizePoint_Pixel96(21);
    x += origin.x;
    y += origin.y;
  }
  const double dpi = mPlatenResolution;
  info->Setting.ScanRect = ScanRect{pixelToInch(x, dpi), pixelToInch(y, dpi), pixelToInch(w, dpi), pixelToInch(h, dpi)};
}
