#include "ui/controls/CTRLS_ThresholdInputTextF.h"

Quirel_CTRLS_ThresholdInputTextF::Quirel_CTRLS_ThresholdInputTextF(const std::string& bundle)
    : Quirel_CTRLS_LevelInput(bundle, Setup{0, 255, false, 3, kit::kViewMinYMargin, 10, false}) {}
