#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "SaveFileTestSupport.h"
#include "TestEnvironment.h"
#include "TiffBytes.h"
#include "imageio/DataProvider.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageProperties.h"
#include "launcher/save/TiffLineReader.h"
#include "launcher/save/TiffReader.h"

namespace fs = std::filesystem;
using namespace savetest;

namespace {

class TiffReaderTest : public testing::Test {
 protected:
  void SetUp() override { dir = testenv::freshFolder("tiff-reader"); }
  std::string Path(const char* name) const { return (dir / name).string(); }

  // Reads the whole image through the line reader in blocks of at most blockBytes.
  Bytes ReadAll(const std::string& path, std::uint64_t blockBytes, SM_ImageProperty_Struct* property = nullptr) {
    auto image = MakeImage(0, 0, 0, 0, path, "");
    TiffLineReader reader;
    EXPECT_EQ(reader.OpenTiff(image.get(), false), CM_OK);
    if (property) *property = *image->GetProperty();
    Bytes all, block(blockBytes);
    for (int guard = 0; guard < 100000; ++guard) {
      std::uint64_t got = 0;
      bool finished = false;
      CMResult rc = reader.ReadTiffLines(block.data(), block.size(), &got, &finished);
      EXPECT_EQ(rc, CM_OK);
      if (rc != CM_OK) break;
      all.insert(all.end(), block.begin(), block.begin() + std::ptrdiff_t(got));
      if (finished) break;
    }
    return all;
  }

  fs::path dir;
};

TEST_F(TiffReaderTest, BigEndianFilesOfEveryDepthReadBackLineByLine) {
  struct Case {
    std::uint32_t bits, samples, bpp;
  } cases[] = {{1, 1, 1}, {8, 1, 8}, {16, 1, 16}, {8, 3, 24}, {16, 3, 48}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bpp);
    const std::string path = Path("mm.tif");
    const std::uint32_t w = 301, h = 457;  // several strips
    const Bytes pixels = Pattern(w, h, c.bits, c.samples);
    ASSERT_EQ(WriteLargeTiff(path, w, h, c.bits, c.samples, pixels, 64, nullptr, 600.7), CM_OK);

    TIFF tiff;
    ASSERT_EQ(CM_TiffReadHeader(&path, &tiff), CM_OK);
    EXPECT_EQ(tiff.Endian, 0u);
    EXPECT_EQ(tiff.Width, w);
    EXPECT_EQ(tiff.Height, h);
    EXPECT_EQ(tiff.BPP, c.bpp);
    EXPECT_EQ(tiff.BitsPerSample, c.bits);
    EXPECT_EQ(tiff.SamplePerPixel, c.samples);
    EXPECT_EQ(tiff.StartOffset, 8u);
    EXPECT_EQ(tiff.ResolutionX, 600u);
    EXPECT_EQ(CM_TiffSeekToData(&tiff), CM_OK);
    std::uint8_t first[2];
    ASSERT_EQ(CM_TiffRead(first, 1, 2, tiff.fp.get()), CM_OK);
    EXPECT_EQ(first[0], c.bits == 16 ? pixels[1] : pixels[0]);
    EXPECT_EQ(CM_TiffClose(&tiff), CM_OK);
    EXPECT_EQ(tiff.fp, nullptr);

    // Blocks that hold a few lines and a bit more: only whole lines are handed out.
    const std::uint64_t line = LineBytes(w, c.bits, c.samples);
    SM_ImageProperty_Struct property{};
    EXPECT_EQ(ReadAll(path, line * 5 + line / 2, &property), pixels);
    EXPECT_EQ(property.uiImageWidth, w);
    EXPECT_EQ(property.uiImageLength, h);
    EXPECT_EQ(property.uiBitsPerSample, c.bits);
    EXPECT_EQ(property.uiSamplePerPixel, c.samples);
    EXPECT_EQ(property.fResolutionX, 600.0);
  }
}

TEST_F(TiffReaderTest, LittleEndianFilesAreReadWithoutSwapping) {
  // imageio writes the host's byte order ("II"), uncompressed.
  const std::string path = Path("ii.tif");
  const std::uint32_t w = 40, h = 30;
  const Bytes pixels = Pattern(w, h, 16, 1);
  auto image = imageio::Image::create(w, h, 16, 16, w * 2, imageio::ColorSpace::genericGrayGamma2_2(),
                                      imageio::BitmapInfo{imageio::AlphaInfo::None, imageio::ByteOrder::Little16},
                                      imageio::DataProvider::createWithData(fnd::Data(pixels.begin(), pixels.end())));
  ASSERT_TRUE(image);
  auto destination = imageio::ImageDestination::createWithPath(path, imageio::ImageType::TIFF, 1);
  ASSERT_TRUE(destination);
  fnd::Dictionary properties;
  properties.set(imageio::kCGImagePropertyDPIWidth, 150.0);
  properties.set(imageio::kCGImagePropertyDPIHeight, 75.0);
  destination->addImage(image, properties);
  ASSERT_TRUE(destination->finalize());
  ASSERT_EQ(ReadFile(path)[0], 'I');

  TIFF tiff;
  ASSERT_EQ(CM_TiffReadHeader(&path, &tiff), CM_OK);
  EXPECT_EQ(tiff.Endian, 1u);
  EXPECT_EQ(tiff.BPP, 16u);
  EXPECT_EQ(tiff.ResolutionX, 150u);
  EXPECT_EQ(tiff.ResolutionY, 75u);
  CM_TiffClose(&tiff);
  EXPECT_EQ(ReadAll(path, 1000), pixels);
}

