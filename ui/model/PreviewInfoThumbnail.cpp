// Thumbnail mode: one image per platen document or film frame, requested from the scan module
// with and without corrections and rebuilt when settings change.
#include <algorithm>
#include <cstring>
#include <mutex>

#include "ui/model/CropInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

// Rectangle i of a {"min", "max"} point list; zeros past its end.
SRectDouble listRect(const fnd::Array& points, std::size_t i, double extra) {
  if (i >= points.size() || !points[i].isDictionary()) return SRectDouble{};
  const fnd::Dictionary& d = points[i].toDictionary();
  const fnd::Dictionary& min = d.dictionary("min");
  const fnd::Dictionary& max = d.dictionary("max");
  const double x0 = static_cast<double>(min.integer("X")), y0 = static_cast<double>(min.integer("Y"));
  const double x1 = static_cast<double>(max.integer("X")), y1 = static_cast<double>(max.integer("Y"));
  return makeSRectDouble(x0, y0, x1 - x0 + extra, y1 - y0 + extra);
}

fnd::Value boxed(const SRectDouble& r) { return fnd::Value(fnd::Rect(r.origin.x, r.origin.y, r.size.width, r.size.height)); }

std::size_t imageBytes(const SRectDouble& r) {
  const long long w = static_cast<long long>(r.size.width), h = static_cast<long long>(r.size.height);
  return w > 0 && h > 0 ? static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3 : 0;
}

}  // namespace

SRectDouble Quirel_PreviewInfo::thumbnailRect(std::size_t index) const {
  if (index >= thumbnailImageRect.size() || !thumbnailImageRect[index].isRect()) return SRectDouble{};
  const fnd::Rect r = thumbnailImageRect[index].toRect();
  return makeSRectDouble(r.origin.x, r.origin.y, r.size.width, r.size.height);
}

void Quirel_PreviewInfo::removeThumbnailImageData() {
  thumbnailImageData.clear();
  thumbnailImageRect.clear();
  thumbnailImageDefaultData.clear();
  thumbnailImageHistData.clear();
}

std::shared_ptr<const PreviewBitmap> Quirel_PreviewInfo::getThumbnailImageDataAtIndex(int index,
                                                                                     SRectDouble* rect) const {
  if (index < 0 || static_cast<std::size_t>(index) >= thumbnailImageData.size()) return nullptr;
  if (rect) *rect = thumbnailRect(static_cast<std::size_t>(index));
  return thumbnailImageData[static_cast<std::size_t>(index)].toObject<PreviewBitmap>();
}

int Quirel_PreviewInfo::createThumbnailImageDataPlaten(const ThumbnailList& thumbnails, const fnd::Array& points) {
  removeThumbnailImageData();
  for (std::size_t i = 0; i < thumbnails.size(); ++i) thumbnailImageRect.push_back(boxed(listRect(points, i, 1)));
  for (const auto& t : thumbnails) {
    const auto crop = t ? t->getThumnailCrop() : nullptr;
    SPointDouble corners[4] = {};
    if (t) t->getMultiCropPoints(corners);
    if (crop) setThumbnailCropImageDefaultdataSM2(crop.get(), corners);
    thumbnailImageData.push_back(boxedImage(setThumbnailImageDataP(crop.get(), nullptr)));
    thumbnailImageDefaultData.push_back(setThumbnailImageDataD(crop.get(), 0));
    thumbnailImageHistData.push_back(setThumbnailImageDataD(crop.get(), 1));
  }
  return static_cast<int>(thumbnails.size());
}

int Quirel_PreviewInfo::createThumbnailImageData(const fnd::Array& points, const ThumbnailList& thumbnails) {
  removeThumbnailImageData();
  for (std::size_t i = 0; i < thumbnails.size(); ++i) thumbnailImageRect.push_back(boxed(listRect(points, i, 0)));
  const bool progress = mMode == 3 && mUIScannerInfo && mUIScannerInfo->isVer1600Later() && thumbnails.size() > 1;
  for (std::size_t i = 0; i < thumbnails.size(); ++i) {
    const auto crop = thumbnails[i] ? thumbnails[i]->getThumnailCrop() : nullptr;
    if (crop) setThumbnailCropImageDefaultdataSM(crop.get(), thumbnailRect(i));
    thumbnailImageData.push_back(boxedImage(setThumbnailImageDataP(crop.get(), nullptr)));
    thumbnailImageDefaultData.push_back(setThumbnailImageDataD(crop.get(), 0));
    thumbnailImageHistData.push_back(setThumbnailImageDataD(crop.get(), 0));
    if (progress) postProgress();
  }
  return static_cast<int>(thumbnails.size());
}

