#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "kit/Button.h"
#include "ui/windows/MessageBoxWindow.h"

// The network error box: the text with Select Scanner (stops the modal run with 1) and Exit
// (0). Neither button has a key, so a stray Return cannot start the selector.
class Quirel_NetErrorMsgDialog : public Quirel_MessageBoxWindow {
 public:
  static constexpr const char* kExitTitleKey = "IDC_BTN_EXIT_STR";
  // The key ends with a blank.
  static constexpr const char* kSelectTitleKey = "IDC_BTN_SCANER_SELECTION_STR ";
  static constexpr double kTitlePadding = 12;

  static std::unique_ptr<Quirel_NetErrorMsgDialog> initNetErrorMsgDlg(const std::string& text,
                                                                      std::int32_t messageType);

  kit::Button* finishButton() const { return mFinishBtn; }
  kit::Button* selectButton() const { return mSelectBtn; }

  void clickSelectBtn(kit::Control* sender);
  void clickFinishBtn(kit::Control* sender);

 private:
  explicit Quirel_NetErrorMsgDialog(Measured measured);

  kit::Button* mFinishBtn = nullptr;  // owned by the content view
  kit::Button* mSelectBtn = nullptr;
};
