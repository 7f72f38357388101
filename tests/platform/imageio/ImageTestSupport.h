#pragma once

// Helpers of the imageio tests: synthetic images fed row by row, and independent readers
// that look at written files with libjpeg-turbo and libtiff directly.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "imageio/Image.h"

namespace imagetest {

struct Gradient {
  std::size_t width = 64;
  std::size_t height = 48;
  int bits = 8;        // 1, 8 or 16 bits per sample
  int components = 1;  // 1 or 3
  // Sample c of pixel (x, y), in the range of bits.
  std::uint32_t sample(std::size_t x, std::size_t y, int c) const;
  std::size_t rowBytes() const;
  // One row as the image lays it out (16-bit little-endian).
  std::vector<std::uint8_t> row(std::size_t y) const;
};

// An image whose rows a sequential provider makes one at a time. maxRequest, when given,
// records the largest single request the encoder made.
imageio::ImageRef gradientImage(const Gradient& g, imageio::ColorSpaceRef cs, std::size_t* maxRequest = nullptr);
// The same image through a positional provider.
imageio::ImageRef gradientImageDirect(const Gradient& g, imageio::ColorSpaceRef cs);

struct JpegSegment {
  int marker;  // 0xD8 SOI, 0xE0 APP0, 0xDB DQT...
  std::vector<std::uint8_t> payload;
};
std::vector<std::uint8_t> readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
// The segments from SOI up to and including the first SOS.
std::vector<JpegSegment> jpegSegments(const std::vector<std::uint8_t>& file);

struct Decoded {
  bool ok = false;
  std::size_t width = 0, height = 0;
  int components = 0;
  int bits = 0;
  double dpiX = 0, dpiY = 0;
  int orientation = 0;  // 0: none recorded
  std::vector<std::uint8_t> icc;
  std::vector<std::uint32_t> samples;  // width x height x components
  std::uint32_t at(std::size_t x, std::size_t y, int c) const {
    return samples[(y * width + x) * std::size_t(components) + std::size_t(c)];
  }
};
Decoded decodeJpeg(const std::filesystem::path& path);
Decoded decodeTiff(const std::filesystem::path& path);

// Files in a folder (to show no temporary file was left behind).
std::vector<std::string> listFolder(const std::filesystem::path& folder);

}  // namespace imagetest
