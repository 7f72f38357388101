#pragma once

#include "ui/controls/CTRLS_TextField.h"

// The size-name field of the output-size dialog: one scrolling line on the highlight colour.
class Quirel_CTRLS_OUTSetNameTextF : public Quirel_CTRLS_TextField {
 public:
  Quirel_CTRLS_OUTSetNameTextF();
};
