#pragma once

#include <memory>

#include "foundation/Lock.h"
#include "foundation/NotificationCenter.h"

namespace kit {
class Window;
}

// Carrier of the main window and the two locks a message box holds while it shows. A message
// function posts it under "SetToMN" with "setMainWindowObjectMesPost"; the main-window
// controller fills it in during the post. Nothing here is owned: window and locks stay the
// controller's.
class Quirel_GetMainWindowObj {
 public:
  static constexpr const char* kPostName = "setMainWindowObjectMesPost";
  static constexpr const char* kSetToMN = "SetToMN";

  void setMainWindowObject(kit::Window* window) { uimWindow = window; }
  kit::Window* getMainWindowObject() const { return uimWindow; }
  void setEndScanLockObject(fnd::Lock* lock) { endScanLock = lock; }
  fnd::Lock* getEndScanLockObject() const { return endScanLock; }
  void setMessageLockObject(fnd::Lock* lock) { messageLock = lock; }
  fnd::Lock* getMessageLockObject() const { return messageLock; }

  // Asks the controller; the carrier stays empty when nobody answers.
  static std::shared_ptr<Quirel_GetMainWindowObj> ask(
      fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  // Answering side: the carrier under "SetToMN", or null.
  static std::shared_ptr<Quirel_GetMainWindowObj> fromNotification(const fnd::Notification& notification);

 private:
  kit::Window* uimWindow = nullptr;
  fnd::Lock* endScanLock = nullptr;
  fnd::Lock* messageLock = nullptr;
};
