#include "ui/model/SettingsDictionaryFile.h"

#include "foundation/FileManager.h"
#include "foundation/PropertyList.h"

namespace {

// Whether a file is there, not a folder, that does not read as one dictionary.
bool isUnreadableSettingsDictionary(const std::string& path) {
  if (path.empty() || !fnd::FileManager::exists(path) || fnd::FileManager::isFolder(path)) return false;
  const fnd::PropertyList::Result read = fnd::PropertyList::readFile(path);
  return !read.ok() || !read.value->isDictionary();
}

}  // namespace

bool Quirel_SettingsDictionaryFile::setAsideUnreadable(const std::string& path, std::string* error) {
  return !isUnreadableSettingsDictionary(path) || fnd::FileManager::keepUnreadable(path, true, error);
}

bool Quirel_SettingsDictionaryFile::write(const std::string& path, const fnd::Dictionary& dictionary,
                                          std::string* error) {
  if (path.empty()) {
    if (error) *error = "no settings folder";
    return false;
  }
  // Copied rather than moved: a write that fails after it leaves the file where it was.
  if (isUnreadableSettingsDictionary(path) && !fnd::FileManager::keepUnreadable(path, false, error)) return false;
  return fnd::PropertyList::writeFile(fnd::Value(dictionary), path, error);
}
