#pragma once

// The scan module as the preview model meets it through the outward channel: it answers
// "crop_Imageset2" with a solid-colour crop (the crop's Resolution, low byte, as grey level;
// none when `nullImages` is set) of the requested rectangle's size, answers "Auto_Crop2" with
// `newPoints`, and records "Set_User_Gamma".

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "ui/base/PostNotification.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"

class ScanModuleDouble {
 public:
  explicit ScanModuleDouble(fnd::NotificationCenter& center) : mCenter(center) {
    center.addObserver(this, Quirel_PostNotification::kOverrideNotification, nullptr,
                       [this](const fnd::Notification& n) { answer(n); });
  }
  ~ScanModuleDouble() { mCenter.removeObserver(this); }
  ScanModuleDouble(const ScanModuleDouble&) = delete;
  ScanModuleDouble& operator=(const ScanModuleDouble&) = delete;

  std::atomic<int> cropRequests{0};
  std::atomic<int> gammaTables{0};
  bool nullImages = false;
  fnd::Array newPoints;
  fnd::Array sentPoints;
  std::mutex mutex;
  std::vector<int> setDataRetain, useDataRetain;
  // The four colour-balance values of each crop request, summed as magnitudes.
  std::vector<int> hsl;
  std::vector<int> documentTypes, autoTones;

 private:
  void answer(const fnd::Notification& n) {
    fnd::Dictionary* info = n.info();
    if (!info) return;
    const std::string name = info->string(Quirel_PostNotification::kOverrideNotificationName);
    if (name == kSetUserGamma) ++gammaTables;
    if (name == "Auto_Crop2") {
      sentPoints = info->array("points");
      // As the module does: the answer goes into the dictionary handed by reference.
      if (auto answer = info->get("autoCropPDic").toObject<fnd::Dictionary>(); answer && !newPoints.empty())
        answer->set("newPoints", fnd::Value(newPoints));
    }
    if (name != "crop_Imageset2") return;
    ++cropRequests;
    ScanInfo request;
    std::memset(&request, 0, sizeof request);
    UIM_GetDictionary_ScanInfo(info, &request);
    CropSetting* c = request.crop_num > 1 ? request.CropItem[1] : nullptr;
    if (c) {
      {
        std::lock_guard guard(mutex);
        setDataRetain.push_back(c->SetDataRetain);
        useDataRetain.push_back(c->UseDataRetain);
        documentTypes.push_back(c->IMAGEDOCUMENTTYPE);
        autoTones.push_back(c->AutoTone);
        hsl.push_back(std::abs(c->HSLCyanRed) + std::abs(c->HSLMagentaGreen) + std::abs(c->HSLYellowBlue) +
                      std::abs(c->HSLSaturation));
      }
      const int w = static_cast<int>(c->ScanRect.width), h = static_cast<int>(c->ScanRect.height);
      if (c->DATA_WIDTH) *c->DATA_WIDTH = w;
      if (c->DATA_HEIGHT) *c->DATA_HEIGHT = h;
      if (c->DATA_P && !nullImages && w > 0 && h > 0) {
        auto* image = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(w) * h * 3));
        std::memset(image, c->Resolution & 0xff, static_cast<std::size_t>(w) * h * 3);
        *c->DATA_P = image;
      }
    }
    UIM_Clear_ScanInfo(&request);
  }

  fnd::NotificationCenter& mCenter;
};
