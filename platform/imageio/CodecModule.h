#pragma once

#include <memory>
#include <string>

#include "foundation/Value.h"
#include "imageio/ColorTransform.h"
#include "imageio/Decoder.h"
#include "imageio/Image.h"

namespace imageio {

// The file formats and the colour management behind imageio's classes. They live in a module
// of their own (libimageiocodecs.so, beside imageio), loaded the first time a file is read or
// written or a profile is made or read, so that starting a program does not load the image
// and colour libraries and the many libraries behind them.
struct CodecModule {
  // A JPEG's only image, or image index of a TIFF; null when its header cannot be read.
  std::unique_ptr<Decoder> (*openJpeg)(const DecoderInput& input);
  std::unique_ptr<Decoder> (*openTiff)(const DecoderInput& input, int index);
  // Number of images in a TIFF, 0 when it is not one.
  int (*tiffImageCount)(const DecoderInput& input);
  // Encode image into fd, pulling its rows; false with a message. The TIFF writer takes over fd
  // (closed in every case) and names the file name in its messages.
  bool (*writeJpeg)(const Image& image, const fnd::Dictionary& properties, int fd, std::string& error);
  bool (*writeTiff)(const Image& image, const fnd::Dictionary& properties, int fd, const std::string& name,
                    std::string& error);
  // Version 2 profile bytes of a D50 grey of this gamma, or of sRGB, with this description;
  // empty when they cannot be made.
  fnd::Data (*makeGrayProfile)(double gamma, const char* description);
  fnd::Data (*makeSRGBProfile)(const char* description);
  // False when the bytes are not a profile the colour library accepts; else its description
  // (empty when it has none).
  bool (*readProfile)(const fnd::Data& icc, std::string& description);
  // Between two profiles' bytes, 1 (grey) or 3 (RGB) components each, 8 or 16-bit host-order
  // samples; null when either profile cannot be opened or they cannot be joined.
  std::unique_ptr<ColorTransform> (*makeTransform)(const fnd::Data& from, int fromComponents, const fnd::Data& to,
                                                   int toComponents, bool sixteenBit);
};

inline constexpr const char* kCodecModuleEntry = "imageio_codec_module";
inline constexpr const char* kCodecModuleFile = "libimageiocodecs.so";

// The loaded module, or null (with why) when it cannot be loaded; loaded once per process.
const CodecModule* codecModule(std::string* why = nullptr);

// Loads the module at path, not kept for reuse by codecModule(); null with why when it cannot
// be loaded or has no complete table. What codecModule() does with the file beside imageio.
const CodecModule* loadCodecModule(const std::string& path, std::string* why);

}  // namespace imageio
