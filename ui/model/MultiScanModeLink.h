#pragma once

#include "ui/model/ModeLink.h"

class Quirel_UIScannerInfo;

// The multi-scan mode as the model sees it. Pop-ups answer their represented numbers.
class MultiScanModeLink : public ModeLink {
 public:
  // Source item, 0..6.
  virtual int getImgSrcNumber() = 0;
  // Destination item, 0..3.
  virtual int getDstNumber() = 0;
  virtual bool getDuplexADF() = 0;
  virtual bool getShowResult() = 0;
  virtual bool getRecommendImageSetting() = 0;
  // The mode's scanner record; null when it has none.
  virtual Quirel_UIScannerInfo* getScannerInfo() = 0;
};
