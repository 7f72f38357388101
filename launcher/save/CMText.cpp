#include "launcher/save/CMText.h"

#include <algorithm>
#include <cstdio>
#include <sys/types.h>
#include <cstring>
#include <vector>

CMResult CM_FormatCStringV(char* buffer, std::size_t size, const char* format, va_list args) {
  if (!buffer || !format || size == 0) return CM_ERR_BAD_ARGUMENT;
  int n = std::vsnprintf(buffer, size, format, args);
  if (n < 0) {
    buffer[0] = '\0';
    return CM_ERR_SYSTEM;
  }
  return static_cast<std::size_t>(n) < size ? CM_OK : CM_ERR_SYSTEM;
}

CMResult CM_FormatCString(char* buffer, std::size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  CMResult rc = CM_FormatCStringV(buffer, size, format, args);
  va_end(args);
  return rc;
}

CMResult CM_StrCopy(char* dst, std::size_t size, const char* src) {
  if (!dst || !src || size == 0) return CM_ERR_BAD_ARGUMENT;
  std::size_t n = strnlen(src, size - 1);
  std::memmove(dst, src, n);
  dst[n] = '\0';
  return CM_OK;
}

CMResult CM_StrCat(char* dst, std::size_t size, const char* src) {
  if (!dst || !src || size == 0) return CM_ERR_BAD_ARGUMENT;
  std::size_t used = strnlen(dst, size);
  if (used == size) return CM_ERR_BAD_ARGUMENT;  // dst is not terminated within its size
  std::size_t n = strnlen(src, size - 1 - used);
  std::memmove(dst + used, src, n);
  dst[used + n] = '\0';
  return CM_OK;
}

CMResult CM_StrNCopy(char* dst, const char* src, std::size_t n) {
  if (!dst || !src) return CM_ERR_BAD_ARGUMENT;
  std::size_t len = strnlen(src, n);
  std::memmove(dst, src, len);
  dst[len] = '\0';
  return CM_OK;
}

CMResult CM_StrCompare(const char* a, const char* b, std::int32_t* result) {
  if (!a || !b || !result) return CM_ERR_BAD_ARGUMENT;
  int c = std::strcmp(a, b);
  *result = c < 0 ? -1 : (c > 0 ? 1 : 0);
  return CM_OK;
}

CMResult CM_StrLen(const char* text, std::size_t maximum, std::size_t* length) {
  if (!text || !length) return CM_ERR_BAD_ARGUMENT;
  *length = strnlen(text, maximum);
  return CM_OK;
}

CMResult CM_StrTok(char* text, const char* separators, char** token) {
  if (!separators || !token) return CM_ERR_BAD_ARGUMENT;
  thread_local char* rest = nullptr;
  if (!text && !rest) {
    *token = nullptr;
    return CM_OK;
  }
  *token = strtok_r(text, separators, &rest);
  return CM_OK;
}

namespace {

// Appends one printf conversion with its already-fetched argument.
template <class T>
bool appendConversion(std::string& out, const std::string& conversion, const int* stars, int starCount, T value) {
  auto print = [&](char* buf, std::size_t size) -> int {
    switch (starCount) {
      case 0: return std::snprintf(buf, size, conversion.c_str(), value);
      case 1: return std::snprintf(buf, size, conversion.c_str(), stars[0], value);
      default: return std::snprintf(buf, size, conversion.c_str(), stars[0], stars[1], value);
    }
  };
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  int n = print(nullptr, 0);
  if (n < 0) return false;
  std::vector<char> buf(static_cast<std::size_t>(n) + 1);
  if (print(buf.data(), buf.size()) != n) return false;
#pragma GCC diagnostic pop
  out.append(buf.data(), static_cast<std::size_t>(n));
  return true;
}

}  // namespace

