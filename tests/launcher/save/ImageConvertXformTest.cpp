#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include <jpeglib.h>
#include <tiffio.h>

#include "SaveFileTestSupport.h"
#include "TestEnvironment.h"
#include "launcher/save/ImageConvertXform.h"
#include "launcher/save/ImagePassSupport.h"

namespace fs = std::filesystem;
using namespace savetest;

namespace {

struct Jpeg {
  int width = 0, height = 0, components = 0;
  int firstQuant = 0;  // first value of the luminance quantisation table
  Bytes samples;
};

// Decodes a JPEG with libjpeg-turbo itself.
Jpeg ReadJpeg(const std::string& path) {
  Jpeg j;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return j;
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, f);
  jpeg_read_header(&cinfo, TRUE);
  j.components = cinfo.num_components;
  if (cinfo.quant_tbl_ptrs[0]) j.firstQuant = cinfo.quant_tbl_ptrs[0]->quantval[0];
  jpeg_start_decompress(&cinfo);
  j.width = int(cinfo.output_width);
  j.height = int(cinfo.output_height);
  const int stride = j.width * cinfo.output_components;
  j.samples.resize(std::size_t(stride) * std::size_t(j.height));
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = j.samples.data() + std::size_t(cinfo.output_scanline) * std::size_t(stride);
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::fclose(f);
  return j;
}

int TiffCompression(const std::string& path) {
  TIFFSetWarningHandler(nullptr);
  TIFF* tif = TIFFOpen(path.c_str(), "r");
  if (!tif) return -1;
  std::uint16_t compression = 0;
  TIFFGetField(tif, TIFFTAG_COMPRESSION, &compression);
  TIFFClose(tif);
  return compression;
}

class ImageConvertXformTest : public testing::Test {
 protected:
  void SetUp() override { dir = testenv::freshFolder("convert"); }
  std::string Path(const char* name) const { return (dir / name).string(); }

  CMResult Convert(const std::string& input, const std::string& output, std::uint32_t in, std::uint32_t out,
                   std::int32_t compression = SM_COMPRESSION_HIGH) {
    ImageConvertXform pass;
    auto xform = MakeXform(in, out, compression);
    const std::string device = "Virtual 9000", app = "Trivolan";
    xform->SetDeviceName(&device);
    xform->SetAppName(&app);
    auto image = MakeImage(0, 0, 0, 0, input, output);
    CMResult rc = pass.StartConvertXform(xform.get(), image.get());
    if (rc != CM_OK) return rc;
    rc = pass.ConvertXform();
    EXPECT_EQ(pass.EndConvertXform(), CM_OK);
    return rc;
  }

  fs::path dir;
};

