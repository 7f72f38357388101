#include "foundation/FileManager.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <random>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fnd {

namespace fs = std::filesystem;

namespace {

bool fail(std::string* error, const std::string& what, int err = 0) {
  if (error) *error = err ? what + ": " + std::strerror(err) : what;
  return false;
}

std::mutex& freeSpaceMutex() {
  static std::mutex m;
  return m;
}
FileManager::FreeSpaceSource& freeSpaceSource() {
  static FileManager::FreeSpaceSource source;
  return source;
}

std::string lowered(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return s;
}

// A sibling name for a file being made; nobody else picks the same one.
std::string temporarySibling(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  static thread_local std::mt19937 random{std::random_device{}()};
  fs::path folder = target.parent_path();
  std::string name = "." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                     std::to_string(counter.fetch_add(1)) + "-" + std::to_string(random() % 1000000);
  return (folder / name).string();
}

// rename() that refuses to replace an existing destination.
int renameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  // A file system without the flag: check, then rename (a small race we accept there).
  struct stat st;
  if (::lstat(to.c_str(), &st) == 0) {
    errno = EEXIST;
    return -1;
  }
  return ::rename(from.c_str(), to.c_str());
}

bool writeAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

void syncFolder(const fs::path& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

bool syncFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

}  // namespace

bool FileManager::exists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool FileManager::isFolder(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileManager::isReadable(const std::string& path) {
  return !path.empty() && ::faccessat(AT_FDCWD, path.c_str(), R_OK, AT_EACCESS) == 0;
}

bool FileManager::isWritable(const std::string& path) {
  return !path.empty() && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool FileManager::isPackage(const std::string& path) {
  if (!isFolder(path)) return false;
  static const char* const extensions[] = {".app", ".bundle", ".framework", ".plugin", ".kext", ".pkg", ".mpkg"};
  std::string ext = lowered(fs::path(path).lexically_normal().filename().extension().string());
  if (ext.empty() && !path.empty() && path.back() == '/') {
    ext = lowered(fs::path(path).lexically_normal().parent_path().extension().string());
  }
  for (const char* e : extensions) {
    if (ext == e) return true;
  }
  return false;
}

bool FileManager::isFolderNotPackage(const std::string& path) { return isFolder(path) && !isPackage(path); }

bool FileManager::createFolder(const std::string& path, bool intermediates, bool ownerOnly, std::string* error) {
  if (path.empty()) return fail(error, "empty folder path");
  fs::path target = fs::path(path).lexically_normal();
  if (target.has_filename() == false && target.has_parent_path()) target = target.parent_path();
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) {
    if (!S_ISDIR(st.st_mode)) return fail(error, target.string() + " exists and is not a folder");
    return intermediates ? true : fail(error, target.string(), EEXIST);
  }

  // The folders to make, outermost first.
  std::vector<fs::path> missing{target};
  if (intermediates) {
    for (fs::path p = target.parent_path(); !p.empty() && p != p.parent_path(); p = p.parent_path()) {
      if (::stat(p.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode)) return fail(error, p.string() + " exists and is not a folder");
        break;
      }
      missing.push_back(p);
    }
  }
  const mode_t mode = ownerOnly ? 0700 : 0777;
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (::mkdir(it->c_str(), mode) != 0) {
      if (errno == EEXIST && ::stat(it->c_str(), &st) == 0 && S_ISDIR(st.st_mode) && *it != target) continue;
      return fail(error, it->string(), errno);
    }
    // A restrictive umask must not take the owner's own rights away from a per-user folder.
    if (ownerOnly && ::chmod(it->c_str(), 0700) != 0) return fail(error, it->string(), errno);
  }
  return true;
}

std::optional<std::uint64_t> FileManager::freeSpace(const std::string& path) {
  FreeSpaceSource source;
  {
    std::lock_guard<std::mutex> lock(freeSpaceMutex());
    source = freeSpaceSource();
  }
  if (source) return source(path);
  struct statvfs vfs;
  if (path.empty() || ::statvfs(path.c_str(), &vfs) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(vfs.f_bavail) * static_cast<std::uint64_t>(vfs.f_frsize);
}

void FileManager::setFreeSpaceSource(FreeSpaceSource source) {
  std::lock_guard<std::mutex> lock(freeSpaceMutex());
  freeSpaceSource() = std::move(source);
}

bool FileManager::move(const std::string& from, const std::string& to, std::string* error) {
  struct stat st;
  if (from.empty() || ::lstat(from.c_str(), &st) != 0) return fail(error, from, ENOENT);
  if (to.empty()) return fail(error, "empty destination path");
  if (renameNoReplace(from, to) == 0) return true;
  if (errno != EXDEV) return fail(error, from + " -> " + to, errno);
  // Another volume: copy whole, then remove the original.
  if (!copy(from, to, error)) return false;
  return remove(from, error);
}

bool FileManager::copy(const std::string& from, const std::string& to, std::string* error) {
  struct stat st;
  if (from.empty() || ::lstat(from.c_str(), &st) != 0) return fail(error, from, ENOENT);
  if (to.empty()) return fail(error, "empty destination path");
  if (::lstat(to.c_str(), &st) == 0) return fail(error, to, EEXIST);

  // Copied under a hidden name beside the destination, then renamed: never half a copy.
  std::string temp = temporarySibling(fs::path(to).lexically_normal());
  std::error_code ec;
  fs::copy(from, temp, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
  if (!ec && fs::is_regular_file(fs::symlink_status(temp, ec)) && !syncFile(temp)) {
    ec = std::error_code(errno, std::generic_category());
  }
  if (ec) {
    std::error_code ignored;
    fs::remove_all(temp, ignored);
    return fail(error, from + " -> " + to + ": " + ec.message());
  }
  if (renameNoReplace(temp, to) != 0) {
    int err = errno;
    fs::remove_all(temp, ec);
    return fail(error, to, err);
  }
  syncFolder(fs::path(to).parent_path());
  return true;
}

bool FileManager::keepUnreadable(const std::string& path, bool moveIt, std::string* error) {
  const std::string aside = unreadablePath(path);
  if (exists(aside) && !remove(aside, error)) return false;
  return moveIt ? move(path, aside, error) : copy(path, aside, error);
}

bool FileManager::remove(const std::string& path, std::string* error) {
  struct stat st;
  if (path.empty() || ::lstat(path.c_str(), &st) != 0) return fail(error, path, ENOENT);
  std::error_code ec;
  fs::remove_all(path, ec);
  if (ec) return fail(error, path + ": " + ec.message());
  return true;
}

bool FileManager::writeAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  if (path.empty()) return fail(error, "empty file path");
  fs::path target = fs::path(path);
  std::error_code ec;
  // Writing through a link replaces the file it points at, not the link.
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  struct stat old;
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode)) return fail(error, target.string(), EISDIR);

  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temp = temporarySibling(target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return fail(error, "cannot create a temporary file beside " + target.string(), errno);

  int err = 0;
  if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0) err = errno;
  if (!err && !writeAll(fd, bytes)) err = errno;
  if (!err && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && !err) err = errno;
  if (!err && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err) {
    ::unlink(temp.c_str());
    return fail(error, "cannot write " + target.string(), err);
  }
  syncFolder(target.parent_path());
  return true;
}

std::optional<std::string> FileManager::readFile(const std::string& path, std::string* error) {
  int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    fail(error, "cannot open " + path, path.empty() ? ENOENT : errno);
    return std::nullopt;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    fail(error, path + " is not a regular file");
    return std::nullopt;
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      fail(error, "cannot read " + path, err);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

}  // namespace fnd
