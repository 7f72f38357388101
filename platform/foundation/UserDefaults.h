#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/Value.h"

namespace fnd {

// Per-user defaults kept in a property list. The standard defaults live in
// Paths::configDir() + "/trivolan.plist". Reads answer the stored value, else the registered
// default, else null (and coerce like Value: a missing key reads 0, false or empty).
//
// The file is read on first use; a missing or unparsable file counts as empty. Changes stay in
// memory until synchronize() writes them atomically. Another program may use the same file:
// synchronize reads it again and lays only this object's own changes over what it holds now, so
// neither undoes the other's. An unparsable file is kept as "<file>.unreadable" when it is
// replaced, so that what it held can still be recovered.
// All members are safe to call from any thread.
class UserDefaults {
 public:
  static constexpr const char* kFileName = "trivolan.plist";

  // The program's defaults; the file's place is fixed on the first call.
  static UserDefaults& standard();

  // Defaults kept in the given file.
  explicit UserDefaults(std::string path);
  UserDefaults(const UserDefaults&) = delete;
  UserDefaults& operator=(const UserDefaults&) = delete;

  const std::string& path() const { return path_; }

  Value object(std::string_view key) const;
  std::string string(std::string_view key) const { return object(key).toString(); }
  long long integer(std::string_view key) const { return object(key).toInteger(); }
  int intValue(std::string_view key) const { return object(key).toInt(); }
  double real(std::string_view key) const { return object(key).toReal(); }
  bool boolean(std::string_view key) const { return object(key).toBool(); }
  Data data(std::string_view key) const { return object(key).toData(); }
  Date date(std::string_view key) const { return object(key).toDate(); }
  Array array(std::string_view key) const { return object(key).toArray(); }
  Dictionary dictionary(std::string_view key) const { return object(key).toDictionary(); }

  // Stores a value; a null value removes the key. A value a property list cannot hold (object
  // handles, raw addresses, rectangles, anywhere inside it) is refused and nothing changes.
  bool set(std::string_view key, Value value);
  void remove(std::string_view key);

  // Defaults answered for keys that hold no stored value; merged over earlier registrations.
  // They are never written to the file.
  void registerDefaults(const Dictionary& defaults);

  // The registered defaults overlaid with the stored values.
  Dictionary dictionaryRepresentation() const;

  // Writes the changes made since the last successful write over what the file holds now,
  // creating the folder (owner-only) when needed and first keeping an unparsable file aside;
  // the stored values then are what was written. On failure the file on disk stays as it was
  // and the changes stay pending.
  bool synchronize(std::string* error = nullptr);

 private:
  void loadLocked() const;

  const std::string path_;
  mutable std::mutex mutex_;
  mutable bool loaded_ = false;
  mutable Dictionary stored_;
  // This object's changes not yet written: a value, or nothing for a removed key.
  std::map<std::string, std::optional<Value>, std::less<>> pending_;
  Dictionary registered_;
  bool dirty_ = false;
};

}  // namespace fnd
