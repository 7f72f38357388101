#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "foundation/Value.h"
#include "imageio/Image.h"

namespace imageio {

// A JPEG or TIFF file (or the same bytes in memory) opened for reading: how many images it
// holds, their properties, each image, and thumbnails. Images from a source decode their
// rows from the file as an encoder or a drawing pulls them, one row (or strip) at a time.
class ImageSource {
 public:
  // Null when the file cannot be read or is not a JPEG or TIFF whose header reads, or when the
  // codec module (CodecModule.h) cannot be loaded.
  // Options (kCGImageSourceShouldCache, kCGImageSourceShouldAllowFloat) are accepted; rows are
  // never cached and always integers.
  static std::unique_ptr<ImageSource> createWithPath(const std::string& path, const fnd::Dictionary& options = {});
  static std::unique_ptr<ImageSource> createWithData(fnd::Data data, const fnd::Dictionary& options = {});

  std::size_t count() const { return count_; }
  // "JPEG" or "TIFF".
  const char* type() const;
  // PixelWidth, PixelHeight, DPIWidth, DPIHeight (when the file says), Depth, ColorModel,
  // Orientation (when the file says), HasAlpha (when true), ProfileName, "{TIFF}", "{Exif}",
  // "{JFIF}". Nothing for an index past the end.
  std::optional<fnd::Dictionary> copyPropertiesAtIndex(std::size_t index, const fnd::Dictionary& options = {}) const;
  // Null for an index past the end. A damaged file shows when the rows are pulled: the
  // encoder or drawing that pulls them fails. Each image has a decoder of its own, which keeps
  // the file open until the image is released, and is read by one consumer at a time. A
  // destination may replace the very file being read: it renames its finished file over it.
  ImageRef createImageAtIndex(std::size_t index, const fnd::Dictionary& options = {}) const;
  // A reduced copy made from the full image, its longer side at most
  // kCGImageSourceThumbnailMaxPixelSize (the full size without it), turned upright by the
  // file's orientation when kCGImageSourceCreateThumbnailWithTransform is true; 8 bits per
  // sample, no alpha. Null when the image cannot be decoded to the end, or when its header
  // claims more than kMaxPixelsPerFileByte pixels for each byte of the file: a file of a few
  // hundred bytes may claim gigapixels, and a thumbnail must not take minutes to find out.
  ImageRef createThumbnailAtIndex(std::size_t index, const fnd::Dictionary& options = {}) const;

  // The most pixels a file may claim per byte it holds and still be decoded for a thumbnail:
  // far more than any picture packs (a blank page in JPEG takes a byte for a few hundred), far
  // fewer than a hostile header claims.
  static constexpr std::size_t kMaxPixelsPerFileByte = std::size_t(1) << 16;

 private:
  enum class Format { JPEG, TIFF };
  ImageSource() = default;
  static std::unique_ptr<ImageSource> create(std::string path, std::shared_ptr<const fnd::Data> data);

  // The size of the file or of the bytes read; 0 when unknown.
  std::size_t fileBytes() const;
  std::string path_;
  std::shared_ptr<const fnd::Data> data_;
  Format format_ = Format::JPEG;
  std::size_t count_ = 0;
};

}  // namespace imageio
