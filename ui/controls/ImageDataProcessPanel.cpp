#include "ui/controls/ImageDataProcessPanel.h"

void Quirel_ImageDataProcessPanel::mouseMoved(const kit::Event& event) {
  Quirel_FloatingPanel::mouseMoved(event);
  post(kToneCurveMouseMovedPost);
  if (isKeyWindow()) post(kMouseMovedPost);
}
