#pragma once

namespace fnd {
class Lock;
}
namespace kit {
class Window;
}

// Filled during "setMainWindowObjectMesPost" (under "SetToMN") by the driver's main-window
// controller when its main window is open in this process: the window and the controller's
// end-of-scan and message locks, which a launcher message box holds while it shows. Nothing
// here is owned.
class Zorvik_GetMainWindowObj {
 public:
  void setMainWindowObject(kit::Window* window) { uimWindow = window; }
  kit::Window* getMainWindowObject() const { return uimWindow; }
  void setEndScanLockObject(fnd::Lock* lock) { endScanLock = lock; }
  fnd::Lock* getEndScanLockObject() const { return endScanLock; }
  void setMessageLockObject(fnd::Lock* lock) { messageLock = lock; }
  fnd::Lock* getMessageLockObject() const { return messageLock; }

 private:
  kit::Window* uimWindow = nullptr;
  fnd::Lock* endScanLock = nullptr;
  fnd::Lock* messageLock = nullptr;
};
