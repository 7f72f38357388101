// JPEG and TIFF files from elsewhere through the image source: count, properties, images
// pulled row by row, and thumbnails. Images of more than 2^22 pixels are only opened, not
// decoded: a few compressed bytes can describe rows that take long to decode, which is time,
// not memory (the sources allocate row by row).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imageio/CodecModule.h"
#include "imageio/ImageProperties.h"
#include "imageio/ImageSource.h"
#include "imageio/RowReader.h"

using namespace imageio;

// The decoders live in the codec module, loaded on first use: loaded before the first input, so
// libFuzzer counts its coverage from the start.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  imageio::codecModule();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto source = ImageSource::createWithData(fnd::Data(data, data + size));
  if (!source) return 0;
  source->type();
  for (std::size_t i = 0; i < source->count() && i < 3; ++i) {
    auto properties = source->copyPropertiesAtIndex(i);
    ImageRef image = source->createImageAtIndex(i);
    if (!properties || !image) continue;
    if (image->width() * image->height() > (std::size_t(1) << 22)) continue;
    RowReader rows(*image);
    std::vector<std::uint8_t> row8(image->width() * std::size_t(rows.components()));
    while (rows.next8(row8.data())) {
    }
    source->createThumbnailAtIndex(i, {{kCGImageSourceThumbnailMaxPixelSize, 24},
                                       {kCGImageSourceCreateThumbnailWithTransform, true}});
  }
  return 0;
}
