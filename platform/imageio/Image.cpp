#include "imageio/Image.h"

namespace imageio {

Image::Image(std::size_t width, std::size_t height, std::size_t bitsPerComponent, std::size_t bitsPerPixel,
             std::size_t bytesPerRow, ColorSpaceRef colorSpace, BitmapInfo bitmapInfo, DataProviderRef provider,
             bool shouldInterpolate, RenderingIntent intent)
    : width_(width),
      height_(height),
      bitsPerComponent_(bitsPerComponent),
      bitsPerPixel_(bitsPerPixel),
      bytesPerRow_(bytesPerRow),
      colorSpace_(std::move(colorSpace)),
      bitmapInfo_(bitmapInfo),
      provider_(std::move(provider)),
      shouldInterpolate_(shouldInterpolate),
      intent_(intent) {}

int Image::samplesPerPixel() const {
  return colorSpace_->numberOfComponents() + (hasAlphaSample() ? 1 : 0);
}

bool Image::hasAlpha() const {
  switch (bitmapInfo_.alpha) {
    case AlphaInfo::PremultipliedLast:
    case AlphaInfo::PremultipliedFirst:
    case AlphaInfo::Last:
    case AlphaInfo::First:
      return true;
    default:
      return false;
  }
}

ImageRef Image::create(std::size_t width, std::size_t height, std::size_t bitsPerComponent, std::size_t bitsPerPixel,
                       std::size_t bytesPerRow, ColorSpaceRef colorSpace, BitmapInfo bitmapInfo,
                       DataProviderRef provider, const double* /*decode*/, bool shouldInterpolate,
                       RenderingIntent intent) {
  if (!colorSpace || !provider || width == 0 || height == 0) return nullptr;
  if (bitsPerComponent != 1 && bitsPerComponent != 8 && bitsPerComponent != 16) return nullptr;
  std::size_t samples = std::size_t(colorSpace->numberOfComponents()) + (bitmapInfo.alpha != AlphaInfo::None ? 1 : 0);
  if (bitsPerComponent == 1 && samples != 1) return nullptr;
  if (bitsPerPixel != bitsPerComponent * samples) return nullptr;
  // Guard the row arithmetic against sizes no file of ours can hold.
  if (width > (std::size_t(1) << 31) || height > (std::size_t(1) << 31)) return nullptr;
  std::size_t pixelBytes = (width * bitsPerPixel + 7) / 8;
  if (bytesPerRow < pixelBytes) return nullptr;
  return std::make_shared<Image>(width, height, bitsPerComponent, bitsPerPixel, bytesPerRow, std::move(colorSpace),
                                 bitmapInfo, std::move(provider), shouldInterpolate, intent);
}

ImageRef Image::createCopyWithColorSpace(const ImageRef& image, ColorSpaceRef colorSpace) {
  if (!image || !colorSpace) return nullptr;
  if (colorSpace->numberOfComponents() != image->colorSpace()->numberOfComponents()) return nullptr;
  return std::make_shared<Image>(image->width_, image->height_, image->bitsPerComponent_, image->bitsPerPixel_,
                                 image->bytesPerRow_, std::move(colorSpace), image->bitmapInfo_, image->provider_,
                                 image->shouldInterpolate_, image->intent_);
}

}  // namespace imageio