std::shared_ptr<const PreviewBitmap> Quirel_PreviewInfo::setThumbnailImageDataP(Quirel_CropInfo* thumb,
                                                                                Quirel_CropInfo* inner) {
  if (!thumb || !thumb->getcropCorData()) return nullptr;
  const SRectDouble r = thumb->getcropCorRect();
  const int w = static_cast<int>(r.size.width), h = static_cast<int>(r.size.height);
  if (w <= 0 || h <= 0) return nullptr;
  std::uint8_t* image = thumb->getcropCorData();
  if (inner && inner->getcropCorData()) {
    // The inner crop lies inside the frame; what would fall outside it is clipped.
    const SRectDouble ir = inner->getcropCorRect();
    const int ix = static_cast<int>(ir.origin.x), iy = static_cast<int>(ir.origin.y);
    const int iw = static_cast<int>(ir.size.width), ih = static_cast<int>(ir.size.height);
    const int left = std::max(0, -ix), right = std::min(iw, w - ix);
    for (int row = 0; row < ih && right > left; ++row) {
      const int ty = iy + row;
      if (ty < 0 || ty >= h) continue;
      std::memcpy(image + (static_cast<std::size_t>(ty) * w + ix + left) * 3,
                  inner->getcropCorData() + (static_cast<std::size_t>(row) * iw + left) * 3,
                  static_cast<std::size_t>(right - left) * 3);
    }
  }
  auto bitmap = std::make_shared<PreviewBitmap>();
  bitmap->width = w;
  bitmap->height = h;
  bitmap->bytes = std::make_shared<const std::vector<std::uint8_t>>(image, image + imageBytes(r));
  return bitmap;
}

fnd::Value Quirel_PreviewInfo::setThumbnailImageDataD(const Quirel_CropInfo* crop, int which) {
  if (!crop) return fnd::Value(fnd::Data{});
  const std::uint8_t* image = which == 0 ? crop->getcropCorData() : crop->getcropBefData();
  const std::size_t size = imageBytes(crop->getcropCorRect());
  if (!image || size == 0) return fnd::Value(fnd::Data{});
  return fnd::Value(fnd::Data(image, image + size));
}

void Quirel_PreviewInfo::resetThumbnailCropImagedata(Quirel_CropInfo* crop, const fnd::Value& cor,
                                                     const fnd::Value& hist) {
  if (!crop) return;
  const std::size_t size = imageBytes(crop->getcropCorRect());
  auto copyOf = [size](const fnd::Value& v) -> CropImage {
    if (!v.isData() || v.toData().empty() || size == 0) return nullptr;
    const fnd::Data& data = v.toData();
    CropImage image(static_cast<std::uint8_t*>(std::calloc(size, 1)));
    // Only what the stored buffer holds is copied; the rest stays black.
    if (image) std::memcpy(image.get(), data.data(), std::min(size, data.size()));
    return image;
  };
  crop->setcropCorData(copyOf(cor));
  crop->setcropBefData(copyOf(hist));
}

