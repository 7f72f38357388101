#include <gtest/gtest.h>

#include <filesystem>

#include "SaveFileTestSupport.h"
#include "TestEnvironment.h"
#include "launcher/save/ISM_OPTION_INFO.h"
#include "launcher/save/ImageGeometry.h"
#include "launcher/save/RotateResizeXform.h"

namespace fs = std::filesystem;
using namespace savetest;

namespace {

TEST(ImageGeometryTest, FitSizeKeepsTheAspectInsideTheBox) {
  struct Case {
    std::int32_t code;
    std::uint32_t w, h;
    CMResult rc;
    std::uint32_t nw, nh;
  } cases[] = {
      {4550, 3000, 2000, CM_OK, 640, 426},
      {4550, 2000, 3000, CM_OK, 320, 480},
      {4550, 600, 400, CM_OK, 600, 400},
      {4551, 1600, 1200, CM_OK, 800, 600},
      {4552, 4000, 1000, CM_OK, 1024, 256},
      {4554, 200, 300, CM_OK, 80, 120},
      {4555, 500, 500, CM_OK, 106, 106},
      {4553, 3000, 2000, SM_ERR_BAD_SIZE, 0, 0},
      {4549, 3000, 2000, SM_ERR_BAD_SIZE, 0, 0},
      {4550, 0, 2000, SM_ERR_BAD_SIZE, 0, 0},   // nothing to divide by
      {4550, 3000, 0, SM_ERR_BAD_SIZE, 0, 0},
      {4555, 100000, 1, SM_ERR_BAD_COUNT, 0, 0},  // fits only as zero lines
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.code << " " << c.w << "x" << c.h);
    std::uint32_t nw = 0, nh = 0;
    EXPECT_EQ(CM_FitSize(c.code, c.w, c.h, &nw, &nh), c.rc);
    if (c.rc == CM_OK) {
      EXPECT_EQ(nw, c.nw);
      EXPECT_EQ(nh, c.nh);
    }
  }
}

// A 200 x 100 grey picture, black but for a white top-left pixel and a grey bottom-right one.
imageio::ImageRef MarkedImage(std::uint32_t bits = 8) {
  const std::uint32_t w = 200, h = 100;
  Bytes pixels(LineBytes(w, bits, 1) * h, 0);
  if (bits == 8) {
    pixels[0] = 255;
    pixels[pixels.size() - 1] = 128;
  } else {
    pixels[0] = 0x80;  // 1-bit: the first pixel white
  }
  return imageio::Image::create(w, h, bits, bits, LineBytes(w, bits, 1), imageio::ColorSpace::genericGrayGamma2_2(), {},
                                imageio::DataProvider::createWithData(fnd::Data(pixels.begin(), pixels.end())));
}

Decoded DecodeImage(const imageio::ImageRef& image) {
  Decoded d;
  imageio::RowReader reader(*image);
  d.width = std::uint32_t(image->width());
  d.height = std::uint32_t(image->height());
  d.components = reader.components();
  d.samples.resize(std::size_t(d.width) * d.height * std::size_t(d.components));
  for (std::uint32_t y = 0; y < d.height; ++y) EXPECT_TRUE(reader.next8(&d.samples[std::size_t(y) * d.width * std::size_t(d.components)]));
  return d;
}

TEST(ImageGeometryTest, RotationTurnsClockwiseIntoTheRoundedBox) {
  struct Case {
    int degrees;
    std::uint32_t w, h;
    std::uint32_t whiteX, whiteY;
  } cases[] = {{90, 100, 200, 99, 0}, {180, 200, 100, 199, 99}, {270, 100, 200, 0, 199}, {0, 200, 100, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.degrees);
    auto turned = CM_RotateImage(MarkedImage(), c.degrees);
    ASSERT_TRUE(turned);
    const Decoded d = DecodeImage(turned);
    ASSERT_EQ(d.width, c.w);
    ASSERT_EQ(d.height, c.h);
    EXPECT_EQ(d.At(c.whiteX, c.whiteY), 255);
    // The opposite corner holds the grey pixel: nothing was lost at the edges.
    EXPECT_EQ(d.At(c.w - 1 - c.whiteX, c.h - 1 - c.whiteY), 128);
    int lit = 0;
    for (std::uint8_t v : d.samples) lit += v != 0;
    EXPECT_EQ(lit, 2);
  }
  // A 1-bit image becomes 8-bit grey; other depths are refused.
  auto bits = CM_RotateImage(MarkedImage(1), 90);
  ASSERT_TRUE(bits);
  EXPECT_EQ(bits->bitsPerPixel(), 8u);
  EXPECT_EQ(DecodeImage(bits).At(99, 0), 255);
  EXPECT_EQ(CM_RotateImage(nullptr, 90), nullptr);
}

