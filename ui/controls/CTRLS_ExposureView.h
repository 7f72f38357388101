#pragma once

#include "ui/controls/CTRLS_FoldingSection.h"

// The exposure section of the advanced panel; it may hold the high-quality pop-up.
class Quirel_CTRLS_ExposureView : public Quirel_CTRLS_FoldingSection {
 public:
  void setHasHighQualityPopup(bool on) { mHasHighQualityPopup = on; }
  bool hasHighQualityPopup() const { return mHasHighQualityPopup; }

 private:
  bool mHasHighQualityPopup = false;
};
