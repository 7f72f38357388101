#pragma once

#include <cstdint>

// Geometry of one image; always copied whole.
struct SM_ImageProperty_Struct {
  std::uint32_t uiImageWidth;      // pixels per line
  std::uint32_t uiImageLength;     // number of lines
  std::uint32_t uiBitsPerSample;   // 1, 8 or 16
  std::uint32_t uiSamplePerPixel;  // 1 (grey, black and white) or 3 (RGB)
  double fResolutionX;             // dots per inch
  double fResolutionY;
};
static_assert(sizeof(SM_ImageProperty_Struct) == 32, "the property block is 32 bytes");

// Bits per sample and samples per pixel for a scanner's bits per pixel (1, 8, 16, 24, 48).
// False for any other depth.
constexpr bool SM_SampleLayoutForDepth(std::uint32_t bitsPerPixel, std::uint32_t* bitsPerSample,
                                       std::uint32_t* samplesPerPixel) {
  switch (bitsPerPixel) {
    case 1: *bitsPerSample = 1; *samplesPerPixel = 1; return true;
    case 8: *bitsPerSample = 8; *samplesPerPixel = 1; return true;
    case 16: *bitsPerSample = 16; *samplesPerPixel = 1; return true;
    case 24: *bitsPerSample = 8; *samplesPerPixel = 3; return true;
    case 48: *bitsPerSample = 16; *samplesPerPixel = 3; return true;
    default: return false;
  }
}
