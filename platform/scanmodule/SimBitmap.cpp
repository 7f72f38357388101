#include "scanmodule/SimBitmap.h"

#include <unistd.h>

#include <cstring>

#include "scanmodule/ImageRenderer.h"

namespace velmor {

SimBitmap::~SimBitmap() { close(); }

void SimBitmap::close() {
  if (fp) {
    std::fclose(fp);
    fp = nullptr;
  }
  if (ownsFile_ && !filename.empty()) std::remove(filename.c_str());
  ownsFile_ = false;
  memory_.reset();
  image = readPoint = writePoint = nullptr;
  rowPending_ = false;
}

int SimBitmap::CreateSMBitmap(int /*kind*/, int useFile, int w, int h, int s, int d, int resX, int resY,
                              const std::string& file) {
  close();
  if (w <= 0 || h <= 0 || (s != 1 && s != 3) || (d != 1 && d != 8 && d != 16)) return -1;
  lineBytes = static_cast<std::int64_t>(ImageRenderer::rowBytesFor(w, s, d));
  width = w, height = h, samples = s, depth = d, resolutionX = resX, resolutionY = resY;
  writeLines = 0;
  filename = file;
  if (useFile && !file.empty()) {
    fp = std::fopen(file.c_str(), "w+b");
    if (!fp) return -1;
    ownsFile_ = true;
    fileRow_.assign(static_cast<std::size_t>(lineBytes), 0);
    return 0;
  }
  const auto size = static_cast<std::size_t>(lineBytes) * static_cast<std::size_t>(h);
  memory_.reset(new (std::nothrow) std::uint8_t[size]());
  if (!memory_) return -1;
  image = readPoint = writePoint = memory_.get();
  return 0;
}

void SimBitmap::Reset() {
  writeLines = 0;
  rowPending_ = false;
  if (fp) {
    std::rewind(fp);
    if (::ftruncate(::fileno(fp), 0) != 0) {
      // The file keeps its old rows; they are overwritten as new ones come.
    }
  }
  readPoint = writePoint = image;
}

bool SimBitmap::flush() {
  if (!fp || !rowPending_) return true;
  rowPending_ = false;
  return std::fwrite(fileRow_.data(), 1, fileRow_.size(), fp) == fileRow_.size();
}

std::uint8_t* SimBitmap::WriteNext() {
  if (fp) {
    flush();
    rowPending_ = true;
    return fileRow_.data();
  }
  if (!image) return nullptr;
  const std::uint8_t* end = image + lineBytes * height;
  if (!writePoint || writePoint < image || writePoint + lineBytes > end) {
    spill_.assign(static_cast<std::size_t>(lineBytes), 0);
    return spill_.data();
  }
  std::uint8_t* at = writePoint;
  writePoint += lineBytes;
  return at;
}

bool SimBitmap::readRow(long index, std::uint8_t* out) {
  if (index < 0 || index >= height) return false;
  if (fp) {
    if (!flush() || std::fflush(fp) != 0) return false;
    if (std::fseek(fp, index * static_cast<long>(lineBytes), SEEK_SET) != 0) return false;
    const bool ok = std::fread(out, 1, static_cast<std::size_t>(lineBytes), fp) == static_cast<std::size_t>(lineBytes);
    std::fseek(fp, 0, SEEK_END);  // later rows go after the ones written
    return ok;
  }
  if (!image) return false;
  std::memcpy(out, image + index * lineBytes, static_cast<std::size_t>(lineBytes));
  return true;
}

}  // namespace velmor
