#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Value.h"
#include "ui/base/progressCancelStatus.h"

// What the root object asks of the progress window (and its wait windows). The root reaches the
// window only through this interface, so the root's tests can stand in for the window.
class Quirel_ProgressWindowPort {
 public:
  virtual ~Quirel_ProgressWindowPort() = default;

  // The identity the window passes as the sender of its outward posts; the root relays
  // "Uthric_OverrideNotification" from exactly this sender.
  virtual const void* notificationSender() const = 0;

  virtual void setInitSettingMainThreadMode(const fnd::SharedDictionary& initSetting) = 0;
  virtual void createProgressWindowMainThreadMode() = 0;
  virtual void setInformationDataMainThreadMode(const fnd::Dictionary* info) = 0;
  virtual void showProgressWindowMainThreadMode() = 0;
  virtual void activateProgressWindowMainThreadMode() = 0;
  virtual void setPercentageMainThreadMode(std::int16_t percent) = 0;
  virtual void setScanningInfoMainThreadMode(std::int16_t now, std::int16_t total, std::int16_t source) = 0;
  // Minutes; -1 while the time is not known.
  virtual void setEstimatedRemainingTimeMainThreadMode(std::int32_t minutes) = 0;
  // `format` none or a format with "%d" placeholders; `numbers` holds 0 to 3 integers, never
  // more than the format has placeholders.
  virtual void setMessageFieldInfoMainThreadMode(std::int32_t messageNumber, const std::optional<std::string>& format,
                                                 const std::vector<std::int32_t>& numbers) = 0;
  virtual void closeProgressWindowMainThreadMode() = 0;
  virtual void attachMousedownEventMainThreadMode(const std::shared_ptr<Quirel_progressCancelStatus>& status) = 0;
  virtual void displayCalibrationProcWindowMainThreadMode(std::int32_t displayMode) = 0;
  virtual void closeCalibrationProcWindowMainThreadMode() = 0;
  virtual void displayScannerConnectWindowMainThreadMode() = 0;
  virtual void closeScannerConnectWindowwMainThreadMode() = 0;
};
