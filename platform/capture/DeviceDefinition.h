#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "capture/Constants.h"
#include "foundation/Value.h"

namespace capture {

// One device of the device definition file.
//
// The file is an XML property list: a dictionary whose "Devices" array holds one dictionary
// per device:
//   "Name"        string, as the device reports it (required; entries without one are skipped)
//   "Identifier"  string, the device's identifier (default "VIRTUAL-SCANNER-<position>")
//   "Transport"   "USB" (default) or "TCP/IP"
//   "VendorID"    integer, USB vendor identifier (default: the maker's)
//   "LocationID"  integer, USB location (default 0x14100000 + position)
//   "Model"       dictionary of model parameters (read by the scan module)
//   "Behaviour"   dictionary of simulated behaviour and injected faults, among them
//                 "SessionOpenError" (integer, e.g. -9925 busy or -9923 timed out) and
//                 "ReadyDelay" (seconds from an open session to ready), read here; the rest
//                 is read by the scan module.
struct DeviceDefinition {
  std::string name;
  std::string identifier;
  TransportType transport = TransportType::USB;
  int usbVendorId = kMakerUsbVendorId;
  std::uint32_t usbLocationId = 0;
  fnd::Dictionary model;
  fnd::Dictionary behaviour;

  // Scanner bit plus the location bit of the transport.
  unsigned type() const;

  // The entry at `position` of the file; false when it has no name.
  static bool fromDictionary(const fnd::Dictionary& entry, int position, DeviceDefinition& out);

  // TRIVOLAN_DEVICE_FILE when set, else devices/VirtualDevices.plist in the resource folder.
  static std::string defaultFile();

  // Every usable entry of a file; empty when the file is missing or cannot be read.
  static std::vector<DeviceDefinition> loadFile(const std::string& path);
};

}  // namespace capture
