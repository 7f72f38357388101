#include "ui/controls/CTRLS_ThresholdGraph.h"
