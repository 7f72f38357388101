#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "ImageTestSupport.h"
#include "imageio/BitmapContext.h"
#include "imageio/RowReader.h"

using namespace imageio;

namespace {

// Pixel value = x + 10 * y, grey, so every source pixel is recognisable.
ImageRef numbered(std::size_t w, std::size_t h) {
  fnd::Data bytes(w * h);
  for (std::size_t y = 0; y < h; ++y)
    for (std::size_t x = 0; x < w; ++x) bytes[y * w + x] = std::uint8_t(x + 10 * y);
  return Image::create(w, h, 8, 8, w, ColorSpace::deviceGray(), {}, DataProvider::createWithData(std::move(bytes)));
}

// What the rotation pass does: a box for the turned image, origin to its centre, turn,
// back by half the (swapped for quarter turns) source, draw.
ImageRef rotate(const ImageRef& image, double degrees) {
  const double radians = -0.017453292 * degrees;
  fnd::Rect box = BitmapContext::rotatedBounds(double(image->width()), double(image->height()), radians);
  // The angle is not exactly a quarter turn: round, so the box does not grow by a pixel.
  double bw = std::round(box.width()), bh = std::round(box.height());
  auto ctx = BitmapContext::create(nullptr, std::size_t(bw), std::size_t(bh), 8, 0, ColorSpace::deviceGray(), {});
  ctx->translateCTM(bw / 2, bh / 2);
  ctx->rotateCTM(radians);
  bool quarter = degrees == 90 || degrees == 270;
  double w = double(image->width()), h = double(image->height());
  ctx->translateCTM(-(quarter ? bh : bw) / 2, -(quarter ? bw : bh) / 2);
  EXPECT_TRUE(ctx->drawImage(fnd::Rect(0, 0, quarter ? bh : w, quarter ? bw : h), *image));
  return ctx->createImage();
}

std::vector<std::uint8_t> grey(const Image& image) {
  RowReader reader(image);
  std::vector<std::uint8_t> out(image.width() * image.height() * std::size_t(image.colorSpace()->numberOfComponents()));
  for (std::size_t y = 0; y < image.height(); ++y)
    reader.next8(out.data() + y * image.width() * std::size_t(image.colorSpace()->numberOfComponents()));
  return out;
}

}  // namespace

TEST(BitmapContextRotation, quarterTurnsMovePixelsExactly) {
  ImageRef src = numbered(20, 10);
  struct Case {
    double degrees;
    std::size_t w, h;
    // Where source pixel (sx, sy) lands.
    std::function<std::pair<std::size_t, std::size_t>(std::size_t, std::size_t)> to;
  };
  for (const Case& c : {Case{90, 10, 20, [](std::size_t x, std::size_t y) { return std::pair{9 - y, x}; }},
                        Case{180, 20, 10, [](std::size_t x, std::size_t y) { return std::pair{19 - x, 9 - y}; }},
                        Case{270, 10, 20, [](std::size_t x, std::size_t y) { return std::pair{y, 19 - x}; }},
                        Case{0, 20, 10, [](std::size_t x, std::size_t y) { return std::pair{x, y}; }}}) {
    SCOPED_TRACE(c.degrees);
    ImageRef out = rotate(src, c.degrees);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->width(), c.w);
    ASSERT_EQ(out->height(), c.h);
    auto px = grey(*out);
    for (std::size_t y = 0; y < 10; ++y)
      for (std::size_t x = 0; x < 20; ++x) {
        auto [dx, dy] = c.to(x, y);
        ASSERT_EQ(px[dy * c.w + dx], x + 10 * y) << x << "," << y;
      }
  }
}

TEST(BitmapContextRotation, rotatedBoundsHoldTheTurnedRectangle) {
  fnd::Rect r = BitmapContext::rotatedBounds(200, 100, -0.017453292 * 90);
  EXPECT_NEAR(r.width(), 100, 1e-4);
  EXPECT_NEAR(r.height(), 200, 1e-4);
  fnd::Rect d = BitmapContext::rotatedBounds(100, 100, -0.017453292 * 45);
  EXPECT_NEAR(d.width(), 100 * std::sqrt(2.0), 1e-3);
}

