#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace velmor {

// A page written to a file: the rows one after another, top first, without a header, each as
// long as the image report's row bytes. Whoever holds it owns the file: it is deleted when the
// holder lets go, unless release() was called.
class PageFile {
 public:
  explicit PageFile(std::string path) : path_(std::move(path)) {}
  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;
  ~PageFile() {
    if (!path_.empty()) {
      std::error_code ec;
      std::filesystem::remove(path_, ec);
    }
  }

  const std::string& path() const { return path_; }

  // Gives up ownership: the file stays, and the caller is to delete it.
  std::string release() { return std::exchange(path_, std::string()); }

 private:
  std::string path_;
};

}  // namespace velmor
