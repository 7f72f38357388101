#include "ui/controls/CTRLS_OUTDestinationPopup.h"
