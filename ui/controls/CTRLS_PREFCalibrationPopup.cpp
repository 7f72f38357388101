#include "ui/controls/CTRLS_PREFCalibrationPopup.h"
