#include "launcher/save/ImageToImageXform.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <ctime>
#include <new>
#include <optional>

#include "foundation/FileManager.h"
#include "imageio/ColorSpace.h"
#include "imageio/DataProvider.h"
#include "imageio/ImageProperties.h"
#include "imageio/ImageSource.h"
#include "launcher/save/CMCommon.h"
#include "launcher/save/CMFileSystem.h"
#include "launcher/save/ImageGeometry.h"
#include "launcher/save/SMCodes.h"

namespace {

constexpr std::uint32_t kAbortWaitMs = 180000;
// A hand-off wait also ends as soon as the other side has ended or failed or the transform was
// aborted (each of them wakes it); it is taken in rounds of this length only so that a change
// nothing announced is still seen.
constexpr double kHandOffRoundSeconds = 1.0;

bool IsJpegOutput(std::uint32_t out) { return out == SM_FORMAT_JPEG || out == SM_FORMAT_JPEG_EXIF; }

}  // namespace

// The data provider's record: one per transform, freed with the provider.
struct ImageToImageXform::ProviderInfo {
  std::uint64_t width = 0;
  std::uint64_t height = 0;
  std::uint64_t delivered = 0;
  std::uint64_t total = 0;
  std::uint64_t rowBytes = 0;
  ImageToImageXform* owner = nullptr;
};

ImageToImageXform::ImageToImageXform() {
  CM_CreateString(&m_wszTempFolderPath, 1024);
  CM_CreateString(&m_ColorSpace, 1024);
  CM_CreateMutex(&m_mxErrorMessage);
}

ImageToImageXform::~ImageToImageXform() {
  // A writer thread must never outlive the object it reads from.
  AbortOpenTransform();
  if (m_pThreadXform) {
    std::uint32_t result = 0;
    CM_WaitThreadEnd(&m_pThreadXform, CM_WAIT_FOREVER, &result);
  }
}

CMResult ImageToImageXform::Initialize() {
  return CM_Guard([&]() -> CMResult {
    if (!m_mxErrorMessage) CM_CreateMutex(&m_mxErrorMessage);
    if (!m_wszTempFolderPath) CM_CreateString(&m_wszTempFolderPath, 1024);
    if (!m_mxErrorMessage || !m_wszTempFolderPath) CM_ThrowIfError(SM_ERR_CREATE);
    CM_ThrowIfError(AbortOpenTransform());
    m_pXformInfo.reset();
    m_pImageInfo.reset();
    m_pOptionInfo.reset();
    return CM_OK;
  });
}

CMResult ImageToImageXform::Terminate() {
  return CM_Guard([&]() -> CMResult {
    CM_ThrowIfError(AbortOpenTransform());
    m_wszTempFolderPath.reset();
    m_ColorSpace.reset();
    m_pXformInfo.reset();
    m_pImageInfo.reset();
    m_pOptionInfo.reset();
    m_mxPropertyLock.reset();
    m_DataLock.reset();
    m_mxErrorMessage.reset();
    m_uiErrorMessage = 0;
    return CM_OK;
  });
}

CMResult ImageToImageXform::SetTempFolderPath(const std::string* folder) {
  return CM_Guard([&]() -> CMResult {
    if (!folder) CM_ThrowIfError(SM_ERR_NO_XFORM);
    if (!m_wszTempFolderPath) CM_ThrowIfError(CM_CreateString(&m_wszTempFolderPath, 1024));
    CM_ThrowIfError(m_wszTempFolderPath->SetNSString(folder));
    return CM_OK;
  });
}

const std::string* ImageToImageXform::GetTempFolderPath() const { return CM_TextOf(m_wszTempFolderPath.get()); }

CMResult ImageToImageXform::SetColorSetting(std::uint32_t setting, const std::string* profilePath) {
  return CM_Guard([&]() -> CMResult {
    m_colorSetting = setting;
    m_pfPath = profilePath && !profilePath->empty() ? std::make_unique<std::string>(*profilePath) : nullptr;
    return CM_OK;
  });
}

CMResult ImageToImageXform::GetErrorMessage() const {
  if (!m_mxErrorMessage) return m_uiErrorMessage;
  pthread_mutex_lock(&m_mxErrorMessage->handle);
  CMResult code = m_uiErrorMessage;
  pthread_mutex_unlock(&m_mxErrorMessage->handle);
  return code;
}

