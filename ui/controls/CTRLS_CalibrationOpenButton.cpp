#include "ui/controls/CTRLS_CalibrationOpenButton.h"
