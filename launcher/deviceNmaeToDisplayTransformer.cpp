#include "launcher/deviceNmaeToDisplayTransformer.h"

#include "capture/ScannerDevice.h"
#include "foundation/StringFormat.h"

fnd::Value deviceNmaeToDisplayTransformer::transformedValue(const fnd::Value& value) const {
  if (value.isNull()) return fnd::Value(kUnknownDevice);
  if (auto device = value.toObject<capture::ScannerDevice>()) return fnd::formatString("%@", {device->name()});
  return fnd::formatString("%@", {value.toString()});
}
