#include <gtest/gtest.h>

#include <filesystem>

#include "SaveFileTestSupport.h"
#include "TestEnvironment.h"
#include "launcher/save/ImageReadBack.h"

namespace fs = std::filesystem;
using namespace savetest;

namespace {

class ImageReadBackTest : public testing::Test {
 protected:
  void SetUp() override { dir = testenv::freshFolder("read-back"); }
  std::string Path(const char* name) const { return (dir / name).string(); }
  fs::path dir;
};

TEST_F(ImageReadBackTest, ReadBackHandsOutTheRowsOfEveryDepth) {
  const struct {
    std::uint32_t bits, samples;
  } cases[] = {{1, 1}, {8, 1}, {16, 1}, {8, 3}, {16, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bits * c.samples);
    const std::uint32_t w = 37, h = 21;
    const Bytes pixels = Pattern(w, h, c.bits, c.samples);
    const std::string path = Path("back.tif");
    fnd::Dictionary properties;
    properties.set(imageio::kCGImagePropertyDPIWidth, 200.0);
    properties.set(imageio::kCGImagePropertyDPIHeight, 100.0);
    ASSERT_TRUE(WriteImageFile(path, imageio::ImageType::TIFF, w, h, c.bits, c.samples, pixels, properties));
    auto image = MakeImage(0, 0, 0, 0, path, "");
    ImageReadBack reader;
    ASSERT_EQ(reader.OpenReadImage(image.get(), false), CM_OK);
    const SM_ImageProperty_Struct* p = image->GetProperty();
    EXPECT_EQ(p->uiImageWidth, w);
    EXPECT_EQ(p->uiImageLength, h);
    EXPECT_EQ(p->uiBitsPerSample, c.bits);
    EXPECT_EQ(p->uiSamplePerPixel, c.samples);
    EXPECT_EQ(p->fResolutionX, 200.0);
    EXPECT_EQ(p->fResolutionY, 100.0);
    Bytes all, block(100);  // blocks that end inside rows
    bool end = false;
    while (!end) {
      std::uint64_t got = 0;
      ASSERT_EQ(reader.ReadImageBlock(block.data(), block.size(), &got, &end), CM_OK);
      all.insert(all.end(), block.begin(), block.begin() + std::ptrdiff_t(got));
    }
    EXPECT_EQ(all, pixels);
    std::uint64_t got = 0;
    EXPECT_EQ(reader.ReadImageBlock(block.data(), block.size(), &got, &end), SM_ERR_NO_XFORM);
  }
}

TEST_F(ImageReadBackTest, ReadBackRefusals) {
  ImageReadBack reader;
  auto missing = MakeImage(0, 0, 0, 0, Path("missing.tif"), "");
  EXPECT_EQ(reader.OpenReadImage(missing.get(), false), SM_ERR_MALFORMED);
  const std::string empty = Path("empty.tif");
  WriteFile(empty, {});
  auto emptyImage = MakeImage(0, 0, 0, 0, empty, "");
  EXPECT_EQ(reader.OpenReadImage(emptyImage.get(), false), SM_ERR_UNSUPPORTED);
  const std::string junk = Path("junk.tif");
  WriteFile(junk, Bytes(100, 7));
  auto junkImage = MakeImage(0, 0, 0, 0, junk, "");
  EXPECT_EQ(reader.OpenReadImage(junkImage.get(), false), SM_ERR_IMAGE);

  const std::string path = Path("probe.tif");
  ASSERT_TRUE(WriteImageFile(path, imageio::ImageType::TIFF, 9, 4, 8, 1, Pattern(9, 4, 8, 1)));
  auto image = MakeImage(0, 0, 0, 0, path, "");
  ASSERT_EQ(reader.OpenReadImage(image.get(), true), CM_OK);  // prepare: geometry only
  EXPECT_EQ(image->GetProperty()->uiImageWidth, 9u);
  std::uint64_t got = 0;
  bool end = false;
  Bytes block(10);
  EXPECT_EQ(reader.ReadImageBlock(block.data(), block.size(), &got, &end), SM_ERR_NO_XFORM);
  ASSERT_EQ(reader.OpenReadImage(image.get(), false), CM_OK);
  EXPECT_EQ(reader.OpenReadImage(image.get(), false), SM_ERR_XFORM_OPEN);
  EXPECT_EQ(reader.ReadImageBlock(block.data(), 0, &got, &end), SM_ERR_BAD_SIZE);
  EXPECT_EQ(reader.CloseReadImage(), CM_OK);
}

}  // namespace
