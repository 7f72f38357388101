#include <gtest/gtest.h>

#include <tiffio.h>

#include <array>

#include "ImageTestSupport.h"
#include "TestEnvironment.h"
#include "TiffBytes.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageProperties.h"
#include "imageio/ImageSource.h"
#include "imageio/RowReader.h"

using namespace imageio;
using imagetest::Gradient;

namespace {

// Four quadrants of distinct colours, so a turn shows where each corner went.
std::array<std::uint8_t, 3> quadrantColour(std::size_t x, std::size_t y, std::size_t w, std::size_t h) {
  bool right = x >= w / 2, bottom = y >= h / 2;
  if (!right && !bottom) return {255, 0, 0};
  if (right && !bottom) return {0, 255, 0};
  if (!right && bottom) return {0, 0, 255};
  return {255, 255, 255};
}

ImageRef quadrantImage(std::size_t w, std::size_t h) {
  fnd::Data bytes(w * h * 3);
  for (std::size_t y = 0; y < h; ++y)
    for (std::size_t x = 0; x < w; ++x) {
      auto c = quadrantColour(x, y, w, h);
      std::copy(c.begin(), c.end(), bytes.begin() + std::ptrdiff_t((y * w + x) * 3));
    }
  return Image::create(w, h, 8, 24, w * 3, ColorSpace::sRGB(), {}, DataProvider::createWithData(std::move(bytes)));
}

std::filesystem::path writeImage(const std::filesystem::path& path, ImageType type, const ImageRef& image,
                                 const fnd::Dictionary& props) {
  auto dest = ImageDestination::createWithPath(path.string(), type, 1);
  dest->addImage(image, props);
  EXPECT_TRUE(dest->finalize()) << dest->errorMessage();
  return path;
}

std::vector<std::uint8_t> pixels8(const Image& image) {
  RowReader reader(image);
  std::vector<std::uint8_t> all(image.width() * image.height() * std::size_t(image.colorSpace()->numberOfComponents()));
  for (std::size_t y = 0; y < image.height(); ++y)
    if (!reader.next8(all.data() + y * image.width() * std::size_t(image.colorSpace()->numberOfComponents())))
      return {};
  return all;
}

}  // namespace

TEST(ImageSourceProperties, tiffReportsWhatWasWritten) {
  Gradient g;
  g.bits = 16;
  g.components = 3;
  auto path = writeImage(testenv::freshFolder("props") / "p.tif", ImageType::TIFF,
                         imagetest::gradientImage(g, ColorSpace::sRGB()),
                         {{kCGImagePropertyDPIWidth, 600.0}, {kCGImagePropertyDPIHeight, 300.0}, {kCGImagePropertyOrientation, 3}});
  auto source = ImageSource::createWithPath(path.string(), {{kCGImageSourceShouldCache, false}});
  ASSERT_TRUE(source);
  EXPECT_EQ(source->count(), 1u);
  auto props = source->copyPropertiesAtIndex(0, {{kCGImageSourceShouldAllowFloat, true}});
  ASSERT_TRUE(props);
  EXPECT_EQ(props->integer(kCGImagePropertyPixelWidth), 64);
  EXPECT_EQ(props->integer(kCGImagePropertyPixelHeight), 48);
  EXPECT_DOUBLE_EQ(props->real(kCGImagePropertyDPIWidth), 600.0);
  EXPECT_DOUBLE_EQ(props->real(kCGImagePropertyDPIHeight), 300.0);
  EXPECT_EQ(props->intValue(kCGImagePropertyDepth), 16);
  EXPECT_EQ(props->string(kCGImagePropertyColorModel), "RGB");
  EXPECT_EQ(props->intValue(kCGImagePropertyOrientation), 3);
  EXPECT_EQ(props->string(kCGImagePropertyProfileName), "sRGB");
  EXPECT_FALSE(props->contains(kCGImagePropertyHasAlpha));
  EXPECT_EQ(props->dictionary(kCGImagePropertyTIFFDictionary).intValue(kCGImagePropertyTIFFCompression), 1);
  EXPECT_FALSE(source->copyPropertiesAtIndex(1));
  EXPECT_FALSE(source->createImageAtIndex(1));

  // The image from the source hands back the written samples unchanged.
  ImageRef image = source->createImageAtIndex(0);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->bitsPerComponent(), 16u);
  RowReader reader(*image);
  std::vector<std::uint16_t> row(64 * 3);
  for (std::size_t y = 0; y < 48; ++y) {
    ASSERT_TRUE(reader.next16(row.data()));
    for (std::size_t x = 0; x < 64; ++x)
      for (int c = 0; c < 3; ++c) ASSERT_EQ(row[x * 3 + std::size_t(c)], g.sample(x, y, c));
  }
}

