#pragma once

// Helpers of the EXIF and JPEG pass tests: JPEG files made through imageio, their segments
// listed byte by byte, and their pixels decoded with libjpeg itself.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/Value.h"
#include "imageio/ColorSpace.h"

namespace jpegtest {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const Bytes& bytes);

// Deterministic pixels: components 1 or 3, smooth enough to compress like a scan.
Bytes pixels(std::size_t width, std::size_t height, int components, std::uint32_t seed = 1);
// Writes a JPEG through imageio's destination; false when it fails.
bool makeJpeg(const std::filesystem::path& path, std::size_t width, std::size_t height, int components,
              const fnd::Dictionary& properties, imageio::ColorSpaceRef colorSpace = nullptr, std::uint32_t seed = 1);

// One marker segment of a JPEG up to (and including) its start-of-scan segment.
struct Segment {
  std::uint8_t marker = 0;
  std::size_t offset = 0;  // of the 0xFF
  std::size_t length = 0;  // the length field (0 for SOI)
};
std::vector<Segment> segments(const Bytes& jpeg);
std::size_t countMarker(const std::vector<Segment>& list, std::uint8_t marker);
const Segment* findMarker(const std::vector<Segment>& list, std::uint8_t marker);

// A JPEG decoded with libjpeg.
struct Decoded {
  bool ok = false;
  std::string error;
  int width = 0, height = 0, components = 0;
  Bytes pixels;
  Bytes icc;
  std::uint16_t xDensity = 0, yDensity = 0;
};
Decoded decode(const Bytes& jpeg);

// Little-endian readers of the TIFF structure.
std::uint32_t le16(const std::uint8_t* p);
std::uint32_t le32(const std::uint8_t* p);

}  // namespace jpegtest
