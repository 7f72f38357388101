// The small scan request with which the scan module corrects one crop of the preview.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ScanCropLimits.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"
#include "ui/model/UIScannerInfo.h"

// What a per-crop request reads from the mode of the last request; a missing mode, preference
// or scanner record reads as 0 / NO / null.
struct Quirel_PreviewInfo::ModeReading {
  Quirel_PreferenceInfo* preferences = nullptr;
  Quirel_UIScannerInfo* scanner = nullptr;
  int imageSource = 0;
  int colorIndex = 0;
  bool film = false;
};

ScanModeLink* Quirel_PreviewInfo::currentScanMode() const {
  if (mMode != 0) return mextModeId;
  return mstdModeId;
}

Quirel_PreviewInfo::ModeReading Quirel_PreviewInfo::readMode() const {
  ModeReading m;
  if (mMode != 0) {
    if (!mextModeId) return m;
    m.preferences = mextModeId->getPreferenceInfo();
    m.scanner = mextModeId->getScannerInfo();
    m.imageSource = mextModeId->getImgSrcNumber();
    m.colorIndex = mextModeId->getColorModeNumber();
    m.film = mextModeId->isFilmMode();
  } else {
    if (!mstdModeId) return m;
    m.preferences = mstdModeId->getPreferenceInfo();
    m.scanner = mstdModeId->getScannerInfo();
    m.imageSource = mstdModeId->getImgSrcNumber();
    m.colorIndex = m.imageSource;
    m.film = mstdModeId->isFilmMode();
  }
  return m;
}

bool Quirel_PreviewInfo::allocateCropItems(ScanInfo* info, int slot) {
  auto* first = static_cast<CropSetting*>(std::calloc(1, sizeof(CropSetting)));
  auto* crop = static_cast<CropSetting*>(std::calloc(1, sizeof(CropSetting)));
  if (crop) {
    crop->DATA_WIDTH = static_cast<std::int32_t*>(std::calloc(1, sizeof(std::int32_t)));
    crop->DATA_HEIGHT = static_cast<std::int32_t*>(std::calloc(1, sizeof(std::int32_t)));
    crop->DATA_P = static_cast<unsigned char**>(std::calloc(1, sizeof(unsigned char*)));
    crop->DATA_H = static_cast<unsigned char**>(std::calloc(1, sizeof(unsigned char*)));
  }
  info->CropItem[0] = first;
  info->CropItem[slot] = crop;
  info->crop_num = 2;
  if (first && crop && crop->DATA_WIDTH && crop->DATA_HEIGHT && crop->DATA_P && crop->DATA_H) return true;
  freeCropItem(info);
  return false;
}

void Quirel_PreviewInfo::freeCropItem(ScanInfo* info) {
  if (!info) return;
  for (CropSetting*& item : info->CropItem) {
    if (!item) continue;
    std::free(item->DATA_WIDTH);
    std::free(item->DATA_HEIGHT);
    std::free(item->DATA_P);
    std::free(item->DATA_H);
    std::free(item);
    item = nullptr;
  }
  info->crop_num = 0;
  // The request's strings were made for it too.
  std::free(info->Setting.temporaryPath);
  std::free(info->Setting.ColorSync.SourceProfile);
  std::free(info->Setting.ColorSync.TargetProfile);
  info->Setting.temporaryPath = nullptr;
  info->Setting.ColorSync.SourceProfile = nullptr;
  info->Setting.ColorSync.TargetProfile = nullptr;
}

