#pragma once

#include <string>

#include "foundation/Value.h"

namespace velmor {

// The settings a device keeps in itself (quiet mode and automatic power), per device name, for
// as long as the module is loaded: a second controller of the same device reads what the first
// one wrote. Thread-safe.
class DeviceSettings {
 public:
  struct Silent {
    int setting = 0;  // 0 off, 1 on, 2 within the time range
    int startHour = 21, startMinutes = 0, endHour = 7, endMinutes = 0;
  };
  struct Power {
    int offTime = 0;  // 0 disabled, 2..6 after 15..240 minutes (1: enabled on simple devices)
    int on = 0;       // 0 disabled, 1 enabled
  };

  static Silent silent(const std::string& device);
  static void setSilent(const std::string& device, const Silent& value);
  static Power power(const std::string& device);
  static void setPowerOff(const std::string& device, int offTime);
  static void setPowerOn(const std::string& device, int on);
  // Forgets every device's settings (tests).
  static void reset();
};

}  // namespace velmor
