#include "ui/controls/CTRLS_ScanSettingOpenButton.h"
