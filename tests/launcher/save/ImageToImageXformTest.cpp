#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "SaveTestSupport.h"
#include "TestEnvironment.h"
#include "imageio/ColorSpace.h"
#include "imageio/DataProvider.h"
#include "imageio/ImageSource.h"
#include "imageio/RowReader.h"
#include "launcher/save/ImageToImageXform.h"
#include "launcher/save/SMCodes.h"

using savetest::Scan;

namespace {

std::string writeProfile(const std::filesystem::path& folder, const fnd::Data& bytes) {
  std::filesystem::path path = folder / "profile.icc";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path.string();
}

// Streams a scan through an opened writer in blocks of blockLines lines and checks, after
// every hand-over, that the writer has consumed every earlier block and holds no later one.
struct StreamResult {
  CMResult writeResult = CM_OK;
  bool handOffHeld = true;
  std::string handOffProblem;
};

StreamResult streamBlocks(ImageToImageXform& xform, const Scan& scan, std::uint32_t blockLines,
                          std::uint32_t stopAfterLines = 0xFFFFFFFFu) {
  StreamResult r;
  const std::uint64_t rowBytes = scan.rowBytes();
  for (std::uint32_t y = 0; y < scan.height && y < stopAfterLines; y += blockLines) {
    std::uint32_t lines = std::min(blockLines, scan.height - y);
    r.writeResult = xform.WriteLines(y, lines, scan.rowBytes(), 0x100000, scan.row(y));
    if (r.writeResult != CM_OK) return r;
    // The producer got its block in only after the writer had used up the previous one, and
    // the writer cannot have read past the block it was just given.
    std::uint64_t delivered = xform.GetDeliveredBytes();
    if (delivered < rowBytes * y || delivered > rowBytes * (y + lines)) {
      r.handOffHeld = false;
      r.handOffProblem = "after block at line " + std::to_string(y) + ": " + std::to_string(delivered) + " bytes delivered";
    }
  }
  return r;
}

TEST(ImageToImageXform, BlocksStreamIntoATiffThatReadsBackPixelExactAtEveryDepthWithOneBlockHeld) {
  auto folder = testenv::freshFolder("xform-depths");
  struct Case {
    std::uint32_t depth;
    std::uint32_t width;
    std::uint32_t colorSetting;
    bool withProfile;
  } cases[] = {
      {1, 37, 0, false}, {8, 29, 0, true}, {16, 23, 2, false}, {24, 31, 0, true}, {48, 19, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("depth " + std::to_string(c.depth));
    Scan scan(c.width, 61, c.depth, c.depth);
    scan.dpi = 300.7;
    const std::string out = (folder / ("d" + std::to_string(c.depth) + ".tif")).string();
    fnd::Data profile = c.depth >= 24 ? imageio::ColorSpace::sRGBProfileData() : imageio::ColorSpace::grayGamma2_2ProfileData();
    std::string profilePath = c.withProfile ? writeProfile(folder, profile) : std::string();

    ImageToImageXform xform;
    ASSERT_EQ(xform.Initialize(), CM_OK);
    ASSERT_EQ(xform.SetColorSetting(c.colorSetting, c.withProfile ? &profilePath : nullptr), CM_OK);
    auto x = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_TIFF);
    auto image = savetest::makeImage(scan, out);
    ASSERT_EQ(xform.StartXform(x.get(), image.get()), CM_OK);
    StreamResult r = streamBlocks(xform, scan, 7);
    ASSERT_EQ(r.writeResult, CM_OK);
    EXPECT_TRUE(r.handOffHeld) << r.handOffProblem;
    ASSERT_EQ(xform.EndXform(), CM_OK);
    EXPECT_EQ(xform.GetPeakBlockBytes(), std::uint64_t(scan.rowBytes()) * 7);
    EXPECT_EQ(xform.GetDeliveredBytes(), scan.bytes.size());

    savetest::TiffContents t = savetest::readTiff(out);
    ASSERT_TRUE(t.ok) << t.error;
    EXPECT_EQ(t.width, scan.width);
    EXPECT_EQ(t.height, scan.height);
    SM_ImageProperty_Struct p = scan.property();
    EXPECT_EQ(t.bitsPerSample, p.uiBitsPerSample);
    EXPECT_EQ(t.samplesPerPixel, p.uiSamplePerPixel);
    EXPECT_FLOAT_EQ(t.xResolution, 300.0f);  // whole dots per inch
    EXPECT_FLOAT_EQ(t.yResolution, 300.0f);
    EXPECT_EQ(t.make, "Vantrel");
    EXPECT_EQ(t.model, "Test Scanner");
    EXPECT_EQ(t.software, "Trivolan");
    EXPECT_EQ(t.dateTime.size(), 19u) << t.dateTime;
    // 16-bit lines arrive little-endian, which is also how libtiff hands them out here.
    EXPECT_TRUE(t.bytes == scan.bytes);
    if (c.withProfile) {
      EXPECT_TRUE(fnd::Data(t.icc.begin(), t.icc.end()) == profile);
    } else if (c.colorSetting == 2) {
      EXPECT_TRUE(t.icc.empty()) << "device colour has no profile";
    }
  }
  EXPECT_EQ(savetest::filesStartingWith(folder, ".").size(), 0u) << "no temporary file is left";
}

TEST(ImageToImageXform, AbortInTheMiddleEndsTheWriterAndLeavesNoFile) {
  auto folder = testenv::freshFolder("xform-abort");
  Scan scan(40, 100, 24);
  const std::string out = (folder / "a.tif").string();
  ImageToImageXform xform;
  ASSERT_EQ(xform.Initialize(), CM_OK);
  auto x = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  auto image = savetest::makeImage(scan, out);
  ASSERT_EQ(xform.StartXform(x.get(), image.get()), CM_OK);
  ASSERT_EQ(streamBlocks(xform, scan, 10, 30).writeResult, CM_OK);
  EXPECT_EQ(xform.AbortXform(), CM_OK);
  EXPECT_EQ(xform.GetErrorMessage(), SM_ERR_ABORTED);
  EXPECT_EQ(xform.WriteLines(30, 10, scan.rowBytes(), 0x100000, scan.row(30)), SM_ERR_ABORTED);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_TRUE(savetest::filesStartingWith(folder, ".").empty());
  EXPECT_EQ(xform.AbortXform(), SM_ERR_NO_XFORM) << "nothing open any more";

  // The object is ready for the next image.
  ASSERT_EQ(xform.Initialize(), CM_OK);
  ASSERT_EQ(xform.StartXform(x.get(), image.get()), CM_OK);
  ASSERT_EQ(streamBlocks(xform, scan, 10).writeResult, CM_OK);
  EXPECT_EQ(xform.EndXform(), CM_OK);
  EXPECT_TRUE(savetest::readTiff(out).bytes == scan.bytes);
}

TEST(ImageToImageXform, AShortImageEndsWithAnErrorInsteadOfWaitingForLinesThatNeverCome) {
  auto folder = testenv::freshFolder("xform-short");
  Scan scan(16, 50, 8);
  const std::string out = (folder / "s.tif").string();
  ImageToImageXform xform;
  ASSERT_EQ(xform.Initialize(), CM_OK);
  auto x = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  auto image = savetest::makeImage(scan, out);
  ASSERT_EQ(xform.StartXform(x.get(), image.get()), CM_OK);
  ASSERT_EQ(streamBlocks(xform, scan, 10, 20).writeResult, CM_OK);
  EXPECT_EQ(xform.EndXform(), SM_ERR_NO_LINES);
  EXPECT_FALSE(std::filesystem::exists(out)) << "a short image is not reported as written";
}

TEST(ImageToImageXform, AnEncoderFailureInTheMiddleReachesTheProducerInsteadOfHanging) {
  auto folder = testenv::freshFolder("xform-fail");
  // The output folder goes away after the transform was opened: the encoder fails as soon as
  // it starts on the first block, while the producer still has blocks to hand over.
  Scan scan(200, 300, 24);
  const std::filesystem::path doomed = folder / "doomed";
  std::filesystem::create_directories(doomed);
  const std::string out = (doomed / "f.tif").string();
  ImageToImageXform xform;
  ASSERT_EQ(xform.Initialize(), CM_OK);
  auto x = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  auto image = savetest::makeImage(scan, out);
  ASSERT_EQ(xform.StartXform(x.get(), image.get()), CM_OK);
  std::filesystem::remove_all(doomed);
  StreamResult r = streamBlocks(xform, scan, 20);
  EXPECT_EQ(r.writeResult, SM_ERR_IMAGE) << "a block after the failure reports it";
  EXPECT_EQ(xform.GetDeliveredBytes(), 0u);
  EXPECT_EQ(xform.EndXform(), SM_ERR_IMAGE);

  // A write failure the encoder only reports at its end (here: files of this process may not
  // grow past 64 KiB) still fails the transform and leaves no file.
  struct rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string big = (folder / "big.tif").string();
  auto bigImage = savetest::makeImage(scan, big);
  ASSERT_EQ(xform.Initialize(), CM_OK);
  ASSERT_EQ(xform.StartXform(x.get(), bigImage.get()), CM_OK);
  StreamResult late = streamBlocks(xform, scan, 20);
  CMResult ended = xform.EndXform();
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);
  EXPECT_TRUE(late.writeResult == CM_OK || late.writeResult == SM_ERR_IMAGE);
  EXPECT_EQ(ended, SM_ERR_IMAGE);
  EXPECT_FALSE(std::filesystem::exists(big));
  EXPECT_TRUE(savetest::filesStartingWith(folder, ".").empty());
}

