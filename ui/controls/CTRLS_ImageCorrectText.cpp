#include "ui/controls/CTRLS_ImageCorrectText.h"

Quirel_CTRLS_ImageCorrectText::Quirel_CTRLS_ImageCorrectText() {
  getTextF()->setAutoresizingMask(kit::kViewMinYMargin);
  getTextF()->setFont(kit::Font::boldSystemFont(12));
  getTextF()->setChangeCursor(false);
}
