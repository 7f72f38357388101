#include "ui/controls/CTRLS_ColorPushButton.h"

Quirel_CTRLS_ColorPushButton::Quirel_CTRLS_ColorPushButton()
    : Quirel_CTRLS_Base(Caption::NoFocus), mPushBT(std::make_unique<Quirel_ColorButton>(fnd::Rect(10, 10, 30, 25))) {
  mPushBT->setIgnoresMultipleClicks(true);
}

void Quirel_CTRLS_ColorPushButton::setImage(const std::string& enter, const std::string& exit,
                                            const std::string& down, const std::string& disable,
                                            const std::string& bundle) {
  mPushBT->setImage(kit::Image::named(enter, bundle), kit::Image::named(exit, bundle),
                    kit::Image::named(down, bundle), kit::Image::named(disable, bundle));
}

void Quirel_CTRLS_ColorPushButton::setHidden(bool hidden) {
  mPushBT->setHidden(hidden);
  mTitleTxt->setHidden(hidden);
}
