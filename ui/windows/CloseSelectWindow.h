#pragma once

#include "kit/Window.h"

// The window of the close-select question and of the save-folder notice. Once answered it takes
// no more events, so a late click cannot answer twice.
class Quirel_CloseSelectWindow : public kit::Window {
 public:
  Quirel_CloseSelectWindow(const fnd::Rect& contentRect, unsigned styleMask) : kit::Window(contentRect, styleMask) {}

  void setStopEvent(bool on) { mStopEvent = on; }
  bool stopEvent() const { return mStopEvent; }
  void sendEvent(const kit::Event& event) override;

 private:
  bool mStopEvent = false;
};
