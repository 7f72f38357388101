#pragma once

#include "foundation/NotificationCenter.h"

// The scanning-progress window as the preview model reaches it.
class ProgressWindowLink {
 public:
  // Posted by the progress window so that the preview model tells it the colour-adjust number of
  // the crop being scanned; the object is the window's link (see post()).
  static constexpr const char* kSetScanningInfoImageAdjustPost = "setScanningInfoImageAdjustPost";

  virtual ~ProgressWindowLink() = default;

  // The number of the crop whose scan is in progress.
  virtual int getCropNow() = 0;
  // Stores the colour-adjust number the window shows for that crop.
  virtual void setImageAdjustNum(int number) = 0;

  // Posts kSetScanningInfoImageAdjustPost with this link as the object, which is what the
  // observer reads back; the answer has been given when the call returns.
  void postSetScanningInfoImageAdjust(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter()) {
    center.post(kSetScanningInfoImageAdjustPost, static_cast<const ProgressWindowLink*>(this));
  }

 protected:
  ProgressWindowLink() = default;
};
