#pragma once

#include <cstdint>

#include "ui/model/SM_COMMON/ScanInfo.h"

class ModeLink;
class StandardModeLink;

// The envelope in which a scan mode asks the preview model for a filled scan-settings record.
// The mode creates one per request and posts it; the preview model's handler hands its record
// over with setDataSM(), which keeps a deep copy; the mode reads it back with getScanInfoSM().
//
// The carrier owns its copies of the crop blocks and of the record's three strings, so the
// record stays whole after the handler frees its own. Shared through notifications, so it is
// held by shared_ptr and not copyable.
class Quirel_SettingToSM {
 public:
  Quirel_SettingToSM();
  ~Quirel_SettingToSM();
  Quirel_SettingToSM(const Quirel_SettingToSM&) = delete;
  Quirel_SettingToSM& operator=(const Quirel_SettingToSM&) = delete;

  // A byte copy of the record. Its crop pointers and strings belong to the carrier: the copy
  // must not outlive it and must not be freed.
  ScanInfo getScanInfoSM() const;
  // Copies the record; every non-null slot of the 61 (not only the first crop_num) gets its own
  // block, so unpacked records keep their layout. Copies of an earlier call are released first.
  // The caller keeps ownership of its own crops and strings.
  void setDataSM(const ScanInfo& info);

  // The model could not carry the request whole: the record is emptied and stays so until the
  // next setDataSM().
  void refuse();
  bool isRefused() const { return mRefused; }

  // The requesting scan mode and the basic-mode object; not owned.
  void setScanModeObj(ModeLink* mode) { mScanModeObj = mode; }
  ModeLink* getScanModeObj() const { return mScanModeObj; }
  void setStandardModeObj(StandardModeLink* mode) { mStandardModeObj = mode; }
  StandardModeLink* getStandardModeObj() const { return mStandardModeObj; }

  void setThresholdNum(std::int32_t threshold) { mThresholdNum = threshold; }
  std::int32_t getThresholdNum() const { return mThresholdNum; }

 private:
  void release();

  std::int32_t mThresholdNum = 0;
  bool mRefused = false;
  ScanInfo mScanInfo;
  ModeLink* mScanModeObj = nullptr;
  StandardModeLink* mStandardModeObj = nullptr;
};
