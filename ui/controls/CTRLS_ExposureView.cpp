#include "ui/controls/CTRLS_ExposureView.h"
