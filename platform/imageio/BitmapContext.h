#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/Geometry.h"
#include "imageio/Image.h"

namespace imageio {

enum class InterpolationQuality { Default, None, Low, Medium, High };

// A drawing surface over a pixel buffer: user space has its origin at the bottom left with
// y up, row 0 of the buffer is the top row. Images are drawn through the current transform
// (translate, rotate, scale), converted into the context's colour space.
class BitmapContext {
 public:
  // data null: the context allocates and owns a zeroed buffer. 8 or 16 bits per component;
  // alpha None, NoneSkipFirst/Last or PremultipliedFirst/Last; bytesPerRow 0 computes it.
  // Null for any other layout, or a bytesPerRow too small for a row.
  static std::unique_ptr<BitmapContext> create(void* data, std::size_t width, std::size_t height,
                                               std::size_t bitsPerComponent, std::size_t bytesPerRow,
                                               ColorSpaceRef colorSpace, BitmapInfo bitmapInfo);

  // The box that holds a width x height rectangle turned by radians about its origin.
  static fnd::Rect rotatedBounds(double width, double height, double radians);

  void translateCTM(double tx, double ty);
  void rotateCTM(double radians);
  void scaleCTM(double sx, double sy);
  void concatCTM(const fnd::AffineTransform& transform);
  fnd::AffineTransform getCTM() const { return ctm_; }
  void setInterpolationQuality(InterpolationQuality quality) { interpolation_ = quality; }

  // Draws the image into rect (user space); pixels outside the drawn area keep their value.
  // False when the image's rows could not all be read.
  bool drawImage(const fnd::Rect& rect, const Image& image);
  // An image of the context's current pixels (a copy).
  ImageRef createImage() const;

  void* data() { return data_; }
  std::size_t width() const { return width_; }
  std::size_t height() const { return height_; }
  std::size_t bitsPerComponent() const { return bitsPerComponent_; }
  std::size_t bitsPerPixel() const { return bitsPerComponent_ * std::size_t(samples_); }
  std::size_t bytesPerRow() const { return bytesPerRow_; }
  const ColorSpaceRef& colorSpace() const { return colorSpace_; }
  BitmapInfo bitmapInfo() const { return bitmapInfo_; }

 private:
  BitmapContext() = default;
  template <class T>
  bool render(const fnd::Rect& rect, const Image& image);

  std::vector<std::uint8_t> owned_;
  std::uint8_t* data_ = nullptr;
  std::size_t width_ = 0, height_ = 0, bitsPerComponent_ = 8, bytesPerRow_ = 0;
  int samples_ = 1;
  ColorSpaceRef colorSpace_;
  BitmapInfo bitmapInfo_;
  fnd::AffineTransform ctm_;
  InterpolationQuality interpolation_ = InterpolationQuality::Default;
};

}  // namespace imageio