TEST(ImageSourceThumbnail, orientationSixComesOutTurnedAndWithinTheMaximum) {
  for (ImageType type : {ImageType::TIFF, ImageType::JPEG}) {
    auto folder = testenv::freshFolder("thumb");
    auto path = writeImage(folder / (type == ImageType::TIFF ? "o6.tif" : "o6.jpg"), type, quadrantImage(400, 240),
                           {{kCGImagePropertyOrientation, 6}, {kCGImageDestinationLossyCompressionQuality, 0.99}});
    auto source = ImageSource::createWithPath(path.string());
    ASSERT_TRUE(source);
    fnd::Dictionary options{{kCGImageSourceCreateThumbnailFromImageAlways, true},
                            {kCGImageSourceCreateThumbnailWithTransform, true},
                            {kCGImageSourceShouldCache, false},
                            {kCGImageSourceThumbnailMaxPixelSize, 160}};
    ImageRef thumb = source->createThumbnailAtIndex(0, options);
    ASSERT_TRUE(thumb);
    // 400 x 240 fits 160 x 96 and turns a quarter: 96 wide, 160 high.
    EXPECT_EQ(thumb->width(), 96u);
    EXPECT_EQ(thumb->height(), 160u);
    auto px = pixels8(*thumb);
    ASSERT_FALSE(px.empty());
    auto at = [&](std::size_t x, std::size_t y) {
      return std::array<std::uint8_t, 3>{px[(y * 96 + x) * 3], px[(y * 96 + x) * 3 + 1], px[(y * 96 + x) * 3 + 2]};
    };
    auto close = [](std::array<std::uint8_t, 3> a, std::array<std::uint8_t, 3> b) {
      for (int i = 0; i < 3; ++i)
        if (std::abs(int(a[std::size_t(i)]) - int(b[std::size_t(i)])) > 40) return false;
      return true;
    };
    // Turned clockwise: the stored top left (red) is now top right, the stored bottom left
    // (blue) top left, the stored top right (green) bottom right.
    EXPECT_TRUE(close(at(90, 5), {255, 0, 0}));
    EXPECT_TRUE(close(at(5, 5), {0, 0, 255}));
    EXPECT_TRUE(close(at(90, 154), {0, 255, 0}));
    EXPECT_TRUE(close(at(5, 154), {255, 255, 255}));

    // Without the transform the thumbnail keeps the stored layout.
    options.set(kCGImageSourceCreateThumbnailWithTransform, false);
    ImageRef plain = source->createThumbnailAtIndex(0, options);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->width(), 160u);
    EXPECT_EQ(plain->height(), 96u);
  }
}

TEST(ImageSourceThumbnail, smallImagesAreNotEnlarged) {
  auto path = writeImage(testenv::freshFolder("small") / "s.tif", ImageType::TIFF, quadrantImage(40, 30), {});
  auto thumb = ImageSource::createWithPath(path.string())
                   ->createThumbnailAtIndex(0, {{kCGImageSourceThumbnailMaxPixelSize, 160}});
  ASSERT_TRUE(thumb);
  EXPECT_EQ(thumb->width(), 40u);
  EXPECT_EQ(thumb->height(), 30u);
}

namespace {

// A TIFF written by libtiff itself, compressed, in small strips.
std::filesystem::path compressedTiff(const std::filesystem::path& path, const Gradient& g, uint16_t compression,
                                     uint16_t predictor = 1) {
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(g.width));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(g.height));
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, uint16_t(g.bits));
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, uint16_t(g.components));
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, g.components == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
  if (predictor != 1) TIFFSetField(tif, TIFFTAG_PREDICTOR, predictor);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, uint32_t(5));
  std::vector<std::uint16_t> row16(g.width * std::size_t(g.components));
  for (std::size_t y = 0; y < g.height; ++y) {
    std::vector<std::uint8_t> row = g.row(y);
    if (g.bits == 16) {
      for (std::size_t i = 0; i < row16.size(); ++i) row16[i] = std::uint16_t(row[2 * i] | (row[2 * i + 1] << 8));
      TIFFWriteScanline(tif, row16.data(), uint32_t(y), 0);
    } else {
      TIFFWriteScanline(tif, row.data(), uint32_t(y), 0);
    }
  }
  TIFFClose(tif);
  return path;
}

