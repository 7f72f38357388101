#pragma once

// Codes carried in the image records.

#include <cstdint>

// Format pair: input format in the high 16 bits, output format in the low 16 bits.
constexpr std::uint16_t SM_FORMAT_JPEG = 4320;        // JPEG through the image destination
constexpr std::uint16_t SM_FORMAT_JPEG_EXIF = 4321;   // JPEG with the EXIF pass (grey written as RGB)
constexpr std::uint16_t SM_FORMAT_TIFF = 4322;        // TIFF through the image destination
constexpr std::uint16_t SM_FORMAT_PNG = 4323;
constexpr std::uint16_t SM_FORMAT_PICT = 4324;
constexpr std::uint16_t SM_FORMAT_REFUSED_A = 4325;   // refused by every writer
constexpr std::uint16_t SM_FORMAT_REFUSED_B = 4326;   // refused by every writer
constexpr std::uint16_t SM_FORMAT_PICT_B = 4327;
constexpr std::uint16_t SM_FORMAT_PDF = 4328;
constexpr std::uint16_t SM_FORMAT_NONE = 4329;        // the transform runs, no file is written
constexpr std::uint16_t SM_FORMAT_LARGE_TIFF = 4330;  // TIFF written strip by strip
constexpr std::uint16_t SM_FORMAT_RAW = 4333;         // raw lines in memory: the input of a transform

// An output every writer refuses.
constexpr bool SM_IsRefusedOutput(std::uint32_t out) { return out == SM_FORMAT_REFUSED_A || out == SM_FORMAT_REFUSED_B; }

constexpr std::uint32_t SM_FormatPair(std::uint32_t in, std::uint32_t out) {
  return ((in & 0xFFFFu) << 16) | (out & 0xFFFFu);
}

// JPEG compression.
constexpr std::int16_t SM_COMPRESSION_LOW = 4460;     // quality 0.42
constexpr std::int16_t SM_COMPRESSION_MEDIUM = 4461;  // quality 0.67
constexpr std::int16_t SM_COMPRESSION_HIGH = 4462;    // quality 0.99 (also any other value)

constexpr double SM_JpegQuality(std::int32_t compression) {
  return compression == SM_COMPRESSION_LOW ? 0.42 : compression == SM_COMPRESSION_MEDIUM ? 0.67 : 0.99;
}

// The two values the save driver tests the switches against.
constexpr std::uint16_t SM_SWITCH_4080 = 4080;
constexpr std::uint16_t SM_SWITCH_4081 = 4081;

// Size classes of the resize pass (the transform record's mode); 4553 marks the EXIF-JPEG pass.
constexpr std::int16_t SM_SIZE_CLASS_FIRST = 4550;
constexpr std::int16_t SM_SIZE_CLASS_EXIF = 4553;
constexpr std::int16_t SM_SIZE_CLASS_LAST = 4555;

// Rotation codes; 4750 also skips the rotation pass.
constexpr std::int16_t SM_ROTATE_0 = 4750;
constexpr std::int16_t SM_ROTATE_90 = 4751;
constexpr std::int16_t SM_ROTATE_180 = 4752;
constexpr std::int16_t SM_ROTATE_270 = 4753;

// Degrees for a rotation code; any code outside 4750-4753 rotates by 0.
constexpr int SM_RotationDegrees(std::int32_t code) {
  return (code >= SM_ROTATE_0 && code <= SM_ROTATE_270) ? (code - SM_ROTATE_0) * 90 : 0;
}
