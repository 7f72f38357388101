// Scan records of the UI-less mode and the colour-balance base images.
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "ui/base/PostNotification.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ScanCropLimits.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"
#include "ui/model/SettingToSM.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"

bool Quirel_PreviewInfo::fillFromScanDic(ScanInfo* info, UILessScanModeLink* mode, bool scan) {
  std::memset(info, 0, sizeof *info);
  ScanInfo d;
  std::memset(&d, 0, sizeof d);
  UIM_GetDictionary_ScanInfo(&mode->getScanDic(), &d);
  const Quirel_PreferenceInfo* p = mode->getPreferenceInfo();
  ScanSetting& s = info->Setting;
  s.MonitorGamma = d.Setting.MonitorGamma;
  s.ImageSource = d.Setting.ImageSource;
  s.Threshold = d.Setting.Threshold;
  s.ColorMode = d.Setting.ColorMode;
  s.ColorSetting = d.Setting.ColorSetting;
  s.WindowWidth = d.Setting.WindowWidth;
  s.WindowHeight = d.Setting.WindowHeight;
  s.UiLessScan = d.Setting.UiLessScan;
  s.NoCloseUI = d.Setting.NoCloseUI;
  s.temporaryPath = d.Setting.temporaryPath && *d.Setting.temporaryPath
                        ? [&] {
                            const std::size_t n = std::strlen(d.Setting.temporaryPath) + 1;
                            auto* copy = static_cast<char*>(std::malloc(n));
                            if (copy) std::memcpy(copy, d.Setting.temporaryPath, n);
                            return copy;
                          }()
                        : newTemporaryPath(p);
  info->OnePass = d.OnePass;
  info->CopyGamma = d.CopyGamma;
  info->Silent = d.Silent;
  info->Calibration = d.Calibration;
  info->HighQuality = d.HighQuality;
  info->targetCrop = d.targetCrop;
  info->ActionMode = d.ActionMode;
  info->error_number = d.error_number;
  info->error_process = d.error_process;
  info->errro_detail = d.errro_detail;
  info->ImageDocumentType = d.ImageDocumentType;
  info->PullPush = d.PullPush;
  info->OrderRejection = d.OrderRejection;
  info->HighSpeedScan = d.HighSpeedScan;
  info->InputDocumentSize = d.InputDocumentSize;
  info->ICAOverView = d.ICAOverView;
  info->FAInputSourceADF = d.FAInputSourceADF;
  info->Rotation = 0;
  info->BitDepth = 8;
  info->InputSource = d.InputSource;
  if (scan) {
    if (info->InputSource == 7) info->InputSource = mode->getInputSource();
    info->FilmDetectArea = getFilmDetectAreaToSM(p && p->getSmallThumbanilWhenUIOff() ? 1 : 0, 3);
  }
  info->RefSumMode = d.RefSumMode;
  fillColorSync(info, p);
  UIM_Clear_ScanInfo(&d);
  info->CropItem[0] = static_cast<CropSetting*>(std::calloc(1, sizeof(CropSetting)));
  info->crop_num = 1;
  return info->CropItem[0] != nullptr;
}

UILessScanModeLink* Quirel_PreviewInfo::openUILessRequest(Quirel_SettingToSM* carrier) {
  if (!carrier) return nullptr;
  auto* mode = dynamic_cast<UILessScanModeLink*>(carrier->getScanModeObj());
  if (!mode) {
    carrier->refuse();
    return nullptr;
  }
  mMode = 3;
  mUiLessMode = mode;
  return mode;
}

