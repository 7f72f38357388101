#include "ui/controls/ClosingDlgWindow.h"

void Quirel_ClosingDlgWindow::sendEvent(const kit::Event& event) {
  if (!mCloseFlg) kit::Window::sendEvent(event);
}
