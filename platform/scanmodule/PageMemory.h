#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace velmor {

// A page held in memory: the rows one after another, top first, each as long as the image
// report's row bytes. The holder owns the block; it is freed with the holder.
class PageMemory {
 public:
  PageMemory(std::unique_ptr<std::uint8_t[]> bytes, std::size_t size) : bytes_(std::move(bytes)), size_(size) {}
  PageMemory(const PageMemory&) = delete;
  PageMemory& operator=(const PageMemory&) = delete;

  const std::uint8_t* data() const { return bytes_.get(); }
  std::uint8_t* data() { return bytes_.get(); }
  std::size_t size() const { return size_; }

 private:
  std::unique_ptr<std::uint8_t[]> bytes_;
  std::size_t size_;
};

}  // namespace velmor
