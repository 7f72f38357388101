#pragma once

// The help control is shared by the windows below the front door; this name stays for its callers.
#include "ui/windows/HelpControl.h"
