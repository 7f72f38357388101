#include "scanmodule/DeviceSettings.h"

#include <map>
#include <mutex>

namespace velmor {

namespace {

struct Store {
  std::mutex mutex;
  std::map<std::string, DeviceSettings::Silent> silent;
  std::map<std::string, DeviceSettings::Power> power;
};

Store& store() {
  static Store s;
  return s;
}

}  // namespace

DeviceSettings::Silent DeviceSettings::silent(const std::string& device) {
  std::lock_guard lock(store().mutex);
  auto it = store().silent.find(device);
  return it == store().silent.end() ? Silent{} : it->second;
}

void DeviceSettings::setSilent(const std::string& device, const Silent& value) {
  std::lock_guard lock(store().mutex);
  store().silent[device] = value;
}

DeviceSettings::Power DeviceSettings::power(const std::string& device) {
  std::lock_guard lock(store().mutex);
  auto it = store().power.find(device);
  return it == store().power.end() ? Power{} : it->second;
}

void DeviceSettings::setPowerOff(const std::string& device, int offTime) {
  std::lock_guard lock(store().mutex);
  store().power[device].offTime = offTime;
}

void DeviceSettings::setPowerOn(const std::string& device, int on) {
  std::lock_guard lock(store().mutex);
  store().power[device].on = on;
}

void DeviceSettings::reset() {
  std::lock_guard lock(store().mutex);
  store().silent.clear();
  store().power.clear();
}

}  // namespace velmor
