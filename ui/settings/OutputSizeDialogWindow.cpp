#include "ui/settings/OutputSizeDialogWindow.h"

#include "foundation/NotificationCenter.h"

void Quirel_OutputSizeDialogWindow::sendEvent(const kit::Event& event) {
  if (mCloseFlg) return;
  kit::Window::sendEvent(event);
}

void Quirel_OutputSizeDialogWindow::mouseDown(const kit::Event&) {
  fnd::NotificationCenter::defaultCenter().post(kMouseDownPost, this);
}
