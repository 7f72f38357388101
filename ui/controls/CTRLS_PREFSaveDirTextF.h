#pragma once

#include "ui/controls/CTRLS_PREFPathTextF.h"

// The save folder of the preferences.
class Quirel_CTRLS_PREFSaveDirTextF : public Quirel_CTRLS_PREFPathTextF {};
