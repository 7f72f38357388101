// Answers to changed, moved and deleted crops: each affected crop goes to the scan module and
// comes back corrected, and all crops are pasted into a copy of the preview in their order.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>

#include "ui/model/CropInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"

namespace {

// Copies a w × h RGB image into a bw × bh buffer at (x, y), only where they overlap.
void pasteClipped(std::uint8_t* dst, int bw, int bh, const std::uint8_t* src, int x, int y, int w, int h) {
  if (!dst || !src || bw <= 0 || bh <= 0 || w <= 0 || h <= 0) return;
  const int left = std::max(0, -x);
  const int right = std::min(w, bw - x);
  if (right <= left) return;
  for (int row = 0; row < h; ++row) {
    const int ty = y + row;
    if (ty < 0 || ty >= bh) continue;
    std::memcpy(dst + (static_cast<std::size_t>(ty) * bw + (x + left)) * 3,
                src + (static_cast<std::size_t>(row) * w + left) * 3, static_cast<std::size_t>(right - left) * 3);
  }
}

}  // namespace

int Quirel_PreviewInfo::setCropImagedataSM(Quirel_CropInfo* crop, int keepRetain) {
  if (!crop || crop->getInputWidth_Pixel96() <= 0 || crop->getInputHeight_Pixel96() <= 0) return -1;
  std::lock_guard guard(cropLock);
  crop->setcropCorData(nullptr);
  crop->setcropBefData(nullptr);
  if (keepRetain == 0) clearRetainNumberAll();
  ScanInfo info;
  const int autoTone = cropSettingDataSM(&info, 1, crop);
  CropSetting* item = info.CropItem[1];
  if (autoTone == 5 && item) {
    int number = 0;
    if (mZoomRetain) {
      number = item->UseDataRetain;
      mZoomRetain = false;
      mTgtRetainNum = number;
    } else if (crop->getRetainNumber() >= 1) {
      number = crop->getRetainNumber();
      mTgtRetainNum = number;
    } else if (Quirel_CropInfo* base = crop->getBaseCropOfDataPersistence()) {
      if (base->getRetainNumber() >= 1) {
        number = base->getRetainNumber();
        if (number <= kRetainTableSize) ++mSetRetainTable[number - 1];
        crop->setRetainNumber(number);
        mTgtRetainNum = number;
      } else {
        number = searchRetainNumber();
        crop->setRetainNumber(number);
        mTgtRetainNum = number;
        // The scan module first keeps the crop's source data under the number.
        item->SetDataRetain = number;
        if (auto first = UIM_CreateDictionary_ScanInfoDT(&info, mNeedDocumentType, 0))
          call_crop_Imageset2(crop, *first, false, nullptr, false);
        item->SetDataRetain = 0;
      }
    }
    item->UseDataRetain = number;
  }
  if (item) {
    if (auto request = UIM_CreateDictionary_ScanInfoDT(&info, mNeedDocumentType, 0))
      call_crop_Imageset2(crop, *request, true, nullptr, false);
  }
  freeCropItem(&info);
  return 0;
}

void Quirel_PreviewInfo::setMultiCropImagedataSM(Quirel_CropInfo* crop) {
  if (!crop) return;
  std::lock_guard guard(cropLock);
  crop->setcropCorData(nullptr);
  crop->setcropBefData(nullptr);
  ScanInfo info;
  multicropSettingDataSM(&info, crop);
  if (info.CropItem[1]) {
    if (auto request = UIM_CreateDictionary_ScanInfoDT(&info, mNeedDocumentType, 0))
      call_crop_Imageset2(crop, *request, true, nullptr, false);
  }
  freeCropItem(&info);
}

int Quirel_PreviewInfo::reMakeCropPrevAndHistData(std::uint8_t* buffer, std::uint8_t* before, Quirel_CropInfo* crop,
                                                  int width, int height, int beforeWidth, int beforeHeight) {
  if (!crop) return -1;
  std::lock_guard guard(cropLock);
  const SRectDouble r = crop->getcropCorRect();
  const int x = static_cast<int>(r.origin.x), y = static_cast<int>(r.origin.y);
  const int w = static_cast<int>(r.size.width), h = static_cast<int>(r.size.height);
  if (!crop->getcropCorData() || w <= 0 || h <= 0) return -1;
  pasteClipped(buffer, width, height, crop->getcropCorData(), x, y, w, h);
  pasteClipped(before, beforeWidth, beforeHeight, crop->getcropBefData(), x, y, w, h);
  return 0;
}

int Quirel_PreviewInfo::reMakeCropPrevData(std::uint8_t* buffer, Quirel_CropInfo* crop, int width, int height) {
  return reMakeCropPrevAndHistData(buffer, nullptr, crop, width, height, 0, 0);
}

