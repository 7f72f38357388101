#include <gtest/gtest.h>

#include <random>

#include "ImageTestSupport.h"
#include "TestEnvironment.h"
#include "TiffBytes.h"
#include "imageio/Decoder.h"
#include "imageio/ExifSegment.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageProperties.h"
#include "imageio/ImageSource.h"
#include "imageio/RowReader.h"

using namespace imageio;
using imagetest::Gradient;

namespace {

fnd::Data writtenFile(ImageType type) {
  Gradient g;
  g.width = 40;
  g.height = 30;
  g.components = 3;
  auto path = testenv::freshFolder("damage-src") / (type == ImageType::JPEG ? "a.jpg" : "a.tif");
  auto dest = ImageDestination::createWithPath(path.string(), type, 1);
  fnd::Dictionary tiff{{kCGImagePropertyTIFFMake, "Vantrel"}, {kCGImagePropertyTIFFDateTime, "2026:12:10 09:08:07"}};
  dest->addImage(imagetest::gradientImage(g, ColorSpace::sRGB()),
                 {{kCGImagePropertyOrientation, 6}, {kCGImagePropertyTIFFDictionary, tiff},
                  {kCGImagePropertyExifDictionary, fnd::Dictionary{{kCGImagePropertyExifColorSpace, 1}}}});
  EXPECT_TRUE(dest->finalize());
  auto bytes = imagetest::readFile(path);
  return fnd::Data(bytes.begin(), bytes.end());
}

// Everything a caller may do with a source; it must end in answers, never in a crash (the
// sanitizer run checks the memory side).
void exercise(const fnd::Data& bytes, const std::filesystem::path& out) {
  auto source = ImageSource::createWithData(bytes);
  if (!source) return;
  for (std::size_t i = 0; i < source->count() && i < 2; ++i) {
    source->copyPropertiesAtIndex(i);
    source->createThumbnailAtIndex(i, {{kCGImageSourceThumbnailMaxPixelSize, 16},
                                       {kCGImageSourceCreateThumbnailWithTransform, true}});
    if (ImageRef image = source->createImageAtIndex(i)) {
      auto dest = ImageDestination::createWithPath(out.string(), ImageType::TIFF, 1);
      dest->addImage(image, {});
      dest->finalize();
    }
  }
}

}  // namespace

TEST(DamagedFiles, flippedBytesNeverCrashTheReaders) {
  auto out = testenv::freshFolder("damage-out") / "out.tif";
  std::mt19937 random(1234);
  for (ImageType type : {ImageType::JPEG, ImageType::TIFF}) {
    const fnd::Data original = writtenFile(type);
    ASSERT_FALSE(original.empty());
    for (int round = 0; round < 150; ++round) {
      fnd::Data bytes = original;
      // A few bytes changed, most often in the headers and metadata where parsers work.
      int changes = 1 + int(random() % 4);
      for (int k = 0; k < changes; ++k) {
        std::size_t at = (random() % 2) ? random() % std::min<std::size_t>(bytes.size(), 600) : random() % bytes.size();
        bytes[at] = std::uint8_t(random());
      }
      exercise(bytes, out);
    }
    // Cut at every length in the first kilobyte (and a few beyond).
    for (std::size_t keep = 0; keep < original.size(); keep += keep < 1024 ? 7 : 211)
      exercise(fnd::Data(original.begin(), original.begin() + std::ptrdiff_t(keep)), out);
  }
}

TEST(DamagedFiles, exifPayloadsOfRandomBytesAreRefusedOrReadSafely) {
  const fnd::Data good = ExifSegment::build({{kCGImagePropertyOrientation, 8}}, 10, 10);
  fnd::Dictionary tiff, exif;
  ASSERT_TRUE(ExifSegment::parse(good.data(), good.size(), tiff, exif));
  EXPECT_EQ(tiff.intValue(kCGImagePropertyTIFFOrientation), 8);
  std::mt19937 random(99);
  for (int round = 0; round < 2000; ++round) {
    fnd::Data bytes = good;
    for (int k = 0; k < 6; ++k) bytes[6 + random() % (bytes.size() - 6)] = std::uint8_t(random());
    bytes.resize(6 + random() % (bytes.size() - 6 + 1));
    fnd::Dictionary t, e;
    ExifSegment::parse(bytes.data(), bytes.size(), t, e);
  }
}

