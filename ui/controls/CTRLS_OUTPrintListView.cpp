#include "ui/controls/CTRLS_OUTPrintListView.h"
