#include "launcher/save/LineConvert.h"

#include <cstring>

namespace {

CMResult Refuse() { return SM_ERR_BAD_SIZE; }

// Copies a whole line unless it is already in place.
CMResult CopyLine(const std::uint8_t* s, std::size_t srcBytes, std::uint8_t* d, std::size_t dstBytes) {
  if (dstBytes < srcBytes) return Refuse();
  if (s != d) std::memmove(d, s, srcBytes);
  return CM_OK;
}

}  // namespace

CMResult CM_ConvertLine48(const void* src, std::size_t srcBytes, void* dst, std::size_t dstBytes, bool reduce,
                          bool reverse) {
  if (!src || !dst) return Refuse();
  auto* s = static_cast<const std::uint8_t*>(src);
  auto* d = static_cast<std::uint8_t*>(dst);
  const std::size_t pixels = srcBytes / 6;
  if (reduce) {
    if (dstBytes < pixels * 3) return Refuse();
    // The output is never ahead of the input, so a forward walk is safe in place.
    for (std::size_t i = 0; i < pixels; ++i) {
      const std::uint8_t r = s[6 * i + 1], g = s[6 * i + 3], b = s[6 * i + 5];
      d[3 * i] = reverse ? b : r;
      d[3 * i + 1] = g;
      d[3 * i + 2] = reverse ? r : b;
    }
    return CM_OK;
  }
  if (!reverse) return CopyLine(s, srcBytes, d, dstBytes);
  if (dstBytes < pixels * 6) return Refuse();
  for (std::size_t i = 0; i < pixels; ++i) {
    std::uint8_t px[6];
    std::memcpy(px, s + 6 * i, 6);
    d[6 * i] = px[4];
    d[6 * i + 1] = px[5];
    d[6 * i + 2] = px[2];
    d[6 * i + 3] = px[3];
    d[6 * i + 4] = px[0];
    d[6 * i + 5] = px[1];
  }
  return CM_OK;
}

CMResult CM_ConvertLine24(const void* src, std::size_t srcBytes, void* dst, std::size_t dstBytes, bool inPlace,
                          bool reverse) {
  if (!src || !dst) return Refuse();
  auto* s = static_cast<const std::uint8_t*>(src);
  auto* d = static_cast<std::uint8_t*>(dst);
  const std::size_t pixels = srcBytes / 3;
  if (inPlace) {
    if (!reverse) return CM_OK;
    if (dstBytes < pixels * 3) return Refuse();
    for (std::size_t i = 0; i < pixels; ++i) std::swap(d[3 * i], d[3 * i + 2]);
    return CM_OK;
  }
  if (!reverse) return CopyLine(s, srcBytes, d, dstBytes);
  if (dstBytes < pixels * 3) return Refuse();
  for (std::size_t i = 0; i < pixels; ++i) {
    const std::uint8_t r = s[3 * i], g = s[3 * i + 1], b = s[3 * i + 2];
    d[3 * i] = b;
    d[3 * i + 1] = g;
    d[3 * i + 2] = r;
  }
  return CM_OK;
}

CMResult CM_ConvertLine16(const void* src, std::size_t srcBytes, void* dst, std::size_t dstBytes, bool to8,
                          bool toRGB) {
  if (!src || !dst) return Refuse();
  auto* s = static_cast<const std::uint8_t*>(src);
  auto* d = static_cast<std::uint8_t*>(dst);
  const std::size_t pixels = srcBytes / 2;
  if (to8 && toRGB) {
    if (dstBytes < pixels * 3) return Refuse();
    // The output grows: walk backwards so that an in-place call reads each sample first.
    for (std::size_t i = pixels; i-- > 0;) {
      const std::uint8_t v = s[2 * i + 1];
      d[3 * i] = d[3 * i + 1] = d[3 * i + 2] = v;
    }
    return CM_OK;
  }
  if (to8) {
    if (dstBytes < pixels) return Refuse();
    for (std::size_t i = 0; i < pixels; ++i) d[i] = s[2 * i + 1];
    return CM_OK;
  }
  if (toRGB) {
    if (dstBytes < pixels * 6) return Refuse();
    for (std::size_t i = pixels; i-- > 0;) {
      const std::uint8_t lo = s[2 * i], hi = s[2 * i + 1];
      for (int c = 0; c < 3; ++c) {
        d[6 * i + 2 * std::size_t(c)] = lo;
        d[6 * i + 2 * std::size_t(c) + 1] = hi;
      }
    }
    return CM_OK;
  }
  return CopyLine(s, srcBytes, d, dstBytes);
}

CMResult CM_ConvertLine8(const void* src, std::size_t srcBytes, void* dst, std::size_t dstBytes, bool toRGB) {
  if (!src || !dst) return Refuse();
  auto* s = static_cast<const std::uint8_t*>(src);
  auto* d = static_cast<std::uint8_t*>(dst);
  if (!toRGB) return CopyLine(s, srcBytes, d, dstBytes);
  if (dstBytes < srcBytes * 3) return Refuse();
  for (std::size_t i = srcBytes; i-- > 0;) {
    const std::uint8_t v = s[i];
    d[3 * i] = d[3 * i + 1] = d[3 * i + 2] = v;
  }
  return CM_OK;
}

CMResult CM_ConvertLine1(const void* src, std::size_t srcBytes, void* dst, std::size_t dstBytes,
                         std::size_t pixelCount, bool toRGB, bool to8, bool invert, bool noCopy) {
  if (!src || !dst) return Refuse();
  auto* s = static_cast<const std::uint8_t*>(src);
  auto* d = static_cast<std::uint8_t*>(dst);
  if (toRGB || to8) {
    if (pixelCount > srcBytes * 8) return Refuse();
    const std::size_t per = toRGB ? 3 : 1;
    if (dstBytes < pixelCount * per) return Refuse();
    // Backwards: the output is at least as long as the input, so in place stays correct.
    for (std::size_t i = pixelCount; i-- > 0;) {
      const std::uint8_t v = (s[i >> 3] & (0x80u >> (i & 7))) ? 0xFF : 0x00;
      for (std::size_t c = 0; c < per; ++c) d[per * i + c] = v;
    }
    return CM_OK;
  }
  if (invert) {
    if (dstBytes < srcBytes) return Refuse();
    for (std::size_t i = 0; i < srcBytes; ++i) d[i] = std::uint8_t(~s[i]);
    return CM_OK;
  }
  if (noCopy) return CM_OK;
  return CopyLine(s, srcBytes, d, dstBytes);
}
