#pragma once

#include "kit/Window.h"

// A dialog window that can be shut to events: once its close flag is set it drops every event,
// so that no late click or key reaches a dialog while it closes.
class Quirel_ClosingDlgWindow : public kit::Window {
 public:
  using kit::Window::Window;
  void setCloseFlg(bool on) { mCloseFlg = on; }
  bool closeFlg() const { return mCloseFlg; }
  void sendEvent(const kit::Event& event) override;

 private:
  bool mCloseFlg = false;
};
