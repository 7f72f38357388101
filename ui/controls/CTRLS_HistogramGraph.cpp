#include "ui/controls/CTRLS_HistogramGraph.h"