TEST_F(ImageConvertXformTest, GreyScansBecomeThreeChannelJpegsForTheExifPass) {
  struct Case {
    std::uint32_t bits;
    std::uint8_t (*expected)(const Bytes&, std::uint32_t x, std::uint32_t y);
  } cases[] = {
      {8, [](const Bytes& p, std::uint32_t x, std::uint32_t y) { return p[y * 64 + x]; }},
      // The high byte of each 16-bit sample.
      {16, [](const Bytes& p, std::uint32_t x, std::uint32_t y) { return p[(y * 64 + x) * 2 + 1]; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    // Flat 16 x 16 tiles survive JPEG's blocks almost exactly.
    Bytes pixels(LineBytes(64, c.bits, 1) * 48);
    for (std::uint32_t y = 0; y < 48; ++y)
      for (std::uint32_t x = 0; x < 64; ++x) {
        const std::uint8_t v = std::uint8_t((x / 16 * 60 + y / 16 * 25) & 0xFF);
        if (c.bits == 8) {
          pixels[y * 64 + x] = v;
        } else {
          pixels[(y * 64 + x) * 2] = 0x77;
          pixels[(y * 64 + x) * 2 + 1] = v;
        }
      }
    const std::string input = Path("grey.tif"), output = Path("grey.jpg");
    ASSERT_TRUE(WriteImageFile(input, imageio::ImageType::TIFF, 64, 48, c.bits, 1, pixels));
    ASSERT_EQ(Convert(input, output, SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF), CM_OK);
    const Jpeg j = ReadJpeg(output);
    ASSERT_EQ(j.components, 3);
    ASSERT_EQ(j.width, 64);
    ASSERT_EQ(j.height, 48);
    for (std::uint32_t y = 0; y < 48; y += 5)
      for (std::uint32_t x = 0; x < 64; x += 7)
        for (int s = 0; s < 3; ++s) EXPECT_NEAR(j.samples[(y * 64 + x) * 3 + std::uint32_t(s)], c.expected(pixels, x, y), 2);
  }
}

TEST_F(ImageConvertXformTest, ExifJpegConversionHandsOnTheThumbnailOfTheRowsItEncoded) {
  struct Case {
    const char* name;
    std::uint32_t width, height, bits, samples;
    int orientation;  // 0: none
    std::uint32_t out;
    std::size_t tw, th;  // 0: no thumbnail handed on
  } cases[] = {
      {"colour", 300, 200, 8, 3, 0, SM_FORMAT_JPEG_EXIF, 160, 107},
      {"grey", 90, 200, 8, 1, 0, SM_FORMAT_JPEG_EXIF, 72, 160},
      {"16-bit grey", 200, 90, 16, 1, 0, SM_FORMAT_JPEG_EXIF, 160, 72},
      // Rows the encoder reduces itself: 16-bit samples, and the padded pixels of an image
      // redrawn upright (turned, or redrawn as it stands for a mirrored orientation).
      {"16-bit colour", 300, 200, 16, 3, 0, SM_FORMAT_JPEG_EXIF, 160, 107},
      {"turned", 300, 200, 8, 3, 6, SM_FORMAT_JPEG_EXIF, 107, 160},
      {"turned the other way, 16-bit", 300, 200, 16, 3, 8, SM_FORMAT_JPEG_EXIF, 107, 160},
      {"upside down", 300, 200, 8, 3, 3, SM_FORMAT_JPEG_EXIF, 160, 107},
      {"mirrored", 300, 200, 8, 3, 2, SM_FORMAT_JPEG_EXIF, 160, 107},
      // Plain JPEG output has no EXIF pass to hand anything to.
      {"plain JPEG", 300, 200, 8, 3, 0, SM_FORMAT_JPEG, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes pixels = Pattern(c.width, c.height, c.bits, c.samples);
    fnd::Dictionary properties;
    if (c.orientation) properties.set(imageio::kCGImagePropertyOrientation, c.orientation);
    const std::string input = Path("t.tif"), output = Path("t.jpg");
    ASSERT_TRUE(WriteImageFile(input, imageio::ImageType::TIFF, c.width, c.height, c.bits, c.samples, pixels, properties));
    ImageConvertXform pass;
    auto xform = MakeXform(SM_FORMAT_TIFF, c.out, SM_COMPRESSION_HIGH);
    auto image = MakeImage(0, 0, 0, 0, input, output);
    ASSERT_EQ(pass.StartConvertXform(xform.get(), image.get()), CM_OK);
    ASSERT_EQ(pass.ConvertXform(), CM_OK);
    std::shared_ptr<const SM_ThumbnailPixels> thumb = pass.TakeThumbnail();
    if (c.tw == 0) {
      EXPECT_FALSE(thumb);
      continue;
    }
    ASSERT_TRUE(thumb);
    EXPECT_FALSE(pass.TakeThumbnail()) << "taken once";
    ASSERT_EQ(thumb->width, c.tw);
    ASSERT_EQ(thumb->height, c.th);
    ASSERT_EQ(thumb->rgb.size(), c.tw * c.th * 3);
    // The picture the encoder was given: the same pass writing a TIFF turns it the same way,
    // and its 8-bit samples are those the encoder takes (grey ones as they go into RGB).
    const std::string upright = Path("upright.tif");
    ASSERT_EQ(Convert(input, upright, SM_FORMAT_TIFF, SM_FORMAT_TIFF), CM_OK);
    const Decoded d = Decode(upright);
    ASSERT_EQ(d.width > d.height, c.tw > c.th) << "the thumbnail stands as the upright picture does";
    auto sample = [&](std::uint32_t x, std::uint32_t y, int s) -> std::uint64_t {
      if (d.components == 3) return d.At(x, y, s);
      // 16-bit grey keeps its high byte on its way into RGB.
      return c.bits == 16 ? pixels[(std::size_t(y) * c.width + x) * 2 + 1] : d.At(x, y);
    };
    // Each thumbnail pixel is the mean of the source pixels it stands for.
    for (std::size_t ty = 0; ty < c.th; ty += 13)
      for (std::size_t tx = 0; tx < c.tw; tx += 11)
        for (int s = 0; s < 3; ++s) {
          std::uint64_t sum = 0, n = 0;
          for (std::size_t y = ty * d.height / c.th; y < (ty + 1) * d.height / c.th; ++y)
            for (std::uint32_t x = 0; x < d.width; ++x)
              if (x * c.tw / d.width == tx) {
                sum += sample(x, std::uint32_t(y), s);
                ++n;
              }
          ASSERT_EQ(thumb->rgb[(ty * c.tw + tx) * 3 + std::size_t(s)], (sum + n / 2) / n) << tx << "," << ty;
        }
  }
}

TEST_F(ImageConvertXformTest, OneBitScanBecomesPureBlackAndWhiteRgb) {
  // 64 x 32 pixels: white and black in 16-pixel stripes.
  Bytes pixels(8 * 32);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = (i % 8) / 2 % 2 == 0 ? 0xFF : 0x00;
  const std::string input = Path("bw.tif"), output = Path("bw.jpg");
  ASSERT_TRUE(WriteImageFile(input, imageio::ImageType::TIFF, 64, 32, 1, 1, pixels));
  ASSERT_EQ(Convert(input, output, SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF), CM_OK);
  const Jpeg j = ReadJpeg(output);
  ASSERT_EQ(j.components, 3);
  for (std::uint32_t y = 0; y < 32; ++y)
    for (std::uint32_t x = 0; x < 64; ++x) {
      const int want = (x / 16) % 2 == 0 ? 255 : 0;
      for (int s = 0; s < 3; ++s) ASSERT_NEAR(j.samples[(y * 64 + x) * 3 + std::uint32_t(s)], want, 3) << x << "," << y;
    }
}

TEST_F(ImageConvertXformTest, JpegQualityFollowsTheCompressionCode) {
  const std::string input = Path("q.tif");
  ASSERT_TRUE(WriteImageFile(input, imageio::ImageType::TIFF, 32, 32, 8, 3, Pattern(32, 32, 8, 3)));
  // libjpeg's scaling of the first luminance step (16) for qualities 42, 67 and 99.
  const struct {
    std::int32_t code;
    int quant;
  } cases[] = {{SM_COMPRESSION_LOW, 19}, {SM_COMPRESSION_MEDIUM, 11}, {SM_COMPRESSION_HIGH, 1}, {1234, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    const std::string output = Path("q.jpg");
    ASSERT_EQ(Convert(input, output, SM_FORMAT_TIFF, SM_FORMAT_JPEG, c.code), CM_OK);
    EXPECT_EQ(ReadJpeg(output).firstQuant, c.quant);
  }
}

TEST_F(ImageConvertXformTest, OrientedSourceComesOutTurnedWithOrientationOne) {
  Bytes pixels(std::size_t(40) * 20 * 3, 30);
  pixels[0] = 250;  // top-left red
  fnd::Dictionary properties;
  properties.set(imageio::kCGImagePropertyOrientation, 6);
  const std::string input = Path("oriented.tif");
  ASSERT_TRUE(WriteImageFile(input, imageio::ImageType::TIFF, 40, 20, 8, 3, pixels, properties));
  ASSERT_EQ(Decode(input).properties.intValue(imageio::kCGImagePropertyOrientation), 6);

  const std::string output = Path("upright.tif");
  ASSERT_EQ(Convert(input, output, SM_FORMAT_TIFF, SM_FORMAT_TIFF), CM_OK);
  const Decoded d = Decode(output);
  ASSERT_EQ(d.width, 20u);
  ASSERT_EQ(d.height, 40u);
  EXPECT_EQ(d.properties.intValue(imageio::kCGImagePropertyOrientation), 1);
  EXPECT_EQ(d.At(19, 0, 0), 250);  // turned clockwise: the top-left corner is now top-right
  EXPECT_EQ(d.At(0, 0, 0), 30);

  // Plain JPEG output gets the same turn and the metadata.
  const std::string jpeg = Path("upright.jpg");
  ASSERT_EQ(Convert(input, jpeg, SM_FORMAT_TIFF, SM_FORMAT_JPEG), CM_OK);
  const Decoded j = Decode(jpeg);
  EXPECT_EQ(j.width, 20u);
  EXPECT_EQ(j.height, 40u);
  EXPECT_NE(j.properties.intValue(imageio::kCGImagePropertyOrientation), 6);
  const fnd::Dictionary tiff = j.properties.dictionary(imageio::kCGImagePropertyTIFFDictionary);
  EXPECT_EQ(tiff.string(imageio::kCGImagePropertyTIFFMake), "Vantrel");
  EXPECT_EQ(tiff.string(imageio::kCGImagePropertyTIFFModel), "Virtual 9000");
  EXPECT_EQ(tiff.string(imageio::kCGImagePropertyTIFFSoftware), "Trivolan");
}

TEST_F(ImageConvertXformTest, CompressedTiffBecomesAnUncompressedTiffEvenOverItself) {
  fnd::Dictionary properties;
  fnd::Dictionary tiff;
  tiff.set(imageio::kCGImagePropertyTIFFCompression, 5);  // LZW
  properties.set(imageio::kCGImagePropertyTIFFDictionary, tiff);
  const std::string input = Path("lzw.tif");
  const Bytes pixels = Pattern(50, 30, 8, 3);
  ASSERT_TRUE(WriteImageFile(input, imageio::ImageType::TIFF, 50, 30, 8, 3, pixels, properties));
  ASSERT_EQ(TiffCompression(input), COMPRESSION_LZW);

  const std::string output = Path("plain.tif");
  ASSERT_EQ(Convert(input, output, SM_FORMAT_TIFF, SM_FORMAT_TIFF), CM_OK);
  EXPECT_EQ(TiffCompression(output), COMPRESSION_NONE);
  EXPECT_EQ(Decode(output).samples, pixels);
  // The output may be the input's own path: the new file replaces it once complete.
  ASSERT_EQ(Convert(input, input, SM_FORMAT_TIFF, SM_FORMAT_TIFF), CM_OK);
  EXPECT_EQ(TiffCompression(input), COMPRESSION_NONE);
  EXPECT_EQ(Decode(input).samples, pixels);
}

// A 32 x 32 RGBA TIFF of one colour, its alpha straight (unassociated), written by libtiff.
bool WriteRgbaTiff(const std::string& path, const std::uint8_t rgba[4]) {
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  if (!tif) return false;
  const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, 32);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, 32);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 4);
  TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 32);
  TIFFSetField(tif, TIFFTAG_XRESOLUTION, 300.0);
  TIFFSetField(tif, TIFFTAG_YRESOLUTION, 300.0);
  TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  Bytes row(32 * 4);
  for (std::size_t i = 0; i < row.size(); ++i) row[i] = rgba[i % 4];
  bool ok = true;
  for (std::uint32_t y = 0; y < 32 && ok; ++y) ok = TIFFWriteScanline(tif, row.data(), y, 0) >= 0;
  TIFFClose(tif);
  return ok;
}

