#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

#include <unistd.h>

#include "ImageTestSupport.h"
#include "TestEnvironment.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageProperties.h"
#include "imageio/ImageSource.h"

using namespace imageio;
using imagetest::Gradient;

namespace {

struct RoundTrip {
  ImageType type;
  int bits;
  int components;
  bool direct;  // positional provider instead of a sequential one
};

std::string caseName(const ::testing::TestParamInfo<RoundTrip>& info) {
  const RoundTrip& r = info.param;
  return std::string(r.type == ImageType::JPEG ? "Jpeg" : "Tiff") + std::to_string(r.bits) + "bit" +
         (r.components == 1 ? "Gray" : "Rgb") + (r.direct ? "Direct" : "Sequential");
}

class DestinationRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

}  // namespace

TEST_P(DestinationRoundTrip, streamedGradientReadsBackWithSizeDpiOrientationAndPixels) {
  const RoundTrip p = GetParam();
  Gradient g;
  g.width = 203;  // not a multiple of 8, so 1-bit rows end in a partial byte
  g.height = 67;
  g.bits = p.bits;
  g.components = p.components;
  ColorSpaceRef cs = p.components == 1 ? ColorSpace::genericGrayGamma2_2() : ColorSpace::sRGB();
  std::size_t maxRequest = 0;
  ImageRef image = p.direct ? imagetest::gradientImageDirect(g, cs) : imagetest::gradientImage(g, cs, &maxRequest);
  ASSERT_TRUE(image);

  auto folder = testenv::freshFolder("roundtrip");
  auto path = folder / (p.type == ImageType::JPEG ? "out.jpg" : "out.tif");
  auto dest = ImageDestination::createWithPath(path.string(), p.type, 1);
  ASSERT_TRUE(dest);
  fnd::Dictionary props{{kCGImagePropertyDPIWidth, 300.0},
                        {kCGImagePropertyDPIHeight, 150.0},
                        {kCGImagePropertyPixelWidth, 203},
                        {kCGImagePropertyPixelHeight, 67},
                        {kCGImagePropertyOrientation, 6},
                        {kCGImageDestinationLossyCompressionQuality, 0.99}};
  dest->addImage(image, props);
  ASSERT_TRUE(dest->finalize()) << dest->errorMessage();
  // The encoder pulled rows, never the whole image at once.
  if (!p.direct) {
    EXPECT_LE(maxRequest, g.rowBytes());
  }
  EXPECT_EQ(imagetest::listFolder(folder), std::vector<std::string>{path.filename().string()});

  imagetest::Decoded d = p.type == ImageType::JPEG ? imagetest::decodeJpeg(path) : imagetest::decodeTiff(path);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.width, g.width);
  EXPECT_EQ(d.height, g.height);
  EXPECT_EQ(d.components, p.components);
  EXPECT_DOUBLE_EQ(d.dpiX, 300.0);
  EXPECT_DOUBLE_EQ(d.dpiY, 150.0);
  EXPECT_EQ(d.orientation, 6);

  if (p.type == ImageType::TIFF) {
    EXPECT_EQ(d.bits, p.bits);
    for (std::size_t y = 0; y < g.height; ++y)
      for (std::size_t x = 0; x < g.width; ++x)
        for (int c = 0; c < p.components; ++c) ASSERT_EQ(d.at(x, y, c), g.sample(x, y, c)) << x << "," << y << "," << c;
  } else {
    // JPEG keeps 8 bits: compare against the 8-bit value of each sample.
    double total = 0;
    std::uint32_t worst = 0;
    for (std::size_t y = 0; y < g.height; ++y) {
      for (std::size_t x = 0; x < g.width; ++x) {
        for (int c = 0; c < p.components; ++c) {
          std::uint32_t v = g.sample(x, y, c);
          std::uint32_t expected = p.bits == 1 ? v * 255 : p.bits == 16 ? (v * 255 + 32767) / 65535 : v;
          std::uint32_t diff = std::uint32_t(std::abs(int(d.at(x, y, c)) - int(expected)));
          worst = std::max(worst, diff);
          total += diff;
        }
      }
    }
    double mean = total / double(g.width * g.height * std::size_t(p.components));
    EXPECT_LT(mean, 2.0);
    EXPECT_LE(worst, p.bits == 1 ? 24u : 12u);
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, DestinationRoundTrip,
                         ::testing::Values(RoundTrip{ImageType::TIFF, 1, 1, false}, RoundTrip{ImageType::TIFF, 8, 1, false},
                                           RoundTrip{ImageType::TIFF, 8, 3, false}, RoundTrip{ImageType::TIFF, 16, 1, false},
                                           RoundTrip{ImageType::TIFF, 16, 3, true}, RoundTrip{ImageType::JPEG, 1, 1, false},
                                           RoundTrip{ImageType::JPEG, 8, 1, true}, RoundTrip{ImageType::JPEG, 8, 3, false},
                                           RoundTrip{ImageType::JPEG, 16, 1, false}, RoundTrip{ImageType::JPEG, 16, 3, false}),
                         caseName);

