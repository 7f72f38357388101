#include "imageio/ImageSource.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>
#include <vector>

#include "imageio/AreaAverager.h"
#include "imageio/CodecModule.h"
#include "imageio/ImageProperties.h"
#include "imageio/RowReader.h"

namespace imageio {

namespace {

// The largest thumbnail made: 8192 x 8192 pixels.
constexpr std::size_t kMaxThumbnailPixels = std::size_t(1) << 26;

// Area-averages full into tw x th pixels of 8-bit samples, turned by the orientation when
// turn is set; null when full's rows cannot all be read. Allocation failures throw.
ImageRef thumbnailOf(const Image& full, std::size_t tw, std::size_t th, int orientation, bool turn);

// Hands a decoder's rows out as a byte stream; rewinding starts the decoder again.
DataProviderRef providerFor(std::shared_ptr<Decoder> decoder) {
  struct Stream {
    std::shared_ptr<Decoder> decoder;
    std::vector<std::uint8_t> row;
    std::size_t used = 0;  // bytes of row already handed out
    bool failed = false;
  };
  auto stream = std::make_shared<Stream>();
  stream->decoder = std::move(decoder);
  DataProviderSequentialCallbacks callbacks;
  callbacks.getBytes = [stream](void* buffer, std::size_t count) -> std::size_t {
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    // The row buffer is made when the first bytes are asked for, not with the image.
    if (stream->row.empty() && !stream->failed) {
      try {
        stream->row.resize(stream->decoder->info().rowBytes());
      } catch (const std::bad_alloc&) {
        stream->failed = true;
      }
      stream->used = stream->row.size();
    }
    while (done < count && !stream->failed) {
      if (stream->used == stream->row.size()) {
        if (!stream->decoder->readRow(stream->row.data())) {
          stream->failed = true;
          break;
        }
        stream->used = 0;
      }
      std::size_t n = std::min(count - done, stream->row.size() - stream->used);
      std::memcpy(out + done, stream->row.data() + stream->used, n);
      stream->used += n;
      done += n;
    }
    return done;
  };
  callbacks.rewind = [stream] {
    stream->failed = !stream->decoder->rewind();
    stream->used = stream->row.size();
  };
  return DataProvider::createSequential(std::move(callbacks));
}

ColorSpaceRef colorSpaceFor(const Decoder& decoder) {
  const int components = decoder.info().components;
  if (!decoder.iccProfile().empty()) {
    if (auto cs = ColorSpace::createWithICCData(decoder.iccProfile()); cs && cs->numberOfComponents() == components)
      return cs;
  }
  // Files without a profile are taken to be in the usual display spaces.
  return components == 1 ? ColorSpace::genericGrayGamma2_2() : ColorSpace::sRGB();
}

ImageRef imageFor(std::shared_ptr<Decoder> decoder) {
  const Decoder::Info info = decoder->info();
  const int samples = info.components + (info.alpha ? 1 : 0);
  BitmapInfo bitmap;
  if (info.alpha)
    bitmap.alpha = decoder->properties().boolean(kCGImagePropertyHasAlpha) ? AlphaInfo::Last : AlphaInfo::NoneSkipLast;
  if (info.bitsPerSample == 16) bitmap.order = ByteOrder::Little16;
  ColorSpaceRef cs = colorSpaceFor(*decoder);
  std::size_t rowBytes = info.rowBytes();
  return Image::create(info.width, info.height, std::size_t(info.bitsPerSample),
                       std::size_t(info.bitsPerSample * samples), rowBytes, std::move(cs), bitmap,
                       providerFor(std::move(decoder)));
}

// Source coordinates of the displayed pixel (dx, dy) for each orientation, w x h stored.
void storedPixel(int orientation, std::size_t w, std::size_t h, std::size_t dx, std::size_t dy, std::size_t& sx,
                 std::size_t& sy) {
  switch (orientation) {
    case 2: sx = w - 1 - dx; sy = dy; break;
    case 3: sx = w - 1 - dx; sy = h - 1 - dy; break;
    case 4: sx = dx; sy = h - 1 - dy; break;
    case 5: sx = dy; sy = dx; break;
    case 6: sx = dy; sy = h - 1 - dx; break;
    case 7: sx = w - 1 - dy; sy = h - 1 - dx; break;
    case 8: sx = w - 1 - dy; sy = dx; break;
    default: sx = dx; sy = dy; break;
  }
}

}  // namespace

std::unique_ptr<ImageSource> ImageSource::createWithPath(const std::string& path, const fnd::Dictionary&) {
  return create(path, nullptr);
}

std::unique_ptr<ImageSource> ImageSource::createWithData(fnd::Data data, const fnd::Dictionary&) {
  return create({}, std::make_shared<const fnd::Data>(std::move(data)));
}

std::unique_ptr<ImageSource> ImageSource::create(std::string path, std::shared_ptr<const fnd::Data> data) {
  std::uint8_t magic[4] = {0, 0, 0, 0};
  if (data) {
    if (data->size() < 4) return nullptr;
    std::memcpy(magic, data->data(), 4);
  } else {
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(magic), 4)) return nullptr;
  }
  // Without the codec module no file can be opened: the source is refused as a file that does
  // not read.
  const CodecModule* codecs = codecModule();
  if (!codecs) return nullptr;
  std::unique_ptr<ImageSource> source(new ImageSource);
  source->path_ = std::move(path);
  source->data_ = std::move(data);
  DecoderInput input{source->path_, source->data_};
  if (magic[0] == 0xFF && magic[1] == 0xD8 && magic[2] == 0xFF) {
    source->format_ = Format::JPEG;
    if (!codecs->openJpeg(input)) return nullptr;
    source->count_ = 1;
  } else if ((magic[0] == 'I' && magic[1] == 'I' && (magic[2] == 42 || magic[2] == 43) && magic[3] == 0) ||
             (magic[0] == 'M' && magic[1] == 'M' && magic[2] == 0 && (magic[3] == 42 || magic[3] == 43))) {
    source->format_ = Format::TIFF;
    if (!codecs->openTiff(input, 0)) return nullptr;
    source->count_ = std::size_t(codecs->tiffImageCount(input));
  } else {
    return nullptr;
  }
  return source;
}

