#pragma once

// The image-destination conversion pass: turns a temporary JPEG or TIFF file of the pipeline
// into the requested output file through an image source and an image destination. On the
// way it applies the JPEG quality of the compression code, turns the image upright by its
// orientation property, writes TIFF uncompressed, sets the colour model, and adds TIFF and
// EXIF metadata to plain JPEG output (4320). A grey image that is to become an EXIF JPEG
// (4321) is expanded to three channels as the encoder pulls its rows, one row in memory.
//
// Call order on a fresh (or Initialized) object: StartConvertXform, ConvertXform,
// EndConvertXform. Every operation answers a code (CMError.h) and throws nothing. The
// destination replaces its target only when the file is complete, so a failed pass never
// leaves half a file, and the output may be the input's own path.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/Value.h"
#include "launcher/save/CMError.h"
#include "launcher/save/ICMSTR_CLASS.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"
#include "launcher/save/ThumbnailPixels.h"

namespace imageio {
class Image;
class ImageSource;
using ImageRef = std::shared_ptr<const Image>;
}

class ImageConvertXform {
 public:
  ImageConvertXform();
  ~ImageConvertXform();
  ImageConvertXform(const ImageConvertXform&) = delete;
  ImageConvertXform& operator=(const ImageConvertXform&) = delete;

  // Releases the records of the last conversion.
  CMResult Initialize();

  // 0xACA04 a null record; 0xACA00 records are already held; 0xACA03 an input other than
  // 4320 or 4322, an output of 4325 or 4326 or of a type this system does not write (PNG,
  // PICT, PDF, none), or an empty path; 0xACA02 a path whose length cannot be read. The
  // records are kept only when the conversion may run.
  CMResult StartConvertXform(const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image);
  // Writes the output file. 0xACA04 nothing started; 0xAF200 the input does not exist;
  // 0xAF207 the input cannot be opened or read, or the output cannot be written; 0xAF400 the
  // output folder is not writable (checked before anything is written); 0xA9807 turning the
  // image upright failed.
  CMResult ConvertXform();
  CMResult EndConvertXform() { return CM_OK; }

  // Name of the colour space of the last converted image.
  const std::string* GetColorSpaceName() const;
  // The error a data provider recorded during the last conversion; 0 = none.
  CMResult GetFileThreadError() const { return m_FileThreadError.load(); }
  // Bits per pixel of the last converted source image.
  std::uint32_t GetPixelFormat() const { return m_PixelFormat; }
  // The upright thumbnail (at most 160 pixels) of the last EXIF JPEG (4321) conversion, made
  // from the rows as they were encoded; null when that image's rows could not be watched
  // (not 8-bit colour) or nothing was converted. Taking it leaves null behind.
  std::shared_ptr<const SM_ThumbnailPixels> TakeThumbnail() { return std::move(m_Thumbnail); }

 private:
  struct GreyToRgbInfo;
  struct WatchedRows;
  struct StripRows;

  void ReleaseRecords();
  // Both take the source and properties ConvertXform has already read, so the input is parsed
  // once per conversion.
  CMResult ConvertGreyToRgbJpeg(const imageio::ImageSource& source, fnd::Dictionary properties,
                                const std::string& output);
  CMResult ConvertStandard(const imageio::ImageSource& source, fnd::Dictionary properties, const std::string& output,
                           bool grey);
  // The image the encoder is given for EXIF JPEG output: the same pixels, with every row
  // that goes by added to the thumbnail. The image itself when its rows cannot be watched.
  imageio::ImageRef WatchRows(imageio::ImageRef image);
  // For JPEG output of an uncompressed 8-bit RGB TIFF (what the transfer writes): the same
  // image over the file's strips, read in large sequential pieces and handed to the encoder
  // where they lie, the thumbnail (for 4321) taken from each piece as it is read. Null when
  // the file is laid out otherwise; the decoder's image serves then.
  imageio::ImageRef StripImage(const std::string& input, const imageio::ImageRef& decoded, bool watch);
  void KeepThumbnail();
  std::size_t ProvideGreyAsRgb(GreyToRgbInfo* info, void* buffer, std::int64_t position, std::size_t count);

  std::unique_ptr<ISM_IMAGE_INFO> m_pImageInfo;
  std::unique_ptr<ISM_XFORM_INFO> m_pXformInfo;
  std::unique_ptr<ICMSTR_CLASS> m_ColorSpace;
  std::atomic<CMResult> m_FileThreadError{0};
  std::uint32_t m_PixelFormat = 0;
  std::shared_ptr<WatchedRows> m_Watched;
  std::shared_ptr<const SM_ThumbnailPixels> m_Thumbnail;
};
