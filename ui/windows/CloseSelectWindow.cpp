#include "ui/windows/CloseSelectWindow.h"

void Quirel_CloseSelectWindow::sendEvent(const kit::Event& event) {
  if (mStopEvent) return;
  kit::Window::sendEvent(event);
}
