#pragma once

#include "ui/controls/CropView.h"

// The frame of a crop of the multi-crop tool: both rectangles dashed {2, 5} whatever the line
// style. The blink tick redraws this same pattern, so tick and full redraw look alike.
class Quirel_MultiCropView : public Quirel_CropView {
 public:
  explicit Quirel_MultiCropView(const fnd::Rect& frame = {}) : Quirel_CropView(frame) {}
  void drawRect(const fnd::Rect& dirty) override;

 protected:
  std::unique_ptr<Quirel_CropView> makeSibling(const fnd::Rect& frame) const override;
};
