#include <gtest/gtest.h>

#include <tiffio.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>

#include "SaveFileTestSupport.h"
#include "TestEnvironment.h"
#include "imageio/ColorSpace.h"
#include "launcher/save/LargeTiffXform.h"

namespace fs = std::filesystem;
using namespace savetest;

namespace {

struct Entry {
  std::uint32_t type = 0, count = 0, value = 0;
  bool found = false;
};

// The directory entry of a tag in a big-endian file; SHORT values sit in the first two bytes.
Entry FindEntry(const Bytes& file, std::uint32_t directory, std::uint32_t tag) {
  const std::uint32_t n = Be16(file, directory);
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::size_t at = directory + 2 + 12 * i;
    if (Be16(file, at) != tag) continue;
    Entry e;
    e.found = true;
    e.type = Be16(file, at + 2);
    e.count = Be32(file, at + 4);
    e.value = (e.type == 3 && e.count == 1) ? Be16(file, at + 8) : Be32(file, at + 8);
    return e;
  }
  return {};
}

// Every line as libtiff reads it (16-bit samples in host order), or empty when it cannot.
Bytes ReadWithLibtiff(const std::string& path, std::uint32_t* width = nullptr, std::uint32_t* height = nullptr) {
  TIFFSetWarningHandler(nullptr);
  TIFF* tif = TIFFOpen(path.c_str(), "r");
  if (!tif) return {};
  std::uint32_t w = 0, h = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
  if (width) *width = w;
  if (height) *height = h;
  const tmsize_t line = TIFFScanlineSize(tif);
  Bytes all(std::size_t(line) * h);
  for (std::uint32_t y = 0; y < h; ++y) {
    if (TIFFReadScanline(tif, all.data() + std::size_t(line) * y, y, 0) < 0) {
      TIFFClose(tif);
      return {};
    }
  }
  TIFFClose(tif);
  return all;
}

class LargeTiffXformTest : public testing::Test {
 protected:
  void SetUp() override { dir = testenv::freshFolder("large-tiff"); }
  std::string Path(const char* name) const { return (dir / name).string(); }
  fs::path dir;
};

TEST_F(LargeTiffXformTest, GreyImageInOneStripHasItsDirectoryAndValuesAfterThePixels) {
  const std::string path = Path("grey.tif");
  const Bytes pixels = Pattern(100, 100, 8, 1);
  ASSERT_EQ(WriteLargeTiff(path, 100, 100, 8, 1, pixels), CM_OK);
  const Bytes file = ReadFile(path);
  const fnd::Data& profile = imageio::ColorSpace::grayGamma2_2ProfileData();
  ASSERT_EQ(file.size(), 10008u + 210 + 16 + profile.size());
  EXPECT_EQ(file[0], 'M');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(Be16(file, 2), 42u);
  EXPECT_EQ(Be32(file, 4), 10008u);
  EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), file.begin() + 8));
  EXPECT_EQ(Be16(file, 10008), 17u);
  EXPECT_EQ(Be32(file, 10008 + 2 + 17 * 12), 0u);  // no second image
  EXPECT_EQ(FindEntry(file, 10008, 273).value, 8u);
  EXPECT_EQ(FindEntry(file, 10008, 279).value, 10000u);
  EXPECT_EQ(FindEntry(file, 10008, 278).value, 100u);
  EXPECT_EQ(FindEntry(file, 10008, 262).value, 1u);
  EXPECT_EQ(FindEntry(file, 10008, 258).value, 8u);
  EXPECT_EQ(FindEntry(file, 10008, 282).value, 10218u);
  EXPECT_EQ(FindEntry(file, 10008, 283).value, 10226u);
  EXPECT_EQ(Be32(file, 10218), 300u);
  EXPECT_EQ(Be32(file, 10222), 1u);
  const Entry icc = FindEntry(file, 10008, 34675);
  EXPECT_EQ(icc.value, 10234u);
  EXPECT_EQ(icc.count, profile.size());
  EXPECT_TRUE(std::equal(profile.begin(), profile.end(), file.begin() + 10234));
  // The tags come in ascending order, as readers expect.
  for (std::uint32_t i = 1; i < 17; ++i)
    EXPECT_LT(Be16(file, 10008 + 2 + 12 * (i - 1)), Be16(file, 10008 + 2 + 12 * i));

  EXPECT_EQ(ReadWithLibtiff(path), pixels);
}