void Quirel_PreviewInfo::reMakeAllCropPrevAndHistData(std::uint8_t* buffer, std::uint8_t* before,
                                                      const CropList& crops, int width, int height, int beforeWidth,
                                                      int beforeHeight) {
  auto pass = [&](auto wanted) {
    for (const auto& c : crops)
      if (c && wanted(*c)) reMakeCropPrevAndHistData(buffer, before, c.get(), width, height, beforeWidth, beforeHeight);
  };
  pass([](const Quirel_CropInfo& c) { return !c.isSelected() && !c.isFocus(); });
  pass([](const Quirel_CropInfo& c) { return c.isSelected() && !c.isFocus(); });
  pass([](const Quirel_CropInfo& c) { return c.isFocus(); });
}

Quirel_PreviewInfo::WorkCopy Quirel_PreviewInfo::previewCopy(int* width, int* height) const {
  *width = getPreviewWidth();
  *height = getPreviewHeight();
  const std::uint8_t* shown = getOriginalPixel24();
  if (!shown || *width <= 0 || *height <= 0) return {};
  const std::size_t size = static_cast<std::size_t>(*width) * static_cast<std::size_t>(*height) * 3;
  // The last copy's bytes serve again once nothing holds them (the picture drawn from them is
  // made): a fresh copy of a preview's size is touched page by page for the first time.
  std::lock_guard guard(mWorkCopyMutex);
  if (!mWorkCopyBytes || mWorkCopyBytes.use_count() != 1) mWorkCopyBytes = std::make_shared<std::vector<std::uint8_t>>();
  mWorkCopyBytes->assign(shown, shown + size);
  return {mWorkCopyBytes};
}

void Quirel_PreviewInfo::showCopy(WorkCopy copy) {
  if (!copy) return;
  ScanModeLink* mode = nullptr;
  if (mMode == 1) mode = mextModeId;
  if (mMode == 0) mode = mstdModeId;
  if (!mode) return;
  // The copy was made at the current size; the mode keeps it as its picture.
  PreviewBitmap bitmap;
  bitmap.width = getPreviewWidth();
  bitmap.height = getPreviewHeight();
  if (copy.bytes->size() != static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height) * 3) return;
  bitmap.bytes = std::move(copy.bytes);
  mode->reDrawPreview(bitmap);
}

void Quirel_PreviewInfo::postProgress() { mCenter.post("setProcessImagePercentagePost", this); }

void Quirel_PreviewInfo::remakeDeleteCrop(int mode, const CropList* crops) {
  std::lock_guard guard(previewLock);
  mMode = mode;
  if (!crops) return;
  // The copy is of the image being shown, the zoomed one while zoomed: the draw step reads the
  // shown image's size, so a copy of the whole preview would be read past its end there.
  int w = 0, h = 0;
  WorkCopy copy = previewCopy(&w, &h);
  if (!copy) return;
  reMakeAllCropPrevAndHistData(copy.get(), getBeforeAdjustPixel24(), *crops, w, h, w, h);
  showCopy(std::move(copy));
}

void Quirel_PreviewInfo::updateImageSetTemplate(int mode, Quirel_CropInfo* templateCrop) {
  std::lock_guard guard(previewLock);
  mMode = mode;
  if (!templateCrop) return;
  setCropImagedataSM(templateCrop, 0);
  int w = 0, h = 0;
  WorkCopy copy = previewCopy(&w, &h);
  if (!copy) return;
  reMakeCropPrevAndHistData(copy.get(), getBeforeAdjustPixel24(), templateCrop, w, h, w, h);
  showCopy(std::move(copy));
}

void Quirel_PreviewInfo::updateImageSetAllSelected(int mode, const CropList* crops, bool multiCropMode) {
  std::lock_guard guard(previewLock);
  mMode = mode;
  if (!crops || crops->empty()) return;
  int w = 0, h = 0;
  WorkCopy copy = previewCopy(&w, &h);
  if (multiCropMode) {
    for (auto it = crops->rbegin(); it != crops->rend(); ++it) {
      Quirel_CropInfo* c = it->get();
      if (!c || !c->isMultiCrop()) continue;
      setMultiCropImagedataSM(c);
      if (copy) {
        changeMultiCropMaskdata(c, copy.get(), w, h);
        reMakeCropPrevData(copy.get(), c, w, h);
      }
      postProgress();
    }
  } else {
    for (std::size_t i = crops->size(); i-- > 0;) {
      setCropImagedataSM((*crops)[i].get(), static_cast<int>(i) + 1);
      postProgress();
    }
    if (copy) reMakeAllCropPrevAndHistData(copy.get(), getBeforeAdjustPixel24(), *crops, w, h, w, h);
  }
  showCopy(std::move(copy));
}