CMResult ImageToImageXform::SetErrorMessage(CMResult code) {
  if (!m_mxErrorMessage) return SM_ERR_CREATE;
  pthread_mutex_lock(&m_mxErrorMessage->handle);
  // The first failure explains the others (an abort makes the encoder fail too).
  if (code == 0 || m_uiErrorMessage == 0) m_uiErrorMessage = code;
  pthread_mutex_unlock(&m_mxErrorMessage->handle);
  // A side waiting for the other one's hand-off stops waiting.
  if (code != 0) WakeHandOffWaiters();
  return CM_OK;
}

void ImageToImageXform::WakeHandOffWaiters() {
  if (m_DataLock) m_DataLock->wakeWaiters();
}

CMResult ImageToImageXform::StartXform(const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image) {
  CMAutoreleasePool* pool = nullptr;
  CM_CreateAutoreleasePool(&pool);
  bool opening = false;
  CMResult rc = CM_Guard([&]() -> CMResult {
    if (!xform || !image) CM_ThrowIfError(SM_ERR_NO_XFORM);
    if (m_pXformInfo || m_pImageInfo) CM_ThrowIfError(SM_ERR_XFORM_OPEN);
    opening = true;
    if (!m_mxErrorMessage) CM_ThrowIfError(SM_ERR_CREATE);
    if (m_mxPropertyLock) CM_DestroyMutex(&m_mxPropertyLock);
    CM_ThrowIfError(CM_CreateMutex(&m_mxPropertyLock));
    SetErrorMessage(0);
    m_DeliveredBytes = 0;
    m_PeakBlockBytes = 0;
    m_bInputEnded = false;
    m_bWriterEnded = false;
    m_bOutputWritten = false;
    CM_ThrowIfError(SM_CopyXformInfo(&m_pXformInfo, xform));
    CM_ThrowIfError(SM_CopyImageInfo(&m_pImageInfo, image));

    SM_ImageProperty_Struct property = *m_pImageInfo->GetProperty();
    const std::uint32_t out = m_pXformInfo->GetOutFormat();
    if (out == SM_FORMAT_JPEG_EXIF && property.uiSamplePerPixel == 1) {
      // A grey scan is written as RGB for the EXIF pass.
      property.uiBitsPerSample = 8;
      property.uiSamplePerPixel = 3;
      CM_ThrowIfError(m_pImageInfo->SetProperty(&property));
    }
    if (m_pXformInfo->GetInFormat() != SM_FORMAT_RAW || SM_IsRefusedOutput(out)) CM_ThrowIfError(SM_ERR_UNSUPPORTED);

    // imageio writes JPEG and TIFF; "no output" runs the transform without a file. PNG, PICT
    // and PDF have no encoder here and are refused rather than silently not written.
    bool hasDestination = true;
    imageio::ImageType type = imageio::ImageType::TIFF;
    if (IsJpegOutput(out)) {
      type = imageio::ImageType::JPEG;
    } else if (out == SM_FORMAT_TIFF || out == SM_FORMAT_LARGE_TIFF) {
      type = imageio::ImageType::TIFF;
    } else if (out == SM_FORMAT_NONE || out < SM_FORMAT_JPEG || out > SM_FORMAT_LARGE_TIFF) {
      hasDestination = false;
    } else {
      CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    }

    const std::string* outputPath = m_pImageInfo->GetOutputPath();
    if (!outputPath || outputPath->empty() || outputPath->back() == '/') CM_ThrowIfError(SM_ERR_URL);

    m_DataLock = std::make_unique<fnd::ConditionLock>(1);
    m_WriteLines = 0;
    m_LineOffset = 0;
    m_metaData = fnd::Dictionary();

    const std::uint64_t width = property.uiImageWidth;
    const std::uint64_t height = property.uiImageLength;
    const std::uint32_t bps = property.uiBitsPerSample;
    const std::uint32_t spp = property.uiSamplePerPixel;
    const std::uint32_t bitsPerPixel = bps * spp;
    if (width == 0 || height == 0) CM_ThrowIfError(SM_ERR_IMAGE);
    if (!((bps == 1 && spp == 1) || ((bps == 8 || bps == 16) && (spp == 1 || spp == 3))))
      CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    const bool jpeg = hasDestination && type == imageio::ImageType::JPEG;
    const std::uint32_t bitsPerComponent = jpeg ? 8 : bps;
    const std::uint32_t imageBitsPerPixel = bitsPerComponent * spp;

    // Colour space.
    imageio::ColorSpaceRef colorSpace;
    if (m_pfPath) {
      const std::optional<std::string> bytes = fnd::FileManager::readFile(*m_pfPath);
      if (bytes && !bytes->empty()) {
        const fnd::Data icc(bytes->begin(), bytes->end());
        imageio::ColorSpaceRef fromProfile = (bitsPerPixel == 8 && m_colorSetting == 2)
                                                 ? imageio::ColorSpace::deviceGray()
                                                 : imageio::ColorSpace::createWithICCData(icc);
        // A profile of the other model (an RGB profile for a grey scan) cannot describe the
        // image: the default space is used rather than failing the save.
        if (fromProfile && fromProfile->numberOfComponents() == int(spp)) colorSpace = fromProfile;
      }
    }
    if (!colorSpace) {
      if (spp == 1) {
        colorSpace = bps == 1 ? imageio::ColorSpace::genericGray()
                              : (m_colorSetting == 2 ? imageio::ColorSpace::deviceGray()
                                                     : imageio::ColorSpace::genericGrayGamma2_2());
      } else {
        colorSpace = m_colorSetting == 2 ? imageio::ColorSpace::deviceRGB() : imageio::ColorSpace::sRGB();
      }
    }
    m_ColorSpace->SetNSString(&colorSpace->name());

    // Row bytes and size of the byte stream the encoder pulls.
    // The JPEG encoder takes 8-bit samples whatever the scan's depth (the driver converts).
    if (jpeg) {
      m_RowBytes = width * spp;
    } else if (bps == 1) {
      m_RowBytes = (width + 7) >> 3;
    } else {
      m_RowBytes = width * (bitsPerPixel / 8);
    }
    m_TotalBytes = m_RowBytes * height;
    m_ImageLength = property.uiImageLength;

    auto* info = new ProviderInfo;
    info->width = width;
    info->height = height;
    info->total = m_TotalBytes;
    info->rowBytes = m_RowBytes;
    info->owner = this;
    imageio::DataProviderDirectCallbacks callbacks;
    callbacks.getBytePointer = [info](std::int64_t position, std::size_t count) {
      return info->owner->BlockPointer(info, position, count);
    };
    callbacks.getBytesAtPosition = [info](void* buffer, std::int64_t position, std::size_t count) {
      return info->owner->ProvideBytes(info, buffer, position, count);
    };
    callbacks.releaseInfo = [info]() { delete info; };
    imageio::DataProviderRef provider = imageio::DataProvider::createDirect(std::int64_t(m_TotalBytes), callbacks);
    if (!provider) {
      delete info;
      CM_ThrowIfError(SM_ERR_IMAGE);
    }
    imageio::BitmapInfo bitmapInfo;
    if (bitsPerComponent == 16) bitmapInfo.order = imageio::ByteOrder::Little16;
    m_Image = imageio::Image::create(width, height, bitsPerComponent, imageBitsPerPixel, m_RowBytes, colorSpace,
                                     bitmapInfo, provider);
    provider.reset();
    if (!m_Image) CM_ThrowIfError(SM_ERR_IMAGE);

    std::string folder;
    if (m_pImageInfo->GetOutputPathString()->GetParentPath(&folder) != CM_OK) folder = ".";
    bool writable = false;
    CM_ThrowIfError(CM_IsWritable(&folder, &writable));
    if (!writable) CM_ThrowIfError(SM_ERR_OUTPUT_NOT_WRITABLE);

    m_bHasDestination = hasDestination;
    if (hasDestination) {
      m_ImageDestination = imageio::ImageDestination::createWithPath(*outputPath, type, 1);
      if (!m_ImageDestination) CM_ThrowIfError(SM_ERR_IMAGE);
      m_ImageDestination->setKeepsExistingFile(m_bKeepExistingOutput);
    }

    m_metaData.set(imageio::kCGImagePropertyDPIWidth, std::floor(property.fResolutionX));
    m_metaData.set(imageio::kCGImagePropertyDPIHeight, std::floor(property.fResolutionY));
    m_metaData.set(imageio::kCGImagePropertyPixelWidth, static_cast<long long>(width));
    m_metaData.set(imageio::kCGImagePropertyPixelHeight, static_cast<long long>(height));
    if (jpeg)
      m_metaData.set(imageio::kCGImageDestinationLossyCompressionQuality, SM_JpegQuality(m_pXformInfo->GetCompression()));
    AddFileMetadata(spp);
    return CM_OK;
  });
  if (rc != CM_OK && opening) {
    // Nothing of a failed open stays: the next StartXform may try again after Initialize.
    m_ImageDestination.reset();
    m_Image.reset();
    m_bHasDestination = false;
  }
  CM_ReleaseAutoreleasePool(pool);
  return rc;
}

