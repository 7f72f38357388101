#pragma once

// Per-image options for the final pass: maker, device and application names, rotation code
// (SMCodes.h) and an option switch. Made, copied and released only through the SM_ functions.

#include <cstdint>
#include <memory>
#include <string>

#include "launcher/save/CMError.h"

class ISM_OPTION_INFO {
 public:
  virtual ~ISM_OPTION_INFO() = default;

  // Texts; null when the string object is missing.
  virtual const std::string* GetMakerName() const = 0;
  virtual const std::string* GetDeviceName() const = 0;
  virtual const std::string* GetAppName() const = 0;
  virtual std::int32_t GetRotation() const = 0;       // signed 16-bit field
  virtual std::uint32_t GetOptionSwitch() const = 0;  // unsigned 16-bit field
  // 0xDCA01 for null text, 0xD9802 when the string object is missing.
  virtual CMResult SetMakerName(const std::string* name) = 0;
  virtual CMResult SetDeviceName(const std::string* name) = 0;
  virtual CMResult SetAppName(const std::string* name) = 0;
  // Store the low 16 bits.
  virtual CMResult SetRotation(std::int32_t rotation) = 0;
  virtual CMResult SetOptionSwitch(std::uint32_t value) = 0;
};

// Creating or copying into a set slot is refused with 0xDCA01 (slot and record left alone).
CMResult SM_CreateOptionInfo(std::unique_ptr<ISM_OPTION_INFO>* slot);
CMResult SM_CopyOptionInfo(std::unique_ptr<ISM_OPTION_INFO>* slot, const ISM_OPTION_INFO* source);
CMResult SM_ReleaseOptionInfo(std::unique_ptr<ISM_OPTION_INFO>* slot);
