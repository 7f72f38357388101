#include "ui/controls/CTRLS_ToneBCInputTextF.h"

Quirel_CTRLS_ToneBCInputTextF::Quirel_CTRLS_ToneBCInputTextF(const std::string& bundle)
    : Quirel_CTRLS_LevelInput(bundle, Setup{-127, 127, true, 4, kit::kViewMaxYMargin, 10, false}) {}
