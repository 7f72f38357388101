#include "launcher/DisplayManager.h"

#include <algorithm>

#include "kit/Screen.h"

fnd::Rect Zorvik_DisplayManager::getDisplayFrame() const {
  if (fixed_) return fixed_->display;
  const kit::Screen screen = kit::Screen::mainScreen();
  return screen.exists() ? screen.frame() : fnd::Rect{};
}

fnd::Rect Zorvik_DisplayManager::getVisibleDisplayFrame() const {
  if (fixed_) return fixed_->visible;
  const kit::Screen screen = kit::Screen::mainScreen();
  return screen.exists() ? screen.visibleFrame() : fnd::Rect{};
}

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
  const fnd::Rect v = getVisibleDisplayFrame();
  const double right = v.origin.x + v.size.width;
  fnd::Rect r;
  r.origin.x = std::max(v.origin.x, frame.origin.x);
  r.size.width = std::max(minSize.width, std::min(v.size.width, frame.size.width));
  if (r.origin.x + r.size.width > right) {
    r.origin.x = right - r.size.width >= v.origin.x ? right - r.size.width : v.origin.x;
  }
  r.size.height = std::max(minSize.height, std::min(v.size.height, frame.size.height));
  if (frame.origin.y < v.origin.y) {
    r.origin.y = r.size.height <= v.size.height ? v.origin.y : v.origin.y + v.size.height - r.size.height;
  } else {
    r.origin.y = frame.origin.y;
  }
  return r;
}
