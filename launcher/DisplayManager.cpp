#include "launcher/DisplayManager.h"

#include <algorithm>

fnd::Rect Zorvik_DisplayManager::getDisplayFrame() const { return screen_.getDisplayFrame(); }

fnd::Rect Zorvik_DisplayManager::getVisibleDisplayFrame() const { return screen_.getVisibleDisplayFrame(); }

fnd::Rect Zorvik_DisplayManager::getDefaultWindowFrame(fnd::Size size) const {
  const fnd::Rect v = getVisibleDisplayFrame();
  const double w90 = v.size.width * 0.9, h95 = v.size.height * 0.95;
  fnd::Rect r;
  r.size.width = std::max(size.width, w90);
  r.origin.x = size.width > w90 ? v.origin.x : v.origin.x + (v.size.width - w90) / 2;
  r.size.height = std::max(size.height, h95);
  r.origin.y = size.height > h95 ? v.origin.y + v.size.height - size.height : v.origin.y + (v.size.height - h95) / 2;
  return r;
}

fnd::Rect Zorvik_DisplayManager::getAdjustmentWindowFrame(fnd::Size minSize, const fnd::Rect& frame) const {
  return screen_.getAdjustmentWindowFrame(frame, minSize);
}