// An 8-bit grey little-endian TIFF with its directory before the pixels, keeping only
// dataBytes of the pixels.
std::vector<std::uint8_t> directoryFirstTiff(std::uint32_t w, std::uint32_t h, std::size_t dataBytes) {
  std::vector<std::uint8_t> data(dataBytes);
  for (std::size_t i = 0; i < dataBytes; ++i) data[i] = std::uint8_t(i);
  return testtiff::GreyStrip(w, h, 8, w * h, data);
}

}  // namespace

TEST(ImageSourceTiff, compressedFilesAreReadLineByLineAndRewrittenExactly) {
  struct Case {
    int bits, components;
    uint16_t compression, predictor;
  };
  for (Case c : {Case{8, 3, COMPRESSION_LZW, 1}, Case{16, 1, COMPRESSION_LZW, 2}, Case{8, 1, COMPRESSION_ADOBE_DEFLATE, 2},
                 Case{1, 1, COMPRESSION_PACKBITS, 1}}) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits, compression " << c.compression);
    Gradient g;
    g.width = 77;
    g.height = 41;
    g.bits = c.bits;
    g.components = c.components;
    auto folder = testenv::freshFolder("lzw");
    auto in = compressedTiff(folder / "in.tif", g, c.compression, c.predictor);
    auto source = ImageSource::createWithPath(in.string());
    ASSERT_TRUE(source);
    EXPECT_EQ(source->copyPropertiesAtIndex(0)->dictionary(kCGImagePropertyTIFFDictionary).intValue(
                  kCGImagePropertyTIFFCompression),
              c.compression);
    // What the conversion pass does: the source's image into an uncompressed TIFF.
    auto out = writeImage(folder / "out.tif", ImageType::TIFF, source->createImageAtIndex(0),
                          {{kCGImagePropertyTIFFDictionary, fnd::Dictionary{{kCGImagePropertyTIFFCompression, 1}}}});
    imagetest::Decoded d = imagetest::decodeTiff(out);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.bits, c.bits);
    for (std::size_t y = 0; y < g.height; ++y)
      for (std::size_t x = 0; x < g.width; ++x)
        for (int k = 0; k < c.components; ++k) ASSERT_EQ(d.at(x, y, k), g.sample(x, y, k));
    auto check = ImageSource::createWithPath(out.string());
    EXPECT_EQ(check->copyPropertiesAtIndex(0)->dictionary(kCGImagePropertyTIFFDictionary).intValue(
                  kCGImagePropertyTIFFCompression),
              1);
  }
}

TEST(ImageSourceTiff, otherLayoutsComeThroughAsRgb) {
  // A tiled, planar file: read through libtiff's general reader.
  auto path = testenv::freshFolder("tiled") / "tiled.tif";
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  const uint32_t w = 40, h = 40;
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, w);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, h);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_TILEWIDTH, 16);
  TIFFSetField(tif, TIFFTAG_TILELENGTH, 16);
  std::vector<std::uint8_t> tile(16 * 16 * 3);
  for (uint32_t ty = 0; ty < h; ty += 16)
    for (uint32_t tx = 0; tx < w; tx += 16) {
      for (uint32_t y = 0; y < 16; ++y)
        for (uint32_t x = 0; x < 16; ++x) {
          std::uint8_t* p = &tile[(y * 16 + x) * 3];
          p[0] = std::uint8_t(tx + x);
          p[1] = std::uint8_t(ty + y);
          p[2] = 7;
        }
      TIFFWriteTile(tif, tile.data(), tx, ty, 0, 0);
    }
  TIFFClose(tif);
  auto source = ImageSource::createWithPath(path.string());
  ASSERT_TRUE(source);
  ImageRef image = source->createImageAtIndex(0);
  ASSERT_TRUE(image);
  auto px = pixels8(*image);
  ASSERT_EQ(px.size(), std::size_t(w * h * 3));
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      ASSERT_EQ(px[(y * w + x) * 3], x);
      ASSERT_EQ(px[(y * w + x) * 3 + 1], y);
    }
}

