#include "launcher/LauncherStrings.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <string>

#include "foundation/StringsTable.h"

namespace {

// A table read once is kept while its file stays as it was: start-up alone looks the remap
// table up for every menu text, and parsing it each time was a good part of the wait.
struct KeptTable {
  std::filesystem::file_time_type written;
  std::uintmax_t size = 0;
  fnd::Dictionary texts;
};

std::mutex& keptTablesMutex() {
  static std::mutex m;
  return m;
}

std::map<std::string, KeptTable>& keptTables() {
  static std::map<std::string, KeptTable> tables;
  return tables;
}

}  // namespace

fnd::Dictionary Zorvik_LauncherStrings::readTable(const fnd::Bundle& bundle, std::string_view table) {
  fnd::Dictionary out;
  const std::string path = bundle.pathForResource(table, "strings");
  // The bundle answers a file of another extension when no strings file has the name.
  if (path.size() < 8 || path.compare(path.size() - 8, 8, ".strings") != 0) return out;
  std::error_code ec;
  const std::filesystem::file_time_type written = std::filesystem::last_write_time(path, ec);
  const std::uintmax_t size = ec ? 0 : std::filesystem::file_size(path, ec);
  if (!ec) {
    std::lock_guard<std::mutex> lock(keptTablesMutex());
    auto it = keptTables().find(path);
    if (it != keptTables().end() && it->second.written == written && it->second.size == size) return it->second.texts;
  }
  fnd::StringsTable::Result r = fnd::StringsTable::readFile(path);
  if (!r.ok()) return out;
  for (auto& [key, text] : *r.table) out.set(key, text);
  if (!ec) {
    std::lock_guard<std::mutex> lock(keptTablesMutex());
    keptTables()[path] = KeptTable{written, size, out};
  }
  return out;
}
