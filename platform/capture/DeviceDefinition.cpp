#include "capture/DeviceDefinition.h"

#include <cstdlib>

#include "foundation/Paths.h"
#include "foundation/PropertyList.h"

namespace capture {

unsigned DeviceDefinition::type() const {
  return kDeviceTypeScanner | (transport == TransportType::USB ? kDeviceLocationLocal : kDeviceLocationNetwork);
}

bool DeviceDefinition::fromDictionary(const fnd::Dictionary& entry, int position, DeviceDefinition& out) {
  const std::string name = entry.string("Name");
  if (name.empty()) return false;
  out = DeviceDefinition{};
  out.name = name;
  out.identifier = entry.string("Identifier");
  if (out.identifier.empty()) out.identifier = "VIRTUAL-SCANNER-" + std::to_string(position + 1);
  out.transport = entry.string("Transport") == kTransportTCPIP ? TransportType::TCPIP : TransportType::USB;
  out.usbVendorId = entry.contains("VendorID") ? entry.intValue("VendorID") : kMakerUsbVendorId;
  out.usbLocationId = entry.contains("LocationID") ? static_cast<std::uint32_t>(entry.integer("LocationID"))
                                                   : 0x14100000U + static_cast<std::uint32_t>(position);
  out.model = entry.dictionary("Model");
  out.behaviour = entry.dictionary("Behaviour");
  return true;
}

std::string DeviceDefinition::defaultFile() {
  if (const char* file = std::getenv(kDeviceFileVariable); file && *file) return file;
  return fnd::Paths::resourceDir() + "/devices/VirtualDevices.plist";
}

std::vector<DeviceDefinition> DeviceDefinition::loadFile(const std::string& path) {
  std::vector<DeviceDefinition> list;
  const auto result = fnd::PropertyList::readFile(path);
  if (!result.ok()) return list;
  const fnd::Array& entries = (*result.value)["Devices"].toArray();
  int position = 0;
  for (const fnd::Value& entry : entries) {
    DeviceDefinition def;
    if (entry.isDictionary() && fromDictionary(entry.toDictionary(), position, def)) list.push_back(std::move(def));
    ++position;
  }
  return list;
}

}  // namespace capture
