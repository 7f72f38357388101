#include "imageio/codecs/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "imageio/ExifSegment.h"
#include "imageio/IccProfile.h"
#include "imageio/ImageProperties.h"

namespace imageio {

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  bool damaged;
};

// The whole-image coefficient buffer of a progressive or multi-scan file stays below this (a
// 9000 x 9000 colour photograph needs less); a header asking for more is refused when rows
// are first asked for, not granted from the header alone.
constexpr long kMaxDecoderMemory = 512L << 20;
// Each scan of a progressive file goes over the whole image again; real files have a few
// dozen, a file with thousands is made to waste time.
constexpr int kMaxScans = 500;

void onError(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1); }

// libjpeg reports a file cut short as a warning and pads the image with grey; we treat it,
// and a scan broken off by a marker, as damage.
void onEmit(j_common_ptr cinfo, int level) {
  if (level != -1) return;
  int code = cinfo->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_MUST_RESYNC)
    reinterpret_cast<ErrorManager*>(cinfo->err)->damaged = true;
}

void limitScans(j_common_ptr cinfo) {
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kMaxScans) std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

}  // namespace

struct JpegDecoder::State {
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  std::FILE* file = nullptr;
  bool created = false;
  bool started = false;
  bool failed = false;
  jpeg_progress_mgr progress{};
  std::vector<JSAMPLE> cmyk;
};

JpegDecoder::JpegDecoder() = default;

JpegDecoder::~JpegDecoder() { end(); }

std::unique_ptr<JpegDecoder> JpegDecoder::open(const DecoderInput& input) {
  std::unique_ptr<JpegDecoder> d(new JpegDecoder);
  d->input_ = input;
  if (!d->begin(true)) return nullptr;
  return d;
}

void JpegDecoder::end() {
  if (!s_) return;
  if (s_->created) jpeg_destroy_decompress(&s_->cinfo);
  if (s_->file) std::fclose(s_->file);
  s_.reset();
}

