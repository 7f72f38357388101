#include "imageio/codecs/TiffWriter.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include <tiffio.h>

#include "imageio/ImageProperties.h"
#include "imageio/OutputSettings.h"
#include "imageio/RowReader.h"

namespace imageio {

namespace {

int onTiffError(TIFF*, void* user, const char* module, const char* fmt, va_list ap) {
  auto* error = static_cast<std::string*>(user);
  char text[512];
  std::vsnprintf(text, sizeof text, fmt, ap);
  if (error->empty()) *error = std::string(module ? module : "TIFF") + ": " + text;
  return 1;  // handled: nothing reaches stderr
}

int onTiffWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// Compression schemes a destination accepts from "{TIFF}"; anything else writes uncompressed.
uint16_t compressionFor(const fnd::Dictionary& tiff) {
  long long c = tiff.integer(kCGImagePropertyTIFFCompression);
  if ((c == COMPRESSION_LZW || c == COMPRESSION_ADOBE_DEFLATE || c == COMPRESSION_PACKBITS) &&
      TIFFIsCODECConfigured(uint16_t(c)))
    return uint16_t(c);
  return COMPRESSION_NONE;
}

}  // namespace

bool TiffWriter::write(const Image& image, const fnd::Dictionary& properties, int fd, const std::string& name,
                       std::string& error) {
  const fnd::Dictionary& tiffProps = properties.dictionary(kCGImagePropertyTIFFDictionary);
  const int components = image.colorSpace()->numberOfComponents();
  int bits = int(image.bitsPerComponent());
  if (bits == 16 && properties.contains(kCGImagePropertyDepth) && properties.intValue(kCGImagePropertyDepth) == 8)
    bits = 8;
  const std::size_t w = image.width(), h = image.height();
  const std::size_t rowBytes = bits == 1 ? (w + 7) / 8 : w * std::size_t(components) * std::size_t(bits / 8);
  // Classic TIFF ends at 4 GiB; larger images go into BigTIFF.
  const bool big = double(rowBytes) * double(h) > 4.0e9;

  TIFFOpenOptions* opts = TIFFOpenOptionsAlloc();
  TIFFOpenOptionsSetErrorHandlerExtR(opts, onTiffError, &error);
  TIFFOpenOptionsSetWarningHandlerExtR(opts, onTiffWarning, nullptr);
  TIFF* tif = TIFFFdOpenExt(fd, name.c_str(), big ? "w8" : "w", opts);
  TIFFOpenOptionsFree(opts);
  if (!tif) {
    ::close(fd);
    if (error.empty()) error = "cannot open the TIFF for writing";
    return false;
  }

  uint16_t compression = compressionFor(tiffProps);
  const OutputSettings settings = OutputSettings::from(properties);

  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(w));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(h));
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, uint16_t(bits));
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, uint16_t(components));
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, components == 1 ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
  // Uncompressed strips of about 1 MiB: few write calls, and any reader copes.
  const std::size_t stripBytes = std::size_t(1) << 20;
  uint32_t rowsPerStrip = compression == COMPRESSION_NONE
                              ? uint32_t(std::max<std::size_t>(1, stripBytes / std::max<std::size_t>(rowBytes, 1)))
                              : TIFFDefaultStripSize(tif, 0);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, std::min<uint32_t>(rowsPerStrip, uint32_t(h)));
  TIFFSetField(tif, TIFFTAG_XRESOLUTION, settings.dpiX);
  TIFFSetField(tif, TIFFTAG_YRESOLUTION, settings.dpiY);
  TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, uint16_t(settings.orientation));
  for (auto [key, tag] : {std::pair{kCGImagePropertyTIFFMake, TIFFTAG_MAKE}, std::pair{kCGImagePropertyTIFFModel, TIFFTAG_MODEL},
                          std::pair{kCGImagePropertyTIFFSoftware, TIFFTAG_SOFTWARE},
                          std::pair{kCGImagePropertyTIFFDateTime, TIFFTAG_DATETIME}}) {
    std::string text = tiffProps.string(key);
    if (!text.empty()) TIFFSetField(tif, tag, text.c_str());
  }
  const fnd::Data& icc = image.colorSpace()->iccData();
  if (!icc.empty()) TIFFSetField(tif, TIFFTAG_ICCPROFILE, uint32_t(icc.size()), icc.data());

  RowReader reader(image);
  bool ok = true;
  // Rows already laid out as the file stores them are read straight into whole strips and
  // written as they are: one copy less than going row by row through libtiff.
  const bool asStored = compression == COMPRESSION_NONE && bits == int(image.bitsPerComponent()) &&
                        image.samplesPerPixel() == components &&
                        (bits != 16 || (image.bitmapInfo().order == ByteOrder::Little16 &&
                                        std::endian::native == std::endian::little));
  if (asStored) {
    // A strip whose rows the provider holds together (a scan's block that is a whole strip)
    // is written from where it lies; any other is gathered into the strip buffer first.
    const uint32_t stripRows = std::min<uint32_t>(rowsPerStrip, uint32_t(h));
    const bool packed = image.bytesPerRow() == rowBytes;
    std::vector<std::uint8_t> strip;
    DataProvider& provider = *image.dataProvider();
    for (uint32_t first = 0, s = 0; first < h && ok; first += stripRows, ++s) {
      const uint32_t rows = std::min<uint32_t>(stripRows, uint32_t(h) - first);
      const std::size_t bytes = std::size_t(rows) * rowBytes;
      const std::int64_t position = std::int64_t(first) * std::int64_t(image.bytesPerRow());
      const void* data = packed ? provider.bytePointer(position, bytes) : nullptr;
      if (!data) {
        if (strip.size() < bytes) strip.resize(std::size_t(stripRows) * rowBytes);
        // Row by row: a provider making its bytes on demand is never asked for more at once.
        for (uint32_t r = 0; r < rows && ok; ++r) {
          const std::int64_t at = std::int64_t(first + r) * std::int64_t(image.bytesPerRow());
          if (provider.read(strip.data() + std::size_t(r) * rowBytes, at, rowBytes) != rowBytes) {
            error = "the image data ended at row " + std::to_string(first + r) + " of " + std::to_string(h);
            ok = false;
          }
        }
        data = strip.data();
      }
      // A raw strip is written as it is: libtiff does not touch the bytes.
      if (ok && TIFFWriteRawStrip(tif, s, const_cast<void*>(data), tmsize_t(bytes)) < 0) {
        if (error.empty()) error = "cannot write strip " + std::to_string(s);
        ok = false;
      }
    }
  } else {
    std::vector<std::uint8_t> row8;
    std::vector<std::uint16_t> row16;
    if (bits == 8) row8.resize(w * std::size_t(components));
    if (bits == 16) row16.resize(w * std::size_t(components));
    for (uint32_t y = 0; y < h && ok; ++y) {
      void* data = nullptr;
      if (bits == 1) {
        data = const_cast<std::uint8_t*>(reader.nextRaw());
      } else if (bits == 8) {
        data = const_cast<std::uint8_t*>(reader.next8View(row8.data()));
      } else {
        data = reader.next16(row16.data()) ? row16.data() : nullptr;
      }
      if (!data) {
        error = "the image data ended at row " + std::to_string(y) + " of " + std::to_string(h);
        ok = false;
      } else if (TIFFWriteScanline(tif, data, y, 0) < 0) {
        if (error.empty()) error = "cannot write row " + std::to_string(y);
        ok = false;
      }
    }
  }
  if (ok && !TIFFWriteDirectory(tif)) {
    if (error.empty()) error = "cannot write the TIFF directory";
    ok = false;
  }
  TIFFClose(tif);  // flushes the last strip: a failure there reaches the error handler
  return ok && error.empty();
}

}  // namespace imageio
