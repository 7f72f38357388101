#include "launcher/PVLocalizedString.h"

#include "launcher/LauncherStrings.h"
#include "ui/base/PVLocalizedString.h"

Zorvik_PVLocalizedString::Zorvik_PVLocalizedString(std::string_view bundleStr)
    : FWBundle(bundleStr.empty() ? nullptr : fnd::Bundle::withIdentifier(bundleStr)) {}

const fnd::Dictionary& Zorvik_PVLocalizedString::remapTable() const {
  // The remap list is the launcher's own, whichever bundle the texts come from.
  std::call_once(remapRead,
                 [this] { localizeKeyDic = Zorvik_LauncherStrings::readTable(fnd::Bundle::main(), kRemapTable); });
  return localizeKeyDic;
}

std::optional<std::string> Zorvik_PVLocalizedString::bundleStr() const {
  if (!FWBundle) return std::nullopt;
  std::string id = FWBundle->identifier();
  if (id.empty()) return std::nullopt;
  return id;
}

// The chain is the driver's own; only the remap list differs. A look-up without the list
// answers what the driver's chain answers for a key it has no other name for: a miss.
std::optional<std::string> Zorvik_PVLocalizedString::ls_localizedStringForKey(std::string_view key,
                                                                             std::string_view table) const {
  std::optional<std::string> found = Quirel_PVLocalizedString::lookUp(FWBundle, nullptr, key, table);
  if (!found || *found != kNone) return found;
  return Quirel_PVLocalizedString::lookUp(FWBundle, &remapTable(), key, table);
}

std::optional<std::string> Zorvik_PVLocalizedString::ls_localizedStringForKey(std::string_view key,
                                                                             std::string_view value,
                                                                             std::string_view table) const {
  std::optional<std::string> found = Quirel_PVLocalizedString::lookUp(FWBundle, nullptr, key, value, table);
  // Without a default value the bundle answers the key itself for a missing text.
  if (!found || *found != (value.empty() ? key : value)) return found;
  return Quirel_PVLocalizedString::lookUp(FWBundle, &remapTable(), key, value, table);
}
