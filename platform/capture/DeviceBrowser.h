#pragma once

#include <memory>
#include <string>
#include <vector>

#include "capture/DeviceBrowserDelegate.h"
#include "capture/ScannerDevice.h"

namespace capture {

// Finds the scanners of the device definition file and reports them to its delegate, one call
// per device on the main thread after start(), as a real browser reports devices that it
// discovers. Use from the main thread; the delegate is not owned (clear it before it goes).
class DeviceBrowser {
 public:
  // The default device definition file (DeviceDefinition::defaultFile()).
  DeviceBrowser();
  explicit DeviceBrowser(std::string definitionFile);
  ~DeviceBrowser();
  DeviceBrowser(const DeviceBrowser&) = delete;
  DeviceBrowser& operator=(const DeviceBrowser&) = delete;

  void setDelegate(DeviceBrowserDelegate* delegate);
  DeviceBrowserDelegate* delegate() const;

  // Kinds and locations to report: type bits in the low byte, location bits in the next
  // (0xFF02: scanners wherever they are). Devices outside the mask are not reported.
  void setBrowsedDeviceTypeMask(unsigned mask);
  unsigned browsedDeviceTypeMask() const;

  // Reads the definition file and reports its devices; a second start does nothing.
  void start();
  // No further reports; the devices found stay listed.
  void stop();
  bool isBrowsing() const;

  // The devices reported so far, in the order they were reported.
  const std::vector<std::shared_ptr<ScannerDevice>>& devices() const;

  // The device with this identifier goes away (unplugged, switched off): it leaves the list and
  // the delegates hear of it. False when there is no such device.
  bool removeDevice(const std::string& identifier);

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace capture
