#pragma once

#include "ui/model/ScanModeLink.h"

// The basic mode as the model sees it.
class StandardModeLink : public ScanModeLink {
 public:
  // The selected item of the image-source pop-up (0..13), also the basic mode's colour index.
  virtual int getImgSrcNumber() = 0;
};