void Quirel_PreviewInfo::previewSettingFromUILess(Quirel_SettingToSM* carrier) {
  UILessScanModeLink* mode = openUILessRequest(carrier);
  if (!mode) return;
  const Quirel_UIScannerInfo* scanner = mode->getScannerInfo();
  mNeedDocumentType = scanner && scanner->needsImageDocumentTypeToSM();
  ScanInfo info;
  const bool whole = fillFromScanDic(&info, mode, false);
  if (whole) {
    info.Setting.NeedScan = [&] {
      ScanInfo d;
      std::memset(&d, 0, sizeof d);
      UIM_GetDictionary_ScanInfo(&mode->getScanDic(), &d);
      const int needScan = d.Setting.NeedScan;
      UIM_Clear_ScanInfo(&d);
      return needScan;
    }();
    info.Setting.ScanRect = getScanRectToSM(info.Setting.ImageSource, mode);
  }
  handOverRecord(carrier, &info, whole);
}

void Quirel_PreviewInfo::scanSettingFromUILess(Quirel_SettingToSM* carrier) {
  UILessScanModeLink* mode = openUILessRequest(carrier);
  if (!mode) return;
  const Quirel_UIScannerInfo* scanner = mode->getScannerInfo();
  mCIS = scanner && scanner->isCIS();
  ScanInfo info;
  bool whole = fillFromScanDic(&info, mode, true);
  if (whole) {
    info.Setting.NeedScan = 1;
    whole = scanSettingFilmCropFromUILess(&info, mode);
  }
  handOverRecord(carrier, &info, whole);
}

bool Quirel_PreviewInfo::scanSettingFilmCropFromUILess(ScanInfo* info, UILessScanModeLink* mode) {
  if (!info || !mode) return false;
  const ThumbnailList& thumbnails = mode->getThumbnailList();
  const int ticked = checkedCount(thumbnails);
  // The mode checks the frame count first; an empty or overlong list is refused whole.
  if (thumbnails.empty() || ticked > kMaxScanCrops) return false;
  const auto tableNumbers = userGammaTables(gammaEntries(thumbnails), info->Setting.MonitorGamma);
  if (!tableNumbers) return false;
  const std::vector<int>& tables = *tableNumbers;
  const SRectDouble platen = mode->getFilmPlatenRect_Pixel96();
  info->crop_num = 1;
  for (std::size_t i = 0; i < thumbnails.size(); ++i) {
    const auto& t = thumbnails[i];
    if (!t || !t->isChecked()) continue;
    auto* s = static_cast<CropSetting*>(std::calloc(1, sizeof(CropSetting)));
    if (!s) {
      dropCrops(info);
      return false;
    }
    info->CropItem[info->crop_num++] = s;
    const auto crop = t->getThumnailCrop();
    if (!crop) continue;
    setImageSettingInCropSettingForUILess(s, crop.get(), info->Setting.ColorSetting);
    s->Threshold = crop->getThreshold();
    s->Scale = crop->getMagnification();
    s->UserGamma = tables[i] > 0 ? tables[i] : 0;
    s->Resolution = crop->getResolution();
    s->Rotation = crop->getRotation();
    s->RangeMode = 1;
    setFilmCropScanRect(crop->getVisiblePreviewSize_Pixel96(), crop->getPreviewStartPoint_Pixel96(), crop.get(), s,
                        s->Rotation, false, crop->getPreviewSize_Pixel96(), platen.origin);
    s->CropShape.Format = 0;
    convertScanRect(&s->ScanRect, mPlatenResolution, s->Resolution);
    s->AGRect = s->ScanRect;
  }
  return true;
}

