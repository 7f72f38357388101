#include "launcher/save/CMFileSystem.h"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "imageio/AtomicFile.h"
#include "launcher/save/CMText.h"

namespace fs = std::filesystem;

namespace {

CMResult copyErrorCode(int err) {
  switch (err) {
    case ENOENT:
    case ENOTDIR:
      return CM_ERR_EMPTY_OR_ABSENT;
    case EACCES:
    case EPERM:
    case EROFS:
      return CM_ERR_NO_PERMISSION;
    case ENOSPC:
    case EDQUOT:
      return CM_ERR_DISK_FULL;
    default:
      return CM_ERR_SYSTEM;
  }
}

// A fresh name beside target for the bytes on their way in.
std::string siblingTempName(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  fs::path p(target);
  return (p.parent_path() / ("." + p.filename().string() + ".tmp" + std::to_string(getpid()) + "-" +
                             std::to_string(counter.fetch_add(1))))
      .string();
}

bool writeAll(int fd, const char* data, std::size_t length) {
  while (length > 0) {
    ssize_t n = ::write(fd, data, length);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    length -= static_cast<std::size_t>(n);
  }
  return true;
}

// Copies source to target's temporary sibling and renames it into place (only onto a free
// name with keepExisting); answers an errno.
int copyThroughTemp(const std::string& source, const std::string& target, bool keepExisting = false) {
  int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return errno;
  struct stat st {};
  if (::fstat(in, &st) != 0) {
    int err = errno;
    ::close(in);
    return err;
  }
  if (S_ISDIR(st.st_mode)) {
    ::close(in);
    return EISDIR;
  }
  std::string temp = siblingTempName(target);
  int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 07777);
  if (out < 0) {
    int err = errno;
    ::close(in);
    return err;
  }
  int err = 0;
  std::vector<char> buf(1 << 16);
  for (;;) {
    ssize_t n = ::read(in, buf.data(), buf.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      break;
    }
    if (n == 0) break;
    if (!writeAll(out, buf.data(), static_cast<std::size_t>(n))) {
      err = errno;
      break;
    }
  }
  ::close(in);
  if (::close(out) != 0 && err == 0) err = errno;
  if (err == 0 && !imageio::renameInto(temp, target, keepExisting)) err = errno;
  if (err != 0) ::unlink(temp.c_str());
  return err;
}

}  // namespace

CMResult CM_FileExists(const std::string* path, bool* exists) {
  if (!path || !exists) return CM_ERR_BAD_ARGUMENT;
  std::error_code ec;
  *exists = !path->empty() && fs::exists(*path, ec);
  return CM_OK;
}

CMResult CM_IsWritable(const std::string* path, bool* writable) {
  if (!path || !writable) return CM_ERR_BAD_ARGUMENT;
  *writable = !path->empty() && ::access(path->c_str(), W_OK) == 0;
  return CM_OK;
}

CMResult CM_MakeFolder(const std::string* path) {
  if (!path) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::error_code ec;
    if (path->empty()) return CM_ERR_SYSTEM;
    if (fs::exists(*path, ec)) return CM_OK;
    fs::create_directories(*path, ec);
    return ec ? CM_ERR_SYSTEM : CM_OK;
  });
}

CMResult CM_RemovePath(const std::string* path) {
  if (!path) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(*path, ec))) return CM_OK;
    fs::remove_all(*path, ec);
    return ec ? CM_ERR_NO_PERMISSION : CM_OK;
  });
}

CMResult CM_RemoveFile(const std::string* path) {
  if (!path) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::error_code ec;
    fs::file_status st = fs::symlink_status(*path, ec);
    if (!fs::exists(st) || fs::is_directory(st)) return CM_OK;
    fs::remove(*path, ec);
    return ec ? CM_ERR_SYSTEM : CM_OK;
  });
}

CMResult CM_RemoveMatchingFiles(const std::string* folder, const std::string* pattern) {
  if (!folder || !pattern) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::error_code ec;
    // Collect first: removing while the listing walks would pull folders from under it.
    std::vector<fs::path> matches;
    fs::recursive_directory_iterator it(*folder, ec), end;
    if (ec) return CM_ERR_SYSTEM;
    for (; it != end; it.increment(ec)) {
      if (ec) return CM_ERR_SYSTEM;
      if (CM_WildcardMatch(it->path().filename().string(), *pattern)) {
        matches.push_back(it->path());
        if (it->is_directory(ec) && !it->is_symlink(ec)) it.disable_recursion_pending();
      }
    }
    if (ec) return CM_ERR_SYSTEM;
    for (const fs::path& p : matches) {
      fs::remove_all(p, ec);
      if (ec) return CM_ERR_SYSTEM;
    }
    return CM_OK;
  });
}

CMResult CM_CopyFile(const std::string* source, const std::string* target, std::uint32_t mode) {
  if (!source || !target || mode >= 2) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::error_code ec;
    if (!fs::exists(*source, ec)) return CM_ERR_EMPTY_OR_ABSENT;
    if (mode == 0 && fs::exists(fs::symlink_status(*target, ec))) return CM_OK;
    // Mode 1 replaces the target by the rename, so a failed copy leaves the old target whole.
    int err = copyThroughTemp(*source, *target);
    return err == 0 ? CM_OK : copyErrorCode(err);
  });
}

CMResult CM_CopyFileToFreeName(const std::string* source, const std::string* target) {
  if (!source || !target) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::error_code ec;
    if (!fs::exists(*source, ec)) return CM_ERR_EMPTY_OR_ABSENT;
    const int err = copyThroughTemp(*source, *target, true);
    return err == 0 ? CM_OK : err == EEXIST ? CM_ERR_NO_PERMISSION : copyErrorCode(err);
  });
}

CMResult CM_MoveFile(const std::string* source, const std::string* target, std::uint32_t mode) {
  if (!source || !target || mode >= 2) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    std::int32_t same = 1;
    CM_ThrowIfError(CM_CompareString(source, target, &same));
    if (same == 0) return CM_ERR_BAD_ARGUMENT;
    std::error_code ec;
    // Two spellings of one file: copying onto itself and removing the source would lose it.
    if (fs::equivalent(*source, *target, ec) && !ec) return CM_ERR_BAD_ARGUMENT;
    if (mode == 0 && fs::exists(fs::symlink_status(*target, ec))) return CM_OK;
    if (!fs::exists(*source, ec)) return CM_ERR_EMPTY_OR_ABSENT;
    // Within one file system a rename moves in one step; across file systems copy and remove.
    if (!fs::is_directory(*source, ec) && !fs::is_directory(*target, ec) &&
        ::rename(source->c_str(), target->c_str()) == 0)
      return CM_OK;
    CM_ThrowIfError(CM_CopyFile(source, target, mode));
    CM_ThrowIfError(CM_RemoveFile(source));
    return CM_OK;
  });
}
