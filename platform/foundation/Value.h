#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <utility>
#include <variant>
#include <vector>

#include "foundation/Geometry.h"

namespace fnd {

class Value;
class Dictionary;
using Array = std::vector<Value>;
using Data = std::vector<std::uint8_t>;

// A moment in time, seconds since 1970-01-01 00:00:00 UTC.
struct Date {
  double seconds = 0;
  static Date now();
  friend bool operator==(const Date&, const Date&) = default;
};

namespace detail {
// Owning pointer with value semantics, so Value can hold arrays and dictionaries of itself.
template <class T>
class Box {
 public:
  Box() : p_(std::make_unique<T>()) {}
  explicit Box(T v) : p_(std::make_unique<T>(std::move(v))) {}
  Box(const Box& o) : p_(std::make_unique<T>(*o.p_)) {}
  Box(Box&&) noexcept = default;
  Box& operator=(const Box& o) {
    if (this != &o) p_ = std::make_unique<T>(*o.p_);
    return *this;
  }
  Box& operator=(Box&&) noexcept = default;
  T& operator*() { return *p_; }
  const T& operator*() const { return *p_; }
  T* get() { return p_.get(); }
  const T* get() const { return p_.get(); }
  bool operator==(const Box& o) const { return *p_ == *o.p_; }

 private:
  std::unique_ptr<T> p_;
};

struct ObjectRef {
  std::shared_ptr<void> ptr;
  std::type_index type{typeid(void)};
  bool operator==(const ObjectRef& o) const { return ptr == o.ptr; }
};
struct RawAddress {
  void* ptr = nullptr;
  bool operator==(const RawAddress& o) const { return ptr == o.ptr; }
};
}  // namespace detail

// A property-list value: null, bool, integer, real, string, data, date, array or dictionary,
// plus three kinds that never reach a file: a typed object handle (carriers, answer slots),
// a raw address and a boxed rectangle.
//
// Integer, real and bool stay distinct kinds. Reads coerce as the original platform did and
// never fail: an integer read of a real truncates, a bool read is "non-zero", a read of the
// wrong kind or of a missing value gives 0, false, an empty string or an empty container.
class Value {
 public:
  enum class Kind { Null, Bool, Integer, Real, String, Data, Date, Array, Dictionary, Object, Pointer, Rect };

  Value() = default;
  Value(std::nullptr_t) {}
  Value(bool b) : v_(b) {}
  Value(int i) : v_(static_cast<long long>(i)) {}
  Value(long i) : v_(static_cast<long long>(i)) {}
  Value(long long i) : v_(i) {}
  Value(unsigned i) : v_(static_cast<long long>(i)) {}
  Value(unsigned long i) : v_(static_cast<long long>(i)) {}
  Value(unsigned long long i) : v_(static_cast<long long>(i)) {}
  Value(double d) : v_(d) {}
  Value(float d) : v_(static_cast<double>(d)) {}
  Value(const char* s) : v_(std::string(s ? s : "")) {}
  Value(std::string s) : v_(std::move(s)) {}
  Value(std::string_view s) : v_(std::string(s)) {}
  Value(Data d) : v_(std::move(d)) {}
  Value(Date d) : v_(d) {}
  Value(Array a);
  Value(Dictionary d);
  Value(Rect r) : v_(r) {}

  // A shared object carried by reference; toObject<T>() gives it back only as the same type.
  template <class T>
  static Value object(std::shared_ptr<T> obj) {
    Value v;
    v.v_ = detail::ObjectRef{std::static_pointer_cast<void>(std::move(obj)), std::type_index(typeid(T))};
    return v;
  }
  // An address handed over as it is (the platform's pointer values); never written to a file.
  static Value pointer(void* p) {
    Value v;
    v.v_ = detail::RawAddress{p};
    return v;
  }

  Kind kind() const { return static_cast<Kind>(v_.index()); }
  bool isNull() const { return kind() == Kind::Null; }
  bool isBool() const { return kind() == Kind::Bool; }
  bool isInteger() const { return kind() == Kind::Integer; }
  bool isReal() const { return kind() == Kind::Real; }
  bool isNumber() const { return isBool() || isInteger() || isReal(); }
  bool isString() const { return kind() == Kind::String; }
  bool isData() const { return kind() == Kind::Data; }
  bool isDate() const { return kind() == Kind::Date; }
  bool isArray() const { return kind() == Kind::Array; }
  bool isDictionary() const { return kind() == Kind::Dictionary; }
  bool isObject() const { return kind() == Kind::Object; }
  bool isPointer() const { return kind() == Kind::Pointer; }
  bool isRect() const { return kind() == Kind::Rect; }

