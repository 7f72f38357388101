#include "capture/ScannerDevice.h"

#include <algorithm>

#include "foundation/RunLoop.h"

namespace capture {

std::shared_ptr<ScannerDevice> ScannerDevice::create(DeviceDefinition definition) {
  return std::shared_ptr<ScannerDevice>(new ScannerDevice(std::move(definition)));
}

void ScannerDevice::requestOpenSession() {
  if (open_ || opening_) return;
  opening_ = true;
  std::weak_ptr<ScannerDevice> weak = weak_from_this();
  fnd::RunLoop::performOnMainThread([weak] {
    auto self = weak.lock();
    if (!self) return;
    self->opening_ = false;
    const int error = self->attached_ ? self->definition_.behaviour.intValue("SessionOpenError") : kErrorTimedOut;
    if (error != kErrorNone) {
      if (auto* d = self->delegate_) d->didOpenSession(*self, error);
      return;
    }
    self->open_ = true;
    if (auto* d = self->delegate_) d->didOpenSession(*self, kErrorNone);
    // The device warms up before it is ready.
    const double delay = std::max(0.0, self->definition_.behaviour.real("ReadyDelay"));
    fnd::RunLoop::main().performAfterDelay(delay, [weak] {
      auto device = weak.lock();
      if (!device || !device->open_) return;
      if (auto* d = device->delegate_) d->deviceDidBecomeReady(*device);
    });
  });
}

void ScannerDevice::requestCloseSession() {
  std::weak_ptr<ScannerDevice> weak = weak_from_this();
  fnd::RunLoop::performOnMainThread([weak] {
    auto self = weak.lock();
    if (!self) return;
    const int error = self->open_ ? kErrorNone : kErrorSessionNotOpen;
    self->open_ = false;
    if (auto* d = self->delegate_) d->didCloseSession(*self, error);
  });
}

void ScannerDevice::requestSendMessage(std::uint32_t code, fnd::Data outData, std::size_t maxReturnedDataSize,
                                       SendMessageCompletion completion) {
  std::weak_ptr<ScannerDevice> weak = weak_from_this();
  fnd::RunLoop::performOnMainThread(
      [weak, code, data = std::move(outData), maxReturnedDataSize, completion = std::move(completion)]() mutable {
        auto self = weak.lock();
        if (!self) return;
        if (!self->open_) {
          if (completion) completion(*self, code, fnd::Data{}, kErrorSessionNotOpen);
          return;
        }
        self->lastMessageCode_ = code;
        self->lastMessageData_ = data;
        // The device acknowledges with the message it took, cut to what the sender can take.
        fnd::Data answer(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(std::min(maxReturnedDataSize, data.size())));
        if (completion) completion(*self, code, answer, kErrorNone);
      });
}

void ScannerDevice::detach() {
  attached_ = false;
  open_ = false;
  if (auto* d = delegate_) d->didRemoveDevice(*this);
}

}  // namespace capture
