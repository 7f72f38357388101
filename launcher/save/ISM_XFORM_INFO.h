#pragma once

// The transform record: format pair, compression, size class, switches, names and settings
// carried along. Codes in SMCodes.h. Made, copied and released only through the SM_ functions.
// Numeric setters store the value cut to the field's width and answer 0; 16-bit getters widen
// with the field's signedness.

#include <cstdint>
#include <memory>
#include <string>

#include "launcher/save/CMError.h"
#include "launcher/save/ICMSTR_CLASS.h"

class ISM_XFORM_INFO {
 public:
  virtual ~ISM_XFORM_INFO() = default;

  virtual std::uint32_t GetFormatPair() const = 0;  // input << 16 | output
  virtual std::uint32_t GetOutFormat() const = 0;   // low 16 bits
  virtual std::uint32_t GetInFormat() const = 0;    // high 16 bits
  virtual std::int32_t GetSetting1() const = 0;
  virtual std::uint32_t GetSwitch1() const = 0;
  virtual std::uint32_t GetSwitch2() const = 0;
  virtual std::uint32_t GetSetting2() const = 0;
  virtual std::int32_t GetCompression() const = 0;
  virtual std::int32_t GetMode() const = 0;
  virtual std::int32_t GetSetting3() const = 0;
  virtual std::uint32_t GetSetting4() const = 0;
  virtual std::uint32_t GetSetting5() const = 0;
  virtual std::uint32_t GetSetting6() const = 0;
  virtual std::uint32_t GetSetting7() const = 0;
  virtual std::uint32_t GetSetting8() const = 0;
  virtual ICMSTR_CLASS* GetDeviceNameString() const = 0;
  // Texts; null when the string object is missing.
  virtual const std::string* GetDeviceName() const = 0;
  virtual const std::string* GetAppName() const = 0;
  virtual const std::string* GetText3() const = 0;
  virtual const std::string* GetText4() const = 0;

  virtual CMResult SetFormatPair(std::uint32_t pair) = 0;
  virtual CMResult SetFormat(std::uint32_t in, std::uint32_t out) = 0;
  virtual CMResult SetSetting1(std::int32_t value) = 0;
  virtual CMResult SetSwitch1(std::uint32_t value) = 0;
  virtual CMResult SetSwitch2(std::uint32_t value) = 0;
  virtual CMResult SetSetting2(std::uint32_t value) = 0;
  virtual CMResult SetCompression(std::int32_t value) = 0;
  virtual CMResult SetMode(std::int32_t value) = 0;
  virtual CMResult SetSetting3(std::int32_t value) = 0;
  virtual CMResult SetSetting4(std::uint32_t value) = 0;
  virtual CMResult SetSetting5(std::uint32_t value) = 0;
  virtual CMResult SetSetting6(std::uint32_t value) = 0;
  virtual CMResult SetSetting7(std::uint32_t value) = 0;
  virtual CMResult SetSetting8(std::uint32_t value) = 0;
  // 0xDCA01 for null text, 0xD9802 when the string object is missing.
  virtual CMResult SetDeviceName(const std::string* name) = 0;
  virtual CMResult SetAppName(const std::string* name) = 0;
  virtual CMResult SetText3(const std::string* text) = 0;
  virtual CMResult SetText4(const std::string* text) = 0;
};

// Creating or copying into a set slot is refused with 0xDCA01 (slot and record left alone).
CMResult SM_CreateXformInfo(std::unique_ptr<ISM_XFORM_INFO>* slot);
CMResult SM_CopyXformInfo(std::unique_ptr<ISM_XFORM_INFO>* slot, const ISM_XFORM_INFO* source);
CMResult SM_ReleaseXformInfo(std::unique_ptr<ISM_XFORM_INFO>* slot);