class RotateResizeXformTest : public testing::Test {
 protected:
  void SetUp() override { dir = testenv::freshFolder("rotate-resize"); }
  std::string Path(const char* name) const { return (dir / name).string(); }

  // A grey TIFF with a white top-left pixel.
  std::string MarkedTiff(const char* name, std::uint32_t w, std::uint32_t h, fnd::Dictionary properties = {}) {
    Bytes pixels(std::size_t(w) * h, 40);
    pixels[0] = 255;
    const std::string path = Path(name);
    EXPECT_TRUE(WriteImageFile(path, imageio::ImageType::TIFF, w, h, 8, 1, pixels, std::move(properties)));
    return path;
  }

  std::unique_ptr<ISM_OPTION_INFO> Option(std::int32_t rotation) {
    std::unique_ptr<ISM_OPTION_INFO> option;
    EXPECT_EQ(SM_CreateOptionInfo(&option), CM_OK);
    option->SetRotation(rotation);
    return option;
  }

  fs::path dir;
};

TEST_F(RotateResizeXformTest, RotationPassWritesTheTurnedImageWithSwappedResolutions) {
  fnd::Dictionary properties;
  properties.set(imageio::kCGImagePropertyDPIWidth, 300.0);
  properties.set(imageio::kCGImagePropertyDPIHeight, 150.0);
  const std::string input = MarkedTiff("in.tif", 200, 100, properties);
  const std::string output = Path("turned.tif");
  RotateResizeXform pass;
  auto xform = MakeXform(SM_FORMAT_TIFF, SM_FORMAT_TIFF);
  auto image = MakeImage(200, 100, 8, 1, input, output);
  auto option = Option(SM_ROTATE_90);
  ASSERT_EQ(pass.StartRotation(xform.get(), image.get(), option.get()), CM_OK);
  EXPECT_EQ(pass.StartRotation(xform.get(), image.get(), option.get()), SM_ERR_XFORM_OPEN);
  ASSERT_EQ(pass.Rotate(), CM_OK);
  EXPECT_EQ(pass.EndRotation(), CM_OK);
  const Decoded d = Decode(output);
  ASSERT_EQ(d.width, 100u);
  ASSERT_EQ(d.height, 200u);
  EXPECT_EQ(d.At(99, 0), 255);
  EXPECT_EQ(d.At(0, 0), 40);
  EXPECT_EQ(d.properties.real(imageio::kCGImagePropertyDPIWidth), 150.0);
  EXPECT_EQ(d.properties.real(imageio::kCGImagePropertyDPIHeight), 300.0);
}

