#include "ui/controls/CTRLS_MSImageSourceView.h"
