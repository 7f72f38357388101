#include "foundation/UserDefaults.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

#include "foundation/FileManager.h"
#include "foundation/Paths.h"
#include "foundation/PropertyList.h"

namespace fnd {

namespace {

// Holds an advisory lock on the defaults' folder while its file is read again and replaced, so
// that two programs merging their changes do not interleave. The wait is bounded: a program
// that keeps the lock for longer is not waited for (the write is atomic either way).
class DefaultsFolderLock {
 public:
  explicit DefaultsFolderLock(const std::string& folder) {
    fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    for (int attempt = 0; attempt < 200; ++attempt) {
      if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
      if (errno != EWOULDBLOCK && errno != EINTR) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  ~DefaultsFolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing lets go of the lock
  }
  DefaultsFolderLock(const DefaultsFolderLock&) = delete;
  DefaultsFolderLock& operator=(const DefaultsFolderLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace

UserDefaults& UserDefaults::standard() {
  static UserDefaults defaults(Paths::configDir() + "/" + kFileName);
  return defaults;
}

UserDefaults::UserDefaults(std::string path) : path_(std::move(path)) {}

void UserDefaults::loadLocked() const {
  if (loaded_) return;
  loaded_ = true;
  PropertyList::Result r = PropertyList::readFile(path_);
  // A file that cannot be read as a dictionary is treated as missing.
  if (r.ok() && r.value->isDictionary()) stored_ = r.value->toDictionary();
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
  stored_.set(key, value);
  pending_.insert_or_assign(std::string(key), std::move(value));
  dirty_ = true;
  return true;
}

void UserDefaults::remove(std::string_view key) {
  std::lock_guard<std::mutex> lock(mutex_);
  loadLocked();
  if (stored_.remove(key)) dirty_ = true;
  pending_.insert_or_assign(std::string(key), std::nullopt);
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
  DefaultsFolderLock folderLock(folder);
  // What the file holds now, which another program may have changed since it was read; when it
  // cannot be read, what this object last knew of it.
  Dictionary merged;
  PropertyList::Result now = PropertyList::readFile(path_);
  if (now.ok() && now.value->isDictionary()) {
    merged = now.value->toDictionary();
  } else if (FileManager::exists(path_)) {
    merged = stored_;
    if (!FileManager::isFolder(path_)) {
      // Kept as it was, by a copy, so that a write that fails after it leaves everything in place.
      if (!FileManager::keepUnreadable(path_, false, error)) return false;
    }
  }
  for (const auto& [key, value] : pending_) {
    if (value) {
      merged.set(key, *value);
    } else {
      merged.remove(key);
    }
  }
  if (!PropertyList::writeFile(Value(merged), path_, error)) return false;
  stored_ = std::move(merged);
  pending_.clear();
  dirty_ = false;
  return true;
}

}  // namespace fnd