void Quirel_PreviewInfo::updateImageSetSelected(int mode, const CropList* crops) {
  // Locked as the other image-set updates are, so posts from two threads never interleave.
  std::lock_guard guard(previewLock);
  mMode = mode;
  if (!crops || crops->empty()) return;
  for (std::size_t i = crops->size(); i-- > 0;) {
    Quirel_CropInfo* c = (*crops)[i].get();
    if (!c || !c->isSelected()) continue;
    setCropImagedataSM(c, static_cast<int>(i) + 1);
    postProgress();
  }
  int w = 0, h = 0;
  WorkCopy copy = previewCopy(&w, &h);
  if (!copy) return;
  if (mPreviewMode != 0) {
    for (auto it = crops->rbegin(); it != crops->rend(); ++it)
      if (*it && (*it)->isSelected())
        reMakeCropPrevAndHistData(copy.get(), getBeforeAdjustPixel24(), it->get(), w, h, w, h);
  } else {
    reMakeAllCropPrevAndHistData(copy.get(), getBeforeAdjustPixel24(), *crops, w, h, w, h);
  }
  showCopy(std::move(copy));
}

void Quirel_PreviewInfo::updateFocusCrop(int mode, const CropList* crops, int cropCor) {
  std::lock_guard guard(previewLock);
  mMode = mode;
  if (!crops || crops->empty()) return;
  Quirel_CropInfo* focus = nullptr;
  int keep = 0;
  for (std::size_t i = crops->size(); i-- > 0;) {
    if ((*crops)[i] && (*crops)[i]->isFocus()) {
      focus = (*crops)[i].get();
      keep = static_cast<int>(i) + 1;
      break;
    }
  }
  if (!focus) focus = crops->front().get();
  if (cropCor == 1) setCropImagedataSM(focus, keep);
  int w = 0, h = 0;
  WorkCopy copy = previewCopy(&w, &h);
  if (!copy) return;
  if (mPreviewMode != 0)
    reMakeCropPrevAndHistData(copy.get(), getBeforeAdjustPixel24(), focus, w, h, w, h);
  else
    reMakeAllCropPrevAndHistData(copy.get(), getBeforeAdjustPixel24(), *crops, w, h, w, h);
  showCopy(std::move(copy));
}

void Quirel_PreviewInfo::registerRemakeObservers() {
  auto integer = [](const fnd::Notification& n, const char* key) -> long long {
    const fnd::Value* v = n.info() ? n.info()->find(key) : nullptr;
    return v ? v->toInteger() : 0;
  };
  auto on = [this](const char* name, auto handler) {
    mCenter.addObserver(this, name, nullptr, [handler](const fnd::Notification& n) {
      bool present = false;
      const CropList crops = cropsFrom(n.info(), &present);
      handler(n, present ? &crops : nullptr);
    });
  };
  on("previewModeChangePost", [this, integer](const fnd::Notification& n, const CropList*) {
    previewModeChange(static_cast<int>(integer(n, "PreviewMode")));
  });
  on("remakeCropAutoCropButtonPost", [this, integer](const fnd::Notification& n, const CropList* crops) {
    remakeCropAutoCropButton(static_cast<int>(integer(n, "Mode")), crops);
  });
  on("RemakeDeleteCropPost", [this, integer](const fnd::Notification& n, const CropList* crops) {
    remakeDeleteCrop(static_cast<int>(integer(n, "Mode")), crops);
  });
  on("updateImageSetTemplatePost", [this, integer](const fnd::Notification& n, const CropList*) {
    const fnd::Value* v = n.info() ? n.info()->find("CropTemplate") : nullptr;
    const auto templ = v ? v->toObject<Quirel_CropInfo>() : nullptr;
    updateImageSetTemplate(static_cast<int>(integer(n, "Mode")), templ.get());
  });
  for (const char* name : {"updateImageSetAllSelectedPost", "remakeMultiCropButtonPost"})
    on(name, [this, integer](const fnd::Notification& n, const CropList* crops) {
      updateImageSetAllSelected(static_cast<int>(integer(n, "Mode")), crops, integer(n, "multiCropMode") != 0);
    });
  on("UpdateImageSetSelectedPost", [this, integer](const fnd::Notification& n, const CropList* crops) {
    updateImageSetSelected(static_cast<int>(integer(n, "Mode")), crops);
  });
  on("UpdateFocusCropPost", [this, integer](const fnd::Notification& n, const CropList* crops) {
    updateFocusCrop(static_cast<int>(integer(n, "Mode")), crops, static_cast<int>(integer(n, "CropCor")));
  });
}
