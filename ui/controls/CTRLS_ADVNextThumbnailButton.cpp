#include "ui/controls/CTRLS_ADVNextThumbnailButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_ADVNextThumbnailButton::Quirel_CTRLS_ADVNextThumbnailButton() {
  getNextBT()->setAction([this](kit::Control&) { AdvNextBTAction(); });
  getBackBT()->setAction([this](kit::Control&) { AdvBackBTAction(); });
}

void Quirel_CTRLS_ADVNextThumbnailButton::AdvNextBTAction() { Quirel_ClickHandshake::post(kAdvNextPost, getNextBT()); }

void Quirel_CTRLS_ADVNextThumbnailButton::AdvBackBTAction() { Quirel_ClickHandshake::post(kAdvBackPost, getBackBT()); }
