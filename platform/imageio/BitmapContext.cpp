#include "imageio/BitmapContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imageio/ColorConverter.h"
#include "imageio/RowReader.h"

namespace imageio {

std::unique_ptr<BitmapContext> BitmapContext::create(void* data, std::size_t width, std::size_t height,
                                                     std::size_t bitsPerComponent, std::size_t bytesPerRow,
                                                     ColorSpaceRef colorSpace, BitmapInfo bitmapInfo) {
  if (!colorSpace || width == 0 || height == 0) return nullptr;
  if (bitsPerComponent != 8 && bitsPerComponent != 16) return nullptr;
  if (bitmapInfo.alpha == AlphaInfo::Last || bitmapInfo.alpha == AlphaInfo::First) return nullptr;
  if (width > (std::size_t(1) << 30) || height > (std::size_t(1) << 30)) return nullptr;
  std::unique_ptr<BitmapContext> c(new BitmapContext);
  c->samples_ = colorSpace->numberOfComponents() + (bitmapInfo.alpha != AlphaInfo::None ? 1 : 0);
  const std::size_t pixelBytes = width * std::size_t(c->samples_) * (bitsPerComponent / 8);
  if (bytesPerRow == 0) bytesPerRow = pixelBytes;
  if (bytesPerRow < pixelBytes) return nullptr;
  c->width_ = width;
  c->height_ = height;
  c->bitsPerComponent_ = bitsPerComponent;
  c->bytesPerRow_ = bytesPerRow;
  c->colorSpace_ = std::move(colorSpace);
  c->bitmapInfo_ = bitmapInfo;
  if (data) {
    c->data_ = static_cast<std::uint8_t*>(data);
  } else {
    c->owned_.assign(bytesPerRow * height, 0);
    c->data_ = c->owned_.data();
  }
  return c;
}

fnd::Rect BitmapContext::rotatedBounds(double width, double height, double radians) {
  return fnd::AffineTransform::rotation(radians).apply(fnd::Rect(0, 0, width, height));
}

void BitmapContext::translateCTM(double tx, double ty) { ctm_ = ctm_.translated(tx, ty); }
void BitmapContext::rotateCTM(double radians) { ctm_ = ctm_.rotated(radians); }
void BitmapContext::scaleCTM(double sx, double sy) { ctm_ = ctm_.scaled(sx, sy); }
void BitmapContext::concatCTM(const fnd::AffineTransform& t) { ctm_ = t.concat(ctm_); }

bool BitmapContext::drawImage(const fnd::Rect& rect, const Image& image) {
  if (rect.isEmpty() || !ctm_.isInvertible()) return true;
  return bitsPerComponent_ == 16 ? render<std::uint16_t>(rect, image) : render<std::uint8_t>(rect, image);
}

template <class T>
bool BitmapContext::render(const fnd::Rect& rect, const Image& image) {
  constexpr bool sixteen = sizeof(T) == 2;
  const std::size_t iw = image.width(), ih = image.height();
  const int inC = image.colorSpace()->numberOfComponents();
  const int outC = colorSpace_->numberOfComponents();

  // The whole source, already in the context's colour space: a turned drawing reads its
  // pixels in any order.
  std::vector<T> src(iw * ih * std::size_t(outC));
  {
    ColorConverter converter(*image.colorSpace(), *colorSpace_, sixteen);
    RowReader reader(image);
    std::vector<T> row(iw * std::size_t(inC));
    for (std::size_t y = 0; y < ih; ++y) {
      bool ok;
      if constexpr (sixteen) {
        ok = reader.next16(row.data());
      } else {
        ok = reader.next8(row.data());
      }
      if (!ok) return false;
      converter.convert(row.data(), src.data() + y * iw * std::size_t(outC), iw);
    }
  }

  // Device pixel centre -> user space -> image pixel space (row 0 at the top of rect).
  const fnd::AffineTransform toUser = ctm_.inverted();
  const double sx = double(iw) / rect.width(), sy = double(ih) / rect.height();
  const fnd::AffineTransform toImage{sx, 0, 0, -sy, -rect.minX() * sx, rect.maxY() * sy};
  const fnd::AffineTransform m = toUser.concat(toImage);
  auto near = [](double v, double target) { return std::fabs(v - target) < 1e-6; };
  const bool axisAligned = (near(m.b, 0) && near(m.c, 0) && near(std::fabs(m.a), 1) && near(std::fabs(m.d), 1)) ||
                           (near(m.a, 0) && near(m.d, 0) && near(std::fabs(m.b), 1) && near(std::fabs(m.c), 1));
  const bool nearest = axisAligned || interpolation_ == InterpolationQuality::None;

  const int first = (bitmapInfo_.alpha == AlphaInfo::NoneSkipFirst || bitmapInfo_.alpha == AlphaInfo::PremultipliedFirst) ? 1 : 0;
  const bool writeAlpha = bitmapInfo_.alpha == AlphaInfo::PremultipliedFirst || bitmapInfo_.alpha == AlphaInfo::PremultipliedLast;
  const int alphaIndex = first ? 0 : outC;
  const bool little = bitmapInfo_.order == ByteOrder::Little16;
  const T opaque = T(~T(0));
  auto store = [&](std::uint8_t* px, int index, T v) {
    if constexpr (sixteen) {
      std::uint8_t* p = px + 2 * index;
      if (little) {
        p[0] = std::uint8_t(v & 0xFF);
        p[1] = std::uint8_t(v >> 8);
      } else {
        p[0] = std::uint8_t(v >> 8);
        p[1] = std::uint8_t(v & 0xFF);
      }
    } else {
      px[index] = v;
    }
  };

  const std::size_t pixelBytes = std::size_t(samples_) * sizeof(T);
  T value[3];
  for (std::size_t r = 0; r < height_; ++r) {
    const double dy = double(height_ - r) - 0.5;
    std::uint8_t* line = data_ + r * bytesPerRow_;
    for (std::size_t x = 0; x < width_; ++x) {
      const fnd::Point p = m.apply(fnd::Point{double(x) + 0.5, dy});
      if (!(p.x >= 0 && p.y >= 0 && p.x < double(iw) && p.y < double(ih))) continue;
      if (nearest) {
        const T* s = &src[(std::size_t(p.y) * iw + std::size_t(p.x)) * std::size_t(outC)];
        for (int c = 0; c < outC; ++c) value[c] = s[c];
      } else {
        const double fx = std::clamp(p.x - 0.5, 0.0, double(iw - 1)), fy = std::clamp(p.y - 0.5, 0.0, double(ih - 1));
        const std::size_t x0 = std::size_t(fx), y0 = std::size_t(fy);
        const std::size_t x1 = std::min(x0 + 1, iw - 1), y1 = std::min(y0 + 1, ih - 1);
        const double ax = fx - double(x0), ay = fy - double(y0);
        for (int c = 0; c < outC; ++c) {
          auto at = [&](std::size_t xx, std::size_t yy) { return double(src[(yy * iw + xx) * std::size_t(outC) + std::size_t(c)]); };
          double v = (at(x0, y0) * (1 - ax) + at(x1, y0) * ax) * (1 - ay) + (at(x0, y1) * (1 - ax) + at(x1, y1) * ax) * ay;
          value[c] = T(std::lround(v));
        }
      }
      std::uint8_t* px = line + x * pixelBytes;
      for (int c = 0; c < outC; ++c) store(px, first + c, value[c]);
      if (writeAlpha) store(px, alphaIndex, opaque);
    }
  }
  return true;
}

ImageRef BitmapContext::createImage() const {
  fnd::Data copy(data_, data_ + bytesPerRow_ * height_);
  return Image::create(width_, height_, bitsPerComponent_, bitsPerPixel(), bytesPerRow_, colorSpace_, bitmapInfo_,
                       DataProvider::createWithData(std::move(copy)));
}

}  // namespace imageio