TEST_F(RotateResizeXformTest, RotationPassRefusalsAndAMissingInput) {
  RotateResizeXform pass;
  auto option = Option(SM_ROTATE_180);
  auto image = MakeImage(1, 1, 8, 1, Path("absent.tif"), Path("out.tif"));
  auto jpegOut = MakeXform(SM_FORMAT_TIFF, SM_FORMAT_JPEG);
  EXPECT_EQ(pass.StartRotation(jpegOut.get(), image.get(), option.get()), SM_ERR_UNSUPPORTED);
  auto rawIn = MakeXform(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  EXPECT_EQ(pass.StartRotation(rawIn.get(), image.get(), option.get()), SM_ERR_UNSUPPORTED);
  auto xform = MakeXform(SM_FORMAT_TIFF, SM_FORMAT_TIFF);
  auto noOutput = MakeImage(1, 1, 8, 1, Path("absent.tif"), "");
  EXPECT_EQ(pass.StartRotation(xform.get(), noOutput.get(), option.get()), SM_ERR_UNSUPPORTED);
  EXPECT_EQ(pass.StartRotation(xform.get(), nullptr, option.get()), SM_ERR_NO_XFORM);
  EXPECT_EQ(pass.Rotate(), SM_ERR_NO_XFORM);

  // An input that does not exist: nothing to turn, no file, no error.
  ASSERT_EQ(pass.StartRotation(xform.get(), image.get(), option.get()), CM_OK);
  EXPECT_EQ(pass.Rotate(), CM_OK);
  EXPECT_FALSE(fs::exists(Path("out.tif")));

  // An output folder that cannot be written is refused before anything is written.
  ASSERT_EQ(pass.Initialize(), CM_OK);
  const std::string locked = (UnwritableFolder(testenv::freshFolder("locked-rotate")) / "out.tif").string();
  auto toLocked = MakeImage(1, 1, 8, 1, MarkedTiff("small.tif", 20, 10), locked);
  ASSERT_EQ(pass.StartRotation(xform.get(), toLocked.get(), option.get()), CM_OK);
  EXPECT_EQ(pass.Rotate(), SM_ERR_OUTPUT_NOT_WRITABLE);
  EXPECT_FALSE(fs::exists(locked));
}

TEST_F(RotateResizeXformTest, ResizePassFitsTheBoxAndStoresTheNewSize) {
  const std::string input = MarkedTiff("big.tif", 3000, 2000);
  struct Case {
    std::uint32_t out;
    const char* name;
  } cases[] = {{SM_FORMAT_TIFF, "small.tif"}, {SM_FORMAT_JPEG, "small.jpg"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RotateResizeXform pass;
    auto xform = MakeXform(SM_FORMAT_TIFF, c.out, SM_COMPRESSION_LOW, 4550);
    const std::string app = "Trivolan";
    xform->SetAppName(&app);
    auto image = MakeImage(3000, 2000, 8, 1, input, Path(c.name));
    ASSERT_EQ(pass.StartResize(xform.get(), image.get()), CM_OK);
    ASSERT_EQ(pass.Resize(), CM_OK);
    EXPECT_EQ(pass.EndResize(), CM_OK);
    EXPECT_EQ(pass.GetImageInfo()->GetProperty()->uiImageWidth, 640u);
    EXPECT_EQ(pass.GetImageInfo()->GetProperty()->uiImageLength, 426u);
    const Decoded d = Decode(Path(c.name));
    EXPECT_EQ(d.width, 640u);
    EXPECT_EQ(d.height, 426u);
    if (c.out == SM_FORMAT_JPEG) {
      EXPECT_EQ(d.properties.dictionary(imageio::kCGImagePropertyTIFFDictionary).string(imageio::kCGImagePropertyTIFFMake),
                "Vantrel");
    }
  }
}

TEST_F(RotateResizeXformTest, ResizePassTurnsAnOrientedSourceUprightAndRefusesWhatItCannotWrite) {
  fnd::Dictionary properties;
  properties.set(imageio::kCGImagePropertyOrientation, 6);
  const std::string input = MarkedTiff("oriented.tif", 300, 200, properties);
  RotateResizeXform pass;
  auto xform = MakeXform(SM_FORMAT_TIFF, SM_FORMAT_TIFF, 0, 4554);
  auto image = MakeImage(300, 200, 8, 1, input, Path("thumb.tif"));
  ASSERT_EQ(pass.StartResize(xform.get(), image.get()), CM_OK);
  ASSERT_EQ(pass.Resize(), CM_OK);
  const Decoded d = Decode(Path("thumb.tif"));
  EXPECT_EQ(d.width, 80u);
  EXPECT_EQ(d.height, 120u);
  EXPECT_EQ(d.properties.intValue(imageio::kCGImagePropertyOrientation), 1);

  struct Refused {
    std::uint32_t in, out;
    std::int32_t mode;
    CMResult start, run;
  } refused[] = {
      {SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF, 4550, SM_ERR_UNSUPPORTED, 0},  // EXIF output wants a JPEG input
      {SM_FORMAT_RAW, SM_FORMAT_TIFF, 4550, SM_ERR_UNSUPPORTED, 0},
      {SM_FORMAT_TIFF, SM_FORMAT_PNG, 4550, CM_OK, SM_ERR_UNSUPPORTED},   // no PNG writer here
      {SM_FORMAT_TIFF, SM_FORMAT_TIFF, 4553, CM_OK, SM_ERR_BAD_SIZE},
  };
  for (const Refused& r : refused) {
    SCOPED_TRACE(testing::Message() << r.in << "->" << r.out << " mode " << r.mode);
    RotateResizeXform other;
    auto x = MakeXform(r.in, r.out, 0, r.mode);
    auto i = MakeImage(300, 200, 8, 1, input, Path("refused.out"));
    ASSERT_EQ(other.StartResize(x.get(), i.get()), r.start);
    if (r.start == CM_OK) {
      EXPECT_EQ(other.Resize(), r.run);
    }
  }
  EXPECT_FALSE(fs::exists(Path("refused.out")));
}

TEST_F(RotateResizeXformTest, ThumbnailFileOverItsOwnSourceNeverLosesTheOriginal) {
  const std::string path = MarkedTiff("same.tif", 800, 400);
  const fs::path temp = testenv::freshFolder("thumb-temp");
  RotateResizeXform pass;
  const std::string tempText = temp.string();
  ASSERT_EQ(pass.SetTempFolderPath(&tempText), CM_OK);
  ASSERT_EQ(pass.MakeThumbnailFile(&path, &path, SM_FormatPair(SM_FORMAT_TIFF, SM_FORMAT_TIFF)), CM_OK);
  Decoded d = Decode(path);
  EXPECT_EQ(d.width, 160u);
  EXPECT_EQ(d.height, 80u);
  EXPECT_TRUE(fs::is_empty(temp));

  // A source whose pixels cannot be read: the pass fails and the file is still there, whole.
  const std::string cut = Path("cut.tif");
  Bytes whole = ReadFile(MarkedTiff("whole.tif", 800, 400));
  Bytes half(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() / 2));
  WriteFile(cut, half);
  EXPECT_NE(pass.MakeThumbnailFile(&cut, &cut, SM_FormatPair(SM_FORMAT_TIFF, SM_FORMAT_TIFF)), CM_OK);
  EXPECT_EQ(ReadFile(cut), half);
  EXPECT_TRUE(fs::is_empty(temp));
}

TEST_F(RotateResizeXformTest, ThumbnailFileToAnotherPathAndItsRefusals) {
  const std::string source = MarkedTiff("photo.tif", 300, 600);
  const std::string target = Path("thumb.jpg");
  RotateResizeXform pass;
  ASSERT_EQ(pass.MakeThumbnailFile(&source, &target, SM_FormatPair(SM_FORMAT_TIFF, SM_FORMAT_JPEG)), CM_OK);
  const Decoded d = Decode(target);
  EXPECT_EQ(d.width, 80u);
  EXPECT_EQ(d.height, 160u);
  EXPECT_EQ(ReadFile(target)[0], 0xFF);

  const std::string other = Path("other.tif");
  EXPECT_EQ(pass.MakeThumbnailFile(&source, &other, SM_FormatPair(SM_FORMAT_RAW, SM_FORMAT_TIFF)), SM_ERR_BAD_SIZE);
  EXPECT_EQ(pass.MakeThumbnailFile(&source, &other, SM_FormatPair(SM_FORMAT_TIFF, SM_FORMAT_PDF)), SM_ERR_UNSUPPORTED);
  const std::string missing = Path("missing.tif");
  EXPECT_EQ(pass.MakeThumbnailFile(&missing, &other, SM_FormatPair(SM_FORMAT_TIFF, SM_FORMAT_TIFF)), SM_ERR_URL);
  const std::string locked = (UnwritableFolder(testenv::freshFolder("locked-thumb")) / "t.tif").string();
  EXPECT_EQ(pass.MakeThumbnailFile(&source, &locked, SM_FormatPair(SM_FORMAT_TIFF, SM_FORMAT_TIFF)),
            SM_ERR_OUTPUT_NOT_WRITABLE);
  EXPECT_FALSE(fs::exists(other));
}

}  // namespace