TEST_F(LargeTiffXformTest, ColourImageOfThreeHundredThousandBytesIsWrittenInThreeStrips) {
  const std::string path = Path("rgb.tif");
  const Bytes pixels = Pattern(1000, 100, 8, 3);
  LargeTiffXform writer;
  auto image = MakeImage(1000, 100, 8, 3, "", path);
  auto xform = MakeXform(SM_FORMAT_RAW, SM_FORMAT_LARGE_TIFF);
  ASSERT_EQ(writer.StartXform(xform.get(), image.get()), CM_OK);
  EXPECT_EQ(writer.GetRowsPerStrip(), 43u);
  EXPECT_EQ(writer.GetStripCount(), 3u);
  ASSERT_EQ(writer.WriteLines(100, 3000, pixels.data()), CM_OK);
  ASSERT_EQ(writer.EndXform(nullptr), CM_OK);

  const Bytes file = ReadFile(path);
  const std::uint32_t d = 300008;
  ASSERT_EQ(Be32(file, 4), d);
  const Entry bits = FindEntry(file, d, 258);
  EXPECT_EQ(bits.count, 3u);
  EXPECT_EQ(bits.value, d + 210);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Be16(file, d + 210 + 2 * i), 8u);
  EXPECT_EQ(FindEntry(file, d, 262).value, 2u);
  const Entry offsets = FindEntry(file, d, 273), counts = FindEntry(file, d, 279);
  EXPECT_EQ(offsets.count, 3u);
  EXPECT_EQ(offsets.value, d + 216);
  EXPECT_EQ(counts.value, d + 228);
  const std::uint32_t wantOffsets[] = {8, 129008, 258008}, wantCounts[] = {129000, 129000, 42000};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Be32(file, offsets.value + 4 * i), wantOffsets[i]);
    EXPECT_EQ(Be32(file, counts.value + 4 * i), wantCounts[i]);
  }
  EXPECT_EQ(FindEntry(file, d, 282).value, d + 240);
  EXPECT_EQ(FindEntry(file, d, 34675).value, d + 256);
  const fnd::Data& srgb = imageio::ColorSpace::sRGBProfileData();
  EXPECT_TRUE(std::equal(srgb.begin(), srgb.end(), file.begin() + d + 256));

  EXPECT_EQ(ReadWithLibtiff(path), pixels);
}

TEST_F(LargeTiffXformTest, SixteenBitSamplesGoOutBigEndianAndTheCallersBlockIsLeftAlone) {
  const std::string path = Path("grey16.tif");
  const Bytes pixels = Pattern(50, 40, 16, 1);
  const Bytes before = pixels;
  ASSERT_EQ(WriteLargeTiff(path, 50, 40, 16, 1, pixels), CM_OK);
  EXPECT_EQ(pixels, before);

  const Bytes file = ReadFile(path);
  const std::uint32_t d = 4008;
  ASSERT_EQ(Be32(file, 4), d);
  EXPECT_EQ(file[8], pixels[1]);
  EXPECT_EQ(file[9], pixels[0]);
  EXPECT_EQ(FindEntry(file, d, 258).value, 16u);
  EXPECT_EQ(FindEntry(file, d, 282).value, d + 210);
  EXPECT_EQ(FindEntry(file, d, 283).value, d + 218);
  EXPECT_EQ(FindEntry(file, d, 34675).value, d + 226);
  EXPECT_EQ(ReadWithLibtiff(path), pixels);
}

