#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"

// Look-ups of the user interface's texts in a localisation bundle's string tables
// ("Message", "UserInterface", "PictavoTrivo", "ToolTips"). A key without text is tried once
// more under the key that the remap list "LocalizeInfo" names for it, so one text can serve
// several keys. Every look-up answers nothing (nullopt) when there is no bundle.
class Quirel_PVLocalizedString {
 public:
  static constexpr const char* kNone = "none";
  static constexpr const char* kRemapResource = "LocalizeInfo";
  // The two localisation bundles chosen by a language number, folders of the resource folder.
  static constexpr const char* kLanguage7Folder = "PV7LocalizedString";
  static constexpr const char* kLanguage4Folder = "PV4LocalizedString";

  // Asks the data source for its language number ("UILanguageNumPost") and opens the bundle of
  // language 7 or 4; any other number (0 when unanswered) gives no bundle. No remap list.
  explicit Quirel_PVLocalizedString(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  // The loaded bundle with this identifier (none when empty or unknown), with the remap list
  // of the user-interface library's own resources.
  explicit Quirel_PVLocalizedString(std::string_view bundleStr);

  // The bundle's identifier; nothing without a bundle or when it has none.
  std::optional<std::string> bundleStr() const;
  std::int32_t languageNum() const { return mlngNum; }

  std::optional<std::string> ls_localizedStringForKey(std::string_view key, std::string_view table) const;
  std::optional<std::string> ls_localizedStringForKey(std::string_view key, std::string_view value,
                                                      std::string_view table) const;

  // The bundle folder for a language number; empty for numbers other than 7 and 4.
  static std::string bundlePathForLanguage(std::int32_t languageNum);

  // The look-up chain itself, for any bundle and remap list (the launcher's texts use it too):
  // the key's text, else the text of the key the remap list names for it; "none", or the
  // default value (the key when there is none), when neither has one; nothing without a bundle.
  static std::optional<std::string> lookUp(const fnd::Bundle* bundle, const fnd::Dictionary* remap,
                                           std::string_view key, std::string_view table);
  static std::optional<std::string> lookUp(const fnd::Bundle* bundle, const fnd::Dictionary* remap,
                                           std::string_view key, std::string_view value,
                                           std::string_view table);

 private:

  std::int32_t mlngNum = 0;
  const fnd::Bundle* FWBundle = nullptr;  // not owned: bundles live for the whole process
  std::optional<fnd::Dictionary> localizeKeyDic;
};