void ImageToImageXform::AddFileMetadata(std::uint32_t samplesPerPixel) {
  // When and with what the file was made: maker, scanner, program, time.
  char now[32] = "";
  std::time_t t = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&t, &local)) std::strftime(now, sizeof now, "%Y:%m:%d %H:%M:%S", &local);
  fnd::Dictionary tiff;
  tiff.set(imageio::kCGImagePropertyTIFFMake, "Vantrel");
  const std::string* device = m_pXformInfo->GetDeviceName();
  if (device && !device->empty()) tiff.set(imageio::kCGImagePropertyTIFFModel, *device);
  if (const std::string* app = m_pXformInfo->GetAppName()) tiff.set(imageio::kCGImagePropertyTIFFSoftware, *app);
  tiff.set(imageio::kCGImagePropertyTIFFDateTime, now);
  fnd::Dictionary exif;
  exif.set(imageio::kCGImagePropertyExifVersion, fnd::Array{2, 2, 1});
  exif.set(imageio::kCGImagePropertyExifFlashPixVersion, fnd::Array{1, 0});
  exif.set(imageio::kCGImagePropertyExifColorSpace, samplesPerPixel == 1 ? 0xFFFF : 1);
  exif.set(imageio::kCGImagePropertyExifComponentsConfiguration, fnd::Array{1, 2, 3, 0});
  exif.set(imageio::kCGImagePropertyExifDateTimeDigitized, now);
  m_metaData.set(imageio::kCGImagePropertyColorModel, samplesPerPixel == 1 ? imageio::kCGImagePropertyColorModelGray
                                                                           : imageio::kCGImagePropertyColorModelRGB);
  m_metaData.set(imageio::kCGImagePropertyTIFFDictionary, std::move(tiff));
  m_metaData.set(imageio::kCGImagePropertyExifDictionary, std::move(exif));
}

