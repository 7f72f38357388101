#include "launcher/ProcessImagePanel.h"

void Zorvik_ProcessImagePanel::sendEvent(const kit::Event& event) {
  if (mStopEvent) return;
  kit::Panel::sendEvent(event);
}
