#include "ui/controls/IconBezelButton.h"

void Quirel_IconBezelButton::setImage(const std::string& enter, const std::string& exit,
                                      const std::string& disable, const std::string& bundle) {
  setImagePosition(kit::ImagePosition::ImageOnly);
  mImages.load(enter, exit, disable, bundle);
  showImage(mImages.exit);
}
