#include "ui/controls/CTRLS_TOOLThumbnailButton.h"

#include "ui/controls/ClickHandshake.h"

Quirel_CTRLS_TOOLThumbnailButton::Quirel_CTRLS_TOOLThumbnailButton()
    : mToolBT(std::make_unique<Quirel_ToolButton>(fnd::Rect(10, 10, 23, 23))) {
  mToolBT->setIgnoresMultipleClicks(true);
  mToolBT->setCanDoubleClick(false);
  mToolBT->setAction([this](kit::Control&) { ThumbnailBTAction(); });
}

Quirel_CTRLS_TOOLThumbnailButton::~Quirel_CTRLS_TOOLThumbnailButton() = default;

void Quirel_CTRLS_TOOLThumbnailButton::setThumbnailMode(bool on) {
  mIsThumbnail = on;
  const Quirel_IconImages& set = on ? mOn : mOff;
  mToolBT->setImage(set.enter, set.exit, set.disable);
}

void Quirel_CTRLS_TOOLThumbnailButton::ThumbnailBTAction() {
  mToolBT->setState(kit::kOffState);
  Quirel_ClickHandshake::post(kThumbnailPost, mToolBT.get());
}
