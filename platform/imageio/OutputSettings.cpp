#include "imageio/OutputSettings.h"

#include "imageio/ImageProperties.h"

namespace imageio {

OutputSettings OutputSettings::from(const fnd::Dictionary& properties) {
  const fnd::Dictionary& tiff = properties.dictionary(kCGImagePropertyTIFFDictionary);
  // A TIFF resolution given per centimetre (ResolutionUnit 3) becomes dots per inch.
  const double tiffScale = tiff.intValue(kCGImagePropertyTIFFResolutionUnit) == 3 ? 2.54 : 1.0;
  auto either = [&](const char* key, const char* tiffKey) {
    return properties.contains(key) ? properties.real(key) : tiff.real(tiffKey) * tiffScale;
  };
  OutputSettings out;
  const double dpiX = either(kCGImagePropertyDPIWidth, kCGImagePropertyTIFFXResolution);
  const double dpiY = either(kCGImagePropertyDPIHeight, kCGImagePropertyTIFFYResolution);
  if (dpiX > 0) out.dpiX = dpiX;
  if (dpiY > 0) out.dpiY = dpiY;
  const int orientation = properties.contains(kCGImagePropertyOrientation)
                              ? properties.intValue(kCGImagePropertyOrientation)
                              : tiff.intValue(kCGImagePropertyTIFFOrientation);
  if (orientation >= 1 && orientation <= 8) out.orientation = orientation;
  return out;
}

}  // namespace imageio
