#include "ui/adjust/HistogramPointMath.h"

#include <algorithm>
#include <cmath>

double Quirel_HistogramPointMath::markerX(int value) { return std::trunc(value / 1.7 + 27); }

int Quirel_HistogramPointMath::valueAt(Marker marker, double x) {
  switch (marker) {
    case Marker::Black: return static_cast<int>(std::trunc((x - 26) * 1.7));
    case Marker::Mid: return static_cast<int>(std::trunc((x - 29) * 1.7 + 4));
    case Marker::White: return static_cast<int>(std::trunc((x - 32) * 1.7 + 9));
  }
  return 0;
}

std::optional<float> Quirel_HistogramPointMath::proportion(bool whiteSide, int firstBlk, int firstMid, int firstWht) {
  const int span = firstWht - firstBlk;
  if (span <= 0) return std::nullopt;
  const float part = static_cast<float>(whiteSide ? firstWht - firstMid : firstMid - firstBlk);
  return part / static_cast<float>(span);
}

std::optional<int> Quirel_HistogramPointMath::followingMid(bool whiteSide, int moved, int firstBlk, int firstWht,
                                                           std::optional<float> share) {
  if (!share || !std::isfinite(*share)) return std::nullopt;
  if (!whiteSide) {
    const int mid = moved + static_cast<int>(std::trunc(static_cast<float>(firstWht - moved) * *share));
    return std::max(mid, moved + 5);
  }
  const int mid = moved - static_cast<int>(std::trunc(static_cast<float>(moved - firstBlk) * *share));
  return std::min(mid, moved - 5);
}

Quirel_HistogramPointMath::Placed Quirel_HistogramPointMath::place(Marker marker, const Row& row) {
  switch (marker) {
    case Marker::Black: {
      Placed p{markerX(row.black), row.black};
      if (p.x <= kBlackOriginX) {
        p.x = kBlackOriginX;
        if (p.value != 1) p.value = 0;
      }
      if (p.x > row.whiteX - 6) {
        p.x = row.whiteX - 6;
        p.value = row.white - 10;
      }
      return p;
    }
    case Marker::Mid: {
      Placed p{markerX(row.mid), row.mid};
      if (p.x < row.blackX + 3) {
        p.x = row.blackX + 3;
        p.value = row.black + 5;
      }
      if (p.x > row.whiteX - 3) {
        p.x = row.whiteX - 3;
        p.value = row.white - 5;
      }
      return p;
    }
    case Marker::White: {
      Placed p{markerX(row.white), row.white};
      if (p.x < row.blackX + 6) {
        p.x = row.blackX + 6;
        p.value = row.black + 10;
      }
      if (p.x >= kWhiteOriginX) {
        p.x = kWhiteOriginX;
        p.value = 255;
      }
      return p;
    }
  }
  return {0, 0};
}

Quirel_HistogramPointMath::Step Quirel_HistogramPointMath::dragStep(Marker marker, const Row& row, double startX,
                                                                    double cur) {
  double markerAt = 0, lowerX = 0, upperX = 0;
  int value = 0, lowerValue = 0, upperValue = 0;
  switch (marker) {
    case Marker::Black:
      markerAt = row.blackX, value = row.black;
      lowerX = kBlackOriginX, lowerValue = 0;
      upperX = row.whiteX - 6, upperValue = row.white - 10;
      break;
    case Marker::Mid:
      markerAt = row.midX, value = row.mid;
      lowerX = row.blackX + 3, lowerValue = row.black + 5;
      upperX = row.whiteX - 3, upperValue = row.white - 5;
      break;
    case Marker::White:
      markerAt = row.whiteX, value = row.white;
      lowerX = row.blackX + 6, lowerValue = row.black + 10;
      upperX = kWhiteOriginX, upperValue = 255;
      break;
  }
  Step s{markerAt, value, false, false, false};
  const double proposed = markerAt + (cur - startX);
  double target = cur;
  if (proposed <= lowerX) {
    s.x = target = lowerX;
    s.value = lowerValue;
    s.pinned = s.moved = true;
  } else if (proposed >= upperX) {
    s.x = target = upperX;
    s.value = upperValue;
    s.pinned = s.moved = true;
  }
  if (cur <= lowerX || cur >= upperX) {
    s.overMove = true;
    return s;
  }
  s.x = target;
  int v = valueAt(marker, s.x);
  switch (marker) {
    case Marker::Black: v = std::min(v, row.white - 10); break;
    case Marker::Mid:
      if (v < row.black + 5)
        v = row.black + 5;
      else if (v > row.white - 5)
        v = row.white - 5;
      break;
    case Marker::White: v = std::max(v, row.black + 10); break;
  }
  s.value = v;
  s.moved = true;
  return s;
}

namespace {
int boundedHistogramMid(int mid, int black, int white) {
  if (mid < black + 5) return black + 5;
  if (mid > white - 5) return white - 5;
  return mid;
}
}  // namespace

Quirel_HistogramPointMath::Pair Quirel_HistogramPointMath::pickBlack(int picked, int black, int mid, int white) {
  const int newBlack = std::min(picked, white - 10);
  const int span = white - black;
  if (span <= 0) return {newBlack, mid};
  const float share = static_cast<float>(mid - black) / static_cast<float>(span);
  const int moved = newBlack + static_cast<int>(std::trunc(static_cast<float>(white - newBlack) * share));
  return {newBlack, boundedHistogramMid(moved, newBlack, white)};
}

int Quirel_HistogramPointMath::pickMid(int picked, int black, int white) {
  return boundedHistogramMid(picked, black, white);
}

Quirel_HistogramPointMath::Pair Quirel_HistogramPointMath::pickWhite(int picked, int black, int mid, int white) {
  const int newWhite = std::max(picked, black + 10);
  const int span = white - black;
  if (span <= 0) return {newWhite, mid};
  const float share = static_cast<float>(white - mid) / static_cast<float>(span);
  const int moved = newWhite - static_cast<int>(std::trunc(static_cast<float>(newWhite - black) * share));
  return {newWhite, boundedHistogramMid(moved, black, newWhite)};
}

int Quirel_HistogramPointMath::element(const ChannelValues& v, int c, int fallback) {
  switch (c) {
    case 0: return v.master;
    case 1: return v.red;
    case 2: return v.green;
    case 3: return v.blue;
    default: return fallback;
  }
}

void Quirel_HistogramPointMath::setElement(ChannelValues& v, int c, int value) {
  switch (c) {
    case 0: v.master = value; break;
    case 1: v.red = value; break;
    case 2: v.green = value; break;
    case 3: v.blue = value; break;
    default: break;
  }
}
