#include "ui/controls/CTRLS_TOOLButton.h"

#include "ui/controls/ClickHandshake.h"
#include "ui/controls/IconButtonBase.h"

Quirel_CTRLS_TOOLButton::Quirel_CTRLS_TOOLButton() : Quirel_CTRLS_TOOLButton(false) {}

std::unique_ptr<Quirel_CTRLS_TOOLButton> Quirel_CTRLS_TOOLButton::initWithShowAllCropBT() {
  return std::unique_ptr<Quirel_CTRLS_TOOLButton>(new Quirel_CTRLS_TOOLButton(true));
}

Quirel_CTRLS_TOOLButton::Quirel_CTRLS_TOOLButton(bool showAllCrop)
    : mToolBT(std::make_unique<Quirel_ToolButton>(fnd::Rect(10, 10, 23, 23))) {
  if (showAllCrop) {
    mToolBT->setIgnoresMultipleClicks(true);
    mToolBT->setCanDoubleClick(false);
  }
  mToolBT->setAction([this](kit::Control&) { toolbarBTAction(); });
}

Quirel_CTRLS_TOOLButton::~Quirel_CTRLS_TOOLButton() = default;

void Quirel_CTRLS_TOOLButton::setToolbarBTActionPostNtf(const std::string& name, std::int32_t offState) {
  mActionPostName = name;
  mOffState = offState;
}

void Quirel_CTRLS_TOOLButton::toolbarBTAction() {
  if (!mActionPostName.empty()) Quirel_ClickHandshake::post(mActionPostName.c_str(), mToolBT.get());
  if (mOffState == 1) mToolBT->setState(kit::kOffState);
}

void Quirel_CTRLS_TOOLButton::setToolBTImage(const std::string& enter, const std::string& exit,
                                             const std::string& disable, const std::string& bundle) {
  Quirel_IconImages::loadInto(mEnterImage, enter, bundle);
  Quirel_IconImages::loadInto(mExitImage, exit, bundle);
  Quirel_IconImages::loadInto(mDisableImage, disable, bundle);
  mToolBT->setImage(mEnterImage, mExitImage, mDisableImage);
}
