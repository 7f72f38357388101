#include "foundation/StringFormat.h"

#include <QLocale>
#include <QString>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

namespace fnd {

namespace {

// Placeholders asking for more than this are shown as text rather than allocating for them.
constexpr int kMaxWidth = 1000;
constexpr int kMaxPrecision = 100;

struct Placeholder {
  bool left = false, zero = false, plus = false, space = false;
  int width = 0;
  int precision = -1;
  bool wide = false;  // a 64-bit length modifier
  char conversion = 0;
  int position = 0;  // 1-based, 0 for the next argument in order
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads digits at s[i...]; false when there are too many to be sensible.
bool readNumber(std::string_view s, std::size_t& i, int& out) {
  out = 0;
  std::size_t start = i;
  while (i < s.size() && isDigit(s[i])) {
    if (i - start >= 6) return false;
    out = out * 10 + (s[i] - '0');
    ++i;
  }
  return true;
}

// Parses the placeholder that starts at s[at] == '%'. Answers its length, or 0 when it is not
// one we understand (the caller then copies it as text).
std::size_t parsePlaceholder(std::string_view s, std::size_t at, Placeholder& ph) {
  std::size_t i = at + 1;
  // Positional "%N$".
  if (i < s.size() && isDigit(s[i]) && s[i] != '0') {
    std::size_t j = i;
    int n = 0;
    if (readNumber(s, j, n) && j < s.size() && s[j] == '$') {
      ph.position = n;
      i = j + 1;
    }
  }
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c == '-') ph.left = true;
    else if (c == '0') ph.zero = true;
    else if (c == '+') ph.plus = true;
    else if (c == ' ') ph.space = true;
    else break;
  }
  if (!readNumber(s, i, ph.width) || ph.width > kMaxWidth) return 0;
  if (i < s.size() && s[i] == '.') {
    ++i;
    if (!readNumber(s, i, ph.precision) || ph.precision > kMaxPrecision) return 0;
  }
  // Length modifiers: only "is it 64-bit" matters, since arguments are Values.
  if (i + 1 < s.size() && ((s[i] == 'l' && s[i + 1] == 'l') || (s[i] == 'h' && s[i + 1] == 'h'))) {
    ph.wide = s[i] == 'l';
    i += 2;
  } else if (i < s.size() && (s[i] == 'l' || s[i] == 'q' || s[i] == 'z' || s[i] == 'j' || s[i] == 't')) {
    ph.wide = true;
    ++i;
  } else if (i < s.size() && (s[i] == 'h' || s[i] == 'L')) {
    ++i;
  }
  if (i >= s.size()) return 0;
  ph.conversion = s[i];
  switch (ph.conversion) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
    case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
      break;
    case 'c':
      if (ph.precision >= 0) return 0;
      break;
    case '@': case 's':
      // Texts take no flags, width or precision.
      if (ph.left || ph.zero || ph.plus || ph.space || ph.width || ph.precision >= 0) return 0;
      break;
    default:
      return 0;
  }
  return i + 1 - at;
}

// Pads `body` (which may start with a sign) to the width.
std::string pad(std::string body, const Placeholder& ph, bool zeroAllowed) {
  if (static_cast<int>(body.size()) >= ph.width) return body;
  std::size_t fill = static_cast<std::size_t>(ph.width) - body.size();
  if (ph.left) return body + std::string(fill, ' ');
  if (ph.zero && zeroAllowed) {
    std::size_t signLength = (!body.empty() && (body[0] == '-' || body[0] == '+' || body[0] == ' ')) ? 1 : 0;
    return body.insert(signLength, fill, '0');
  }
  return std::string(fill, ' ') + body;
}

std::string formatInteger(const Value& arg, const Placeholder& ph) {
  const bool isSigned = ph.conversion == 'd' || ph.conversion == 'i';
  bool negative = false;
  unsigned long long magnitude;
  if (isSigned) {
    long long v = ph.wide ? arg.toInteger() : arg.toInt();
    negative = v < 0;
    magnitude = negative ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  } else {
    magnitude = ph.wide ? static_cast<unsigned long long>(arg.toInteger()) : static_cast<unsigned>(arg.toInt());
  }
  const int base = ph.conversion == 'x' || ph.conversion == 'X' ? 16 : ph.conversion == 'o' ? 8 : 10;
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, magnitude, base);
  std::string digits(buf, end);
  if (ph.conversion == 'X') {
    for (char& c : digits) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
  }
  if (ph.precision >= 0) {
    if (ph.precision == 0 && magnitude == 0) digits.clear();
    if (static_cast<int>(digits.size()) < ph.precision) {
      digits.insert(0, static_cast<std::size_t>(ph.precision) - digits.size(), '0');
    }
  }
  std::string sign = negative ? "-" : (isSigned && ph.plus) ? "+" : (isSigned && ph.space) ? " " : "";
  return pad(sign + digits, ph, ph.precision < 0);
}