int Quirel_PreviewInfo::setCropThumbnailSettingDataSM2(ScanInfo* info, int slot, Quirel_CropInfo* crop,
                                                      const SPointDouble p[4], bool inner) {
  cropSettingDataSM(info, slot, crop, false);
  if (slot < 1 || slot >= kScanInfoMaxCrops) slot = 1;
  CropSetting* s = info->CropItem[slot];
  info->OnePass = 8;
  info->BitDepth = 0;
  if (!s || !crop) return 0;
  s->Scale = 100.0;
  if (crop->isExposure()) s->meRatio = crop->getExposureValue();
  const double preview = mUIScannerInfo ? mUIScannerInfo->platenPreviewResolution() : 0;
  const double autoRes = mUIScannerInfo ? mUIScannerInfo->platenAutoCropResolution() : 0;
  auto toPreview = [&](double v) { return preview != autoRes && autoRes > 0 ? convertResolution(v, autoRes, preview) : v; };
  if (mThumbnailAuto) {
    info->OnePass = 0;
    s->CropShape.Format = 0;
    if (inner) {
      SRectDouble r{};
      const SSizeDouble v = crop->getVisiblePreviewSize_Pixel96();
      const SRectDouble in = crop->getInputRect_Pixel96();
      setOrgPixelLRect2ThumbAuto(&r, v.width, v.height, crop->getRotation(), in.origin.x, in.origin.y, in.size.width,
                                 in.size.height);
      s->ScanRect = ScanRect{r.origin.x + toPreview(p[0].x), r.origin.y + toPreview(p[0].y), r.size.width, r.size.height};
      crop->setcropCorRect(r);
    } else {
      s->ScanRect = ScanRect{toPreview(p[0].x), toPreview(p[0].y), toPreview(p[2].x - p[0].x + 1),
                             toPreview(p[2].y - p[0].y + 1)};
    }
  } else {
    setCornerShape(s, p);
    if (inner) {
      const SRectDouble t =
          setLotationRectP96(crop->getInputRect_Pixel96(), crop->getVisiblePreviewSize_Pixel96(), crop->getRotation());
      s->TRIMRECT = ScanRect{t.origin.x, t.origin.y, t.size.width, t.size.height};
    }
  }
  return 0;
}

void Quirel_PreviewInfo::setThumbnailCropImagedataSM2(Quirel_CropInfo* thumb, Quirel_CropInfo* inner, int keepRetain,
                                                     const SPointDouble p[4], bool hsl) {
  Quirel_CropInfo* target = inner ? inner : thumb;
  if (!target) return;
  std::lock_guard guard(cropLock);
  if (hsl) {
    target->releaseCropHSLData();
  } else {
    target->setcropCorData(nullptr);
    target->setcropBefData(nullptr);
    if (keepRetain == 0) clearRetainNumberAll();
  }
  ScanInfo info;
  setCropThumbnailSettingDataSM2(&info, 1, target, p, inner != nullptr);
  if (CropSetting* s = info.CropItem[1]) {
    if (hsl) s->HSLCyanRed = s->HSLMagentaGreen = s->HSLYellowBlue = s->HSLSaturation = 0;
    const SPointDouble position =
        mThumbnailAuto ? target->getcropCorRect().origin : SPointDouble{s->TRIMRECT.x, s->TRIMRECT.y};
    if (auto request = UIM_CreateDictionary_ScanInfoDT(&info, mNeedDocumentType, 0))
      call_crop_Imageset2(target, *request, true, &position, hsl);
  }
  freeCropItem(&info);
}

void Quirel_PreviewInfo::setThumbnailCropImageDefaultdataSM2(Quirel_CropInfo* crop, const SPointDouble p[4]) {
  if (!crop) return;
  std::lock_guard guard(cropLock);
  crop->setcropCorData(nullptr);
  crop->setcropBefData(nullptr);
  ScanInfo info;
  setCropThumbnailSettingDataSM2(&info, 1, crop, p, false);
  if (CropSetting* s = info.CropItem[1]) {
    s->SIRScan = s->IMAGEDOCUMENTTYPE = s->UISettingDocument = 0;
    s->AutoTone = s->UnsharpMask = s->Descreen = s->ReduceDust = s->FadingCorrect = s->GrainCorrect =
        s->BacklightCorrect = 0;
    s->HSLCyanRed = s->HSLMagentaGreen = s->HSLYellowBlue = s->HSLSaturation = 0;
    s->CuBS = s->IRScan = 0;
    const SPointDouble position =
        mThumbnailAuto ? SPointDouble{s->ScanRect.x, s->ScanRect.y} : SPointDouble{s->TRIMRECT.x, s->TRIMRECT.y};
    if (auto request = UIM_CreateDictionary_ScanInfoDT(&info, mNeedDocumentType, 0))
      call_crop_Imageset2(crop, *request, true, &position, false);
  }
  freeCropItem(&info);
}