bool ImageToImageXform::LockDataWhen(int condition, bool writerSide) {
  // Asked under the data lock's own mutex: it reads only flags and the error code.
  const std::function<bool()> otherSideGone = [this, writerSide] {
    return GetErrorMessage() != CM_OK || (writerSide ? m_bInputEnded.load() : m_bWriterEnded.load());
  };
  for (;;) {
    if (m_DataLock->lockWhenConditionUnless(condition, kHandOffRoundSeconds, otherSideGone)) {
      if (GetErrorMessage() == CM_OK) return true;
      m_DataLock->unlockWithCondition(condition);
      return false;
    }
    if (GetErrorMessage() != CM_OK) return false;
    if (writerSide && m_bInputEnded.load()) {
      // The producer has closed the image and no block is waiting: the image is short.
      SetErrorMessage(SM_ERR_NO_LINES);
      return false;
    }
    if (!writerSide && m_bWriterEnded.load()) return false;
  }
}

CMResult ImageToImageXform::WriteLines(std::uint32_t firstLine, std::uint32_t lineCount, std::uint32_t rowBytes,
                                       std::uint64_t byteCount, const void* data, std::uint64_t sourceStride) {
  if (sourceStride == 0) sourceStride = rowBytes;
  return CM_Guard([&]() -> CMResult {
    CM_ThrowIfError(GetErrorMessage());
    if (!m_DataLock || !m_Image) CM_ThrowIfError(SM_ERR_NO_XFORM);
    if (byteCount != 0 && m_bHasDestination && lineCount != 0) {
      if (!data) CM_ThrowIfError(SM_ERR_NO_XFORM);
      if (rowBytes != m_RowBytes || sourceStride < rowBytes || std::uint64_t(firstLine) + lineCount > m_ImageLength)
        CM_ThrowIfError(SM_ERR_BAD_SIZE);
      if (!LockDataWhen(1, false)) {
        CMResult failed = GetErrorMessage();
        // The writer ended without failing: it needed no more lines.
        CM_ThrowIfError(failed != CM_OK ? failed : SM_ERR_BAD_SIZE);
      }
      m_WriteLines = lineCount;
      m_LineOffset = firstLine;
      m_ImageBufBytes = 0;
      const std::uint64_t bytes = std::uint64_t(rowBytes) * lineCount;
      // The block buffer is kept from block to block (they are alike): a fresh one each time
      // would cost the producer its allocation and first-touch page faults on every block.
      if (bytes > m_ImageBufCapacity || !m_pImageBuf) {
        m_pImageBuf.reset();
        m_ImageBufCapacity = 0;
        m_pImageBuf.reset(new (std::nothrow) std::uint8_t[bytes]);
        if (m_pImageBuf) m_ImageBufCapacity = bytes;
      }
      if (!m_pImageBuf) {
        m_DataLock->unlockWithCondition(0);
        SetErrorMessage(SM_ERR_NO_LINES);
        CM_ThrowIfError(SM_ERR_CREATE);
      }
      m_ImageBufBytes = bytes;
      if (bytes > m_PeakBlockBytes.load()) m_PeakBlockBytes = bytes;
      if (sourceStride == rowBytes) {
        std::memcpy(m_pImageBuf.get(), data, bytes);
      } else {
        const auto* from = static_cast<const std::uint8_t*>(data);
        for (std::uint32_t y = 0; y < lineCount; ++y)
          std::memcpy(m_pImageBuf.get() + std::uint64_t(y) * rowBytes, from + std::uint64_t(y) * sourceStride, rowBytes);
      }
      m_DataLock->unlockWithCondition(0);
    }
    if (firstLine == 0) {
      if (CM_CreateThread(&m_pThreadXform, &ImageToImageXform::WriterThreadProc, this) != CM_OK)
        CM_ThrowIfError(SM_ERR_BAD_COUNT);
    }
    return CM_OK;
  });
}

