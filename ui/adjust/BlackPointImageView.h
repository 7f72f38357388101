#pragma once

#include "ui/adjust/PointMarkerImageView.h"

// The black point's marker: "MOUSE_DOWN_BLACK", "MOUSE_DRAG_BLACK", "MOUSE_UP_BLACK".
class Quirel_BlackPointImageView : public Quirel_PointMarkerImageView {
 public:
  explicit Quirel_BlackPointImageView(const fnd::Rect& frame = {}) : Quirel_PointMarkerImageView(frame, "BLACK") {}
};