TEST_F(ImageConvertXformTest, AnImageWithAlphaIsRedrawnOverWhiteForJpeg) {
  struct Case {
    std::uint8_t rgba[4];
    std::uint8_t rgb[3];
  } cases[] = {
      {{0, 0, 0, 128}, {127, 127, 127}},      // half-transparent black: grey, not black
      {{200, 40, 0, 128}, {227, 147, 127}},   // half-transparent colour lies over white
      {{10, 20, 30, 0}, {255, 255, 255}},     // fully transparent: white
      {{200, 100, 50, 255}, {200, 100, 50}},  // opaque: unchanged
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.rgba[0]) << "," << int(c.rgba[1]) << "," << int(c.rgba[2]) << ","
                                    << int(c.rgba[3]));
    const std::string input = Path("alpha.tif"), output = Path("alpha.jpg");
    ASSERT_TRUE(WriteRgbaTiff(input, c.rgba));
    for (const std::uint32_t format : {SM_FORMAT_JPEG, SM_FORMAT_JPEG_EXIF}) {
      ASSERT_EQ(Convert(input, output, SM_FORMAT_TIFF, format), CM_OK);
      const Jpeg j = ReadJpeg(output);
      ASSERT_EQ(j.components, 3);
      ASSERT_EQ(j.width, 32);
      for (std::size_t i = 0; i < j.samples.size(); i += 97) EXPECT_NEAR(j.samples[i], c.rgb[i % 3], 3) << i;
    }
  }
}