void ImageToImageXform::WriterThreadProc(void* argument) {
  auto* self = static_cast<ImageToImageXform*>(argument);
  CM_DisableThreadCancel();
  CMAutoreleasePool* pool = nullptr;
  CM_CreateAutoreleasePool(&pool);
  if (self->m_ImageDestination) {
    self->m_ImageDestination->addImage(self->m_Image, self->m_metaData);
    if (self->m_ImageDestination->finalize())
      self->m_bOutputWritten = true;
    else
      self->SetErrorMessage(SM_ERR_IMAGE);
    self->m_ImageDestination.reset();
  }
  CM_ReleaseAutoreleasePool(pool);
  // The thread start signals the record's end once this body returns.
  self->m_bWriterEnded = true;
  self->WakeHandOffWaiters();
}

std::size_t ImageToImageXform::ProvideBytes(ProviderInfo* info, void* buffer, std::int64_t position,
                                            std::size_t count) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t sum = 0;
  while (sum < count) {
    std::size_t got = ReadSingleBlock(info, out + sum, position + std::int64_t(sum), count - sum);
    if (got == 0 || got > count - sum) break;
    sum += got;
  }
  return sum;
}

bool ImageToImageXform::TakeBlockHolding(ProviderInfo* info, std::uint64_t at, std::uint64_t* start,
                                         std::uint64_t* end) {
  for (;;) {
    if (GetErrorMessage() != CM_OK) return false;
    if (!LockDataWhen(0, true)) return false;
    if (!m_pImageBuf) {
      m_DataLock->unlockWithCondition(1);
      SetErrorMessage(SM_ERR_NO_LINES);
      return false;
    }
    *start = info->rowBytes * m_LineOffset;
    *end = info->rowBytes * (m_LineOffset + m_WriteLines);
    if (at < *start) {
      // The encoder went back to lines already handed on: they are gone.
      m_DataLock->unlockWithCondition(0);
      SetErrorMessage(SM_ERR_NO_LINES);
      return false;
    }
    if (at < *end) return true;
    // The block is used up: the producer may refill.
    m_DataLock->unlockWithCondition(1);
  }
}

