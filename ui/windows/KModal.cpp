#include "ui/windows/KModal.h"

#include "kit/Application.h"
#include "ui/windows/NetErrorMsgDialog.h"
#include "ui/windows/ShowMessageDialog.h"

Quirel_KModal::~Quirel_KModal() = default;

void Quirel_KModal::makeShowMessage(std::string text, std::int32_t buttonKind, std::int32_t messageType,
                                    bool launchSelector) {
  mmsgString = std::move(text);
  msetbt = buttonKind;
  mmessageType = messageType;
  mLaunchSelector = launchSelector;
}

std::int32_t Quirel_KModal::onMainThread() {
  showModalDialg();
  return mResult;
}

void Quirel_KModal::showModalDialg() {
  testInMainDoneFlag = 1;
  if (mLaunchSelector) {
    // Placed nowhere in particular: the network box keeps the origin of its content rectangle.
    alertDlg = Quirel_NetErrorMsgDialog::initNetErrorMsgDlg(mmsgString, mmessageType);
  } else {
    std::unique_ptr<Quirel_ShowMessageDialog> box =
        Quirel_ShowMessageDialog::initMessageID(mmsgString, msetbt, mmessageType);
    box->setAcceptsMouseMovedEvents(true);
    box->setExcludedFromWindowsMenu(true);
    box->setOneShot(true);
    box->center();
    alertDlg = std::move(box);
  }
  mResult = 0;
  const int code = kit::Application::shared().runModalForWindow(*alertDlg);
  // Only the two buttons' codes are answers; an aborted run (closed, terminated) is Cancel.
  mResult = code == 1 ? 1 : 0;
  alertDlg->close();
  alertDlg.reset();
  testInMainDoneFlag = 0;
}
