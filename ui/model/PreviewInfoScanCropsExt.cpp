// The crop tables of the advanced mode's scan requests, platen and film.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ScanCropLimits.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {


// Puts a zoomed focused crop back to its whole-area geometry while its rectangle is computed.
class ZoomReset {
 public:
  ZoomReset(ScanModeLink* mode, Quirel_CropInfo* crop, SSizeDouble area) : mCrop(crop) {
    if (!mode || !crop || !mode->getZoomScan() || !crop->isFocus()) {
      mCrop = nullptr;
      return;
    }
    mRect = crop->getInputRect_Pixel96();
    mVisible = crop->getVisiblePreviewSize_Pixel96();
    mStart = crop->getPreviewStartPoint_Pixel96();
    const int r = crop->getRotation();
    if (r == 1 || r == 3) std::swap(area.width, area.height);
    mode->updateCropByResetZoomScan(*crop, area.width, area.height);
  }
  ~ZoomReset() {
    if (!mCrop) return;
    mCrop->setInputX_Pixel96(mRect.origin.x);
    mCrop->setInputY_Pixel96(mRect.origin.y);
    mCrop->setVisiblePreviewSize_Pixel96(mVisible);
    mCrop->setPreviewStartPoint_Pixel96(mStart);
  }
  ZoomReset(const ZoomReset&) = delete;
  ZoomReset& operator=(const ZoomReset&) = delete;

 private:
  Quirel_CropInfo* mCrop;
  SRectDouble mRect{};
  SSizeDouble mVisible{};
  SPointDouble mStart{};
};

}  // namespace

bool Quirel_PreviewInfo::scanSettingPlatenCropFromExt(ScanInfo* info, ExtendModeLink* mode) {
  if (!info || !mode) return false;
  const Quirel_UIScannerInfo* scanner = mode->getScannerInfo();
  const Quirel_PreferenceInfo* p = mode->getPreferenceInfo();
  const SSizeDouble area = mode->getPaperSizeWH_Pixel96(mode->getPaperSizeNumber());
  const int idx = mode->getImgSrcNumber();
  const int cidx = mode->getColorModeNumber();
  const bool thumbnail = mode->isThumbnailMode();
  const bool preview = mode->getHasPreview();
  const double gamma = p ? p->getMonitorGamma() : 0;
  const CropList& crops = mode->getCropList();
  const ThumbnailList& thumbnails = mode->getThumbnailList();
  bool ok = true;

  auto multiFrame = [&](int slot, Quirel_CropInfo* c, bool grow) {
    CropSetting* s = info->CropItem[slot];
    s->Scale = 100;
    s->RangeMode = 0;
    SPointDouble corners[4];
    c->getMultiCropCorPoints(corners);
    setCornerShape(s, corners);
    SRectDouble r = c->getcropCorRect();
    if (grow) {
      r.size.width += 1;
      r.size.height += 1;
    }
    s->ScanRect = toScanRect(r);
  };

  if (mode->isMultiCropMode()) {
    std::vector<Quirel_CropInfo*> frames;
    for (const auto& c : crops)
      if (c && c->isMultiCrop()) frames.push_back(c.get());
    if (static_cast<int>(frames.size()) > kMaxScanCrops) return false;
    if (!frames.empty()) setUserGammaTableToSM(1, frames.front(), gamma);
    int slot = 1;
    for (Quirel_CropInfo* c : frames) {
      if (!(ok = fillCropEntry(info, slot, c, preview, idx, cidx, true, scanner))) break;
      info->CropItem[slot]->UserGamma = 1;
      multiFrame(slot++, c, false);
    }
    info->crop_num = slot;
    if (!ok) dropCrops(info);
    return ok;
  }

  if (thumbnail ? thumbnails.empty() : crops.empty()) {
    Quirel_CropInfo* c = mode->getTemplateCrop();
    if (!fillCropEntry(info, 1, c, preview, idx, cidx, true, scanner)) return false;
    info->crop_num = 2;
    CropSetting* s = info->CropItem[1];
    if (thumbnail) info->OnePass = 0;
    s->UserGamma = checkUserGammaDefault(c, gamma) != 0 ? 1 : 0;
    if (s->UserGamma) setUserGammaTableToSM(1, c, gamma);
    if (!c) return true;
    const SRectDouble in = c->getInputRect_Pixel96();
    if (idx == 5 || idx == 6) {
      setScanRectPixelADF(&s->ScanRect, info->Rotation, in.origin.x, in.origin.y, in.size.width, in.size.height);
    } else {
      setScanRectPixel2(&s->ScanRect, c->getRotation(), c->getMirror(), area.width, area.height, in.origin.x,
                        in.origin.y, in.size.width, in.size.height);
      const SSizeDouble out = c->getOutputSize_Pixel96();
      setScanSizePixel(&s->ScanRect, c->getRotation(), out.width, out.height);
    }
    convertScanRect(&s->ScanRect, mPlatenResolution, s->Resolution);
    return true;
  }

  const auto entries = scanGammaEntries(thumbnail, thumbnails, crops);
  if (!entries) return false;
  const auto tableNumbers = userGammaTables(*entries, gamma);
  if (!tableNumbers) return false;
  const std::vector<int>& tables = *tableNumbers;

  auto place = [&](int slot, Quirel_CropInfo* c, std::size_t listIndex, const Quirel_ThumbnailInfo* t) {
    if (!fillCropEntry(info, slot, c, preview, idx, cidx, true, scanner)) return false;
    CropSetting* s = info->CropItem[slot];
    s->UserGamma = tables[listIndex] > 0 ? tables[listIndex] : 0;
    if (!c) return true;
    if (c->isMultiCrop()) {
      multiFrame(slot, c, true);
      return true;
    }
    if (!thumbnail) {
      ZoomReset reset(mode, c, area);
      setCropScanRect(c, s, c->getRotation(), c->getMirror(), area);
      s->CropShape.Format = 0;
    } else {
      if (!thumbnailFrameRect(info, s, c, t, listIndex, area)) return true;
    }
    convertScanRect(&s->ScanRect, mPlatenResolution, s->Resolution);
    return true;
  };

  return placeRequestCrops(info, thumbnail, thumbnails, crops, place);
}

