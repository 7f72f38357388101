#pragma once

#include "kit/Window.h"

// The tone-settings dialog's window. Once its close flag is set it drops every event, so that no
// late click reaches the dialog while it closes.
class Quirel_ToneSettingDlgWindow : public kit::Window {
 public:
  using kit::Window::Window;
  void setCloseFlg(bool on) { mCloseFlg = on; }
  bool closeFlg() const { return mCloseFlg; }
  void sendEvent(const kit::Event& event) override;

 private:
  bool mCloseFlg = false;
};
