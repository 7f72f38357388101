// The six thumbnail update handlers: platen documents and film frames.
#include <cstring>
#include <mutex>

#include "ui/model/CropInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ThumbnailInfo.h"

namespace {

// The thumbnails a handler works on, with their positions.
std::vector<std::size_t> chosen(const ThumbnailList& thumbnails, bool selectedOnly, bool focusOnly) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < thumbnails.size(); ++i) {
    const auto& t = thumbnails[i];
    if (!t) continue;
    if (focusOnly) {
      if (t->isFocus()) return {i};
      continue;
    }
    if (!selectedOnly || t->isSelected()) out.push_back(i);
  }
  return out;
}

}  // namespace

void Quirel_PreviewInfo::tellThumbnailsShown() {
  if (mMode == 1 && mextModeId) mextModeId->setThumbnailImage(this);
  if (mMode == 0 && mstdModeId) mstdModeId->setThumbnailImage(this);
}

void Quirel_PreviewInfo::platenThumbnails(int mode, const ThumbnailList* thumbnails, Which which) {
  // Taken as the crop handlers take it, so thumbnail posts never interleave on the buffers.
  std::lock_guard guard(previewLock);
  mMode = mode;
  if (!thumbnails || thumbnails->empty()) return;
  const auto targets = chosen(*thumbnails, which == Which::Selected, which == Which::Focus);
  for (std::size_t i : targets) {
    const Quirel_ThumbnailInfo& t = *(*thumbnails)[i];
    const auto frame = t.getThumnailCrop();
    SPointDouble corners[4] = {};
    t.getMultiCropPoints(corners);
    const int keep = static_cast<int>(i) + 1;
    if (t.hasCrop()) {
      setThumbnailCropImagedataSM2(frame.get(), t.getCropInfo().get(), keep, corners, false);
      if (i < thumbnailImageDefaultData.size() && i < thumbnailImageHistData.size()) {
        std::lock_guard crops(cropLock);
        resetThumbnailCropImagedata(frame.get(), thumbnailImageDefaultData[i], thumbnailImageHistData[i]);
      }
    } else {
      setThumbnailCropImagedataSM2(frame.get(), nullptr, keep, corners, false);
    }
    if (which != Which::Focus) postProgress();
  }
  for (std::size_t i : targets) {
    if (i >= thumbnailImageData.size()) continue;
    const Quirel_ThumbnailInfo& t = *(*thumbnails)[i];
    const auto frame = t.getThumnailCrop();
    std::lock_guard crops(cropLock);
    thumbnailImageData[i] =
        boxedImage(setThumbnailImageDataP(frame.get(), t.hasCrop() ? t.getCropInfo().get() : nullptr));
  }
  tellThumbnailsShown();
}

void Quirel_PreviewInfo::filmThumbnails(int mode, const ThumbnailList* thumbnails, Which which) {
  std::lock_guard guard(previewLock);
  mMode = mode;
  if (!thumbnails || thumbnails->empty()) return;
  if (which == Which::All) {
    for (const auto& t : *thumbnails) {
      if (!t || !t->isFocus()) continue;
      if (t->hasCrop() && t->getCropInfo()->isApplyToneValueToAll()) {
        setOrgPixelLRectThumbnail(&mAllRect, t->getCropInfo().get());
      } else if (!t->hasCrop() && t->getThumnailCrop() && t->getThumnailCrop()->isApplyToneValueToAll()) {
        mAllRect = thumbnailRect(static_cast<std::size_t>(&t - &thumbnails->front()));
      }
      break;
    }
  }
  const auto targets = chosen(*thumbnails, which == Which::Selected, which == Which::Focus);
  for (std::size_t i : targets) {
    const Quirel_ThumbnailInfo& t = *(*thumbnails)[i];
    const auto frame = t.getThumnailCrop();
    const int keep = static_cast<int>(i) + 1;
    if (t.hasCrop()) {
      setCropImagedataSM(t.getCropInfo().get(), keep);
      if (i < thumbnailImageDefaultData.size() && i < thumbnailImageHistData.size()) {
        std::lock_guard crops(cropLock);
        resetThumbnailCropImagedata(frame.get(), thumbnailImageDefaultData[i], thumbnailImageHistData[i]);
      }
    } else {
      setThumbnailCropImagedataSM(frame.get(), keep, thumbnailRect(i));
    }
    if (which != Which::Focus) postProgress();
  }
  int w = 0, h = 0;
  WorkCopy copy = previewCopy(&w, &h);
  if (copy) {
    for (std::size_t i : targets) {
      const Quirel_ThumbnailInfo& t = *(*thumbnails)[i];
      reMakeCropPrevAndHistData(copy.get(), getBeforeAdjustPixel24(), t.getThumnailCrop().get(), w, h, w, h);
      if (t.hasCrop())
        reMakeCropPrevAndHistData(copy.get(), getBeforeAdjustPixel24(), t.getCropInfo().get(), w, h, w, h);
    }
    for (std::size_t i : targets) {
      if (i >= thumbnailImageData.size()) continue;
      const SRectDouble r = thumbnailRect(i);
      const int x = static_cast<int>(r.origin.x), y = static_cast<int>(r.origin.y);
      const int tw = static_cast<int>(r.size.width), th = static_cast<int>(r.size.height);
      if (tw <= 0 || th <= 0) continue;
      auto bytes = std::make_shared<std::vector<std::uint8_t>>(static_cast<std::size_t>(tw) * th * 3, 0);
      // Cut out where the rectangle overlaps the preview.
      for (int row = 0; row < th; ++row) {
        const int py = y + row;
        if (py < 0 || py >= h) continue;
        const int left = std::max(0, -x), right = std::min(tw, w - x);
        if (right <= left) continue;
        std::memcpy(bytes->data() + (static_cast<std::size_t>(row) * tw + left) * 3,
                    copy.get() + (static_cast<std::size_t>(py) * w + x + left) * 3,
                    static_cast<std::size_t>(right - left) * 3);
      }
      auto bitmap = std::make_shared<PreviewBitmap>();
      bitmap->width = tw;
      bitmap->height = th;
      bitmap->bytes = std::move(bytes);
      thumbnailImageData[i] = fnd::Value::object(std::move(bitmap));
    }
  }
  tellThumbnailsShown();
}

