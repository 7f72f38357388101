#pragma once

#include "foundation/Geometry.h"

namespace kit {

class Window;

// What a window tells, and asks, its delegate. Every method has a default that does nothing
// or agrees, so a delegate overrides only what it needs.
class WindowDelegate {
 public:
  virtual ~WindowDelegate() = default;

  virtual void windowDidBecomeKey(Window& window) {}
  virtual void windowDidResignKey(Window& window) {}
  virtual void windowDidBecomeMain(Window& window) {}
  virtual void windowDidResignMain(Window& window) {}
  // After each pass of the event loop, for every visible window.
  virtual void windowDidUpdate(Window& window) {}
  // Asked by performClose (the close button); false keeps the window open.
  virtual bool windowShouldClose(Window& window) { return true; }
  virtual void windowWillClose(Window& window) {}
  // The frame size about to be set; the answer is the size that is set.
  virtual fnd::Size windowWillResize(Window& window, fnd::Size proposedFrameSize) { return proposedFrameSize; }
  virtual void windowDidResize(Window& window) {}
  virtual void windowDidMove(Window& window) {}
  // Asked before zooming to newFrame; false leaves the window as it is.
  virtual bool windowShouldZoom(Window& window, const fnd::Rect& newFrame) { return true; }
};

}  // namespace kit
