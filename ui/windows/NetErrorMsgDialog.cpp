#include "ui/windows/NetErrorMsgDialog.h"

#include "kit/Application.h"

std::unique_ptr<Quirel_NetErrorMsgDialog> Quirel_NetErrorMsgDialog::initNetErrorMsgDlg(const std::string& text,
                                                                                      std::int32_t messageType) {
  return std::unique_ptr<Quirel_NetErrorMsgDialog>(
      new Quirel_NetErrorMsgDialog(measure(text, messageType, Quirel_MessageBoxLayout::kNetErrorTextX)));
}

Quirel_NetErrorMsgDialog::Quirel_NetErrorMsgDialog(Measured measured) : Quirel_MessageBoxWindow(std::move(measured)) {
  const double width = layout().windowWidth;
  mFinishBtn = addButton(Quirel_MessageBoxLayout::exitButtonFrame(width), kExitTitleKey);
  mFinishBtn->setTarget(this, &Quirel_NetErrorMsgDialog::clickFinishBtn);
  mSelectBtn = addButton(Quirel_MessageBoxLayout::selectButtonFrame(width, 0), kSelectTitleKey);
  mSelectBtn->setTarget(this, &Quirel_NetErrorMsgDialog::clickSelectBtn);
  // A rounded button keeps some room either side of its title.
  const double titleWidth = mSelectBtn->font().widthOfString(mSelectBtn->title()) + 2 * kTitlePadding;
  mSelectBtn->setFrame(Quirel_MessageBoxLayout::selectButtonFrame(width, titleWidth));
}

void Quirel_NetErrorMsgDialog::clickSelectBtn(kit::Control*) {
  mSelectBtn->clearAction();
  kit::Application::shared().stopModalWithCode(1);
}

void Quirel_NetErrorMsgDialog::clickFinishBtn(kit::Control*) {
  mFinishBtn->clearAction();
  kit::Application::shared().stopModalWithCode(0);
}