std::string formatReal(const Value& arg, const Placeholder& ph) {
  double v = arg.toReal();
  const char conv = ph.conversion;
  const bool upper = conv == 'F' || conv == 'E' || conv == 'G';
  std::chars_format fmt = (conv == 'f' || conv == 'F')   ? std::chars_format::fixed
                          : (conv == 'e' || conv == 'E') ? std::chars_format::scientific
                                                         : std::chars_format::general;
  int precision = ph.precision < 0 ? 6 : ph.precision;
  if (fmt == std::chars_format::general && precision == 0) precision = 1;
  char buf[512];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, fmt, precision);
  std::string body = ec == std::errc() ? std::string(buf, end) : std::string("?");
  if (upper) {
    for (char& c : body) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  }
  if (body[0] != '-') {
    if (ph.plus) body.insert(0, 1, '+');
    else if (ph.space) body.insert(0, 1, ' ');
  }
  return pad(body, ph, std::isfinite(v));
}

std::string formatOne(const Value& arg, const Placeholder& ph) {
  switch (ph.conversion) {
    case '@':
    case 's':
      return arg.isNull() ? std::string("(null)") : arg.toString();
    case 'c': {
      std::string out;
      long long cp = arg.toInteger();
      appendUtf8(out, cp < 0 || cp > 0x10FFFF ? 0xFFFD : static_cast<char32_t>(cp));
      return pad(out, ph, false);
    }
    case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
      return formatReal(arg, ph);
    default:
      return formatInteger(arg, ph);
  }
}

// Decodes one UTF-8 sequence at s[i]; nothing when it is malformed.
std::optional<char32_t> decodeAt(std::string_view s, std::size_t& i) {
  auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    ++i;
    return c;
  }
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : -1;
  if (extra < 0 || c > 0xF4 || i + static_cast<std::size_t>(extra) >= s.size()) return std::nullopt;
  char32_t cp = c & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    auto cc = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((cc & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (cc & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  i += static_cast<std::size_t>(extra) + 1;
  return cp;
}

}  // namespace

std::string formatString(std::string_view format, const Array& args) {
  std::string out;
  out.reserve(format.size() + 16);
  std::size_t nextArg = 0;
  std::size_t i = 0;
  while (i < format.size()) {
    std::size_t percent = format.find('%', i);
    if (percent == std::string_view::npos) {
      out.append(format.substr(i));
      break;
    }
    out.append(format.substr(i, percent - i));
    if (percent + 1 < format.size() && format[percent + 1] == '%') {
      out += '%';
      i = percent + 2;
      continue;
    }
    Placeholder ph;
    std::size_t length = parsePlaceholder(format, percent, ph);
    if (length == 0) {
      out += '%';  // not a placeholder we understand: shown as written
      i = percent + 1;
      continue;
    }
    std::size_t index = ph.position > 0 ? static_cast<std::size_t>(ph.position - 1) : nextArg++;
    if (index < args.size()) {
      out += formatOne(args[index], ph);
    } else {
      out.append(format.substr(percent, length));  // no such argument: never read past the end
    }
    i = percent + length;
  }
  return out;
}

std::size_t utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::optional<char32_t> cp = decodeAt(utf8, i);
    if (!cp) {
      ++i;
      ++units;
      continue;
    }
    units += *cp >= 0x10000 ? 2 : 1;
  }
  return units;
}

bool isValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (!decodeAt(text, i)) return false;
  }
  return true;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::u32string decodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::optional<char32_t> cp = decodeAt(utf8, i);
    if (!cp) {
      ++i;
      out += U'\uFFFD';
      continue;
    }
    out += *cp;
  }
  return out;
}

std::string utf16Prefix(std::string_view utf8, std::size_t units) {
  std::size_t used = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::size_t at = i;
    std::optional<char32_t> cp = decodeAt(utf8, i);
    std::size_t width = 1;
    if (!cp) {
      i = at + 1;
    } else if (*cp >= 0x10000) {
      width = 2;
    }
    if (used + width > units) return std::string(utf8.substr(0, at));
    used += width;
  }
  return std::string(utf8);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  QString qa = QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()));
  QString qb = QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size()));
  return QString::compare(qa, qb, Qt::CaseInsensitive) == 0;
}

bool isUnicodeSpace(char32_t c) { return QChar::isSpace(static_cast<char32_t>(c)); }

std::string localizedInteger(long long value) { return QLocale::system().toString(value).toStdString(); }

std::string normalizedNFC(std::string_view utf8) {
  QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  return s.normalized(QString::NormalizationForm_C).toStdString();
}

std::string normalizedNFKC(std::string_view utf8) {
  QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  return s.normalized(QString::NormalizationForm_KC).toStdString();
}

}  // namespace fnd
