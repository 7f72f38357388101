// EXIF payloads of JPEG APP1 segments from elsewhere.
#include <cstddef>
#include <cstdint>

#include "imageio/ExifSegment.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fnd::Dictionary tiff, exif;
  imageio::ExifSegment::parse(data, size, tiff, exif);
  return 0;
}
