#include "ui/controls/CTRLS_ExposureButton.h"

#include "ui/controls/ClickHandshake.h"

namespace {

std::unique_ptr<Quirel_NoFocusButton> makeExposurePairButton() {
  auto button = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(10, 10, 30, 25));
  button->setBezelStyle(kit::BezelStyle::Rounded);
  button->setButtonType(kit::ButtonType::MomentaryPushIn);
  button->setIgnoresMultipleClicks(true);
  return button;
}

}  // namespace

Quirel_CTRLS_ExposureButton::Quirel_CTRLS_ExposureButton()
    : mTitleTxt(std::make_unique<Quirel_NoFocusTextField>()),
      mApplyBT(makeExposurePairButton()),
      mResetBT(makeExposurePairButton()) {
  mTitleTxt->setDrawsBackground(false);
  mTitleTxt->setBezeled(false);
  mTitleTxt->setEditable(false);
  mTitleTxt->setFont(kit::Font::systemFont(13));
  mApplyBT->setAction([this](kit::Control&) { ApplyBTAction(); });
  mResetBT->setAction([this](kit::Control&) { ResetBTAction(); });
}

void Quirel_CTRLS_ExposureButton::setTitleTxtTitleForCrop(const std::string& title) {
  CropTitleStr = title;
  mIsCropTitle = true;
  mTitleTxt->setStringValue(title);
}

void Quirel_CTRLS_ExposureButton::setTitleTxtTitleForFrame(const std::string& title) {
  FrameTitleStr = title;
  mIsCropTitle = false;
  mTitleTxt->setStringValue(title);
}

void Quirel_CTRLS_ExposureButton::changeCropTitle(bool crop) {
  mIsCropTitle = crop;
  mTitleTxt->setStringValue(crop ? CropTitleStr : FrameTitleStr);
}

void Quirel_CTRLS_ExposureButton::setOnState(bool on) {
  mOnState = on;
  mApplyBT->setEnabled(!on);
  mResetBT->setEnabled(on);
  if (mIsHidden || mTwoButtons) return;
  mApplyBT->setHidden(on);
  mResetBT->setHidden(!on);
}

void Quirel_CTRLS_ExposureButton::setEnabled(bool enabled) {
  mApplyBT->setEnabled(enabled);
  mResetBT->setEnabled(enabled);
}

void Quirel_CTRLS_ExposureButton::setHidden(bool hidden) {
  mIsHidden = hidden;
  mTitleTxt->setHidden(hidden);
  mApplyBT->setHidden(hidden);
  mResetBT->setHidden(hidden);
}

void Quirel_CTRLS_ExposureButton::ApplyBTAction() { Quirel_ClickHandshake::post(kApplyPost, mApplyBT.get()); }

void Quirel_CTRLS_ExposureButton::ResetBTAction() { Quirel_ClickHandshake::post(kResetPost, mResetBT.get()); }
