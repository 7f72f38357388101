#include "ui/controls/DlgBackgroundView.h"

#include "ui/controls/ClickHandshake.h"

void Quirel_DlgBackgroundView::postDialogPress(const void* sender) {
  Quirel_ClickHandshake::post(Quirel_ClickHandshake::kControlYesPost, sender);
  Quirel_ClickHandshake::post(kDlgMouseDownPost, sender);
}

void Quirel_DlgBackgroundView::mouseDown(const kit::Event&) { postDialogPress(this); }