TEST(ImageToImageXform, OpeningRulesAndArguments) {
  auto folder = testenv::freshFolder("xform-rules");
  Scan scan(10, 4, 1);
  const std::string out = (folder / "r.tif").string();
  auto image = savetest::makeImage(scan, out);

  struct Case {
    const char* what;
    std::uint32_t in, out;
    CMResult expected;
  } cases[] = {
      {"refused output A", SM_FORMAT_RAW, SM_FORMAT_REFUSED_A, SM_ERR_UNSUPPORTED},
      {"refused output B", SM_FORMAT_RAW, SM_FORMAT_REFUSED_B, SM_ERR_UNSUPPORTED},
      {"input not raw lines", SM_FORMAT_TIFF, SM_FORMAT_TIFF, SM_ERR_UNSUPPORTED},
      {"no encoder for PNG", SM_FORMAT_RAW, SM_FORMAT_PNG, SM_ERR_UNSUPPORTED},
  };
  for (const Case& c : cases) {
    ImageToImageXform xform;
    ASSERT_EQ(xform.Initialize(), CM_OK);
    auto x = savetest::makeXform(c.in, c.out);
    EXPECT_EQ(xform.StartXform(x.get(), image.get()), c.expected) << c.what;
  }

  ImageToImageXform xform;
  ASSERT_EQ(xform.Initialize(), CM_OK);
  EXPECT_EQ(xform.AbortXform(), SM_ERR_NO_XFORM);
  auto x = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  auto unwritable = savetest::makeImage(scan, (folder / "missing" / "r.tif").string());
  EXPECT_EQ(xform.StartXform(x.get(), unwritable.get()), SM_ERR_OUTPUT_NOT_WRITABLE);
  ASSERT_EQ(xform.Initialize(), CM_OK);
  ASSERT_EQ(xform.StartXform(x.get(), image.get()), CM_OK);
  EXPECT_EQ(xform.StartXform(x.get(), image.get()), SM_ERR_XFORM_OPEN);
  // A 1-bit line of width 10 is 2 bytes.
  EXPECT_EQ(xform.WriteLines(0, 2, 3, 0x100000, scan.row(0)), SM_ERR_BAD_SIZE);
  EXPECT_EQ(xform.WriteLines(0, 2, 2, 0x100000, scan.row(0)), CM_OK);
  EXPECT_EQ(xform.WriteLines(2, 3, 2, 0x100000, scan.row(2)), SM_ERR_BAD_SIZE) << "past the last line";
  EXPECT_EQ(xform.WriteLines(2, 2, 2, 0x100000, scan.row(2)), CM_OK);
  EXPECT_EQ(xform.EndXform(), CM_OK);
  EXPECT_TRUE(savetest::readTiff(out).bytes == scan.bytes);
}

