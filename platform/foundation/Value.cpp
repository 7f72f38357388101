#include "foundation/Value.h"

#include <chrono>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace fnd {

Date Date::now() {
  using namespace std::chrono;
  return Date{duration<double>(system_clock::now().time_since_epoch()).count()};
}

namespace {

const Array& emptyArray() {
  static const Array a;
  return a;
}
const Dictionary& emptyDictionary() {
  static const Dictionary d;
  return d;
}
const Data& emptyData() {
  static const Data d;
  return d;
}

long long truncateToInteger(double d) {
  if (std::isnan(d)) return 0;
  if (d >= static_cast<double>(std::numeric_limits<long long>::max())) return std::numeric_limits<long long>::max();
  if (d <= static_cast<double>(std::numeric_limits<long long>::min())) return std::numeric_limits<long long>::min();
  return static_cast<long long>(d);
}

// Leading integer of a string, as the platform's intValue reads it: spaces, a sign, digits.
long long parseLeadingInteger(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  long long value = 0;
  for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) {
    int digit = s[i] - '0';
    if (value > (std::numeric_limits<long long>::max() - digit) / 10) {
      return negative ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
    }
    value = value * 10 + digit;
  }
  return negative ? -value : value;
}

double parseLeadingReal(const std::string& s) {
  const char* begin = s.c_str();
  char* end = nullptr;
  double d = std::strtod(begin, &end);
  return end == begin ? 0.0 : d;
}

// The platform's boolValue of a string: a leading Y, y, T, t, or a non-zero digit after spaces and zeros.
bool parseBool(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  while (i < s.size() && s[i] == '0') ++i;
  if (i >= s.size()) return false;
  char c = s[i];
  return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

std::string realToString(double d) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", d);
  // Shortest text that reads back to the same value.
  for (int precision = 1; precision <= 17; ++precision) {
    char shorter[64];
    std::snprintf(shorter, sizeof shorter, "%.*g", precision, d);
    if (std::strtod(shorter, nullptr) == d) return shorter;
  }
  return buf;
}

}  // namespace

const Value& Value::null() {
  static const Value v;
  return v;
}

long long Value::toInteger() const {
  switch (kind()) {
    case Kind::Bool: return std::get<bool>(v_) ? 1 : 0;
    case Kind::Integer: return std::get<long long>(v_);
    case Kind::Real: return truncateToInteger(std::get<double>(v_));
    case Kind::String: return parseLeadingInteger(std::get<std::string>(v_));
    default: return 0;
  }
}

int Value::toInt() const {
  // Wraps like the platform's intValue of a wider number.
  return static_cast<int>(static_cast<unsigned long long>(toInteger()));
}

double Value::toReal() const {
  switch (kind()) {
    case Kind::Bool: return std::get<bool>(v_) ? 1.0 : 0.0;
    case Kind::Integer: return static_cast<double>(std::get<long long>(v_));
    case Kind::Real: return std::get<double>(v_);
    case Kind::String: return parseLeadingReal(std::get<std::string>(v_));
    default: return 0.0;
  }
}

bool Value::toBool() const {
  switch (kind()) {
    case Kind::Bool: return std::get<bool>(v_);
    case Kind::Integer: return std::get<long long>(v_) != 0;
    case Kind::Real: return std::get<double>(v_) != 0.0;
    case Kind::String: return parseBool(std::get<std::string>(v_));
    default: return false;
  }
}

std::string Value::toString() const {
  switch (kind()) {
    case Kind::String: return std::get<std::string>(v_);
    case Kind::Bool: return std::get<bool>(v_) ? "1" : "0";
    case Kind::Integer: return std::to_string(std::get<long long>(v_));
    case Kind::Real: return realToString(std::get<double>(v_));
    default: return std::string();
  }
}

const Data& Value::toData() const {
  if (auto* d = std::get_if<Data>(&v_)) return *d;
  return emptyData();
}

Date Value::toDate() const {
  if (auto* d = std::get_if<Date>(&v_)) return *d;
  return Date{};
}

const Array& Value::toArray() const {
  if (auto* a = std::get_if<detail::Box<Array>>(&v_)) return **a;
  return emptyArray();
}

const Dictionary& Value::toDictionary() const {
  if (auto* d = std::get_if<detail::Box<Dictionary>>(&v_)) return **d;
  return emptyDictionary();
}

Rect Value::toRect() const {
  if (auto* r = std::get_if<Rect>(&v_)) return *r;
  return Rect();
}

void* Value::toPointer() const {
  if (auto* p = std::get_if<detail::RawAddress>(&v_)) return p->ptr;
  return nullptr;
}

Array* Value::array() {
  if (auto* a = std::get_if<detail::Box<Array>>(&v_)) return a->get();
  return nullptr;
}

Dictionary* Value::dictionary() {
  if (auto* d = std::get_if<detail::Box<Dictionary>>(&v_)) return d->get();
  return nullptr;
}

const Value& Value::operator[](std::string_view key) const { return toDictionary().get(key); }

const Value& Value::operator[](std::size_t index) const {
  const Array& a = toArray();
  return index < a.size() ? a[index] : null();
}

bool Value::operator==(const Value& o) const {
  return v_ == o.v_;
}

const Value& Dictionary::get(std::string_view key) const {
  auto it = map_.find(key);
  return it == map_.end() ? Value::null() : it->second;
}

const Value* Dictionary::find(std::string_view key) const {
  auto it = map_.find(key);
  return it == map_.end() ? nullptr : &it->second;
}

Value* Dictionary::find(std::string_view key) {
  auto it = map_.find(key);
  return it == map_.end() ? nullptr : &it->second;
}

void Dictionary::set(std::string_view key, Value v) {
  auto it = map_.find(key);
  if (it != map_.end()) {
    it->second = std::move(v);
  } else {
    map_.emplace(std::string(key), std::move(v));
  }
}

Value& Dictionary::slot(std::string_view key) {
  auto it = map_.find(key);
  if (it == map_.end()) it = map_.emplace(std::string(key), Value()).first;
  return it->second;
}

bool Dictionary::remove(std::string_view key) {
  auto it = map_.find(key);
  if (it == map_.end()) return false;
  map_.erase(it);
  return true;
}

std::vector<std::string> Dictionary::keys() const {
  std::vector<std::string> out;
  out.reserve(map_.size());
  for (const auto& [k, v] : map_) out.push_back(k);
  return out;
}

}  // namespace fnd
