#include "ui/windows/OrientationDlgWindow.h"

void Quirel_OrientationDlgWindow::sendEvent(const kit::Event& event) {
  if (mCloseFlg == 1) return;
  kit::Window::sendEvent(event);
}
