#include "ui/settings/FavoriteDlgWindow.h"

void Quirel_FavoriteDlgWindow::sendEvent(const kit::Event& event) {
  if (mCloseFlg) return;
  kit::Window::sendEvent(event);
}
