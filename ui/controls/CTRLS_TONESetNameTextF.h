#pragma once

#include "ui/controls/CTRLS_TextField.h"

// The name field of the tone-setting dialog: one scrolling line on the highlight colour.
class Quirel_CTRLS_TONESetNameTextF : public Quirel_CTRLS_TextField {
 public:
  Quirel_CTRLS_TONESetNameTextF();
};