TEST(ImageToImageXform, NoOutputRunsWithoutAFileAndAnEmptyFirstBlockStillStartsTheWriter) {
  auto folder = testenv::freshFolder("xform-none");
  Scan scan(12, 30, 8);
  const std::string out = (folder / "n.tif").string();
  ImageToImageXform xform;
  ASSERT_EQ(xform.Initialize(), CM_OK);
  auto x = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_NONE);
  auto image = savetest::makeImage(scan, out);
  ASSERT_EQ(xform.StartXform(x.get(), image.get()), CM_OK);
  ASSERT_EQ(streamBlocks(xform, scan, 10).writeResult, CM_OK);
  EXPECT_EQ(xform.EndXform(), CM_OK);
  EXPECT_FALSE(std::filesystem::exists(out));

  // Without any block from line 0 there is no writer to wait for.
  ASSERT_EQ(xform.Initialize(), CM_OK);
  auto tiff = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  ASSERT_EQ(xform.StartXform(tiff.get(), image.get()), CM_OK);
  EXPECT_EQ(xform.EndXform(), SM_ERR_IMAGE);

  // A zero-byte block from line 0 hands nothing over but starts the writer, which then
  // finds that no lines come.
  ASSERT_EQ(xform.Initialize(), CM_OK);
  ASSERT_EQ(xform.StartXform(tiff.get(), image.get()), CM_OK);
  ASSERT_EQ(xform.WriteLines(0, 10, scan.rowBytes(), 0, scan.row(0)), CM_OK);
  EXPECT_EQ(xform.EndXform(), SM_ERR_NO_LINES);
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(ImageToImageXform, JpegOutputsEncodeEightBitRowsAndAGreyExifScanBecomesRgb) {
  auto folder = testenv::freshFolder("xform-jpeg");
  Scan rgb(64, 48, 24);
  const std::string out = (folder / "j.jpg").string();
  ImageToImageXform xform;
  ASSERT_EQ(xform.Initialize(), CM_OK);
  auto x = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_JPEG);
  x->SetCompression(SM_COMPRESSION_MEDIUM);
  auto image = savetest::makeImage(rgb, out);
  ASSERT_EQ(xform.StartXform(x.get(), image.get()), CM_OK);
  ASSERT_EQ(streamBlocks(xform, rgb, 16).writeResult, CM_OK);
  ASSERT_EQ(xform.EndXform(), CM_OK);
  auto source = imageio::ImageSource::createWithPath(out);
  ASSERT_TRUE(source);
  fnd::Dictionary props = source->copyPropertiesAtIndex(0).value_or(fnd::Dictionary());
  EXPECT_EQ(props.intValue("PixelWidth"), 64);
  EXPECT_EQ(props.intValue("PixelHeight"), 48);

  // A grey scan for the EXIF JPEG is opened as 8-bit RGB: its lines come three samples wide.
  Scan grey(20, 10, 8);
  ASSERT_EQ(xform.Initialize(), CM_OK);
  auto exif = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_JPEG_EXIF);
  auto greyImage = savetest::makeImage(grey, (folder / "g.jpg").string());
  ASSERT_EQ(xform.StartXform(exif.get(), greyImage.get()), CM_OK);
  EXPECT_EQ(xform.GetImageInfo()->GetProperty()->uiSamplePerPixel, 3u);
  EXPECT_EQ(xform.GetImageInfo()->GetProperty()->uiBitsPerSample, 8u);
  EXPECT_EQ(xform.WriteLines(0, 10, 20, 0x100000, grey.row(0)), SM_ERR_BAD_SIZE);
  EXPECT_EQ(xform.AbortXform(), CM_OK);
}

}  // namespace

