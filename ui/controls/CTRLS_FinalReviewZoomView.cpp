#include "ui/controls/CTRLS_FinalReviewZoomView.h"
