#include <gtest/gtest.h>

#include <random>

#include "ImageTestSupport.h"
#include "TestEnvironment.h"
#include "imageio/ExifSegment.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageProperties.h"
#include "imageio/ImageSource.h"

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
