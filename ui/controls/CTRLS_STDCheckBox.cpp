#include "ui/controls/CTRLS_STDCheckBox.h"

namespace {

void loadStdCheckImage(kit::Image& into, const char* name, const std::string& bundle) {
  if (!name) return;
  kit::Image image = kit::Image::named(name, bundle);
  if (image.isValid()) into = image;
}

}  // namespace

Quirel_CTRLS_STDCheckBox::Quirel_CTRLS_STDCheckBox() : mImageView(std::make_unique<Quirel_NoFocusImageView>()) {
  mImageView->setImageScaling(kit::ImageScaling::None);
  mImageView->setAutoresizingMask(kit::kViewMinYMargin);
  Quirel_NoFocusButton* box = getCheckBox();
  box->setAutoresizingMask(kit::kViewMinYMargin);
  box->setState(kit::kOffState);
  box->setIgnoresMultipleClicks(true);
  box->setFont(kit::Font::systemFont(11));
  box->setAction([this](kit::Control&) { checkBoxActionSub(); });
  getCheckBoxTitleTxt()->setFont(kit::Font::systemFont(11));
}

void Quirel_CTRLS_STDCheckBox::setImage(const char* onName, const char* offName, const char* disableName,
                                        const std::string& bundle) {
  loadStdCheckImage(mOnImage, onName, bundle);
  loadStdCheckImage(mOffImage, offName, bundle);
  loadStdCheckImage(mDisableImage, disableName, bundle);
  mImageView->setImage(mOffImage);
}

void Quirel_CTRLS_STDCheckBox::setHidden(bool hidden) {
  mImageView->setHidden(hidden);
  Quirel_CTRLS_CheckBox::setHidden(hidden);
}

void Quirel_CTRLS_STDCheckBox::setEnabled(bool enabled) {
  mImageView->setEnabled(enabled);
  if (enabled)
    mImageView->setImage(isChecked() ? mOnImage : mOffImage);
  else if (mDisableImage.isValid())
    mImageView->setImage(mDisableImage);
  Quirel_CTRLS_CheckBox::setEnabled(enabled);
}

void Quirel_CTRLS_STDCheckBox::check(bool on) {
  setCheck(on);
  if (mImageView->isEnabled())
    mImageView->setImage(on ? mOnImage : mOffImage);
  else if (mDisableImage.isValid())
    mImageView->setImage(mDisableImage);
}

void Quirel_CTRLS_STDCheckBox::checkBoxActionSub() {
  mImageView->setImage(getCheckBox()->state() == kit::kOnState ? mOnImage : mOffImage);
  checkBoxAction();
}
