#include "launcher/save/ImageConvertXform.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "imageio/AreaAverager.h"
#include "imageio/ColorSpace.h"
#include "imageio/DataProvider.h"
#include "imageio/ImageDestination.h"
#include "imageio/ImageProperties.h"
#include "imageio/ImageSource.h"
#include "imageio/RowReader.h"
#include "launcher/save/CMCommon.h"
#include "launcher/save/CMFileSystem.h"
#include "launcher/save/ImageGeometry.h"
#include "launcher/save/ImagePassSupport.h"
#include "launcher/save/RotateResizeXform.h"
#include "launcher/save/TiffReader.h"
#include "launcher/save/SMCodes.h"

// The grey-to-RGB provider's record: the RGB stream's geometry and the grey rows read so
// far (the encoder asks for its bytes in order, so one row is enough).
struct ImageConvertXform::GreyToRgbInfo {
  std::uint64_t width = 0;
  std::uint64_t height = 0;
  std::uint64_t total = 0;
  std::uint64_t rowBytes = 0;
  ImageConvertXform* owner = nullptr;

  imageio::ImageRef grey;
  std::unique_ptr<imageio::RowReader> reader;
  std::vector<std::uint8_t> rgbRow;
  std::vector<std::uint8_t> row8;
  std::vector<std::uint16_t> row16;
  std::uint64_t rowIndex = 0;  // row held in rgbRow, plus one; 0 = none yet
};

// The rows the encoder pulls, watched on their way: each row that passes in order is added to
// the thumbnail. A request out of order (which the encoder never makes) only costs the
// thumbnail, never the conversion: the EXIF pass then makes its own. Rows lie rowBytes apart;
// a request may end after a row's pixels, without its padding. Rows in another layout than
// 8-bit RGB (16-bit samples, a skipped fourth sample) go through the reader's reduction to
// the 8-bit samples the encoder takes.
struct ImageConvertXform::WatchedRows {
  imageio::ImageRef image;
  std::uint64_t rowBytes = 0;
  std::uint64_t pixelBytes = 0;  // 0: rowBytes
  std::uint64_t next = 0;        // byte position of the next row to add
  bool broken = false;
  std::unique_ptr<imageio::AreaAverager> averager;
  std::unique_ptr<imageio::RowReader> reducer;
  std::vector<std::uint8_t> reduced;

  void add(const std::uint8_t* bytes, std::int64_t position, std::size_t count) {
    if (broken || !averager) return;
    const std::uint64_t pixels = pixelBytes ? pixelBytes : rowBytes;
    if (position < 0 || std::uint64_t(position) != next) {
      broken = true;
      return;
    }
    for (std::uint64_t at = 0; at < count; at += rowBytes) {
      if (count - at < pixels) {
        broken = true;
        return;
      }
      if (reducer) {
        reducer->convert8(bytes + at, reduced.data());
        averager->addRow(reduced.data());
      } else {
        averager->addRow(bytes + at);
      }
      next += rowBytes;
    }
  }
};

// The rows of an uncompressed TIFF whose strips follow each other, read a large piece at a
// time through the file object. The encoder asks for rows in order, so each piece is read
// once, from front to back; any other request is answered too, by reading where it points.
struct ImageConvertXform::StripRows {
  static constexpr std::uint64_t kPieceBytes = std::uint64_t(8) << 20;

  TIFF tiff;
  std::uint64_t rowBytes = 0;
  std::uint64_t height = 0;
  std::uint64_t pieceRows = 1;
  std::vector<std::uint8_t> piece;
  std::uint64_t first = 0;  // first row held
  std::uint64_t rows = 0;   // rows held
  std::shared_ptr<WatchedRows> watch;

  ~StripRows() { CM_TiffClose(&tiff); }