bool JpegDecoder::begin(bool readMetadata) {
  end();
  s_ = std::make_unique<State>();
  State& s = *s_;
  if (input_.data) {
    if (input_.data->empty()) return false;
  } else {
    s.file = std::fopen(input_.path.c_str(), "rb");
    if (!s.file) return false;
  }
  s.cinfo.err = jpeg_std_error(&s.err.pub);
  s.err.pub.error_exit = onError;
  s.err.pub.emit_message = onEmit;
  if (setjmp(s.err.jump)) {
    s.failed = true;
    return false;
  }
  jpeg_create_decompress(&s.cinfo);
  s.created = true;
  s.cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
  s.progress.progress_monitor = limitScans;
  s.cinfo.progress = &s.progress;
  if (input_.data) {
    jpeg_mem_src(&s.cinfo, input_.data->data(), static_cast<unsigned long>(input_.data->size()));
  } else {
    jpeg_stdio_src(&s.cinfo, s.file);
  }
  if (readMetadata) {
    jpeg_save_markers(&s.cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(&s.cinfo, JPEG_APP0 + 2, 0xFFFF);
  }
  jpeg_read_header(&s.cinfo, TRUE);
  const bool grey = s.cinfo.jpeg_color_space == JCS_GRAYSCALE;
  const bool cmyk = s.cinfo.jpeg_color_space == JCS_CMYK || s.cinfo.jpeg_color_space == JCS_YCCK;
  s.cinfo.out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;

  if (readMetadata) {
    properties_.clear();
    properties_.set(kCGImagePropertyPixelWidth, (long long)s.cinfo.image_width);
    properties_.set(kCGImagePropertyPixelHeight, (long long)s.cinfo.image_height);
    properties_.set(kCGImagePropertyDepth, 8);
    properties_.set(kCGImagePropertyColorModel, grey ? kCGImagePropertyColorModelGray : kCGImagePropertyColorModelRGB);
    double dpiX = 0, dpiY = 0;
    if (s.cinfo.saw_JFIF_marker) {
      fnd::Dictionary jfif;
      jfif.set(kCGImagePropertyJFIFXDensity, int(s.cinfo.X_density));
      jfif.set(kCGImagePropertyJFIFYDensity, int(s.cinfo.Y_density));
      jfif.set(kCGImagePropertyJFIFDensityUnit, int(s.cinfo.density_unit));
      properties_.set(kCGImagePropertyJFIFDictionary, std::move(jfif));
      double perInch = s.cinfo.density_unit == 1 ? 1.0 : s.cinfo.density_unit == 2 ? 2.54 : 0.0;
      dpiX = s.cinfo.X_density * perInch;
      dpiY = s.cinfo.Y_density * perInch;
    }
    for (jpeg_saved_marker_ptr m = s.cinfo.marker_list; m; m = m->next) {
      if (m->marker != JPEG_APP0 + 1) continue;
      fnd::Dictionary tiff, exif;
      if (!ExifSegment::parse(m->data, m->data_length, tiff, exif)) continue;
      int orientation = tiff.intValue(kCGImagePropertyTIFFOrientation);
      if (orientation >= 1 && orientation <= 8) properties_.set(kCGImagePropertyOrientation, orientation);
      if (!(dpiX > 0 && dpiY > 0) && tiff.real(kCGImagePropertyTIFFXResolution) > 0) {
        double perInch = tiff.intValue(kCGImagePropertyTIFFResolutionUnit) == 3 ? 2.54 : 1.0;
        dpiX = tiff.real(kCGImagePropertyTIFFXResolution) * perInch;
        dpiY = tiff.real(kCGImagePropertyTIFFYResolution) * perInch;
      }
      properties_.set(kCGImagePropertyTIFFDictionary, std::move(tiff));
      if (!exif.empty()) properties_.set(kCGImagePropertyExifDictionary, std::move(exif));
      break;
    }
    if (dpiX > 0 && dpiY > 0) {
      properties_.set(kCGImagePropertyDPIWidth, dpiX);
      properties_.set(kCGImagePropertyDPIHeight, dpiY);
    }
    JOCTET* icc = nullptr;
    unsigned int iccLength = 0;
    if (jpeg_read_icc_profile(&s.cinfo, &icc, &iccLength) && icc) {
      icc_.assign(icc, icc + iccLength);
      std::free(icc);
      if (auto profile = IccProfile::createWithData(icc_); profile && !profile->description().empty())
        properties_.set(kCGImagePropertyProfileName, profile->description());
    }
  }

  info_.components = grey ? 1 : 3;
  info_.bitsPerSample = 8;
  info_.alpha = false;
  // Decoding starts with the first row: a source opened for its properties, or a thumbnail
  // that asks for a reduction first, never starts it (a progressive file is decoded whole
  // when it starts).
  applyReduction();
  return true;
}

void JpegDecoder::applyReduction() {
  State& s = *s_;
  s.cinfo.scale_num = 1;
  s.cinfo.scale_denom = unsigned(reduction_);
  jpeg_calc_output_dimensions(&s.cinfo);
  info_.width = s.cinfo.output_width;
  info_.height = s.cinfo.output_height;
}

bool JpegDecoder::rewind() { return begin(false); }

void JpegDecoder::setReduction(int factor) {
  int r = 1;
  while (r * 2 <= factor && r < 8) r *= 2;
  if (r == reduction_ || !s_ || s_->started || s_->failed || !s_->created) return;
  reduction_ = r;
  if (setjmp(s_->err.jump)) {
    s_->failed = true;
    return;
  }
  applyReduction();
}

bool JpegDecoder::readRow(std::uint8_t* out) {
  if (!s_ || !s_->created || s_->failed) return false;
  State& s = *s_;
  if (setjmp(s.err.jump)) {
    s.failed = true;
    return false;
  }
  if (!s.started) {
    jpeg_start_decompress(&s.cinfo);
    s.started = true;
    if (s.cinfo.out_color_space == JCS_CMYK) {
      try {
        s.cmyk.resize(std::size_t(s.cinfo.output_width) * 4);
      } catch (const std::bad_alloc&) {
        s.failed = true;
        return false;
      }
    }
  }
  if (s.cinfo.output_scanline >= s.cinfo.output_height) return false;
  JSAMPROW row = s.cmyk.empty() ? out : s.cmyk.data();
  if (jpeg_read_scanlines(&s.cinfo, &row, 1) != 1 || s.err.damaged) {
    s.failed = true;
    return false;
  }
  if (!s.cmyk.empty()) {
    // Inverted CMYK as written by most encoders: each channel is the ink left unused.
    const bool inverted = s.cinfo.saw_Adobe_marker;
    for (std::size_t x = 0; x < s.cinfo.output_width; ++x) {
      const JSAMPLE* p = &s.cmyk[x * 4];
      int k = inverted ? p[3] : 255 - p[3];
      for (int c = 0; c < 3; ++c) {
        int v = inverted ? p[c] : 255 - p[c];
        out[x * 3 + std::size_t(c)] = std::uint8_t(v * k / 255);
      }
    }
  }
  return true;
}

}  // namespace imageio
