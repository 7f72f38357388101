#include "ui/model/SettingsListFile.h"

#include "foundation/FileManager.h"
#include "foundation/PropertyList.h"

Quirel_SettingsListFile::Contents Quirel_SettingsListFile::read(const std::string& path) {
  Contents contents;
  if (path.empty() || !fnd::FileManager::exists(path)) return contents;
  const auto result = fnd::PropertyList::readFile(path);
  if (!result.ok() || !result.value->isArray()) {
    contents.unreadable = true;
    return contents;
  }
  contents.elements = result.value->toArray();
  return contents;
}

bool Quirel_SettingsListFile::write(const std::string& path, const fnd::Array& elements, bool setAsideUnreadable,
                                    std::string* error) {
  if (path.empty()) {
    if (error) *error = "no settings folder";
    return false;
  }
  if (setAsideUnreadable && fnd::FileManager::exists(path) && !fnd::FileManager::keepUnreadable(path, false, error))
    return false;
  return fnd::PropertyList::writeFile(fnd::Value(elements), path, error);
}