TEST(BitmapContextDrawing, greyIntoRgbWithPaddingAndSixteenBits) {
  ImageRef src = numbered(4, 3);
  // 8-bit RGB with a leading padding byte, as the redraw of an 8-bit image uses.
  auto ctx = BitmapContext::create(nullptr, 4, 3, 8, 0, ColorSpace::deviceRGB(), {AlphaInfo::NoneSkipFirst});
  ASSERT_TRUE(ctx);
  EXPECT_EQ(ctx->bitsPerPixel(), 32u);
  ASSERT_TRUE(ctx->drawImage(fnd::Rect(0, 0, 4, 3), *src));
  auto* p = static_cast<std::uint8_t*>(ctx->data());
  EXPECT_EQ(p[(1 * 4 + 2) * 4 + 1], 12);  // pixel (2, 1): R
  EXPECT_EQ(p[(1 * 4 + 2) * 4 + 3], 12);  // B
  ImageRef back = ctx->createImage();
  ASSERT_TRUE(back);
  EXPECT_EQ(grey(*back)[(2 * 4 + 3) * 3], 23);

  auto ctx16 = BitmapContext::create(nullptr, 4, 3, 16, 0, ColorSpace::deviceGray(), {AlphaInfo::None, ByteOrder::Little16});
  ASSERT_TRUE(ctx16->drawImage(fnd::Rect(0, 0, 4, 3), *src));
  auto* q = static_cast<std::uint8_t*>(ctx16->data());
  EXPECT_EQ(q[(1 * 4 + 2) * 2] | (q[(1 * 4 + 2) * 2 + 1] << 8), 12 * 257);

  // Default byte order is big-endian, and the context's image reads back the same.
  auto big = BitmapContext::create(nullptr, 4, 3, 16, 0, ColorSpace::deviceGray(), {});
  ASSERT_TRUE(big->drawImage(fnd::Rect(0, 0, 4, 3), *src));
  auto* b = static_cast<std::uint8_t*>(big->data());
  EXPECT_EQ((b[(1 * 4 + 2) * 2] << 8) | b[(1 * 4 + 2) * 2 + 1], 12 * 257);
  EXPECT_EQ(grey(*big->createImage())[1 * 4 + 2], 12);
}

TEST(BitmapContextDrawing, profiledSpacesAreConverted) {
  // The same lightness takes a larger number at gamma 2.2 than at gamma 1.8: 128 becomes
  // about 255 x (128/255)^(2.2/1.8) = 109.
  fnd::Data bytes(1, 128);
  ImageRef src = Image::create(1, 1, 8, 8, 1, ColorSpace::genericGrayGamma2_2(), {}, DataProvider::createWithData(bytes));
  auto ctx = BitmapContext::create(nullptr, 1, 1, 8, 0, ColorSpace::genericGray(), {});
  ASSERT_TRUE(ctx->drawImage(fnd::Rect(0, 0, 1, 1), *src));
  int converted = static_cast<std::uint8_t*>(ctx->data())[0];
  EXPECT_NEAR(converted, 109, 3);
  // A re-tagged copy keeps the numbers.
  ImageRef tagged = Image::createCopyWithColorSpace(src, ColorSpace::genericGray());
  ASSERT_TRUE(tagged);
  EXPECT_EQ(grey(*tagged)[0], 128);
  EXPECT_FALSE(Image::createCopyWithColorSpace(src, ColorSpace::sRGB()));
}

TEST(ImageLayouts, onlyConsistentLayoutsAreAccepted) {
  auto provider = DataProvider::createWithData(fnd::Data(1000, 0));
  struct Case {
    std::size_t bpc, bpp, rowBytes;
    ColorSpaceRef cs;
    AlphaInfo alpha;
    bool ok;
  };
  for (const Case& c : {Case{8, 24, 30, ColorSpace::sRGB(), AlphaInfo::None, true},
                        Case{8, 32, 40, ColorSpace::sRGB(), AlphaInfo::NoneSkipLast, true},
                        Case{16, 48, 60, ColorSpace::sRGB(), AlphaInfo::None, true},
                        Case{1, 1, 2, ColorSpace::genericGray(), AlphaInfo::None, true},
                        Case{1, 1, 1, ColorSpace::genericGray(), AlphaInfo::None, false},
                        Case{8, 24, 29, ColorSpace::sRGB(), AlphaInfo::None, false},
                        Case{8, 32, 40, ColorSpace::sRGB(), AlphaInfo::None, false},
                        Case{4, 4, 10, ColorSpace::deviceGray(), AlphaInfo::None, false},
                        Case{1, 3, 10, ColorSpace::deviceRGB(), AlphaInfo::None, false}}) {
    EXPECT_EQ(bool(Image::create(10, 10, c.bpc, c.bpp, c.rowBytes, c.cs, {c.alpha}, provider)), c.ok)
        << c.bpc << "/" << c.bpp << "/" << c.rowBytes;
  }
}
