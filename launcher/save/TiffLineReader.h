#pragma once

// Kept, tested and fuzzed, with no caller in the save flow: no pass reads a temporary TIFF back.

// Reads a temporary TIFF of the pipeline back line by line: OpenTiff fills the image record's
// geometry from the file, ReadTiffLines hands out whole lines block by block, CloseTiff lets
// the file go. 16-bit samples of a big-endian file come out in host order.

#include <cstdint>
#include <memory>

#include "launcher/save/CMError.h"
#include "launcher/save/ISM_IMAGE_INFO.h"
#include "launcher/save/TiffReader.h"

class TiffLineReader {
 public:
  TiffLineReader() = default;
  ~TiffLineReader();
  TiffLineReader(const TiffLineReader&) = delete;
  TiffLineReader& operator=(const TiffLineReader&) = delete;

  // Opens the image record's input path and stores width, height, bits per sample, samples
  // per pixel and resolutions into its property block. 0xACA02 for 0 bits per pixel or a
  // width or height of 0; 0xACA03 for a depth other than 1, 8, 16, 24, 48; reader codes
  // (TiffReader.h). With probe set the file is closed again; otherwise it stays open for
  // ReadTiffLines. 0xACA00 when a file is already open.
  CMResult OpenTiff(ISM_IMAGE_INFO* image, bool probe);
  // Reads the next whole lines that fit into size bytes; bytesRead says how many bytes,
  // finished is set with the last lines (the file is then closed). 0xACA04 without an open
  // file; 0xACA02 for a null buffer or a size smaller than one line.
  CMResult ReadTiffLines(void* buffer, std::uint64_t size, std::uint64_t* bytesRead, bool* finished);
  // Closes the file and releases the record.
  CMResult CloseTiff();

  const TIFF& GetTiff() const { return m_Tiff; }

 private:
  TIFF m_Tiff;
  std::unique_ptr<ISM_IMAGE_INFO> m_pImageInfo;
  std::uint64_t m_RawImageLength = 0;
  std::uint64_t m_RawImageOffset = 0;
};
