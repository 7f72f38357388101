// The crop tables of the basic and advanced scan requests, platen and film.
#include <cstdlib>
#include <cstring>

#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ScanCropLimits.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"

int Quirel_PreviewInfo::checkedCount(const ThumbnailList& thumbnails) {
  int n = 0;
  for (const auto& t : thumbnails)
    if (t && t->isChecked()) ++n;
  return n;
}

std::optional<std::vector<Quirel_PreviewInfo::GammaEntry>> Quirel_PreviewInfo::scanGammaEntries(
    bool thumbnail, const ThumbnailList& thumbnails, const CropList& crops) {
  const int count = thumbnail ? checkedCount(thumbnails) : static_cast<int>(crops.size());
  if (count > kMaxScanCrops) return std::nullopt;
  return thumbnail ? gammaEntries(thumbnails) : gammaEntries(crops);
}

std::optional<std::vector<int>> Quirel_PreviewInfo::userGammaTables(const std::vector<GammaEntry>& entries,
                                                                     double monitorGamma) {
  std::vector<int> tables(entries.size() + kUserGammaTableMax, 0);
  if (setUserGammaNumTable(entries, tables.data(), monitorGamma) != 0) return std::nullopt;
  return tables;
}

Quirel_CropInfo* Quirel_PreviewInfo::thumbnailCropOf(const Quirel_ThumbnailInfo& t) {
  return t.hasCrop() ? t.getCropInfo().get() : t.getThumnailCrop().get();
}

const Quirel_CropInfo* Quirel_PreviewInfo::filmGeometryOf(const Quirel_CropInfo* crop, const Quirel_ThumbnailInfo* t) {
  // An inner crop of a film frame is placed by its frame's geometry.
  return t && t->hasCrop() && t->getThumnailCrop() ? t->getThumnailCrop().get() : crop;
}

// Frees slots 1..60 so that a refused list leaves nothing half-filled.
void Quirel_PreviewInfo::dropCrops(ScanInfo* info) {
  for (int i = 1; i < kScanInfoMaxCrops; ++i) {
    std::free(info->CropItem[i]);
    info->CropItem[i] = nullptr;
  }
  info->crop_num = 1;
}

bool Quirel_PreviewInfo::placeRequestCrops(ScanInfo* info, bool thumbnail, const ThumbnailList& thumbnails,
                                           const CropList& crops, const PlaceCrop& place) {
  bool ok = true;
  if (thumbnail) {
    int slot = 1;
    for (std::size_t i = 0; ok && i < thumbnails.size(); ++i) {
      const auto& t = thumbnails[i];
      if (!t || !t->isChecked()) continue;
      ok = place(slot++, thumbnailCropOf(*t), i, t.get());
    }
    info->crop_num = slot;
  } else {
    const int count = static_cast<int>(crops.size());
    for (int i = 0; ok && i < count; ++i)
      ok = place(count - i, crops[static_cast<std::size_t>(i)].get(), static_cast<std::size_t>(i), nullptr);
    info->crop_num = count + 1;
  }
  if (!ok) dropCrops(info);
  return ok;
}

void Quirel_PreviewInfo::convertScanRect(ScanRect* r, double from, double to) {
  r->x = convertResolution(r->x, from, to);
  r->y = convertResolution(r->y, from, to);
  r->width = convertResolution(r->width, from, to);
  r->height = convertResolution(r->height, from, to);
}

void Quirel_PreviewInfo::setCornerShape(CropSetting* s, const SPointDouble corners[4]) {
  std::int32_t shape[8];
  for (int i = 0; i < 4; ++i) {
    shape[2 * i] = static_cast<std::int32_t>(corners[i].x);
    shape[2 * i + 1] = static_cast<std::int32_t>(corners[i].y);
  }
  s->CropShape.Format = 4;
  std::memcpy(s->CropShape.Shape, shape, sizeof shape);
}

bool Quirel_PreviewInfo::thumbnailFrameRect(ScanInfo* info, CropSetting* s, const Quirel_CropInfo* c,
                                            const Quirel_ThumbnailInfo* t, std::size_t index, SSizeDouble area) {
  const SRectDouble frame = thumbnailRect(index);
  if (mThumbnailAuto) {
    const double from = mUIScannerInfo ? mUIScannerInfo->platenAutoCropResolution() : 0;
    const double to = mPlatenResolution;
    auto conv = [&](double v) { return from > 0 ? convertResolution(v, from, to) : v; };
    info->OnePass = 0;
    setCropScanRectThumbAuto(c, s, c->getRotation(), c->getMirror(), area, conv(frame.origin.x), conv(frame.origin.y),
                             conv(frame.size.width), conv(frame.size.height));
    s->CropShape.Format = 0;
    return true;
  }
  SPointDouble corners[4] = {};
  if (t) t->getMultiCropPoints(corners);
  setCornerShape(s, corners);
  s->ScanRect = toScanRect(frame);
  s->TRIMRECT =
      toScanRect(setLotationRectP96(c->getInputRect_Pixel96(), c->getVisiblePreviewSize_Pixel96(), c->getRotation()));
  if (c->getOutputSize() != 0 && c->getInputWidth_Pixel96() != 0)
    s->Scale = c->getOutputWidth_Pixel96() / c->getInputWidth_Pixel96() * 100.0;
  return false;
}

