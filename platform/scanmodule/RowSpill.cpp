#include "scanmodule/RowSpill.h"

#include <unistd.h>

namespace velmor {

RowSpill::RowSpill(std::size_t rowBytes) : rowBytes_(rowBytes) {
  file_ = std::tmpfile();  // in $TMPDIR, unlinked at once
  if (file_) fd_ = ::fileno(file_);
}

RowSpill::~RowSpill() {
  if (file_) std::fclose(file_);
}

bool RowSpill::append(const std::uint8_t* row) {
  if (!ok()) return false;
  if (std::fwrite(row, 1, rowBytes_, file_) != rowBytes_) {
    failed_ = true;
    return false;
  }
  ++rows_;
  return true;
}

bool RowSpill::read(int row, std::size_t offset, std::size_t length, std::uint8_t* out) {
  if (!ok() || row < 0 || row >= rows_ || offset + length > rowBytes_) return false;
  // Whatever the stream still buffers goes to the file before the first read.
  if (std::fflush(file_) != 0) {
    failed_ = true;
    return false;
  }
  const auto at = static_cast<off_t>(static_cast<std::size_t>(row) * rowBytes_ + offset);
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::pread(fd_, out + done, length - done, at + static_cast<off_t>(done));
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace velmor
