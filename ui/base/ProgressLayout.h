#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The progress window's geometry as plain arithmetic: the window height of each height state
// in both layouts, the re-stacking of the message and information boxes (newer layout), and
// the rows of the detail view. Coordinates are from the top (the boxes are flipped views).
class Quirel_ProgressLayout {
 public:
  // Layouts: 0 older (320 wide), 1 newer (390 wide).
  static constexpr std::int32_t kOlderLayout = 0;
  static constexpr std::int32_t kNewerLayout = 1;
  static constexpr double kOlderWidth = 320;
  static constexpr double kNewerWidth = 390;
  static constexpr double kMessageBoxHeight = 122;
  static constexpr double kInfoBoxHeight = 94;

  // Height states.
  static constexpr std::int32_t kStateNoInfo = 1;
  static constexpr std::int32_t kStateFolded = 2;
  static constexpr std::int32_t kStateUnfolded = 3;
  static constexpr std::int32_t kStateSimple = 4;

  static double contentWidth(std::int32_t layoutType) {
    return layoutType == kNewerLayout ? kNewerWidth : kOlderWidth;
  }

  // The window's content height for a state, before the scale factor. In the newer layout it
  // follows the boxes' heights; the older layout has fixed heights (the unfolded one follows
  // the detail).
  static double windowHeight(std::int32_t layoutType, std::int32_t state, double messageBoxHeight,
                             double infoBoxHeight, double detailHeight);
  // The unfolded height (the `windowHeight` field).
  static double unfoldedHeight(std::int32_t layoutType, double messageBoxHeight, double infoBoxHeight,
                               double detailHeight);

  // Newer layout: the message box stacked from the bottom of the message line. An element
  // given a height is visible; the answer gives each visible element its y and the box height.
  struct MessageStack {
    double percentY = 0, barY = 0, cancelY = 0;
    double boxHeight = 0;
  };
  static MessageStack stackMessageBox(double message1Bottom, std::optional<double> percentHeight,
                                      std::optional<double> barHeight, std::optional<double> cancelHeight,
                                      bool detailShown);

  // Newer layout: the rows of the information box (each height of a shown row) stacked from the
  // top; the answer is each row's y and the box height.
  struct InfoStack {
    std::vector<double> rowY;
    double boxHeight = 0;
  };
  static InfoStack stackInfoBox(const std::vector<double>& rowHeights);

  // The detail view: one entry per row, in table order; hidden rows take no space, a row whose
  // label or value does not fit its column is two lines high.
  struct DetailRow {
    bool shown = true;
    bool twoLines = false;
  };
  struct DetailPlacement {
    double y = 0;
    double height = 0;
  };
  static constexpr double kDetailFirstY = 13;
  static constexpr double kDetailRowStep = 16;
  static constexpr double kDetailBottomMargin = 24;
  static constexpr double kDetailLabelX = 15;
  static double detailColumnWidth(std::int32_t layoutType) { return layoutType == kNewerLayout ? 175 : 145; }
  // Places the rows; the answer is the detail height (bottom of the last row + 24).
  static double layoutDetailRows(const std::vector<DetailRow>& rows, std::vector<DetailPlacement>* placements);
};
