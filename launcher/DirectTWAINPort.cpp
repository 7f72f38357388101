#include "launcher/DirectTWAINPort.h"

#include "datasource/DirectTWAIN.h"

Zorvik_DirectTWAINPort::Zorvik_DirectTWAINPort() : mDataSource(std::make_unique<Dravon_DirectTWAIN>()) {}

Zorvik_DirectTWAINPort::~Zorvik_DirectTWAINPort() = default;

std::int32_t Zorvik_DirectTWAINPort::dtScannerOpenDevice(const fnd::Dictionary& device) {
  return mDataSource->dtScannerOpenDevice(device);
}

std::int32_t Zorvik_DirectTWAINPort::dtScannerOpenUserInterface(std::int32_t unused) {
  return mDataSource->dtScannerOpenUserInterface(unused);
}

std::int32_t Zorvik_DirectTWAINPort::dtScannerCloseUserInterface() { return mDataSource->dtScannerCloseUserInterface(); }

std::int32_t Zorvik_DirectTWAINPort::dtScannerCloseDevice() { return mDataSource->dtScannerCloseDevice(); }

const void* Zorvik_DirectTWAINPort::notificationSender() const { return mDataSource.get(); }