  // Holds row; false when it cannot be read.
  bool hold(std::uint64_t row) {
    if (row >= height) return false;
    if (row >= first && row < first + rows) return true;
    const std::uint64_t n = std::min(pieceRows, height - row);
    const CMResult rc = row == first + rows && rows != 0
                            ? CM_TiffRead(piece.data(), std::size_t(rowBytes), std::size_t(n), tiff.fp.get())
                            : CM_TiffReadAt(&tiff, std::size_t(rowBytes), std::size_t(n), piece.data(),
                                            tiff.StartOffset + row * rowBytes);
    rows = 0;
    if (rc != CM_OK) return false;
    first = row;
    rows = n;
    if (watch) watch->add(piece.data(), std::int64_t(first * rowBytes), std::size_t(rows * rowBytes));
    return true;
  }

  const void* pointer(std::int64_t position, std::size_t count) {
    if (position < 0) return nullptr;
    const std::uint64_t at = std::uint64_t(position), row = at / rowBytes;
    if (!hold(row)) return nullptr;
    const std::uint64_t offset = at - first * rowBytes;
    return offset + count <= rows * rowBytes ? piece.data() + offset : nullptr;
  }

  std::size_t copy(void* buffer, std::int64_t position, std::size_t count) {
    if (position < 0) return 0;
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::uint64_t at = std::uint64_t(position);
    std::size_t done = 0;
    while (done < count && hold(at / rowBytes)) {
      const std::uint64_t offset = at - first * rowBytes;
      const std::size_t n = std::size_t(std::min<std::uint64_t>(count - done, rows * rowBytes - offset));
      std::memcpy(out + done, piece.data() + offset, n);
      done += n;
      at += n;
    }
    return done;
  }
};

namespace {

std::unique_ptr<imageio::AreaAverager> thumbnailAverager(std::size_t width, std::size_t height) {
  std::size_t tw = 0, th = 0;
  imageio::AreaAverager::fitSize(width, height, RotateResizeXform::kThumbnailSize, &tw, &th);
  try {
    return std::make_unique<imageio::AreaAverager>(width, height, tw, th, 3);
  } catch (const std::bad_alloc&) {
    return nullptr;  // no thumbnail handed on; the EXIF pass makes its own
  }
}

}  // namespace

ImageConvertXform::ImageConvertXform() { CM_CreateString(&m_ColorSpace, 1024); }

ImageConvertXform::~ImageConvertXform() = default;

void ImageConvertXform::ReleaseRecords() {
  m_pImageInfo.reset();
  m_pXformInfo.reset();
}

CMResult ImageConvertXform::Initialize() {
  ReleaseRecords();
  m_Watched.reset();
  m_Thumbnail.reset();
  m_FileThreadError = 0;
  return CM_OK;
}

const std::string* ImageConvertXform::GetColorSpaceName() const {
  return m_ColorSpace ? m_ColorSpace->GetNSString() : nullptr;
}

CMResult ImageConvertXform::StartConvertXform(const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image) {
  if (!xform || !image) return SM_ERR_NO_XFORM;
  if (m_pImageInfo || m_pXformInfo) return SM_ERR_XFORM_OPEN;
  CMResult rc = CM_Guard([&]() -> CMResult {
    if (SM_CopyXformInfo(&m_pXformInfo, xform) != CM_OK || SM_CopyImageInfo(&m_pImageInfo, image) != CM_OK)
      CM_ThrowIfError(SM_ERR_XFORM_OPEN);
    const std::uint32_t in = m_pXformInfo->GetInFormat(), out = m_pXformInfo->GetOutFormat();
    if (out == SM_FORMAT_REFUSED_A || out == SM_FORMAT_REFUSED_B) CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    if (in != SM_FORMAT_JPEG && in != SM_FORMAT_TIFF) CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    // Nothing would write PNG, PICT or PDF here: say so now, not after reading the input.
    imageio::ImageType type;
    CM_ThrowIfError(SM_DestinationType(out, &type));
    for (const ICMSTR_CLASS* path : {m_pImageInfo->GetInputPathString(), m_pImageInfo->GetOutputPathString()}) {
      std::size_t length = 0;
      if (!path || path->GetLength(&length) != CM_OK) CM_ThrowIfError(SM_ERR_BAD_SIZE);
      if (length == 0) CM_ThrowIfError(SM_ERR_UNSUPPORTED);
    }
    return CM_OK;
  });
  if (rc != CM_OK) ReleaseRecords();
  return rc;
}

