#pragma once

#include "kit/Window.h"

// The output-size editor's window. Once its close flag is set it drops every event, so that no
// click reaches the dialog while it closes; a press on its background is announced ("mouseDown")
// so that the dialog can check a value typed but not yet confirmed.
class Quirel_OutputSizeDialogWindow : public kit::Window {
 public:
  static constexpr const char* kMouseDownPost = "mouseDown";
  using kit::Window::Window;
  void setCloseFlg(bool on) { mCloseFlg = on; }
  bool closeFlg() const { return mCloseFlg; }
  void sendEvent(const kit::Event& event) override;
  void mouseDown(const kit::Event& event) override;

 private:
  bool mCloseFlg = false;
};
