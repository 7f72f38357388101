#include "ui/base/PVLocalizedString.h"

#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "ui/base/PVLanguageNum.h"

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

namespace {
std::optional<std::string> remappedKey(const fnd::Dictionary* remap, std::string_view key) {
  if (!remap) return std::nullopt;
  const fnd::Value* entry = remap->find(key);
  if (!entry || !entry->isString()) return std::nullopt;
  return entry->toString();
}
}  // namespace

std::optional<std::string> Quirel_PVLocalizedString::lookUp(const fnd::Bundle* bundle, const fnd::Dictionary* remap,
                                                            std::string_view key, std::string_view table) {
  if (!bundle) return std::nullopt;
  std::string answer = bundle->localizedString(key, kNone, table);
  if (answer != kNone) return answer;
  std::optional<std::string> other = remappedKey(remap, key);
  if (!other) return answer;
  return bundle->localizedString(*other, kNone, table);
}

std::optional<std::string> Quirel_PVLocalizedString::lookUp(const fnd::Bundle* bundle, const fnd::Dictionary* remap,
                                                            std::string_view key, std::string_view value,
                                                            std::string_view table) {
  if (!bundle) return std::nullopt;
  std::string answer = bundle->localizedString(key, value, table);
  // Without a default value the bundle answers the key itself for a missing text.
  const bool failed = value.empty() ? answer == key : answer == value;
  if (!failed) return answer;
  std::optional<std::string> other = remappedKey(remap, key);
  if (!other) return answer;
  return bundle->localizedString(*other, value, table);
}

std::optional<std::string> Quirel_PVLocalizedString::ls_localizedStringForKey(std::string_view key,
                                                                             std::string_view table) const {
  return lookUp(FWBundle, localizeKeyDic ? &*localizeKeyDic : nullptr, key, table);
}

std::optional<std::string> Quirel_PVLocalizedString::ls_localizedStringForKey(std::string_view key,
                                                                             std::string_view value,
                                                                             std::string_view table) const {
  return lookUp(FWBundle, localizeKeyDic ? &*localizeKeyDic : nullptr, key, value, table);
}
