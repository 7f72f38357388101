#pragma once

// Writes an uncompressed, big-endian TIFF strip by strip while the scan arrives, for images
// too large to go through an image destination (output format 4330). The pixel data comes
// first, right after the 8-byte header; the image file directory (a fixed 210 bytes) and
// what it points to follow the data once the last line is in (after one pad byte when the
// data has an odd length: directories and values start on even offsets). Only a small staging buffer
// is held, never the image.
//
// Call order: Initialize, StartXform, WriteLines for the lines top to bottom, EndXform (or
// AbortXform); Terminate at the end. Every operation answers a code (CMError.h) and throws
// nothing. An operation that fails after the file was opened closes it and releases both
// records; the partial file stays for the caller to delete.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "launcher/save/CMError.h"
#include "launcher/save/ICMFILE_CLASS.h"
#include "launcher/save/ICMSTR_CLASS.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/ISM_XFORM_INFO.h"

class LargeTiffXform {
 public:
  // Strips hold at most this many bytes (a line longer than that is a strip of its own).
  static constexpr std::uint64_t kStripBytes = 131072;
  // Size of the image file directory: entry count, 17 entry slots, next-directory offset.
  static constexpr std::uint32_t kDirectoryBytes = 210;

  LargeTiffXform();
  ~LargeTiffXform();
  LargeTiffXform(const LargeTiffXform&) = delete;
  LargeTiffXform& operator=(const LargeTiffXform&) = delete;

  // Releases a held image record, transform record and output file.
  CMResult Initialize();
  // Releases the records, the output file and both strings.
  CMResult Terminate();

  // Opens the output path of a 4333 -> 4330 transform and writes the header. 0xACA04 null
  // record; 0xA9800 a copy or the file object could not be made; 0xACA03 another format
  // pair, an empty output path or a depth other than 1, 8, 16, 24, 48 bits per pixel; 0xACA02
  // a width or height of 0; 0xAF200 the file would pass 4 GiB; file codes when it cannot be
  // opened. An existing file at the path is replaced whole.
  CMResult StartXform(const ISM_XFORM_INFO* xform, const ISM_IMAGE_INFO* image);
  // Appends lineCount lines, each the first bytes-per-line bytes of a row of srcRowStride
  // bytes in data. 16-bit samples (little-endian in data) are written big-endian; the
  // caller's buffer is left as it was. 0xACA04 nothing open; 0xACA01 no property block;
  // 0xACA03 another format pair; 0xACA02 null data, a stride shorter than a line, or lines
  // past the image's height.
  CMResult WriteLines(std::uint32_t lineCount, std::uint64_t srcRowStride, const void* data);
  // Writes the directory and what follows it (profile from profilePath for colour images;
  // for grey images a path selects the device grey space, which carries no profile), then
  // closes the file. 0xACA03 another format pair; 0xACA04 nothing open; 0xACA05 fewer lines
  // than the image's height were written; 0xA9800 no memory for the strip tables.
  CMResult EndXform(const std::string* profilePath);
  // Closes the output file (the partial file stays) and releases both records. 0xACA04
  // without a transform record; 0xACA03 another format pair.
  CMResult AbortXform();
  // With keep set, the next transforms' files never replace a file already at the output path
  // (StartXform or EndXform then fail with 0xDF400), and a transform that does not end whole
  // leaves no partial file. Off by default.
  void SetKeepsExistingOutput(bool keep) { m_bKeepExistingOutput = keep; }
  // The last transform put its file at the output path.
  bool OutputWritten() const { return m_bOutputWritten; }

  // Geometry of the open transform, for tests.
  std::uint32_t GetRowsPerStrip() const { return m_RowsPerStrip; }
  std::uint32_t GetStripCount() const { return m_Strip_count; }
  std::uint64_t GetDirectoryOffset() const { return m_Offset; }
  std::uint64_t GetBytesPerLine() const { return m_BytesPerLine; }

 private:
  bool IsLargeTiffPair() const;
  void ReleaseOutput();
  CMResult FlushStaging();
  CMResult WriteDirectory(const std::string* profilePath);

  std::unique_ptr<ISM_IMAGE_INFO> m_pImageInfo;
  std::unique_ptr<ISM_XFORM_INFO> m_pXformInfo;
  std::unique_ptr<ICMFILE_CLASS> m_pOutFile;
  std::unique_ptr<ICMSTR_CLASS> m_wszTempFolderPath;
  std::uint32_t m_RowsPerStrip = 0;
  std::uint64_t m_Offset = 0;
  std::uint64_t m_BytesPerLine = 0;
  std::uint32_t m_Strip_count = 0;
  std::uint32_t m_PixelFormat = 0;
  std::unique_ptr<ICMSTR_CLASS> m_ColorSpace;

  // Lines written so far, and the staging buffer that gathers (and byte-swaps) them so that
  // the file sees few, large writes.
  std::uint64_t m_LinesWritten = 0;
  std::vector<std::uint8_t> m_Staging;
  std::size_t m_StagingUsed = 0;
  bool m_bKeepExistingOutput = false;
  bool m_bOpenKeepsExisting = false;  // the open file was opened as a new file
  bool m_bOutputWritten = false;
};
