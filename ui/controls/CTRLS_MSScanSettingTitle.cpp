#include "ui/controls/CTRLS_MSScanSettingTitle.h"

Quirel_CTRLS_MSScanSettingTitle::Quirel_CTRLS_MSScanSettingTitle() {
  getTextF()->setFont(kit::Font::boldSystemFont(12));
  getTextF()->setTextColor(kit::Color::calibratedRGB(0.192, 0.388, 0.612, 1.0));
  getTextF()->setAutoresizingMask(kit::kViewMinYMargin);
  getTextF()->setChangeCursor(false);
}
