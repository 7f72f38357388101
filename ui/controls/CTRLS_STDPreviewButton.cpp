#include "ui/controls/CTRLS_STDPreviewButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_STDPreviewButton::Quirel_CTRLS_STDPreviewButton() {
  mTitleTxt->setFont(kit::Font::boldSystemFont(12));
  mTitleTxt->setAutoresizingMask(kit::kViewMinYMargin);
  getColorPushBT()->setAutoresizingMask(kit::kViewMinYMargin);
  getColorPushBT()->setAction([this](kit::Control&) { PreviewBTAction(); });
}

void Quirel_CTRLS_STDPreviewButton::PreviewBTAction() {
  if (getColorPushBT()->isEnabled()) Quirel_ClickHandshake::post(kStartPost, getColorPushBT());
}
