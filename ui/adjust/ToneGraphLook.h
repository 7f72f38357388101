#pragma once

#include <cstdint>

#include "foundation/Geometry.h"

namespace kit {
class GraphicsContext;
class View;
}  // namespace kit

// The look the tone graphs share: a flat grey field drawn without smoothing, a quarter grid,
// curves as 255 one-point segments kept inside the frame (one path a curve), histograms
// scaled so that a level holding 2 % of the pixels reaches the top, and the press that
// re-arms the dialog.
class Quirel_ToneGraphLook {
 public:
  static constexpr double kFieldGrey = 0.867;

  // Antialiasing off, the bounds filled with the field grey.
  static void fillField(kit::GraphicsContext& ctx, const fnd::Rect& bounds);
  // Lines at the quarters of the rectangle, width 1, white at half alpha, each stroked in
  // pieces of at most kGridPiece points.
  static constexpr double kGridPiece = 64;
  static void drawQuarterGrid(kit::GraphicsContext& ctx, const fnd::Rect& r);
  // 255 segments, one path stroked once, in the current stroke colour; an output of 255 is
  // lowered to 254 in the table itself so the curve stays inside the frame.
  static void drawToneCurve(kit::GraphicsContext& ctx, std::uint8_t* table, const fnd::Rect& r);
  // One black path of vertical bars; the divisor is 1 for sums within -49..49, else sum / 50.
  static void drawHistogram(kit::GraphicsContext& ctx, const std::int32_t* counts, const fnd::Rect& r);
  // Counts w x h RGB pixels into red, green, blue and grey (taken from red); clears the four
  // first. Nothing is counted without pixels or with a side of zero or less.
  static void countHistograms(int width, int height, const std::uint8_t* pixels, std::int32_t* red,
                              std::int32_t* green, std::int32_t* blue, std::int32_t* grey);
  // master[i] = red[i] + green[i] + blue[i].
  static void sumMaster(std::int32_t* master, const std::int32_t* red, const std::int32_t* green,
                        const std::int32_t* blue);
  static void identity(std::uint8_t* table);
  // "CONTROL_YES" then "DLG_MOUSE_DOWN", the view as object.
  static void postGraphPress(const kit::View* view);
};