CMResult ImageConvertXform::ConvertXform() {
  if (!m_pImageInfo || !m_pXformInfo) return SM_ERR_NO_XFORM;
  CMAutoreleasePool* pool = nullptr;
  CM_CreateAutoreleasePool(&pool);
  m_FileThreadError = 0;
  m_Watched.reset();
  m_Thumbnail.reset();
  CMResult rc = CM_Guard([&]() -> CMResult {
    const std::string output = *m_pImageInfo->GetOutputPath();
    const std::string input = *m_pImageInfo->GetInputPath();
    bool exists = false;
    CM_FileExists(&input, &exists);
    if (!exists) CM_ThrowIfError(SM_ERR_MALFORMED);
    auto source = imageio::ImageSource::createWithPath(input, SM_SourceOptions());
    if (!source) CM_ThrowIfError(SM_ERR_IMAGE);
    auto properties = source->copyPropertiesAtIndex(0, SM_SourceOptions());
    if (!properties) CM_ThrowIfError(SM_ERR_IMAGE);
    const bool grey =
        properties->string(imageio::kCGImagePropertyColorModel) == imageio::kCGImagePropertyColorModelGray;
    if (m_pXformInfo->GetOutFormat() == SM_FORMAT_JPEG_EXIF && grey)
      return ConvertGreyToRgbJpeg(*source, std::move(*properties), output);
    return ConvertStandard(*source, std::move(*properties), output, grey);
  });
  CM_ReleaseAutoreleasePool(pool);
  return rc;
}

std::size_t ImageConvertXform::ProvideGreyAsRgb(GreyToRgbInfo* info, void* buffer, std::int64_t position,
                                                std::size_t count) {
  if (m_FileThreadError.load() != CM_OK || position < 0) return 0;
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::uint64_t at = std::uint64_t(position);
  std::size_t copied = 0;
  while (copied < count && at < info->total) {
    const std::uint64_t row = at / info->rowBytes;
    if (row + 1 != info->rowIndex) {
      // Rows go by once: a request for an earlier row cannot be answered with the right bytes.
      if (row + 1 < info->rowIndex) {
        m_FileThreadError = SM_ERR_IMAGE;
        return 0;
      }
      while (info->rowIndex < row + 1) {
        bool ok;
        if (info->grey->bitsPerComponent() == 16) {
          ok = info->reader->next16(info->row16.data());
          for (std::uint64_t x = 0; ok && x < info->width; ++x) info->row8[x] = std::uint8_t(info->row16[x] >> 8);
        } else {
          ok = info->reader->next8(info->row8.data());
        }
        if (!ok) {
          m_FileThreadError = SM_ERR_IMAGE;
          return 0;
        }
        ++info->rowIndex;
      }
      for (std::uint64_t x = 0; x < info->width; ++x)
        info->rgbRow[3 * x] = info->rgbRow[3 * x + 1] = info->rgbRow[3 * x + 2] = info->row8[x];
      if (m_Watched) m_Watched->add(info->rgbRow.data(), std::int64_t(row * info->rowBytes), info->rgbRow.size());
    }
    const std::uint64_t offset = at - row * info->rowBytes;
    const std::size_t n = std::size_t(std::min<std::uint64_t>(count - copied, info->rowBytes - offset));
    std::memcpy(out + copied, info->rgbRow.data() + offset, n);
    copied += n;
    at += n;
  }
  return copied;
}

