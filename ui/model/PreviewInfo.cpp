#include "ui/model/PreviewInfo.h"

#include "ui/model/CropInfo.h"

#include <algorithm>
#include <cstring>

#include "ui/model/SettingToSM.h"
#include "ui/model/UIScannerInfo.h"

namespace {

// The carrier travels under "SetToSM"; the multi-scan mode sends it as the notification's object.
Quirel_SettingToSM* carrierOf(const fnd::Notification& n) {
  if (const fnd::Dictionary* info = n.info()) {
    if (const fnd::Value* v = info->find("SetToSM")) return v->toObject<Quirel_SettingToSM>().get();
  }
  return nullptr;
}

}  // namespace

Quirel_PreviewInfo::Quirel_PreviewInfo(fnd::NotificationCenter& center) : mCenter(center) {
  // The retain table starts cleared (its bookkeeping is the crop-remake code's); any sender.
  mCenter.addObserver(this, ProgressWindowLink::kSetScanningInfoImageAdjustPost, nullptr,
                      [this](const fnd::Notification& n) {
                        // The progress window posts with its link as the object.
                        auto* window = static_cast<ProgressWindowLink*>(const_cast<void*>(n.sender));
                        setScanningInfoImageAdjust(window);
                      });
  registerObservers();
}

void Quirel_PreviewInfo::registerObservers() {
  using Handler = void (Quirel_PreviewInfo::*)(Quirel_SettingToSM*);
  const std::pair<const char*, Handler> requests[] = {
      {"previewSettingFromStdPost", &Quirel_PreviewInfo::previewSettingFromStd},
      {"previewSettingFromExtPost", &Quirel_PreviewInfo::previewSettingFromExt},
      {"scanSettingFromExtPost", &Quirel_PreviewInfo::scanSettingFromExt},
      {"scanSettingFromStdPost", &Quirel_PreviewInfo::scanSettingFromStd},
      {"scanSettingFromAutoPost", &Quirel_PreviewInfo::scanSettingFromAuto},
  };
  for (const auto& [name, handler] : requests)
    mCenter.addObserver(this, name, nullptr, [this, handler = handler](const fnd::Notification& n) {
      (this->*handler)(carrierOf(n));
    });
  mCenter.addObserver(this, "scanSettingFromMultiPost", nullptr, [this](const fnd::Notification& n) {
    // The poster keeps the carrier alive for the synchronous post.
    scanSettingFromMulti(static_cast<Quirel_SettingToSM*>(const_cast<void*>(n.sender)));
  });
  mCenter.addObserver(this, "retainSettingFromExtPost", nullptr, [this](const fnd::Notification& n) {
    const fnd::Dictionary* info = n.info();
    if (!info) return;
    bool present = false;
    const CropList crops = cropsFrom(info, &present);
    bool zoom = false;
    if (const fnd::Value* z = info->find("ZoomRetain")) zoom = z->toInteger() == 1;
    retainSettingFromExt(crops, zoom);
  });
  mCenter.addObserver(this, kResetRetainNumberPost, nullptr, [this](const fnd::Notification& n) {
    // The crop posts itself as the object.
    resetRetainNumber(static_cast<Quirel_CropInfo*>(const_cast<void*>(n.sender)));
  });
  registerRemakeObservers();
  registerUILessObservers();
  registerThumbnailObservers();
}

CropList Quirel_PreviewInfo::cropsFrom(const fnd::Dictionary* info, bool* present, const char* key) {
  CropList crops;
  *present = false;
  if (!info) return crops;
  const fnd::Value* list = info->find(key);
  if (!list || !list->isArray()) return crops;
  *present = true;
  for (const fnd::Value& v : list->toArray())
    if (auto c = v.toObject<Quirel_CropInfo>()) crops.push_back(std::move(c));
  return crops;
}

Quirel_PreviewInfo::~Quirel_PreviewInfo() {
  // Waits for a handler still running on another thread, so nothing reaches a dead model.
  mCenter.removeObserver(this);
}

void Quirel_PreviewInfo::setScannerInfo(std::shared_ptr<Quirel_UIScannerInfo> info) {
  if (!info) return;
  mUIScannerInfo = std::move(info);
  mCIS = mUIScannerInfo->isCIS();
}

void Quirel_PreviewInfo::setPrevModeandId(int mode, StandardModeLink* standard, ExtendModeLink* extend) {
  mMode = mode;
  mstdModeId = standard;
  mextModeId = extend;
}

int Quirel_PreviewInfo::getImageAdjust(int cropNumber) const {
  auto it = mImageAdjust.find(std::to_string(cropNumber));
  return it == mImageAdjust.end() ? 0 : it->second;
}

void Quirel_PreviewInfo::setScanningInfoImageAdjust(ProgressWindowLink* window) {
  if (!window) return;
  const int n = window->getCropNow();
  // Read as: (no scanner record, or it does not use RACS2) AND no preview exists -> 0. With RACS2
  // or with a preview the number kept for the crop is shown.
  const bool racs2 = mUIScannerInfo && mUIScannerInfo->useRACS2();
  if (!racs2 && !mHasPreview) {
    window->setImageAdjustNum(0);
    return;
  }
  window->setImageAdjustNum(getImageAdjust(n));
}

void Quirel_PreviewInfo::setPreviewWidth(int width) {
  (mPreviewMode == 1 ? mZoomWidth : mOWidth) = width;
}

void Quirel_PreviewInfo::setPreviewHeight(int height) {
  (mPreviewMode == 1 ? mZoomHeight : mOHeight) = height;
}

void Quirel_PreviewInfo::setOriginalPixel24(PixelBuffer buffer) {
  const bool zoom = mPreviewMode == 1;
  const int width = getPreviewWidth(), height = getPreviewHeight();
  (zoom ? originalZoom24Size : original24Size) =
      buffer && width > 0 && height > 0 ? static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3 : 0;
  (zoom ? originalZoom24 : original24) = std::move(buffer);
}

void Quirel_PreviewInfo::setBeforeAdjustPixel24(PixelBuffer buffer) {
  (mPreviewMode == 1 ? befAdjustZoom24 : befAdjust24) = std::move(buffer);
}

void Quirel_PreviewInfo::changeDrawPreviewArea(const std::uint8_t* buffer) {
  ScanModeLink* mode = nullptr;
  if (mMode == 1) mode = mextModeId;
  if (mMode == 0) mode = mstdModeId;
  const int width = getPreviewWidth();
  const int height = getPreviewHeight();
  if (!mode || !buffer || width <= 0 || height <= 0) return;
  // The one copy on the way to the screen: the bitmap owns its bytes, the caller keeps its buffer.
  const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
  PreviewBitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.bytes = std::make_shared<const std::vector<std::uint8_t>>(buffer, buffer + size);
  mode->reDrawPreview(bitmap);
}
