#include "launcher/save/RotateResizeXform.h"

#include <algorithm>
#include <atomic>
#include <filesystem>

#include "imageio/BitmapContext.h"
#include "imageio/ImageProperties.h"
#include "imageio/ImageSource.h"
#include "launcher/save/CMCommon.h"
#include "foundation/RunTempFolder.h"
#include "launcher/save/CMFileSystem.h"
#include "launcher/save/ImageGeometry.h"
#include "launcher/save/ImagePassSupport.h"
#include "launcher/save/SMCodes.h"

namespace {

fnd::Dictionary ThumbnailOptions(std::uint32_t maxPixelSize) {
  fnd::Dictionary options = SM_SourceOptions();
  options.set(imageio::kCGImageSourceCreateThumbnailFromImageAlways, true);
  options.set(imageio::kCGImageSourceCreateThumbnailWithTransform, true);
  options.set(imageio::kCGImageSourceThumbnailMaxPixelSize, static_cast<long long>(maxPixelSize));
  return options;
}

// The thumbnail rounds its short side to the nearest pixel, the fitted size rounds down: draw
// it once more at exactly the size the record states.
imageio::ImageRef ExactSize(const imageio::ImageRef& image, std::size_t width, std::size_t height) {
  if (!image || (image->width() == width && image->height() == height)) return image;
  auto context = imageio::BitmapContext::create(nullptr, width, height, 8, 0, image->colorSpace(), {});
  if (!context || !context->drawImage(fnd::Rect(0, 0, double(width), double(height)), *image)) return nullptr;
  return context->createImage();
}

// Removes the thumbnail pass's temporary copy however the pass ends.
struct TempCopy {
  std::string path;
  ~TempCopy() {
    if (!path.empty()) CM_RemoveFile(&path);
  }
};

std::string TempCopyPath(const ICMSTR_CLASS* folder) {
  static std::atomic<unsigned> counter{0};
  std::string base = folder && folder->GetNSString() ? *folder->GetNSString() : std::string();
  if (base.empty()) base = fnd::RunTempFolder::path();
  std::unique_ptr<ICMSTR_CLASS> name;
  CM_CreateStringWithNSString(&name, &base, 1024);
  name->AddPathSeparator();
  const std::string prefix = *name->GetNSString();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const unsigned n = counter.fetch_add(1) % 1000;
    name->FormatString("%@PVTO_tmpSZ%03u.TIF", &prefix, n);
    bool exists = true;
    CM_FileExists(name->GetNSString(), &exists);
    if (!exists) return *name->GetNSString();
  }
  CM_ThrowIfError(SM_ERR_CREATE);
  return {};
}

}  // namespace

RotateResizeXform::RotateResizeXform() { CM_CreateString(&m_wszTempFolderPath, 1024); }

RotateResizeXform::~RotateResizeXform() = default;

void RotateResizeXform::ReleaseRecords() {
  m_pImageInfo.reset();
  m_pXformInfo.reset();
  m_pOptionInfo.reset();
}

CMResult RotateResizeXform::Initialize() {
  ReleaseRecords();
  if (!m_wszTempFolderPath && CM_CreateString(&m_wszTempFolderPath, 1024) != CM_OK) return SM_ERR_CREATE;
  return CM_OK;
}

CMResult RotateResizeXform::SetTempFolderPath(const std::string* folder) {
  if (!folder) return SM_ERR_NO_XFORM;
  if (!m_wszTempFolderPath && CM_CreateString(&m_wszTempFolderPath, 1024) != CM_OK) return SM_ERR_CREATE;
  return m_wszTempFolderPath->SetNSString(folder);
}

CMResult RotateResizeXform::CheckPaths() const {
  for (const ICMSTR_CLASS* path : {m_pImageInfo->GetInputPathString(), m_pImageInfo->GetOutputPathString()}) {
    std::size_t length = 0;
    if (!path || path->GetLength(&length) != CM_OK) return SM_ERR_BAD_SIZE;
    if (length == 0) return SM_ERR_UNSUPPORTED;
  }
  return CM_OK;
}

CMResult RotateResizeXform::StartRotation(const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image,
                                          const ISM_OPTION_INFO* option) {
  if (!xform || !image || !option) return SM_ERR_NO_XFORM;
  if (m_pImageInfo || m_pXformInfo || m_pOptionInfo) return SM_ERR_XFORM_OPEN;
  CMResult rc = CM_Guard([&]() -> CMResult {
    if (SM_CopyXformInfo(&m_pXformInfo, xform) != CM_OK || SM_CopyImageInfo(&m_pImageInfo, image) != CM_OK ||
        SM_CopyOptionInfo(&m_pOptionInfo, option) != CM_OK)
      CM_ThrowIfError(SM_ERR_XFORM_OPEN);
    const std::uint32_t in = m_pXformInfo->GetInFormat(), out = m_pXformInfo->GetOutFormat();
    if ((in != SM_FORMAT_JPEG && in != SM_FORMAT_TIFF) || out != SM_FORMAT_TIFF) CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    CM_ThrowIfError(CheckPaths());
    return CM_OK;
  });
  if (rc != CM_OK) ReleaseRecords();
  return rc;
}

