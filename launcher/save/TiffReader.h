#pragma once

// Reading the pipeline's own uncompressed TIFF files: the geometry from the first (and only)
// image file directory, then the pixel data as one run from the first strip. Works for "II"
// and "MM" files on any host. Files the run cannot describe (compressed, planar, strips that
// are not contiguous, data past the end of the file) are refused rather than read wrongly.
//
// The record is named TIFF, as libtiff names its own handle: a translation unit uses one or
// the other, never both.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "launcher/save/CMError.h"
#include "launcher/save/ICMFILE_CLASS.h"

struct TIFF {
  std::unique_ptr<ICMFILE_CLASS> fp;
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::uint32_t ResolutionX = 0;  // dots per inch, whole numbers
  std::uint32_t ResolutionY = 0;
  std::uint32_t BPP = 0;          // bits of all samples of a pixel: 1, 8, 16, 24 or 48
  std::uint32_t StartOffset = 0;  // file offset of the first strip
  std::uint32_t BitsPerSample = 0;
  std::uint32_t SamplePerPixel = 0;
  std::uint32_t Endian = 0;  // 0 "MM" (big-endian), 1 otherwise
};

// The widest and tallest image the reader accepts, far beyond any scan; a larger side is a
// damaged or hostile header, refused before anything is sized from it.
constexpr std::uint32_t CM_TIFF_MAX_SIDE = 1u << 20;

// Bytes of one row of the record's pixels: 1-bit rows packed, whole bytes otherwise.
std::uint64_t CM_TiffRowBytes(const TIFF& tiff);

// Opens path for reading into tiff.fp and fills the record. 0xAF200 for a file that is not a
// TIFF this reader can describe (wrong magic number, more than one image, more than 32
// directory entries, a directory or a value outside the file, an entry the reader uses whose
// type or count does not suit its tag, compressed or planar data, strips that do not follow
// each other, a side above CM_TIFF_MAX_SIDE, data past the end of the file); file codes when
// it cannot be opened or read. On failure the file is closed again.
CMResult CM_TiffReadHeader(const std::string* path, TIFF* tiff);
// Reads size x count bytes at the file's position. 0xDF300 without a file or when the file
// ends first; 0xD9801 when size x count overflows.
CMResult CM_TiffRead(void* buffer, std::size_t size, std::size_t count, ICMFILE_CLASS* file);
// Seeks to offset, then CM_TiffRead. 0xAF200 without a file.
CMResult CM_TiffReadAt(TIFF* tiff, std::size_t size, std::size_t count, void* buffer, std::uint64_t offset);
// Seeks to StartOffset. 0xAF200 without a file.
CMResult CM_TiffSeekToData(TIFF* tiff);
// Closes and releases fp if open.
CMResult CM_TiffClose(TIFF* tiff);
