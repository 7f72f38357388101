#include "foundation/PropertyList.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "foundation/FileManager.h"
#include "foundation/StringFormat.h"

namespace fnd {

namespace {

// Deeper nesting than any settings file has; the limit keeps a hostile file from
// exhausting the stack.
constexpr int kMaxDepth = 512;

// ---------------------------------------------------------------- text helpers

std::string_view trimmed(std::string_view s) {
  auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!s.empty() && space(s.front())) s.remove_prefix(1);
  while (!s.empty() && space(s.back())) s.remove_suffix(1);
  return s;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// Whether every character is one an XML 1.0 document can carry: valid UTF-8 without the
// control characters XML forbids (even as references) and without U+FFFE and U+FFFF.
bool isWritableText(std::string_view s) {
  if (!isValidUtf8(s)) return false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') return false;
    if (c == 0xEF && i + 2 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0xBF &&
        (static_cast<unsigned char>(s[i + 2]) & 0xFE) == 0xBE) {
      return false;
    }
  }
  return true;
}

// ---------------------------------------------------------------- base64

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string encodeBase64(const Data& data) {
  std::string out;
  out.reserve((data.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= data.size(); i += 3) {
    std::uint32_t n = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
    out += kBase64[(n >> 18) & 63];
    out += kBase64[(n >> 12) & 63];
    out += kBase64[(n >> 6) & 63];
    out += kBase64[n & 63];
  }
  if (std::size_t rest = data.size() - i; rest > 0) {
    std::uint32_t n = data[i] << 16;
    if (rest == 2) n |= data[i + 1] << 8;
    out += kBase64[(n >> 18) & 63];
    out += kBase64[(n >> 12) & 63];
    out += rest == 2 ? kBase64[(n >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

// Whitespace anywhere is ignored (the platform wraps long data over lines); anything else
// that is not base64, or padding in the wrong place, is an error.
std::optional<Data> decodeBase64(std::string_view text) {
  Data out;
  out.reserve(text.size() / 4 * 3);
  std::uint32_t bits = 0;
  int count = 0;
  int padding = 0;
  for (char ch : text) {
    if (ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r') continue;
    int v;
    if (ch >= 'A' && ch <= 'Z') v = ch - 'A';
    else if (ch >= 'a' && ch <= 'z') v = ch - 'a' + 26;
    else if (ch >= '0' && ch <= '9') v = ch - '0' + 52;
    else if (ch == '+') v = 62;
    else if (ch == '/') v = 63;
    else if (ch == '=') {
      ++padding;
      v = 0;
    } else {
      return std::nullopt;
    }
    if (padding > 0 && ch != '=') return std::nullopt;  // data after padding
    bits = (bits << 6) | static_cast<std::uint32_t>(v);
    if (++count == 4) {
      if (padding > 2) return std::nullopt;
      out.push_back(static_cast<std::uint8_t>(bits >> 16));
      if (padding < 2) out.push_back(static_cast<std::uint8_t>(bits >> 8));
      if (padding < 1) out.push_back(static_cast<std::uint8_t>(bits));
      bits = 0;
      count = 0;
      if (padding > 0) padding = 3;  // nothing may follow a padded group
    }
  }
  if (count != 0) return std::nullopt;
  return out;
}

// ---------------------------------------------------------------- numbers and dates

std::optional<long long> parseInteger(std::string_view text) {
  text = trimmed(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  unsigned long long magnitude = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (negative) {
    if (magnitude > static_cast<unsigned long long>(std::numeric_limits<long long>::max()) + 1) return std::nullopt;
    return static_cast<long long>(0ULL - magnitude);
  }
  // Unsigned 64-bit values above the signed range keep their bits, as Value does for them.
  return static_cast<long long>(magnitude);
}

std::optional<double> parseReal(std::string_view text) {
  text = trimmed(text);
  bool negative = false;
  std::string_view body = text;
  if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
    negative = body.front() == '-';
    body.remove_prefix(1);
  }
  if (equalsNoCase(body, "nan")) return std::numeric_limits<double>::quiet_NaN();
  if (equalsNoCase(body, "inf") || equalsNoCase(body, "infinity")) {
    return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  }
  if (body.empty() || body.front() == '+' || body.front() == '-') return std::nullopt;
  double value = 0;
  auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (end != body.data() + body.size()) return std::nullopt;
  if (ec == std::errc::result_out_of_range) {
    // Underflow reads as zero, overflow as infinity, as strtod would give them.
    value = std::fabs(value) < 1 ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (ec != std::errc()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::string formatReal(double d) {
  if (std::isnan(d)) return "nan";
  if (std::isinf(d)) return d > 0 ? "+infinity" : "-infinity";
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, d);  // shortest exact text
  return std::string(buf, ec == std::errc() ? end : buf);
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
}

bool isLeap(long long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// "YYYY-MM-DDTHH:MM:SSZ", optionally with fractional seconds before the Z.
std::optional<Date> parseDate(std::string_view text) {
  text = trimmed(text);
  auto number = [&](std::size_t at, std::size_t len, int& out) {
    if (at + len > text.size()) return false;
    out = 0;
    for (std::size_t i = at; i < at + len; ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      out = out * 10 + (text[i] - '0');
    }
    return true;
  };
  int y, mo, d, h, mi, s;
  if (text.size() < 20 || !number(0, 4, y) || text[4] != '-' || !number(5, 2, mo) || text[7] != '-' ||
      !number(8, 2, d) || text[10] != 'T' || !number(11, 2, h) || text[13] != ':' || !number(14, 2, mi) ||
      text[16] != ':' || !number(17, 2, s)) {
    return std::nullopt;
  }
  double fraction = 0;
  std::size_t at = 19;
  if (text[at] == '.') {
    double scale = 0.1;
    ++at;
    if (at >= text.size() || text[at] < '0' || text[at] > '9') return std::nullopt;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, scale /= 10) fraction += (text[at] - '0') * scale;
  }
  if (at + 1 != text.size() || text[at] != 'Z') return std::nullopt;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (mo < 1 || mo > 12 || d < 1 || d > kDays[mo - 1] + (mo == 2 && isLeap(y)) || h > 23 || mi > 59 || s > 60) {
    return std::nullopt;
  }
  long long days = daysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d));
  return Date{static_cast<double>(days * 86400 + h * 3600 + mi * 60 + s) + fraction};
}

std::optional<std::string> formatDate(Date date) {
  if (!std::isfinite(date.seconds)) return std::nullopt;
  double whole = std::floor(date.seconds);
  // Years 0000 to 9999: what four digits can say.
  if (whole < -62167219200.0 || whole > 253402300799.0) return std::nullopt;
  auto secs = static_cast<long long>(whole);
  long long days = secs >= 0 ? secs / 86400 : (secs - 86399) / 86400;
  long long rest = secs - days * 86400;
  long long y;
  unsigned m, d;
  civilFromDays(days, y, m, d);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02dZ", static_cast<int>(y), static_cast<int>(m),
                static_cast<int>(d), static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60),
                static_cast<int>(rest % 60));
  return std::string(buf);
}

// ---------------------------------------------------------------- reader

class Reader {
 public:
  explicit Reader(QByteArray bytes) : xml_(std::move(bytes)) {}

  PropertyList::Result run() {
    PropertyList::Result result;
    std::optional<Value> root = document();
    if (!root) {
      result.error = error_.empty() ? "not a property list" : error_;
      return result;
    }
    result.value = std::move(root);
    return result;
  }

 private:
  std::optional<Value> document() {
    if (!nextChild(true)) return fail("no root element");
    std::optional<Value> root;
    if (xml_.name() == u"plist") {
      if (!nextChild()) return fail("an empty plist element");
      root = value();
      if (!root) return std::nullopt;
      if (nextChild()) return fail("more than one value in the plist element");
      if (!error_.empty()) return std::nullopt;
    } else {
      root = value();
      if (!root) return std::nullopt;
    }
    if (!root->isDictionary() && !root->isArray()) return fail("the root is neither a dictionary nor an array");
    // Only comments and whitespace may follow; reading on also catches a truncated tail.
    while (!xml_.atEnd()) {
      QXmlStreamReader::TokenType t = xml_.readNext();
      if (t == QXmlStreamReader::StartElement || (t == QXmlStreamReader::Characters && !xml_.isWhitespace())) {
        return fail("content after the root element");
      }
    }
    if (xml_.hasError()) return fail(xmlError());
    return root;
  }

  // Moves to the next child element of the current one (true) or to the current one's end
  // (false). Text other than whitespace, or a broken document, sets the error.
  bool nextChild(bool topLevel = false) {
    while (!xml_.atEnd()) {
      switch (xml_.readNext()) {
        case QXmlStreamReader::StartElement: return true;
        case QXmlStreamReader::EndElement: return false;
        case QXmlStreamReader::Characters:
          if (!xml_.isWhitespace()) {
            fail("unexpected text \"" + xml_.text().toString().left(40).toStdString() + "\"");
            return false;
          }
          break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::StartDocument:
        case QXmlStreamReader::DTD:
          break;
        case QXmlStreamReader::Invalid:
          fail(xmlError());
          return false;
        default:
          fail("unexpected " + xml_.tokenString().toStdString());
          return false;
      }
    }
    fail(xml_.hasError() ? xmlError() : std::string(topLevel ? "empty document" : "truncated document"));
    return false;
  }

  std::optional<std::string> leafText() {
    QString text = xml_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (xml_.hasError()) {
      fail(xmlError());
      return std::nullopt;
    }
    return text.toStdString();
  }

  // Reads the value whose start element is the current token, up to its end element.
  std::optional<Value> value() {
    if (++depth_ > kMaxDepth) return fail("nesting too deep");
    std::optional<Value> v = element();
    --depth_;
    return v;
  }

  std::optional<Value> element() {
    const QStringView name = xml_.name();
    const std::string tag = name.toString().toStdString();
    if (name == u"dict") {
      Dictionary dict;
      while (nextChild()) {
        if (xml_.name() != u"key") return fail("<" + xml_.name().toString().toStdString() + "> without a key");
        std::optional<std::string> key = leafText();
        if (!key) return std::nullopt;
        if (!nextChild() || xml_.name() == u"key") {
          return error_.empty() ? fail("key \"" + *key + "\" without a value") : std::nullopt;
        }
        std::optional<Value> v = value();
        if (!v) return std::nullopt;
        dict.set(*key, std::move(*v));
      }
      if (!error_.empty()) return std::nullopt;
      return Value(std::move(dict));
    }
    if (name == u"array") {
      Array array;
      while (nextChild()) {
        std::optional<Value> v = value();
        if (!v) return std::nullopt;
        array.push_back(std::move(*v));
      }
      if (!error_.empty()) return std::nullopt;
      return Value(std::move(array));
    }
    if (name != u"string" && name != u"integer" && name != u"real" && name != u"true" && name != u"false" &&
        name != u"data" && name != u"date") {
      return fail("unknown element <" + tag + ">");
    }
    std::optional<std::string> text = leafText();
    if (!text) return std::nullopt;
    if (tag == "string") return Value(std::move(*text));
    if (tag == "true" || tag == "false") {
      if (!trimmed(*text).empty()) return fail("text inside <" + tag + "/>");
      return Value(tag == "true");
    }
    if (tag == "integer") {
      if (auto i = parseInteger(*text)) return Value(*i);
    } else if (tag == "real") {
      if (auto r = parseReal(*text)) return Value(*r);
    } else if (tag == "data") {
      if (auto d = decodeBase64(*text)) return Value(std::move(*d));
    } else if (auto d = parseDate(*text)) {
      return Value(*d);
    }
    return fail("bad <" + tag + "> \"" + std::string(trimmed(*text).substr(0, 40)) + "\"");
  }

  std::string xmlError() const {
    return "XML error at line " + std::to_string(xml_.lineNumber()) + ": " + xml_.errorString().toStdString();
  }

  std::nullopt_t fail(const std::string& why) {
    if (error_.empty()) error_ = why;
    return std::nullopt;
  }

  QXmlStreamReader xml_;
  std::string error_;
  int depth_ = 0;
};

// ---------------------------------------------------------------- writer

class Writer {
 public:
  explicit Writer(QByteArray* out) : xml_(out) { xml_.setAutoFormatting(false); }

  bool run(const Value& root) {
    if (!root.isDictionary() && !root.isArray()) return fail("the root must be a dictionary or an array");
    xml_.writeStartDocument(QStringLiteral("1.0"));
    xml_.writeCharacters(QStringLiteral("\n"));
    xml_.writeDTD(QStringLiteral("<!DOCTYPE plist>"));
    xml_.writeCharacters(QStringLiteral("\n"));
    xml_.writeStartElement(QStringLiteral("plist"));
    xml_.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    xml_.writeCharacters(QStringLiteral("\n"));
    if (!value(root, 0, "")) return false;
    xml_.writeCharacters(QStringLiteral("\n"));
    xml_.writeEndElement();
    xml_.writeEndDocument();
    if (xml_.hasError()) return fail("the XML writer failed");
    return true;
  }

  const std::string& error() const { return error_; }

 private:
  void newline(int depth) { xml_.writeCharacters(QStringLiteral("\n") + QString(depth, QLatin1Char('\t'))); }

  // The stream writer leaves a carriage return as it is, and a reader would turn it into a
  // line feed: write it as a character reference so it survives.
  bool text(const std::string& s, const std::string& where) {
    if (!isWritableText(s)) return fail(where + ": text that is not valid UTF-8 or holds a control character");
    QString q = QString::fromStdString(s);
    qsizetype from = 0;
    for (qsizetype cr = q.indexOf(QLatin1Char('\r')); cr >= 0; cr = q.indexOf(QLatin1Char('\r'), from)) {
      if (cr > from) xml_.writeCharacters(q.mid(from, cr - from));
      xml_.writeEntityReference(QStringLiteral("#13"));
      from = cr + 1;
    }
    if (from < q.size()) xml_.writeCharacters(q.mid(from));
    return true;
  }

  bool leaf(const char* tag, const std::string& content, const std::string& where) {
    xml_.writeStartElement(QLatin1String(tag));
    if (!text(content, where)) return false;
    xml_.writeEndElement();
    return true;
  }

  bool value(const Value& v, int depth, const std::string& where) {
    if (depth > kMaxDepth) return fail(where + ": nesting too deep");
    switch (v.kind()) {
      case Value::Kind::Dictionary: {
        const Dictionary& dict = v.toDictionary();
        xml_.writeStartElement(QStringLiteral("dict"));
        for (const auto& [key, item] : dict) {
          if (item.isNull()) continue;  // a null entry reads the same as a missing one
          std::string path = where + "/" + key;
          newline(depth + 1);
          if (!leaf("key", key, path)) return false;
          newline(depth + 1);
          if (!value(item, depth + 1, path)) return false;
        }
        if (!dict.empty()) newline(depth);
        xml_.writeEndElement();
        return true;
      }
      case Value::Kind::Array: {
        const Array& array = v.toArray();
        xml_.writeStartElement(QStringLiteral("array"));
        for (std::size_t i = 0; i < array.size(); ++i) {
          newline(depth + 1);
          if (!value(array[i], depth + 1, where + "[" + std::to_string(i) + "]")) return false;
        }
        if (!array.empty()) newline(depth);
        xml_.writeEndElement();
        return true;
      }
      case Value::Kind::String: return leaf("string", v.toString(), where);
      case Value::Kind::Integer: return leaf("integer", std::to_string(v.toInteger()), where);
      case Value::Kind::Real: return leaf("real", formatReal(v.toReal()), where);
      case Value::Kind::Bool: xml_.writeEmptyElement(v.toBool() ? QStringLiteral("true") : QStringLiteral("false")); return true;
      case Value::Kind::Date: {
        std::optional<std::string> text = formatDate(v.toDate());
        if (!text) return fail(where + ": a date outside the years 0 to 9999");
        return leaf("date", *text, where);
      }
      case Value::Kind::Data: {
        xml_.writeStartElement(QStringLiteral("data"));
        const Data& data = v.toData();
        if (!data.empty()) {
          // Wrapped like the platform: lines at the element's own indentation.
          const std::string encoded = encodeBase64(data);
          constexpr std::size_t kLine = 68;
          for (std::size_t at = 0; at < encoded.size(); at += kLine) {
            newline(depth);
            xml_.writeCharacters(QString::fromLatin1(encoded.data() + at,
                                                     static_cast<qsizetype>(std::min(kLine, encoded.size() - at))));
          }
          newline(depth);
        }
        xml_.writeEndElement();
        return true;
      }
      case Value::Kind::Null: return fail(where + ": a null value in an array");
      case Value::Kind::Object: return fail(where + ": an object handle cannot be written");
      case Value::Kind::Pointer: return fail(where + ": a raw address cannot be written");
      case Value::Kind::Rect: return fail(where + ": a boxed rectangle cannot be written");
    }
    return fail(where + ": unknown value kind");
  }

  bool fail(const std::string& why) {
    if (error_.empty()) error_ = why;
    return false;
  }

  QXmlStreamWriter xml_;
  std::string error_;
};

}  // namespace

PropertyList::Result PropertyList::read(std::string_view bytes) {
  return Reader(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))).run();
}

PropertyList::Result PropertyList::read(const Data& bytes) {
  return read(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

PropertyList::Result PropertyList::readFile(const std::string& path) {
  std::string error;
  std::optional<std::string> bytes = FileManager::readFile(path, &error);
  if (!bytes) return Result{std::nullopt, error};
  Result result = read(*bytes);
  if (!result.ok()) result.error = path + ": " + result.error;
  return result;
}

std::optional<std::string> PropertyList::write(const Value& root, std::string* error) {
  QByteArray out;
  Writer writer(&out);
  if (!writer.run(root)) {
    if (error) *error = writer.error();
    return std::nullopt;
  }
  return std::string(out.constData(), static_cast<std::size_t>(out.size()));
}

bool PropertyList::writeFile(const Value& root, const std::string& path, std::string* error) {
  std::optional<std::string> bytes = write(root, error);
  return bytes && FileManager::writeAtomically(path, *bytes, error);
}

}  // namespace fnd