CMResult RotateResizeXform::Rotate() {
  if (!m_pImageInfo || !m_pXformInfo || !m_pOptionInfo) return SM_ERR_NO_XFORM;
  CMAutoreleasePool* pool = nullptr;
  CM_CreateAutoreleasePool(&pool);
  CMResult rc = CM_Guard([&]() -> CMResult {
    const std::string* input = m_pImageInfo->GetInputPath();
    const std::string* output = m_pImageInfo->GetOutputPath();
    auto source = imageio::ImageSource::createWithPath(*input, SM_SourceOptions());
    // Nothing to turn: the pass writes nothing.
    if (!source) return CM_OK;
    imageio::ImageRef image = source->createImageAtIndex(0, SM_SourceOptions());
    if (!image) CM_ThrowIfError(SM_ERR_IMAGE);
    const int degrees = SM_RotationDegrees(m_pOptionInfo->GetRotation());
    imageio::ImageRef turned = CM_RotateImage(image, degrees);
    image.reset();
    if (!turned) CM_ThrowIfError(SM_ERR_ROTATE);
    CM_ThrowIfError(SM_CheckOutputFolder(output));
    auto destination = imageio::ImageDestination::createWithPath(*output, imageio::ImageType::TIFF, 1);
    if (!destination) CM_ThrowIfError(SM_ERR_IMAGE);
    fnd::Dictionary properties = source->copyPropertiesAtIndex(0, SM_SourceOptions()).value_or(fnd::Dictionary());
    if (degrees == 90 || degrees == 270) SM_SwapResolutions(&properties);
    destination->addImage(turned, properties);
    if (!destination->finalize()) CM_ThrowIfError(SM_ERR_IMAGE);
    return CM_OK;
  });
  CM_ReleaseAutoreleasePool(pool);
  return rc;
}

CMResult RotateResizeXform::StartResize(const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image) {
  if (!xform || !image) return SM_ERR_NO_XFORM;
  if (m_pImageInfo || m_pXformInfo) return SM_ERR_XFORM_OPEN;
  CMResult rc = CM_Guard([&]() -> CMResult {
    if (SM_CopyXformInfo(&m_pXformInfo, xform) != CM_OK || SM_CopyImageInfo(&m_pImageInfo, image) != CM_OK)
      CM_ThrowIfError(SM_ERR_XFORM_OPEN);
    const std::uint32_t in = m_pXformInfo->GetInFormat(), out = m_pXformInfo->GetOutFormat();
    const bool needsJpegInput = out == SM_FORMAT_JPEG_EXIF || out == SM_FORMAT_REFUSED_A || out == SM_FORMAT_REFUSED_B;
    if (needsJpegInput ? in != SM_FORMAT_JPEG : (in != SM_FORMAT_JPEG && in != SM_FORMAT_TIFF))
      CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    CM_ThrowIfError(CheckPaths());
    return CM_OK;
  });
  if (rc != CM_OK) ReleaseRecords();
  return rc;
}

