#pragma once

#include "kit/Image.h"
#include "ui/controls/CTRLS_PushButton.h"
#include "ui/controls/NoFocusImageView.h"

// Opens the colour-pattern dialog. Its picture (available or not) sits either on the button
// itself, left of the title, or in a view of its own beside the button.
class Quirel_CTRLS_ColorPatternButton : public Quirel_CTRLS_PushButton {
 public:
  static constexpr const char* kOpenPost = "ColorPatternOpenPost";
  enum class Look { OnButton, WithImageView };
  explicit Quirel_CTRLS_ColorPatternButton(Look look = Look::OnButton);
  static std::unique_ptr<Quirel_CTRLS_ColorPatternButton> initWithImageView() {
    return std::make_unique<Quirel_CTRLS_ColorPatternButton>(Look::WithImageView);
  }

  Quirel_NoFocusImageView* getImageView() const { return mImageView.get(); }
  // The pictures sized to 16 points, or at their own size; the available one shows.
  void setImage_16(const std::string& onName, const std::string& offName, const std::string& bundle);
  void setImage_32(const std::string& onName, const std::string& offName, const std::string& bundle);
  void setImageViewRect(double x, double y, double width, double height);
  void setHidden(bool hidden);
  void setEnabled(bool enabled);
  void ColorPatternBTAction();

 private:
  void showImage(const kit::Image& image);
  kit::Image mOnImage;
  kit::Image mOffImage;
  std::unique_ptr<Quirel_NoFocusImageView> mImageView;
};
