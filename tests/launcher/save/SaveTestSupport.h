#pragma once

// Helpers of the writer and driver tests: records, deterministic scan lines, and TIFF files
// read back with libtiff.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_OPTION_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"

namespace savetest {

// A scan of the given depth (1, 8, 16, 24 or 48 bits per pixel) with packed rows whose bytes
// differ from row to row and column to column.
struct Scan {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t depth = 0;
  double dpi = 300;
  std::vector<std::uint8_t> bytes;

  Scan(std::uint32_t w, std::uint32_t h, std::uint32_t d, std::uint32_t seed = 1);
  std::uint32_t rowBytes() const;
  const std::uint8_t* row(std::uint32_t y) const { return bytes.data() + std::size_t(y) * rowBytes(); }
  SM_ImageProperty_Struct property() const;
};

std::unique_ptr<ISM_XFORM_INFO> makeXform(std::uint32_t in, std::uint32_t out);
std::unique_ptr<ISM_IMAGE_INFO> makeImage(const Scan& scan, const std::string& outputPath);
std::unique_ptr<ISM_OPTION_INFO> makeOption(std::int32_t rotation = 4750, std::uint32_t optionSwitch = 4081);

// A TIFF read back with libtiff.
struct TiffContents {
  bool ok = false;
  std::string error;
  std::uint32_t width = 0, height = 0;
  std::uint16_t bitsPerSample = 0, samplesPerPixel = 0;
  float xResolution = 0, yResolution = 0;
  std::vector<std::uint8_t> icc;
  std::string make, model, software, dateTime;
  std::vector<std::uint8_t> bytes;  // rows as libtiff hands them out, packed
};
TiffContents readTiff(const std::filesystem::path& path);

// Files in a folder whose names start with prefix.
std::vector<std::string> filesStartingWith(const std::filesystem::path& folder, const std::string& prefix);

}  // namespace savetest
