#pragma once

// Little-endian TIFF files made byte by byte, for tests of damaged and hostile headers: the
// header, one directory at offset 8 with the entries as given (nothing is checked), the
// next-directory offset 0, then the tail bytes.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace testtiff {

struct Entry {
  std::uint16_t tag;
  std::uint16_t type;  // 3 SHORT: the value goes into the first two bytes of the field
  std::uint32_t count;
  std::uint32_t value;  // the inline value or the offset of the values
};

// Offset of the first tail byte of a file with entryCount entries.
inline std::uint32_t TailOffset(std::size_t entryCount) { return std::uint32_t(8 + 2 + 12 * entryCount + 4); }

inline std::vector<std::uint8_t> Make(const std::vector<Entry>& entries, const std::vector<std::uint8_t>& tail = {}) {
  std::vector<std::uint8_t> f = {'I', 'I', 42, 0, 8, 0, 0, 0};
  auto put16 = [&](std::uint32_t v) {
    f.push_back(std::uint8_t(v));
    f.push_back(std::uint8_t(v >> 8));
  };
  auto put32 = [&](std::uint32_t v) {
    put16(v & 0xFFFF);
    put16(v >> 16);
  };
  put16(std::uint32_t(entries.size()));
  for (const Entry& e : entries) {
    put16(e.tag);
    put16(e.type);
    put32(e.count);
    if (e.type == 3 && e.count == 1) {
      put16(e.value);
      put16(0);
    } else {
      put32(e.value);
    }
  }
  put32(0);
  f.insert(f.end(), tail.begin(), tail.end());
  return f;
}

// One strip of w x h grey pixels of the given bits; the strip's declared byte count and its
// bytes (the tail) are given apart, so either may fall short.
inline std::vector<std::uint8_t> GreyStrip(std::uint32_t w, std::uint32_t h, std::uint16_t bits, std::uint32_t stripBytes,
                                           const std::vector<std::uint8_t>& data, std::uint16_t compression = 1) {
  return Make({{256, 4, 1, w},
               {257, 4, 1, h},
               {258, 3, 1, bits},
               {259, 3, 1, compression},
               {262, 3, 1, 1},
               {273, 4, 1, TailOffset(9)},
               {277, 3, 1, 1},
               {278, 4, 1, h},
               {279, 4, 1, stripBytes}},
              data);
}

}  // namespace testtiff