TEST_F(LargeTiffXformTest, EveryDepthReadsBackWithItsProfile) {
  const std::string rgbProfile = Path("custom.icc");
  const fnd::Data& srgb = imageio::ColorSpace::sRGBProfileData();
  Bytes custom(srgb.begin(), srgb.end());
  custom[40] ^= 1;  // a different profile, so the test sees which one went in
  WriteFile(rgbProfile, custom);
  struct Case {
    std::uint32_t bits, samples;
    const std::string* profilePath;
    Bytes profile;
  } cases[] = {
      {1, 1, nullptr, Bytes(imageio::ColorSpace::genericGrayProfileData().begin(), imageio::ColorSpace::genericGrayProfileData().end())},
      {8, 1, &rgbProfile, Bytes(imageio::ColorSpace::deviceGrayProfileData().begin(), imageio::ColorSpace::deviceGrayProfileData().end())},
      {16, 1, &rgbProfile, Bytes(imageio::ColorSpace::deviceGrayProfileData().begin(), imageio::ColorSpace::deviceGrayProfileData().end())},
      {16, 1, nullptr, Bytes(imageio::ColorSpace::grayGamma2_2ProfileData().begin(), imageio::ColorSpace::grayGamma2_2ProfileData().end())},
      {8, 3, &rgbProfile, custom},
      {16, 3, nullptr, Bytes(srgb.begin(), srgb.end())},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << "x" << c.samples);
    const std::string path = Path("depth.tif");
    const std::uint32_t w = 37, h = 23;  // odd sizes: 1-bit lines end inside a byte
    const Bytes pixels = Pattern(w, h, c.bits, c.samples);
    ASSERT_EQ(WriteLargeTiff(path, w, h, c.bits, c.samples, pixels, 5, c.profilePath), CM_OK);
    EXPECT_EQ(ReadWithLibtiff(path), pixels);
    const Bytes file = ReadFile(path);
    const std::uint32_t d = Be32(file, 4);
    const Entry icc = FindEntry(file, d, 34675);
    EXPECT_EQ(Be16(file, d), c.profile.empty() ? 16u : 17u);
    if (c.profile.empty()) {
      EXPECT_FALSE(icc.found);
      EXPECT_EQ(file.size(), std::size_t(d) + 210 + 16);
    } else {
      ASSERT_TRUE(icc.found);
      EXPECT_EQ(Bytes(file.begin() + icc.value, file.begin() + icc.value + icc.count), c.profile);
    }
  }
}

// Every offset the directory gives for the directory itself and for its values, as read
// from the header bytes.
std::vector<std::uint32_t> DirectoryAndValueOffsets(const Bytes& file) {
  const std::uint32_t d = Be32(file, 4);
  std::vector<std::uint32_t> out{d};
  const std::uint32_t n = Be16(file, d);
  static const std::map<std::uint32_t, std::uint32_t> typeSize{{3, 2}, {4, 4}, {5, 8}, {7, 1}};
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::size_t at = d + 2 + 12 * i;
    const std::uint32_t type = Be16(file, at + 2), count = Be32(file, at + 4);
    if (std::uint64_t(count) * typeSize.at(type) > 4) out.push_back(Be32(file, at + 8));
  }
  return out;
}

