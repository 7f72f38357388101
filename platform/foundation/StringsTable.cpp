#include "foundation/StringsTable.h"

#include "foundation/FileManager.h"
#include "foundation/StringFormat.h"

namespace fnd {

namespace {

// The table's bytes as UTF-8, following its byte-order mark.
std::optional<std::string> decode(std::string_view bytes, std::string& error) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const bool little = bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
  const bool big = bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF;
  if (!little && !big) {
    if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) bytes.remove_prefix(3);
    if (!isValidUtf8(bytes)) {
      error = "not valid UTF-8 (UTF-16 needs a byte-order mark)";
      return std::nullopt;
    }
    return std::string(bytes);
  }
  if (bytes.size() % 2 != 0) {
    error = "UTF-16 text with an odd number of bytes";
    return std::nullopt;
  }
  std::string out;
  out.reserve(bytes.size());
  const std::size_t units = bytes.size() / 2;
  auto unit = [&](std::size_t k) -> char32_t {
    std::size_t i = 2 * k;
    return little ? static_cast<char32_t>(byte(i) | (byte(i + 1) << 8)) : static_cast<char32_t>((byte(i) << 8) | byte(i + 1));
  };
  for (std::size_t k = 1; k < units; ++k) {  // unit 0 is the mark
    char32_t u = unit(k);
    if (u >= 0xD800 && u <= 0xDBFF) {
      char32_t low = k + 1 < units ? unit(k + 1) : 0;
      if (low < 0xDC00 || low > 0xDFFF) {
        error = "UTF-16 text with a lone surrogate";
        return std::nullopt;
      }
      appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
      ++k;
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      error = "UTF-16 text with a lone surrogate";
      return std::nullopt;
    } else {
      appendUtf8(out, u);
    }
  }
  return out;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : s_(text) {}

  std::optional<StringsTable::Map> run() {
    StringsTable::Map table;
    for (;;) {
      if (!skipSpaceAndComments()) return std::nullopt;
      if (at_ >= s_.size()) return table;
      std::optional<std::string> key = token("a key");
      if (!key) return std::nullopt;
      if (!skipSpaceAndComments()) return std::nullopt;
      if (at_ >= s_.size() || s_[at_] != '=') return fail("\"=\" expected after the key \"" + *key + "\"");
      ++at_;
      if (!skipSpaceAndComments()) return std::nullopt;
      std::optional<std::string> value = token("a value");
      if (!value) return std::nullopt;
      if (!skipSpaceAndComments()) return std::nullopt;
      if (at_ >= s_.size() || s_[at_] != ';') return fail("\";\" expected after the entry \"" + *key + "\"");
      ++at_;
      table[std::move(*key)] = std::move(*value);
    }
  }

  const std::string& error() const { return error_; }

 private:
  static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
  static bool isBare(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
           c == '+' || c == '-' || c == '.' || c == '/' || c == ':';
  }
  static int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  void advance() {
    if (s_[at_] == '\n') ++line_;
    ++at_;
  }

  bool skipSpaceAndComments() {
    while (at_ < s_.size()) {
      if (isSpace(s_[at_])) {
        advance();
      } else if (s_.compare(at_, 2, "//") == 0) {
        while (at_ < s_.size() && s_[at_] != '\n') ++at_;
      } else if (s_.compare(at_, 2, "/*") == 0) {
        const int startLine = line_;
        at_ += 2;
        while (at_ < s_.size() && s_.compare(at_, 2, "*/") != 0) advance();
        if (at_ >= s_.size()) {
          line_ = startLine;
          fail("unterminated comment");
          return false;
        }
        at_ += 2;
      } else {
        break;
      }
    }
    return true;
  }

  std::optional<std::string> token(const char* what) {
    if (at_ < s_.size() && s_[at_] == '"') return quoted();
    std::size_t start = at_;
    while (at_ < s_.size() && isBare(s_[at_])) ++at_;
    if (at_ == start) return fail(std::string(what) + " expected");
    return std::string(s_.substr(start, at_ - start));
  }

  // Up to four hex digits after \U; nothing when there are none.
  std::optional<char32_t> hexEscape() {
    char32_t value = 0;
    int digits = 0;
    for (; digits < 4 && at_ < s_.size() && hexValue(s_[at_]) >= 0; ++digits, ++at_) {
      value = value * 16 + static_cast<char32_t>(hexValue(s_[at_]));
    }
    if (digits == 0) return std::nullopt;
    return value;
  }

  std::optional<std::string> quoted() {
    const int startLine = line_;
    ++at_;
    std::string out;
    while (at_ < s_.size() && s_[at_] != '"') {
      if (s_[at_] != '\\') {
        out += s_[at_];
        advance();
        continue;
      }
      ++at_;
      if (at_ >= s_.size()) break;
      const char c = s_[at_];
      switch (c) {
        case 'n': out += '\n'; ++at_; break;
        case 't': out += '\t'; ++at_; break;
        case 'r': out += '\r'; ++at_; break;
        case 'a': out += '\a'; ++at_; break;
        case 'b': out += '\b'; ++at_; break;
        case 'f': out += '\f'; ++at_; break;
        case 'v': out += '\v'; ++at_; break;
        case 'U':
        case 'u': {
          ++at_;
          std::optional<char32_t> cp = hexEscape();
          if (!cp) return fail("\\U without hex digits");
          if (*cp >= 0xDC00 && *cp <= 0xDFFF) return fail("a lone low surrogate in \\U escapes");
          if (*cp >= 0xD800 && *cp <= 0xDBFF) {
            std::optional<char32_t> low;
            if (s_.compare(at_, 2, "\\U") == 0 || s_.compare(at_, 2, "\\u") == 0) {
              at_ += 2;
              low = hexEscape();
            }
            if (!low || *low < 0xDC00 || *low > 0xDFFF) return fail("a lone high surrogate in \\U escapes");
            cp = 0x10000 + ((*cp - 0xD800) << 10) + (*low - 0xDC00);
          }
          appendUtf8(out, *cp);
          break;
        }
        default:
          if (c >= '0' && c <= '7') {
            char32_t value = 0;
            for (int k = 0; k < 3 && at_ < s_.size() && s_[at_] >= '0' && s_[at_] <= '7'; ++k, ++at_) {
              value = value * 8 + static_cast<char32_t>(s_[at_] - '0');
            }
            appendUtf8(out, value);
          } else {
            out += c;  // \" \\ \' and anything else stand for themselves
            advance();
          }
      }
    }
    if (at_ >= s_.size()) {
      line_ = startLine;
      return fail("unterminated text");
    }
    ++at_;  // closing quote
    return out;
  }

  std::nullopt_t fail(const std::string& why) {
    if (error_.empty()) error_ = "line " + std::to_string(line_) + ": " + why;
    return std::nullopt;
  }

  std::string_view s_;
  std::size_t at_ = 0;
  int line_ = 1;
  std::string error_;
};

}  // namespace

StringsTable::Result StringsTable::parse(std::string_view bytes) {
  Result result;
  std::optional<std::string> text = decode(bytes, result.error);
  if (!text) return result;
  Parser parser(*text);
  result.table = parser.run();
  if (!result.table) result.error = parser.error();
  return result;
}

StringsTable::Result StringsTable::readFile(const std::string& path) {
  Result result;
  std::optional<std::string> bytes = FileManager::readFile(path, &result.error);
  if (!bytes) return result;
  result = parse(*bytes);
  if (!result.ok()) result.error = path + ": " + result.error;
  return result;
}

}  // namespace fnd
