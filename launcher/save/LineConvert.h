#pragma once

// Pixel-line conversions between the scanner's line layout and the layout a writer needs.
// Each converts one line from src (srcBytes) into dst (dstBytes) and answers 0, or 0xACA02
// for a null src or dst, or for a dst too small to hold the converted line (nothing is written
// then). 16-bit samples are little-endian; their "high byte" is the second byte in memory.
// Where no flag asks for a change the line is copied unchanged.

#include <cstddef>
#include <cstdint>

#include "launcher/save/CMError.h"

// 48-bit RGB (16-bit R, G, B).
//   reduce and reverse: 8-bit B, G, R of the high bytes (3 bytes a pixel)
//   reduce only:        8-bit R, G, B of the high bytes
//   reverse only:       16-bit B, G, R (red and blue samples swapped)
// Safe in place (dst == src).
CMResult CM_ConvertLine48(const void* src, std::size_t srcBytes, void* dst, std::size_t dstBytes, bool reduce,
                          bool reverse);

// 24-bit RGB.
//   inPlace and reverse: red and blue swapped in dst, which already holds the line (src is
//                        only checked for null; dst may be src)
//   reverse only:        red and blue swapped while copying into dst
//   inPlace only:        nothing is written
CMResult CM_ConvertLine24(const void* src, std::size_t srcBytes, void* dst, std::size_t dstBytes, bool inPlace,
                          bool reverse);

// 16-bit grey.
//   to8 and toRGB: three 8-bit samples of the high byte
//   to8 only:      one 8-bit sample (the high byte); safe in place
//   toRGB only:    three 16-bit samples equal to the grey sample
CMResult CM_ConvertLine16(const void* src, std::size_t srcBytes, void* dst, std::size_t dstBytes, bool to8,
                          bool toRGB);

// 8-bit grey. toRGB: three equal 8-bit samples.
CMResult CM_ConvertLine8(const void* src, std::size_t srcBytes, void* dst, std::size_t dstBytes, bool toRGB);

// 1-bit line of pixelCount pixels, most significant bit first; bit 1 is white.
//   toRGB:  1 -> 255, 255, 255; 0 -> 0, 0, 0
//   to8:    1 -> 255; 0 -> 0
//   invert: every byte inverted
//   none of these: copied, unless noCopy is set (the line is already where it belongs)
// The first flag that is set wins. pixelCount beyond the source's bits is refused (0xACA02).
CMResult CM_ConvertLine1(const void* src, std::size_t srcBytes, void* dst, std::size_t dstBytes,
                         std::size_t pixelCount, bool toRGB, bool to8, bool invert, bool noCopy);