void Quirel_PreviewInfo::updateImageSetAllSelectedThumbnailPlaten(int mode, const ThumbnailList* t) {
  platenThumbnails(mode, t, Which::All);
}
void Quirel_PreviewInfo::updateImageSetSelectedThumbnailPlaten(int mode, const ThumbnailList* t) {
  platenThumbnails(mode, t, Which::Selected);
}
void Quirel_PreviewInfo::updateFocusThumbnailPlaten(int mode, const ThumbnailList* t) {
  platenThumbnails(mode, t, Which::Focus);
}
void Quirel_PreviewInfo::updateImageSetAllSelectedThumbnail(int mode, const ThumbnailList* t) {
  filmThumbnails(mode, t, Which::All);
}
void Quirel_PreviewInfo::updateImageSetSelectedThumbnail(int mode, const ThumbnailList* t) {
  filmThumbnails(mode, t, Which::Selected);
}
void Quirel_PreviewInfo::updateFocusThumbnail(int mode, const ThumbnailList* t) { filmThumbnails(mode, t, Which::Focus); }

void Quirel_PreviewInfo::registerThumbnailObservers() {
  using Handler = void (Quirel_PreviewInfo::*)(int, const ThumbnailList*);
  const std::pair<const char*, Handler> handlers[] = {
      {"updateImageSetAllSelectedThumbnailPlatenPost", &Quirel_PreviewInfo::updateImageSetAllSelectedThumbnailPlaten},
      {"UpdateImageSetSelectedThumbnailPlatenPost", &Quirel_PreviewInfo::updateImageSetSelectedThumbnailPlaten},
      {"updateFocusThumbnailPlatenPost", &Quirel_PreviewInfo::updateFocusThumbnailPlaten},
      {"updateImageSetAllSelectedThumbnailPost", &Quirel_PreviewInfo::updateImageSetAllSelectedThumbnail},
      {"UpdateImageSetSelectedThumbnailPost", &Quirel_PreviewInfo::updateImageSetSelectedThumbnail},
      {"updateFocusThumbnailPost", &Quirel_PreviewInfo::updateFocusThumbnail},
  };
  for (const auto& [name, handler] : handlers)
    mCenter.addObserver(this, name, nullptr, [this, handler = handler](const fnd::Notification& n) {
      const fnd::Dictionary* info = n.info();
      ThumbnailList list;
      bool present = false;
      if (const fnd::Value* v = info ? info->find("ThumbnailList") : nullptr; v && v->isArray()) {
        present = true;
        for (const fnd::Value& item : v->toArray())
          if (auto t = item.toObject<Quirel_ThumbnailInfo>()) list.push_back(std::move(t));
      }
      const fnd::Value* mode = info ? info->find("Mode") : nullptr;
      (this->*handler)(mode ? static_cast<int>(mode->toInteger()) : 0, present ? &list : nullptr);
    });
}
