#pragma once

#include <memory>
#include <vector>

#include "scanmodule/BITMAP.h"

namespace velmor {

// A bitmap in memory, or streamed row by row to its own file (deleted with the bitmap).
class SimBitmap final : public Velmor_BITMAP {
 public:
  ~SimBitmap() override;

  int CreateSMBitmap(int kind, int useFile, int width, int height, int samples, int depth, int resX, int resY,
                     const std::string& file) override;
  void Reset() override;
  std::uint8_t* WriteNext() override;

  // Writes out a row still held for the file; false when the file refused it.
  bool flush();
  // Row `index` of the image as written (from memory, or read back from the file) into out.
  bool readRow(long index, std::uint8_t* out);

 private:
  void close();

  std::unique_ptr<std::uint8_t[]> memory_;
  std::vector<std::uint8_t> fileRow_;  // the row being filled for the file
  std::vector<std::uint8_t> spill_;    // rows past the end of a memory bitmap land here
  bool rowPending_ = false;
  bool ownsFile_ = false;
};

}  // namespace velmor
