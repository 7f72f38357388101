#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace velmor {

// Rows of one image set aside in an unnamed temporary file (gone when closed, also after a
// crash), so that a stage that must see the whole image before its first output row (a quarter
// turn, a half turn) holds a row or a band in memory, not the image.
class RowSpill {
 public:
  explicit RowSpill(std::size_t rowBytes);
  ~RowSpill();
  RowSpill(const RowSpill&) = delete;
  RowSpill& operator=(const RowSpill&) = delete;

  // False when the file could not be made or written (the disk is full).
  bool ok() const { return file_ && !failed_; }
  bool append(const std::uint8_t* row);
  int rows() const { return rows_; }
  // `length` bytes of row `row` from byte `offset` into out; false when they cannot be read.
  bool read(int row, std::size_t offset, std::size_t length, std::uint8_t* out);

 private:
  std::FILE* file_ = nullptr;
  int fd_ = -1;
  std::size_t rowBytes_;
  int rows_ = 0;
  bool failed_ = false;
};

}  // namespace velmor
