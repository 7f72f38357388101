#include "ui/windows/ShowMessageDialog.h"

#include "kit/Application.h"

std::unique_ptr<Quirel_ShowMessageDialog> Quirel_ShowMessageDialog::initMessageID(const std::string& text,
                                                                                 std::int32_t buttonKind,
                                                                                 std::int32_t messageType) {
  std::unique_ptr<Quirel_ShowMessageDialog> box(new Quirel_ShowMessageDialog(
      measure(text, messageType, Quirel_MessageBoxLayout::kTextX), buttonKind));
  fnd::NotificationCenter::defaultCenter().post(kShowMessagePost, box.get());
  return box;
}

Quirel_ShowMessageDialog::Quirel_ShowMessageDialog(Measured measured, std::int32_t buttonKind)
    : Quirel_MessageBoxWindow(std::move(measured)) {
  const double width = layout().windowWidth;
  mOkBtn = addButton(Quirel_MessageBoxLayout::okButtonFrame(width), kOkTitleKey);
  mOkBtn->setTarget(this, &Quirel_ShowMessageDialog::clickOkBtn);
  mOkBtn->setKeyEquivalent("\r");
  mCancelBtn = addButton(Quirel_MessageBoxLayout::cancelButtonFrame(width), kCancelTitleKey);
  mCancelBtn->setTarget(this, &Quirel_ShowMessageDialog::clickCancelBtn);

  switch (buttonKind) {
    case 2:
      mOkBtn->setKeyEquivalent("");
      mCancelBtn->setKeyEquivalent("\r");
      break;
    case 1:
      mCancelBtn->setKeyEquivalent("\x1b");
      break;
    case 0:
      mCancelBtn->setHidden(true);
      break;
    default:
      break;
  }
}

Quirel_ShowMessageDialog* Quirel_ShowMessageDialog::fromNotification(const fnd::Notification& notification) {
  if (notification.name != kShowMessagePost || !notification.sender) return nullptr;
  // Only initMessageID posts this name, with the box it is building.
  return const_cast<Quirel_ShowMessageDialog*>(static_cast<const Quirel_ShowMessageDialog*>(notification.sender));
}

void Quirel_ShowMessageDialog::clickOkBtn(kit::Control*) {
  mOkBtn->clearAction();
  kit::Application::shared().stopModalWithCode(1);
}

void Quirel_ShowMessageDialog::clickCancelBtn(kit::Control*) {
  mCancelBtn->clearAction();
  kit::Application::shared().stopModalWithCode(0);
}
