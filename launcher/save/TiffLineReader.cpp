#include "launcher/save/TiffLineReader.h"

#include <algorithm>
#include <cstring>

#include "launcher/save/SM_ImageProperty_Struct.h"

TiffLineReader::~TiffLineReader() { CloseTiff(); }

CMResult TiffLineReader::OpenTiff(ISM_IMAGE_INFO* image, bool probe) {
  if (!image) return SM_ERR_NO_XFORM;
  if (m_Tiff.fp) return SM_ERR_XFORM_OPEN;
  CMResult rc = CM_Guard([&]() -> CMResult {
    const std::string* path = image->GetInputPath();
    if (!path || path->empty()) CM_ThrowIfError(SM_ERR_BAD_SIZE);
    CM_ThrowIfError(CM_TiffReadHeader(path, &m_Tiff));
    SM_ImageProperty_Struct property{};
    const std::uint32_t bpp = m_Tiff.BPP;
    if (bpp == 0) CM_ThrowIfError(SM_ERR_BAD_SIZE);
    if (!SM_SampleLayoutForDepth(bpp, &property.uiBitsPerSample, &property.uiSamplePerPixel) ||
        m_Tiff.SamplePerPixel != property.uiSamplePerPixel)
      CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    // An empty image has no lines to divide its bytes into.
    if (m_Tiff.Width == 0 || m_Tiff.Height == 0) CM_ThrowIfError(SM_ERR_BAD_SIZE);
    property.uiImageWidth = m_Tiff.Width;
    property.uiImageLength = m_Tiff.Height;
    property.fResolutionX = m_Tiff.ResolutionX;
    property.fResolutionY = m_Tiff.ResolutionY;
    CM_ThrowIfError(image->SetProperty(&property));
    if (probe) {
      CM_TiffClose(&m_Tiff);
      return CM_OK;
    }
    m_pImageInfo.reset();
    CM_ThrowIfError(SM_CopyImageInfo(&m_pImageInfo, image));
    m_RawImageLength = CM_TiffRowBytes(m_Tiff) * m_Tiff.Height;
    m_RawImageOffset = 0;
    return CM_OK;
  });
  if (rc != CM_OK) CloseTiff();
  return rc;
}

CMResult TiffLineReader::ReadTiffLines(void* buffer, std::uint64_t size, std::uint64_t* bytesRead, bool* finished) {
  if (bytesRead) *bytesRead = 0;
  if (finished) *finished = false;
  if (!m_Tiff.fp || !m_pImageInfo || m_Tiff.Height == 0) return SM_ERR_NO_XFORM;
  if (!buffer || !bytesRead || !finished) return SM_ERR_BAD_SIZE;
  return CM_Guard([&]() -> CMResult {
    const std::uint64_t rowBytes = CM_TiffRowBytes(m_Tiff);
    const std::uint64_t rows = size / rowBytes;
    if (rows == 0) CM_ThrowIfError(SM_ERR_BAD_SIZE);
    const std::uint64_t left = m_RawImageLength - m_RawImageOffset;
    const std::uint64_t bytes = std::min(rows * rowBytes, left);
    CM_ThrowIfError(CM_TiffReadAt(&m_Tiff, 1, std::size_t(bytes), buffer, std::uint64_t(m_Tiff.StartOffset) + m_RawImageOffset));
    m_RawImageOffset += bytes;
    *bytesRead = bytes;
    if (m_Tiff.Endian == 0 && m_Tiff.BitsPerSample == 16) {
      auto* p = static_cast<std::uint8_t*>(buffer);
      for (std::uint64_t i = 0; i + 1 < bytes; i += 2) {
        const std::uint16_t v = std::uint16_t(p[i] << 8 | p[i + 1]);
        std::memcpy(p + i, &v, 2);
      }
    }
    if (m_RawImageOffset >= m_RawImageLength) {
      CM_TiffClose(&m_Tiff);
      *finished = true;
    }
    return CM_OK;
  });
}

CMResult TiffLineReader::CloseTiff() {
  CM_TiffClose(&m_Tiff);
  m_pImageInfo.reset();
  m_RawImageLength = 0;
  m_RawImageOffset = 0;
  return CM_OK;
}
