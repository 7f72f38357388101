#include "ui/controls/CTRLS_MSDestinationView.h"
