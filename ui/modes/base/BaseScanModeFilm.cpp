// Film frame rectangles: the device's defaults per film size and the frames the scanner found.

#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"

namespace {

// A device frame made relative to the reference area, with its vertical position flipped.
fnd::Dictionary relativeFilmFrame(const fnd::Value& entry, const SRectDouble& reference) {
  const SRectDouble f = Quirel_BaseScanMode::dictionaryToRect(entry.isDictionary() ? &entry.toDictionary() : nullptr);
  return fnd::Dictionary{{"X", f.origin.x - reference.origin.x},
                         {"Y", reference.size.height - ((f.origin.y - reference.origin.y) + f.size.height)},
                         {"W", f.size.width},
                         {"H", f.size.height}};
}

SRectDouble filmReferenceRect(const fnd::Dictionary* reference) { return Quirel_BaseScanMode::dictionaryToRect(reference); }

}  // namespace

void Quirel_BaseScanMode::setDefaultFilmSizeRects(int filmSize, const fnd::Array* frames,
                                                  const fnd::Dictionary* reference) {
  if (!frames || frames->empty()) return;
  const SRectDouble r = filmReferenceRect(reference);
  fnd::Array rects;
  rects.reserve(frames->size());
  for (const fnd::Value& entry : *frames) rects.emplace_back(relativeFilmFrame(entry, r));
  addDefaultFilmSizeRects(filmSize, std::move(rects));
}

void Quirel_BaseScanMode::setDefaultFilmSizeRectsForRudide(const fnd::Array* frames, double resolution,
                                                           const fnd::Dictionary* reference) {
  const SRectDouble r = filmReferenceRect(reference);
  // Upper bounds of the frame heights of sizes 23 to 27, in centimetres; higher is 28.
  constexpr double kClassTops[] = {4.6, 6.1, 7.1, 8.1, 9.1};
  fnd::Array classes[6];
  if (frames) {
    for (const fnd::Value& entry : *frames) {
      fnd::Dictionary rect = relativeFilmFrame(entry, r);
      const double height = rect.real("H");
      std::size_t k = 0;
      while (k < 5 && !(height < kClassTops[k] * resolution / 2.54)) ++k;
      classes[k].emplace_back(std::move(rect));
    }
  }
  // Every class is stored, an empty one too: callers check the list they get.
  for (int k = 0; k < 6; ++k) addDefaultFilmSizeRects(23 + k, std::move(classes[k]));
}

void Quirel_BaseScanMode::addDefaultFilmSizeRects(int filmSize, fnd::Array rects) {
  mDefFilmSizeRects.set(std::to_string(filmSize), fnd::Value(std::move(rects)));
}

const fnd::Array* Quirel_BaseScanMode::getDefaultFilmSizeRects(int filmSize) const {
  if (mScannerInfo && mScannerInfo->isVer1600Later() && !inThumbnailMode() && mUseCapsFilmSize &&
      !mCapsFilmRects.empty())
    return &mCapsFilmRects;
  const fnd::Value* stored = mDefFilmSizeRects.find(std::to_string(filmSize));
  return stored && stored->isArray() ? &stored->toArray() : nullptr;
}

void Quirel_BaseScanMode::setCapsFilmSizeRects(const fnd::Array* frames) {
  mCapsFilmRects.clear();
  if (!frames || frames->empty()) return;
  const double dataHeight = mPreviewDataSize.height;
  const double scaleX =
      mPreviewDataSize.width != 0 ? mFilmPlatenRect_Pixel96.size.width / mPreviewDataSize.width : 0;
  const double scaleY = dataHeight != 0 ? mFilmPlatenRect_Pixel96.size.height / dataHeight : 0;
  for (const fnd::Value& entry : *frames) {
    const fnd::Array& points = entry["points"].toArray();
    // A frame without its four corners has no rectangle.
    if (points.size() < 4) continue;
    SPointDouble corner[4];
    for (std::size_t i = 0; i < 4; ++i) {
      corner[i] = {points[i]["X"].toReal(), points[i]["Y"].toReal()};
      if (i == 1 || i == 2) corner[i].x += 1;  // right corners
      if (i == 2 || i == 3) corner[i].y += 1;  // bottom corners
      corner[i].y = dataHeight - corner[i].y;
    }
    const double x = corner[3].x;
    const double y = corner[3].y;
    const double w = corner[1].x - corner[0].x;
    const double h = corner[0].y - corner[3].y;
    mCapsFilmRects.emplace_back(
        fnd::Dictionary{{"X", x * scaleX}, {"Y", y * scaleY}, {"W", w * scaleX}, {"H", h * scaleY}});
  }
}

int Quirel_BaseScanMode::convFilmSizeCapsToUIM(int scannerFilmSize) {
  if (scannerFilmSize < 0 || scannerFilmSize > 10) return 21;
  return 21 + scannerFilmSize;
}

bool Quirel_BaseScanMode::needRotation90(const Quirel_UIScannerInfo* scanner, int filmSize, double width,
                                         double height, int orientation) {
  if (scanner && scanner->isMFP()) return true;
  switch (filmSize) {
    case 21:
    case 25:
    case 26:
    case 27:
    case 28:
    case 30:
    case 31: return orientation == 0 || orientation == 2 ? height > width : width > height;
    case 22: return scanner && scanner->mountRotation90();
    default: return false;
  }
}
