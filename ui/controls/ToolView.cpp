#include "ui/controls/ToolView.h"

#include "ui/controls/ClickHandshake.h"

void Quirel_ToolView::mouseDown(const kit::Event&) {
  Quirel_ClickHandshake::post(Quirel_ClickHandshake::kControlYesPost, this);
}