CMResult ImageConvertXform::ConvertGreyToRgbJpeg(const imageio::ImageSource& source, fnd::Dictionary properties,
                                                 const std::string& output) {
  imageio::ImageRef grey = source.createImageAtIndex(0, SM_SourceOptions());
  if (!grey || grey->colorSpace()->numberOfComponents() != 1) CM_ThrowIfError(SM_ERR_IMAGE);
  m_PixelFormat = std::uint32_t(grey->bitsPerPixel());
  CM_ThrowIfError(SM_CheckOutputFolder(&output));
  auto destination = imageio::ImageDestination::createWithPath(output, imageio::ImageType::JPEG, 1);
  if (!destination) CM_ThrowIfError(SM_ERR_IMAGE);

  auto info = std::make_shared<GreyToRgbInfo>();
  info->width = grey->width();
  info->height = grey->height();
  info->rowBytes = info->width * 3;
  info->total = info->rowBytes * info->height;
  info->owner = this;
  info->grey = grey;
  info->reader = std::make_unique<imageio::RowReader>(*grey);
  try {
    info->rgbRow.resize(std::size_t(info->rowBytes));
    info->row8.resize(std::size_t(info->width));
    if (grey->bitsPerComponent() == 16) info->row16.resize(std::size_t(info->width));
  } catch (const std::bad_alloc&) {
    m_FileThreadError = SM_ERR_IMAGE;
    CM_ThrowIfError(SM_ERR_IMAGE);
  }
  imageio::DataProviderDirectCallbacks callbacks;
  callbacks.getBytesAtPosition = [info](void* buffer, std::int64_t position, std::size_t count) {
    return info->owner->ProvideGreyAsRgb(info.get(), buffer, position, count);
  };
  imageio::DataProviderRef provider = imageio::DataProvider::createDirect(std::int64_t(info->total), callbacks);
  imageio::ImageRef rgb = imageio::Image::create(std::size_t(info->width), std::size_t(info->height), 8, 24,
                                                 std::size_t(info->rowBytes), imageio::ColorSpace::sRGB(), {}, provider);
  provider.reset();
  if (!rgb) CM_ThrowIfError(SM_ERR_IMAGE);
  // The RGB rows are made here one by one: the thumbnail is taken from them as they are made.
  m_Watched = std::make_shared<WatchedRows>();
  m_Watched->rowBytes = info->rowBytes;
  m_Watched->averager = thumbnailAverager(std::size_t(info->width), std::size_t(info->height));

  properties.remove(imageio::kCGImagePropertyProfileName);
  properties.set(imageio::kCGImagePropertyColorModel, imageio::kCGImagePropertyColorModelRGB);
  properties.set(imageio::kCGImageDestinationLossyCompressionQuality, SM_JpegQuality(m_pXformInfo->GetCompression()));
  destination->addImage(rgb, properties);
  rgb.reset();
  m_ColorSpace->SetNSString(&grey->colorSpace()->name());
  if (!destination->finalize()) CM_ThrowIfError(SM_ERR_IMAGE);
  KeepThumbnail();
  return CM_OK;
}

