#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "foundation/Value.h"

namespace imageio {

// Callbacks of a provider that hands its bytes out in order.
struct DataProviderSequentialCallbacks {
  // Copy up to count bytes into buffer; the number copied, 0 at the end or on an error.
  std::function<std::size_t(void* buffer, std::size_t count)> getBytes;
  // Skip count bytes; the number skipped. Optional: without it skipped bytes are read.
  std::function<std::int64_t(std::int64_t count)> skipForward;
  // Start again from the first byte.
  std::function<void()> rewind;
  // Called once when the provider goes away.
  std::function<void()> releaseInfo;
};

// Callbacks of a provider that hands out bytes at any position.
struct DataProviderDirectCallbacks {
  // Copy up to count bytes from position into buffer; the number copied, 0 on an error.
  std::function<std::size_t(void* buffer, std::int64_t position, std::size_t count)> getBytesAtPosition;
  // Optional: the address of count bytes from position held by the provider itself, valid
  // until the next call on the provider; null when it cannot answer so. Spares a copy for
  // a reader that only looks at the bytes.
  std::function<const void*(std::int64_t position, std::size_t count)> getBytePointer;
  std::function<void()> releaseInfo;
};

class DataProvider;
using DataProviderRef = std::shared_ptr<DataProvider>;

// The source of an image's bytes. Encoders pull the bytes row by row as they need them, so
// a provider may produce them on demand (from a scan in progress, from a file being decoded).
class DataProvider {
 public:
  static DataProviderRef createSequential(DataProviderSequentialCallbacks callbacks);
  static DataProviderRef createDirect(std::int64_t size, DataProviderDirectCallbacks callbacks);
  static DataProviderRef createWithData(fnd::Data data);
  ~DataProvider();
  DataProvider(const DataProvider&) = delete;
  DataProvider& operator=(const DataProvider&) = delete;

  // Fills buffer with count bytes from position: a sequential provider is rewound or skipped
  // forward as needed. Answers the number of bytes copied; fewer than count means the
  // provider ran dry or failed.
  std::size_t read(void* buffer, std::int64_t position, std::size_t count);
  // count bytes from position without copying them, valid until the next call on the
  // provider: for a provider made with data, or a direct one with getBytePointer. Null
  // otherwise, or when those bytes are not all there (read() then tells what is).
  const void* bytePointer(std::int64_t position, std::size_t count);

  // The bytes, for a provider made with data; null otherwise.
  const fnd::Data* data() const { return data_ ? data_.get() : nullptr; }

 private:
  DataProvider() = default;
  std::size_t readSequential(void* buffer, std::int64_t position, std::size_t count);

  DataProviderSequentialCallbacks sequential_;
  DataProviderDirectCallbacks direct_;
  std::int64_t size_ = -1;
  std::int64_t position_ = 0;  // of a sequential provider
  bool isDirect_ = false;
  std::unique_ptr<fnd::Data> data_;
};

}  // namespace imageio
