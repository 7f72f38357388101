#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "TestEnvironment.h"
#include "scanmodule/SimBitmap.h"
#include "scanmodule/SimFileCreate.h"

namespace {

struct TiffImage {
  std::uint32_t width = 0, height = 0;
  std::uint16_t samples = 0, bits = 0;
  std::vector<std::vector<std::uint8_t>> rows;
};

TiffImage readTiff(const std::string& path) {
  TiffImage img;
  TIFF* tif = TIFFOpen(path.c_str(), "r");
  if (!tif) return img;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &img.width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &img.height);
  TIFFGetField(tif, TIFFTAG_SAMPLESPERPIXEL, &img.samples);
  TIFFGetField(tif, TIFFTAG_BITSPERSAMPLE, &img.bits);
  for (std::uint32_t r = 0; r < img.height; ++r) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(tif)));
    TIFFReadScanline(tif, row.data(), r, 0);
    img.rows.push_back(std::move(row));
  }
  TIFFClose(tif);
  return img;
}

}  // namespace

TEST(SimBitmap, RowsWrittenInMemoryOrThroughAFileSaveAsTheSameTiff) {
  const auto folder = testenv::freshFolder("bitmap").string();
  for (int useFile : {0, 1}) {
    SCOPED_TRACE(useFile);
    velmor::SimFileCreate files;
    files.SetTemporaryPath(folder);
    const std::string backing = files.GetTemporaryFileName();
    ASSERT_FALSE(backing.empty());
    {
      velmor::SimBitmap bmp;
      ASSERT_EQ(0, bmp.CreateSMBitmap(0, useFile, 5, 3, 3, 8, 150, 150, backing));
      EXPECT_EQ(bmp.lineBytes, 15);
      EXPECT_EQ(useFile != 0, bmp.fp != nullptr);
      // A first try that is thrown away.
      std::memset(bmp.WriteNext(), 0xEE, 15);
      bmp.writeLines = 1;
      bmp.Reset();
      for (int r = 0; r < 3; ++r) {
        std::uint8_t* row = bmp.WriteNext();
        ASSERT_NE(nullptr, row);
        for (int i = 0; i < 15; ++i) row[i] = static_cast<std::uint8_t>(r * 20 + i);
        ++bmp.writeLines;
      }
      const std::string saved = files.SaveBitmapTemporary(bmp);
      ASSERT_FALSE(saved.empty());
      const TiffImage img = readTiff(saved);
      EXPECT_EQ(img.width, 5u);
      EXPECT_EQ(img.height, 3u);
      EXPECT_EQ(img.samples, 3);
      EXPECT_EQ(img.bits, 8);
      ASSERT_EQ(img.rows.size(), 3u);
      for (int r = 0; r < 3; ++r) {
        for (int i = 0; i < 15; ++i) ASSERT_EQ(img.rows[r][i], r * 20 + i);
      }
      // A row past the end of a memory bitmap goes nowhere harmful.
      if (!useFile) {
        EXPECT_NE(nullptr, bmp.WriteNext());
      }
      std::filesystem::remove(saved);
    }
    EXPECT_FALSE(std::filesystem::exists(backing)) << "the bitmap's own file goes with it";
  }
}

TEST(SimBitmap, RefusesImpossibleGeometryAndEmptySaves) {
  velmor::SimBitmap bmp;
  EXPECT_NE(0, bmp.CreateSMBitmap(0, 0, 0, 10, 3, 8, 300, 300, ""));
  EXPECT_NE(0, bmp.CreateSMBitmap(0, 0, 10, 10, 2, 8, 300, 300, ""));
  EXPECT_NE(0, bmp.CreateSMBitmap(0, 0, 10, 10, 1, 4, 300, 300, ""));
  ASSERT_EQ(0, bmp.CreateSMBitmap(0, 0, 10, 10, 1, 1, 300, 300, ""));
  EXPECT_EQ(bmp.lineBytes, 2);
  velmor::SimFileCreate files;
  EXPECT_EQ("", files.SaveBitmapTemporary(bmp));  // no folder
  files.SetTemporaryPath(testenv::freshFolder("empty").string());
  EXPECT_EQ("", files.SaveBitmapTemporary(bmp));  // no rows written
}
