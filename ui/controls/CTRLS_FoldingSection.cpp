#include "ui/controls/CTRLS_FoldingSection.h"
