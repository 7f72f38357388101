#pragma once

#include "kit/Control.h"
#include "kit/Image.h"

namespace kit {

enum class ImageScaling { ProportionallyDown = 0, AxesIndependently = 1, None = 2, ProportionallyUpOrDown = 3 };
enum class ImageFrameStyle { None = 0, Photo = 1, GrayBezel = 2, Groove = 3, Button = 4 };

// Shows an image, centred, scaled as set. A disabled image view shows its image greyed.
class ImageView : public Control {
 public:
  explicit ImageView(const fnd::Rect& frame = {});
  ~ImageView() override;

  const Image& image() const { return image_; }
  void setImage(const Image& image);
  ImageScaling imageScaling() const { return scaling_; }
  void setImageScaling(ImageScaling scaling);
  ImageFrameStyle imageFrameStyle() const { return frameStyle_; }
  void setImageFrameStyle(ImageFrameStyle style);
  // Where the image lands in the bounds.
  fnd::Rect imageRect() const;

  void drawRect(const fnd::Rect& dirty) override;
  // Image views pass clicks on unless they have an action.
  void mouseDown(const Event& event) override;

 private:
  Image image_;
  ImageScaling scaling_ = ImageScaling::ProportionallyDown;
  ImageFrameStyle frameStyle_ = ImageFrameStyle::None;
};

}  // namespace kit
