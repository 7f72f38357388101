#pragma once

#include <cstdint>

#include "kit/Window.h"

// The feeder-orientation dialog's window: once its close flag is 1 it drops every event, so a
// closing dialog cannot be answered twice.
class Quirel_OrientationDlgWindow : public kit::Window {
 public:
  using kit::Window::Window;

  void setCloseFlg(std::uint8_t flag) { mCloseFlg = flag; }
  std::uint8_t closeFlg() const { return mCloseFlg; }
  void sendEvent(const kit::Event& event) override;

 private:
  std::uint8_t mCloseFlg = 0;
};
