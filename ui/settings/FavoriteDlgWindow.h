#pragma once

#include "kit/Window.h"

// The favourites manager's window. Once its close flag is set it drops every event, so that no
// click or key reaches the dialog while its opener closes it.
class Quirel_FavoriteDlgWindow : public kit::Window {
 public:
  using kit::Window::Window;
  void setCloseFlg(bool on) { mCloseFlg = on; }
  bool closeFlg() const { return mCloseFlg; }
  void sendEvent(const kit::Event& event) override;

 private:
  bool mCloseFlg = false;
};
