#pragma once

#include "kit/Window.h"

// The window the progress window shows while the data source connects to the scanner. It only
// records whether events are to stop; it does not filter them.
class Quirel_ScannerConnectWindow : public kit::Window {
 public:
  Quirel_ScannerConnectWindow(const fnd::Rect& contentRect, unsigned styleMask) : kit::Window(contentRect, styleMask) {}

  void setStopEvent(bool on);
  bool stopEvent() const { return mStopEvent; }

 private:
  bool mStopEvent = false;
};