void Quirel_PreviewInfo::fillScanWide(ScanInfo* info, const ModeReading& m) const {
  ScanSetting& s = info->Setting;
  s.NeedScan = 0;
  s.MonitorGamma = m.preferences ? m.preferences->getMonitorGamma() : 0;
  s.Threshold = m.scanner ? m.scanner->thresholdValue() : 0;
  s.NoCloseUI = getAutoExitToSM(m.preferences ? m.preferences->getAutoExit() : 0);
  s.temporaryPath = newTemporaryPath(m.preferences);
  if (s.ColorSetting == 1) {
    s.ColorSync.SourceProfile = getSourceProfilePathToSM(info->InputSource, m.preferences);
    s.ColorSync.TargetProfile = getOutputProfilePathToSM(m.preferences);
    s.ColorSync.monitor = m.preferences && m.preferences->getMonitor() ? 1 : 0;
  }
  info->Rotation = 0;
  info->Calibration = 0;
  info->HighQuality = 0;
  info->Silent = 0;
  info->InputDocumentSize = 0;
}

int Quirel_PreviewInfo::cropSettingDataSM(ScanInfo* info, int slot, Quirel_CropInfo* crop, bool mapAutoTone) {
  if (!info) return 0;
  std::memset(info, 0, sizeof(ScanInfo));
  if (slot < 1 || slot >= kScanInfoMaxCrops) slot = 1;
  const ModeReading m = readMode();
  const bool ver310 = m.scanner && m.scanner->isVer310();
  const bool ver1400 = m.scanner && m.scanner->isVer1400Later();
  const bool ver1500 = m.scanner && m.scanner->isVer1500Later();
  const bool ver1700 = m.scanner && m.scanner->isVer1700Later();
  mVer1700 = ver1700;
  mNeedDocumentType = m.scanner && m.scanner->needsImageDocumentTypeToSM();

  info->OnePass = 0;
  info->InputSource = getInputSourceToSM(m.imageSource, mMode);
  info->BitDepth = 8;
  info->ImageDocumentType = getImageDocumentTypeToSM(m.imageSource, mMode);
  info->Setting.ImageSource = getImageSourceToSM(m.imageSource, mMode);
  info->Setting.ColorMode = getColorModeToSM(m.colorIndex, mMode, 0);
  info->Setting.ColorSetting = getColorSettingToSM(m.colorIndex, m.preferences, mMode);
  fillScanWide(info, m);
  const double gamma = info->Setting.MonitorGamma;

  if (!allocateCropItems(info, slot)) return 0;
  CropSetting* s = info->CropItem[slot];
  const int cs = info->Setting.ColorSetting;
  if (mMode != 0) {
    setImageSettingInCropSettingExt(s, crop, true, m.colorIndex, cs, m.imageSource, ver310, ver1400, ver1500);
  } else {
    setImageSettingInCropSettingStd(s, crop, true, m.colorIndex, cs, ver310, ver1400, ver1500);
    setImageSettingInCropSettingStdAutoFine(s, crop, true, m.colorIndex, cs, ver1700);
  }
  if (!crop) return 0;

  const int autoTone = crop->getAutoTone();
  if (autoTone == 5 && mapAutoTone) s->AutoTone = 1;
  s->Threshold = crop->getThreshold();
  s->UserGamma = 1;
  s->Resolution = crop->getResolution();
  s->RangeMode = 0;
  s->SetDataRetain = 0;
  s->UseDataRetain = 0;

  auto pixelRect = [this](const Quirel_CropInfo* c) {
    SRectDouble r{};
    if (c->getThumbnailCrop()) {
      setOrgPixelLRectThumbnail(&r, c);
    } else {
      const SSizeDouble v = c->getVisiblePreviewSize_Pixel96();
      const SRectDouble in = c->getInputRect_Pixel96();
      setOrgPixelLRect2(&r, mPreviewMode != 0, v.width, v.height, c->getRotation(), c->getMirror(), in.origin.x,
                        in.origin.y, in.size.width, in.size.height, true);
    }
    return r;
  };
  const SRectDouble rect = pixelRect(crop);
  s->ScanRect = toScanRect(rect);
  s->CropShape.Format = 0;
  // The corrected-image rectangle lives in the crop record; the request builder sets it, as the
  // exchange that follows reads it back.
  crop->setcropCorRect(rect);

  if (m.film) {
    const Quirel_CropInfo* base = crop->isApplyToneValueToAll() ? crop->getBaseCropOfApplyToneValueToAll() : nullptr;
    if (base) {
      s->meRatio = base->isExposure() ? base->getExposureValue() : 100;
      s->AGRect = toScanRect(pixelRect(base));
    } else {
      if (crop->isExposure()) s->meRatio = crop->getExposureValue();
      s->AGRect = s->ScanRect;
    }
  }

  if (checkUserGammaDefault(crop, gamma) != 0)
    setUserGammaTableToSM(1, crop, gamma);
  else
    s->UserGamma = 0;
  return autoTone;
}

