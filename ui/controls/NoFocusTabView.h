#pragma once

#include "kit/TabView.h"

// A tab view that never takes the keyboard focus; announces each press with "TAB_DOWN" and
// honours the click hand-shake (a swallowed press changes no tab).
class Quirel_NoFocusTabView : public kit::TabView {
 public:
  static constexpr const char* kTabDownPost = "TAB_DOWN";

  explicit Quirel_NoFocusTabView(const fnd::Rect& frame = {}) : kit::TabView(frame) {}
  bool acceptsFirstResponder() const override { return false; }
  void mouseDown(const kit::Event& event) override;
  void setChangeOnOff(bool on) { mChangeOnOffFlg = on; }

 private:
  bool mChangeOnOffFlg = true;
};
