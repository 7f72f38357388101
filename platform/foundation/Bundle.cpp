#include "foundation/Bundle.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "foundation/Paths.h"
#include "foundation/PropertyList.h"

namespace fnd {

namespace fs = std::filesystem;

namespace {

struct Registry {
  std::mutex mutex;
  std::vector<std::unique_ptr<Bundle>> bundles;
};

Registry& registry() {
  static Registry r;
  return r;
}

std::string normalised(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
  if (ec) p = fs::path(path).lexically_normal();
  std::string s = p.string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

}  // namespace

Bundle& Bundle::main() {
  static Bundle bundle(Paths::resourceDir());
  return bundle;
}

Bundle* Bundle::atPath(const std::string& path) {
  std::error_code ec;
  if (path.empty() || !fs::is_directory(path, ec)) return nullptr;
  const std::string key = normalised(path);
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  for (const auto& b : r.bundles) {
    if (b->path() == key) return b.get();
  }
  r.bundles.push_back(std::make_unique<Bundle>(key));
  return r.bundles.back().get();
}

Bundle* Bundle::withIdentifier(std::string_view identifier) {
  if (identifier.empty()) return nullptr;
  if (main().identifier() == identifier) return &main();
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  for (const auto& b : r.bundles) {
    if (b->identifier() == identifier) return b.get();
  }
  return nullptr;
}

Bundle::Bundle(std::string path, std::string language) : path_(std::move(path)), language_(std::move(language)) {
  PropertyList::Result r = PropertyList::readFile((fs::path(path_) / "Info.plist").string());
  if (r.ok() && r.value->isDictionary()) info_ = r.value->toDictionary();
}

std::string Bundle::identifier() const { return info_.string("CFBundleIdentifier"); }

Value Bundle::objectForInfoDictionaryKey(std::string_view key) const {
  for (const StringsTable::Map& table : tableChain("InfoPlist")) {
    auto it = table.find(std::string(key));
    if (it != table.end()) return Value(it->second);
  }
  return info_.get(key);
}

std::vector<std::string> Bundle::searchFolders() const {
  std::vector<std::string> languages{language_};
  if (language_ != kDefaultLanguage) languages.emplace_back(kDefaultLanguage);
  languages.emplace_back("Base");
  std::vector<std::string> folders;
  for (const std::string& lang : languages) {
    if (!lang.empty()) folders.push_back((fs::path(path_) / (lang + ".lproj")).string());
  }
  folders.push_back(path_);
  return folders;
}

const std::vector<StringsTable::Map>& Bundle::tableChain(const std::string& table) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = tables_.find(table);
  if (it != tables_.end()) return it->second;
  std::vector<StringsTable::Map> chain;
  for (const std::string& folder : searchFolders()) {
    StringsTable::Result r = StringsTable::readFile((fs::path(folder) / (table + ".strings")).string());
    if (r.ok()) chain.push_back(std::move(*r.table));
  }
  // Entries of a std::map stay where they are, so the reference outlives the lock.
  return tables_.emplace(table, std::move(chain)).first->second;
}

std::string Bundle::localizedString(std::string_view key, std::string_view value, std::string_view table) const {
  if (!key.empty()) {
    const std::string name = table.empty() ? std::string(kDefaultTable) : std::string(table);
    for (const StringsTable::Map& t : tableChain(name)) {
      auto it = t.find(std::string(key));
      if (it != t.end()) return it->second;
    }
  }
  return std::string(value.empty() ? key : value);
}

std::string Bundle::pathForResource(std::string_view name, std::string_view extension,
                                    std::string_view subfolder) const {
  if (name.empty()) return std::string();
  std::string wanted(name);
  if (!extension.empty()) {
    wanted += '.';
    wanted += extension[0] == '.' ? extension.substr(1) : extension;
  }
  const fs::path wantedPath(wanted);
  const std::string stem = wantedPath.stem().string();
  const fs::path inner = fs::path(std::string(subfolder)) / wantedPath.parent_path();

  std::vector<std::string> folders = searchFolders();
  // The folder itself comes first for resources: most are not localised.
  std::rotate(folders.rbegin(), folders.rbegin() + 1, folders.rend());

  std::error_code ec;
  for (const std::string& folder : folders) {
    fs::path exact = fs::path(folder) / inner / wantedPath.filename();
    if (fs::exists(exact, ec)) return exact.lexically_normal().string();
  }
  for (const std::string& folder : folders) {
    fs::path dir = (fs::path(folder) / inner).lexically_normal();
    if (!fs::is_directory(dir, ec)) continue;
    std::vector<std::string> matches;
    for (fs::directory_iterator entry(dir, ec), end; !ec && entry != end; entry.increment(ec)) {
      const fs::path& p = entry->path();
      if (p.filename().string() == stem || p.stem().string() == stem) matches.push_back(p.filename().string());
    }
    if (!matches.empty()) return (dir / *std::min_element(matches.begin(), matches.end())).string();
  }
  return std::string();
}

}  // namespace fnd