std::size_t ImageToImageXform::ReadSingleBlock(ProviderInfo* info, std::uint8_t* buffer, std::int64_t position,
                                               std::size_t count) {
  std::uint64_t start = 0, end = 0;
  const std::uint64_t at = std::uint64_t(position);
  if (position < 0 || !TakeBlockHolding(info, at, &start, &end)) return 0;
  const std::size_t n = std::size_t(std::min<std::uint64_t>(end - at, count));
  std::memcpy(buffer, m_pImageBuf.get() + (at - start), n);
  info->delivered += n;
  m_DeliveredBytes = info->delivered;
  m_DataLock->unlockWithCondition(0);
  return n;
}

const void* ImageToImageXform::BlockPointer(ProviderInfo* info, std::int64_t position, std::size_t count) {
  std::uint64_t start = 0, end = 0;
  const std::uint64_t at = std::uint64_t(position);
  if (position < 0 || !TakeBlockHolding(info, at, &start, &end)) return nullptr;
  const void* p = nullptr;
  if (count <= end - at) {
    p = m_pImageBuf.get() + (at - start);
    info->delivered += count;
    m_DeliveredBytes = info->delivered;
  }
  m_DataLock->unlockWithCondition(0);
  return p;
}

void ImageToImageXform::ReleaseTransform() {
  m_Image.reset();
  m_ImageDestination.reset();
  m_bHasDestination = false;
  m_pImageBuf.reset();
  m_ImageBufCapacity = 0;
  m_ImageBufBytes = 0;
  if (m_mxPropertyLock) CM_DestroyMutex(&m_mxPropertyLock);
  m_metaData = fnd::Dictionary();
}

CMResult ImageToImageXform::EndXform() {
  return CM_Guard([&]() -> CMResult {
    m_bInputEnded = true;
    // A writer waiting for lines that will not come learns it now.
    WakeHandOffWaiters();
    CMResult waited = SM_ERR_IMAGE;
    if (m_pThreadXform) {
      std::uint32_t result = 0;
      // The writer always ends now: it has its lines, or it finds that none will come.
      if (CM_WaitThreadEnd(&m_pThreadXform, CM_WAIT_FOREVER, &result) == CM_OK && result == 0) waited = CM_OK;
    }
    ReleaseTransform();
    CM_ThrowIfError(waited);
    if (!m_pXformInfo || m_pXformInfo->GetInFormat() != SM_FORMAT_RAW ||
        SM_IsRefusedOutput(m_pXformInfo->GetOutFormat()))
      CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    // A writer that failed wrote no file: that must not read as success.
    CM_ThrowIfError(GetErrorMessage());
    return CM_OK;
  });
}

CMResult ImageToImageXform::AbortOpenTransform() {
  if (!m_Image && !m_pThreadXform) return CM_OK;
  CMResult rc = AbortXform();
  return rc == SM_ERR_NO_XFORM ? CM_OK : rc;
}

CMResult ImageToImageXform::AbortXform() {
  return CM_Guard([&]() -> CMResult {
    if (!m_Image && !m_pThreadXform) CM_ThrowIfError(SM_ERR_NO_XFORM);
    SetErrorMessage(SM_ERR_ABORTED);
    if (m_pImageBuf && m_DataLock && m_DataLock->tryLock()) m_DataLock->unlockWithCondition(0);
    if (m_pThreadXform) {
      std::uint32_t result = 0;
      CMResult rc = CM_WaitThreadEnd(&m_pThreadXform, kAbortWaitMs, &result);
      // Still running: its buffers and locks stay with it.
      if (rc != CM_OK || result != 0) CM_ThrowIfError(SM_ERR_IMAGE);
    }
    ReleaseTransform();
    return CM_OK;
  });
}

imageio::ImageRef ImageToImageXform::RedrawImage(imageio::ImageRef image, const std::string* path, bool fromFile) {
  if (!image) return nullptr;
  std::size_t width = image->width();
  std::size_t height = image->height();
  if (fromFile) {
    if (!path) return nullptr;
    auto source = imageio::ImageSource::createWithPath(*path);
    imageio::ImageRef picture = source ? source->createImageAtIndex(0) : nullptr;
    if (!picture) return nullptr;
    width = picture->width();
    height = picture->height();
  }
  return SM_RedrawWithoutAlpha(image, m_PixelFormat, width, height);
}
