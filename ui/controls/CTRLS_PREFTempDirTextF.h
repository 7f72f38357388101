#pragma once

#include "ui/controls/CTRLS_PREFPathTextF.h"

// The temporary folder of the preferences.
class Quirel_CTRLS_PREFTempDirTextF : public Quirel_CTRLS_PREFPathTextF {};
