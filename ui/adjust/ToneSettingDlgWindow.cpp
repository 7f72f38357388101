#include "ui/adjust/ToneSettingDlgWindow.h"

void Quirel_ToneSettingDlgWindow::sendEvent(const kit::Event& event) {
  if (mCloseFlg) return;
  kit::Window::sendEvent(event);
}