namespace {

struct ExifEntry {
  std::uint16_t tag, type;
  std::uint32_t count, value;  // value: inline, high-order bytes first
};

// "Exif\0\0", a big-endian TIFF header and IFD0 at 8 with the entries; no next-IFD offset, so
// the payload ends with the last entry unless a tail follows (at 10 + 12 x entries).
fnd::Data exifPayload(const std::vector<ExifEntry>& entries, const std::vector<std::uint8_t>& tail = {}) {
  fnd::Data d = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8};
  auto put16 = [&](std::uint32_t v) {
    d.push_back(std::uint8_t(v >> 8));
    d.push_back(std::uint8_t(v));
  };
  put16(std::uint32_t(entries.size()));
  for (const ExifEntry& e : entries) {
    put16(e.tag);
    put16(e.type);
    put16(e.count >> 16);
    put16(e.count & 0xFFFF);
    put16(e.value >> 16);
    put16(e.value & 0xFFFF);
  }
  d.insert(d.end(), tail.begin(), tail.end());
  return d;
}

}  // namespace

TEST(DamagedFiles, exifEntriesWhoseTypeCountOrPlaceDoesNotFitTheirTagAreRefused) {
  fnd::Dictionary tiff, exif;
  // Orientation 6 as a SHORT; a tag the parser does not read may hold anything.
  fnd::Data good = exifPayload({{0x0112, 3, 1, 0x00060000}, {0x9999, 12, 0xFFFFFFFF, 0xFFFFFFFF}});
  ASSERT_TRUE(ExifSegment::parse(good.data(), good.size(), tiff, exif));
  EXPECT_EQ(tiff.intValue(kCGImagePropertyTIFFOrientation), 6);

  const std::uint32_t tail1 = 10 + 12;  // behind one entry
  const std::uint32_t tail2 = 10 + 24;  // behind two
  struct Case {
    const char* what;
    fnd::Data payload;
  } cases[] = {
      // 28 bytes: XResolution, a RATIONAL, with count 0: no value, yet once read as 8 inline
      // bytes, 4 of them past the end of the payload.
      {"XResolution of count 0", exifPayload({{0x011A, 5, 0, 0}})},
      {"XResolution of count 2", exifPayload({{0x011A, 5, 2, tail1}}, std::vector<std::uint8_t>(16, 1))},
      {"XResolution past the end", exifPayload({{0x011A, 5, 1, tail1}}, {0, 0, 1, 44, 0, 0})},
      {"Orientation of type LONG", exifPayload({{0x0112, 4, 1, 6}})},
      {"Make of count 0", exifPayload({{0x010F, 2, 0, 0}})},
      {"Make running past the end", exifPayload({{0x010F, 2, 40, tail1}}, {'V', 'a', 'n'})},
      {"an Exif IFD past the end", exifPayload({{0x8769, 4, 1, 4000}})},
      // The Exif IFD behind IFD0: ExifVersion with 3 bytes instead of 4.
      {"ExifVersion of count 3",
       exifPayload({{0x8769, 4, 1, tail1}}, {0, 1, 0x90, 0x00, 0, 7, 0, 0, 0, 3, '0', '2', '2', 0})},
      {"PixelXDimension of type RATIONAL",
       exifPayload({{0x0112, 3, 1, 0x00010000}, {0x8769, 4, 1, tail2}}, {0, 1, 0xA0, 0x02, 0, 5, 0, 0, 0, 1, 0, 0, 0, 0})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // An allocation of exactly the payload's size, so a read past it is a sanitizer report.
    std::vector<std::uint8_t> exact(c.payload.begin(), c.payload.end());
    fnd::Dictionary t, e;
    EXPECT_FALSE(ExifSegment::parse(exact.data(), exact.size(), t, e));
    EXPECT_TRUE(t.empty());
    EXPECT_TRUE(e.empty());
  }
}

// Headers that claim enormous images in a few bytes: nothing is sized from the header alone,
// a side above the decoders' limit is refused, and whatever opens answers its properties and
// then fails when rows are pulled, without asking for memory the file cannot describe.
TEST(DamagedFiles, hugeHeadersAskForNoMemoryTheFileCannotDescribe) {
  auto fourBitGrey = [](std::uint32_t w, std::uint32_t h) {
    // 4-bit grey in one PackBits strip goes through libtiff's RGBA reader, whose band of rows
    // was once allocated from the header's width when the source was created: for the first
    // file 2^44 bytes.
    auto f = testtiff::GreyStrip(w, h, 4, 16, std::vector<std::uint8_t>(16, 0x5A), 32773);
    return fnd::Data(f.begin(), f.end());
  };
  EXPECT_FALSE(ImageSource::createWithData(fourBitGrey(1u << 30, 4096)));
  EXPECT_FALSE(ImageSource::createWithData(fourBitGrey(std::uint32_t(kMaxImageSide) + 1, 1)));

  // A progressive JPEG header of 65500 x 65500 colour pixels (the most libjpeg opens): its
  // coefficients would take 25.7 GB, which the decoder refuses when rows are asked for.
  const fnd::Data progressive = {
      0xFF, 0xD8,                                                                    // SOI
      0xFF, 0xC2, 0, 17, 8, 0xFF, 0xDC, 0xFF, 0xDC, 3, 1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0,  // SOF2
      0xFF, 0xDA, 0, 8, 1, 1, 0x00, 0, 0, 0,                                         // SOS: DC of Y
      0x00, 0x00, 0xFF, 0xD9};

  // Inside the limit: 2^20 x 2^20 pixels of 4-bit grey described by 16 bytes.
  for (const fnd::Data& bytes : {fourBitGrey(std::uint32_t(kMaxImageSide), std::uint32_t(kMaxImageSide)), progressive}) {
    SCOPED_TRACE(bytes[0] == 'I' ? "TIFF" : "JPEG");
    auto source = ImageSource::createWithData(bytes);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->count(), 1u);
    auto properties = source->copyPropertiesAtIndex(0);
    ASSERT_TRUE(properties);
    EXPECT_GE(properties->integer(kCGImagePropertyPixelWidth), 65500);
    ImageRef image = source->createImageAtIndex(0);
    ASSERT_TRUE(image);
    RowReader rows(*image);
    EXPECT_EQ(rows.nextRaw(), nullptr);
    EXPECT_FALSE(source->createThumbnailAtIndex(0, {{kCGImageSourceThumbnailMaxPixelSize, 16}}));
    EXPECT_FALSE(source->createThumbnailAtIndex(0));
  }
}

