#include "ui/controls/CTRLS_TextFAndStepper.h"

Quirel_CTRLS_TextFAndStepper::Quirel_CTRLS_TextFAndStepper(const std::string& bundle)
    : Quirel_CTRLS_LevelInput(bundle, Setup{}) {}
