#include "ui/controls/CTRLS_PREFInputProfilePopup.h"
