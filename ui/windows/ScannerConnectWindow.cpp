#include "ui/windows/ScannerConnectWindow.h"

void Quirel_ScannerConnectWindow::setStopEvent(bool on) { mStopEvent = on; }