SRectDouble Quirel_PreviewInfo::setLotationRectP96(SRectDouble r, SSizeDouble v, int rotation) {
  const double x = r.origin.x, y = r.origin.y, w = r.size.width, h = r.size.height;
  switch (rotation) {
    case 0: return makeSRectDouble(x, v.height - (y + h), w, h);
    case 1: return makeSRectDouble(y, x, h, w);
    case 2: return makeSRectDouble(v.width - (x + w), y, w, h);
    case 3: return makeSRectDouble(v.height - (y + h), v.width - (x + w), h, w);
    default: return SRectDouble{};
  }
}

void Quirel_PreviewInfo::setFilmCropScanRect(SSizeDouble s1, SPointDouble s2, const Quirel_CropInfo* crop,
                                             CropSetting* s, int r, bool m, SSizeDouble t, SPointDouble u) const {
  if (!s) return;
  SRectDouble in{};
  if (crop) in = crop->getInputRect_Pixel96();
  const double x = in.origin.x, y = in.origin.y, w = in.size.width, h = in.size.height;
  const double xm = m ? s1.width - (x + w) : x;
  double bx = x, by = y, w2 = w, h2 = h, flip = t.width, cisWidth = t.height;
  switch (r) {
    case 0: bx = xm; by = y; flip = t.height; cisWidth = t.width; break;
    case 1: bx = y; by = s1.width - (xm + w); w2 = h; h2 = w; flip = t.width; cisWidth = t.height; break;
    case 2: bx = s1.width - (xm + w); by = s1.height - (y + h); flip = t.height; cisWidth = t.width; break;
    case 3: bx = s1.height - (y + h); by = xm; w2 = h; h2 = w; flip = t.width; cisWidth = t.height; break;
    default: break;
  }
  const double x2 = bx + s2.x;
  const double y2 = flip - (by + s2.y + h2);
  s->ScanRect.x = (mCIS ? cisWidth - (x2 + w2) : x2) + u.x;
  s->ScanRect.y = y2 + u.y;
  s->AGRect.x = x2 + u.x;
  s->AGRect.y = y2 + u.y;
  const SSizeDouble out = crop ? crop->getOutputSize_Pixel96() : SSizeDouble{};
  const bool upright = r == 0 || r == 2;
  const double ow = upright ? out.width : out.height;
  const double oh = upright ? out.height : out.width;
  s->ScanRect.width = s->AGRect.width = ow;
  s->ScanRect.height = s->AGRect.height = oh;
  if (crop && crop->getOutputSize() != 0 && w2 != 0)
    s->Scale = ow / w2 * 100.0;
  else
    s->Scale = crop ? crop->getMagnification() : 0;
}

bool Quirel_PreviewInfo::fillCropEntry(ScanInfo* info, int slot, Quirel_CropInfo* c, bool preview, int index,
                                       int colorIndex, bool ext, const Quirel_UIScannerInfo* scanner) {
  auto* s = static_cast<CropSetting*>(std::calloc(1, sizeof(CropSetting)));
  if (!s) return false;
  info->CropItem[slot] = s;
  if (!c) return true;
  const int cs = info->Setting.ColorSetting;
  const bool v310 = scanner && scanner->isVer310();
  const bool v1400 = scanner && scanner->isVer1400Later();
  const bool v1500 = scanner && scanner->isVer1500Later();
  bool adjusted;
  if (ext) {
    adjusted = setImageSettingInCropSettingExt(s, c, preview, colorIndex, cs, index, v310, v1400, v1500);
  } else {
    adjusted = setImageSettingInCropSettingStd(s, c, preview, index, cs, v310, v1400, v1500);
    setImageSettingInCropSettingStdAutoFine(s, c, preview, index, cs, scanner && scanner->isVer1700Later());
  }
  if (adjusted) setImageAdjust(slot, c->getColorAdjust());
  s->Threshold = c->getThreshold();
  s->Resolution = c->getResolution();
  s->Rotation = c->getRotation();
  s->Mirror = c->getMirror() ? 1 : 0;
  s->Scale = c->getMagnification();
  s->FREESIZE = c->getOutputSize() == 0 ? 1 : 0;
  s->SetDataRetain = 0;
  s->UseDataRetain = 0;
  s->RangeMode = 1;
  if (ext && s->AutoTone == 5) {
    s->AutoTone = 1;
    s->UseDataRetain = c->getRetainNumber();
  }
  return true;
}

