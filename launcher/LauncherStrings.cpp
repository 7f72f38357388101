#include "launcher/LauncherStrings.h"

#include <string>

#include "foundation/StringsTable.h"

fnd::Dictionary Zorvik_LauncherStrings::readTable(const fnd::Bundle& bundle, std::string_view table) {
  fnd::Dictionary out;
  const std::string path = bundle.pathForResource(table, "strings");
  // The bundle answers a file of another extension when no strings file has the name.
  if (path.size() < 8 || path.compare(path.size() - 8, 8, ".strings") != 0) return out;
  fnd::StringsTable::Result r = fnd::StringsTable::readFile(path);
  if (!r.ok()) return out;
  for (auto& [key, text] : *r.table) out.set(key, text);
  return out;
}
