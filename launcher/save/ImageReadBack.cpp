#include "launcher/save/ImageReadBack.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "imageio/ImageProperties.h"
#include "imageio/ImageSource.h"
#include "launcher/save/CMFileSystem.h"
#include "launcher/save/ImagePassSupport.h"
#include "launcher/save/SM_ImageProperty_Struct.h"

ImageReadBack::~ImageReadBack() { CloseReadImage(); }

CMResult ImageReadBack::OpenReadImage(ISM_IMAGE_INFO* image, bool prepare) {
  if (!image) return SM_ERR_NO_XFORM;
  if (m_Image) return SM_ERR_XFORM_OPEN;
  CMResult rc = CM_Guard([&]() -> CMResult {
    const std::string* path = image->GetInputPath();
    bool exists = false;
    if (!path || CM_FileExists(path, &exists) != CM_OK || !exists) CM_ThrowIfError(SM_ERR_MALFORMED);
    std::error_code ec;
    if (std::filesystem::file_size(*path, ec) == 0 || ec) CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    auto source = imageio::ImageSource::createWithPath(*path, SM_SourceOptions());
    if (!source) CM_ThrowIfError(SM_ERR_IMAGE);
    auto properties = source->copyPropertiesAtIndex(0, SM_SourceOptions());
    imageio::ImageRef picture = source->createImageAtIndex(0, SM_SourceOptions());
    if (!properties || !picture) CM_ThrowIfError(SM_ERR_IMAGE);
    const double dpiX = properties->real(imageio::kCGImagePropertyDPIWidth);
    const double dpiY = properties->real(imageio::kCGImagePropertyDPIHeight);
    const long long width = properties->integer(imageio::kCGImagePropertyPixelWidth);
    const long long height = properties->integer(imageio::kCGImagePropertyPixelHeight);
    if (!(dpiX > 0) || !(dpiY > 0) || width <= 0 || height <= 0) CM_ThrowIfError(SM_ERR_IMAGE);
    SM_ImageProperty_Struct property{};
    const std::uint32_t bpp = std::uint32_t(picture->bitsPerPixel());
    if (bpp == 0) CM_ThrowIfError(SM_ERR_IMAGE);
    if (!SM_SampleLayoutForDepth(bpp, &property.uiBitsPerSample, &property.uiSamplePerPixel))
      CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    property.uiImageWidth = std::uint32_t(width);
    property.uiImageLength = std::uint32_t(height);
    property.fResolutionX = dpiX;
    property.fResolutionY = dpiY;
    CM_ThrowIfError(image->SetProperty(&property));
    if (prepare) return CM_OK;

    CM_ThrowIfError(SM_CopyImageInfo(&m_pImageInfo, image));
    m_Image = std::move(picture);
    m_Reader = std::make_unique<imageio::RowReader>(*m_Image);
    m_Row.assign(m_Reader->pixelBytes(), 0);
    m_RowUsed = m_Row.size();
    m_TotalBytes = std::uint64_t(m_Row.size()) * m_Image->height();
    m_Position = 0;
    return CM_OK;
  });
  if (rc != CM_OK) CloseReadImage();
  return rc;
}

CMResult ImageReadBack::ReadImageBlock(void* buffer, std::uint64_t size, std::uint64_t* outSize, bool* end) {
  if (outSize) *outSize = 0;
  if (end) *end = false;
  if (!m_Image || !m_Reader) return SM_ERR_NO_XFORM;
  if (!buffer || !outSize || !end || size == 0) return SM_ERR_BAD_SIZE;
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::uint64_t copied = 0;
  while (copied < size && m_Position < m_TotalBytes) {
    if (m_RowUsed == m_Row.size()) {
      if (!m_Reader->nextRawInto(m_Row.data())) {
        CloseReadImage();
        return SM_ERR_IMAGE;
      }
      m_RowUsed = 0;
    }
    const std::size_t n = std::size_t(std::min<std::uint64_t>(size - copied, m_Row.size() - m_RowUsed));
    std::memcpy(out + copied, m_Row.data() + m_RowUsed, n);
    m_RowUsed += n;
    copied += n;
    m_Position += n;
  }
  *outSize = copied;
  if (m_Position >= m_TotalBytes) {
    *end = true;
    CloseReadImage();
  }
  return CM_OK;
}

CMResult ImageReadBack::CloseReadImage() {
  m_Reader.reset();
  m_Image.reset();
  m_pImageInfo.reset();
  m_Row.clear();
  m_RowUsed = 0;
  m_TotalBytes = m_Position = 0;
  return CM_OK;
}
