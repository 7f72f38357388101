#pragma once

#include "ui/base/DSBundleStr.h"

// The launcher's message box asks for the data source's bundle identifier (its badge) with
// the driver's own carrier, which the driver's main-window controller recognises and fills.
using Zorvik_DSBundleStr = Quirel_DSBundleStr;
