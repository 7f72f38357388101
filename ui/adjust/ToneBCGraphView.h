#pragma once

#include <cstdint>

#include "kit/View.h"
#include "ui/controls/ToneBCGraphViewLink.h"

// The brightness and contrast curve: the shown channel's curve over the grey field, or for a
// colour channel the other two first and the chosen one on top.
class Quirel_ToneBCGraphView : public kit::View, public Quirel_ToneBCGraphViewLink {
 public:
  explicit Quirel_ToneBCGraphView(const fnd::Rect& frame = {}) : kit::View(frame) {}

  kit::View* linkedView() override { return this; }
  void setChannel(int channel) override { mChannel = channel; }
  // Values -127..127, kept + 128.
  void setBrightness(ChannelValues values) override;
  void setContrast(ChannelValues values) override;

  void drawRect(const fnd::Rect& dirtyRect) override;
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  void mouseDown(const kit::Event& event) override;

  int channel() const { return mChannel; }
  ChannelValues brightness() const { return mBrightness; }
  ChannelValues contrast() const { return mContrast; }

 private:
  int mChannel = 0;
  ChannelValues mBrightness{128, 128, 128, 128};
  ChannelValues mContrast{128, 128, 128, 128};
  std::uint8_t masterY[256]{}, redY[256]{}, greenY[256]{}, blueY[256]{};
};
