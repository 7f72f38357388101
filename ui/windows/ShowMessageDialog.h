#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/NotificationCenter.h"
#include "kit/Button.h"
#include "ui/windows/MessageBoxWindow.h"

// The numbered message box: the text, the caution sign with the badge, and OK alone or OK and
// Cancel. OK stops the modal run with 1, Cancel with 0; a button acts once.
//
// Button kinds: 0 OK alone (Return is OK); 1 Return OK, Escape Cancel; 2 Return Cancel and OK
// without a key; any other OK and Cancel with Return on OK.
class Quirel_ShowMessageDialog : public Quirel_MessageBoxWindow {
 public:
  // Posted with the box as object once it is built; the scan modes answer with setMainWindow.
  static constexpr const char* kShowMessagePost = "showMessagePost";
  static constexpr const char* kOkTitleKey = "IDMAC_OK_BTN";
  static constexpr const char* kCancelTitleKey = "IDMAC_CANCEL_BTN";

  // Builds the box for the text, button kind and message type (1 widens it for long texts).
  static std::unique_ptr<Quirel_ShowMessageDialog> initMessageID(const std::string& text, std::int32_t buttonKind,
                                                                 std::int32_t messageType);
  // The box a "showMessagePost" carries, or null for another notification.
  static Quirel_ShowMessageDialog* fromNotification(const fnd::Notification& notification);

  void setMainWindow(kit::Window* window) { mainWindow = window; }
  kit::Window* getMainWindow() const { return mainWindow; }

  kit::Button* okButton() const { return mOkBtn; }
  kit::Button* cancelButton() const { return mCancelBtn; }

  void clickOkBtn(kit::Control* sender);
  void clickCancelBtn(kit::Control* sender);

 private:
  Quirel_ShowMessageDialog(Measured measured, std::int32_t buttonKind);

  kit::Window* mainWindow = nullptr;  // not owned; the box does not read it
  kit::Button* mOkBtn = nullptr;      // owned by the content view
  kit::Button* mCancelBtn = nullptr;
};
