#include "launcher/KModal.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "foundation/NotificationCenter.h"
#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "launcher/ShowMessageDialog.h"

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

// What a waiting caller thread and the main thread share; it outlives whichever ends first.
struct Zorvik_KModal::Shared {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  std::int32_t result = 0;

  void finish(std::int32_t value) {
    std::lock_guard<std::mutex> lock(mutex);
    if (finished) return;
    finished = true;
    result = value;
    done.notify_all();
  }
};

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
  if (fnd::RunLoop::isMainThread()) {
    showModalDialg();
    return mResult;
  }
  return showMessage_ThreadLoop();
}

std::int32_t Zorvik_KModal::showMessage_ThreadLoop() {
  testInMainDoneFlag = 1;
  auto shared = std::make_shared<Shared>();
  // The application's end also ends the wait: the queued box may then never run.
  fnd::NotificationCenter::Token ending = fnd::NotificationCenter::defaultCenter().observe(
      kit::Application::kWillTerminateNotification, nullptr, [shared](const fnd::Notification&) { shared->finish(0); });
  fnd::RunLoop::performOnMainThread([shared, text = mmsgString, kind = msetbt, type = mmessageType] {
    if (kit::Application::shared().isTerminated()) {
      shared->finish(0);
      return;
    }
    std::unique_ptr<Zorvik_ShowMessageDialog> box;
    shared->finish(runBox(text, kind, type, box));
  });
  std::unique_lock<std::mutex> lock(shared->mutex);
  // Checked every 100 ms, as the caller's loop polls.
  while (!shared->done.wait_for(lock, std::chrono::milliseconds(100), [&] { return shared->finished; })) {
  }
  mResult = shared->result;
  testInMainDoneFlag = 0;
  return mResult;
}
