// The codec module's one exported symbol: the table imageio finds with dlsym (CodecModule.h).
#include "imageio/CodecModule.h"
#include "imageio/codecs/JpegDecoder.h"
#include "imageio/codecs/JpegWriter.h"
#include "imageio/codecs/LcmsProfiles.h"
#include "imageio/codecs/LcmsTransform.h"
#include "imageio/codecs/TiffDecoder.h"
#include "imageio/codecs/TiffWriter.h"

namespace {

std::unique_ptr<imageio::Decoder> openJpeg(const imageio::DecoderInput& input) {
  return imageio::JpegDecoder::open(input);
}
std::unique_ptr<imageio::Decoder> openTiff(const imageio::DecoderInput& input, int index) {
  return imageio::TiffDecoder::open(input, index);
}

const imageio::CodecModule kCodecs{
    &openJpeg,
    &openTiff,
    &imageio::TiffDecoder::count,
    &imageio::JpegWriter::write,
    &imageio::TiffWriter::write,
    &imageio::LcmsProfiles::makeGray,
    &imageio::LcmsProfiles::makeSRGB,
    &imageio::LcmsProfiles::read,
    &imageio::LcmsTransform::make,
};

}  // namespace

// Typed as the loader calls it: a call through a pointer of another type is undefined.
extern "C" __attribute__((visibility("default"))) const void* imageio_codec_module() { return &kCodecs; }
