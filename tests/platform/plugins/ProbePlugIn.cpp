// A test plug-in with the resize table's shape that counts what the host does with it and can be
// told to fail a set line, so tests see what the loader and the drivers call.

#include <cstdint>
#include <cstring>

#include "PlugInSupport.h"

namespace {

constexpr char kInterfaceId[] = "8C8E8B3A-2E55-4B1D-9A57-3C0F6A4D1E21";
constexpr char kTypeId[] = "5B1A4C2E-7D3F-4E8A-B6C9-0D2E1F3A4B5C";

int gCloses = 0;
int gLiveHandles = 0;
int gFailSetLineAt = -1;  // 0-based line whose set fails; -1 never
int gLinesSet = 0;
int gLinesGot = 0;

struct Handle {
  int width;
  std::uint8_t lastLine;
};

void close(void** interfaceField) {
  ++gCloses;
  plugin_support::closeInterface<PlugInResizeTable>(interfaceField);
}

std::int32_t create(void** handle, std::int32_t dstWidth, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
  *handle = new Handle{dstWidth, 0};
  ++gLiveHandles;
  return 0;
}

// Every line that goes in makes one line come out, filled with the line's first byte.
std::int32_t setLine(void* handle, const std::uint8_t* src, std::int32_t* pending) {
  const int line = gLinesSet++;
  if (line == gFailSetLineAt) return 7;
  static_cast<Handle*>(handle)->lastLine = src[0];
  *pending = 1;
  return 0;
}

std::int32_t getLine(void* handle, std::uint8_t* dst, std::int32_t* pending) {
  auto* h = static_cast<Handle*>(handle);
  std::memset(dst, h->lastLine, std::size_t(h->width) * 3);
  ++gLinesGot;
  *pending = 0;
  return 0;
}

void destroy(void** handle) {
  delete static_cast<Handle*>(*handle);
  *handle = nullptr;
  --gLiveHandles;
}

const PlugInResizeTable kTable{nullptr, &close, nullptr, &create, &setLine, &getLine, nullptr, &destroy};
using ProbeInstance = plugin_support::Instance<PlugInResizeTable, &kTable, kInterfaceId>;

}  // namespace

#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))

PROBE_EXPORT void* ProbePlugInFactory(const PlugInUUIDBytes* type) {
  if (!type || !plugin_support::sameUUID(*type, kTypeId)) return nullptr;
  return new ProbeInstance();
}

PROBE_EXPORT void probe_reset(int failSetLineAt) {
  gCloses = 0;
  gLinesSet = 0;
  gLinesGot = 0;
  gFailSetLineAt = failSetLineAt;
}
PROBE_EXPORT int probe_closes() { return gCloses; }
PROBE_EXPORT int probe_liveHandles() { return gLiveHandles; }
PROBE_EXPORT int probe_linesGot() { return gLinesGot; }
