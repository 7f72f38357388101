#pragma once

#include "kit/Window.h"

namespace kit {

// A window for tool and message panels: it may float (level 3), may take input while a
// modal window runs, and never becomes the main window.
class Panel : public Window {
 public:
  Panel(const fnd::Rect& contentRect, unsigned styleMask) : Window(contentRect, styleMask) {}

  bool isFloatingPanel() const { return floating_; }
  void setFloatingPanel(bool on);
  bool worksWhenModal() const override { return worksWhenModal_; }
  void setWorksWhenModal(bool on) { worksWhenModal_ = on; }
  bool becomesKeyOnlyIfNeeded() const { return keyOnlyIfNeeded_; }
  void setBecomesKeyOnlyIfNeeded(bool on) { keyOnlyIfNeeded_ = on; }
  bool canBecomeMainWindow() const override { return false; }

 private:
  bool floating_ = false;
  bool worksWhenModal_ = false;
  bool keyOnlyIfNeeded_ = false;
};

}  // namespace kit
