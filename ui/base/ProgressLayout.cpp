#include "ui/base/ProgressLayout.h"

namespace {

// Older layout: the fixed heights of the states without the unfolded detail.
constexpr double kOlderNoInfoHeight = 150;
constexpr double kOlderFoldedHeight = 244;
constexpr double kOlderSimpleHeight = 217;
constexpr double kOlderUnfoldedExtra = 248;
// Newer layout: below the boxes, and between them and the unfolded detail.
constexpr double kNewerBottomMargin = 22;
constexpr double kNewerDetailGap = 32;
constexpr double kStackGap = 8;

}  // namespace

double Quirel_ProgressLayout::unfoldedHeight(std::int32_t layoutType, double messageBoxHeight, double infoBoxHeight,
                                             double detailHeight) {
  if (layoutType == kNewerLayout) return detailHeight + messageBoxHeight + kNewerDetailGap + infoBoxHeight;
  return detailHeight + kOlderUnfoldedExtra;
}

double Quirel_ProgressLayout::windowHeight(std::int32_t layoutType, std::int32_t state, double messageBoxHeight,
                                           double infoBoxHeight, double detailHeight) {
  if (state == kStateUnfolded) return unfoldedHeight(layoutType, messageBoxHeight, infoBoxHeight, detailHeight);
  if (layoutType == kNewerLayout) {
    if (state == kStateNoInfo) return messageBoxHeight + kNewerBottomMargin;
    return messageBoxHeight + infoBoxHeight + kNewerBottomMargin;
  }
  switch (state) {
    case kStateNoInfo: return kOlderNoInfoHeight;
    case kStateSimple: return kOlderSimpleHeight;
    default: return kOlderFoldedHeight;
  }
}

Quirel_ProgressLayout::MessageStack Quirel_ProgressLayout::stackMessageBox(double message1Bottom,
                                                                           std::optional<double> percentHeight,
                                                                           std::optional<double> barHeight,
                                                                           std::optional<double> cancelHeight,
                                                                           bool detailShown) {
  MessageStack s;
  double y = message1Bottom + kStackGap;
  if (percentHeight) {
    s.percentY = y;
    y += *percentHeight + kStackGap;
  }
  if (barHeight) {
    s.barY = y;
    y += *barHeight + kStackGap;
  }
  if (cancelHeight) {
    s.cancelY = y + 2;
    y += *cancelHeight;
  } else {
    if (detailShown) y -= kStackGap;
    if (!percentHeight && !barHeight) y -= kStackGap;
  }
  s.boxHeight = y + kNewerBottomMargin;
  return s;
}

Quirel_ProgressLayout::InfoStack Quirel_ProgressLayout::stackInfoBox(const std::vector<double>& rowHeights) {
  InfoStack s;
  // Each row takes its height and the gap above it (the separator sits on the box's top edge).
  double y = 0;
  for (double h : rowHeights) {
    y += kStackGap;
    s.rowY.push_back(y);
    y += h;
  }
  s.boxHeight = y + 9;
  return s;
}

double Quirel_ProgressLayout::layoutDetailRows(const std::vector<DetailRow>& rows,
                                               std::vector<DetailPlacement>* placements) {
  if (placements) placements->assign(rows.size(), DetailPlacement{});
  double y = kDetailFirstY;
  double bottom = kDetailFirstY;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!rows[i].shown) continue;
    const double height = rows[i].twoLines ? 2 * kDetailRowStep : kDetailRowStep;
    if (placements) (*placements)[i] = {y, height};
    bottom = y + height;
    y += height;
  }
  return bottom + kDetailBottomMargin;
}
