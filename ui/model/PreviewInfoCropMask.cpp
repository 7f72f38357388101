// The automatic-crop exchange and the mask of rotated multi-crop frames.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "ui/base/PostNotification.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

fnd::Value point(long long x, long long y) {
  return fnd::Value(fnd::Dictionary{{"X", fnd::Value(x)}, {"Y", fnd::Value(y)}});
}

}  // namespace

void Quirel_PreviewInfo::remakeCropAutoCropButton(int mode, const CropList* crops) {
  mMode = mode;
  if (!crops || crops->empty()) {
    autoCrop = prevInitAutoCrop;
    return;
  }
  SRectDouble r{};
  for (auto it = crops->rbegin(); it != crops->rend(); ++it) {
    if (!*it || !(*it)->isFocus()) continue;
    const Quirel_CropInfo& c = **it;
    const SSizeDouble v = c.getVisiblePreviewSize_Pixel96();
    const SRectDouble in = c.getInputRect_Pixel96();
    setOrgPixelLRect2(&r, mPreviewMode != 0, v.width, v.height, c.getRotation(), false, in.origin.x, in.origin.y,
                      in.size.width, in.size.height, false);
    break;
  }
  const long long W = getPreviewWidth(), H = getPreviewHeight();
  const long long x = static_cast<long long>(r.origin.x), y = static_cast<long long>(r.origin.y);
  const long long right = std::min(static_cast<long long>(r.origin.x + r.size.width), W - 1);
  const long long bottom = std::min(static_cast<long long>(r.origin.y + r.size.height), H - 1);
  fnd::Array points{point(x, y), point(right, y), point(right, bottom), point(x, bottom)};
  // The module answers into a dictionary it is handed by reference, as its other answers.
  auto answer = std::make_shared<fnd::Dictionary>();
  auto info = std::make_shared<fnd::Dictionary>(
      fnd::Dictionary{{"points", fnd::Value(std::move(points))}, {"autoCropPDic", fnd::Value::object(answer)}});
  Quirel_PostNotification(mCenter).postExternalNotificationName("Auto_Crop2", mUIMObject ? mUIMObject : this, info);

  const fnd::Value* found = answer->find("newPoints");
  if (!found || !found->isArray() || found->toArray().size() < 4) {
    // No usable answer: the rectangle the last preview delivered stands.
    autoCrop = prevInitAutoCrop;
    return;
  }
  const fnd::Array& corners = found->toArray();
  double cx[4], cy[4];
  const double from = mUIScannerInfo ? mUIScannerInfo->platenPreviewResolution() : 0;
  const double to = mUIScannerInfo ? mUIScannerInfo->platenAutoCropResolution() : 0;
  for (int i = 0; i < 4; ++i) {
    const fnd::Value& p = corners[static_cast<std::size_t>(i)];
    const fnd::Dictionary empty;
    const fnd::Dictionary& d = p.isDictionary() ? p.toDictionary() : empty;
    cx[i] = static_cast<double>(d.integer("X"));
    cy[i] = static_cast<double>(d.integer("Y"));
    if (from != to && from > 0 && to > 0) {
      cx[i] = std::trunc(convertResolution(cx[i], from, to));
      cy[i] = std::trunc(convertResolution(cy[i], from, to));
    }
  }
  autoCrop = makeSRectDouble(cx[0], cy[0], cx[1] - cx[0], cy[3] - cy[0]);
}

void Quirel_PreviewInfo::changeMultiCropMaskdata(Quirel_CropInfo* crop, const std::uint8_t* preview, int width,
                                                 int height) {
  if (!crop || !crop->getcropCorData()) return;
  const SRectDouble r = crop->getcropCorRect();
  const int x = static_cast<int>(r.origin.x), y = static_cast<int>(r.origin.y);
  const int w = static_cast<int>(r.size.width), h = static_cast<int>(r.size.height);
  if (w <= 0 || h <= 0) return;
  const std::size_t row = static_cast<std::size_t>(w) * 3;
  std::vector<std::uint8_t> under(row * static_cast<std::size_t>(h), 128);
  if (preview) {
    for (int i = 0; i < h; ++i) {
      const int py = y + i;
      if (py < 0 || py >= height) continue;
      const int left = std::max(0, -x), right = std::min(w, width - x);
      if (right <= left) continue;
      std::memcpy(under.data() + i * row + left * 3, preview + (static_cast<std::size_t>(py) * width + x + left) * 3,
                  static_cast<std::size_t>(right - left) * 3);
    }
  }

  SPointDouble corners[4];
  crop->getMultiCropCorPoints(corners);
  double minX = corners[0].x, minY = corners[0].y;
  for (const SPointDouble& p : corners) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
  }
  int top = 0;
  for (int i = 1; i < 4; ++i)
    if (corners[i].y < corners[top].y) top = i;
  SPointDouble P[4];
  for (int i = 0; i < 4; ++i) {
    const SPointDouble& c = corners[(top + i) % 4];
    P[i] = SPointDouble{c.x - minX, c.y - minY};
  }
  if (P[0].y == P[1].y && P[1].x < P[2].x) {
    const SPointDouble first = P[0];
    for (int i = 0; i < 3; ++i) P[i] = P[i + 1];
    P[3] = first;
  }

  std::uint8_t* image = crop->getcropCorData();
  // Copies `count` pixels of row `rowIndex` from the left or right end; rows outside [0, h) and
  // runs outside [0, w] are clamped, so a degenerate frame writes nothing out of place.
  auto copyRun = [&](double rowIndex, double count, bool fromRight) {
    if (!std::isfinite(rowIndex) || !std::isfinite(count)) return;
    const long long ri = static_cast<long long>(rowIndex);
    if (ri < 0 || ri >= h) return;
    const long long n = std::clamp(static_cast<long long>(count), 0LL, static_cast<long long>(w));
    if (n == 0) return;
    const std::size_t start = static_cast<std::size_t>(ri) * row + (fromRight ? static_cast<std::size_t>(w - n) * 3 : 0);
    std::memcpy(image + start, under.data() + start, static_cast<std::size_t>(n) * 3);
  };
  // Zero denominators (axis-aligned or one-point frames) leave that corner alone.
  if (P[0].x > 0 && P[3].y > 0)
    for (double i = 0; i < P[3].y; ++i) copyRun(i, P[0].x - i * (P[0].x / P[3].y), false);
  if (P[2].x > 0 && P[2].y - P[3].y > 0)
    for (double i = 0; i <= P[2].y - P[3].y; ++i) copyRun(P[3].y + i, i * (P[2].x / (P[2].y - P[3].y)), false);
  if (P[1].x - P[0].x > 0 && P[1].y > 0)
    for (double i = 0; i < P[1].y; ++i) copyRun(i, (P[1].x - P[0].x) - i * ((P[1].x - P[0].x) / P[1].y), true);
  if (P[1].x - P[2].x > 0 && P[2].y - P[1].y > 0)
    for (double i = 0; i <= P[2].y - P[1].y; ++i) copyRun(P[1].y + i, i * ((P[1].x - P[2].x) / (P[2].y - P[1].y)), true);
}
