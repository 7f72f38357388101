#pragma once

#include <cstdint>
#include <functional>

#include "foundation/Geometry.h"

// Where the parts of a message box go, as pure functions of the text's measurements, the
// message type and the screen (content coordinates, y up).
class Quirel_MessageBoxLayout {
 public:
  static constexpr double kTextX = 100;
  static constexpr double kNetErrorTextX = 105;
  static constexpr double kTextY = 60;
  static constexpr double kDefaultTextWidth = 300;
  static constexpr double kTextFieldHeight = 340;
  static constexpr double kMinTextHeight = 68;
  static constexpr double kMinWindowHeight = 145;
  static constexpr double kWindowWidth = 420;
  static constexpr double kSideMargins = 120;
  static constexpr double kTopAndBottom = 77;
  static constexpr std::int32_t kMaxLines = 32767;

  struct Result {
    std::int32_t lines = 1;     // lines the wide layout splits a long text into
    double textWidth = 0;
    double textHeight = 0;
    double windowWidth = 0;     // content size
    double windowHeight = 0;
    fnd::Rect textFrame;
    fnd::Rect cautionFrame;     // 64 x 64 beside the text's top
    fnd::Rect badgeFrame;       // 32 x 32 over the caution sign's lower right quarter
  };

  // The widest a text may be: 90 % of the visible screen width less the side margins. Without
  // a screen, or on one too narrow, the standard 300, so the layout never divides by nothing.
  static float maximumTextWidth(const fnd::Rect& visibleDisplayFrame);

  // naturalWidth: the text on one line; heightForWidth: its height wrapped at a width.
  // Message type 1 widens the box for long texts (up to maximumWidth per line); any other type
  // keeps the text 300 wide.
  static Result compute(double naturalWidth, const std::function<double(double)>& heightForWidth,
                        std::int32_t messageType, float maximumWidth, double textX = kTextX);

  // Buttons of the standard box: OK at the right, Cancel left of it.
  static fnd::Rect okButtonFrame(double windowWidth);
  static fnd::Rect cancelButtonFrame(double windowWidth);
  // Buttons of the network box: Exit at the right; the selection button left of it, wider when
  // its title needs more than the standard width.
  static fnd::Rect exitButtonFrame(double windowWidth);
  static fnd::Rect selectButtonFrame(double windowWidth, double titleWidth);
};