namespace {

fnd::Dictionary exifProperties() {
  fnd::Dictionary tiff{{kCGImagePropertyTIFFMake, "Vantrel"},
                       {kCGImagePropertyTIFFModel, "Scanner 9"},
                       {kCGImagePropertyTIFFSoftware, "trivolan"},
                       {kCGImagePropertyTIFFDateTime, "2026:12:10 09:08:07"}};
  fnd::Dictionary exif{{kCGImagePropertyExifVersion, fnd::Array{2, 2, 1}},
                       {kCGImagePropertyExifFlashPixVersion, fnd::Array{1, 0}},
                       {kCGImagePropertyExifColorSpace, 1},
                       {kCGImagePropertyExifComponentsConfiguration, fnd::Array{1, 2, 3, 0}},
                       {kCGImagePropertyExifDateTimeDigitized, "2026:12:10 09:08:07"}};
  return fnd::Dictionary{{kCGImagePropertyDPIWidth, 200.0},
                         {kCGImagePropertyDPIHeight, 200.0},
                         {kCGImagePropertyColorModel, kCGImagePropertyColorModelRGB},
                         {kCGImageDestinationLossyCompressionQuality, 0.67},
                         {kCGImagePropertyTIFFDictionary, tiff},
                         {kCGImagePropertyExifDictionary, exif}};
}

std::filesystem::path writeJpeg(const std::string& folderName, ColorSpaceRef cs, const fnd::Dictionary& props,
                                int components = 3) {
  Gradient g;
  g.components = components;
  auto path = testenv::freshFolder(folderName) / "exif.jpg";
  auto dest = ImageDestination::createWithPath(path.string(), ImageType::JPEG, 1);
  dest->addImage(imagetest::gradientImage(g, std::move(cs)), props);
  EXPECT_TRUE(dest->finalize()) << dest->errorMessage();
  return path;
}

}  // namespace

TEST(JpegSegments, exifFollowsApp0AndEveryTableHasItsOwnSegment) {
  auto path = writeJpeg("segments", ColorSpace::deviceRGB(), exifProperties());
  auto segments = imagetest::jpegSegments(imagetest::readFile(path));
  ASSERT_GE(segments.size(), 4u);
  EXPECT_EQ(segments[0].marker, 0xD8);
  EXPECT_EQ(segments[1].marker, 0xE0);
  EXPECT_EQ(segments[2].marker, 0xE1);
  EXPECT_EQ(std::string(segments[2].payload.begin(), segments[2].payload.begin() + 6), std::string("Exif\0\0", 6));

  int dqt = 0, dht = 0;
  for (const auto& s : segments) {
    if (s.marker == 0xDB) {
      ++dqt;
      EXPECT_EQ(s.payload.size(), 65u) << "one 8-bit table per DQT segment";
    }
    if (s.marker == 0xC4) {
      ++dht;
      std::size_t counts = 0;
      for (int i = 1; i <= 16; ++i) counts += s.payload[std::size_t(i)];
      EXPECT_EQ(s.payload.size(), 17u + counts) << "one table per DHT segment";
    }
    EXPECT_NE(s.marker, 0xE2) << "a device space carries no profile";
  }
  EXPECT_EQ(dqt, 2);
  EXPECT_EQ(dht, 4);
  // A three-component baseline scan header, as the EXIF pass looks for it.
  ASSERT_EQ(segments.back().marker, 0xDA);
  EXPECT_EQ(segments.back().payload.size(), 10u);
  EXPECT_EQ(segments.back().payload[0], 3);
}