TEST_F(LargeTiffXformTest, OddPixelDataIsPaddedSoEveryOffsetIsEvenAndLibtiffHasNoComplaint) {
  // A large colour profile of odd length, so nothing after the data happens to even it out.
  const std::string profilePath = Path("big.icc");
  const fnd::Data& srgb = imageio::ColorSpace::sRGBProfileData();
  Bytes big(srgb.begin(), srgb.end());
  big.resize(197 * 1024 + 1, 0x5A);
  WriteFile(profilePath, big);
  const fnd::Data& deviceGrey = imageio::ColorSpace::deviceGrayProfileData();
  struct Case {
    std::uint32_t width, height, bits, samples;
    Bytes profile;
  } cases[] = {
      {999, 1001, 8, 1, Bytes(deviceGrey.begin(), deviceGrey.end())},  // many strips
      {999, 101, 8, 3, big},
      {33, 7, 8, 1, Bytes(deviceGrey.begin(), deviceGrey.end())},  // one strip
      {5, 3, 1, 1, Bytes(imageio::ColorSpace::genericGrayProfileData().begin(),
                         imageio::ColorSpace::genericGrayProfileData().end())},
  };
  std::vector<std::string> warnings;
  static std::vector<std::string>* sink = nullptr;
  sink = &warnings;
  const TIFFErrorHandler before = TIFFSetWarningHandler([](const char* module, const char* fmt, va_list ap) {
    char text[512];
    std::vsnprintf(text, sizeof text, fmt, ap);
    sink->push_back(std::string(module ? module : "") + ": " + text);
  });
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bits * c.samples);
    const std::string path = Path("odd.tif");
    const Bytes pixels = Pattern(c.width, c.height, c.bits, c.samples);
    ASSERT_EQ(pixels.size() % 2, 1u);
    const std::string* profileArg = c.bits == 1 ? nullptr : &profilePath;
    ASSERT_EQ(WriteLargeTiff(path, c.width, c.height, c.bits, c.samples, pixels, 64, profileArg), CM_OK);
    const Bytes file = ReadFile(path);
    for (const std::uint32_t offset : DirectoryAndValueOffsets(file)) EXPECT_EQ(offset % 2, 0u) << offset;
    EXPECT_EQ(Be32(file, 4), 8 + pixels.size() + 1);
    EXPECT_EQ(file[8 + pixels.size()], 0);
    const Entry icc = FindEntry(file, Be32(file, 4), 34675);
    ASSERT_TRUE(icc.found);
    EXPECT_EQ(Bytes(file.begin() + icc.value, file.begin() + icc.value + icc.count), c.profile);

    warnings.clear();
    TIFF* tif = TIFFOpen(path.c_str(), "r");
    ASSERT_TRUE(tif);
    const tmsize_t line = TIFFScanlineSize(tif);
    Bytes back(std::size_t(line) * c.height);
    for (std::uint32_t y = 0; y < c.height; ++y)
      ASSERT_GE(TIFFReadScanline(tif, back.data() + std::size_t(line) * y, y, 0), 0);
    TIFFClose(tif);
    EXPECT_EQ(back, pixels);
    // Predictor belongs to compression, which libtiff does not register without it.
    for (const std::string& w : warnings) EXPECT_NE(w.find("tag 317"), std::string::npos) << w;
  }
  TIFFSetWarningHandler(before);
  sink = nullptr;
}

TEST_F(LargeTiffXformTest, LinesWiderThanTheirPackedSizeAreRepacked) {
  const std::string path = Path("stride.tif");
  const Bytes pixels = Pattern(30, 20, 8, 3);
  Bytes padded(20 * 100, 0xCC);
  for (int y = 0; y < 20; ++y) std::memcpy(&padded[y * 100], &pixels[y * 90], 90);
  LargeTiffXform writer;
  auto image = MakeImage(30, 20, 8, 3, "", path);
  auto xform = MakeXform(SM_FORMAT_RAW, SM_FORMAT_LARGE_TIFF);
  ASSERT_EQ(writer.StartXform(xform.get(), image.get()), CM_OK);
  ASSERT_EQ(writer.WriteLines(20, 100, padded.data()), CM_OK);
  ASSERT_EQ(writer.EndXform(nullptr), CM_OK);
  EXPECT_EQ(ReadWithLibtiff(path), pixels);
}

TEST_F(LargeTiffXformTest, AnEarlierLongerFileAtThePathLeavesNoTail) {
  const std::string path = Path("again.tif");
  WriteFile(path, Bytes(200000, 0xAB));
  const Bytes pixels = Pattern(10, 10, 8, 1);
  ASSERT_EQ(WriteLargeTiff(path, 10, 10, 8, 1, pixels), CM_OK);
  const Bytes file = ReadFile(path);
  EXPECT_EQ(file.size(), 108u + 210 + 16 + imageio::ColorSpace::grayGamma2_2ProfileData().size());
  EXPECT_EQ(ReadWithLibtiff(path), pixels);
}

