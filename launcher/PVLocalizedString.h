#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/Bundle.h"
#include "foundation/Value.h"

// Look-ups of the launcher's texts in a bundle's string tables. A key without text is tried
// once more under the key that the launcher's "UserInterface" table names for it; that table
// is read at the first such miss (most texts are found at once). Every look-up answers
// nothing when there is no bundle.
class Zorvik_PVLocalizedString {
 public:
  static constexpr const char* kNone = "none";
  static constexpr const char* kRemapTable = "UserInterface";

  // The loaded bundle with this identifier (none when empty or unknown).
  explicit Zorvik_PVLocalizedString(std::string_view bundleStr);

  std::optional<std::string> bundleStr() const;
  // The key's text in the table; "none" when neither it nor its remapped key has one.
  std::optional<std::string> ls_localizedStringForKey(std::string_view key, std::string_view table) const;
  // The same with a default value, answered (or the key, without one) when nothing is found.
  std::optional<std::string> ls_localizedStringForKey(std::string_view key, std::string_view value,
                                                      std::string_view table) const;

 private:
  // The remap table, read once at the first miss.
  const fnd::Dictionary& remapTable() const;

  const fnd::Bundle* FWBundle = nullptr;  // not owned: bundles live for the whole process
  mutable std::once_flag remapRead;
  mutable fnd::Dictionary localizeKeyDic;
};