TEST(ImageSourceFailures, notAnImageAndTruncatedFilesGiveErrorsNotCrashes) {
  auto folder = testenv::freshFolder("bad");
  imagetest::writeFile(folder / "text.jpg", std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o', '\n'});
  EXPECT_FALSE(ImageSource::createWithPath((folder / "text.jpg").string()));
  EXPECT_FALSE(ImageSource::createWithPath((folder / "missing.tif").string()));
  EXPECT_FALSE(ImageSource::createWithData(fnd::Data{0xFF, 0xD8}));
  imagetest::writeFile(folder / "empty.tif", {});
  EXPECT_FALSE(ImageSource::createWithPath((folder / "empty.tif").string()));

  Gradient g;
  g.width = 300;
  g.height = 200;
  g.components = 3;
  for (ImageType type : {ImageType::JPEG, ImageType::TIFF}) {
    SCOPED_TRACE(type == ImageType::JPEG ? "JPEG" : "TIFF");
    auto whole = writeImage(folder / (type == ImageType::JPEG ? "whole.jpg" : "whole.tif"), type,
                            imagetest::gradientImage(g, ColorSpace::sRGB()), {});
    std::vector<std::uint8_t> bytes = imagetest::readFile(whole);
    // Cut in the pixel data (the TIFF's directory is at its end, so cutting it loses the
    // directory), and cut inside the header.
    for (std::size_t keep : {bytes.size() / 2, std::size_t(20)}) {
      auto cut = folder / (std::string("cut") + std::to_string(keep) + (type == ImageType::JPEG ? ".jpg" : ".tif"));
      imagetest::writeFile(cut, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(keep)));
      auto source = ImageSource::createWithPath(cut.string());
      if (!source) continue;  // refused at the header: an error result
      EXPECT_FALSE(source->createThumbnailAtIndex(0, {{kCGImageSourceThumbnailMaxPixelSize, 50}}));
      auto out = folder / "converted.tif";
      auto dest = ImageDestination::createWithPath(out.string(), ImageType::TIFF, 1);
      ImageRef image = source->createImageAtIndex(0);
      ASSERT_TRUE(image);
      dest->addImage(image, {});
      EXPECT_FALSE(dest->finalize());
      EXPECT_FALSE(std::filesystem::exists(out));
    }
  }
  // A TIFF whose directory comes first and whose pixel data was cut short.
  auto front = folder / "front.tif";
  imagetest::writeFile(front, directoryFirstTiff(300, 200, 300 * 200 / 2));
  auto source = ImageSource::createWithPath(front.string());
  ASSERT_TRUE(source);
  auto dest = ImageDestination::createWithPath((folder / "front-out.jpg").string(), ImageType::JPEG, 1);
  dest->addImage(source->createImageAtIndex(0), {});
  EXPECT_FALSE(dest->finalize());
  EXPECT_FALSE(std::filesystem::exists(folder / "front-out.jpg"));
  EXPECT_FALSE(source->createThumbnailAtIndex(0, {{kCGImageSourceThumbnailMaxPixelSize, 50}}));
}

TEST(ImageSourceData, jpegInMemoryDecodes) {
  auto path = writeImage(testenv::freshFolder("mem") / "m.jpg", ImageType::JPEG, quadrantImage(32, 16), {});
  auto bytes = imagetest::readFile(path);
  auto source = ImageSource::createWithData(fnd::Data(bytes.begin(), bytes.end()));
  ASSERT_TRUE(source);
  EXPECT_STREQ(source->type(), "JPEG");
  ImageRef image = source->createImageAtIndex(0);
  ASSERT_TRUE(image);
  EXPECT_EQ(pixels8(*image).size(), 32u * 16u * 3u);
}

TEST(ImageSourceTiff, aFileCanBeRewrittenFromItself) {
  Gradient g;
  g.components = 3;
  auto path = writeImage(testenv::freshFolder("self") / "self.tif", ImageType::TIFF,
                         imagetest::gradientImage(g, ColorSpace::sRGB()),
                         {{kCGImagePropertyTIFFDictionary, fnd::Dictionary{{kCGImagePropertyTIFFCompression, 5}}}});
  auto source = ImageSource::createWithPath(path.string());
  ASSERT_TRUE(source);
  writeImage(path, ImageType::TIFF, source->createImageAtIndex(0),
             {{kCGImagePropertyTIFFDictionary, fnd::Dictionary{{kCGImagePropertyTIFFCompression, 1}}}});
  imagetest::Decoded d = imagetest::decodeTiff(path);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.at(63, 47, 2), g.sample(63, 47, 2));
  EXPECT_EQ(ImageSource::createWithPath(path.string())
                ->copyPropertiesAtIndex(0)
                ->dictionary(kCGImagePropertyTIFFDictionary)
                .intValue(kCGImagePropertyTIFFCompression),
            1);
}