int Quirel_PreviewInfo::setCropThumbnailSettingDataSM(ScanInfo* info, int slot, Quirel_CropInfo* crop,
                                                     SRectDouble rect) {
  if (mMode == 3) return setCropThumbnailSettingDataSMForUILess(info, slot, crop, rect);
  const int autoTone = cropSettingDataSM(info, slot, crop);
  if (slot < 1 || slot >= kScanInfoMaxCrops) slot = 1;
  info->OnePass = 0;
  info->BitDepth = 0;
  CropSetting* s = info->CropItem[slot];
  if (!s || !crop) return autoTone;
  if (crop->isExposure()) s->meRatio = crop->getExposureValue();
  s->ScanRect = s->AGRect = ScanRect{rect.origin.x, rect.origin.y, rect.size.width, rect.size.height};
  s->CropShape.Format = 0;
  crop->setcropCorRect(rect);
  return autoTone;
}

void Quirel_PreviewInfo::setThumbnailCropImagedataSM(Quirel_CropInfo* crop, int keepRetain, SRectDouble rect) {
  if (!crop) return;
  std::lock_guard guard(cropLock);
  crop->setcropCorData(nullptr);
  crop->setcropBefData(nullptr);
  if (keepRetain == 0) clearRetainNumberAll();
  ScanInfo info;
  const int autoTone = setCropThumbnailSettingDataSM(&info, 1, crop, rect);
  CropSetting* s = info.CropItem[1];
  if (s) {
    if (const Quirel_CropInfo* b = crop->isApplyToneValueToAll() ? crop->getBaseCropOfApplyToneValueToAll() : nullptr) {
      s->meRatio = b->isExposure() ? b->getExposureValue() : 100;
      SRectDouble r{};
      setOrgPixelLRectThumbnail(&r, b);
      s->AGRect = ScanRect{r.origin.x, r.origin.y, r.size.width, r.size.height};
    }
    if (autoTone == 5) {
      int number = crop->getRetainNumber();
      Quirel_CropInfo* base = crop->getBaseCropOfDataPersistence();
      if (number == 0 && base) {
        number = keepRetain <= 0 ? 1 : searchRetainNumber();
        crop->setRetainNumber(number);
        ScanInfo first;
        setCropThumbnailSettingDataSM(&first, 1, base, rect);
        if (first.CropItem[1]) {
          first.CropItem[1]->SetDataRetain = number;
          if (auto request = UIM_CreateDictionary_ScanInfoDT(&first, mNeedDocumentType, 0))
            call_crop_Imageset2(base, *request, false, nullptr, false);
        }
        freeCropItem(&first);
      }
      s->UseDataRetain = number;
    }
    if (auto request = UIM_CreateDictionary_ScanInfoDT(&info, mNeedDocumentType, 0))
      call_crop_Imageset2(crop, *request, true, nullptr, false);
  }
  freeCropItem(&info);
}

void Quirel_PreviewInfo::setThumbnailCropImageDefaultdataSM(Quirel_CropInfo* crop, SRectDouble rect) {
  if (!crop) return;
  std::lock_guard guard(cropLock);
  crop->setcropCorData(nullptr);
  crop->setcropBefData(nullptr);
  ScanInfo info;
  setCropThumbnailSettingDataSM(&info, 1, crop, rect);
  if (CropSetting* s = info.CropItem[1]) {
    s->SIRScan = 0;
    s->AutoTone = s->UnsharpMask = s->Descreen = s->ReduceDust = s->FadingCorrect = s->GrainCorrect =
        s->BacklightCorrect = 0;
    s->HSLCyanRed = s->HSLMagentaGreen = s->HSLYellowBlue = s->HSLSaturation = 0;
    s->CuBS = s->IRScan = 0;
    s->IMAGEDOCUMENTTYPE = 0x3000;
    s->UISettingDocument = 0;
    if (auto request = UIM_CreateDictionary_ScanInfoDT(&info, mNeedDocumentType, 0))
      call_crop_Imageset2(crop, *request, true, nullptr, false);
  }
  freeCropItem(&info);
}
