#pragma once

#include <optional>

#include "foundation/Geometry.h"
#include "kit/Image.h"
#include "kit/View.h"

// The image of one colour-pattern cell: fitted into 100 × 100 at its rotation, optionally
// mirrored, centred in its cell. A press reports the cell (its superview).
class Quirel_ColorPatternImageView : public kit::View {
 public:
  static constexpr double kBox = 100.0;

  explicit Quirel_ColorPatternImageView(const fnd::Rect& frame = {}) : kit::View(frame) {}
  void setImage(std::optional<kit::Image> image, int rotation, bool mirror);
  const std::optional<fnd::AffineTransform>& transform() const { return mTransform; }
  void drawRect(const fnd::Rect& dirty) override;
  void setPostNotification(bool on) { mPostNotification = on; }
  void mouseDown(const kit::Event& event) override;

 private:
  std::optional<kit::Image> mImage;
  std::optional<fnd::AffineTransform> mTransform;
  bool mPostNotification = true;
};