TEST_F(LargeTiffXformTest, RefusedRequestsAndWrongLineCounts) {
  const std::string path = Path("refused.tif");
  LargeTiffXform writer;
  auto xform = MakeXform(SM_FORMAT_RAW, SM_FORMAT_LARGE_TIFF);
  auto image = MakeImage(10, 10, 8, 1, "", path);
  const Bytes block(1000, 0);

  EXPECT_EQ(writer.StartXform(nullptr, image.get()), SM_ERR_NO_XFORM);
  auto tiffPair = MakeXform(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  EXPECT_EQ(writer.StartXform(tiffPair.get(), image.get()), SM_ERR_UNSUPPORTED);
  auto noPath = MakeImage(10, 10, 8, 1, "", "");
  EXPECT_EQ(writer.StartXform(xform.get(), noPath.get()), SM_ERR_UNSUPPORTED);
  auto noHeight = MakeImage(10, 0, 8, 1, "", path);
  EXPECT_EQ(writer.StartXform(xform.get(), noHeight.get()), SM_ERR_BAD_SIZE);
  auto badDepth = MakeImage(10, 10, 4, 1, "", path);
  EXPECT_EQ(writer.StartXform(xform.get(), badDepth.get()), SM_ERR_UNSUPPORTED);
  // 65536 x 65536 grey is 4 GiB of pixels: the file could not address its directory.
  auto huge = MakeImage(65536, 65536, 8, 1, "", path);
  EXPECT_EQ(writer.StartXform(xform.get(), huge.get()), SM_ERR_MALFORMED);
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(writer.WriteLines(1, 10, block.data()), SM_ERR_NO_XFORM);
  EXPECT_EQ(writer.EndXform(nullptr), SM_ERR_NO_XFORM);
  EXPECT_EQ(writer.AbortXform(), SM_ERR_NO_XFORM);

  // More lines than the image has.
  ASSERT_EQ(writer.StartXform(xform.get(), image.get()), CM_OK);
  EXPECT_EQ(writer.WriteLines(11, 10, block.data()), SM_ERR_BAD_SIZE);
  EXPECT_EQ(writer.WriteLines(1, 9, block.data()), SM_ERR_BAD_SIZE);
  EXPECT_EQ(writer.WriteLines(1, 10, nullptr), SM_ERR_BAD_SIZE);
  // Too few lines: the directory would describe strips that are not there.
  ASSERT_EQ(writer.WriteLines(9, 10, block.data()), CM_OK);
  EXPECT_EQ(writer.EndXform(nullptr), SM_ERR_NO_LINES);
  EXPECT_EQ(writer.EndXform(nullptr), SM_ERR_NO_XFORM);

  // An aborted image leaves its partial file for the caller to delete.
  ASSERT_EQ(writer.StartXform(xform.get(), image.get()), CM_OK);
  ASSERT_EQ(writer.WriteLines(3, 10, block.data()), CM_OK);
  EXPECT_EQ(writer.AbortXform(), CM_OK);
  EXPECT_EQ(ReadFile(path).size(), 38u);
  EXPECT_EQ(writer.AbortXform(), SM_ERR_NO_XFORM);
}

TEST_F(LargeTiffXformTest, ALineLongerThanAStripMakesOneStripPerLine) {
  const std::string path = Path("long-lines.tif");
  const std::uint32_t w = 50000, h = 3;  // 150000 bytes a line
  const Bytes pixels = Pattern(w, h, 8, 3);
  ASSERT_EQ(WriteLargeTiff(path, w, h, 8, 3, pixels, 2), CM_OK);
  EXPECT_EQ(ReadWithLibtiff(path), pixels);
  // A single such line is one strip described inline.
  const std::string one = Path("one-line.tif");
  const Bytes line = Pattern(w, 1, 8, 3);
  ASSERT_EQ(WriteLargeTiff(one, w, 1, 8, 3, line), CM_OK);
  const Bytes file = ReadFile(one);
  EXPECT_EQ(FindEntry(file, Be32(file, 4), 273).value, 8u);
  EXPECT_EQ(ReadWithLibtiff(one), line);
}

}  // namespace
