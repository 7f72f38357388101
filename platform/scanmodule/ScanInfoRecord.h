#pragma once

#include "foundation/Value.h"
#include "ui/model/SM_COMMON/ScanInfo.h"

namespace velmor {

// A scan-settings record read from a request's dictionary with the user interface's own reader
// (UIM_GetDictionary_ScanInfo), owning what the reader allocated. Keys that are missing or of
// the wrong kind read as 0, as the reader has it; crops it could not allocate are not there.
class ScanInfoRecord {
 public:
  explicit ScanInfoRecord(const fnd::Dictionary& request);
  ~ScanInfoRecord();
  ScanInfoRecord(const ScanInfoRecord&) = delete;
  ScanInfoRecord& operator=(const ScanInfoRecord&) = delete;

  const ScanInfo& info() const { return info_; }
  const ScanSetting& setting() const { return info_.Setting; }
  // Crops read, in slot order (slots the reader left empty are skipped by crop()).
  int cropCount() const;
  // The crop in slot `index`, or null for an empty slot or an index outside the record.
  const CropSetting* crop(int index) const;

 private:
  ScanInfo info_;
};

}  // namespace velmor
