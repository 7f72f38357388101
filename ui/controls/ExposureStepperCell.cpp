#include "ui/controls/ExposureStepperCell.h"

#include "ui/controls/ClickHandshake.h"

void Quirel_ExposureStepperCell::stopTracking(bool) { Quirel_ClickHandshake::post(kStepperPost, this); }
