#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "capture/Constants.h"
#include "capture/DeviceDefinition.h"
#include "capture/ScannerDeviceDelegate.h"
#include "foundation/Value.h"

namespace capture {

// The part of the scanner a session works with.
enum class FunctionalUnit { Flatbed = 0, PositiveTransparency = 1, NegativeTransparency = 2, DocumentFeeder = 3 };

// One scanner found by the device browser, simulated from its definition. Shared: the browser
// lists it, the launcher keeps it, and the launcher's device dictionary carries it to the scan
// module under "ICScannerDevice" (as fnd::Value::object of ScannerDevice).
//
// Requests return at once; their answers come later on the main thread, through the delegate
// or the completion, as a real device's would. Use from the main thread. The delegate is not
// owned: clear it (setDelegate(nullptr)) before the delegate goes away.
class ScannerDevice : public std::enable_shared_from_this<ScannerDevice> {
 public:
  // completion(device, code, answer, error): the answer holds at most maxReturnedDataSize bytes.
  using SendMessageCompletion =
      std::function<void(ScannerDevice& device, std::uint32_t code, const fnd::Data& answer, int error)>;

  static std::shared_ptr<ScannerDevice> create(DeviceDefinition definition);

  ScannerDevice(const ScannerDevice&) = delete;
  ScannerDevice& operator=(const ScannerDevice&) = delete;

  unsigned type() const { return definition_.type(); }
  TransportType transportType() const { return definition_.transport; }
  int usbVendorID() const { return definition_.usbVendorId; }
  std::uint32_t usbLocationID() const { return definition_.usbLocationId; }
  const std::string& name() const { return definition_.name; }
  const std::string& UUIDString() const { return definition_.identifier; }
  const DeviceDefinition& definition() const { return definition_; }

  void setDelegate(ScannerDeviceDelegate* delegate) { delegate_ = delegate; }
  ScannerDeviceDelegate* delegate() const { return delegate_; }

  // Answers with didOpenSession (and, without an error, deviceDidBecomeReady).
  void requestOpenSession();
  // Answers with didCloseSession; kErrorSessionNotOpen when no session was open.
  void requestCloseSession();
  bool hasOpenSession() const { return open_; }
  FunctionalUnit selectedFunctionalUnit() const { return FunctionalUnit::Flatbed; }

  // Sends a message to the device (code, data); the device acknowledges it with an answer of
  // up to maxReturnedDataSize bytes. Without an open session the completion gets
  // kErrorSessionNotOpen.
  void requestSendMessage(std::uint32_t code, fnd::Data outData, std::size_t maxReturnedDataSize,
                          SendMessageCompletion completion);

  // The last message the device took (code 0 before any).
  std::uint32_t lastMessageCode() const { return lastMessageCode_; }
  const fnd::Data& lastMessageData() const { return lastMessageData_; }

  // The device goes away: a session ends and the delegate hears didRemoveDevice. Called by
  // the browser.
  void detach();

 private:
  explicit ScannerDevice(DeviceDefinition definition) : definition_(std::move(definition)) {}

  DeviceDefinition definition_;
  ScannerDeviceDelegate* delegate_ = nullptr;
  bool open_ = false;
  bool opening_ = false;
  bool attached_ = true;
  std::uint32_t lastMessageCode_ = 0;
  fnd::Data lastMessageData_;
};

}  // namespace capture