TEST_F(ImageConvertXformTest, RefusalsComeBeforeAnythingIsWritten) {
  const std::string input = Path("in.tif");
  ASSERT_TRUE(WriteImageFile(input, imageio::ImageType::TIFF, 16, 16, 8, 1, Pattern(16, 16, 8, 1)));
  const std::string locked = (UnwritableFolder(testenv::freshFolder("locked-convert")) / "out.jpg").string();
  // Both roads: the grey expansion for EXIF JPEG and the standard one.
  EXPECT_EQ(Convert(input, locked, SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF), SM_ERR_OUTPUT_NOT_WRITABLE);
  EXPECT_EQ(Convert(input, locked, SM_FORMAT_TIFF, SM_FORMAT_JPEG), SM_ERR_OUTPUT_NOT_WRITABLE);
  EXPECT_FALSE(fs::exists(locked));

  const std::string output = Path("out.file");
  const struct {
    std::uint32_t in, out;
    const char* what;
  } refused[] = {
      {SM_FORMAT_TIFF, SM_FORMAT_PNG, "PNG"},       {SM_FORMAT_TIFF, SM_FORMAT_PDF, "PDF"},
      {SM_FORMAT_TIFF, SM_FORMAT_PICT, "PICT"},     {SM_FORMAT_TIFF, SM_FORMAT_REFUSED_A, "4325"},
      {SM_FORMAT_TIFF, SM_FORMAT_NONE, "none"},     {SM_FORMAT_RAW, SM_FORMAT_TIFF, "raw input"},
      {SM_FORMAT_LARGE_TIFF, SM_FORMAT_JPEG, "large TIFF input"},
  };
  for (const auto& r : refused) EXPECT_EQ(Convert(input, output, r.in, r.out), SM_ERR_UNSUPPORTED) << r.what;
  EXPECT_EQ(Convert(input, "", SM_FORMAT_TIFF, SM_FORMAT_TIFF), SM_ERR_UNSUPPORTED);
  EXPECT_EQ(Convert(Path("missing.tif"), output, SM_FORMAT_TIFF, SM_FORMAT_TIFF), SM_ERR_MALFORMED);
  EXPECT_FALSE(fs::exists(output));

  ImageConvertXform pass;
  EXPECT_EQ(pass.ConvertXform(), SM_ERR_NO_XFORM);
  auto xform = MakeXform(SM_FORMAT_TIFF, SM_FORMAT_TIFF);
  auto image = MakeImage(0, 0, 0, 0, input, output);
  ASSERT_EQ(pass.StartConvertXform(xform.get(), image.get()), CM_OK);
  EXPECT_EQ(pass.StartConvertXform(xform.get(), image.get()), SM_ERR_XFORM_OPEN);
}

