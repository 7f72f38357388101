#pragma once

// Kept, tested and with no caller in this program: devices are opened through the device table.

#include <cstdint>
#include <optional>
#include <string>

#include "foundation/Value.h"

// The scanner the sibling scan utility last connected to: model, interface (0 USB, 1 network,
// -1 unset) and when.
class Zorvik_ConnectDevice {
 public:
  Zorvik_ConnectDevice() = default;
  // The keys the dictionary holds; missing ones keep their defaults.
  explicit Zorvik_ConnectDevice(const fnd::Dictionary& dictionary);
  Zorvik_ConnectDevice(std::string modelName, std::int64_t interface, std::optional<fnd::Date> connectLatest)
      : _modelName(std::move(modelName)), _interface(interface), _connectLatest(connectLatest) {}

  fnd::Dictionary dictionaryRepresentation() const;

  const std::string& modelName() const { return _modelName; }
  void setModelName(std::string v) { _modelName = std::move(v); }
  std::int64_t interface() const { return _interface; }
  void setInterface(std::int64_t v) { _interface = v; }
  const std::optional<fnd::Date>& connectLatest() const { return _connectLatest; }
  void setConnectLatest(std::optional<fnd::Date> v) { _connectLatest = v; }

 private:
  std::string _modelName;
  std::int64_t _interface = -1;
  std::optional<fnd::Date> _connectLatest;
};
