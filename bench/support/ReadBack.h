#pragma once

// The check every benchmark that writes a file makes on it: it exists and reads back whole.
// For the programs that link imageio (what they measure does).

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "BenchSupport.h"
#include "imageio/ImageSource.h"
#include "imageio/RowReader.h"

namespace benchsupport {

// True when path is a JPEG or TIFF of width x height (0: any) whose every row decodes; a
// failure is counted and says why.
inline bool readsBack(const std::string& path, std::size_t width = 0, std::size_t height = 0) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0) {
    fail(path + ": no output file");
    return false;
  }
  auto source = imageio::ImageSource::createWithPath(path);
  imageio::ImageRef image = source && source->count() > 0 ? source->createImageAtIndex(0) : nullptr;
  if (!image) {
    fail(path + ": not a readable JPEG or TIFF");
    return false;
  }
  if ((width && image->width() != width) || (height && image->height() != height)) {
    fail(path + ": " + std::to_string(image->width()) + " x " + std::to_string(image->height()) + " pixels, not " +
         std::to_string(width) + " x " + std::to_string(height));
    return false;
  }
  imageio::RowReader rows(*image);
  for (std::size_t y = 0; y < image->height(); ++y)
    if (!rows.nextRaw()) {
      fail(path + ": row " + std::to_string(y) + " does not decode");
      return false;
    }
  return true;
}

// True when path is a plain file of exactly size bytes.
inline bool hasSize(const std::string& path, std::uint64_t size) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    fail(path + ": no output file");
    return false;
  }
  return check(std::uint64_t(st.st_size) == size,
               path + ": " + std::to_string(st.st_size) + " bytes, not " + std::to_string(size));
}

}  // namespace benchsupport
