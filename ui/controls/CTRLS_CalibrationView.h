#pragma once

#include "ui/controls/CTRLS_FoldingSection.h"

// The calibration section of the advanced panel.
class Quirel_CTRLS_CalibrationView : public Quirel_CTRLS_FoldingSection {};
