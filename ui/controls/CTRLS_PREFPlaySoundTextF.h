#pragma once

#include "ui/controls/CTRLS_PREFPathTextF.h"

// The sound file played at the end of a scan.
class Quirel_CTRLS_PREFPlaySoundTextF : public Quirel_CTRLS_PREFPathTextF {};
