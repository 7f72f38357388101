#include "imageio/codecs/TiffDecoder.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <tiffio.h>

#include "imageio/IccProfile.h"
#include "imageio/ImageProperties.h"

namespace imageio {

namespace {

// libtiff's own buffers (a decoded strip or tile, a tag's values) stay below this, whatever a
// header claims; a real strip is far smaller.
constexpr tmsize_t kMaxLibraryAllocation = tmsize_t(512) << 20;
// The band of rows the RGBA reader decodes at once stays below this.
constexpr std::size_t kMaxBandBytes = std::size_t(64) << 20;

// Errors are answered through return values; nothing goes to stderr.
int quiet(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct Memory {
  std::shared_ptr<const fnd::Data> data;
  toff_t position = 0;
};

tmsize_t memRead(thandle_t h, void* buf, tmsize_t size) {
  auto* m = static_cast<Memory*>(h);
  if (size <= 0 || m->position >= m->data->size()) return 0;
  tmsize_t n = std::min<tmsize_t>(size, tmsize_t(m->data->size() - m->position));
  std::memcpy(buf, m->data->data() + m->position, std::size_t(n));
  m->position += toff_t(n);
  return n;
}
tmsize_t memWrite(thandle_t, void*, tmsize_t) { return -1; }
toff_t memSeek(thandle_t h, toff_t off, int whence) {
  auto* m = static_cast<Memory*>(h);
  toff_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? m->position : toff_t(m->data->size());
  m->position = base + off;
  return m->position;
}
int memClose(thandle_t) { return 0; }
toff_t memSize(thandle_t h) { return toff_t(static_cast<Memory*>(h)->data->size()); }
int memMap(thandle_t, void**, toff_t*) { return 0; }
void memUnmap(thandle_t, void*, toff_t) {}

TIFF* openTiff(const DecoderInput& input, Memory& memory) {
  TIFFOpenOptions* opts = TIFFOpenOptionsAlloc();
  TIFFOpenOptionsSetErrorHandlerExtR(opts, quiet, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(opts, quiet, nullptr);
  TIFFOpenOptionsSetMaxSingleMemAlloc(opts, kMaxLibraryAllocation);
  TIFF* tif;
  if (input.data) {
    memory.data = input.data;
    memory.position = 0;
    tif = TIFFClientOpenExt("memory", "rm", &memory, memRead, memWrite, memSeek, memClose, memSize, memMap, memUnmap,
                            opts);
  } else {
    tif = TIFFOpenExt(input.path.c_str(), "r", opts);
  }
  TIFFOpenOptionsFree(opts);
  return tif;
}

}  // namespace

struct TiffDecoder::State {
  Memory memory;
  TIFF* tif = nullptr;
  bool rgba = false;  // through the RGBA reader
  bool invert = false;
  int fileSamples = 1;
  std::uint32_t row = 0;
  bool failed = false;
  // RGBA reader: one band of rows.
  TIFFRGBAImage img{};
  bool imgStarted = false;
  std::vector<std::uint32_t> band;
  std::uint32_t bandFirst = 0, bandRows = 0, bandHeight = 1;
  std::vector<std::uint16_t> row16;
};

TiffDecoder::TiffDecoder() = default;

TiffDecoder::~TiffDecoder() {
  if (!s_) return;
  if (s_->imgStarted) TIFFRGBAImageEnd(&s_->img);
  if (s_->tif) TIFFClose(s_->tif);
}

int TiffDecoder::count(const DecoderInput& input) {
  Memory memory;
  TIFF* tif = openTiff(input, memory);
  if (!tif) return 0;
  int n = 0;
  do {
    ++n;
  } while (n < 4096 && TIFFReadDirectory(tif));
  TIFFClose(tif);
  return n;
}

std::unique_ptr<TiffDecoder> TiffDecoder::open(const DecoderInput& input, int index) {
  std::unique_ptr<TiffDecoder> d(new TiffDecoder);
  d->s_ = std::make_unique<State>();
  d->s_->tif = openTiff(input, d->s_->memory);
  if (!d->s_->tif) return nullptr;
  if (index != 0 && !TIFFSetDirectory(d->s_->tif, tdir_t(index))) return nullptr;
  if (!d->readHeader()) return nullptr;
  return d;
}

bool TiffDecoder::readHeader() {
  TIFF* tif = s_->tif;
  std::uint32_t w = 0, h = 0;
  std::uint16_t bps = 1, spp = 1, photometric = PHOTOMETRIC_MINISBLACK, planar = PLANARCONFIG_CONTIG;
  std::uint16_t compression = COMPRESSION_NONE, orientation = 0, unit = RESUNIT_INCH;
  std::uint16_t extraCount = 0;
  std::uint16_t* extraTypes = nullptr;
  if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h) || w == 0 || h == 0 ||
      w > kMaxImageSide || h > kMaxImageSide)
    return false;
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bps);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
  TIFFGetFieldDefaulted(tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes);
  if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric))
    photometric = spp >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
  bool hasOrientation = TIFFGetField(tif, TIFFTAG_ORIENTATION, &orientation) != 0;
  TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
  float xres = 0, yres = 0;
  bool hasRes = TIFFGetField(tif, TIFFTAG_XRESOLUTION, &xres) && TIFFGetField(tif, TIFFTAG_YRESOLUTION, &yres);

  const bool greyish = photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE;
  const int colour = greyish ? 1 : 3;
  const bool alpha = extraCount >= 1 && extraTypes &&
                     (extraTypes[0] == EXTRASAMPLE_ASSOCALPHA || extraTypes[0] == EXTRASAMPLE_UNASSALPHA);
  const bool direct = !TIFFIsTiled(tif) && (planar == PLANARCONFIG_CONTIG || spp == 1) &&
                      (bps == 8 || bps == 16 || (bps == 1 && spp == 1)) &&
                      (greyish || photometric == PHOTOMETRIC_RGB) && spp >= colour && spp <= colour + 1;

  info_.width = w;
  info_.height = h;
  if (direct) {
    s_->rgba = false;
    s_->invert = photometric == PHOTOMETRIC_MINISWHITE;
    s_->fileSamples = spp;
    info_.components = colour;
    info_.bitsPerSample = bps;
    info_.alpha = spp == colour + 1;  // an unspecified extra sample is kept as padding
  } else {
    char message[1024];
    if (!TIFFRGBAImageOK(tif, message) || !TIFFRGBAImageBegin(&s_->img, tif, 0, message)) return false;
    s_->imgStarted = true;
    s_->img.req_orientation = ORIENTATION_TOPLEFT;
    s_->rgba = true;
    std::uint32_t band = 0;
    if (TIFFIsTiled(tif)) {
      TIFFGetField(tif, TIFFTAG_TILELENGTH, &band);
    } else {
      TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &band);
    }
    // A whole strip or tile row at a time where it fits, so compressed strips are not decoded
    // again for every row.
    const std::uint32_t fit = std::uint32_t(std::max<std::size_t>(1, kMaxBandBytes / (std::size_t(w) * 4)));
    s_->bandHeight = std::clamp<std::uint32_t>(band, 1, std::max<std::uint32_t>(1, std::min({h, 4096u, fit})));
    info_.components = 3;
    info_.bitsPerSample = 8;
    info_.alpha = alpha;
  }

  properties_.clear();
  properties_.set(kCGImagePropertyPixelWidth, (long long)w);
  properties_.set(kCGImagePropertyPixelHeight, (long long)h);
  properties_.set(kCGImagePropertyDepth, int(bps));
  properties_.set(kCGImagePropertyColorModel, greyish ? kCGImagePropertyColorModelGray : kCGImagePropertyColorModelRGB);
  if (alpha) properties_.set(kCGImagePropertyHasAlpha, true);
  if (hasOrientation && orientation >= 1 && orientation <= 8) properties_.set(kCGImagePropertyOrientation, int(orientation));
  fnd::Dictionary tiff;
  tiff.set(kCGImagePropertyTIFFCompression, int(compression));
  tiff.set(kCGImagePropertyTIFFPhotometricInterpretation, int(photometric));
  if (hasOrientation) tiff.set(kCGImagePropertyTIFFOrientation, int(orientation));
  if (hasRes) {
    tiff.set(kCGImagePropertyTIFFXResolution, double(xres));
    tiff.set(kCGImagePropertyTIFFYResolution, double(yres));
    tiff.set(kCGImagePropertyTIFFResolutionUnit, int(unit));
    double perInch = unit == RESUNIT_CENTIMETER ? 2.54 : unit == RESUNIT_INCH ? 1.0 : 0.0;
    if (perInch > 0 && xres > 0 && yres > 0) {
      properties_.set(kCGImagePropertyDPIWidth, double(xres) * perInch);
      properties_.set(kCGImagePropertyDPIHeight, double(yres) * perInch);
    }
  }
  for (auto [key, tag] : {std::pair{kCGImagePropertyTIFFMake, TIFFTAG_MAKE}, std::pair{kCGImagePropertyTIFFModel, TIFFTAG_MODEL},
                          std::pair{kCGImagePropertyTIFFSoftware, TIFFTAG_SOFTWARE},
                          std::pair{kCGImagePropertyTIFFDateTime, TIFFTAG_DATETIME}}) {
    char* text = nullptr;
    if (TIFFGetField(tif, tag, &text) && text) tiff.set(key, std::string(text));
  }
  properties_.set(kCGImagePropertyTIFFDictionary, std::move(tiff));
  std::uint32_t iccLength = 0;
  void* icc = nullptr;
  if (TIFFGetField(tif, TIFFTAG_ICCPROFILE, &iccLength, &icc) && icc && iccLength > 0) {
    const auto* bytes = static_cast<const std::uint8_t*>(icc);
    icc_.assign(bytes, bytes + iccLength);
    if (auto profile = IccProfile::createWithData(icc_); profile && !profile->description().empty())
      properties_.set(kCGImagePropertyProfileName, profile->description());
  }
  return true;
}