const char* ImageSource::type() const { return format_ == Format::JPEG ? "JPEG" : "TIFF"; }

namespace {
// A source exists only once the codec module is loaded.
std::unique_ptr<Decoder> openDecoder(bool jpeg, const DecoderInput& input, std::size_t index) {
  const CodecModule* codecs = codecModule();
  if (!codecs) return nullptr;
  if (jpeg) return index == 0 ? codecs->openJpeg(input) : nullptr;
  return codecs->openTiff(input, int(index));
}
}  // namespace

std::optional<fnd::Dictionary> ImageSource::copyPropertiesAtIndex(std::size_t index, const fnd::Dictionary&) const {
  if (index >= count_) return std::nullopt;
  auto decoder = openDecoder(format_ == Format::JPEG, DecoderInput{path_, data_}, index);
  if (!decoder) return std::nullopt;
  return decoder->properties();
}

ImageRef ImageSource::createImageAtIndex(std::size_t index, const fnd::Dictionary&) const {
  if (index >= count_) return nullptr;
  std::shared_ptr<Decoder> decoder = openDecoder(format_ == Format::JPEG, DecoderInput{path_, data_}, index);
  if (!decoder) return nullptr;
  return imageFor(std::move(decoder));
}

std::size_t ImageSource::fileBytes() const {
  if (data_) return data_->size();
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path_, error);
  return error ? 0 : std::size_t(size);
}

ImageRef ImageSource::createThumbnailAtIndex(std::size_t index, const fnd::Dictionary& options) const {
  if (index >= count_) return nullptr;
  std::shared_ptr<Decoder> decoder = openDecoder(format_ == Format::JPEG, DecoderInput{path_, data_}, index);
  if (!decoder) return nullptr;
  const std::size_t fullW = decoder->info().width, fullH = decoder->info().height;
  const long long maxSize = options.integer(kCGImageSourceThumbnailMaxPixelSize);
  std::size_t tw = fullW, th = fullH;
  AreaAverager::fitSize(fullW, fullH, maxSize > 0 ? std::size_t(maxSize) : 0, &tw, &th);
  decoder->setReduction(int(std::min(fullW / tw, fullH / th)));
  const int orientation = decoder->properties().intValue(kCGImagePropertyOrientation);
  // Bounded before a row is decoded (each side is at most kMaxImageSide: no overflow).
  if (fullW * fullH / kMaxPixelsPerFileByte >= fileBytes()) return nullptr;
  ImageRef full = imageFor(decoder);
  if (!full) return nullptr;
  const std::size_t sw = full->width(), sh = full->height();
  tw = std::min(tw, sw);
  th = std::min(th, sh);
  // A thumbnail is held whole; one the size of a huge image (no maximum asked) is refused.
  if (tw * th > kMaxThumbnailPixels) return nullptr;
  try {
    return thumbnailOf(*full, tw, th, orientation, options.boolean(kCGImageSourceCreateThumbnailWithTransform));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

namespace {

ImageRef thumbnailOf(const Image& full, std::size_t tw, std::size_t th, int orientation, bool turn) {
  const std::size_t sw = full.width(), sh = full.height();
  const int comps = full.colorSpace()->numberOfComponents();

  // Area average over the source pixels that fall into each thumbnail pixel, one source
  // row held at a time.
  AreaAverager averager(sw, sh, tw, th, comps);
  std::vector<std::uint8_t> row(sw * std::size_t(comps));
  RowReader reader(full);
  while (!averager.complete()) {
    if (!reader.next8(row.data())) return nullptr;
    averager.addRow(row.data());
  }
  std::vector<std::uint8_t> thumb = averager.takePixels();

  std::size_t dw = tw, dh = th;
  if (turn && orientation >= 2 && orientation <= 8) {
    if (orientation >= 5) std::swap(dw, dh);
    std::vector<std::uint8_t> turned(thumb.size());
    for (std::size_t dy = 0; dy < dh; ++dy) {
      for (std::size_t dx = 0; dx < dw; ++dx) {
        std::size_t sx, sy;
        storedPixel(orientation, tw, th, dx, dy, sx, sy);
        std::memcpy(&turned[(dy * dw + dx) * std::size_t(comps)], &thumb[(sy * tw + sx) * std::size_t(comps)],
                    std::size_t(comps));
      }
    }
    thumb.swap(turned);
  }
  return Image::create(dw, dh, 8, std::size_t(8 * comps), dw * std::size_t(comps), full.colorSpace(), BitmapInfo{},
                       DataProvider::createWithData(std::move(thumb)));
}

}  // namespace

}  // namespace imageio
