#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "datasource/TransferRecords.h"
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
  // The launcher's own request for the user interface opened next: "UILessMode" 1 scans
  // without the main window (its "ScanDic" says what), "QuietSetting" or "AutoPowerSetting" 1
  // opens that device dialog alone. A data source that knows no such request ignores it.
  virtual void dtScannerSetRequest(const fnd::Dictionary& request) { (void)request; }
  virtual std::int32_t dtScannerCloseUserInterface() = 0;
  virtual std::int32_t dtScannerCloseDevice() = 0;

  // Pulling the images after "MSG_XFERREADY". The records and the buffer are the launcher's.
  // Answers 0 and keeps nothing (the block size is each transfer's Memory.Length).
  virtual std::int32_t dtScannerSetupMemorySize(std::uint32_t size) = 0;
  // Fills the description of the image about to be transferred.
  virtual std::int32_t dtScannerGetImageInfo(DT_IMAGEINFO* info) = 0;
  // One block of rows: TWRC_SUCCESS more follow, TWRC_XFERDONE the image's last block,
  // TWRC_FAILURE or TWRC_CANCEL the image failed.
  virtual std::int32_t dtScannerImageMemoryTransfer(TW_IMAGEMEMXFER* xfer) = 0;
  // Mode 1 gives the rest up; 0 asks how many images follow (0 none; negative: the scan ended
  // without more, -3 no room for the next feeder page, -2 an error).
  virtual std::int32_t dtScannerPendingTransfers(std::int32_t mode) = 0;
  // 0 saved, 1 ended after a failed transfer, 2 given up.
  virtual std::int32_t dtScannerNotifyDidFinishSaving(std::int32_t status) = 0;

  // The sender of the data source's notifications to the launcher ("MSG_XFERREADY",
  // "MSG_CLOSEDSREQ", "MSG_DOCUMENTEND", "ntfQuirel_SaveInfo").
  virtual const void* notificationSender() const = 0;
};

// Makes the data source at launch; null when this build has none.
using Zorvik_DataSourceFactory = std::function<std::unique_ptr<Zorvik_DataSourcePort>()>;

// The product's data source for the launcher (launcher/DirectTWAINPort.h); null while the user
// interface cannot show its main window.
std::unique_ptr<Zorvik_DataSourcePort> Zorvik_MakeDirectTWAIN();

// Whether the user interface can build its main window (the root makes a window controller).
bool Zorvik_FrontDoorHasMainWindow();
// Tests: a stand-in for the main window answers in its place (nothing: ask the root again).
void Zorvik_SetMainWindowStandIn(std::optional<bool> present);
