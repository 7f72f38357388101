#pragma once

#include <cstdint>
#include <memory>
#include <string>

class Zorvik_ShowMessageDialog;

// Runs one launcher message box modally and answers its button (1 OK, 0 Cancel). Made,
// filled, run and released by the message function.
class Zorvik_KModal {
 public:
  Zorvik_KModal();
  ~Zorvik_KModal();
  Zorvik_KModal(const Zorvik_KModal&) = delete;
  Zorvik_KModal& operator=(const Zorvik_KModal&) = delete;

  void makeShowMessage(const std::string& text, std::int32_t buttonKind, std::int32_t messageType, bool launchSelector);
  // Builds the box and runs it modally on the calling (main) thread; then closes it.
  void showModalDialg();
  // showModalDialg on the calling thread; answers the result.
  std::int32_t onMainThread();
  // On the main thread as onMainThread; from another thread the box runs on the main thread
  // while the caller waits, and the wait ends with the box, with the application's end, or
  // when the main thread does not take the box up in time (then 0).
  std::int32_t DoInMainThread();
  void showProcessImageDialogMT() {}

  std::int32_t result() const { return mResult; }

 private:
  std::unique_ptr<Zorvik_ShowMessageDialog> alertDlg;
  std::int32_t mResult = 0;
  std::string mmsgString;
  std::int32_t msetbt = 0;
  std::int32_t mmessageType = 0;
  bool mLaunchSelector = false;  // the launcher has no network-error box
  std::int32_t testInMainDoneFlag = 0;
};