namespace {

TEST(ImageToImageXform, RedrawMakesAFreshImageOfTheSamePixelsDroppingAnAlphaSample) {
  // 8-bit RGB with a leading alpha sample, four bytes a pixel.
  const std::size_t w = 9, h = 5;
  fnd::Data argb(w * h * 4);
  for (std::size_t i = 0; i < argb.size(); ++i) argb[i] = std::uint8_t(i * 7 + 3);
  for (std::size_t i = 0; i < argb.size(); i += 4) argb[i] = 255;  // opaque
  imageio::BitmapInfo info;
  info.alpha = imageio::AlphaInfo::First;
  auto image = imageio::Image::create(w, h, 8, 32, w * 4, imageio::ColorSpace::deviceRGB(), info,
                                      imageio::DataProvider::createWithData(argb));
  ASSERT_TRUE(image);
  ImageToImageXform xform;
  imageio::ImageRef redrawn = xform.RedrawImage(image, nullptr, false);
  ASSERT_TRUE(redrawn);
  EXPECT_EQ(redrawn->width(), w);
  EXPECT_EQ(redrawn->height(), h);
  EXPECT_FALSE(redrawn->hasAlpha());
  fnd::Data out(w * h * 4);
  ASSERT_EQ(redrawn->dataProvider()->read(out.data(), 0, out.size()), out.size());
  for (std::size_t i = 0; i < out.size(); i += 4)
    for (int c = 1; c < 4; ++c) EXPECT_EQ(out[i + c], argb[i + c]) << "byte " << i + c;

  // From a file, the size is the picture's; nothing comes of a file that is not there.
  auto folder = testenv::freshFolder("xform-redraw");
  Scan scan(9, 5, 24);
  const std::string path = (folder / "p.tif").string();
  ASSERT_EQ(xform.Initialize(), CM_OK);
  auto x = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  auto record = savetest::makeImage(scan, path);
  ASSERT_EQ(xform.StartXform(x.get(), record.get()), CM_OK);
  ASSERT_EQ(xform.WriteLines(0, 5, scan.rowBytes(), 0x100000, scan.row(0)), CM_OK);
  ASSERT_EQ(xform.EndXform(), CM_OK);
  auto again = imageio::Image::create(w, h, 8, 32, w * 4, imageio::ColorSpace::deviceRGB(), info,
                                      imageio::DataProvider::createWithData(argb));
  EXPECT_TRUE(xform.RedrawImage(again, &path, true));
  const std::string missing = (folder / "none.tif").string();
  EXPECT_FALSE(xform.RedrawImage(again, &missing, true));
  EXPECT_FALSE(xform.RedrawImage(nullptr, nullptr, false));
}

TEST(ImageToImageXform, RedrawLaysAlphaOverWhiteForEveryAlphaLayout) {
  // One pixel per case: half-transparent white premultiplied must stay white, half-transparent
  // black must turn mid-grey, whatever the alpha's place, kind and the sample size.
  struct Case {
    imageio::AlphaInfo alpha;
    std::size_t bits;
    imageio::ByteOrder order;
    std::uint32_t colour, a;  // colour sample value (all three) and alpha, at the sample size
    std::uint32_t expected;
  } cases[] = {
      {imageio::AlphaInfo::PremultipliedLast, 8, imageio::ByteOrder::Default, 128, 128, 255},
      {imageio::AlphaInfo::PremultipliedFirst, 8, imageio::ByteOrder::Default, 0, 128, 127},
      {imageio::AlphaInfo::Last, 8, imageio::ByteOrder::Default, 255, 128, 255},
      {imageio::AlphaInfo::First, 8, imageio::ByteOrder::Default, 0, 128, 127},
      {imageio::AlphaInfo::PremultipliedLast, 16, imageio::ByteOrder::Little16, 32768, 32768, 65535},
      {imageio::AlphaInfo::Last, 16, imageio::ByteOrder::Default, 0, 32768, 32767},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.alpha) << " " << c.bits);
    const std::size_t w = 3, h = 2, bytes = c.bits / 8, pixel = 4 * bytes;
    const bool alphaFirst = c.alpha == imageio::AlphaInfo::First || c.alpha == imageio::AlphaInfo::PremultipliedFirst;
    fnd::Data data(w * h * pixel);
    auto put = [&](std::size_t at, std::uint32_t v) {
      if (bytes == 1) {
        data[at] = std::uint8_t(v);
      } else if (c.order == imageio::ByteOrder::Little16) {
        data[at] = std::uint8_t(v & 0xFF);
        data[at + 1] = std::uint8_t(v >> 8);
      } else {
        data[at] = std::uint8_t(v >> 8);
        data[at + 1] = std::uint8_t(v & 0xFF);
      }
    };
    for (std::size_t p = 0; p < w * h; ++p) {
      for (std::size_t s = 0; s < 4; ++s) {
        const bool isAlpha = alphaFirst ? s == 0 : s == 3;
        put(p * pixel + s * bytes, isAlpha ? c.a : c.colour);
      }
    }
    auto image = imageio::Image::create(w, h, c.bits, 4 * c.bits, w * pixel, imageio::ColorSpace::deviceRGB(),
                                        imageio::BitmapInfo{c.alpha, c.order}, imageio::DataProvider::createWithData(data));
    ASSERT_TRUE(image);
    ImageToImageXform xform;
    imageio::ImageRef redrawn = xform.RedrawImage(image, nullptr, false);
    ASSERT_TRUE(redrawn);
    EXPECT_FALSE(redrawn->hasAlpha());
    imageio::RowReader reader(*redrawn);
    std::vector<std::uint16_t> row(w * 3);
    for (std::size_t y = 0; y < h; ++y) {
      if (c.bits == 16) {
        ASSERT_TRUE(reader.next16(row.data()));
      } else {
        std::vector<std::uint8_t> row8(w * 3);
        ASSERT_TRUE(reader.next8(row8.data()));
        std::copy(row8.begin(), row8.end(), row.begin());
      }
      for (const std::uint16_t v : row) EXPECT_EQ(v, c.expected);
    }
  }
}

}  // namespace
