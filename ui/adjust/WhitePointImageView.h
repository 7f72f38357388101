#pragma once

#include "ui/adjust/PointMarkerImageView.h"

// The white point's marker: "MOUSE_DOWN_WHITE", "MOUSE_DRAG_WHITE", "MOUSE_UP_WHITE".
class Quirel_WhitePointImageView : public Quirel_PointMarkerImageView {
 public:
  explicit Quirel_WhitePointImageView(const fnd::Rect& frame = {}) : Quirel_PointMarkerImageView(frame, "WHITE") {}
};
