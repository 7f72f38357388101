#include "ui/windows/MessageBoxLayout.h"

#include <algorithm>
#include <cmath>

float Quirel_MessageBoxLayout::maximumTextWidth(const fnd::Rect& visibleDisplayFrame) {
  const float width = static_cast<float>(visibleDisplayFrame.size.width * 0.9 - kSideMargins);
  // A missing or tiny screen must not give a zero or negative width to divide by.
  if (!std::isfinite(width) || width < kDefaultTextWidth) return static_cast<float>(kDefaultTextWidth);
  return width;
}

Quirel_MessageBoxLayout::Result Quirel_MessageBoxLayout::compute(double naturalWidth,
                                                                const std::function<double(double)>& heightForWidth,
                                                                std::int32_t messageType, float maximumWidth,
                                                                double textX) {
  Result r;
  const double maximum = std::max<double>(maximumWidth, kDefaultTextWidth);
  r.textWidth = kDefaultTextWidth;
  r.windowWidth = kWindowWidth;
  if (messageType == 1 && std::isfinite(naturalWidth)) {
    if (naturalWidth >= maximum) {
      const double lines = std::floor(naturalWidth / maximum) + 1;
      r.lines = static_cast<std::int32_t>(std::clamp<double>(lines, 1, kMaxLines));
      r.textWidth = naturalWidth / r.lines;
      r.windowWidth = static_cast<float>(r.textWidth + kSideMargins);
    } else if (naturalWidth > kDefaultTextWidth) {
      r.textWidth = naturalWidth;
      r.windowWidth = static_cast<float>(r.textWidth + kSideMargins);
    }
  }
  const double h = heightForWidth ? heightForWidth(r.textWidth) : 0;
  if (!(h >= kMinTextHeight)) {
    r.textHeight = kMinTextHeight;
    r.windowHeight = kMinWindowHeight;
  } else {
    r.textHeight = h;
    r.windowHeight = static_cast<float>(h + kTopAndBottom);
  }
  r.textFrame = fnd::Rect(textX, kTextY, r.textWidth, r.textHeight);
  const double top = kTextY + r.textHeight;
  r.cautionFrame = fnd::Rect(10, top - 64, 64, 64);
  r.badgeFrame = fnd::Rect(42, top - 64, 32, 32);
  return r;
}

fnd::Rect Quirel_MessageBoxLayout::okButtonFrame(double windowWidth) { return {windowWidth - 115, 12, 100, 32}; }
fnd::Rect Quirel_MessageBoxLayout::cancelButtonFrame(double windowWidth) { return {windowWidth - 220, 12, 100, 32}; }
fnd::Rect Quirel_MessageBoxLayout::exitButtonFrame(double windowWidth) { return {windowWidth - 150, 12, 132, 32}; }
fnd::Rect Quirel_MessageBoxLayout::selectButtonFrame(double windowWidth, double titleWidth) {
  if (titleWidth > 132) return {windowWidth - 302, 12, 150, 32};
  return {windowWidth - 284, 12, 132, 32};
}
