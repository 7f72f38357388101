#include "ui/controls/CTRLS_PREFPlaySoundTextF.h"
