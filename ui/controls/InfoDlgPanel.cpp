#include "ui/controls/InfoDlgPanel.h"

void Quirel_InfoDlgPanel::mouseMoved(const kit::Event& event) {
  Quirel_FloatingPanel::mouseMoved(event);
  if (isKeyWindow()) post(kMouseMovedPost);
}
