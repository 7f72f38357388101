#pragma once

#include <optional>

#include "ui/model/SM_COMMON/ChannelValues.h"

// The arithmetic of the histogram's black, mid and white points on the 0..255 scale, with no
// window: where a marker stands for a value and back, how the mid point follows the black or
// white point in proportion, the limits of each marker, one drag step, the checks of typed
// values and what an eyedropper pick does to one channel. Every division by white - black is
// guarded: with no room between them (the zero points shown when no crop has the focus) no
// proportion exists and the mid point stays.
class Quirel_HistogramPointMath {
 public:
  enum class Marker { Black, Mid, White };

  // x of the black, mid and white markers when the dialog is built.
  static constexpr double kBlackOriginX = 27;
  static constexpr double kMidOriginX = 102;
  static constexpr double kWhiteOriginX = 177;

  // Value to marker x, and marker x back to value (each marker its own picture offset).
  static double markerX(int value);
  static int valueAt(Marker marker, double x);

  // The mid point's share of black..white from the black side (mid - black) / (white - black)
  // or the white side (white - mid) / (white - black); none when white <= black.
  static std::optional<float> proportion(bool whiteSide, int firstBlk, int firstMid, int firstWht);
  // The mid point following a moved black (whiteSide false, moved = the black value) or white
  // point, at least 5 from it; none without a proportion (the mid point stays).
  static std::optional<int> followingMid(bool whiteSide, int moved, int firstBlk, int firstWht,
                                         std::optional<float> share);

  // A marker placed from its field: x and the field's value after the limits.
  struct Placed {
    double x;
    int value;
  };
  // The other markers' x and fields are those of the shown channel.
  struct Row {
    double blackX, midX, whiteX;
    int black, mid, white;
  };
  static Placed place(Marker marker, const Row& row);

  // One drag step of a marker: the pointer at cur, last at startX (both in the same frame as
  // the markers' x). moved: the marker and its field change; overMove: the pointer lies outside
  // the marker's range (nothing beyond the pin happens).
  struct Step {
    double x;
    int value;
    bool moved;
    bool pinned;
    bool overMove;
  };
  static Step dragStep(Marker marker, const Row& row, double startX, double cur);

  // The typed-value checks (the value already known to be a number).
  static bool blackAllowed(int black, int white) { return black <= white - 10; }
  static bool midAllowed(int mid, int black, int white) { return mid >= black + 5 && mid <= white - 5; }
  static bool whiteAllowed(int white, int black) { return white >= black + 10 && white <= 255; }
  // The order kept while typing (all three fields).
  static bool orderKept(int black, int mid, int white) {
    return black <= white - 10 && black + 5 <= mid && mid <= white - 5 && black + 10 <= white && white <= 255;
  }

  // Eyedropper on one channel: the new black and mid, mid alone, or mid and white.
  struct Pair {
    int first;
    int second;
  };
  static Pair pickBlack(int picked, int black, int mid, int white);  // {black, mid}
  static int pickMid(int picked, int black, int white);
  static Pair pickWhite(int picked, int black, int mid, int white);  // {white, mid}

  // Element c (0 master, 1 red, 2 green, 3 blue) of a point set; other c: fallback.
  static int element(const ChannelValues& v, int c, int fallback = 0);
  static void setElement(ChannelValues& v, int c, int value);
};
