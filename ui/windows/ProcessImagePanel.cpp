#include "ui/windows/ProcessImagePanel.h"

void Quirel_ProcessImagePanel::sendEvent(const kit::Event& event) {
  if (mStopEvent) return;
  kit::Panel::sendEvent(event);
}
