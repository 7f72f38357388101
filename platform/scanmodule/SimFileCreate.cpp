#include "scanmodule/SimFileCreate.h"

#include <tiffio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "scanmodule/SimBitmap.h"

namespace velmor {

namespace {

std::string uniqueName(const std::string& folder, const char* suffix) {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    char name[80];
    std::snprintf(name, sizeof name, "velmor-%d-%u%s", static_cast<int>(::getpid()), counter++, suffix);
    const std::filesystem::path path = std::filesystem::path(folder) / name;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return path.string();
  }
}

}  // namespace

std::string SimFileCreate::GetTemporaryFileName() {
  if (folder_.empty()) return {};
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  return uniqueName(folder_, ".tmp");
}

std::string SimFileCreate::SaveBitmapTemporary(Velmor_BITMAP& bitmap) {
  auto* bmp = dynamic_cast<SimBitmap*>(&bitmap);
  if (!bmp || folder_.empty() || bmp->lineBytes <= 0) return {};
  const long rows = static_cast<long>(std::min<std::int64_t>(bmp->writeLines, bmp->height));
  if (rows <= 0) return {};
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  const std::string path = uniqueName(folder_, ".tif");
  const std::string part = path + ".part";

  TIFF* tif = TIFFOpen(part.c_str(), "w");
  if (!tif) return {};
  bool ok = true;
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(bmp->width));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(rows));
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, static_cast<std::uint16_t>(bmp->samples));
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, static_cast<std::uint16_t>(bmp->depth));
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  // Zero is black in every mode, as in the rows the module delivers.
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, bmp->samples == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
  TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  TIFFSetField(tif, TIFFTAG_XRESOLUTION, static_cast<float>(std::max(1, bmp->resolutionX)));
  TIFFSetField(tif, TIFFTAG_YRESOLUTION, static_cast<float>(std::max(1, bmp->resolutionY)));
  std::vector<std::uint8_t> row(static_cast<std::size_t>(bmp->lineBytes));
  for (long r = 0; ok && r < rows; ++r) {
    ok = bmp->readRow(r, row.data()) && TIFFWriteScanline(tif, row.data(), static_cast<std::uint32_t>(r), 0) == 1;
  }
  TIFFClose(tif);
  if (ok) {
    std::filesystem::rename(part, path, ec);
    ok = !ec;
  }
  if (!ok) {
    std::remove(part.c_str());
    return {};
  }
  return path;
}

}  // namespace velmor
