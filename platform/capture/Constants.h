#pragma once

#include <cstdint>

namespace capture {

// The scanner maker's USB vendor identifier. Our own number; every device of the maker
// reports it and the launcher keeps only devices that carry it.
inline constexpr int kMakerUsbVendorId = 0x2E8B;

// Device type bits: the kind in the low byte, where the device was found in the next one.
inline constexpr unsigned kDeviceTypeCamera = 0x0001;
inline constexpr unsigned kDeviceTypeScanner = 0x0002;
inline constexpr unsigned kDeviceLocationLocal = 0x0100;
inline constexpr unsigned kDeviceLocationShared = 0x0200;
inline constexpr unsigned kDeviceLocationNetwork = 0x0400;
inline constexpr unsigned kDeviceTypeMask = 0x00FF;
inline constexpr unsigned kDeviceLocationMask = 0xFF00;

// How a device is connected.
enum class TransportType { USB, TCPIP };
inline constexpr const char* kTransportUSB = "USB";
inline constexpr const char* kTransportTCPIP = "TCP/IP";

// Session and message errors a device reports.
inline constexpr int kErrorNone = 0;
inline constexpr int kErrorSessionNotOpen = -9922;
inline constexpr int kErrorTimedOut = -9923;        // communication timed out
inline constexpr int kErrorDeviceInUse = -9925;     // the scanner is in use by a local user
inline constexpr int kErrorScannerInformation = -9933;  // unsolicited scanner error information

// Environment variable naming the device definition file to use instead of the default one.
inline constexpr const char* kDeviceFileVariable = "TRIVOLAN_DEVICE_FILE";

}  // namespace capture
