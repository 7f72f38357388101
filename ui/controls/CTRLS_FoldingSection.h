#pragma once

#include "ui/controls/CTRLS_ImageSettingView.h"

// A section of the advanced panel that opens and folds: the container with its two heights,
// which the owner's layout reads.
class Quirel_CTRLS_FoldingSection : public Quirel_CTRLS_ImageSettingView {
 public:
  void setFullHeight(double height) { mFullHeight = height; }
  double getFullHeight() const { return mFullHeight; }
  void setCloseHeight(double height) { mCloseHeight = height; }
  double getCloseHeight() const { return mCloseHeight; }
  void setHidden(bool hidden) { getView()->setHidden(hidden); }
  bool isHidden() const { return getView()->isHidden(); }

 private:
  double mFullHeight = 0;
  double mCloseHeight = 0;
};