CMResult CM_FormatText(std::string* out, const char* format, va_list args) {
  if (!out || !format) return CM_ERR_BAD_ARGUMENT;
  va_list ap;
  va_copy(ap, args);
  std::string result;
  bool ok = true;
  for (const char* p = format; *p && ok;) {
    if (*p != '%') {
      const char* next = std::strchr(p, '%');
      std::size_t n = next ? static_cast<std::size_t>(next - p) : std::strlen(p);
      result.append(p, n);
      p += n;
      continue;
    }
    const char* start = p++;
    if (*p == '%') {
      result += '%';
      ++p;
      continue;
    }
    if (*p == '@') {
      const auto* text = va_arg(ap, const std::string*);
      result += text ? *text : std::string("(null)");
      ++p;
      continue;
    }
    int stars[2] = {0, 0};
    int starCount = 0;
    while (*p && std::strchr("-+ #0'", *p)) ++p;
    if (*p == '*') {
      stars[starCount++] = va_arg(ap, int);
      ++p;
    } else {
      while (*p >= '0' && *p <= '9') ++p;
    }
    if (*p == '.') {
      ++p;
      if (*p == '*') {
        stars[starCount++] = va_arg(ap, int);
        ++p;
      } else {
        while (*p >= '0' && *p <= '9') ++p;
      }
    }
    enum { None, HH, H, L, LL, J, Z, T, LD } length = None;
    if (p[0] == 'h' && p[1] == 'h') { length = HH; p += 2; }
    else if (*p == 'h') { length = H; ++p; }
    else if (p[0] == 'l' && p[1] == 'l') { length = LL; p += 2; }
    else if (*p == 'l') { length = L; ++p; }
    else if (*p == 'q') { length = LL; ++p; }
    else if (*p == 'j') { length = J; ++p; }
    else if (*p == 'z') { length = Z; ++p; }
    else if (*p == 't') { length = T; ++p; }
    else if (*p == 'L') { length = LD; ++p; }
    char conv = *p;
    if (!conv) {
      ok = false;
      break;
    }
    ++p;
    std::string conversion(start, static_cast<std::size_t>(p - start));
    if (conv == '@') {
      ok = false;  // "%5@" and the like: a width on a text is not supported
      break;
    }
    switch (conv) {
      case 'd': case 'i':
        switch (length) {
          case L: ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, long)); break;
          case LL: ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, long long)); break;
          case J: ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, intmax_t)); break;
          case Z: ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, ssize_t)); break;
          case T: ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, ptrdiff_t)); break;
          case LD: ok = false; break;
          default: ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, int)); break;
        }
        break;
      case 'u': case 'o': case 'x': case 'X':
        switch (length) {
          case L: ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, unsigned long)); break;
          case LL: ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, unsigned long long)); break;
          case J: ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, uintmax_t)); break;
          case Z: ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, size_t)); break;
          case T: ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, ptrdiff_t)); break;
          case LD: ok = false; break;
          default: ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, unsigned)); break;
        }
        break;
      case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
        if (length == LD) ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, long double));
        else if (length == None || length == L) ok = appendConversion(result, conversion, stars, starCount, va_arg(ap, double));
        else ok = false;
        break;
      case 'c':
        ok = length == None && appendConversion(result, conversion, stars, starCount, va_arg(ap, int));
        break;
      case 's':
        if (length == None) {
          const char* s = va_arg(ap, const char*);
          ok = appendConversion(result, conversion, stars, starCount, s ? s : "(null)");
        } else {
          ok = false;
        }
        break;
      case 'p':
        ok = length == None && appendConversion(result, conversion, stars, starCount, va_arg(ap, void*));
        break;
      default:  // including 'n', which would write through an argument
        ok = false;
        break;
    }
  }
  va_end(ap);
  if (!ok) return CM_ERR_SYSTEM;
  *out = std::move(result);
  return CM_OK;
}

CMResult CM_SetFormattedText(std::string* text, const char* format, ...) {
  if (!text || !format) return CM_ERR_BAD_ARGUMENT;
  va_list args;
  va_start(args, format);
  CMResult rc = CM_Guard([&] { return CM_FormatText(text, format, args); });
  va_end(args);
  return rc;
}

CMResult CM_SetText(std::string* text, const std::string* source) {
  if (!text || !source) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    *text = *source;
    return CM_OK;
  });
}

CMResult CM_SetTextPrefix(std::string* text, const std::string* source, std::size_t n) {
  if (!text || !source) return CM_ERR_BAD_ARGUMENT;
  std::size_t offset = CM_CharacterOffset(*source, n);
  if (offset == std::string::npos) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    *text = source->substr(0, offset);
    return CM_OK;
  });
}

