#pragma once

#include <cstdint>

#include "kit/Image.h"
#include "kit/TextField.h"
#include "kit/View.h"
#include "ui/controls/NoFocusImageView.h"

// One numbered picture of the scan-result strip: the picture scaled down to fit 100 x 100 above
// its number. Items stand 120 apart, the first at the left of the strip.
class Quirel_ScanResultImage : public kit::View {
 public:
  static constexpr double kPitch = 120;

  // An empty item.
  Quirel_ScanResultImage();
  // Item `number` (from 1) showing `image`.
  Quirel_ScanResultImage(std::int32_t number, const kit::Image& image);

  Quirel_NoFocusImageView* imageView() const { return mImageView; }
  kit::TextField* textField() const { return mTextField; }

 private:
  void build(double imageX, double labelX);

  Quirel_NoFocusImageView* mImageView = nullptr;  // owned as subviews
  kit::TextField* mTextField = nullptr;
};
