#pragma once

#include "foundation/Value.h"
#include "launcher/ValueTransformer.h"

// Registered as "MyDeviceName": a scanner (a capture::ScannerDevice object) to the name the
// device-select table shows; "Unknown Device" for null. A string stands for itself.
class deviceNmaeToDisplayTransformer : public Zorvik_ValueTransformer {
 public:
  static constexpr const char* kName = "MyDeviceName";
  static constexpr const char* kUnknownDevice = "Unknown Device";
  fnd::Value transformedValue(const fnd::Value& value) const override;

  fnd::Array& deviceNames() { return mDeviceName; }

 private:
  fnd::Array mDeviceName;
};
