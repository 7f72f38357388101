#include "ui/frontdoor/PVLocalizedString.h"

#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "ui/frontdoor/PVLanguageNum.h"

Quirel_PVLocalizedString::Quirel_PVLocalizedString(fnd::NotificationCenter& center)
    : mlngNum(Quirel_PVLanguageNum::ask(center)) {
  const std::string path = bundlePathForLanguage(mlngNum);
  if (!path.empty()) FWBundle = fnd::Bundle::atPath(path);
}

Quirel_PVLocalizedString::Quirel_PVLocalizedString(std::string_view bundleStr)
    : FWBundle(fnd::Bundle::withIdentifier(bundleStr)) {
  const std::string path = fnd::Bundle::main().pathForResource(kRemapResource, "plist");
  if (path.empty()) return;
  fnd::PropertyList::Result r = fnd::PropertyList::readFile(path);
  // An unreadable list is the same as none: look-ups simply get no second try.
  if (r.ok() && r.value->isDictionary()) localizeKeyDic = r.value->toDictionary();
}

std::string Quirel_PVLocalizedString::bundlePathForLanguage(std::int32_t languageNum) {
  const char* folder = languageNum == 7 ? kLanguage7Folder : languageNum == 4 ? kLanguage4Folder : nullptr;
  if (!folder) return {};
  return fnd::Paths::resourceDir() + "/" + folder;
}

std::optional<std::string> Quirel_PVLocalizedString::bundleStr() const {
  if (!FWBundle) return std::nullopt;
  std::string id = FWBundle->identifier();
  if (id.empty()) return std::nullopt;
  return id;
}

std::optional<std::string> Quirel_PVLocalizedString::remappedKey(std::string_view key) const {
  if (!localizeKeyDic) return std::nullopt;
  const fnd::Value* entry = localizeKeyDic->find(key);
  if (!entry || !entry->isString()) return std::nullopt;
  return entry->toString();
}

std::optional<std::string> Quirel_PVLocalizedString::ls_localizedStringForKey(std::string_view key,
                                                                             std::string_view table) const {
  if (!FWBundle) return std::nullopt;
  std::string answer = FWBundle->localizedString(key, kNone, table);
  if (answer != kNone) return answer;
  std::optional<std::string> other = remappedKey(key);
  if (!other) return answer;
  return FWBundle->localizedString(*other, kNone, table);
}

std::optional<std::string> Quirel_PVLocalizedString::ls_localizedStringForKey(std::string_view key,
                                                                             std::string_view value,
                                                                             std::string_view table) const {
  if (!FWBundle) return std::nullopt;
  std::string answer = FWBundle->localizedString(key, value, table);
  // Without a default value the bundle answers the key itself for a missing text.
  const bool failed = value.empty() ? answer == key : answer == value;
  if (!failed) return answer;
  std::optional<std::string> other = remappedKey(key);
  if (!other) return answer;
  return FWBundle->localizedString(*other, value, table);
}
