#pragma once

#include <cstdint>

#include "kit/View.h"
#include "ui/model/SM_COMMON/ChannelValues.h"

// The histogram graph as its wrapper sees it; the adjustment dialogs' view implements it.
class Quirel_HistogramGraphViewLink {
 public:
  virtual ~Quirel_HistogramGraphViewLink() = default;
  virtual kit::View* linkedView() = 0;

  virtual void setChannel(int channel) = 0;
  virtual void setColorMode(int mode) = 0;
  virtual void setBlackPoint(ChannelValues values) = 0;
  virtual void setMidPoint(ChannelValues values) = 0;
  virtual void setWhitePoint(ChannelValues values) = 0;
  virtual void setGrayPoint(ChannelValues values) = 0;
  virtual void setImgData(int width, int height, const std::uint8_t* pixels) = 0;
  virtual void getPreviewInfo(bool hasPreview) = 0;
};
