#pragma once

#include "ui/adjust/ThresholdGraphViewBase.h"

// The threshold graph the dialogs show: it counts the before-correction RGB image, taking the
// grey value from the first byte of each pixel.
class Quirel_ThresholdGraphView : public Quirel_ThresholdGraphViewBase {
 public:
  explicit Quirel_ThresholdGraphView(const fnd::Rect& frame = {}) : Quirel_ThresholdGraphViewBase(frame) {}

  void setImgData(int rows, int columns, const std::uint8_t* data) override;
};
