#pragma once

#include "ui/controls/CTRLS_NumberTextField.h"

// A size field of the advanced panel; committing it (Return or end of editing) reports it.
class Quirel_CTRLS_OutputSizeWidthTextF : public Quirel_CTRLS_NumberTextField {
 public:
  static constexpr const char* kChangePost = "AdvOutputWidthChangePost";
  Quirel_CTRLS_OutputSizeWidthTextF();
  void OutputWidthNumberFAction();
};