CMResult RotateResizeXform::Resize() {
  if (!m_pImageInfo || !m_pXformInfo) return SM_ERR_NO_XFORM;
  CMAutoreleasePool* pool = nullptr;
  CM_CreateAutoreleasePool(&pool);
  CMResult rc = CM_Guard([&]() -> CMResult {
    const std::string* input = m_pImageInfo->GetInputPath();
    const std::string* output = m_pImageInfo->GetOutputPath();
    const std::uint32_t out = m_pXformInfo->GetOutFormat();
    imageio::ImageType type;
    CM_ThrowIfError(SM_DestinationType(out, &type));
    auto source = imageio::ImageSource::createWithPath(*input, SM_SourceOptions());
    if (!source) CM_ThrowIfError(SM_ERR_URL);
    if (source->count() != 1) CM_ThrowIfError(SM_ERR_BAD_COUNT);
    auto copied = source->copyPropertiesAtIndex(0, SM_SourceOptions());
    if (!copied) CM_ThrowIfError(SM_ERR_IMAGE);
    fnd::Dictionary properties = std::move(*copied);
    if (!properties.contains(imageio::kCGImagePropertyPixelWidth) ||
        !properties.contains(imageio::kCGImagePropertyPixelHeight))
      CM_ThrowIfError(SM_ERR_IMAGE);
    std::uint32_t width = std::uint32_t(properties.integer(imageio::kCGImagePropertyPixelWidth));
    std::uint32_t height = std::uint32_t(properties.integer(imageio::kCGImagePropertyPixelHeight));
    // The reduced image comes out upright: fit the size it is shown at.
    const long long orientation = properties.integer(imageio::kCGImagePropertyOrientation);
    if (orientation >= 5 && orientation <= 8) std::swap(width, height);
    std::uint32_t newWidth = 0, newHeight = 0;
    CM_ThrowIfError(CM_FitSize(m_pXformInfo->GetMode(), width, height, &newWidth, &newHeight));
    SM_ImageProperty_Struct property = *m_pImageInfo->GetProperty();
    property.uiImageWidth = newWidth;
    property.uiImageLength = newHeight;
    CM_ThrowIfError(m_pImageInfo->SetProperty(&property));

    imageio::ImageRef thumbnail =
        ExactSize(source->createThumbnailAtIndex(0, ThumbnailOptions(std::max(newWidth, newHeight))), newWidth,
                  newHeight);
    if (!thumbnail) CM_ThrowIfError(SM_ERR_URL);
    CM_ThrowIfError(SM_CheckOutputFolder(output));
    auto destination = imageio::ImageDestination::createWithPath(*output, type, 1);
    if (!destination) CM_ThrowIfError(SM_ERR_IMAGE);
    SM_MarkUpright(&properties);
    properties.set(imageio::kCGImagePropertyPixelWidth, static_cast<long long>(newWidth));
    properties.set(imageio::kCGImagePropertyPixelHeight, static_cast<long long>(newHeight));
    if (out == SM_FORMAT_JPEG) {
      properties.set(imageio::kCGImagePropertyDepth, 8);
      properties.set(imageio::kCGImageDestinationLossyCompressionQuality, SM_JpegQuality(m_pXformInfo->GetCompression()));
      CM_ThrowIfError(SetJpegMetadata(&properties, m_pXformInfo.get(), thumbnail->colorSpace()->numberOfComponents()));
    }
    destination->addImage(thumbnail, properties);
    if (!destination->finalize()) CM_ThrowIfError(SM_ERR_IMAGE);
    return CM_OK;
  });
  CM_ReleaseAutoreleasePool(pool);
  return rc;
}

CMResult RotateResizeXform::MakeThumbnailFile(const std::string* sourcePath, const std::string* targetPath,
                                              std::uint32_t formatPair) {
  if (!sourcePath || !targetPath || sourcePath->empty() || targetPath->empty()) return SM_ERR_NO_XFORM;
  CMAutoreleasePool* pool = nullptr;
  CM_CreateAutoreleasePool(&pool);
  CMResult rc = CM_Guard([&]() -> CMResult {
    const std::uint32_t in = formatPair >> 16, out = formatPair & 0xFFFF;
    if (in != SM_FORMAT_JPEG && in != SM_FORMAT_JPEG_EXIF && in != SM_FORMAT_TIFF) CM_ThrowIfError(SM_ERR_BAD_SIZE);
    imageio::ImageType type;
    CM_ThrowIfError(SM_DestinationType(out, &type));

    // Reading and writing one path: read a copy, so that the original stays whole whatever
    // happens to the pass (the destination replaces it only when the new file is complete).
    TempCopy copy;
    std::string readPath = *sourcePath;
    std::error_code ec;
    if (*sourcePath == *targetPath || std::filesystem::equivalent(*sourcePath, *targetPath, ec)) {
      copy.path = TempCopyPath(m_wszTempFolderPath.get());
      if (CM_CopyFile(sourcePath, &copy.path, 1) != CM_OK) {
        copy.path.clear();
        CM_ThrowIfError(SM_ERR_URL);
      }
      readPath = copy.path;
    }

    auto source = imageio::ImageSource::createWithPath(readPath, SM_SourceOptions());
    if (!source) CM_ThrowIfError(SM_ERR_URL);
    if (source->count() != 1) CM_ThrowIfError(SM_ERR_BAD_COUNT);
    auto copied = source->copyPropertiesAtIndex(0, SM_SourceOptions());
    if (!copied) CM_ThrowIfError(SM_ERR_BAD_COUNT);
    fnd::Dictionary properties = std::move(*copied);
    imageio::ImageRef thumbnail = source->createThumbnailAtIndex(0, ThumbnailOptions(kThumbnailSize));
    if (!thumbnail) CM_ThrowIfError(SM_ERR_URL);
    CM_ThrowIfError(SM_CheckOutputFolder(targetPath));
    auto destination = imageio::ImageDestination::createWithPath(*targetPath, type, 1);
    if (!destination) CM_ThrowIfError(SM_ERR_IMAGE);
    SM_MarkUpright(&properties);
    properties.set(imageio::kCGImagePropertyPixelWidth, static_cast<long long>(thumbnail->width()));
    properties.set(imageio::kCGImagePropertyPixelHeight, static_cast<long long>(thumbnail->height()));
    if (out == SM_FORMAT_JPEG || out == SM_FORMAT_JPEG_EXIF) properties.set(imageio::kCGImagePropertyDepth, 8);
    destination->addImage(thumbnail, properties);
    if (!destination->finalize()) CM_ThrowIfError(SM_ERR_IMAGE);
    return CM_OK;
  });
  CM_ReleaseAutoreleasePool(pool);
  return rc;
}
