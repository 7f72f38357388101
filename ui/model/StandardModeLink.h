#pragma once

#include "ui/model/ScanModeLink.h"

// The basic mode as the model sees it. The scan-mode base shares the ScanModeLink half (virtual
// base), so the basic mode derives from both without two copies of it.
class StandardModeLink : public virtual ScanModeLink {
 public:
  // The selected item of the image-source pop-up (0..13), also the basic mode's colour index.
  virtual int getImgSrcNumber() = 0;
};
