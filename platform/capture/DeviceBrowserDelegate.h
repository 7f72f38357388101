#pragma once

namespace capture {

class DeviceBrowser;
class ScannerDevice;

// What the device browser tells its delegate, always on the main thread.
class DeviceBrowserDelegate {
 public:
  virtual ~DeviceBrowserDelegate() = default;

  // moreComing: further devices of the same round follow at once.
  virtual void didAddDevice(DeviceBrowser& browser, ScannerDevice& device, bool moreComing) = 0;
  // moreGoing: further devices of the same round go at once.
  virtual void didRemoveDevice(DeviceBrowser& browser, ScannerDevice& device, bool moreGoing) = 0;
  // Every device present at the start has been reported.
  virtual void didEnumerateLocalDevices(DeviceBrowser& browser) {}
};

}  // namespace capture
