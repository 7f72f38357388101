#pragma once

#include "ui/controls/CTRLS_NumberTextField.h"

// The output-size dialog's width field; once wired, committing it reports it.
class Quirel_CTRLS_OUTWidthTextF : public Quirel_CTRLS_NumberTextField {
 public:
  static constexpr const char* kChangePost = "WidthChangePost";
  void setNumberFAction();
  void OutputWidthNumberFAction();
};