void Quirel_PreviewInfo::setImageSettingInCropSettingForUILess(CropSetting* s, const Quirel_CropInfo* c, int cs) {
  if (!s || !c) return;
  s->SIRScan = 0;
  s->AutoTone = s->UnsharpMask = s->Descreen = s->ReduceDust = s->FadingCorrect = s->GrainCorrect =
      s->BacklightCorrect = 0;
  s->CuBS = s->IRScan = 0;
  s->HSLCyanRed = s->HSLMagentaGreen = s->HSLYellowBlue = s->HSLSaturation = 0;
  s->IRScan = c->getRemoveDust();
  s->SIRScan = c->getReduceDustFAU();
  s->AUTOFINEPHOTO = c->getAutoPhotoCorrect();
  const int colorMode = c->getColorMode();
  const bool colour = colorMode >= 3 && colorMode <= 5;
  if (cs == 1) {
    if (colour) {
      s->AutoTone = c->getAutoTone();
      copySetValues(s, c);
    }
    return;
  }
  if (colour) {
    const ColorBalanceValues b = c->getColorBalance();
    s->HSLCyanRed = b.cyanRed;
    s->HSLMagentaGreen = b.magentaGreen;
    s->HSLYellowBlue = b.yellowBlue;
    s->HSLSaturation = b.chroma;
  }
  if (cs == 0 && colorMode != 0) {
    s->AutoTone = c->getAutoTone();
    copySetValues(s, c);
    s->BacklightCorrect = c->getBackLightCorrect();
    if (colour) s->FadingCorrect = c->getFadingCorrect();
  } else if (cs == 2 && colorMode != 0) {
    copySetValues(s, c);
  }
}

int Quirel_PreviewInfo::setCropThumbnailSettingDataSMForUILess(ScanInfo* info, int slot, Quirel_CropInfo* crop,
                                                               SRectDouble rect) {
  if (!info) return 0;
  if (slot < 1 || slot >= kScanInfoMaxCrops) slot = 1;
  if (!mUiLessMode || !fillFromScanDic(info, mUiLessMode, true)) {
    if (!mUiLessMode) std::memset(info, 0, sizeof *info);
    return 0;
  }
  info->Setting.NeedScan = 0;
  info->RefSumMode = 0;
  info->Setting.ScanRect = getScanRectToSM(info->Setting.ImageSource, mUiLessMode);
  auto* s = static_cast<CropSetting*>(std::calloc(1, sizeof(CropSetting)));
  if (s) {
    s->DATA_WIDTH = static_cast<std::int32_t*>(std::calloc(1, sizeof(std::int32_t)));
    s->DATA_HEIGHT = static_cast<std::int32_t*>(std::calloc(1, sizeof(std::int32_t)));
    s->DATA_P = static_cast<unsigned char**>(std::calloc(1, sizeof(unsigned char*)));
    s->DATA_H = static_cast<unsigned char**>(std::calloc(1, sizeof(unsigned char*)));
  }
  info->CropItem[slot] = s;
  info->crop_num = 2;
  if (!s || !s->DATA_WIDTH || !s->DATA_HEIGHT || !s->DATA_P || !s->DATA_H) {
    freeCropItem(info);
    return 0;
  }
  if (!crop) return 0;
  setImageSettingInCropSettingForUILess(s, crop, info->Setting.ColorSetting);
  s->AutoTone = crop->getAutoTone();
  s->Threshold = crop->getThreshold();
  s->UserGamma = 1;
  s->Resolution = crop->getResolution();
  s->RangeMode = 0;
  s->ScanRect = s->AGRect = ScanRect{rect.origin.x, rect.origin.y, rect.size.width, rect.size.height};
  s->CropShape.Format = 0;
  crop->setcropCorRect(rect);
  const double gamma = info->Setting.MonitorGamma;
  if (checkUserGammaDefault(crop, gamma) != 0)
    setUserGammaTableToSM(1, crop, gamma);
  else
    s->UserGamma = 0;
  return crop->getAutoTone();
}

void Quirel_PreviewInfo::exchangeHSL(Quirel_CropInfo* crop, ScanInfo* info) {
  if (CropSetting* s = info->CropItem[1]) {
    // The dialogs apply the balance themselves: the request never carries one.
    s->HSLCyanRed = s->HSLMagentaGreen = s->HSLYellowBlue = s->HSLSaturation = 0;
    if (auto request = UIM_CreateDictionary_ScanInfoDT(info, mNeedDocumentType, 0))
      call_crop_Imageset2(crop, *request, true, nullptr, true);
  }
  freeCropItem(info);
}