TEST(JpegSegments, exifEntriesReadBack) {
  auto path = writeJpeg("exifread", ColorSpace::deviceRGB(), exifProperties());
  auto source = ImageSource::createWithPath(path.string());
  ASSERT_TRUE(source);
  auto props = source->copyPropertiesAtIndex(0);
  ASSERT_TRUE(props);
  const fnd::Dictionary& tiff = props->dictionary(kCGImagePropertyTIFFDictionary);
  EXPECT_EQ(tiff.string(kCGImagePropertyTIFFMake), "Vantrel");
  EXPECT_EQ(tiff.string(kCGImagePropertyTIFFModel), "Scanner 9");
  EXPECT_EQ(tiff.string(kCGImagePropertyTIFFSoftware), "trivolan");
  EXPECT_EQ(tiff.string(kCGImagePropertyTIFFDateTime), "2026:12:10 09:08:07");
  EXPECT_EQ(tiff.intValue(kCGImagePropertyTIFFOrientation), 1);
  const fnd::Dictionary& exif = props->dictionary(kCGImagePropertyExifDictionary);
  EXPECT_EQ(exif.get(kCGImagePropertyExifVersion), fnd::Value(fnd::Array{2, 2, 1}));
  EXPECT_EQ(exif.get(kCGImagePropertyExifFlashPixVersion), fnd::Value(fnd::Array{1, 0}));
  EXPECT_EQ(exif.intValue(kCGImagePropertyExifColorSpace), 1);
  EXPECT_EQ(exif.get(kCGImagePropertyExifComponentsConfiguration), fnd::Value(fnd::Array{1, 2, 3, 0}));
  EXPECT_EQ(exif.string(kCGImagePropertyExifDateTimeDigitized), "2026:12:10 09:08:07");
  EXPECT_EQ(exif.intValue(kCGImagePropertyExifPixelXDimension), 64);
  EXPECT_DOUBLE_EQ(props->real(kCGImagePropertyDPIWidth), 200.0);
}

TEST(JpegSegments, withoutMetadataThereIsNoApp1) {
  auto path = writeJpeg("noexif", ColorSpace::deviceGray(), fnd::Dictionary{{kCGImagePropertyDepth, 8}}, 1);
  const auto segments = imagetest::jpegSegments(imagetest::readFile(path));
  // The walk reached the scan, so every header segment was looked at.
  ASSERT_FALSE(segments.empty());
  EXPECT_EQ(segments.back().marker, 0xDA);
  for (const auto& s : segments) EXPECT_NE(s.marker, 0xE1);
}

TEST(JpegSegments, greyExifValueOfUncalibratedColourSpace) {
  fnd::Dictionary props = exifProperties();
  props.slot(kCGImagePropertyExifDictionary).dictionary()->set(kCGImagePropertyExifColorSpace, 0xFFFF);
  auto path = writeJpeg("greyexif", ColorSpace::deviceGray(), props, 1);
  auto source = ImageSource::createWithPath(path.string());
  ASSERT_TRUE(source);
  EXPECT_EQ(source->copyPropertiesAtIndex(0)->dictionary(kCGImagePropertyExifDictionary).intValue(kCGImagePropertyExifColorSpace),
            0xFFFF);
}

namespace {

// The entries of one IFD of a big-endian EXIF payload (after "Exif\0\0"), read by hand so
// the check does not lean on our own parser: tag -> the four bytes of the value field.
std::map<std::uint32_t, std::vector<std::uint8_t>> ifdEntries(const std::vector<std::uint8_t>& tiff, std::size_t at) {
  auto be16 = [&](std::size_t o) { return std::uint32_t(tiff[o] << 8 | tiff[o + 1]); };
  std::map<std::uint32_t, std::vector<std::uint8_t>> out;
  if (at + 2 > tiff.size()) return out;
  const std::uint32_t n = be16(at);
  for (std::uint32_t i = 0; i < n && at + 2 + 12 * (i + 1) <= tiff.size(); ++i) {
    const std::size_t e = at + 2 + 12 * i;
    out[be16(e)] = std::vector<std::uint8_t>(tiff.begin() + std::ptrdiff_t(e + 8), tiff.begin() + std::ptrdiff_t(e + 12));
  }
  return out;
}

struct ExifFields {
  bool found = false;
  std::vector<std::uint8_t> ycbcrPositioning, componentsConfiguration;
  std::uint32_t colorSpace = 0;
};

ExifFields exifFieldsOf(const std::filesystem::path& jpeg) {
  ExifFields f;
  for (const auto& s : imagetest::jpegSegments(imagetest::readFile(jpeg))) {
    if (s.marker != 0xE1 || s.payload.size() < 14 || std::memcmp(s.payload.data(), "Exif\0\0MM", 8) != 0) continue;
    const std::vector<std::uint8_t> tiff(s.payload.begin() + 6, s.payload.end());
    const auto ifd0 = ifdEntries(tiff, 8);
    if (!ifd0.count(0x8769)) return f;
    const auto& p = ifd0.at(0x8769);
    const auto sub = ifdEntries(tiff, std::size_t(p[0]) << 24 | std::size_t(p[1]) << 16 | std::size_t(p[2]) << 8 | p[3]);
    f.found = true;
    if (ifd0.count(0x0213)) f.ycbcrPositioning = {ifd0.at(0x0213)[0], ifd0.at(0x0213)[1]};
    if (sub.count(0x9101)) f.componentsConfiguration = sub.at(0x9101);
    if (sub.count(0xA001)) f.colorSpace = std::uint32_t(sub.at(0xA001)[0] << 8 | sub.at(0xA001)[1]);
  }
  return f;
}

}  // namespace

