#include "ui/controls/DlgImageView.h"

#include "ui/controls/DlgBackgroundView.h"

void Quirel_DlgImageView::mouseDown(const kit::Event&) { Quirel_DlgBackgroundView::postDialogPress(this); }
