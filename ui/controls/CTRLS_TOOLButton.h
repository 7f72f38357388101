#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/Geometry.h"
#include "ui/controls/ToolButton.h"

// A toolbar image button that posts the toolbar's notification (object: the button) on each
// click. With the off state 1 it pops back to off after each click; otherwise it stays on
// until the owner turns it off.
class Quirel_CTRLS_TOOLButton {
 public:
  Quirel_CTRLS_TOOLButton();
  // The show-all-crops button: multiple clicks ignored, no double click.
  static std::unique_ptr<Quirel_CTRLS_TOOLButton> initWithShowAllCropBT();
  ~Quirel_CTRLS_TOOLButton();
  Quirel_CTRLS_TOOLButton(const Quirel_CTRLS_TOOLButton&) = delete;
  Quirel_CTRLS_TOOLButton& operator=(const Quirel_CTRLS_TOOLButton&) = delete;

  void setToolbarBTActionPostNtf(const std::string& name) { mActionPostName = name; }
  void setToolbarBTActionPostNtf(const std::string& name, std::int32_t offState);
  std::int32_t offState() const { return mOffState; }
  void toolbarBTAction();

  Quirel_ToolButton* getToolBT() const { return mToolBT.get(); }
  void setToolBTRect(const fnd::Rect& rect) { mToolBT->setFrame(rect); }
  void setToolBTOrigin(double x, double y) { mToolBT->setFrameOrigin(fnd::Point{x, y}); }
  fnd::Rect getToolBTRect() const { return mToolBT->frame(); }
  // Pictures by name from the bundle's picture folder; a name not found keeps the picture
  // already loaded.
  void setToolBTImage(const std::string& enter, const std::string& exit, const std::string& disable,
                      const std::string& bundle);
  void setOnState(bool on) { mToolBT->setState(on ? kit::kOnState : kit::kOffState); }
  bool isOnState() const { return mToolBT->state() == kit::kOnState; }
  void setEnabled(bool enabled) { mToolBT->setEnabled(enabled); }
  bool isEnabled() const { return mToolBT->isEnabled(); }
  void setHidden(bool hidden) { mToolBT->setHidden(hidden); }
  bool isHidden() const { return mToolBT->isHidden(); }

 private:
  explicit Quirel_CTRLS_TOOLButton(bool showAllCrop);

  std::unique_ptr<Quirel_ToolButton> mToolBT;
  kit::Image mEnterImage;
  kit::Image mExitImage;
  kit::Image mDisableImage;
  std::string mActionPostName;
  std::int32_t mOffState = 1;
};
