#include "ui/controls/CTRLS_OUTUnitPopup.h"
