#include "ui/controls/CTRLS_FinalReviewGraph.h"
