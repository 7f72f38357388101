#pragma once

#include "ui/controls/IconButtonBase.h"

// An image button with a colour set and a grey set of pictures; colour modes 1 and 2 (the
// grey modes) show the grey set, every other mode the colour set.
class Quirel_IconBezelCGButton : public Quirel_IconButtonBase {
 public:
  explicit Quirel_IconBezelCGButton(const fnd::Rect& frame = {}) : Quirel_IconButtonBase(frame) {}
  // A new mode shows the pointer-away picture of the set now in force (its disabled picture,
  // when the button is disabled and has one); the same mode again changes nothing.
  void setColorMode(int mode);
  int getColorMode() const { return mColorMode; }
  // Loads and shows the colour set's pointer-away picture.
  void setColorImage(const std::string& enter, const std::string& exit, const std::string& disable,
                     const std::string& bundle);
  // Only loads: the grey set shows when a grey mode is chosen.
  void setGrayImage(const std::string& enter, const std::string& exit, const std::string& disable,
                    const std::string& bundle);
  const Quirel_IconImages& colorImages() const { return mColor; }
  const Quirel_IconImages& grayImages() const { return mGray; }

 protected:
  const Quirel_IconImages& currentSet() const override { return isGrayMode() ? mGray : mColor; }

 private:
  bool isGrayMode() const { return mColorMode == 1 || mColorMode == 2; }
  int mColorMode = 3;
  Quirel_IconImages mColor;
  Quirel_IconImages mGray;
};
