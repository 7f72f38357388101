#pragma once

#include <cstdint>

#include "kit/View.h"
#include "ui/model/SM_COMMON/ChannelValues.h"
#include "ui/model/SM_COMMON/TagPoint.h"

// The final-review graph as its wrapper sees it; the adjustment dialogs' view implements it.
class Quirel_FinalReviewGraphLink {
 public:
  virtual ~Quirel_FinalReviewGraphLink() = default;
  // The view itself, for its frame, superview and redisplay.
  virtual kit::View* linkedView() = 0;

  virtual void setChannel(int channel) = 0;
  virtual void setColor(int color) = 0;
  virtual void setBlackPoint(ChannelValues values) = 0;
  virtual void setMidPoint(ChannelValues values) = 0;
  virtual void setWhitePoint(ChannelValues values) = 0;
  virtual void setGrayPoint(ChannelValues values) = 0;
  virtual void setBrightness(ChannelValues values) = 0;
  virtual void setContrast(ChannelValues values) = 0;
  virtual void setToneSelectTable(ChannelValues values) = 0;
  // 4 x 15 points, copied.
  virtual void setUserCurvePoint(const TagPoint* points) = 0;
  // 4 counts, copied.
  virtual void setUserCurveCount(const int* counts) = 0;
  // RGB, 3 bytes a pixel, rows from the top.
  virtual void setImgData(int width, int height, const std::uint8_t* pixels) = 0;
  virtual void setMonitorGamma(float gamma) = 0;
  virtual void getPreviewInfo(bool hasPreview) = 0;
};
