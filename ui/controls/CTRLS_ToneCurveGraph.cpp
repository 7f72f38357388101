#include "ui/controls/CTRLS_ToneCurveGraph.h"
