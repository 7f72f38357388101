#pragma once

#include "ui/controls/CTRLS_Base.h"
#include "ui/controls/ColorButton.h"

// A colour button with a caption. Specific subclasses set the button's own target and
// action and post their own notification.
class Quirel_CTRLS_ColorPushButton : public Quirel_CTRLS_Base {
 public:
  Quirel_CTRLS_ColorPushButton();

  Quirel_ColorButton* getColorPushBT() const { return mPushBT.get(); }
  void setColorPushBTRect(double x, double y, double width, double height) {
    mPushBT->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getColorPushBTRect() const { return rectOf(mPushBT.get()); }
  void setColorPushBTTitle(const std::string& title, const std::optional<kit::Color>& enabledColor,
                           const std::optional<kit::Color>& disabledColor, const std::optional<kit::Font>& font) {
    mPushBT->setTitle(title, enabledColor, disabledColor, font);
  }
  // The four pictures (pointer over, away, pressed, disabled) by name from the bundle.
  void setImage(const std::string& enter, const std::string& exit, const std::string& down,
                const std::string& disable, const std::string& bundle);
  void setEnabled(bool enabled) { mPushBT->setEnabled(enabled); }
  void setHidden(bool hidden);
  bool isHidden() const { return mPushBT->isHidden(); }

 private:
  std::unique_ptr<Quirel_ColorButton> mPushBT;
};
