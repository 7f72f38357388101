#include "ui/controls/StepperCell.h"

#include "ui/controls/ClickHandshake.h"

void Quirel_StepperCell::stopTracking(bool) { Quirel_ClickHandshake::post(kStopTrackingPost, this); }
