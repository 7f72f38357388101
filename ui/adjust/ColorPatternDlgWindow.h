#pragma once

#include "kit/Window.h"

// The colour-pattern dialog's window: once its close flag is set it lets no event through, so a
// closing dialog ignores further clicks and keys.
class Quirel_ColorPatternDlgWindow : public kit::Window {
 public:
  Quirel_ColorPatternDlgWindow(const fnd::Rect& contentRect, unsigned styleMask);
  void setCloseFlg(bool on) { mCloseFlg = on; }
  bool closeFlg() const { return mCloseFlg; }
  void sendEvent(const kit::Event& event) override;

 private:
  bool mCloseFlg = false;
};
