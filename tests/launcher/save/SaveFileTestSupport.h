#pragma once

// Helpers of the tests of the file writers, readers and passes: records, raw test pictures,
// whole-file reads, and big-endian numbers of a file's bytes.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "imageio/ColorSpace.h"
#include "imageio/DataProvider.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageProperties.h"
#include "imageio/ImageSource.h"
#include "imageio/RowReader.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"
#include "launcher/save/LargeTiffXform.h"
#include "launcher/save/SMCodes.h"

namespace savetest {

using Bytes = std::vector<std::uint8_t>;

inline std::unique_ptr<ISM_IMAGE_INFO> MakeImage(std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                                                 std::uint32_t samples, const std::string& input,
                                                 const std::string& output, double dpi = 300) {
  SM_ImageProperty_Struct property{width, height, bits, samples, dpi, dpi};
  std::unique_ptr<ISM_IMAGE_INFO> image;
  EXPECT_EQ(SM_CreateImageInfoWithProperty(&image, &property, &input, &output), CM_OK);
  return image;
}

inline std::unique_ptr<ISM_XFORM_INFO> MakeXform(std::uint32_t in, std::uint32_t out, std::int32_t compression = 4462,
                                                 std::int32_t mode = 0) {
  std::unique_ptr<ISM_XFORM_INFO> xform;
  EXPECT_EQ(SM_CreateXformInfo(&xform), CM_OK);
  xform->SetFormat(in, out);
  xform->SetCompression(compression);
  xform->SetMode(mode);
  return xform;
}

// Bytes per line as the scanner delivers them (16-bit samples little-endian).
inline std::uint64_t LineBytes(std::uint32_t width, std::uint32_t bits, std::uint32_t samples) {
  return bits == 1 ? (std::uint64_t(width) + 7) / 8 : std::uint64_t(width) * samples * (bits / 8);
}

// A picture whose every byte depends on its place, so a misplaced line or swapped sample shows.
inline Bytes Pattern(std::uint32_t width, std::uint32_t height, std::uint32_t bits, std::uint32_t samples) {
  const std::uint64_t line = LineBytes(width, bits, samples);
  Bytes pixels(line * height);
  for (std::uint64_t i = 0; i < pixels.size(); ++i) pixels[i] = std::uint8_t((i * 7 + i / line * 13) & 0xFF);
  return pixels;
}

// Writes pixels through a LargeTiffXform in blocks of blockLines lines.
inline CMResult WriteLargeTiff(const std::string& path, std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                               std::uint32_t samples, const Bytes& pixels, std::uint32_t blockLines = 7,
                               const std::string* profilePath = nullptr, double dpi = 300) {
  LargeTiffXform writer;
  auto image = MakeImage(width, height, bits, samples, "", path, dpi);
  auto xform = MakeXform(SM_FORMAT_RAW, SM_FORMAT_LARGE_TIFF);
  CMResult rc = writer.StartXform(xform.get(), image.get());
  if (rc != CM_OK) return rc;
  const std::uint64_t line = LineBytes(width, bits, samples);
  for (std::uint32_t y = 0; y < height; y += blockLines) {
    const std::uint32_t n = std::min(blockLines, height - y);
    rc = writer.WriteLines(n, line, pixels.data() + y * line);
    if (rc != CM_OK) return rc;
  }
  return writer.EndXform(profilePath);
}

inline Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::uint32_t Be16(const Bytes& b, std::size_t at) { return std::uint32_t(b.at(at) << 8 | b.at(at + 1)); }
inline std::uint32_t Be32(const Bytes& b, std::size_t at) {
  return std::uint32_t(b.at(at)) << 24 | std::uint32_t(b.at(at + 1)) << 16 | std::uint32_t(b.at(at + 2)) << 8 | b.at(at + 3);
}

// Writes a picture file through imageio: components 1 (grey) or 3, bits 1, 8 or 16 (16-bit
// samples little-endian in pixels), with extra properties (orientation, "{TIFF}" compression).
inline bool WriteImageFile(const std::string& path, imageio::ImageType type, std::uint32_t width, std::uint32_t height,
                           std::uint32_t bits, std::uint32_t components, const Bytes& pixels,
                           fnd::Dictionary properties = {}) {
  imageio::BitmapInfo info;
  if (bits == 16) info.order = imageio::ByteOrder::Little16;
  auto space = components == 1 ? imageio::ColorSpace::genericGrayGamma2_2() : imageio::ColorSpace::sRGB();
  auto image = imageio::Image::create(width, height, bits, bits * components, LineBytes(width, bits, components), space,
                                      info, imageio::DataProvider::createWithData(fnd::Data(pixels.begin(), pixels.end())));
  if (!image) return false;
  auto destination = imageio::ImageDestination::createWithPath(path, type, 1);
  if (!destination) return false;
  if (!properties.contains(imageio::kCGImagePropertyDPIWidth)) properties.set(imageio::kCGImagePropertyDPIWidth, 300.0);
  if (!properties.contains(imageio::kCGImagePropertyDPIHeight)) properties.set(imageio::kCGImagePropertyDPIHeight, 300.0);
  destination->addImage(image, properties);
  return destination->finalize();
}

// A file's first image as 8-bit samples a pixel (grey or RGB), with its size and properties.
struct Decoded {
  std::uint32_t width = 0, height = 0;
  int components = 0;
  Bytes samples;
  fnd::Dictionary properties;
  std::uint8_t At(std::uint32_t x, std::uint32_t y, int c = 0) const {
    return samples.at((std::size_t(y) * width + x) * std::size_t(components) + std::size_t(c));
  }
};

inline Decoded Decode(const std::string& path) {
  Decoded d;
  auto source = imageio::ImageSource::createWithPath(path);
  if (!source) return d;
  d.properties = source->copyPropertiesAtIndex(0).value_or(fnd::Dictionary());
  auto image = source->createImageAtIndex(0);
  if (!image) return d;
  imageio::RowReader reader(*image);
  d.width = std::uint32_t(image->width());
  d.height = std::uint32_t(image->height());
  d.components = reader.components();
  d.samples.resize(std::size_t(d.width) * d.height * std::size_t(d.components));
  for (std::uint32_t y = 0; y < d.height; ++y)
    if (!reader.next8(d.samples.data() + std::size_t(y) * d.width * std::size_t(d.components))) return Decoded();
  return d;
}

// A folder this process cannot write into (as root, a folder of /proc).
inline std::filesystem::path UnwritableFolder(const std::filesystem::path& fresh) {
  if (::geteuid() == 0) return "/proc/self";
  std::filesystem::permissions(fresh, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  return fresh;
}

}  // namespace savetest
