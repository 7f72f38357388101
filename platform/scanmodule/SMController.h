#pragma once

#include <cstdint>

#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"

// The scan module's controller as the data source drives it. The data source reaches the
// module only through this interface (the library is loaded at run time, see Module.h), so
// every operation is virtual.
//
// Reports (see ScanReports.h) are posted on fnd::NotificationCenter::defaultCenter() from the
// module's own thread, with this controller as sender. Call the operations from the data
// source's thread, not from inside a report: smContinousScan2 waits for the module's thread,
// and releasing or destroying the controller joins it.
class Velmor_SMController {
 public:
  virtual ~Velmor_SMController() = default;

  virtual void initScanM() = 0;
  // Takes the start settings; 0 on success. Any other answer is followed by an error report.
  virtual int smInitSetting(const fnd::Dictionary& settings) = 0;
  virtual void smSetMaxPercentage(int percentage, int line) = 0;
  virtual void smSetTransferMode(int mode) = 0;
  // The device's capabilities, or null before a successful initial setting.
  virtual fnd::SharedDictionary smGetDeviceInformation() = 0;

  // Per page: start the scanner after the image report.
  virtual void smStartScan() = 0;
  // The next row in line mode (row bytes long, valid until the next call), or null while no
  // row is ready: after a cancel at once, after a failure once the rows before it are read.
  virtual const std::uint8_t* smReadScan() = 0;
  // Waits up to `seconds` until smReadScan has a row, the page or the document ends or the scan
  // is cancelled. True when a row is ready; false otherwise, and always when this module cannot
  // wait (the caller then pauses on its own).
  virtual bool smWaitScan(double /*seconds*/) { return false; }
  virtual void smEndScan() = 0;
  // Pages still to come after the current one; 65534 when the document ended with an error
  // (the error report has been posted before the answer).
  virtual int smContinousScan2(int source) = 0;
  virtual void smCancelScan() = 0;
  // Non-zero when paper is loaded in the document feeder.
  virtual int smCheckADFPaperStatus(int unit) = 0;
  virtual void releaseScanM() = 0;

  // Requests of the user interface, relayed by the data source. Answers are written inside the
  // call: "SMResult" (a shared int), the setting keys of the device-setting requests (into the
  // notification's mutable dictionary), the four result cells of a crop correction (addresses in
  // "CropItem"[1]: "DATA_WIDTH", "DATA_HEIGHT", "DATA_P", "DATA_H"; the blocks are malloc'ed and
  // the requester frees them), and "newPoints" of an automatic crop (into the shared dictionary
  // under "autoCropPDic").
  virtual void smPreviewScan(const fnd::Notification& note) = 0;
  virtual void smCropCorrect(const fnd::Dictionary& request) = 0;
  virtual void smAutoCrop(const fnd::Dictionary& request) = 0;
  virtual void smStartScanEvent(const fnd::Dictionary& request) = 0;
  virtual void smZoomScan(const fnd::Notification& note) = 0;
  virtual void smScanModuleBackup(const fnd::Notification& note) = 0;
  virtual void smScanModuleResume(const fnd::Notification& note) = 0;
  virtual void smClearPreview(const fnd::Notification& note) = 0;
  virtual void smSetUserGamma(const fnd::Dictionary& request) = 0;
  virtual void smCalibration(const fnd::Notification& note) = 0;
  virtual void smScannterTest(const fnd::Notification& note) = 0;
  virtual void smSetLampOff(const fnd::Dictionary& request) = 0;
  virtual void smChangeInputSource(const fnd::Notification& note) = 0;
  virtual void smExecuteHSL(const fnd::Notification& note) = 0;
  virtual void smResizeBitmap(const fnd::Notification& note) = 0;
  virtual void smSetSilentSetting(const fnd::Notification& note) = 0;
  virtual void smGetSilentSetting(const fnd::Notification& note) = 0;
  virtual void smSetAutoPowerOffSetting(const fnd::Notification& note) = 0;
  virtual void smGetAutoPowerOffSetting(const fnd::Notification& note) = 0;
  virtual void smSetAutoPowerOnSetting(const fnd::Notification& note) = 0;
  virtual void smGetAutoPowerOnSetting(const fnd::Notification& note) = 0;
};