CMResult ImageConvertXform::ConvertStandard(const imageio::ImageSource& source, fnd::Dictionary properties,
                                            const std::string& output, bool grey) {
  const std::uint32_t out = m_pXformInfo->GetOutFormat();
  imageio::ImageType type;
  CM_ThrowIfError(SM_DestinationType(out, &type));
  CM_ThrowIfError(SM_CheckOutputFolder(&output));
  auto destination = imageio::ImageDestination::createWithPath(output, type, 1);
  if (!destination) CM_ThrowIfError(SM_ERR_IMAGE);
  imageio::ImageRef image = source.createImageAtIndex(0, SM_SourceOptions());
  if (!image) CM_ThrowIfError(SM_ERR_IMAGE);
  m_PixelFormat = std::uint32_t(image->bitsPerPixel());
  const char* model = grey ? imageio::kCGImagePropertyColorModelGray : imageio::kCGImagePropertyColorModelRGB;
  properties.set(imageio::kCGImagePropertyColorModel, model);

  const bool turned = properties.contains(imageio::kCGImagePropertyOrientation) &&
                      properties.integer(imageio::kCGImagePropertyOrientation) != 1;
  if (type == imageio::ImageType::JPEG && !turned && !grey &&
      !properties.boolean(imageio::kCGImagePropertyHasAlpha) &&
      properties.dictionary(imageio::kCGImagePropertyTIFFDictionary).integer(imageio::kCGImagePropertyTIFFCompression) ==
          1) {
    if (imageio::ImageRef strips = StripImage(*m_pImageInfo->GetInputPath(), image, out == SM_FORMAT_JPEG_EXIF))
      image = std::move(strips);
  }
  if (turned) {
    const int degrees = SM_OrientationDegrees(int(properties.integer(imageio::kCGImagePropertyOrientation)));
    imageio::ImageRef upright = CM_RotateImage(image, degrees);
    if (!upright) CM_ThrowIfError(SM_ERR_ROTATE);
    image = std::move(upright);
    SM_MarkUpright(&properties);
    if (degrees == 90 || degrees == 270) SM_SwapResolutions(&properties);
  }

  if (properties.contains(imageio::kCGImagePropertyTIFFDictionary)) {
    fnd::Dictionary tiff = properties.dictionary(imageio::kCGImagePropertyTIFFDictionary);
    if (tiff.integer(imageio::kCGImagePropertyTIFFCompression) != 1) {
      tiff.set(imageio::kCGImagePropertyTIFFCompression, 1);
      properties.set(imageio::kCGImagePropertyTIFFDictionary, std::move(tiff));
    }
  }

  if (type == imageio::ImageType::JPEG) {
    properties.set(imageio::kCGImageDestinationLossyCompressionQuality, SM_JpegQuality(m_pXformInfo->GetCompression()));
    properties.remove(imageio::kCGImagePropertyProfileName);
    if (properties.boolean(imageio::kCGImagePropertyHasAlpha)) {
      // JPEG has no alpha: redraw the picture without it, as it would show on white.
      properties.remove(imageio::kCGImagePropertyHasAlpha);
      imageio::ImageRef opaque = SM_RedrawWithoutAlpha(image, m_PixelFormat, image->width(), image->height());
      if (!opaque) CM_ThrowIfError(SM_ERR_IMAGE);
      image = std::move(opaque);
    } else {
      properties.set(imageio::kCGImagePropertyColorModel, model);
      properties.set(imageio::kCGImagePropertyDepth, 8);
    }
    if (out == SM_FORMAT_JPEG) CM_ThrowIfError(SetJpegMetadata(&properties, m_pXformInfo.get(), grey ? 1 : 3));
  }
  m_ColorSpace->SetNSString(&image->colorSpace()->name());
  if (out == SM_FORMAT_JPEG_EXIF && !m_Watched) image = WatchRows(std::move(image));
  destination->addImage(image, properties);
  image.reset();
  if (!destination->finalize()) CM_ThrowIfError(SM_ERR_IMAGE);
  KeepThumbnail();
  return CM_OK;
}

imageio::ImageRef ImageConvertXform::WatchRows(imageio::ImageRef image) {
  // Any colour layout the encoder takes: its own reader reduces the rows to 8-bit RGB, and the
  // watcher reduces them the same way.
  if (image->colorSpace()->numberOfComponents() != 3 ||
      (image->bitsPerComponent() != 8 && image->bitsPerComponent() != 16))
    return image;
  auto watched = std::make_shared<WatchedRows>();
  watched->image = image;
  watched->rowBytes = image->bytesPerRow();
  watched->pixelBytes = (image->width() * image->bitsPerPixel() + 7) / 8;
  watched->averager = thumbnailAverager(image->width(), image->height());
  if (!watched->averager || watched->pixelBytes > watched->rowBytes) return image;
  if (image->bitsPerComponent() != 8 || image->samplesPerPixel() != 3) {
    try {
      watched->reducer = std::make_unique<imageio::RowReader>(*image);
      watched->reduced.resize(image->width() * 3);
    } catch (const std::bad_alloc&) {
      return image;
    }
  }
  imageio::DataProviderDirectCallbacks callbacks;
  callbacks.getBytesAtPosition = [w = watched.get()](void* buffer, std::int64_t position,
                                                      std::size_t count) -> std::size_t {
    const std::size_t n = w->image->dataProvider()->read(buffer, position, count);
    w->add(static_cast<const std::uint8_t*>(buffer), position, n);
    return n;
  };
  // Bytes the image holds in memory are looked at where they lie, by the encoder and the
  // watcher alike.
  callbacks.getBytePointer = [w = watched.get()](std::int64_t position, std::size_t count) -> const void* {
    const void* held = w->image->dataProvider()->bytePointer(position, count);
    if (held) w->add(static_cast<const std::uint8_t*>(held), position, count);
    return held;
  };
  // The provider's last holder lets the watcher go.
  callbacks.releaseInfo = [watched] {};
  const std::int64_t total = std::int64_t(watched->rowBytes * image->height());
  imageio::ImageRef outer = imageio::Image::create(
      image->width(), image->height(), image->bitsPerComponent(), image->bitsPerPixel(), image->bytesPerRow(),
      image->colorSpace(), image->bitmapInfo(), imageio::DataProvider::createDirect(total, callbacks), nullptr,
      image->shouldInterpolate(), image->renderingIntent());
  if (!outer) return image;
  m_Watched = std::move(watched);
  return outer;
}