void Quirel_PreviewInfo::multicropSettingDataSM(ScanInfo* info, Quirel_CropInfo* crop) {
  if (!info) return;
  std::memset(info, 0, sizeof(ScanInfo));
  ModeReading m;
  if (mextModeId) {
    m.preferences = mextModeId->getPreferenceInfo();
    m.scanner = mextModeId->getScannerInfo();
    m.imageSource = mextModeId->getImgSrcNumber();
    m.colorIndex = mextModeId->getColorModeNumber();
  }
  const bool ver310 = m.scanner && m.scanner->isVer310();
  const bool ver1400 = m.scanner && m.scanner->isVer1400Later();
  mNeedDocumentType = m.scanner && m.scanner->needsImageDocumentTypeToSM();
  info->Setting.ColorMode = getColorModeToSM(m.colorIndex, 1, 0);

  info->OnePass = 1;
  info->InputSource = 0;
  info->ImageDocumentType = getImageDocumentTypeToSM(m.imageSource, 1);
  info->Setting.ImageSource = 0;
  // Asked of the preferences directly, not through the slot table.
  info->Setting.ColorSetting = m.preferences ? m.preferences->getColorSetting(m.colorIndex) : 0;
  fillScanWide(info, m);
  const double gamma = info->Setting.MonitorGamma;
  // BitDepth stays 0 here; the single-crop request sends 8.

  if (!allocateCropItems(info, 1)) return;
  CropSetting* s = info->CropItem[1];
  if (!crop) return;
  const int cs = info->Setting.ColorSetting;
  const int colorMode = info->Setting.ColorMode;
  if (cs == 1) {
    if (colorMode == 2) {
      copySetValues(s, crop);
      if (!ver1400 && !ver310) s->AutoTone = 1;
    }
  } else if (cs == 0) {
    if (colorMode != 0) {
      copySetValues(s, crop);
      s->AutoTone = 1;
    }
  } else if (colorMode != 0) {
    copySetValues(s, crop);
  }
  s->Threshold = crop->getThreshold();
  s->UserGamma = 1;
  s->Resolution = crop->getResolution();

  SPointDouble corners[4];
  crop->getMultiCropCorPoints(corners);
  double minX = 65535, minY = 65535, maxX = 0, maxY = 0;
  for (const SPointDouble& p : corners) {
    if (p.x < minX) minX = std::trunc(p.x);
    if (p.y < minY) minY = std::trunc(p.y);
    if (p.x > maxX) maxX = std::trunc(p.x);
    if (p.y > maxY) maxY = std::trunc(p.y);
  }
  s->ScanRect = ScanRect{minX, minY, maxX - minX + 1, maxY - minY + 1};
  s->CropShape.Format = 4;
  std::int32_t shape[8];
  for (int i = 0; i < 4; ++i) {
    shape[2 * i] = static_cast<std::int32_t>(corners[i].x);
    shape[2 * i + 1] = static_cast<std::int32_t>(corners[i].y);
  }
  std::memcpy(s->CropShape.Shape, shape, sizeof(shape));
  crop->setcropCorRect(makeSRectDouble(minX, minY, maxX - minX, maxY - minY));

  setUserGammaTableToSM(1, crop, gamma);
}
