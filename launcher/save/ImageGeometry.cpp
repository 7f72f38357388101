#include "launcher/save/ImageGeometry.h"

#include <cmath>

#include "imageio/BitmapContext.h"
#include "imageio/DataProvider.h"
#include "imageio/RowReader.h"

namespace {

// The image's colour samples laid over white, packed with no alpha (16-bit samples
// big-endian); the image itself when it has no alpha; null when its rows cannot be read.
imageio::ImageRef OverWhite(const imageio::ImageRef& image) {
  if (!image->hasAlpha()) return image;
  const std::size_t bits = image->bitsPerComponent();
  if (bits != 8 && bits != 16) return nullptr;
  const imageio::AlphaInfo alpha = image->alphaInfo();
  const bool premultiplied =
      alpha == imageio::AlphaInfo::PremultipliedFirst || alpha == imageio::AlphaInfo::PremultipliedLast;
  const bool alphaFirst = alpha == imageio::AlphaInfo::First || alpha == imageio::AlphaInfo::PremultipliedFirst;
  const bool little = image->bitmapInfo().order == imageio::ByteOrder::Little16;
  const std::size_t w = image->width(), h = image->height(), bytes = bits / 8;
  const int colours = image->colorSpace()->numberOfComponents();
  const std::size_t samples = std::size_t(colours) + 1;
  const std::uint32_t white = bits == 16 ? 65535u : 255u;
  auto sample = [&](const std::uint8_t* p) -> std::uint32_t {
    if (bytes == 1) return p[0];
    return little ? std::uint32_t(p[0] | (p[1] << 8)) : std::uint32_t((p[0] << 8) | p[1]);
  };
  const std::size_t outRow = w * std::size_t(colours) * bytes;
  fnd::Data out(outRow * h);
  imageio::RowReader reader(*image);
  for (std::size_t y = 0; y < h; ++y) {
    const std::uint8_t* raw = reader.nextRaw();
    if (!raw) return nullptr;
    std::uint8_t* o = out.data() + y * outRow;
    for (std::size_t x = 0; x < w; ++x) {
      const std::uint8_t* px = raw + x * samples * bytes;
      const std::uint32_t a = std::min(sample(px + (alphaFirst ? 0 : std::size_t(colours) * bytes)), white);
      const std::uint8_t* colour = px + (alphaFirst ? bytes : 0);
      for (int c = 0; c < colours; ++c) {
        const std::uint32_t v = sample(colour + std::size_t(c) * bytes);
        const std::uint32_t shown = premultiplied ? std::min(v, a) : (v * a + white / 2) / white;
        const std::uint32_t result = shown + (white - a);
        if (bytes == 1) {
          *o++ = std::uint8_t(result);
        } else {
          *o++ = std::uint8_t(result >> 8);
          *o++ = std::uint8_t(result & 0xFF);
        }
      }
    }
  }
  return imageio::Image::create(w, h, bits, bits * std::size_t(colours), outRow, image->colorSpace(), {},
                                imageio::DataProvider::createWithData(std::move(out)));
}

}  // namespace

bool SM_SizeClassBox(std::int32_t code, std::uint32_t* width, std::uint32_t* height) {
  std::uint32_t w = 0, h = 0;
  switch (code) {
    case 4550: w = 640; h = 480; break;
    case 4551: w = 800; h = 600; break;
    case 4552: w = 1024; h = 768; break;
    case 4554: w = 160; h = 120; break;
    case 4555: w = 106; h = 106; break;
    default: return false;
  }
  if (width) *width = w;
  if (height) *height = h;
  return true;
}

