#include "ui/model/NamedListRules.h"

#include <chrono>
#include <ctime>

#include "foundation/StringFormat.h"

namespace {

char32_t namedListEmSpaceOf(std::string_view emSpace) {
  if (emSpace.empty()) return 0;
  std::u32string chars = fnd::decodeUtf8(emSpace);
  return chars.empty() ? 0 : chars.front();
}

std::string namedListEncode(const std::u32string& chars, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t i = from; i < to; ++i) fnd::appendUtf8(out, chars[i]);
  return out;
}

}  // namespace

bool Quirel_NamedListRules::isBlank(char32_t c, std::string_view emSpace) {
  if (fnd::isUnicodeSpace(c)) return true;
  const char32_t em = namedListEmSpaceOf(emSpace);
  return em != 0 && c == em;
}

bool Quirel_NamedListRules::hasNonBlank(std::string_view name, std::string_view emSpace) {
  for (char32_t c : fnd::decodeUtf8(name)) {
    if (!isBlank(c, emSpace)) return true;
  }
  return false;
}

std::string Quirel_NamedListRules::normalizeName(std::string_view name, std::string_view emSpace) {
  const std::u32string chars = fnd::decodeUtf8(name);
  std::size_t from = 0;
  std::size_t to = chars.size();
  if (!hasNonBlank(name, emSpace)) {
    // Blanks only: the leading rule leaves them, the trailing rule keeps the first.
    if (to >= 2) to = 1;
  } else {
    while (from < to && isBlank(chars[from], emSpace)) ++from;
    while (to - from >= 2 && isBlank(chars[to - 1], emSpace)) --to;
  }
  return cutName(namedListEncode(chars, from, to));
}

std::string Quirel_NamedListRules::cutName(std::string_view name) { return fnd::utf16Prefix(name, kMaxNameLength); }

std::string Quirel_NamedListRules::defaultName(const std::string& base,
                                               const std::function<bool(const std::string&)>& taken) {
  if (!taken(base)) return base;
  // At most one number past the names the lists can hold is ever needed; the bound only
  // guards against a caller whose test never answers free.
  for (long long n = 2; n < 100000; ++n) {
    std::string candidate = fnd::stringWithFormat("%@-%@", base, fnd::localizedInteger(n));
    if (!taken(candidate)) return candidate;
  }
  return base;
}

Quirel_NamedListRules::Clock Quirel_NamedListRules::systemClock() {
  return [] {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return (static_cast<long long>(local.tm_hour) * 3600 + local.tm_min * 60 + local.tm_sec) * 1000 + ms;
  };
}

int Quirel_NamedListRules::createIndex(const Clock& clock, const std::function<bool(int)>& used) {
  long long ms = clock();
  if (ms < 0) ms = 0;
  const long long millis = ms % 1000;
  const long long secondsOfDay = (ms / 1000) % 86400;
  const long long hh = secondsOfDay / 3600;
  const long long mm = (secondsOfDay / 60) % 60;
  const long long ss = secondsOfDay % 60;
  int index = static_cast<int>(((hh * 100 + mm) * 100 + ss) * 1000 + millis);
  while (used(index)) ++index;
  return index;
}

double Quirel_NamedListRules::columnWidth(const std::vector<double>& nameWidths, bool ver1700Later) {
  double width = 190;
  for (double w : nameWidths) {
    if (ver1700Later) {
      if (w + 10 > width) width = w + 10;
    } else if (w > width) {
      width = w + 20;
    }
  }
  return width;
}
