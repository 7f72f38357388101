#pragma once

// What both plug-ins share: UUID strings to bytes, and the instance a factory hands out, which
// answers one interface: a heap object whose first field points at the plug-in's function table.

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "PlugInInterface.h"

namespace plugin_support {

inline std::optional<PlugInUUIDBytes> parseUUID(std::string_view text) {
  if (text.size() != 36) return std::nullopt;
  PlugInUUIDBytes out{};
  int nibble = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (i == 8 || i == 13 || i == 18 || i == 23) {
      if (c != '-') return std::nullopt;
      continue;
    }
    int v;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    else return std::nullopt;
    out.bytes[nibble / 2] = std::uint8_t(out.bytes[nibble / 2] | (nibble % 2 == 0 ? v << 4 : v));
    ++nibble;
  }
  return out;
}

inline bool sameUUID(const PlugInUUIDBytes& a, const char* text) {
  const auto b = parseUUID(text);
  return b && std::memcmp(a.bytes, b->bytes, sizeof a.bytes) == 0;
}

// The interface handed to the host; `close` (slot 1 of every table) frees it.
template <class Table>
struct InterfaceObject {
  const Table* table;
};

template <class Table>
void closeInterface(void** interfaceField) {
  if (!interfaceField || !*interfaceField) return;
  delete static_cast<InterfaceObject<Table>*>(*interfaceField);
  *interfaceField = nullptr;
}

// A factory's instance: reference counted, answers the one interface identifier it was made for.
template <class Table, const Table* TablePtr, const char* InterfaceId>
struct Instance {
  const PlugInUnknownTable* unknown = &kUnknown;
  std::uint32_t refs = 1;

  static std::int32_t query(void* self, PlugInUUIDBytes iid, void** out) {
    if (!out) return PLUGIN_E_NOINTERFACE;
    *out = nullptr;
    if (!self || !sameUUID(iid, InterfaceId)) return PLUGIN_E_NOINTERFACE;
    *out = new InterfaceObject<Table>{TablePtr};
    return PLUGIN_S_OK;
  }
  static std::uint32_t addRef(void* self) { return ++static_cast<Instance*>(self)->refs; }
  static std::uint32_t release(void* self) {
    auto* instance = static_cast<Instance*>(self);
    const std::uint32_t left = --instance->refs;
    if (left == 0) delete instance;
    return left;
  }
  static inline const PlugInUnknownTable kUnknown{nullptr, &query, &addRef, &release};
};

}  // namespace plugin_support
