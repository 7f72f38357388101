#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/windows/MessageBoxWindow.h"

// Runs one message box modally on the calling thread (the main thread) and keeps its answer:
// the standard box (Quirel_ShowMessageDialog) or, with the selector switch, the network box
// (Quirel_NetErrorMsgDialog). One runner serves one message.
class Quirel_KModal {
 public:
  Quirel_KModal() = default;
  ~Quirel_KModal();
  Quirel_KModal(const Quirel_KModal&) = delete;
  Quirel_KModal& operator=(const Quirel_KModal&) = delete;

  void makeShowMessage(std::string text, std::int32_t buttonKind, std::int32_t messageType, bool launchSelector);
  // Shows the box on the calling thread; the answer (0 when the run was aborted).
  std::int32_t onMainThread();
  // Builds the box, runs it modally, closes and drops it.
  void showModalDialg();

  // The box while it runs, else null.
  Quirel_MessageBoxWindow* alertDialog() const { return alertDlg.get(); }
  std::int32_t result() const { return mResult; }

 private:
  std::unique_ptr<Quirel_MessageBoxWindow> alertDlg;
  std::int32_t mResult = 0;
  std::string mmsgString;
  std::int32_t msetbt = 0;
  std::int32_t mmessageType = 0;
  bool mLaunchSelector = false;
  std::int32_t testInMainDoneFlag = 0;
};
