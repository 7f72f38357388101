#pragma once

#include <memory>

#include "foundation/Geometry.h"
#include "kit/Box.h"

// A separator line of the main window.
class Quirel_CTRLS_Separator {
 public:
  Quirel_CTRLS_Separator();
  ~Quirel_CTRLS_Separator();
  Quirel_CTRLS_Separator(const Quirel_CTRLS_Separator&) = delete;
  Quirel_CTRLS_Separator& operator=(const Quirel_CTRLS_Separator&) = delete;

  kit::Box* getSeparator() const { return mSeparator.get(); }
  void setRect(double x, double y, double width, double height) { setRect(fnd::Rect(x, y, width, height)); }
  void setRect(const fnd::Rect& rect) { mSeparator->setFrame(rect); }
  void setOriginY(double y);
  void setOriginX(double x);
  fnd::Rect getRect() const { return mSeparator->frame(); }
  void setHidden(bool hidden) { mSeparator->setHidden(hidden); }
  bool isHidden() const { return mSeparator->isHidden(); }

 private:
  std::unique_ptr<kit::Box> mSeparator;
};
