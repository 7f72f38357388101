#include "launcher/save/ProfiledCopy.h"

#include <memory>

#include "imageio/ColorSpace.h"
#include "imageio/Image.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageProperties.h"
#include "imageio/ImageSource.h"
#include "launcher/save/ICMFILE_CLASS.h"

namespace {

constexpr std::uint64_t kLargestProfile = 0xFFFE;

// The whole file, or false when it cannot be read (or is larger than limit).
bool readWhole(const std::string& path, std::uint64_t limit, std::vector<std::uint8_t>* bytes) {
  std::unique_ptr<ICMFILE_CLASS> file;
  if (CM_CreateFile(&file) != CM_OK || file->Open(&path, ICMFILE_CLASS::kRead) != CM_OK) return false;
  std::uint64_t size = 0;
  if (file->GetSize(&size) != CM_OK || size == 0 || size > limit) return false;
  bytes->resize(static_cast<std::size_t>(size));
  std::size_t got = 0;
  if (file->Read(bytes->data(), bytes->size(), &got) != CM_OK || got != bytes->size()) return false;
  return file->Close() == CM_OK;
}

imageio::ColorSpaceRef chooseColorSpace(int components, const std::string* profilePath, SM_ProfileChoice choice) {
  using imageio::ColorSpace;
  if (choice == SM_ProfileChoice::None) return components == 3 ? ColorSpace::deviceRGB() : ColorSpace::deviceGray();
  if (components != 3) return ColorSpace::genericGray();
  std::vector<std::uint8_t> icc;
  if (profilePath && !profilePath->empty() && readWhole(*profilePath, kLargestProfile, &icc)) {
    // A profile that is not an RGB one cannot tag these pixels: sRGB then, as without one.
    imageio::ColorSpaceRef space = ColorSpace::createWithICCData(icc);
    if (space && space->numberOfComponents() == 3) return space;
  }
  return ColorSpace::sRGB();
}

}  // namespace

CMResult SM_ReencodeJpegWithProfile(std::vector<std::uint8_t>* jpeg, const std::string* target,
                                    const std::string* profilePath, SM_ProfileChoice choice) {
  if (!jpeg || !target) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    using namespace imageio;
    auto source = ImageSource::createWithData(*jpeg);
    ImageRef image = source ? source->createImageAtIndex(0) : nullptr;
    if (!image) CM_ThrowIfError(SM_ERR_MALFORMED);
    const int components = image->colorSpace()->numberOfComponents();
    ImageRef tagged = Image::createCopyWithColorSpace(image, chooseColorSpace(components, profilePath, choice));
    if (!tagged) CM_ThrowIfError(SM_ERR_IMAGE);

    fnd::Dictionary properties;
    properties.set(kCGImagePropertyColorModel, fnd::Value(kCGImagePropertyColorModelRGB));
    properties.set(kCGImagePropertyOrientation, fnd::Value(1));
    properties.set(kCGImagePropertyDepth, fnd::Value(8));
    auto destination = ImageDestination::createWithPath(*target, ImageType::JPEG, 1);
    if (!destination) CM_ThrowIfError(SM_ERR_IMAGE);
    destination->addImage(tagged, properties);
    if (!destination->finalize()) CM_ThrowIfError(SM_ERR_IMAGE);
    if (!readWhole(*target, ~std::uint64_t(0), jpeg)) CM_ThrowIfError(SM_ERR_IMAGE);
    return CM_OK;
  });
}

CMResult SM_MakeProfiledCopy(const std::string* source, const std::string* target, const std::string* profilePath,
                             SM_ProfileChoice choice) {
  if (!source || !target) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&]() -> CMResult {
    std::vector<std::uint8_t> bytes;
    if (!readWhole(*source, ~std::uint64_t(0), &bytes)) CM_ThrowIfError(SM_ERR_MALFORMED);
    return SM_ReencodeJpegWithProfile(&bytes, target, profilePath, choice);
  });
}
