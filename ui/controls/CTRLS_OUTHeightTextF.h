#pragma once

#include "ui/controls/CTRLS_NumberTextField.h"

// The output-size dialog's height field; once wired, committing it reports it.
class Quirel_CTRLS_OUTHeightTextF : public Quirel_CTRLS_NumberTextField {
 public:
  static constexpr const char* kChangePost = "HeightChangePost";
  void setNumberFAction();
  void OutputHeightNumberFAction();
};
