// The per-crop exchange with the scan module and the retain-number table.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include "ui/base/PostNotification.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"
#include "ui/model/UIScannerInfo.h"

int Quirel_PreviewInfo::call_crop_Imageset2(Quirel_CropInfo* crop, const fnd::Dictionary& request, bool takeResult,
                                            const SPointDouble* position, bool hsl) {
  auto shared = std::make_shared<fnd::Dictionary>(request);
  Quirel_PostNotification(mCenter).postExternalNotificationName("crop_Imageset2", mUIMObject ? mUIMObject : this,
                                                                shared);
  ScanInfo decoded;
  std::memset(&decoded, 0, sizeof decoded);
  UIM_GetDictionary_ScanInfo(shared.get(), &decoded);
  CropSetting* item = decoded.crop_num > 1 ? decoded.CropItem[1] : nullptr;
  unsigned char* image = item && item->DATA_P ? *item->DATA_P : nullptr;
  unsigned char* before = item && item->DATA_H ? *item->DATA_H : nullptr;
  if (item && item->DATA_P) *item->DATA_P = nullptr;
  if (item && item->DATA_H) *item->DATA_H = nullptr;
  if (!takeResult || !crop) {
    std::free(image);
    std::free(before);
  } else if (hsl) {
    crop->setCropHSLData(CropImage(image));
    std::free(before);
  } else {
    if (!image) mUIReset = true;
    crop->setcropCorData(CropImage(image));
    crop->setcropBefData(CropImage(before));
  }
  if (takeResult && crop && item) {
    SRectDouble r = crop->getcropCorRect();
    if (position) {
      r.origin = *position;
      if (!mThumbnailAuto && mUIScannerInfo) {
        const double to = mUIScannerInfo->platenPreviewResolution();
        r.origin.x = convertResolution(r.origin.x, mPlatenResolution, to);
        r.origin.y = convertResolution(r.origin.y, mPlatenResolution, to);
      }
    }
    r.size.width = item->DATA_WIDTH ? *item->DATA_WIDTH : 0;
    r.size.height = item->DATA_HEIGHT ? *item->DATA_HEIGHT : 0;
    crop->setcropCorRect(r);
  }
  // The result cells belong to the request; UIM_Clear_ScanInfo frees only the copy's own blocks.
  UIM_Clear_ScanInfo(&decoded);
  return 0;
}

void Quirel_PreviewInfo::clearRetainNumberAll() { std::memset(mSetRetainTable, 0, sizeof mSetRetainTable); }

int Quirel_PreviewInfo::searchRetainNumber() {
  for (int i = 0; i < kRetainTableSize; ++i) {
    if (mSetRetainTable[i] <= 0) {
      mSetRetainTable[i] = 1;
      return i + 1;
    }
  }
  return 0;
}

void Quirel_PreviewInfo::setRetainTable(const CropList& crops) {
  for (const auto& c : crops) {
    const int n = c ? c->getRetainNumber() : 0;
    if (n >= 1 && n <= kRetainTableSize) ++mSetRetainTable[n - 1];
  }
}

void Quirel_PreviewInfo::resetRetainNumber(Quirel_CropInfo* crop) {
  if (!crop) return;
  const int n = crop->getRetainNumber();
  if (n >= 1 && n <= kRetainTableSize) --mSetRetainTable[n - 1];
  crop->clearRetainNumber();
}

void Quirel_PreviewInfo::retainSettingFromExt(const CropList& crops, bool zoomRetain) {
  std::lock_guard guard(previewLock);
  mMode = 1;
  mZoomRetain = false;
  Quirel_CropInfo* crop = nullptr;
  for (auto it = crops.rbegin(); it != crops.rend() && !crop; ++it)
    if (*it && (*it)->isFocus()) crop = it->get();
  if (!crop && !crops.empty()) crop = crops.front().get();
  if (!crop) return;
  ScanInfo a;
  const int autoTone = cropSettingDataSM(&a, 1, crop);
  if (autoTone == 5) {
    Quirel_CropInfo* target = zoomRetain ? crop->getBaseCropOfDataPersistence() : crop;
    if (target) {
      const int r = searchRetainNumber();
      mTgtRetainNum = r;
      crop->setRetainNumber(r);
      ScanInfo b;
      cropSettingDataSM(&b, 1, target);
      if (b.CropItem[1]) {
        b.CropItem[1]->SetDataRetain = r;
        if (auto dict = UIM_CreateDictionary_ScanInfoDT(&b, mNeedDocumentType, 0))
          call_crop_Imageset2(target, *dict, false, nullptr, false);
      }
      freeCropItem(&b);
      mZoomRetain = zoomRetain;
    }
  }
  freeCropItem(&a);
}
