#pragma once

#include <cstdint>

#include "kit/View.h"

// The threshold graph as its wrapper sees it; the adjustment dialogs' view implements it.
class Quirel_ThresholdGraphViewLink {
 public:
  virtual ~Quirel_ThresholdGraphViewLink() = default;
  virtual kit::View* linkedView() = 0;

  virtual void setThreshold(int level) = 0;
  virtual void getPreviewInfo(bool hasPreview) = 0;
  virtual void setImgData(int width, int height, const std::uint8_t* pixels) = 0;
};
