#include "ui/model/ThumbnailCropResize.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct CropCorner {
  double x = 0;
  double y = 0;
};

fnd::Dictionary cropPoint(double x, double y) { return fnd::Dictionary{{"X", x}, {"Y", y}}; }

// The four corners, or false when the description does not have them.
bool readCropCorners(const fnd::Value& crop, std::array<CropCorner, 4>& corners) {
  const fnd::Array& points = crop["points"].toArray();
  if (points.size() < 4) return false;
  for (std::size_t i = 0; i < 4; ++i) corners[i] = {points[i]["X"].toReal(), points[i]["Y"].toReal()};
  return true;
}

fnd::Value platenCropResized(const fnd::Value& crop, double factor) {
  std::array<CropCorner, 4> p;
  if (!readCropCorners(crop, p)) return crop;
  const double minX = crop["min"]["X"].toReal();
  const double minY = crop["min"]["Y"].toReal();

  // The leftmost corner is followed (cyclically) by the topmost, the rightmost and the bottommost.
  std::size_t left = 1;
  if (p[0].x == minX && p[1].y == minY)
    left = 0;
  else if (p[3].x == minX && p[0].y == minY)
    left = 3;
  else if (p[2].x == minX && p[3].y == minY)
    left = 2;
  const double right = p[(left + 2) % 4].x;
  const double bottom = p[(left + 3) % 4].y;

  const double w = right - minX;
  const double h = bottom - minY;
  // A box without area has nothing to scale by.
  if (w == 0 || h == 0) return crop;

  const double gx = (factor * w - w) / 2;
  const double gy = (factor * h - h) / 2;
  const double newLeft = minX - gx;
  const double newTop = minY - gy;
  const double newWidth = w + 2 * gx;
  const double newHeight = h + 2 * gy;

  fnd::Array points;
  double loX = 0, loY = 0, hiX = 0, hiY = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    // std::round takes halves away from zero.
    const double x = std::round((p[i].x - minX) * newWidth / w + newLeft);
    const double y = std::round((p[i].y - minY) * newHeight / h + newTop);
    loX = i == 0 ? x : std::min(loX, x);
    loY = i == 0 ? y : std::min(loY, y);
    hiX = i == 0 ? x : std::max(hiX, x);
    hiY = i == 0 ? y : std::max(hiY, y);
    points.emplace_back(cropPoint(x, y));
  }
  return fnd::Dictionary{
      {"points", std::move(points)}, {"min", cropPoint(loX, loY)}, {"max", cropPoint(hiX, hiY)}};
}

fnd::Value filmCropResized(const fnd::Value& crop, double factor, double previewWidth, double previewHeight) {
  std::array<CropCorner, 4> p;
  if (!readCropCorners(crop, p)) return crop;
  const int w = static_cast<int>(p[1].x - p[0].x);
  const int h = static_cast<int>(p[3].y - p[0].y);
  // A frame without a positive size has no sides to move.
  if (w <= 0 || h <= 0) return crop;
  // Integer division: the growth per side truncates toward zero.
  const int dx = (static_cast<int>(std::floor(w * factor)) - w) / 2;
  const int dy = (static_cast<int>(std::floor(h * factor)) - h) / 2;
  p[0].x -= dx;
  p[3].x -= dx;
  p[1].x += dx;
  p[2].x += dx;
  p[0].y -= dy;
  p[1].y -= dy;
  p[2].y += dy;
  p[3].y += dy;
  fnd::Array points;
  for (CropCorner& c : p) {
    c.x = std::clamp(c.x, 0.0, std::max(0.0, previewWidth));
    c.y = std::clamp(c.y, 0.0, std::max(0.0, previewHeight));
    points.emplace_back(cropPoint(c.x, c.y));
  }
  return fnd::Dictionary{
      {"points", std::move(points)}, {"min", cropPoint(p[0].x, p[0].y)}, {"max", cropPoint(p[2].x, p[2].y)}};
}

}  // namespace

double Quirel_ThumbnailCropResize::factorForSizeCode(std::int32_t sizeCode) {
  if (sizeCode == kSizeLarge) return 1.05;
  if (sizeCode == kSizeNormal) return 1.0;
  return 0.95;
}

fnd::Array Quirel_ThumbnailCropResize::changePlatenThumbnailSize_MCPointArray(const fnd::Array& crops,
                                                                               std::int32_t sizeCode) {
  if (sizeCode == kSizeNormal) return crops;
  const double factor = factorForSizeCode(sizeCode);
  fnd::Array resized;
  resized.reserve(crops.size());
  for (const fnd::Value& crop : crops) resized.push_back(platenCropResized(crop, factor));
  return resized;
}

std::int32_t Quirel_ThumbnailCropResize::filmThumbnailSizeCode(std::int32_t mode, bool smallThumbnailWhenUIOff,
                                                              std::int32_t filmThumbnailSize) {
  if (mode == 3) return smallThumbnailWhenUIOff ? kSizeSmall : kSizeNormal;
  return filmThumbnailSize;
}

fnd::Array Quirel_ThumbnailCropResize::changeFilmThumbnailSize_previewInfo(const fnd::Array& crops,
                                                                            std::int32_t sizeCode,
                                                                            std::int32_t previewWidth,
                                                                            std::int32_t previewHeight) {
  if (sizeCode == kSizeNormal) return crops;
  const double factor = factorForSizeCode(sizeCode);
  fnd::Array resized;
  resized.reserve(crops.size());
  for (const fnd::Value& crop : crops) resized.push_back(filmCropResized(crop, factor, previewWidth, previewHeight));
  return resized;
}
