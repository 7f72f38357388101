#include "launcher/PVLocalizedString.h"

#include "launcher/LauncherStrings.h"
#include "ui/base/PVLocalizedString.h"

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

// The chain is the driver's own; only the remap list differs.
std::optional<std::string> Zorvik_PVLocalizedString::ls_localizedStringForKey(std::string_view key,
                                                                             std::string_view table) const {
  return Quirel_PVLocalizedString::lookUp(FWBundle, &localizeKeyDic, key, table);
}

std::optional<std::string> Zorvik_PVLocalizedString::ls_localizedStringForKey(std::string_view key,
                                                                             std::string_view value,
                                                                             std::string_view table) const {
  return Quirel_PVLocalizedString::lookUp(FWBundle, &localizeKeyDic, key, value, table);
}
