#pragma once

#include <cstddef>
#include <cstdint>

// The records that cross between the launcher and the data source while images are pulled,
// laid out as the TWAIN standard has them (natural alignment). The caller owns every record and
// the buffer a transfer fills.

// Return codes of the transfer calls.
inline constexpr std::int32_t TWRC_SUCCESS = 0;
inline constexpr std::int32_t TWRC_FAILURE = 1;
inline constexpr std::int32_t TWRC_CANCEL = 3;
inline constexpr std::int32_t TWRC_XFERDONE = 6;

// `TW_MEMORY::Flags`: who owns the buffer, and how it is given.
inline constexpr std::uint32_t TWMF_APPOWNS = 0x0001;
inline constexpr std::uint32_t TWMF_POINTER = 0x0008;
inline constexpr std::uint32_t TWMF_HANDLE = 0x0010;  // TheMem points to the buffer's pointer

// Pixel types of `TW_IMAGEINFO`.
inline constexpr std::int16_t TWPT_BW = 0;
inline constexpr std::int16_t TWPT_GRAY = 1;
inline constexpr std::int16_t TWPT_RGB = 2;

// One image as the data source describes it to the launcher.
struct DT_IMAGEINFO {
  std::int32_t XResolution;  // whole dots per inch
  std::int32_t YResolution;
  std::int32_t ImageWidth;   // pixels per row
  std::int32_t ImageLength;  // rows
  std::int32_t SamplesPerPixel;
  std::int32_t BitsPerPixel;
};

struct TW_FIX32 {
  std::int16_t Whole;
  std::uint16_t Frac;
};

struct TW_MEMORY {
  std::uint32_t Flags;
  std::uint32_t Length;  // bytes the buffer holds
  void* TheMem;          // the buffer, or (with TWMF_HANDLE) a pointer to the buffer's pointer
};

struct TW_IMAGEMEMXFER {
  std::uint16_t Compression;
  std::uint32_t BytesPerRow;
  std::uint32_t Columns;
  std::uint32_t Rows;
  std::uint32_t XOffset;
  std::uint32_t YOffset;
  std::uint32_t BytesWritten;
  TW_MEMORY Memory;
};

struct TW_IMAGEINFO {
  TW_FIX32 XResolution;
  TW_FIX32 YResolution;
  std::int32_t ImageWidth;
  std::int32_t ImageLength;
  std::int16_t SamplesPerPixel;
  std::int16_t BitsPerSample[8];
  std::int16_t BitsPerPixel;
  std::uint16_t Planar;
  std::int16_t PixelType;
  std::uint16_t Compression;
};

// The layouts the launcher and the data source share; a change here is a change of both sides.
static_assert(sizeof(DT_IMAGEINFO) == 24);
static_assert(offsetof(DT_IMAGEINFO, BitsPerPixel) == 20);
static_assert(sizeof(TW_FIX32) == 4);
static_assert(sizeof(TW_MEMORY) == 16);
static_assert(offsetof(TW_MEMORY, TheMem) == 8);
static_assert(offsetof(TW_IMAGEMEMXFER, BytesPerRow) == 4);
static_assert(offsetof(TW_IMAGEMEMXFER, BytesWritten) == 24);
static_assert(offsetof(TW_IMAGEMEMXFER, Memory) == 32);
static_assert(sizeof(TW_IMAGEMEMXFER) == 48);
static_assert(offsetof(TW_IMAGEINFO, ImageWidth) == 8);
static_assert(offsetof(TW_IMAGEINFO, SamplesPerPixel) == 16);
static_assert(offsetof(TW_IMAGEINFO, BitsPerSample) == 18);
static_assert(offsetof(TW_IMAGEINFO, BitsPerPixel) == 34);
static_assert(offsetof(TW_IMAGEINFO, Compression) == 40);
static_assert(sizeof(TW_IMAGEINFO) == 44);
