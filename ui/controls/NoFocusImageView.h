#pragma once

#include "kit/ImageView.h"

// An image view that never takes the keyboard focus. While disabled (and unless told not to)
// it lays white at 40 % over its whole bounds, so it reads as greyed out.
class Quirel_NoFocusImageView : public kit::ImageView {
 public:
  static constexpr double kGrayoutAlpha = 0.4;

  explicit Quirel_NoFocusImageView(const fnd::Rect& frame = {}) : kit::ImageView(frame) {}
  bool acceptsFirstResponder() const override { return false; }
  void setGrayoutWhenDisable(bool on);
  bool grayoutWhenDisable() const { return mGrayoutWhenDisable; }
  void setEnabled(bool enabled) override;
  void drawRect(const fnd::Rect& dirty) override;

 private:
  bool mGrayoutWhenDisable = true;
};
