#include "ui/controls/CTRLS_PREFOutputProfilePopup.h"
