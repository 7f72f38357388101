#include "ui/controls/CTRLS_PREFFileFormatPopup.h"
