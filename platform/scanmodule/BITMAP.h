#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// A bitmap the data source fills row by row (the scan-result copy of a page): in memory, or
// streamed to a file. The fields are public because the data source reads and moves them.
class Velmor_BITMAP {
 public:
  virtual ~Velmor_BITMAP() = default;

  // kind 0; useFile non-zero streams the rows to `file`; width and height in pixels, samples
  // per pixel, bits per sample, resolutions. 0 on success.
  virtual int CreateSMBitmap(int kind, int useFile, int width, int height, int samples, int depth, int resX,
                             int resY, const std::string& file) = 0;
  // Back to the first row; rows written so far are dropped.
  virtual void Reset() = 0;
  // The address to copy the next row to (a file-backed bitmap writes the previous one out).
  virtual std::uint8_t* WriteNext() = 0;

  std::string filename;
  std::FILE* fp = nullptr;             // open file of a file-backed bitmap, owned by the bitmap
  std::uint8_t* image = nullptr;       // rows of a memory bitmap, owned by the bitmap
  std::int64_t lineBytes = 0;
  std::uint8_t* readPoint = nullptr;
  std::int64_t writeLines = 0;
  std::uint8_t* writePoint = nullptr;
  int width = 0, height = 0, samples = 0, depth = 0, resolutionX = 0, resolutionY = 0;
};
