#include "ui/controls/CTRLS_PREFQualityPopup.h"
