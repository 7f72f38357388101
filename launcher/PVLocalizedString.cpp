#include "launcher/PVLocalizedString.h"

#include "launcher/LauncherStrings.h"

Zorvik_PVLocalizedString::Zorvik_PVLocalizedString(std::string_view bundleStr)
    : FWBundle(bundleStr.empty() ? nullptr : fnd::Bundle::withIdentifier(bundleStr)) {
  // The remap list is the launcher's own, whichever bundle the texts come from.
  localizeKeyDic = Zorvik_LauncherStrings::readTable(fnd::Bundle::main(), kRemapTable);
}

std::optional<std::string> Zorvik_PVLocalizedString::bundleStr() const {
  if (!FWBundle) return std::nullopt;
  std::string id = FWBundle->identifier();
  if (id.empty()) return std::nullopt;
  return id;
}

std::optional<std::string> Zorvik_PVLocalizedString::remappedKey(std::string_view key) const {
  const fnd::Value* entry = localizeKeyDic.find(key);
  if (!entry || !entry->isString()) return std::nullopt;
  return entry->toString();
}

std::optional<std::string> Zorvik_PVLocalizedString::ls_localizedStringForKey(std::string_view key,
                                                                             std::string_view table) const {
  if (!FWBundle) return std::nullopt;
  std::string answer = FWBundle->localizedString(key, kNone, table);
  if (answer != kNone) return answer;
  std::optional<std::string> other = remappedKey(key);
  if (!other) return answer;
  return FWBundle->localizedString(*other, kNone, table);
}

std::optional<std::string> Zorvik_PVLocalizedString::ls_localizedStringForKey(std::string_view key,
                                                                             std::string_view value,
                                                                             std::string_view table) const {
  if (!FWBundle) return std::nullopt;
  std::string answer = FWBundle->localizedString(key, value, table);
  const bool failed = value.empty() ? answer == key : answer == value;
  if (!failed) return answer;
  std::optional<std::string> other = remappedKey(key);
  if (!other) return answer;
  return FWBundle->localizedString(*other, value, table);
}
