#pragma once

#include "kit/Panel.h"

// The image-processing panel's window: once told to stop (at its close), no event reaches it,
// so a late click on a closing panel does nothing.
class Quirel_ProcessImagePanel : public kit::Panel {
 public:
  Quirel_ProcessImagePanel(const fnd::Rect& contentRect, unsigned styleMask) : kit::Panel(contentRect, styleMask) {}

  void setStopEvent(bool on) { mStopEvent = on; }
  bool stopEvent() const { return mStopEvent; }
  void sendEvent(const kit::Event& event) override;

 private:
  bool mStopEvent = false;
};