void Quirel_PreviewInfo::setCropImagedataSM_HSL(Quirel_CropInfo* crop) {
  if (!crop || crop->getInputWidth_Pixel96() <= 0 || crop->getInputHeight_Pixel96() <= 0) return;
  std::lock_guard guard(cropLock);
  ScanInfo info;
  cropSettingDataSM(&info, 1, crop);
  exchangeHSL(crop, &info);
}

void Quirel_PreviewInfo::updateImageSet_HSL(int mode, bool thumbnailMode, const fnd::Value* target,
                                            bool platenThumbnailMode) {
  std::lock_guard guard(previewLock);
  mMode = mode;
  if (!target) return;
  if (platenThumbnailMode) {
    // A platen document: its inner crop, or the document's own frame.
    const auto thumbnail = target->toObject<Quirel_ThumbnailInfo>();
    if (!thumbnail) return;
    SPointDouble corners[4] = {};
    thumbnail->getMultiCropPoints(corners);
    Quirel_CropInfo* inner = thumbnail->hasCrop() ? thumbnail->getCropInfo().get() : nullptr;
    setThumbnailCropImagedataSM2(thumbnail->getThumnailCrop().get(), inner, inner ? thumbnail->getNo() + 1 : 1,
                                 corners, true);
    return;
  }
  if (thumbnailMode) {
    // A film frame: its inner crop, then the frame itself.
    const auto thumbnail = target->toObject<Quirel_ThumbnailInfo>();
    if (!thumbnail) return;
    if (thumbnail->hasCrop()) setCropImagedataSM_HSL(thumbnail->getCropInfo().get());
    const auto frame = thumbnail->getThumnailCrop();
    if (!frame) return;
    std::lock_guard crops(cropLock);
    ScanInfo info;
    setCropThumbnailSettingDataSM(&info, 1, frame.get(), thumbnailRect(static_cast<std::size_t>(thumbnail->getNo())));
    const Quirel_CropInfo* base = frame->isApplyToneValueToAll() ? frame->getBaseCropOfApplyToneValueToAll() : nullptr;
    if (CropSetting* s = info.CropItem[1]; s && base) {
      s->meRatio = base->isExposure() ? base->getExposureValue() : 100;
      SRectDouble r{};
      setOrgPixelLRectThumbnail(&r, base);
      s->AGRect = ScanRect{r.origin.x, r.origin.y, r.size.width, r.size.height};
    }
    exchangeHSL(frame.get(), &info);
    return;
  }
  setCropImagedataSM_HSL(target->toObject<Quirel_CropInfo>().get());
}

void Quirel_PreviewInfo::registerUILessObservers() {
  mCenter.addObserver(this, "previewSettingFromUILessPost", nullptr, [this](const fnd::Notification& n) {
    const fnd::Value* v = n.info() ? n.info()->find("SetToSM") : nullptr;
    previewSettingFromUILess(v ? v->toObject<Quirel_SettingToSM>().get() : nullptr);
  });
  mCenter.addObserver(this, "scanSettingFromUILessPost", nullptr, [this](const fnd::Notification& n) {
    // The poster keeps the carrier alive for the synchronous post.
    scanSettingFromUILess(static_cast<Quirel_SettingToSM*>(const_cast<void*>(n.sender)));
  });
  mCenter.addObserver(this, "updateImageSetHSLPost", nullptr, [this](const fnd::Notification& n) {
    const fnd::Dictionary* info = n.info();
    if (!info) return;
    auto flag = [info](const char* key) {
      const fnd::Value* v = info->find(key);
      return v && v->toInteger() != 0;
    };
    const fnd::Value* mode = info->find("Mode");
    updateImageSet_HSL(mode ? static_cast<int>(mode->toInteger()) : 0, flag("ThumbnailMode"), info->find("ImageSetTarget"),
                       flag("PlatenThumbnailMode"));
  });
}
