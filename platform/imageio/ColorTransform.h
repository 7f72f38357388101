#pragma once

#include <cstddef>

namespace imageio {

// Converts pixels between two ICC profiles, made by the codec module (CodecModule.h) for a
// ColorConverter.
class ColorTransform {
 public:
  virtual ~ColorTransform() = default;
  // in holds the source profile's samples, out receives the target's, in the layout the
  // transform was made for.
  virtual void convert(const void* in, void* out, std::size_t pixels) const = 0;
};

}  // namespace imageio
