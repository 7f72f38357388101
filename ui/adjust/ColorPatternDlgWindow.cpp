#include "ui/adjust/ColorPatternDlgWindow.h"

Quirel_ColorPatternDlgWindow::Quirel_ColorPatternDlgWindow(const fnd::Rect& contentRect, unsigned styleMask)
    : kit::Window(contentRect, styleMask) {}

void Quirel_ColorPatternDlgWindow::sendEvent(const kit::Event& event) {
  if (!mCloseFlg) kit::Window::sendEvent(event);
}
