#include "ui/windows/ScanResultWindow.h"

void Quirel_ScanResultWindow::sendEvent(const kit::Event& event) {
  if (mStopEvent) return;
  kit::Window::sendEvent(event);
}
