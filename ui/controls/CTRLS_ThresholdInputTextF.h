#pragma once

#include "ui/controls/CTRLS_LevelInput.h"

// The threshold level (0 to 255) of the threshold dialog.
class Quirel_CTRLS_ThresholdInputTextF : public Quirel_CTRLS_LevelInput {
 public:
  explicit Quirel_CTRLS_ThresholdInputTextF(const std::string& bundle);
};