  // Coercing reads.
  long long toInteger() const;
  int toInt() const;
  double toReal() const;
  bool toBool() const;
  std::string toString() const;  // strings as they are, numbers as text, anything else empty
  const Data& toData() const;
  Date toDate() const;
  const Array& toArray() const;
  const Dictionary& toDictionary() const;
  Rect toRect() const;
  void* toPointer() const;
  template <class T>
  std::shared_ptr<T> toObject() const {
    if (auto* o = std::get_if<detail::ObjectRef>(&v_); o && o->type == std::type_index(typeid(T))) {
      return std::static_pointer_cast<T>(o->ptr);
    }
    return nullptr;
  }

  // In-place access to a container; null when the value is of another kind.
  Array* array();
  Dictionary* dictionary();

  // Element of an array or entry of a dictionary; a null value when there is none.
  const Value& operator[](std::string_view key) const;
  const Value& operator[](std::size_t index) const;
  const Value& operator[](int index) const { return (*this)[static_cast<std::size_t>(index < 0 ? -1 : index)]; }
  const Value& operator[](const char* key) const { return (*this)[std::string_view(key)]; }

  // Deep equality; integer 1, real 1.0 and true are different values.
  bool operator==(const Value& o) const;

  static const Value& null();

 private:
  std::variant<std::monostate, bool, long long, double, std::string, Data, Date, detail::Box<Array>,
               detail::Box<Dictionary>, detail::ObjectRef, detail::RawAddress, Rect>
      v_;
};

// A dictionary with string keys, kept in key order (the order the platform writes them in).
class Dictionary {
 public:
  using Map = std::map<std::string, Value, std::less<>>;
  using const_iterator = Map::const_iterator;
  using iterator = Map::iterator;

  Dictionary() = default;
  Dictionary(std::initializer_list<std::pair<const std::string, Value>> items) : map_(items) {}

  bool contains(std::string_view key) const { return map_.find(key) != map_.end(); }
  const Value& get(std::string_view key) const;
  const Value& operator[](std::string_view key) const { return get(key); }
  const Value* find(std::string_view key) const;
  Value* find(std::string_view key);
  void set(std::string_view key, Value v);
  // The entry for key, made null when missing (for writing in place).
  Value& slot(std::string_view key);
  bool remove(std::string_view key);
  void clear() { map_.clear(); }
  std::size_t size() const { return map_.size(); }
  bool empty() const { return map_.empty(); }
  std::vector<std::string> keys() const;

  // Coercing reads of one key (missing keys read 0, false, empty).
  long long integer(std::string_view key) const { return get(key).toInteger(); }
  int intValue(std::string_view key) const { return get(key).toInt(); }
  double real(std::string_view key) const { return get(key).toReal(); }
  bool boolean(std::string_view key) const { return get(key).toBool(); }
  std::string string(std::string_view key) const { return get(key).toString(); }
  const Data& data(std::string_view key) const { return get(key).toData(); }
  const Array& array(std::string_view key) const { return get(key).toArray(); }
  const Dictionary& dictionary(std::string_view key) const { return get(key).toDictionary(); }

  const_iterator begin() const { return map_.begin(); }
  const_iterator end() const { return map_.end(); }
  iterator begin() { return map_.begin(); }
  iterator end() { return map_.end(); }

  bool operator==(const Dictionary& o) const { return map_ == o.map_; }

 private:
  Map map_;
};

inline Value::Value(Array a) : v_(detail::Box<Array>(std::move(a))) {}
inline Value::Value(Dictionary d) : v_(detail::Box<Dictionary>(std::move(d))) {}

// Shared, mutable dictionary: what a poster hands to observers that may write answers into it.
using SharedDictionary = std::shared_ptr<Dictionary>;
inline SharedDictionary makeShared(Dictionary d = {}) { return std::make_shared<Dictionary>(std::move(d)); }

}  // namespace fnd
