#include "ui/controls/CTRLS_ExposureOpenButton.h"
