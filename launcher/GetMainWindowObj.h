#pragma once

#include "ui/windows/GetMainWindowObj.h"

// The launcher's message box asks the driver's main-window controller for its window and its
// end-of-scan and message locks with the driver's own carrier, so that the controller, when
// its main window is open in this process, recognises and fills it.
using Zorvik_GetMainWindowObj = Quirel_GetMainWindowObj;
