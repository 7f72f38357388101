#include "ui/windows/DisplayManager.h"

#include <algorithm>

#include "kit/Screen.h"

fnd::Rect Quirel_DisplayManager::getDisplayFrame() const {
  if (fixed_) return fixed_->display;
  kit::Screen screen = kit::Screen::mainScreen();
  return screen.exists() ? screen.frame() : fnd::Rect();
}

fnd::Rect Quirel_DisplayManager::getVisibleDisplayFrame() const {
  if (fixed_) return fixed_->visible;
  kit::Screen screen = kit::Screen::mainScreen();
  return screen.exists() ? screen.visibleFrame() : fnd::Rect();
}

fnd::Rect Quirel_DisplayManager::getDefaultWindowFrame(fnd::Size size) const {
  const fnd::Rect v = getVisibleDisplayFrame();
  double W = 0.9 * v.size.width;
  double H = 0.95 * v.size.height;
  if (W > H)
    W = 4 * H / 3;
  else
    H = 3 * W / 4;
  fnd::Rect r;
  r.size.width = std::max(size.width, W);
  r.size.height = std::max(size.height, H);
  r.origin.x = size.width > W ? v.origin.x : v.origin.x + (v.size.width - W) / 2;
  r.origin.y = size.height > H ? v.origin.y + v.size.height - size.height : v.origin.y + (v.size.height - H) / 2;
  return r;
}

fnd::Rect Quirel_DisplayManager::getAdjustmentWindowFrame(fnd::Rect frame, fnd::Size minSize) const {
  const fnd::Rect v = getVisibleDisplayFrame();
  fnd::Rect r;
  r.origin.x = std::max(v.origin.x, frame.origin.x);
  r.size.width = std::max(minSize.width, std::min(v.size.width, frame.size.width));
  if (r.origin.x + r.size.width > v.origin.x + v.size.width)
    r.origin.x = r.size.width <= v.size.width ? v.origin.x + v.size.width - r.size.width : v.origin.x;
  r.size.height = std::max(minSize.height, std::min(v.size.height, frame.size.height));
  if (frame.origin.y < v.origin.y)
    r.origin.y = r.size.height <= v.size.height ? v.origin.y : v.origin.y + v.size.height - r.size.height;
  else
    r.origin.y = frame.origin.y;  // the top edge is left where it is
  return r;
}
