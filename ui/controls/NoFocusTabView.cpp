#include "ui/controls/NoFocusTabView.h"

#include "ui/controls/ClickHandshake.h"

void Quirel_NoFocusTabView::mouseDown(const kit::Event& event) {
  if (Quirel_ClickHandshake::pass(kTabDownPost, this, mChangeOnOffFlg)) kit::TabView::mouseDown(event);
}
