#include "capture/DeviceBrowser.h"

#include <algorithm>

#include "foundation/RunLoop.h"

namespace capture {

// Shared with the queued reports, which check that the browser still exists.
struct DeviceBrowser::State {
  DeviceBrowser* owner = nullptr;
  std::string file;
  DeviceBrowserDelegate* delegate = nullptr;
  unsigned mask = kDeviceTypeScanner | kDeviceLocationMask;
  bool started = false;
  bool browsing = false;
  std::vector<std::shared_ptr<ScannerDevice>> devices;
};

DeviceBrowser::DeviceBrowser() : DeviceBrowser(DeviceDefinition::defaultFile()) {}

DeviceBrowser::DeviceBrowser(std::string definitionFile) : state_(std::make_shared<State>()) {
  state_->owner = this;
  state_->file = std::move(definitionFile);
}

DeviceBrowser::~DeviceBrowser() {
  state_->owner = nullptr;
  state_->browsing = false;
}

void DeviceBrowser::setDelegate(DeviceBrowserDelegate* delegate) { state_->delegate = delegate; }
DeviceBrowserDelegate* DeviceBrowser::delegate() const { return state_->delegate; }
void DeviceBrowser::setBrowsedDeviceTypeMask(unsigned mask) { state_->mask = mask; }
unsigned DeviceBrowser::browsedDeviceTypeMask() const { return state_->mask; }
bool DeviceBrowser::isBrowsing() const { return state_->browsing; }
const std::vector<std::shared_ptr<ScannerDevice>>& DeviceBrowser::devices() const { return state_->devices; }

void DeviceBrowser::start() {
  if (state_->started) return;
  state_->started = true;
  state_->browsing = true;

  std::vector<std::shared_ptr<ScannerDevice>> found;
  const unsigned mask = state_->mask;
  for (DeviceDefinition& def : DeviceDefinition::loadFile(state_->file)) {
    const unsigned type = def.type();
    if ((type & mask & kDeviceTypeMask) == 0 || (type & mask & kDeviceLocationMask) == 0) continue;
    found.push_back(ScannerDevice::create(std::move(def)));
  }

  // One queued report per device, then the end of the enumeration.
  std::weak_ptr<State> weak = state_;
  for (std::size_t i = 0; i < found.size(); ++i) {
    const bool moreComing = i + 1 < found.size();
    fnd::RunLoop::performOnMainThread([weak, device = found[i], moreComing] {
      auto state = weak.lock();
      if (!state || !state->browsing || !state->owner) return;
      state->devices.push_back(device);
      if (auto* d = state->delegate) d->didAddDevice(*state->owner, *device, moreComing);
    });
  }
  fnd::RunLoop::performOnMainThread([weak] {
    auto state = weak.lock();
    if (!state || !state->browsing || !state->owner) return;
    if (auto* d = state->delegate) d->didEnumerateLocalDevices(*state->owner);
  });
}

void DeviceBrowser::stop() { state_->browsing = false; }

bool DeviceBrowser::removeDevice(const std::string& identifier) {
  auto& list = state_->devices;
  auto it = std::find_if(list.begin(), list.end(), [&](const auto& d) { return d->UUIDString() == identifier; });
  if (it == list.end()) return false;
  std::shared_ptr<ScannerDevice> device = *it;
  list.erase(it);
  device->detach();
  if (auto* d = state_->delegate) d->didRemoveDevice(*this, *device, false);
  return true;
}

}  // namespace capture
