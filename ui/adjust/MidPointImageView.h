#pragma once

#include "ui/adjust/PointMarkerImageView.h"

// The mid point's marker: "MOUSE_DOWN_MID", "MOUSE_DRAG_MID", "MOUSE_UP_MID".
class Quirel_MidPointImageView : public Quirel_PointMarkerImageView {
 public:
  explicit Quirel_MidPointImageView(const fnd::Rect& frame = {}) : Quirel_PointMarkerImageView(frame, "MID") {}
};
