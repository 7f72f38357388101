#pragma once

// Kept, tested and with no caller in this program: the device table shows the browser's devices
// directly, and nothing here reads a device record back.

#include <cstdint>
#include <optional>
#include <string>

#include "foundation/Value.h"

namespace capture {
class ScannerDevice;
}

// One scanner as the sibling scan utility records it: its names, how it is connected and its
// network push and pull settings. The dictionary form is what the utility stores; the list
// form is the nested list of nine values the utility exchanges with other programs.
class Zorvik_ICADevice {
 public:
  static constexpr const char* kDateFormat = "yyyy-MM-dd'T'HH:mm:ssZZZ";

  // Every field at its default (interface -1: unset).
  Zorvik_ICADevice() = default;
  // The fields the dictionary holds; the others keep their defaults. Null: all defaults.
  explicit Zorvik_ICADevice(const fnd::Dictionary* dictionary);
  // The list form: a list whose first item is the list of nine values. With fewer items,
  // or items of the wrong kind, every field keeps its default.
  static Zorvik_ICADevice initWithAppleEventDescriptor(const fnd::Value& descriptor);

  bool isUSB() const { return _interface == 0; }
  bool isLAN() const { return _interface == 1; }
  // 1 for a network (TCP/IP) device, else 0.
  void setInterfaceWithICDevice(const capture::ScannerDevice& device);

  fnd::Dictionary dictionaryRepresentation() const;
  fnd::Value appleEventDescriptorRepresentation() const;

  // previous: the same device's earlier record, or null. When it had push on nothing changes;
  // otherwise, when this record has push on, the push date becomes now. True when it changed.
  bool updateNWPushLatest(const Zorvik_ICADevice* previous);

  // Dates in kDateFormat, with the local time zone's offset ("2024-05-01T10:20:30+0200").
  static std::optional<fnd::Date> convertDateFromString(const std::string& text);
  static std::string convertStringFromDate(fnd::Date date);

  // Newest push date first: -1 when this record sorts before other, 1 after, 0 the same. A
  // record without a date sorts after one with a date.
  int compareByDate(const Zorvik_ICADevice& other) const;

  std::string description() const;

  const std::string& modelName() const { return _modelName; }
  void setModelName(std::string v) { _modelName = std::move(v); }
  const std::string& bonjourName() const { return _bonjourName; }
  void setBonjourName(std::string v) { _bonjourName = std::move(v); }
  bool nwConnect() const { return _nwConnect; }
  void setNwConnect(bool v) { _nwConnect = v; }
  bool nwPull() const { return _nwPull; }
  void setNwPull(bool v) { _nwPull = v; }
  bool nwPush() const { return _nwPush; }
  void setNwPush(bool v) { _nwPush = v; }
  const std::optional<fnd::Date>& nwPushLatest() const { return _nwPushLatest; }
  void setNwPushLatest(std::optional<fnd::Date> v) { _nwPushLatest = v; }
  std::int64_t interface() const { return _interface; }
  void setInterface(std::int64_t v) { _interface = v; }
  const std::string& uuid() const { return _uuid; }
  void setUuid(std::string v) { _uuid = std::move(v); }
  std::int32_t usbLocationID() const { return _usbLocationID; }
  void setUsbLocationID(std::int32_t v) { _usbLocationID = v; }

 private:
  std::string _modelName;
  std::string _bonjourName;
  bool _nwConnect = false;
  bool _nwPull = false;
  bool _nwPush = false;
  std::optional<fnd::Date> _nwPushLatest;
  std::int64_t _interface = -1;
  std::string _uuid;
  std::int32_t _usbLocationID = 0;
};
