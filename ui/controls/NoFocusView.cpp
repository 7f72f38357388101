#include "ui/controls/NoFocusView.h"

// Everything lives in the header; this file keeps the class's place in the library.
