// The EXIF JPEG pass as the save driver runs it: scan blocks in, final .jpg out.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "JpegTestSupport.h"
#include "SaveTestSupport.h"
#include "TestEnvironment.h"
#include "imageio/ColorSpace.h"
#include "launcher/save/SMCodes.h"
#include "launcher/save/SaveModuleCore.h"

using namespace jpegtest;
namespace fs = std::filesystem;

namespace {

struct Scanned {
  std::uint32_t width, height;
  double dpiX, dpiY;
  Bytes rgb;
};

// Transfers one RGB image through the driver as the transfer loop does (blocks of at most
// 1 MiB), then waits for its workers. Answers the first error.
CMResult saveThroughDriver(const Scanned& scan, const fs::path& temp, const fs::path& finalPath,
                           const std::string* profile) {
  SaveModuleCore core;
  CMResult rc = core.Initialize();
  std::unique_ptr<ICMSTR_CLASS> folder;
  const std::string tempText = temp.string();
  CM_CreateStringWithNSString(&folder, &tempText, 1024);
  if (rc == CM_OK) rc = core.SetTempFolderPath(folder.get());
  const std::string name = "scan", file = finalPath.string(), saveFolder = finalPath.parent_path().string();
  if (rc == CM_OK)
    rc = core.SetSaveFileInfo(&name, &file, &saveFolder, SM_FORMAT_TIFF, SM_COMPRESSION_HIGH, profile ? 2 : 0, profile);
  auto xform = savetest::makeXform(SM_FORMAT_RAW, SM_FORMAT_TIFF);
  if (rc == CM_OK) rc = core.SetXformInfo(xform.get());
  if (rc == CM_OK) rc = core.StartXformThread();
  SM_ImageProperty_Struct p{scan.width, scan.height, 8, 3, scan.dpiX, scan.dpiY};
  std::unique_ptr<ISM_IMAGE_INFO> image;
  SM_CreateImageInfoWithProperty(&image, &p, &file, &file);
  if (rc == CM_OK) rc = core.StartXformImage(image.get());
  const std::uint32_t rowBytes = scan.width * 3;
  const std::uint32_t rowsPerBlock = 0x100000 / rowBytes;
  for (std::uint32_t y = 0; rc == CM_OK && y < scan.height; y += rowsPerBlock) {
    const std::uint32_t rows = std::min(rowsPerBlock, scan.height - y);
    rc = core.WriteImageLines(y, rows, rowBytes, std::uint64_t(rows) * rowBytes, scan.rgb.data() + std::size_t(y) * rowBytes);
  }
  auto option = savetest::makeOption();
  if (rc == CM_OK) rc = core.EndXformImage(option.get());
  core.SetEndXformFlag(0);
  auto final = savetest::makeXform(SM_FORMAT_TIFF, SM_FORMAT_JPEG_EXIF);
  core.SetXformInfo(final.get());
  if (rc == CM_OK) rc = core.StartFinalXformThread();
  core.EndXform();
  for (int round = 0; round < 6000; ++round) {
    if (core.GetFinishedImgCount() == core.GetTotalImgCount() && core.GetRunningWorkerCount() == 0) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (rc == CM_OK) rc = core.GetErrorMessage();
  core.Terminate();
  return rc;
}

const std::uint8_t* entryOf(const std::uint8_t* tiff, std::uint32_t ifd, std::uint16_t tag) {
  const std::uint32_t n = le16(tiff + ifd);
  for (std::uint32_t i = 0; i < n; ++i)
    if (le16(tiff + ifd + 2 + 12 * i) == tag) return tiff + ifd + 2 + 12 * i;
  return nullptr;
}

}  // namespace

TEST(ExifJpegDriver, AnRgbScanInBlocksEndsInAFinalJpegWithTheProgramsExifAndThumbnail) {
  auto temp = testenv::freshFolder("exifdriver-temp");
  auto save = testenv::freshFolder("exifdriver-save");
  Scanned scan{1200, 800, 300, 600, pixels(1200, 800, 3, 5)};
  const fs::path profilePath = temp.parent_path() / "exifdriver-profile.icc";
  const fnd::Data& icc = imageio::ColorSpace::sRGBProfileData();
  writeFile(profilePath, icc);
  const std::string profile = profilePath.string();
  const fs::path finalPath = save / "scan_20261210_0001.jpg";

  ASSERT_EQ(saveThroughDriver(scan, temp, finalPath, &profile), CM_OK);

  const Bytes bytes = readFile(finalPath);
  const Decoded d = decode(bytes);
  ASSERT_TRUE(d.ok) << d.error;
  ASSERT_EQ(d.width, 1200);
  ASSERT_EQ(d.height, 800);
  ASSERT_EQ(d.components, 3);
  EXPECT_EQ(d.xDensity, 300);
  EXPECT_EQ(d.yDensity, 600);
  double error = 0;
  for (std::size_t i = 0; i < d.pixels.size(); ++i) error += std::abs(int(d.pixels[i]) - int(scan.rgb[i]));
  EXPECT_LT(error / double(d.pixels.size()), 3.0) << "the scan's own pixels";

  const auto list = segments(bytes);
  EXPECT_EQ(countMarker(list, 0xDB), 1u);
  EXPECT_EQ(countMarker(list, 0xC4), 1u);
  ASSERT_EQ(countMarker(list, 0xE1), 1u);
  EXPECT_EQ(bytes[bytes.size() - 2], 0xFF) << "nothing after the end-of-image marker";
  EXPECT_EQ(bytes.back(), 0xD9);

  const Segment* app1 = findMarker(list, 0xE1);
  const std::uint8_t* tiff = bytes.data() + app1->offset + 10;
  ASSERT_EQ(std::memcmp(tiff - 6, "Exif\0\0II", 8), 0);
  const std::uint8_t* make = entryOf(tiff, 8, 0x010F);
  const std::uint8_t* xr = entryOf(tiff, 8, 0x011A);
  const std::uint8_t* yr = entryOf(tiff, 8, 0x011B);
  ASSERT_TRUE(make && xr && yr);
  EXPECT_STREQ(reinterpret_cast<const char*>(tiff + le32(make + 8)), "Vantrel");
  EXPECT_EQ(le32(tiff + le32(xr + 8)), 300u);
  EXPECT_EQ(le32(tiff + le32(yr + 8)), 600u);
  const std::uint32_t exifIfd = le32(entryOf(tiff, 8, 0x8769) + 8);
  EXPECT_EQ(le16(entryOf(tiff, exifIfd, 0xA002) + 8), 1200u);
  EXPECT_EQ(le16(entryOf(tiff, exifIfd, 0xA003) + 8), 800u);
  const std::uint32_t ifd1 = le32(tiff + 130);
  const std::uint8_t* at = tiff + le32(entryOf(tiff, ifd1, 0x0201) + 8);
  const Decoded thumb = decode(Bytes(at, at + le32(entryOf(tiff, ifd1, 0x0202) + 8)));
  ASSERT_TRUE(thumb.ok) << thumb.error;
  EXPECT_EQ(thumb.width, 160);
  EXPECT_EQ(thumb.height, 107);
  EXPECT_EQ(thumb.icc, icc) << "the thumbnail carries the profile";

  // Only the final file in the save folder, nothing of the pipeline in the temporary one.
  EXPECT_EQ(std::distance(fs::directory_iterator(save), {}), 1);
  EXPECT_TRUE(savetest::filesStartingWith(temp, "PVTO_").empty());
  EXPECT_TRUE(savetest::filesStartingWith(temp, ".").empty());
}
