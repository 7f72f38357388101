#include "ui/model/OutputSizeFile.h"

#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "ui/model/SettingsListFile.h"

std::string Quirel_OutputSizeFile::filePath(const std::string& folder) {
  if (folder.empty()) return {};
  std::string dir = folder;
  if (dir[0] == '~' && (dir.size() == 1 || dir[1] == '/')) dir = fnd::Paths::homeDir() + dir.substr(1);
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir == "/") return dir + kFileName;
  return dir + "/" + kFileName;
}

std::vector<Quirel_OutputSize> Quirel_OutputSizeFile::read(const std::string& folder) {
  std::vector<Quirel_OutputSize> sizes;
  const std::string path = filePath(folder);
  if (path.empty()) return sizes;
  const auto result = fnd::PropertyList::readFile(path);
  if (!result.ok() || !result.value->isArray()) return sizes;
  for (const fnd::Value& entry : result.value->toArray()) {
    if (entry.isDictionary()) sizes.emplace_back(entry.toDictionary());
  }
  return sizes;
}

bool Quirel_OutputSizeFile::write(const std::string& folder, const std::vector<Quirel_OutputSize>& sizes,
                                  std::string* error) {
  const std::string path = filePath(folder);
  if (path.empty()) {
    if (error) *error = "no settings folder";
    return false;
  }
  fnd::Array entries;
  entries.reserve(sizes.size());
  for (const Quirel_OutputSize& size : sizes) entries.emplace_back(size.getDictionary());
  return fnd::PropertyList::writeFile(fnd::Value(std::move(entries)), path, error);
}

Quirel_OutputSizeFile::Contents Quirel_OutputSizeFile::readAll(const std::string& folder) {
  Contents contents;
  const Quirel_SettingsListFile::Contents file = Quirel_SettingsListFile::read(filePath(folder));
  contents.unreadable = file.unreadable;
  for (const fnd::Value& entry : file.elements) {
    if (entry.isDictionary()) {
      contents.sizes.emplace_back(entry.toDictionary());
    } else {
      contents.others.push_back(entry);
    }
  }
  return contents;
}

bool Quirel_OutputSizeFile::writeAll(const std::string& folder, const std::vector<Quirel_OutputSize>& sizes,
                                     const fnd::Array& others, bool setAsideUnreadable, std::string* error) {
  fnd::Array entries;
  entries.reserve(sizes.size() + others.size());
  for (const Quirel_OutputSize& size : sizes) entries.emplace_back(size.getDictionary());
  for (const fnd::Value& other : others) entries.push_back(other);
  return Quirel_SettingsListFile::write(filePath(folder), entries, setAsideUnreadable, error);
}