// A little-endian file of one 4 x 2 grey image with the given entries, data at offset 8.
Bytes HandMadeTiff(std::uint16_t magic, std::uint32_t entries, std::uint32_t next, std::uint32_t compression = 1,
                   std::uint32_t height = 2) {
  Bytes f = {'I', 'I', std::uint8_t(magic), std::uint8_t(magic >> 8), 16, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
  auto put16 = [&](std::uint32_t v) { f.push_back(std::uint8_t(v)); f.push_back(std::uint8_t(v >> 8)); };
  auto put32 = [&](std::uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
  auto entry = [&](std::uint16_t tag, std::uint16_t type, std::uint32_t value) {
    put16(tag); put16(type); put32(1);
    if (type == 3) { put16(value); put16(0); } else { put32(value); }
  };
  put16(entries);
  const std::uint16_t tags[] = {256, 257, 258, 259, 273, 277, 279};
  const std::uint32_t values[] = {4, height, 8, compression, 8, 1, 8};
  for (std::uint32_t i = 0; i < entries; ++i) {
    if (i < 7) {
      entry(tags[i], i == 2 || i == 3 || i == 5 ? 3 : 4, values[i]);
    } else {
      entry(std::uint16_t(40000 + i), 3, 0);
    }
  }
  put32(next);
  return f;
}

TEST_F(TiffReaderTest, FilesTheRunCannotDescribeAreRefused) {
  const std::string path = Path("hand.tif");
  WriteFile(path, HandMadeTiff(42, 7, 0));
  TIFF tiff;
  ASSERT_EQ(CM_TiffReadHeader(&path, &tiff), CM_OK);  // the hand-made file itself is fine
  EXPECT_EQ(tiff.Width, 4u);
  CM_TiffClose(&tiff);

  struct Case {
    const char* what;
    Bytes file;
  } cases[] = {
      {"wrong magic number", HandMadeTiff(43, 7, 0)},
      {"a second image", HandMadeTiff(42, 7, 200)},
      {"more than 32 entries", HandMadeTiff(42, 33, 0)},
      {"compressed", HandMadeTiff(42, 7, 0, 5)},
      {"data past the end of the file", HandMadeTiff(42, 7, 0, 1, 900)},
      {"not a TIFF", Bytes{'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(path, c.file);
    EXPECT_EQ(CM_TiffReadHeader(&path, &tiff), SM_ERR_MALFORMED);
    EXPECT_EQ(tiff.fp, nullptr);
  }
  const std::string missing = Path("missing.tif");
  EXPECT_EQ(CM_TiffReadHeader(&missing, &tiff), CM_ERR_FILE_MISSING);
  std::uint8_t four[4];
  EXPECT_EQ(CM_TiffReadAt(&tiff, 1, 4, four, 0), SM_ERR_MALFORMED);
  EXPECT_EQ(CM_TiffSeekToData(&tiff), SM_ERR_MALFORMED);
  std::uint8_t byte;
  EXPECT_EQ(CM_TiffRead(&byte, 1, 1, nullptr), CM_ERR_END_OF_FILE);
}

// Files from elsewhere: every entry the reader uses is checked against its tag's type and
// count, and where its values lie, before anything is read or sized from it.
TEST_F(TiffReaderTest, HostileHeadersAreRefusedBeforeAnythingIsReadOrSized) {
  using testtiff::Entry;
  using testtiff::Make;
  using testtiff::TailOffset;
  const std::uint32_t tail5 = TailOffset(5);
  // A 2 x 1 8-bit grey image, its two pixels in the tail.
  const std::vector<Entry> good = {{256, 4, 1, 2}, {257, 4, 1, 1}, {258, 3, 1, 8}, {273, 4, 1, tail5}, {279, 4, 1, 2}};
  const std::string path = Path("hostile.tif");
  const Bytes whole = Make(good, {0xAA, 0xBB});
  WriteFile(path, whole);
  TIFF tiff;
  ASSERT_EQ(CM_TiffReadHeader(&path, &tiff), CM_OK);
  EXPECT_EQ(tiff.StartOffset, tail5);
  CM_TiffClose(&tiff);

  auto with = [&](std::vector<Entry> changed) {
    std::vector<Entry> entries = good;
    for (const Entry& c : changed)
      for (Entry& e : entries)
        if (e.tag == c.tag) e = c;
    for (const Entry& c : changed)
      if (c.tag > 279) entries.push_back(c);
    return entries;
  };
  const Bytes rational = {1, 0, 0, 0, 1, 0, 0, 0};
  struct Case {
    const char* what;
    Bytes file;
  } cases[] = {
      // StripOffsets of type RATIONAL: an 8-byte value, which the reader once copied into a
      // 4-byte buffer (a stack overflow).
      {"StripOffsets of type RATIONAL", Make(with({{273, 5, 1, tail5}}), rational)},
      // StripOffsets of type DOUBLE and count 0: no value at all, which the reader once took
      // as 8 inline bytes of a 4-byte field.
      {"StripOffsets of type DOUBLE, count 0", Make(with({{273, 12, 0, 0}}), {0xAA, 0xBB})},
      // 4,294,836,226 x 2,147,549,185 pixels of 16 bits: row bytes times height wraps around
      // 64 bits to 4, which the 4 bytes of the tail once satisfied.
      {"a size that wraps to 4 bytes",
       Make(with({{256, 4, 1, 0xFFFE0002}, {257, 4, 1, 0x80010001}, {258, 3, 1, 16}, {279, 4, 1, 4}}), {1, 2, 3, 4})},
      {"a width above the limit (height 0: no data to miss)", Make(with({{256, 4, 1, CM_TIFF_MAX_SIDE + 1}, {257, 4, 1, 0}}))},
      {"XResolution past the end of the file", Make(with({{282, 5, 1, 5000}}), {0xAA, 0xBB})},
      {"XResolution of type LONG", Make(with({{282, 4, 1, 300}}), {0xAA, 0xBB})},
      {"ImageWidth with two values", Make(with({{256, 4, 2, 2}}), {0xAA, 0xBB})},
      {"ImageWidth of type ASCII", Make(with({{256, 2, 4, 2}}), {0xAA, 0xBB})},
      {"two BitsPerSample values for three samples", Make(with({{258, 3, 2, 0x00080008}, {277, 3, 1, 3}}), {0xAA, 0xBB})},
      {"StripByteCounts table past the end of the file", Make(with({{273, 4, 3, tail5}, {279, 4, 3, 0x10000}}), {0xAA, 0xBB})},
      {"a directory past the end of the file", Bytes{'I', 'I', 42, 0, 0xFF, 0xFF, 0, 0, 1, 0}},
      {"a directory cut short", Bytes(whole.begin(), whole.begin() + 30)},
      {"shorter than a header", Bytes{'I', 'I', 42}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile(path, c.file);
    EXPECT_EQ(CM_TiffReadHeader(&path, &tiff), SM_ERR_MALFORMED);
    EXPECT_EQ(tiff.fp, nullptr);
    // The line reader passes the refusal on, and a refused file leaves nothing open.
    auto image = MakeImage(0, 0, 0, 0, path, "");
    TiffLineReader reader;
    EXPECT_EQ(reader.OpenTiff(image.get(), false), SM_ERR_MALFORMED);
    EXPECT_EQ(reader.GetTiff().fp, nullptr);
  }
}

TEST_F(TiffReaderTest, LineReaderRefusesEmptyImagesAndBlocksSmallerThanALine) {
  const std::string path = Path("zero.tif");
  WriteFile(path, HandMadeTiff(42, 7, 0, 1, 0));
  auto image = MakeImage(0, 0, 0, 0, path, "");
  TiffLineReader reader;
  // A height of 0 would leave no lines to divide the bytes by.
  EXPECT_EQ(reader.OpenTiff(image.get(), false), SM_ERR_BAD_SIZE);
  std::uint64_t got = 1;
  bool finished = true;
  Bytes block(64);
  EXPECT_EQ(reader.ReadTiffLines(block.data(), block.size(), &got, &finished), SM_ERR_NO_XFORM);
  EXPECT_EQ(got, 0u);

  WriteFile(path, HandMadeTiff(42, 7, 0));
  ASSERT_EQ(reader.OpenTiff(image.get(), true), CM_OK);  // probe: geometry only
  EXPECT_EQ(image->GetProperty()->uiImageWidth, 4u);
  EXPECT_EQ(reader.GetTiff().fp, nullptr);
  ASSERT_EQ(reader.OpenTiff(image.get(), false), CM_OK);
  EXPECT_EQ(reader.OpenTiff(image.get(), false), SM_ERR_XFORM_OPEN);
  EXPECT_EQ(reader.ReadTiffLines(block.data(), 3, &got, &finished), SM_ERR_BAD_SIZE);
  ASSERT_EQ(reader.ReadTiffLines(block.data(), block.size(), &got, &finished), CM_OK);
  EXPECT_EQ(got, 8u);
  EXPECT_TRUE(finished);
  EXPECT_EQ(Bytes(block.begin(), block.begin() + 8), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(reader.ReadTiffLines(block.data(), block.size(), &got, &finished), SM_ERR_NO_XFORM);
}

}  // namespace
