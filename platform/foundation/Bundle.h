#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/StringsTable.h"
#include "foundation/Value.h"

namespace fnd {

// A resource folder with an identifier and string tables per language.
//
//   <folder>/Info.plist                  optional; "CFBundleIdentifier" names the bundle
//   <folder>/<anything>                  resources that are the same in every language
//   <folder>/<lang>.lproj/<Table>.strings and localised resources
//
// Localised look-ups try the bundle's language, then "en", then "Base.lproj", then the folder
// itself; the first table that has the key answers. Tables are read on first use; a table that
// cannot be parsed counts as missing. All members are safe to call from any thread.
class Bundle {
 public:
  static constexpr const char* kDefaultLanguage = "en";
  static constexpr const char* kDefaultTable = "Localizable";

  // The program's own resources: Paths::resourceDir().
  static Bundle& main();
  // The bundle of a folder, made on first request and kept for the life of the process;
  // null when the folder does not exist.
  static Bundle* atPath(const std::string& path);
  // The bundle with this identifier among main() and those made by atPath(); null when none.
  static Bundle* withIdentifier(std::string_view identifier);

  explicit Bundle(std::string path, std::string language = kDefaultLanguage);
  Bundle(const Bundle&) = delete;
  Bundle& operator=(const Bundle&) = delete;

  const std::string& path() const { return path_; }
  const std::string& language() const { return language_; }
  // "CFBundleIdentifier" from Info.plist; empty when there is none.
  std::string identifier() const;
  // Info.plist as read when the bundle was made; empty when missing or unparsable.
  const Dictionary& infoDictionary() const { return info_; }
  // The key's text from the "InfoPlist" strings table, else its Info.plist value, else null.
  Value objectForInfoDictionaryKey(std::string_view key) const;

  // Full path of a resource, or empty. `name` may carry an extension of its own ("logo.tif")
  // or take `extension` ("logo", "tif"). A file of exactly that name wins; otherwise a file
  // with the same base name and any extension answers (asking "logo.tif" finds "logo.png"),
  // the alphabetically first one when several do. Searched: `subfolder` of the folder, then of
  // each language folder in look-up order.
  std::string pathForResource(std::string_view name, std::string_view extension = "",
                              std::string_view subfolder = "") const;

  // The localised text of `key` in `table` (kDefaultTable when empty). Missing: `value` when
  // it is not empty, else the key itself.
  std::string localizedString(std::string_view key, std::string_view value = "",
                              std::string_view table = "") const;

 private:
  std::vector<std::string> searchFolders() const;
  const std::vector<StringsTable::Map>& tableChain(const std::string& table) const;

  const std::string path_;
  const std::string language_;
  Dictionary info_;
  mutable std::mutex mutex_;
  mutable std::map<std::string, std::vector<StringsTable::Map>> tables_;
};

}  // namespace fnd
