#include "ui/controls/IconBezelCGButton.h"

void Quirel_IconBezelCGButton::setColorMode(int mode) {
  if (mode == mColorMode) return;
  mColorMode = mode;
  const Quirel_IconImages& set = currentSet();
  showImage(!isEnabled() && set.disable.isValid() ? set.disable : set.exit);
}

void Quirel_IconBezelCGButton::setColorImage(const std::string& enter, const std::string& exit,
                                             const std::string& disable, const std::string& bundle) {
  setImagePosition(kit::ImagePosition::ImageOnly);
  mColor.load(enter, exit, disable, bundle);
  showImage(mColor.exit);
}

void Quirel_IconBezelCGButton::setGrayImage(const std::string& enter, const std::string& exit,
                                            const std::string& disable, const std::string& bundle) {
  setImagePosition(kit::ImagePosition::ImageOnly);
  mGray.load(enter, exit, disable, bundle);
}