// Two files of 200 bytes that claim 50000 x 40000 pixels: one uncompressed with a strip the file
// does not hold, one a fax page cut short. Their thumbnails once decoded for many seconds; now
// the claim is weighed against the file's size before any row is decoded, from a path or from
// bytes. A small picture of the same kinds still gets its thumbnail.
TEST(DamagedFiles, aThumbnailIsNotDecodedForAHeaderClaimingFarMoreThanTheFileHolds) {
  for (const char* name : {"TwoGigapixelsIn200Bytes.tif", "TruncatedTwoGigapixelFax.tif"}) {
    SCOPED_TRACE(name);
    const std::filesystem::path path = testenv::sourceDir() / "platform/imageio/fixtures" / name;
    const std::vector<std::uint8_t> bytes = imagetest::readFile(path);
    ASSERT_EQ(bytes.size(), 200u);
    auto fromPath = ImageSource::createWithPath(path.string());
    auto fromBytes = ImageSource::createWithData(fnd::Data(bytes.begin(), bytes.end()));
    for (const auto* source : {fromPath.get(), fromBytes.get()}) {
      ASSERT_TRUE(source);
      auto properties = source->copyPropertiesAtIndex(0);
      ASSERT_TRUE(properties);
      EXPECT_EQ(properties->integer(kCGImagePropertyPixelWidth), 50000);
      EXPECT_EQ(properties->integer(kCGImagePropertyPixelHeight), 40000);
      EXPECT_FALSE(source->createThumbnailAtIndex(0, {{kCGImageSourceThumbnailMaxPixelSize, 160}}));
    }
  }
  const auto small = testtiff::GreyStrip(64, 48, 8, 64 * 48, std::vector<std::uint8_t>(64 * 48, 0x80));
  auto source = ImageSource::createWithData(fnd::Data(small.begin(), small.end()));
  ASSERT_TRUE(source);
  ImageRef thumbnail = source->createThumbnailAtIndex(0, {{kCGImageSourceThumbnailMaxPixelSize, 16}});
  ASSERT_TRUE(thumbnail);
  EXPECT_EQ(thumbnail->width(), 16u);
}
