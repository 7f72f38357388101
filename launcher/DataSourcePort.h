#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "foundation/Value.h"

// What the launcher asks of the data source, in the order it asks it. The data source's
// object implements it (through an adapter of its own); tests put a recorder in its place.
// Answers are the data source's result codes (0 success, 1 failure).
class Zorvik_DataSourcePort {
 public:
  virtual ~Zorvik_DataSourcePort() = default;

  // The device's entry of the device list, with the scanner object under "ICScannerDevice".
  // 1: the device could not be opened (the data source has shown why).
  virtual std::int32_t dtScannerOpenDevice(const fnd::Dictionary& device) = 0;
  // 0: the driver's user interface is open.
  virtual std::int32_t dtScannerOpenUserInterface(std::int32_t unused) = 0;
  virtual std::int32_t dtScannerCloseUserInterface() = 0;
  virtual std::int32_t dtScannerCloseDevice() = 0;

  // The sender of the data source's notifications to the launcher ("MSG_XFERREADY",
  // "MSG_CLOSEDSREQ", "ntfQuirel_SaveInfo").
  virtual const void* notificationSender() const = 0;
};

// Makes the data source at launch; null when this build has none.
using Zorvik_DataSourceFactory = std::function<std::unique_ptr<Zorvik_DataSourcePort>()>;

// The product's data source for the launcher. Null until images can be pulled through it; the
// port over the data source (launcher/DirectTWAINPort.h) opens and closes the device already.
std::unique_ptr<Zorvik_DataSourcePort> Zorvik_MakeDirectTWAIN();