bool TiffDecoder::rewind() {
  if (!s_ || !s_->tif) return false;
  s_->row = 0;
  s_->bandRows = 0;
  s_->failed = false;
  return true;
}

bool TiffDecoder::readRow(std::uint8_t* out) {
  if (!s_ || s_->failed || s_->row >= info_.height) return false;
  State& s = *s_;
  const std::size_t w = info_.width;
  // Buffers are sized when rows are first asked for, never when the header is read.
  try {
    if (!s.rgba && info_.bitsPerSample == 16 && s.row16.empty()) s.row16.resize(w * std::size_t(s.fileSamples));
    if (s.rgba && s.band.empty()) s.band.resize(w * s.bandHeight);
  } catch (const std::bad_alloc&) {
    s.failed = true;
    return false;
  }
  if (!s.rgba) {
    void* target = info_.bitsPerSample == 16 ? static_cast<void*>(s.row16.data()) : static_cast<void*>(out);
    if (TIFFReadScanline(s.tif, target, s.row, 0) < 0) {
      s.failed = true;
      return false;
    }
    if (info_.bitsPerSample == 16) {
      const std::size_t n = w * std::size_t(s.fileSamples);
      for (std::size_t i = 0; i < n; ++i) {
        std::uint16_t v = s.row16[i];
        if (s.invert) v = std::uint16_t(65535 - v);
        out[2 * i] = std::uint8_t(v & 0xFF);
        out[2 * i + 1] = std::uint8_t(v >> 8);
      }
    } else if (s.invert) {
      const std::size_t n = info_.rowBytes();
      for (std::size_t i = 0; i < n; ++i) out[i] = std::uint8_t(~out[i]);
    }
    ++s.row;
    return true;
  }
  if (s.row < s.bandFirst || s.row >= s.bandFirst + s.bandRows) {
    std::uint32_t rows = std::min<std::uint32_t>(s.bandHeight, std::uint32_t(info_.height) - s.row);
    s.img.row_offset = int(s.row);
    s.img.col_offset = 0;
    if (!TIFFRGBAImageGet(&s.img, s.band.data(), std::uint32_t(w), rows)) {
      s.failed = true;
      return false;
    }
    s.bandFirst = s.row;
    s.bandRows = rows;
  }
  const std::uint32_t* px = s.band.data() + std::size_t(s.row - s.bandFirst) * w;
  const int samples = info_.alpha ? 4 : 3;
  for (std::size_t x = 0; x < w; ++x) {
    std::uint32_t p = px[x];
    std::uint8_t* o = out + x * std::size_t(samples);
    o[0] = std::uint8_t(TIFFGetR(p));
    o[1] = std::uint8_t(TIFFGetG(p));
    o[2] = std::uint8_t(TIFFGetB(p));
    if (samples == 4) o[3] = std::uint8_t(TIFFGetA(p));
  }
  ++s.row;
  return true;
}

}  // namespace imageio
