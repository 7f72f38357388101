#include "ui/controls/CTRLS_ADVPreviewButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_ADVPreviewButton::Quirel_CTRLS_ADVPreviewButton() { getColorPushBT()->setAction([this](kit::Control&) { PreviewBTAction(); }); }

void Quirel_CTRLS_ADVPreviewButton::PreviewBTAction() { Quirel_ClickHandshake::post(kStartPost, getColorPushBT()); }
