#include "foundation/UserDefaults.h"

#include <filesystem>

#include "foundation/FileManager.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"

namespace fnd {

UserDefaults& UserDefaults::standard() {
  static UserDefaults defaults(Paths::configDir() + "/" + kFileName);
  return defaults;
}

UserDefaults::UserDefaults(std::string path) : path_(std::move(path)) {}

void UserDefaults::loadLocked() const {
  if (loaded_) return;
  loaded_ = true;
  PropertyList::Result r = PropertyList::readFile(path_);
  // A file that cannot be read as a dictionary is treated as missing, but not thrown away.
  if (r.ok() && r.value->isDictionary()) {
    stored_ = r.value->toDictionary();
  } else {
    unreadable_ = FileManager::exists(path_) && !FileManager::isFolder(path_);
  }
}

Value UserDefaults::object(std::string_view key) const {
  std::lock_guard<std::mutex> lock(mutex_);
  loadLocked();
  if (const Value* v = stored_.find(key)) return *v;
  return registered_.get(key);
}

bool UserDefaults::set(std::string_view key, Value value) {
  if (value.isNull()) {
    remove(key);
    return true;
  }
  // Checked the way synchronize will write it, so a bad value never blocks later writes.
  if (!PropertyList::write(Value(Dictionary{{std::string(key), value}}))) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  loadLocked();
  stored_.set(key, std::move(value));
  dirty_ = true;
  return true;
}

void UserDefaults::remove(std::string_view key) {
  std::lock_guard<std::mutex> lock(mutex_);
  loadLocked();
  if (stored_.remove(key)) dirty_ = true;
}

void UserDefaults::registerDefaults(const Dictionary& defaults) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& [key, value] : defaults) registered_.set(key, value);
}

Dictionary UserDefaults::dictionaryRepresentation() const {
  std::lock_guard<std::mutex> lock(mutex_);
  loadLocked();
  Dictionary all = registered_;
  for (const auto& [key, value] : stored_) all.set(key, value);
  return all;
}

bool UserDefaults::synchronize(std::string* error) {
  std::lock_guard<std::mutex> lock(mutex_);
  loadLocked();
  if (!dirty_) return true;
  std::string folder = std::filesystem::path(path_).parent_path().string();
  if (!folder.empty() && !FileManager::isFolder(folder) && !FileManager::createFolder(folder, true, true, error)) {
    return false;
  }
  if (unreadable_) {
    // A copy, so that a write that fails after it leaves everything where it was.
    const std::string aside = path_ + ".unreadable";
    if (FileManager::exists(aside) && !FileManager::remove(aside, error)) return false;
    if (FileManager::exists(path_) && !FileManager::copy(path_, aside, error)) return false;
  }
  if (!PropertyList::writeFile(Value(stored_), path_, error)) return false;
  unreadable_ = false;
  dirty_ = false;
  return true;
}

}  // namespace fnd
