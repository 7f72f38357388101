#pragma once

#include <cstddef>
#include <memory>

#include "imageio/ColorSpace.h"
#include "imageio/ColorTransform.h"

namespace imageio {

// Converts rows of pixels from one colour space to another. Spaces with profiles go through
// Little CMS in the codec module (CodecModule.h); when either side is a device space (or both
// are the same space, or the module cannot be loaded) the values are kept and only the number
// of components changes (grey repeated, or RGB weighted).
class ColorConverter {
 public:
  ColorConverter(const ColorSpace& from, const ColorSpace& to, bool sixteenBit);
  ~ColorConverter();
  ColorConverter(const ColorConverter&) = delete;
  ColorConverter& operator=(const ColorConverter&) = delete;

  // in holds pixels of from's components, out receives to's; 8-bit or 16-bit host-order
  // samples as chosen at construction.
  void convert(const void* in, void* out, std::size_t pixels) const;
  bool usesProfiles() const { return transform_ != nullptr; }

 private:
  std::unique_ptr<ColorTransform> transform_;
  int inComponents_;
  int outComponents_;
  bool sixteen_;
};

}  // namespace imageio
