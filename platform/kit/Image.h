#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "kit/Color.h"

namespace kit {

namespace bridge {
struct ImageData;
}

// An immutable picture, cheap to copy (copies share the pixels). One point is one pixel.
class Image {
 public:
  Image() = default;  // no picture: isValid() is false, drawing it draws nothing

  // A picture of ours by name, whatever extension the caller gives ("CursHand.tif" finds
  // CursHand.png): looked up in the resource folder's "pictures" folder (or `folder` below
  // it), then in the resource folder itself. Invalid when none is found or readable.
  static Image named(const std::string& name, const std::string& folder = {});
  // The file that named() would read for the name; empty when there is none.
  static std::string pathForName(const std::string& name, const std::string& folder = {});
  static Image fromFile(const std::string& path);
  // Tightly packed 8-bit RGB, rows from the top, width * height * 3 bytes.
  static Image fromRGB(const std::uint8_t* pixels, int width, int height);
  // The same picture, made in the pixels of `reuse` when nothing else holds that picture and it
  // has this size (a picture replaced by the next of its kind, as a preview is): a fresh picture
  // would be written into memory touched for the first time, page by page. Otherwise, or
  // without pixels, as fromRGB; `reuse` is given up either way.
  static Image fromRGB(const std::uint8_t* pixels, int width, int height, Image&& reuse);

  bool isValid() const { return data_ != nullptr; }
  // The picture resampled to the given size (smoothly); invalid for an invalid picture or size.
  Image scaledTo(int width, int height) const;
  fnd::Size size() const;
  int pixelsWide() const;
  int pixelsHigh() const;
  // Colour of one pixel, counted from the top-left; clear outside the picture.
  Color colorAtPixel(int x, int y) const;
  // The pixels as tightly packed 8-bit RGB, rows from the top, whatever the stored layout
  // (row padding and alpha are converted away); *width and *height get the size in pixels.
  // Empty (and 0 by 0) for no picture.
  std::vector<std::uint8_t> copyRGB(int* width = nullptr, int* height = nullptr) const;

  // Into the current graphics context: the `from` part (whole picture when empty; y up)
  // scaled into `into`, upright, with the opacity.
  void drawInRect(const fnd::Rect& into, const fnd::Rect& from = {}, double opacity = 1.0) const;
  // Unscaled, its bottom-left corner at the point.
  void drawAtPoint(fnd::Point at, const fnd::Rect& from = {}, double opacity = 1.0) const;

  // Writes a PNG file (through a temporary file and a rename). False on failure.
  bool writePng(const std::string& path) const;

  const bridge::ImageData* data() const { return data_.get(); }
  explicit Image(std::shared_ptr<const bridge::ImageData> data) : data_(std::move(data)) {}

 private:
  std::shared_ptr<const bridge::ImageData> data_;
};

}  // namespace kit
