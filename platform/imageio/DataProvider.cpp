#include "imageio/DataProvider.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace imageio {

DataProviderRef DataProvider::createSequential(DataProviderSequentialCallbacks callbacks) {
  if (!callbacks.getBytes) return nullptr;
  DataProviderRef p(new DataProvider);
  p->sequential_ = std::move(callbacks);
  return p;
}

DataProviderRef DataProvider::createDirect(std::int64_t size, DataProviderDirectCallbacks callbacks) {
  if (!callbacks.getBytesAtPosition || size < 0) return nullptr;
  DataProviderRef p(new DataProvider);
  p->direct_ = std::move(callbacks);
  p->size_ = size;
  p->isDirect_ = true;
  return p;
}

DataProviderRef DataProvider::createWithData(fnd::Data data) {
  DataProviderRef p(new DataProvider);
  p->data_ = std::make_unique<fnd::Data>(std::move(data));
  p->size_ = std::int64_t(p->data_->size());
  p->isDirect_ = true;
  return p;
}

DataProvider::~DataProvider() {
  if (isDirect_ && direct_.releaseInfo) direct_.releaseInfo();
  if (!isDirect_ && sequential_.releaseInfo) sequential_.releaseInfo();
}

std::size_t DataProvider::read(void* buffer, std::int64_t position, std::size_t count) {
  if (!buffer || position < 0 || count == 0) return 0;
  if (data_) {
    if (position >= size_) return 0;
    std::size_t n = std::min<std::size_t>(count, std::size_t(size_ - position));
    std::memcpy(buffer, data_->data() + position, n);
    return n;
  }
  if (!isDirect_) return readSequential(buffer, position, count);
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    std::size_t want = count - done;
    std::int64_t at = position + std::int64_t(done);
    if (size_ >= 0) {
      if (at >= size_) break;
      want = std::min<std::size_t>(want, std::size_t(size_ - at));
    }
    std::size_t got = direct_.getBytesAtPosition(out + done, at, want);
    if (got == 0 || got > want) break;
    done += got;
  }
  return done;
}

const void* DataProvider::bytePointer(std::int64_t position, std::size_t count) {
  if (position < 0 || count == 0) return nullptr;
  if (size_ >= 0 && (position >= size_ || count > std::uint64_t(size_ - position))) return nullptr;
  if (data_) return data_->data() + position;
  if (isDirect_ && direct_.getBytePointer) return direct_.getBytePointer(position, count);
  return nullptr;
}

std::size_t DataProvider::readSequential(void* buffer, std::int64_t position, std::size_t count) {
  if (position < position_) {
    if (!sequential_.rewind) return 0;
    sequential_.rewind();
    position_ = 0;
  }
  if (position > position_) {
    std::int64_t gap = position - position_;
    if (sequential_.skipForward) {
      std::int64_t skipped = sequential_.skipForward(gap);
      if (skipped < 0 || skipped > gap) return 0;
      position_ += skipped;
    }
    std::vector<std::uint8_t> scratch;
    while (position_ < position) {
      std::size_t want = std::size_t(std::min<std::int64_t>(position - position_, 1 << 16));
      scratch.resize(want);
      std::size_t got = sequential_.getBytes(scratch.data(), want);
      if (got == 0 || got > want) return 0;
      position_ += std::int64_t(got);
    }
  }
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    std::size_t want = count - done;
    std::size_t got = sequential_.getBytes(out + done, want);
    if (got == 0 || got > want) break;
    done += got;
    position_ += std::int64_t(got);
  }
  return done;
}

}  // namespace imageio