bool Quirel_PreviewInfo::scanSettingFilmCropFromExt(ScanInfo* info, ExtendModeLink* mode) {
  if (!info || !mode) return false;
  const Quirel_UIScannerInfo* scanner = mode->getScannerInfo();
  const Quirel_PreferenceInfo* p = mode->getPreferenceInfo();
  const SPointDouble origin = mode->getPaperSizePoint_Pixel96(21);
  const SSizeDouble area = mode->getPaperSizeWH_Pixel96(mode->getPaperSizeNumber());
  const int idx = mode->getImgSrcNumber();
  const int cidx = mode->getColorModeNumber();
  const bool thumbnail = mode->isThumbnailMode();
  // Only a crop of the preview itself (not of a thumbnail) is reset from its zoom.
  ScanModeLink* const zoomMode = thumbnail ? nullptr : static_cast<ScanModeLink*>(mode);
  const double gamma = p ? p->getMonitorGamma() : 0;
  const CropList& crops = mode->getCropList();
  const ThumbnailList& thumbnails = mode->getThumbnailList();
  if (thumbnail ? thumbnails.empty() : crops.empty()) return true;
  const auto entries = scanGammaEntries(thumbnail, thumbnails, crops);
  if (!entries) return false;
  const auto tableNumbers = userGammaTables(*entries, gamma);
  if (!tableNumbers) return false;
  const std::vector<int>& tables = *tableNumbers;

  auto place = [&](int slot, Quirel_CropInfo* c, std::size_t listIndex, const Quirel_ThumbnailInfo* t) {
    if (!fillCropEntry(info, slot, c, true, idx, cidx, true, scanner)) return false;
    CropSetting* s = info->CropItem[slot];
    s->UserGamma = tables[listIndex] > 0 ? tables[listIndex] : 0;
    if (!c) return true;
    const Quirel_CropInfo* g = filmGeometryOf(c, t);
    if (c->isExposure()) s->meRatio = c->getExposureValue();
    {
      ZoomReset reset(zoomMode, c, area);
      setFilmCropScanRect(g->getVisiblePreviewSize_Pixel96(), g->getPreviewStartPoint_Pixel96(), c, s, s->Rotation,
                          s->Mirror != 0, g->getPreviewSize_Pixel96(), origin);
    }
    s->CropShape.Format = 0;
    convertScanRect(&s->ScanRect, mPlatenResolution, s->Resolution);
    s->AGRect = s->ScanRect;
    const Quirel_CropInfo* b = c->isApplyToneValueToAll() ? c->getBaseCropOfApplyToneValueToAll() : nullptr;
    if (b) {
      s->meRatio = b->isExposure() ? b->getExposureValue() : 100;
      CropSetting base{};
      setFilmCropScanRect(b->getVisiblePreviewSize_Pixel96(), b->getPreviewStartPoint_Pixel96(), b, &base,
                          b->getRotation(), thumbnail ? b->getMirror() : c->getMirror(), b->getPreviewSize_Pixel96(),
                          origin);
      s->AGRect = base.ScanRect;
      convertScanRect(&s->AGRect, mPlatenResolution, s->Resolution);
    }
    return true;
  };

  return placeRequestCrops(info, thumbnail, thumbnails, crops, place);
}
