#include "ui/controls/CTRLS_ScanSettingView.h"
