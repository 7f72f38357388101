#pragma once

#include "kit/Box.h"
#include "ui/controls/CTRLS_Base.h"

// A framed box (secondary type, line border, no title of its own) with a bold caption.
class Quirel_CTRLS_Box : public Quirel_CTRLS_Base {
 public:
  Quirel_CTRLS_Box();

  kit::Box* getBox() const { return mBox.get(); }
  void setBoxRect(double x, double y, double width, double height) { mBox->setFrame(fnd::Rect(x, y, width, height)); }
  fnd::Rect getBoxRect() const { return rectOf(mBox.get()); }
  // Adds the view to the box; the caller keeps owning it.
  void setItem(kit::View* view) { mBox->addSubview(view); }

 private:
  std::unique_ptr<kit::Box> mBox;
};
