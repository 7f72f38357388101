#include "kit/Panel.h"

namespace kit {

void Panel::setFloatingPanel(bool on) {
  floating_ = on;
  setLevel(on ? kFloatingWindowLevel : kNormalWindowLevel);
}

}  // namespace kit
