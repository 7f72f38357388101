#pragma once

#include "ui/controls/CTRLS_TextField.h"

// The basic mode's heading above the correction check boxes.
class Quirel_CTRLS_ImageCorrectText : public Quirel_CTRLS_TextField {
 public:
  Quirel_CTRLS_ImageCorrectText();
  void setTitleColor(const kit::Color& color) { getTextF()->setTextColor(color); }
};
