#include "ui/model/Units.h"

namespace {
constexpr double kCmPerInch = 2.54;
}

// Multiplying before dividing keeps exact cases exact (2.54 cm at 96 dpi is 96 pixels).
double cmToPixel(double cm, double resolution) { return cm * resolution / kCmPerInch; }
double cmToInch(double cm) { return cm / kCmPerInch; }
double inchToCm(double inch) { return inch * kCmPerInch; }
double inchToPixel(double inch, double resolution) { return inch * resolution; }
double pixelToCm(double pixel, double resolution) { return pixel * kCmPerInch / resolution; }
double pixelToInch(double pixel, double resolution) { return pixel / resolution; }

double convertResolution(double value, double from, double to) {
  // Equal resolutions leave the value bit for bit as it was.
  if (from == to) return value;
  return value * to / from;
}

double calcRatio(double base, double value, double other) {
  if (base == 0) return 0;
  return value * other / base;
}

SPointDouble makeSPointDouble(double x, double y) { return SPointDouble{x, y}; }
SPointDouble zeroSPointDouble() { return SPointDouble{0, 0}; }
SSizeDouble makeSSizeDouble(double width, double height) { return SSizeDouble{width, height}; }
SSizeDouble zeroSSizeDouble() { return SSizeDouble{0, 0}; }
SRectDouble makeSRectDouble(double x, double y, double width, double height) {
  return SRectDouble{{x, y}, {width, height}};
}
SRectDouble zeroSRectDouble() { return SRectDouble{{0, 0}, {0, 0}}; }

SPointDouble unrotatedStartPoint(SPointDouble displayed, SSizeDouble visible, SSizeDouble full, int rotation,
                                 bool mirror) {
  const double W = full.width, H = full.height, w = visible.width, h = visible.height;
  const double y = displayed.y;
  const double x = mirror ? W - (displayed.x + w) : displayed.x;
  switch (rotation) {
    case 1: return SPointDouble{y, W - (x + w)};
    case 2: return SPointDouble{W - (x + w), H - (y + h)};
    case 3: return SPointDouble{H - (y + h), x};
    default: return SPointDouble{x, y};
  }
}