CMResult CM_SetTextFromUTF8(std::string* text, const char* bytes) {
  if (!text || !bytes) return CM_ERR_BAD_ARGUMENT;
  std::size_t len = std::strlen(bytes);
  if (!CM_IsValidUTF8(bytes, len)) return CM_ERR_NOT_UTF8;
  return CM_Guard([&] {
    text->assign(bytes, len);
    return CM_OK;
  });
}

CMResult CM_GetUTF8(char* buffer, std::size_t size, const std::string* text) {
  if (!buffer || !text || size == 0) return CM_ERR_BAD_ARGUMENT;
  std::size_t n = std::min(text->size(), size - 1);
  // Step back over continuation bytes so no character is cut in half.
  if (n < text->size()) {
    while (n > 0 && (static_cast<unsigned char>((*text)[n]) & 0xC0) == 0x80) --n;
  }
  std::memcpy(buffer, text->data(), n);
  buffer[n] = '\0';
  return CM_OK;
}

CMResult CM_CompareString(const std::string* a, const std::string* b, std::int32_t* result) {
  if (!a || !b || !result) return CM_ERR_BAD_ARGUMENT;
  int c = a->compare(*b);
  *result = c < 0 ? -1 : (c > 0 ? 1 : 0);
  return CM_OK;
}

namespace {
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

CMResult CM_FindString(const std::string* text, const std::string* part, std::int32_t mode, std::int32_t* result) {
  if (!text || !part || !result) return CM_ERR_BAD_ARGUMENT;
  if (mode == 0) {
    *result = text->find(*part) != std::string::npos ? 0 : 1;
    return CM_OK;
  }
  if (mode == 1) {
    auto it = std::search(text->begin(), text->end(), part->begin(), part->end(),
                          [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
    *result = (it != text->end() || part->empty()) ? 0 : 1;
    return CM_OK;
  }
  return CM_ERR_BAD_ARGUMENT;
}

CMResult CM_IsLike(const std::string* text, const std::string* pattern, std::int32_t* result) {
  if (!text || !pattern || !result) return CM_ERR_BAD_ARGUMENT;
  *result = CM_WildcardMatch(*text, *pattern) ? 0 : 1;
  return CM_OK;
}

CMResult CM_TextLength(const std::string* text, std::size_t* length) {
  if (!text || !length) return CM_ERR_BAD_ARGUMENT;
  *length = CM_CharacterCount(*text);
  return CM_OK;
}

CMResult CM_AppendText(std::string* text, const std::string* tail) {
  if (!text || !tail) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    text->append(*tail);
    return CM_OK;
  });
}

CMResult CM_AddPathSeparator(std::string* text) {
  if (!text) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    if (text->empty() || text->back() != '/') text->push_back('/');
    return CM_OK;
  });
}

bool CM_IsValidUTF8(const char* bytes, std::size_t length) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes);
  std::size_t i = 0;
  while (i < length) {
    unsigned char c = s[i];
    std::size_t extra;
    std::uint32_t cp;
    if (c < 0x80) { ++i; continue; }
    if ((c & 0xE0) == 0xC0) { extra = 1; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { extra = 2; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { extra = 3; cp = c & 0x07; }
    else return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if (i + k >= length || (s[i + k] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000)) return false;
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

std::size_t CM_CharacterCount(const std::string& text) {
  std::size_t n = 0;
  for (char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

std::size_t CM_CharacterOffset(const std::string& text, std::size_t n) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (seen == n) return i;
      ++seen;
    }
  }
  return seen == n ? text.size() : std::string::npos;
}

namespace {
std::size_t charLength(const std::string& s, std::size_t i) {
  std::size_t j = i + 1;
  while (j < s.size() && (static_cast<unsigned char>(s[j]) & 0xC0) == 0x80) ++j;
  return j - i;
}
}  // namespace

bool CM_WildcardMatch(const std::string& text, const std::string& pattern) {
  // Iterative match with one back-tracking point for the last "*".
  std::size_t t = 0, p = 0;
  std::size_t starP = std::string::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = ++p;
      starT = t;
    } else if (p < pattern.size() && pattern[p] == '?') {
      t += charLength(text, t);
      p += 1;
    } else if (p < pattern.size() && pattern[p] == text[t]) {
      ++t;
      ++p;
    } else if (starP != std::string::npos) {
      starT += charLength(text, starT);
      t = starT;
      p = starP;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}
