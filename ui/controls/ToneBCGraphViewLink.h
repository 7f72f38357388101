#pragma once

#include "kit/View.h"
#include "ui/model/SM_COMMON/ChannelValues.h"

// The brightness and contrast graph as its wrapper sees it; the adjustment dialogs' view
// implements it. Hiding goes to the view itself.
class Quirel_ToneBCGraphViewLink {
 public:
  virtual ~Quirel_ToneBCGraphViewLink() = default;
  virtual kit::View* linkedView() = 0;

  virtual void setChannel(int channel) = 0;
  virtual void setBrightness(ChannelValues values) = 0;
  virtual void setContrast(ChannelValues values) = 0;
};
