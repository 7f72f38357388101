#include "ui/controls/CTRLS_OUTDisplayListView.h"
