#pragma once

#include "ui/controls/CTRLS_LevelInput.h"

// A signed level (-127 to 127) of the adjustment dialogs with its caption.
class Quirel_CTRLS_TextFAndStepper : public Quirel_CTRLS_LevelInput {
 public:
  explicit Quirel_CTRLS_TextFAndStepper(const std::string& bundle);
};
