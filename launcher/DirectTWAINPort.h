#pragma once

#include <memory>

#include "launcher/DataSourcePort.h"

class Dravon_DirectTWAIN;

// The launcher's port over the real data source: each call goes to the data source's call of
// the same name, and the data source itself is the sender of its notifications.
class Zorvik_DirectTWAINPort final : public Zorvik_DataSourcePort {
 public:
  Zorvik_DirectTWAINPort();
  ~Zorvik_DirectTWAINPort() override;

  std::int32_t dtScannerOpenDevice(const fnd::Dictionary& device) override;
  std::int32_t dtScannerOpenUserInterface(std::int32_t unused) override;
  void dtScannerSetRequest(const fnd::Dictionary& request) override;
  std::int32_t dtScannerCloseUserInterface() override;
  std::int32_t dtScannerCloseDevice() override;
  std::int32_t dtScannerSetupMemorySize(std::uint32_t size) override;
  std::int32_t dtScannerGetImageInfo(DT_IMAGEINFO* info) override;
  std::int32_t dtScannerImageMemoryTransfer(TW_IMAGEMEMXFER* xfer) override;
  std::int32_t dtScannerPendingTransfers(std::int32_t mode) override;
  std::int32_t dtScannerNotifyDidFinishSaving(std::int32_t status) override;
  const void* notificationSender() const override;

  Dravon_DirectTWAIN& dataSource() const { return *mDataSource; }

 private:
  std::unique_ptr<Dravon_DirectTWAIN> mDataSource;
};
