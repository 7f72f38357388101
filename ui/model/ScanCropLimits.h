#pragma once

// What the scan-request fillers of the preview model share: the crop limit of one request and
// the conversion of a model rectangle into the record's.

#include "ui/model/SM_COMMON/ScanInfo.h"
#include "ui/model/Units.h"

// Slot 0 holds the whole request, so at most 60 crops.
inline constexpr int kMaxScanCrops = kScanInfoMaxCrops - 1;

inline ScanRect toScanRect(const SRectDouble& r) {
  return ScanRect{r.origin.x, r.origin.y, r.size.width, r.size.height};
}
