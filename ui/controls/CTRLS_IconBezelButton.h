#pragma once

#include "ui/controls/CTRLS_Base.h"
#include "ui/controls/IconBezelButton.h"

// An image button with a caption. Specific subclasses set the button's own target and action
// and post their own notification.
class Quirel_CTRLS_IconBezelButton : public Quirel_CTRLS_Base {
 public:
  Quirel_CTRLS_IconBezelButton();

  Quirel_IconBezelButton* getIconBT() const { return mIconBT.get(); }
  void setIconBTRect(double x, double y, double width, double height);
  void setIconBTRect(const fnd::Rect& rect) { mIconBT->setFrame(rect); }
  fnd::Rect getIconBTRect() const { return rectOf(mIconBT.get()); }
  void setIconBTImage(const std::string& enter, const std::string& exit, const std::string& disable,
                      const std::string& bundle) {
    mIconBT->setImage(enter, exit, disable, bundle);
  }
  void setEnabled(bool enabled) { mIconBT->setEnabled(enabled); }
  void setHidden(bool hidden);
  bool isHidden() const { return mIconBT->isHidden(); }

 private:
  std::unique_ptr<Quirel_IconBezelButton> mIconBT;
};
