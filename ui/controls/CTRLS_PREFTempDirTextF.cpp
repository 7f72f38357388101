#include "ui/controls/CTRLS_PREFTempDirTextF.h"
