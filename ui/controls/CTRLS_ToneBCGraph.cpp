#include "ui/controls/CTRLS_ToneBCGraph.h"
