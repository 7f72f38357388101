#pragma once

#include "kit/Panel.h"

// The wait notice's panel: once told to stop, it lets no event through (a closing notice
// must not react to a late click).
class Zorvik_ProcessImagePanel : public kit::Panel {
 public:
  Zorvik_ProcessImagePanel(const fnd::Rect& contentRect, unsigned styleMask) : kit::Panel(contentRect, styleMask) {}

  void setStopEvent(bool on) { mStopEvent = on; }
  bool stopEvent() const { return mStopEvent; }
  void sendEvent(const kit::Event& event) override;

 private:
  bool mStopEvent = false;
};
