#pragma once

#include "kit/Window.h"

// The window of the scan-result list. Once its list has been ended it takes no more events, so
// a late click cannot end it twice.
class Quirel_ScanResultWindow : public kit::Window {
 public:
  Quirel_ScanResultWindow(const fnd::Rect& contentRect, unsigned styleMask) : kit::Window(contentRect, styleMask) {}

  void setStopEvent(bool on) { mStopEvent = on; }
  bool stopEvent() const { return mStopEvent; }
  void sendEvent(const kit::Event& event) override;

 private:
  bool mStopEvent = false;
};
