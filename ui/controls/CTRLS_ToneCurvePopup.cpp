#include "ui/controls/CTRLS_ToneCurvePopup.h"
