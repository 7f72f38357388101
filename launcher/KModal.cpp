#include "launcher/KModal.h"

#include "kit/Application.h"
#include "launcher/ShowMessageDialog.h"
#include "ui/windows/MessageThreadHop.h"

namespace {

// Builds, runs and closes one box; the modal code becomes 1 (OK) or 0 (anything else).
std::int32_t runBox(const std::string& text, std::int32_t buttonKind, std::int32_t messageType,
                    std::unique_ptr<Zorvik_ShowMessageDialog>& holder) {
  holder = std::make_unique<Zorvik_ShowMessageDialog>(text, buttonKind, messageType);
  holder->setAcceptsMouseMovedEvents(true);
  holder->setExcludedFromWindowsMenu(true);
  holder->setOneShot(true);
  holder->center();
  const int code = kit::Application::shared().runModalForWindow(*holder);
  // Put away rather than closed: a box going away must not count as the program's last
  // window being closed.
  holder->orderOut();
  holder.reset();
  return code == 1 ? 1 : 0;
}

}  // namespace

Zorvik_KModal::Zorvik_KModal() = default;
Zorvik_KModal::~Zorvik_KModal() = default;

void Zorvik_KModal::makeShowMessage(const std::string& text, std::int32_t buttonKind, std::int32_t messageType,
                                    bool launchSelector) {
  mmsgString = text;
  msetbt = buttonKind;
  mmessageType = messageType;
  mLaunchSelector = launchSelector;
}

void Zorvik_KModal::showModalDialg() {
  mResult = 0;
  mResult = runBox(mmsgString, msetbt, mmessageType, alertDlg);
  testInMainDoneFlag = 0;
}

std::int32_t Zorvik_KModal::onMainThread() {
  showModalDialg();
  return mResult;
}

std::int32_t Zorvik_KModal::DoInMainThread() {
  // The driver's hop: on the main thread the box simply runs; from a worker it runs on the
  // main thread (modal runs included) and the wait ends with the box, the application's end
  // or a main thread that never takes it up.
  const std::int32_t answer = Quirel_MessageThreadHop::run(
      [text = mmsgString, kind = msetbt, type = mmessageType] {
        std::unique_ptr<Zorvik_ShowMessageDialog> box;
        return runBox(text, kind, type, box);
      });
  mResult = answer;
  return mResult;
}
