#pragma once

#include "ui/model/ScanModeLink.h"

// The advanced mode as the model sees it (ScanModeLink shared with the scan-mode base, as for the
// basic mode). Pop-ups answer their represented numbers.
class ExtendModeLink : public virtual ScanModeLink {
 public:
  // Image-source item, 0..6.
  virtual int getImgSrcNumber() = 0;
  // Colour-mode item, 0..5.
  virtual int getColorModeNumber() = 0;
  // Entry numbers for getPaperSizeWH_Pixel96 / getPaperSizePoint_Pixel96.
  virtual int getPaperSizeNumber() = 0;
  virtual int getFilmSizeNumber() = 0;
  // The paper-size setting stored for the current image source.
  virtual int getSelectedPaperSize() = 0;
};
