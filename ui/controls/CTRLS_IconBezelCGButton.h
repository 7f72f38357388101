#pragma once

#include "ui/controls/CTRLS_Base.h"
#include "ui/controls/IconBezelCGButton.h"

// An image button with colour and grey pictures, without caption; posts the owner's
// notification on each click.
class Quirel_CTRLS_IconBezelCGButton : public Quirel_CTRLS_Base {
 public:
  Quirel_CTRLS_IconBezelCGButton();

  Quirel_IconBezelCGButton* getIconCGBT() const { return mIconCGBT.get(); }
  void setIconCGBTRect(double x, double y, double width, double height);
  void setIconCGBTRect(const fnd::Rect& rect) { mIconCGBT->setFrame(rect); }
  fnd::Rect getIconCGBTRect() const { return rectOf(mIconCGBT.get()); }
  void setIconCGBTColorImage(const std::string& enter, const std::string& exit, const std::string& disable,
                             const std::string& bundle) {
    mIconCGBT->setColorImage(enter, exit, disable, bundle);
  }
  void setIconCGBTGrayImage(const std::string& enter, const std::string& exit, const std::string& disable,
                            const std::string& bundle) {
    mIconCGBT->setGrayImage(enter, exit, disable, bundle);
  }
  void setColorMode(int mode) { mIconCGBT->setColorMode(mode); }
  int getColorMode() const { return mIconCGBT->getColorMode(); }
  void setEnabled(bool enabled) { mIconCGBT->setEnabled(enabled); }
  void setHidden(bool hidden) { mIconCGBT->setHidden(hidden); }
  bool isHidden() const { return mIconCGBT->isHidden(); }
  void setIconBezelCGBTActionPostNtf(const std::string& name) { setActionPostName(name); }
  void IconBezelCGBTAction() { postAction(mIconCGBT.get()); }

 private:
  std::unique_ptr<Quirel_IconBezelCGButton> mIconCGBT;
};
