#include "ui/controls/CTRLS_CalibrationView.h"
