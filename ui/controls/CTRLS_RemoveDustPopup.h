#pragma once

#include "kit/Image.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/NoFocusImageView.h"

// The dust-removal pop-up; a picture may sit in a gap of its caption.
class Quirel_CTRLS_RemoveDustPopup : public Quirel_CTRLS_PopupButton {
 public:
  static constexpr const char* kChangePost = "AdvRemoveDustChangePost";
  Quirel_CTRLS_RemoveDustPopup();

  // Loads the picture and makes the view that shows it (50 x 25 until placed).
  void setVexaImage(const std::string& name, const std::string& bundle);
  Quirel_NoFocusImageView* getVexaImageView() const { return vexaImageView.get(); }
  // Acts only once the picture's view exists.
  void setVexaImageViewRect(double x, double y, double width, double height);
  fnd::Rect getVexaImageViewRect() const { return rectOf(vexaImageView.get()); }
  void setHidden(bool hidden);
  void RemoveDustPopupAction();

 private:
  std::unique_ptr<Quirel_NoFocusImageView> vexaImageView;
  kit::Image vexaImage;
};
