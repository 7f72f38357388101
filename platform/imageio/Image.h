#pragma once

#include <cstddef>
#include <memory>

#include "imageio/ColorSpace.h"
#include "imageio/DataProvider.h"

namespace imageio {

// Where an alpha channel sits in a pixel, and whether it is used.
enum class AlphaInfo { None, PremultipliedLast, PremultipliedFirst, Last, First, NoneSkipLast, NoneSkipFirst };
// Byte order of the samples: Default is big-endian for 16-bit samples.
enum class ByteOrder { Default, Little16, Big16 };

struct BitmapInfo {
  AlphaInfo alpha = AlphaInfo::None;
  ByteOrder order = ByteOrder::Default;
};

enum class RenderingIntent { Default, AbsoluteColorimetric, RelativeColorimetric, Perceptual, Saturation };

class Image;
// Images are immutable and shared by whoever holds them.
using ImageRef = std::shared_ptr<const Image>;

// An image described by its pixel layout and fed by a data provider; the pixels are pulled
// row by row when the image is encoded or drawn.
class Image {
 public:
  // Null when the layout is not one we handle: 1, 8 or 16 bits per component; grey or RGB,
  // plus one alpha or padding sample as the alpha info says (1-bit images: grey, no alpha);
  // bits per pixel equal to the sum of the samples; row bytes at least the pixel bytes.
  // A decode array is not applied (every caller passes none).
  static ImageRef create(std::size_t width, std::size_t height, std::size_t bitsPerComponent,
                         std::size_t bitsPerPixel, std::size_t bytesPerRow, ColorSpaceRef colorSpace,
                         BitmapInfo bitmapInfo, DataProviderRef provider, const double* decode = nullptr,
                         bool shouldInterpolate = false, RenderingIntent intent = RenderingIntent::Default);
  // The same pixels in another colour space of the same number of components (the values
  // are kept, their meaning changes); null when the component counts differ.
  static ImageRef createCopyWithColorSpace(const ImageRef& image, ColorSpaceRef colorSpace);

  std::size_t width() const { return width_; }
  std::size_t height() const { return height_; }
  std::size_t bitsPerComponent() const { return bitsPerComponent_; }
  std::size_t bitsPerPixel() const { return bitsPerPixel_; }
  std::size_t bytesPerRow() const { return bytesPerRow_; }
  const ColorSpaceRef& colorSpace() const { return colorSpace_; }
  BitmapInfo bitmapInfo() const { return bitmapInfo_; }
  AlphaInfo alphaInfo() const { return bitmapInfo_.alpha; }
  const DataProviderRef& dataProvider() const { return provider_; }
  bool shouldInterpolate() const { return shouldInterpolate_; }
  RenderingIntent renderingIntent() const { return intent_; }

  // Samples per pixel, alpha or padding included.
  int samplesPerPixel() const;
  bool hasAlphaSample() const { return bitmapInfo_.alpha != AlphaInfo::None; }
  // Alpha that carries meaning (not padding).
  bool hasAlpha() const;

  Image(std::size_t width, std::size_t height, std::size_t bitsPerComponent, std::size_t bitsPerPixel,
        std::size_t bytesPerRow, ColorSpaceRef colorSpace, BitmapInfo bitmapInfo, DataProviderRef provider,
        bool shouldInterpolate, RenderingIntent intent);

 private:
  std::size_t width_;
  std::size_t height_;
  std::size_t bitsPerComponent_;
  std::size_t bitsPerPixel_;
  std::size_t bytesPerRow_;
  ColorSpaceRef colorSpace_;
  BitmapInfo bitmapInfo_;
  DataProviderRef provider_;
  bool shouldInterpolate_;
  RenderingIntent intent_;
};

}  // namespace imageio
