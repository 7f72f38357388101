#include "ui/model/SettingToSM.h"

#include <cstdlib>
#include <cstring>

#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"

namespace {

char* copyString(const char* s) {
  if (!s) return nullptr;
  const std::size_t n = std::strlen(s) + 1;
  auto* copy = static_cast<char*>(std::malloc(n));
  if (copy) std::memcpy(copy, s, n);
  return copy;
}

}  // namespace

Quirel_SettingToSM::Quirel_SettingToSM() { std::memset(&mScanInfo, 0, sizeof mScanInfo); }

Quirel_SettingToSM::~Quirel_SettingToSM() { release(); }

ScanInfo Quirel_SettingToSM::getScanInfoSM() const { return mScanInfo; }

void Quirel_SettingToSM::setDataSM(const ScanInfo& info) {
  // Copy first, release after: the record handed in may be one read from this very carrier.
  ScanInfo fresh;
  std::memcpy(&fresh, &info, sizeof fresh);
  for (int i = 0; i < kScanInfoMaxCrops; ++i) {
    const CropSetting* source = info.CropItem[i];
    if (!source) continue;
    // On out of memory the slot stays null, which UIM_Check_ScanInfo rejects.
    auto* copy = static_cast<CropSetting*>(std::malloc(sizeof(CropSetting)));
    if (copy) std::memcpy(copy, source, sizeof *copy);
    fresh.CropItem[i] = copy;
  }
  // The handler's strings die with its record; the carrier keeps its own.
  fresh.Setting.temporaryPath = copyString(info.Setting.temporaryPath);
  fresh.Setting.ColorSync.SourceProfile = copyString(info.Setting.ColorSync.SourceProfile);
  fresh.Setting.ColorSync.TargetProfile = copyString(info.Setting.ColorSync.TargetProfile);
  release();
  std::memcpy(&mScanInfo, &fresh, sizeof mScanInfo);
  mRefused = false;
}

void Quirel_SettingToSM::refuse() {
  release();
  mRefused = true;
}

void Quirel_SettingToSM::release() { UIM_Clear_ScanInfo(&mScanInfo); }
