#include "imageio/codecs/JpegWriter.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "imageio/ExifSegment.h"
#include "imageio/ImageProperties.h"
#include "imageio/OutputSettings.h"
#include "imageio/RowReader.h"

namespace imageio {

namespace {

// libjpeg's own error handler ends the process; ours jumps back to the caller instead.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void onMessage(j_common_ptr) {}  // warnings are of no use to the caller

// Writes through a large buffer straight to the descriptor.
struct Destination {
  jpeg_destination_mgr pub;
  int fd;
  std::vector<JOCTET> buffer;
  int savedErrno;
};

bool writeAll(int fd, const JOCTET* p, std::size_t n, int& savedErrno) {
  while (n > 0) {
    ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      savedErrno = errno;
      return false;
    }
    p += w;
    n -= std::size_t(w);
  }
  return true;
}

void initDestination(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<Destination*>(cinfo->dest);
  d->pub.next_output_byte = d->buffer.data();
  d->pub.free_in_buffer = d->buffer.size();
}

boolean emptyOutput(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<Destination*>(cinfo->dest);
  if (!writeAll(d->fd, d->buffer.data(), d->buffer.size(), d->savedErrno)) ERREXIT(cinfo, JERR_FILE_WRITE);
  d->pub.next_output_byte = d->buffer.data();
  d->pub.free_in_buffer = d->buffer.size();
  return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<Destination*>(cinfo->dest);
  std::size_t n = d->buffer.size() - d->pub.free_in_buffer;
  if (!writeAll(d->fd, d->buffer.data(), n, d->savedErrno)) ERREXIT(cinfo, JERR_FILE_WRITE);
}

UINT16 density(double dpi) {
  return UINT16(std::clamp(std::lround(std::trunc(dpi)), 1L, 65535L));
}

}  // namespace

bool JpegWriter::write(const Image& image, const fnd::Dictionary& properties, int fd, std::string& error) {
  double quality = properties.contains(kCGImageDestinationLossyCompressionQuality)
                       ? properties.real(kCGImageDestinationLossyCompressionQuality)
                       : kDefaultQuality;
  int q = int(std::lround(std::clamp(quality, 0.0, 1.0) * 100.0));
  q = std::clamp(q, 1, 100);
  const OutputSettings settings = OutputSettings::from(properties);
  fnd::Data exif;
  if (properties.contains(kCGImagePropertyExifDictionary) || properties.contains(kCGImagePropertyTIFFDictionary) ||
      settings.orientation != 1) {
    exif = ExifSegment::build(properties, image.width(), image.height(), image.colorSpace().get());
    if (exif.size() > 65533) {
      error = "EXIF metadata too large for one segment";
      return false;
    }
  }
  const fnd::Data& icc = image.colorSpace()->iccData();

  RowReader reader(image);
  std::vector<JSAMPLE> row(image.width() * std::size_t(reader.components()));
  Destination dest{};
  dest.fd = fd;
  dest.buffer.resize(1 << 20);
  dest.pub.init_destination = initDestination;
  dest.pub.empty_output_buffer = emptyOutput;
  dest.pub.term_destination = termDestination;

  jpeg_compress_struct cinfo{};
  ErrorManager err{};
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = onError;
  err.pub.output_message = onMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    error = err.message;
    if (dest.savedErrno) error += std::string(": ") + std::strerror(dest.savedErrno);
    return false;
  }
  jpeg_create_compress(&cinfo);
  cinfo.dest = &dest.pub;
  cinfo.image_width = JDIMENSION(image.width());
  cinfo.image_height = JDIMENSION(image.height());
  cinfo.input_components = reader.components();
  cinfo.in_color_space = cinfo.input_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, q, TRUE);
  cinfo.write_JFIF_header = TRUE;
  cinfo.density_unit = 1;  // dots per inch
  cinfo.X_density = density(settings.dpiX);
  cinfo.Y_density = density(settings.dpiY);
  jpeg_start_compress(&cinfo, TRUE);
  // Written right behind SOI and APP0, ahead of the tables.
  if (!exif.empty()) jpeg_write_marker(&cinfo, JPEG_APP0 + 1, exif.data(), unsigned(exif.size()));
  if (!icc.empty()) jpeg_write_icc_profile(&cinfo, icc.data(), unsigned(icc.size()));
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW rows[1] = {const_cast<JSAMPLE*>(reader.next8View(row.data()))};
    if (!rows[0]) {
      jpeg_destroy_compress(&cinfo);
      error = "the image data ended at row " + std::to_string(reader.rowsRead()) + " of " +
              std::to_string(image.height());
      return false;
    }
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace imageio
