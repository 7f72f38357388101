#pragma once

#include <string>

namespace capture {

class ScannerDevice;

// What a scanner device tells its delegate, always on the main thread. Every method has an
// empty default, so a delegate overrides only what it needs.
class ScannerDeviceDelegate {
 public:
  virtual ~ScannerDeviceDelegate() = default;

  // error 0: the session is open; otherwise kErrorDeviceInUse, kErrorTimedOut, ...
  virtual void didOpenSession(ScannerDevice& device, int error) {}
  virtual void didCloseSession(ScannerDevice& device, int error) {}
  // The device can be used (after an open session).
  virtual void deviceDidBecomeReady(ScannerDevice& device) {}
  virtual void didEncounterError(ScannerDevice& device, int error, const std::string& description) {}
  virtual void didRemoveDevice(ScannerDevice& device) {}
};

}  // namespace capture
