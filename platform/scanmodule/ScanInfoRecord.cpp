#include "scanmodule/ScanInfoRecord.h"

#include <algorithm>
#include <cstring>

#include "ui/model/SM_COMMON/ScanDic/ScanDic.h"

namespace velmor {

ScanInfoRecord::ScanInfoRecord(const fnd::Dictionary& request) {
  std::memset(&info_, 0, sizeof info_);
  // On -1 (memory ran out) the crops read so far are kept; the rest stay null and are skipped.
  UIM_GetDictionary_ScanInfo(&request, &info_);
}

ScanInfoRecord::~ScanInfoRecord() { UIM_Clear_ScanInfo(&info_); }

int ScanInfoRecord::cropCount() const { return std::clamp(info_.crop_num, 0, kScanInfoMaxCrops); }

const CropSetting* ScanInfoRecord::crop(int index) const {
  return index >= 0 && index < cropCount() ? info_.CropItem[index] : nullptr;
}

}  // namespace velmor
