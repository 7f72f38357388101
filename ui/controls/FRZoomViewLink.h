#pragma once

#include "kit/Image.h"
#include "kit/View.h"

// The final-review zoom view as its wrapper sees it; the adjustment dialogs' view implements
// it. Hiding goes to the view itself.
class Quirel_FRZoomViewLink {
 public:
  virtual ~Quirel_FRZoomViewLink() = default;
  virtual kit::View* linkedView() = 0;

  virtual void setRGB(double red, double green, double blue) = 0;
  virtual void setGray(double gray) = 0;
  virtual void getZoomViewData(const kit::Image& data) = 0;
  virtual void setRotation(int rotation) = 0;
  virtual void setMirror(bool mirror) = 0;
};
