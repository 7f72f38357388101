#pragma once

#include "ui/controls/CTRLS_NumberTextField.h"

// A size field of the advanced panel; committing it (Return or end of editing) reports it.
class Quirel_CTRLS_InputSizeHeightTextF : public Quirel_CTRLS_NumberTextField {
 public:
  static constexpr const char* kChangePost = "AdvInputHeightChangePost";
  Quirel_CTRLS_InputSizeHeightTextF();
  void InputHeightNumberFAction();
};