TEST(JpegMetadataTest, GreyAndColourMetadata) {
  auto xform = MakeXform(SM_FORMAT_TIFF, SM_FORMAT_JPEG);
  const std::string app = "Trivolan";
  xform->SetAppName(&app);
  for (int samples : {1, 3}) {
    fnd::Dictionary properties;
    properties.set(imageio::kCGImagePropertyProfileName, "Some profile");
    ASSERT_EQ(SetJpegMetadata(&properties, xform.get(), samples), CM_OK);
    EXPECT_FALSE(properties.contains(imageio::kCGImagePropertyProfileName));
    EXPECT_EQ(properties.string(imageio::kCGImagePropertyColorModel), samples == 1 ? "Gray" : "RGB");
    const fnd::Dictionary tiff = properties.dictionary(imageio::kCGImagePropertyTIFFDictionary);
    EXPECT_EQ(tiff.string(imageio::kCGImagePropertyTIFFMake), "Vantrel");
    EXPECT_FALSE(tiff.contains(imageio::kCGImagePropertyTIFFModel));  // no device name given
    EXPECT_EQ(tiff.string(imageio::kCGImagePropertyTIFFSoftware), "Trivolan");
    EXPECT_EQ(tiff.string(imageio::kCGImagePropertyTIFFDateTime).size(), 19u);
    const fnd::Dictionary exif = properties.dictionary(imageio::kCGImagePropertyExifDictionary);
    EXPECT_EQ(exif.integer(imageio::kCGImagePropertyExifColorSpace), samples == 1 ? 0xFFFF : 1);
    EXPECT_EQ(exif.array(imageio::kCGImagePropertyExifVersion).size(), 3u);
    EXPECT_EQ(exif.array(imageio::kCGImagePropertyExifComponentsConfiguration).size(), 4u);
  }
  EXPECT_EQ(SetJpegMetadata(nullptr, xform.get(), 1), SM_ERR_NO_XFORM);
}

}  // namespace
