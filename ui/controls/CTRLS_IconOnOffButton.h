#pragma once

#include <memory>
#include <string>

#include "foundation/Geometry.h"
#include "ui/controls/IconOnOffButton.h"

// An on/off image button of the main window. It wires no action: subclasses add one.
class Quirel_CTRLS_IconOnOffButton {
 public:
  Quirel_CTRLS_IconOnOffButton();
  virtual ~Quirel_CTRLS_IconOnOffButton();
  Quirel_CTRLS_IconOnOffButton(const Quirel_CTRLS_IconOnOffButton&) = delete;
  Quirel_CTRLS_IconOnOffButton& operator=(const Quirel_CTRLS_IconOnOffButton&) = delete;

  Quirel_IconOnOffButton* getIconOnOffBT() const { return mIconBT.get(); }
  void setIconBTRect(double x, double y, double width, double height);
  fnd::Rect getIconBTRect() const { return mIconBT->frame(); }
  void setIconBTOnImage(const std::string& enter, const std::string& exit, const std::string& disable,
                        const std::string& bundle) {
    mIconBT->setOnImage(enter, exit, disable, bundle);
  }
  void setIconBTOffImage(const std::string& enter, const std::string& exit, const std::string& disable,
                         const std::string& bundle) {
    mIconBT->setOffImage(enter, exit, disable, bundle);
  }
  void setOnState(bool on) { mIconBT->setState(on ? kit::kOnState : kit::kOffState); }
  bool isOnState() const { return mIconBT->state() != kit::kOffState; }
  void setEnabled(bool enabled) { mIconBT->setEnabled(enabled); }
  void setHidden(bool hidden) { mIconBT->setHidden(hidden); }
  bool isHidden() const { return mIconBT->isHidden(); }

 protected:
  std::unique_ptr<Quirel_IconOnOffButton> mIconBT;
};
