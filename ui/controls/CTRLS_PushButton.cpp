#include "ui/controls/CTRLS_PushButton.h"

#include "kit/View.h"

Quirel_CTRLS_PushButton::Quirel_CTRLS_PushButton(Variant variant)
    : Quirel_CTRLS_Base(Caption::NoFocus), mPushBT(std::make_unique<Quirel_NoFocusButton>(fnd::Rect(10, 10, 30, 25))) {
  mPushBT->setBezelStyle(kit::BezelStyle::Rounded);
  mPushBT->setButtonType(kit::ButtonType::MomentaryPushIn);
  mPushBT->setIgnoresMultipleClicks(true);
  mPushBT->setAction([this](kit::Control&) { pushBTAction(); });
  if (variant == Variant::Default) mTitleTxt->setFont(kit::Font::systemFont(13));
}

std::unique_ptr<Quirel_CTRLS_PushButton> Quirel_CTRLS_PushButton::makeDialogButton(kit::View* parent,
                                                                                  const std::string& title,
                                                                                  const std::string& postName,
                                                                                  double x, double y) {
  auto button = std::make_unique<Quirel_CTRLS_PushButton>();
  button->setPushBTRect(x, y, 95, 28);
  button->setPushBTTitle(title);
  button->setPushBTActionPostNtf(postName);
  parent->addSubview(button->getPushBT());
  return button;
}

void Quirel_CTRLS_PushButton::setPushBTRect(double x, double y, double width, double height) {
  setPushBTRect(fnd::Rect(x, y, width, height));
}

void Quirel_CTRLS_PushButton::setHidden(bool hidden) {
  mPushBT->setHidden(hidden);
  mTitleTxt->setHidden(hidden);
}
