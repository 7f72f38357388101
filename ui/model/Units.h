#pragma once

// Length and resolution conversions and the plain double geometry in which crop frames and
// preview geometry are held. Nothing here rounds, clamps or truncates: that is the caller's.
// One inch is exactly 2.54 cm; resolutions are dots per inch.

struct SPointDouble {
  double x;
  double y;
};

struct SSizeDouble {
  double width;
  double height;
};

struct SRectDouble {
  SPointDouble origin;
  SSizeDouble size;
};

double cmToPixel(double cm, double resolution);
double cmToInch(double cm);
double inchToCm(double inch);
double inchToPixel(double inch, double resolution);
// Resolution must not be 0 (callers never pass one).
double pixelToCm(double pixel, double resolution);
double pixelToInch(double pixel, double resolution);
// `value` measured at `from` dpi, expressed at `to` dpi; untouched when the two are equal.
double convertResolution(double value, double from, double to);
// The partner of `other` in the ratio base : value (value × other ÷ base); 0 when base is 0.
double calcRatio(double base, double value, double other);

SPointDouble makeSPointDouble(double x, double y);
SPointDouble zeroSPointDouble();
SSizeDouble makeSSizeDouble(double width, double height);
SSizeDouble zeroSSizeDouble();
SRectDouble makeSRectDouble(double x, double y, double width, double height);
SRectDouble zeroSRectDouble();

// Where a `visible` area starts in the plain preview of size `full`, given where it starts in the
// displayed preview: mirrored left to right (when `mirror`), then turned `rotation` quarter turns
// (1, 2, 3; anything else is no turn). The preview's stored forms before the start point was
// kept unturned hold it this way.
SPointDouble unrotatedStartPoint(SPointDouble displayed, SSizeDouble visible, SSizeDouble full, int rotation,
                                 bool mirror);
