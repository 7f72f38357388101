#include "launcher/save/ImagePassSupport.h"

#include <ctime>
#include <filesystem>

#include "imageio/ImageProperties.h"
#include "launcher/save/CMFileSystem.h"
#include "launcher/save/SMCodes.h"

CMResult SM_DestinationType(std::uint32_t outFormat, imageio::ImageType* type) {
  if (!type) return SM_ERR_NO_XFORM;
  switch (outFormat) {
    case SM_FORMAT_JPEG:
    case SM_FORMAT_JPEG_EXIF:
      *type = imageio::ImageType::JPEG;
      return CM_OK;
    case SM_FORMAT_TIFF:
    case SM_FORMAT_LARGE_TIFF:
      *type = imageio::ImageType::TIFF;
      return CM_OK;
    default:
      return SM_ERR_UNSUPPORTED;
  }
}

CMResult SM_CheckOutputFolder(const std::string* outputPath) {
  if (!outputPath || outputPath->empty()) return SM_ERR_OUTPUT_NOT_WRITABLE;
  std::string folder = std::filesystem::path(*outputPath).parent_path().string();
  if (folder.empty()) folder = ".";
  bool writable = false;
  if (CM_IsWritable(&folder, &writable) != CM_OK || !writable) return SM_ERR_OUTPUT_NOT_WRITABLE;
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) return SM_ERR_OUTPUT_NOT_WRITABLE;
  return CM_OK;
}

fnd::Dictionary SM_SourceOptions() {
  fnd::Dictionary options;
  options.set(imageio::kCGImageSourceShouldCache, false);
  options.set(imageio::kCGImageSourceShouldAllowFloat, true);
  return options;
}

void SM_MarkUpright(fnd::Dictionary* properties) {
  if (properties->contains(imageio::kCGImagePropertyOrientation))
    properties->set(imageio::kCGImagePropertyOrientation, 1);
  if (properties->contains(imageio::kCGImagePropertyTIFFDictionary)) {
    fnd::Dictionary tiff = properties->dictionary(imageio::kCGImagePropertyTIFFDictionary);
    if (tiff.contains(imageio::kCGImagePropertyTIFFOrientation)) {
      tiff.set(imageio::kCGImagePropertyTIFFOrientation, 1);
      properties->set(imageio::kCGImagePropertyTIFFDictionary, std::move(tiff));
    }
  }
}

void SM_SwapResolutions(fnd::Dictionary* properties) {
  const bool hasX = properties->contains(imageio::kCGImagePropertyDPIWidth);
  const bool hasY = properties->contains(imageio::kCGImagePropertyDPIHeight);
  const fnd::Value x = properties->get(imageio::kCGImagePropertyDPIWidth);
  const fnd::Value y = properties->get(imageio::kCGImagePropertyDPIHeight);
  properties->remove(imageio::kCGImagePropertyDPIWidth);
  properties->remove(imageio::kCGImagePropertyDPIHeight);
  if (hasY) properties->set(imageio::kCGImagePropertyDPIWidth, y);
  if (hasX) properties->set(imageio::kCGImagePropertyDPIHeight, x);
  if (properties->contains(imageio::kCGImagePropertyTIFFDictionary)) {
    fnd::Dictionary tiff = properties->dictionary(imageio::kCGImagePropertyTIFFDictionary);
    const fnd::Value tx = tiff.get(imageio::kCGImagePropertyTIFFXResolution);
    const fnd::Value ty = tiff.get(imageio::kCGImagePropertyTIFFYResolution);
    if (tiff.contains(imageio::kCGImagePropertyTIFFXResolution) && tiff.contains(imageio::kCGImagePropertyTIFFYResolution)) {
      tiff.set(imageio::kCGImagePropertyTIFFXResolution, ty);
      tiff.set(imageio::kCGImagePropertyTIFFYResolution, tx);
      properties->set(imageio::kCGImagePropertyTIFFDictionary, std::move(tiff));
    }
  }
}

std::string SM_MetadataDateTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y:%m:%d %H:%M:%S", &local);
  return text;
}

CMResult SetJpegMetadata(fnd::Dictionary* properties, const ISM_XFORM_INFO* xform, int samplesPerPixel) {
  if (!properties || !xform) return SM_ERR_NO_XFORM;
  return CM_Guard([&]() -> CMResult {
    const bool grey = samplesPerPixel == 1;
    properties->remove(imageio::kCGImagePropertyProfileName);
    properties->set(imageio::kCGImagePropertyColorModel,
                    grey ? imageio::kCGImagePropertyColorModelGray : imageio::kCGImagePropertyColorModelRGB);
    const std::string now = SM_MetadataDateTime();

    fnd::Dictionary tiff;
    tiff.set(imageio::kCGImagePropertyTIFFMake, "Vantrel");
    const std::string* device = xform->GetDeviceName();
    if (device && !device->empty()) tiff.set(imageio::kCGImagePropertyTIFFModel, *device);
    const std::string* app = xform->GetAppName();
    tiff.set(imageio::kCGImagePropertyTIFFSoftware, app ? *app : std::string());
    tiff.set(imageio::kCGImagePropertyTIFFDateTime, now);

    fnd::Dictionary exif;
    exif.set(imageio::kCGImagePropertyExifVersion, fnd::Array{2, 2, 1});
    exif.set(imageio::kCGImagePropertyExifFlashPixVersion, fnd::Array{1, 0});
    exif.set(imageio::kCGImagePropertyExifColorSpace, grey ? 0xFFFF : 1);
    exif.set(imageio::kCGImagePropertyExifComponentsConfiguration, fnd::Array{1, 2, 3, 0});
    exif.set(imageio::kCGImagePropertyExifDateTimeDigitized, now);

    properties->set(imageio::kCGImagePropertyTIFFDictionary, std::move(tiff));
    properties->set(imageio::kCGImagePropertyExifDictionary, std::move(exif));
    return CM_OK;
  });
}
