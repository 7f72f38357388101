#pragma once

#include "launcher/ValueTransformer.h"

// Registered as "NSImageFromCGImage": a picture (a kit::Image object) to a new image of the
// same picture at its natural size; null for null or for anything that is not a picture.
class CGImageRefToNSImageTransformer : public Zorvik_ValueTransformer {
 public:
  static constexpr const char* kName = "NSImageFromCGImage";
  fnd::Value transformedValue(const fnd::Value& value) const override;
};