CMResult CM_FitSize(std::int32_t code, std::uint32_t width, std::uint32_t height, std::uint32_t* newWidth,
                    std::uint32_t* newHeight) {
  std::uint32_t boxW = 0, boxH = 0;
  if (!newWidth || !newHeight || !SM_SizeClassBox(code, &boxW, &boxH)) return SM_ERR_BAD_SIZE;
  // An empty image has no aspect to keep (and would be divided by).
  if (width == 0 || height == 0) return SM_ERR_BAD_SIZE;
  if (width <= boxW && height <= boxH) {
    *newWidth = width;
    *newHeight = height;
    return CM_OK;
  }
  const std::uint64_t fittedH = std::uint64_t(height) * boxW / width;
  if (fittedH <= boxH) {
    if (fittedH == 0) return SM_ERR_BAD_COUNT;
    *newWidth = boxW;
    *newHeight = std::uint32_t(fittedH);
    return CM_OK;
  }
  const std::uint64_t fittedW = std::uint64_t(width) * boxH / height;
  if (fittedW > boxW || fittedW == 0) return SM_ERR_BAD_COUNT;
  *newWidth = std::uint32_t(fittedW);
  *newHeight = boxH;
  return CM_OK;
}

imageio::ImageRef CM_RotateImage(const imageio::ImageRef& image, double degrees) {
  if (!image) return nullptr;
  const double radians = -0.017453292 * degrees;
  const double w = double(image->width()), h = double(image->height());
  // The angle is not an exact quarter turn, so the box comes out a hair larger: round it.
  const fnd::Rect box = imageio::BitmapContext::rotatedBounds(w, h, radians);
  const std::size_t newW = std::size_t(std::lround(box.width()));
  const std::size_t newH = std::size_t(std::lround(box.height()));
  if (newW == 0 || newH == 0) return nullptr;

  std::size_t bitsPerComponent = 8, bytesPerRow = 0;
  imageio::BitmapInfo info;
  switch (image->bitsPerPixel()) {
    case 1: case 8: bitsPerComponent = 8; bytesPerRow = newW; break;
    case 16: bitsPerComponent = 16; bytesPerRow = 2 * newW; break;
    case 24: case 32: bitsPerComponent = 8; bytesPerRow = 4 * newW; info.alpha = imageio::AlphaInfo::NoneSkipLast; break;
    case 48: case 64: bitsPerComponent = 16; bytesPerRow = 8 * newW; info.alpha = imageio::AlphaInfo::NoneSkipLast; break;
    default: return nullptr;
  }
  auto context = imageio::BitmapContext::create(nullptr, newW, newH, bitsPerComponent, bytesPerRow,
                                                image->colorSpace(), info);
  if (!context) return nullptr;
  // Turn about the centre of the new box, with the picture centred on it.
  context->translateCTM(double(newW) / 2, double(newH) / 2);
  context->rotateCTM(radians);
  context->translateCTM(-w / 2, -h / 2);
  if (!context->drawImage(fnd::Rect(0, 0, w, h), *image)) return nullptr;
  return context->createImage();
}

int SM_OrientationDegrees(int orientation) {
  switch (orientation) {
    case 3: return 180;
    case 6: return 90;
    case 8: return 270;
    default: return 0;
  }
}

imageio::ImageRef SM_RedrawWithoutAlpha(const imageio::ImageRef& image, std::uint32_t pixelFormat, std::size_t width,
                                        std::size_t height) {
  if (!image) return nullptr;
  const imageio::ImageRef opaque = OverWhite(image);
  if (!opaque) return nullptr;
  imageio::BitmapInfo info;
  if (pixelFormat == 32) {
    info.alpha = imageio::AlphaInfo::None;
  } else {
    info.alpha = image->bitsPerComponent() == 16 ? imageio::AlphaInfo::NoneSkipLast : imageio::AlphaInfo::NoneSkipFirst;
  }
  auto context = imageio::BitmapContext::create(nullptr, width, height, image->bitsPerComponent(), image->bytesPerRow(),
                                                image->colorSpace(), info);
  if (!context) return nullptr;
  if (!context->drawImage(fnd::Rect{0, 0, double(width), double(height)}, *opaque)) return nullptr;
  return context->createImage();
}
