#pragma once

#include "ui/controls/CTRLS_LevelInput.h"

// The brightness or contrast level (-127 to 127) of the brightness and contrast dialog.
class Quirel_CTRLS_ToneBCInputTextF : public Quirel_CTRLS_LevelInput {
 public:
  explicit Quirel_CTRLS_ToneBCInputTextF(const std::string& bundle);
  void setNumberFieldFont(const kit::Font& font) { setNumberTxtFFont(font); }
};