bool Quirel_PreviewInfo::scanSettingPlatenCropFromStd(ScanInfo* info, StandardModeLink* mode) {
  if (!info || !mode) return false;
  const Quirel_UIScannerInfo* scanner = mode->getScannerInfo();
  const Quirel_PreferenceInfo* p = mode->getPreferenceInfo();
  const SSizeDouble area = mode->getPaperSizeWH_Pixel96(0);
  mVer1700 = scanner && scanner->isVer1700Later();
  const int idx = mode->getImgSrcNumber();
  const bool thumbnail = mode->isThumbnailMode();
  const bool preview = mode->getHasPreview();
  const double gamma = p ? p->getMonitorGamma() : 0;
  const bool adf = idx >= 6 && idx <= 11;
  const CropList& crops = mode->getCropList();
  const ThumbnailList& thumbnails = mode->getThumbnailList();
  const bool none = thumbnail ? thumbnails.empty() : crops.empty();

  if (none) {
    Quirel_CropInfo* c = mode->getTemplateCrop();
    if (!fillCropEntry(info, 1, c, preview, idx, idx, false, scanner)) return false;
    info->crop_num = 2;
    CropSetting* s = info->CropItem[1];
    if (thumbnail) info->OnePass = 0;
    s->UserGamma = checkUserGammaDefault(c, gamma) != 0 ? 1 : 0;
    if (s->UserGamma) setUserGammaTableToSM(1, c, gamma);
    s->Mirror = 0;
    if (info->Setting.ColorSetting == 0 && c) s->AUTOFINEPHOTO = c->getAutoPhotoCorrect();
    const SRectDouble in = c ? c->getInputRect_Pixel96() : SRectDouble{};
    const int rotation = c ? c->getRotation() : 0;
    if (adf)
      setScanRectPixelADF(&s->ScanRect, rotation, in.origin.x, in.origin.y, in.size.width, in.size.height);
    else
      setScanRectPixel2(&s->ScanRect, rotation, false, area.width, area.height, in.origin.x, in.origin.y,
                        in.size.width, in.size.height);
    convertScanRect(&s->ScanRect, mPlatenResolution, s->Resolution);
    return true;
  }

  const auto entries = scanGammaEntries(thumbnail, thumbnails, crops);
  if (!entries) return false;
  const int userGamma = setUserGammaNumTableFirstCrop(*entries, gamma);

  auto place = [&](int slot, Quirel_CropInfo* c, std::size_t thumbIndex, const Quirel_ThumbnailInfo* t) {
    if (!fillCropEntry(info, slot, c, preview, idx, idx, false, scanner)) return false;
    CropSetting* s = info->CropItem[slot];
    s->UserGamma = userGamma;
    if (!c) return true;
    if (!thumbnail) {
      setCropScanRect(c, s, c->getRotation(), c->getMirror(), area);
      s->CropShape.Format = 0;
    } else {
      if (!thumbnailFrameRect(info, s, c, t, thumbIndex, area)) return true;
    }
    convertScanRect(&s->ScanRect, mPlatenResolution, s->Resolution);
    return true;
  };

  return placeRequestCrops(info, thumbnail, thumbnails, crops, place);
}

bool Quirel_PreviewInfo::scanSettingFilmCropFromStd(ScanInfo* info, StandardModeLink* mode) {
  if (!info || !mode) return false;
  const Quirel_UIScannerInfo* scanner = mode->getScannerInfo();
  const Quirel_PreferenceInfo* p = mode->getPreferenceInfo();
  const SPointDouble origin = mode->getPaperSizePoint_Pixel96(21);
  const int idx = mode->getImgSrcNumber();
  const bool thumbnail = mode->isThumbnailMode();
  const double gamma = p ? p->getMonitorGamma() : 0;
  const CropList& crops = mode->getCropList();
  const ThumbnailList& thumbnails = mode->getThumbnailList();
  const auto entries = scanGammaEntries(thumbnail, thumbnails, crops);
  if (!entries) return false;
  if (thumbnail ? thumbnails.empty() : crops.empty()) return true;
  const int userGamma = setUserGammaNumTableFirstCrop(*entries, gamma);
  const bool preview = thumbnail || mode->getHasPreview();

  auto place = [&](int slot, Quirel_CropInfo* c, std::size_t, const Quirel_ThumbnailInfo* t) {
    if (!fillCropEntry(info, slot, c, preview, idx, idx, false, scanner)) return false;
    CropSetting* s = info->CropItem[slot];
    s->UserGamma = userGamma;
    if (!c) return true;
    const Quirel_CropInfo* geometry = filmGeometryOf(c, t);
    if (info->Setting.ColorSetting == 0) {
      s->AUTOFINEDOCUMENT = c->getAutoDocCorrect();
      s->AUTOFINEPHOTO = c->getAutoPhotoCorrect();
    }
    setFilmCropScanRect(geometry->getVisiblePreviewSize_Pixel96(), geometry->getPreviewStartPoint_Pixel96(), c, s,
                        s->Rotation, s->Mirror != 0, geometry->getPreviewSize_Pixel96(), origin);
    s->CropShape.Format = 0;
    convertScanRect(&s->ScanRect, mPlatenResolution, s->Resolution);
    return true;
  };
  return placeRequestCrops(info, thumbnail, thumbnails, crops, place);
}
