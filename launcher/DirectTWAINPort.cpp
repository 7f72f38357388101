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

void Zorvik_DirectTWAINPort::dtScannerSetRequest(const fnd::Dictionary& request) {
  mDataSource->dsSetLauncherRequest(request);
}

std::int32_t Zorvik_DirectTWAINPort::dtScannerCloseUserInterface() { return mDataSource->dtScannerCloseUserInterface(); }

std::int32_t Zorvik_DirectTWAINPort::dtScannerCloseDevice() { return mDataSource->dtScannerCloseDevice(); }

std::int32_t Zorvik_DirectTWAINPort::dtScannerSetupMemorySize(std::uint32_t size) {
  return mDataSource->dtScannerSetupMemorySize(size);
}

std::int32_t Zorvik_DirectTWAINPort::dtScannerGetImageInfo(DT_IMAGEINFO* info) {
  return mDataSource->dtScannerGetImageInfo(info);
}

std::int32_t Zorvik_DirectTWAINPort::dtScannerImageMemoryTransfer(TW_IMAGEMEMXFER* xfer) {
  return mDataSource->dtScannerImageMemoryTransfer(xfer);
}

std::int32_t Zorvik_DirectTWAINPort::dtScannerPendingTransfers(std::int32_t mode) {
  return mDataSource->dtScannerPendingTransfers(mode);
}

std::int32_t Zorvik_DirectTWAINPort::dtScannerNotifyDidFinishSaving(std::int32_t status) {
  return mDataSource->dtScannerNotifyDidFinishSaving(status);
}

const void* Zorvik_DirectTWAINPort::notificationSender() const { return mDataSource.get(); }