TEST(JpegSegments, mandatoryExifFieldsAndAColourSpaceThatMatchesTheProfile) {
  fnd::Data otherRgb = ColorSpace::sRGBProfileData();
  otherRgb[40] ^= 1;  // the same primaries under other bytes: not ours to call sRGB
  const ColorSpaceRef other = ColorSpace::createWithICCData(otherRgb);
  ASSERT_TRUE(other);
  fnd::Dictionary bare = exifProperties();
  bare.slot(kCGImagePropertyExifDictionary).dictionary()->remove(kCGImagePropertyExifColorSpace);
  bare.slot(kCGImagePropertyExifDictionary).dictionary()->remove(kCGImagePropertyExifComponentsConfiguration);
  const fnd::Dictionary orientedOnly{{kCGImagePropertyOrientation, 6}};
  struct Case {
    const char* name;
    ColorSpaceRef cs;
    fnd::Dictionary props;
    int components;
    std::uint32_t colorSpace;
  } cases[] = {
      {"srgb", ColorSpace::sRGB(), bare, 3, 1},
      {"device", ColorSpace::deviceRGB(), bare, 3, 1},
      {"other", other, bare, 3, 0xFFFF},
      {"grey", ColorSpace::genericGrayGamma2_2(), bare, 1, 0xFFFF},
      {"oriented", other, orientedOnly, 3, 0xFFFF},
      {"oriented-srgb", ColorSpace::sRGB(), orientedOnly, 3, 1},
      // A value the caller states is the caller's.
      {"stated", other, exifProperties(), 3, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ExifFields f = exifFieldsOf(writeJpeg(std::string("exif-") + c.name, c.cs, c.props, c.components));
    ASSERT_TRUE(f.found);
    EXPECT_EQ(f.ycbcrPositioning, (std::vector<std::uint8_t>{0, 1}));
    EXPECT_EQ(f.componentsConfiguration, (std::vector<std::uint8_t>{1, 2, 3, 0}));
    EXPECT_EQ(f.colorSpace, c.colorSpace);
  }
}

TEST(EmbeddedProfile, jpegCarriesApp2AndTiffCarriesTheTag) {
  auto jpeg = writeJpeg("profile", ColorSpace::sRGB(), exifProperties());
  auto segments = imagetest::jpegSegments(imagetest::readFile(jpeg));
  bool app2 = false;
  for (const auto& s : segments)
    if (s.marker == 0xE2) app2 = std::string(s.payload.begin(), s.payload.begin() + 12) == std::string("ICC_PROFILE\0", 12);
  EXPECT_TRUE(app2);
  EXPECT_EQ(imagetest::decodeJpeg(jpeg).icc, ColorSpace::sRGBProfileData());
  auto source = ImageSource::createWithPath(jpeg.string());
  EXPECT_EQ(source->copyPropertiesAtIndex(0)->string(kCGImagePropertyProfileName), "sRGB");

  Gradient g;
  auto tiff = testenv::freshFolder("profiletiff") / "grey.tif";
  auto dest = ImageDestination::createWithPath(tiff.string(), ImageType::TIFF, 1);
  dest->addImage(imagetest::gradientImage(g, ColorSpace::genericGray()));
  ASSERT_TRUE(dest->finalize());
  EXPECT_EQ(imagetest::decodeTiff(tiff).icc, ColorSpace::genericGrayProfileData());
}

TEST(DestinationFailures, providerRunningDryFailsAndLeavesNoFile) {
  auto folder = testenv::freshFolder("dry");
  for (ImageType type : {ImageType::JPEG, ImageType::TIFF}) {
    Gradient g;
    g.components = 3;
    imageio::DataProviderSequentialCallbacks cb;
    auto sent = std::make_shared<std::size_t>(0);
    cb.getBytes = [g, sent](void* buffer, std::size_t count) -> std::size_t {
      // Half the image, then nothing: what a cancelled scan looks like to the encoder.
      std::size_t limit = g.rowBytes() * g.height / 2;
      std::size_t n = std::min(count, limit - std::min(limit, *sent));
      std::memset(buffer, 0x80, n);
      *sent += n;
      return n;
    };
    auto image = Image::create(g.width, g.height, 8, 24, g.rowBytes(), ColorSpace::sRGB(), {},
                               DataProvider::createSequential(cb));
    auto path = folder / (type == ImageType::JPEG ? "dry.jpg" : "dry.tif");
    auto dest = ImageDestination::createWithPath(path.string(), type, 1);
    dest->addImage(image, {});
    EXPECT_FALSE(dest->finalize());
    EXPECT_FALSE(dest->errorMessage().empty());
  }
  EXPECT_TRUE(imagetest::listFolder(folder).empty());
}

TEST(DestinationFailures, failedWriteKeepsTheOldFile) {
  auto folder = testenv::freshFolder("keep");
  auto path = folder / "keep.tif";
  imagetest::writeFile(path, {1, 2, 3});
  auto dest = ImageDestination::createWithPath(path.string(), ImageType::TIFF, 1);
  auto empty = DataProvider::createWithData(fnd::Data(10, 0));
  dest->addImage(Image::create(64, 64, 8, 8, 64, ColorSpace::deviceGray(), {}, empty), {});
  EXPECT_FALSE(dest->finalize());
  EXPECT_EQ(imagetest::readFile(path), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(imagetest::listFolder(folder), std::vector<std::string>{"keep.tif"});
}

TEST(DestinationFailures, refusedSetups) {
  auto folder = testenv::freshFolder("refused");
  EXPECT_FALSE(ImageDestination::createWithPath((folder / "missing" / "a.jpg").string(), ImageType::JPEG, 1));
  EXPECT_FALSE(ImageDestination::createWithPath((folder / "a.jpg").string(), ImageType::JPEG, 2));
  auto dest = ImageDestination::createWithPath((folder / "a.jpg").string(), ImageType::JPEG, 1);
  ASSERT_TRUE(dest);
  EXPECT_FALSE(dest->finalize()) << "no image added";
  EXPECT_FALSE(dest->finalize()) << "finalised twice";
  EXPECT_TRUE(imagetest::listFolder(folder).empty());
}

TEST(DestinationFailures, unwritableFolderGivesAnError) {
  // Root writes into a read-only folder anyway; /proc takes no new files from anyone.
  bool root = ::geteuid() == 0;
  auto folder = root ? std::filesystem::path("/proc/self") : testenv::freshFolder("readonly");
  if (!root) std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  Gradient g;
  auto dest = ImageDestination::createWithPath((folder / "a.tif").string(), ImageType::TIFF, 1);
  ASSERT_TRUE(dest);
  dest->addImage(imagetest::gradientImage(g, ColorSpace::deviceGray()));
  EXPECT_FALSE(dest->finalize());
  EXPECT_FALSE(dest->errorMessage().empty());
  if (!root) {
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    EXPECT_TRUE(imagetest::listFolder(folder).empty());
  }
}

TEST(TiffLayouts, rowsNeedingConversionOrCompressionComeOutExact) {
  // Each case leaves the rows-as-stored road: compression, padding, big-endian, fewer bits.
  struct Case {
    const char* name;
    int compression;
    AlphaInfo alpha;
    ByteOrder order;
    int depth;  // Depth property; 0: none
    int expectedBits;
  };
  for (const Case& c : {Case{"lzw", 5, AlphaInfo::None, ByteOrder::Default, 0, 8},
                        Case{"padding", 1, AlphaInfo::NoneSkipLast, ByteOrder::Default, 0, 8},
                        Case{"bigEndian16", 1, AlphaInfo::None, ByteOrder::Big16, 0, 16},
                        Case{"depth8", 1, AlphaInfo::None, ByteOrder::Big16, 8, 8}}) {
    SCOPED_TRACE(c.name);
    const std::size_t w = 37, h = 23;
    const bool sixteen = c.order == ByteOrder::Big16;
    const int samples = c.alpha == AlphaInfo::None ? 3 : 4;
    const std::size_t bytesPerSample = sixteen ? 2 : 1;
    fnd::Data bytes(w * h * std::size_t(samples) * bytesPerSample);
    auto value = [&](std::size_t x, std::size_t y, int k) { return std::uint32_t((x * 7 + y * 3 + std::size_t(k) * 50) % 256); };
    for (std::size_t y = 0; y < h; ++y)
      for (std::size_t x = 0; x < w; ++x)
        for (int k = 0; k < samples; ++k) {
          std::size_t i = ((y * w + x) * std::size_t(samples) + std::size_t(k)) * bytesPerSample;
          std::uint32_t v = k == 3 ? 0xEE : value(x, y, k);
          if (sixteen) {
            bytes[i] = std::uint8_t(v);  // high byte: the 16-bit value is v * 257
            bytes[i + 1] = std::uint8_t(v);
          } else {
            bytes[i] = std::uint8_t(v);
          }
        }
    ImageRef image = Image::create(w, h, 8 * bytesPerSample, 8 * bytesPerSample * std::size_t(samples),
                                   w * std::size_t(samples) * bytesPerSample, ColorSpace::sRGB(), {c.alpha, c.order},
                                   DataProvider::createWithData(std::move(bytes)));
    ASSERT_TRUE(image);
    fnd::Dictionary props{{kCGImagePropertyTIFFDictionary, fnd::Dictionary{{kCGImagePropertyTIFFCompression, c.compression}}}};
    if (c.depth) props.set(kCGImagePropertyDepth, c.depth);
    auto path = testenv::freshFolder("layouts") / "l.tif";
    auto dest = ImageDestination::createWithPath(path.string(), ImageType::TIFF, 1);
    dest->addImage(image, props);
    ASSERT_TRUE(dest->finalize()) << dest->errorMessage();
    imagetest::Decoded d = imagetest::decodeTiff(path);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.components, 3);
    EXPECT_EQ(d.bits, c.expectedBits);
    for (std::size_t y = 0; y < h; ++y)
      for (std::size_t x = 0; x < w; ++x)
        for (int k = 0; k < 3; ++k)
          ASSERT_EQ(d.at(x, y, k), c.expectedBits == 16 ? value(x, y, k) * 257 : value(x, y, k)) << x << "," << y;
    auto source = ImageSource::createWithPath(path.string());
    EXPECT_EQ(source->copyPropertiesAtIndex(0)->dictionary(kCGImagePropertyTIFFDictionary).intValue(kCGImagePropertyTIFFCompression),
              c.compression);
  }
}

// Without DPI keys the writers take the resolution from the TIFF dictionary; one stated per
// centimetre must come out as the same resolution in dots per inch, not as that many dpi.
TEST(Resolution, tiffDictionaryPerCentimetreIsWrittenAsDotsPerInch) {
  for (ImageType type : {ImageType::TIFF, ImageType::JPEG}) {
    SCOPED_TRACE(type == ImageType::TIFF ? "TIFF" : "JPEG");
    Gradient g;
    auto path = testenv::freshFolder("cm") / (type == ImageType::TIFF ? "cm.tif" : "cm.jpg");
    auto dest = ImageDestination::createWithPath(path.string(), type, 1);
    ASSERT_TRUE(dest);
    fnd::Dictionary tiff{{kCGImagePropertyTIFFXResolution, 118.11},
                         {kCGImagePropertyTIFFYResolution, 59.055},
                         {kCGImagePropertyTIFFResolutionUnit, 3}};
    dest->addImage(imagetest::gradientImage(g, ColorSpace::genericGrayGamma2_2()),
                   fnd::Dictionary{{kCGImagePropertyTIFFDictionary, tiff}});
    ASSERT_TRUE(dest->finalize()) << dest->errorMessage();
    imagetest::Decoded d = type == ImageType::TIFF ? imagetest::decodeTiff(path) : imagetest::decodeJpeg(path);
    ASSERT_TRUE(d.ok);
    EXPECT_NEAR(d.dpiX, 300, 1);
    EXPECT_NEAR(d.dpiY, 150, 1);
  }
}