imageio::ImageRef ImageConvertXform::StripImage(const std::string& input, const imageio::ImageRef& decoded,
                                                bool watch) {
  if (decoded->bitsPerComponent() != 8 || decoded->samplesPerPixel() != 3 ||
      decoded->colorSpace()->numberOfComponents() != 3)
    return nullptr;
  auto strips = std::make_shared<StripRows>();
  if (CM_TiffReadHeader(&input, &strips->tiff) != CM_OK) return nullptr;
  const TIFF& t = strips->tiff;
  if (t.BitsPerSample != 8 || t.SamplePerPixel != 3 || t.Width != decoded->width() || t.Height != decoded->height())
    return nullptr;
  strips->rowBytes = CM_TiffRowBytes(t);
  strips->height = t.Height;
  strips->pieceRows = std::max<std::uint64_t>(1, StripRows::kPieceBytes / strips->rowBytes);
  strips->pieceRows = std::min(strips->pieceRows, strips->height);
  try {
    strips->piece.resize(std::size_t(strips->pieceRows * strips->rowBytes));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (CM_TiffSeekToData(&strips->tiff) != CM_OK) return nullptr;
  if (watch) {
    strips->watch = std::make_shared<WatchedRows>();
    strips->watch->rowBytes = strips->rowBytes;
    strips->watch->averager = thumbnailAverager(decoded->width(), decoded->height());
  }
  imageio::DataProviderDirectCallbacks callbacks;
  StripRows* raw = strips.get();
  callbacks.getBytesAtPosition = [raw](void* buffer, std::int64_t position, std::size_t count) {
    return raw->copy(buffer, position, count);
  };
  callbacks.getBytePointer = [raw](std::int64_t position, std::size_t count) { return raw->pointer(position, count); };
  callbacks.releaseInfo = [strips] {};
  const std::int64_t total = std::int64_t(strips->rowBytes * strips->height);
  std::shared_ptr<WatchedRows> watcher = strips->watch;
  imageio::ImageRef image =
      imageio::Image::create(decoded->width(), decoded->height(), 8, 24, std::size_t(strips->rowBytes),
                             decoded->colorSpace(), {}, imageio::DataProvider::createDirect(total, callbacks));
  if (image && watcher) m_Watched = std::move(watcher);
  return image;
}

void ImageConvertXform::KeepThumbnail() {
  std::shared_ptr<WatchedRows> watched = std::move(m_Watched);
  if (!watched || watched->broken || !watched->averager || !watched->averager->complete()) return;
  auto thumbnail = std::make_shared<SM_ThumbnailPixels>();
  thumbnail->width = watched->averager->width();
  thumbnail->height = watched->averager->height();
  thumbnail->rgb = watched->averager->takePixels();
  m_Thumbnail = std::move(thumbnail);
}
