#pragma once

#include <cstdint>

#include "foundation/Value.h"

// Grows or shrinks a list of crop descriptions ({"points": four {"X", "Y"}, "min", "max"}) for
// the thumbnail size the user chose: code 0 large (5 % larger), 1 normal (unchanged), any other
// small (5 % smaller). Platen crops may be rotated and are scaled about their bounding box
// without clamping; film frames are upright, grow or shrink by whole pixels on each side and
// stay inside the preview.
//
// A crop whose box has no area (or, for film, no positive width or height) cannot be scaled
// and comes back as it was; so does one without four corners.
class Quirel_ThumbnailCropResize {
 public:
  static constexpr std::int32_t kSizeLarge = 0;
  static constexpr std::int32_t kSizeNormal = 1;
  static constexpr std::int32_t kSizeSmall = 2;

  // 1.05 for code 0, 1 for code 1, 0.95 for any other code.
  static double factorForSizeCode(std::int32_t sizeCode);

  // The platen size code is the preference record's platen thumbnail size.
  static fnd::Array changePlatenThumbnailSize_MCPointArray(const fnd::Array& crops, std::int32_t sizeCode);

  // The film size code: in the UI-less mode (3) small when its preference asks for small
  // thumbnails, else normal; in any other mode the preference record's film thumbnail size.
  static std::int32_t filmThumbnailSizeCode(std::int32_t mode, bool smallThumbnailWhenUIOff,
                                            std::int32_t filmThumbnailSize);
  // Coordinates are clamped to 0 ... previewWidth (X) and 0 ... previewHeight (Y).
  static fnd::Array changeFilmThumbnailSize_previewInfo(const fnd::Array& crops, std::int32_t sizeCode,
                                                        std::int32_t previewWidth, std::int32_t previewHeight);
};
