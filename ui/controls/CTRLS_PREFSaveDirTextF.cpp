#include "ui/controls/CTRLS_PREFSaveDirTextF.h"
