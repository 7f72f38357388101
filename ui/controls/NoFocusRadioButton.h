#pragma once

#include "kit/Matrix.h"

// A radio matrix that never takes the keyboard focus; announces each press with "RADIO_DOWN"
// and honours the click hand-shake.
class Quirel_NoFocusRadioButton : public kit::Matrix {
 public:
  static constexpr const char* kRadioDownPost = "RADIO_DOWN";

  explicit Quirel_NoFocusRadioButton(const fnd::Rect& frame = {}, int rows = 0, int columns = 1)
      : kit::Matrix(frame, rows, columns) {}
  bool acceptsFirstResponder() const override { return false; }
  void mouseDown(const kit::Event& event) override;
  void setDownOnOff(bool on) { mDownOnOffFlg = on; }

 private:
  bool mDownOnOffFlg = true;
};
