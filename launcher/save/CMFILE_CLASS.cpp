#include "launcher/save/CMFILE_CLASS.h"

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "imageio/AtomicFile.h"
#include "launcher/save/CMText.h"

namespace {

std::string folderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string tempNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  std::size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + "." + name + ".part" + std::to_string(getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool can(const std::string& path, int how) { return ::access(path.c_str(), how) == 0; }

}  // namespace

CMFILE_CLASS::CMFILE_CLASS() = default;

CMFILE_CLASS::~CMFILE_CLASS() {
  // Releasing an open file keeps what was written, as closing it would.
  if (m_fd >= 0) Close();
}

CMResult CMFILE_CLASS::Open(const std::string* path, std::int32_t mode) { return open(path, mode, false); }

CMResult CMFILE_CLASS::OpenNew(const std::string* path) { return open(path, kWrite, true); }

CMResult CMFILE_CLASS::open(const std::string* path, std::int32_t mode, bool keepExisting) {
  if (!path || path->empty()) return CM_ERR_BAD_ARGUMENT;
  if (mode != kWrite && mode != kRead && mode != kUpdate) return CM_ERR_BAD_ARGUMENT;
  if (m_fd >= 0) Close();
  return CM_Guard([&] {
    const std::string folder = folderOf(*path);
    int fd = -1;
    std::string temp;
    if (mode == kWrite) {
      if (!can(folder, W_OK)) return CM_ERR_NO_PERMISSION;
      struct stat existing {};
      // A new file's name is taken by anything there, a dangling link too.
      const bool present =
          (keepExisting ? ::lstat(path->c_str(), &existing) : ::stat(path->c_str(), &existing)) == 0;
      if (present && (keepExisting || !can(*path, W_OK) || S_ISDIR(existing.st_mode)))
        return CM_ERR_NO_PERMISSION;
      // The new contents go to a sibling and replace the file on Close: nothing of an earlier,
      // longer file survives, and no one sees the file half written.
      temp = tempNameFor(*path);
      fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0) return CM_ERR_SYSTEM;
      if (present) ::fchmod(fd, existing.st_mode & 07777);
    } else if (mode == kRead) {
      if (!can(folder, R_OK)) return CM_ERR_NO_PERMISSION;
      if (!exists(*path)) return CM_ERR_FILE_MISSING;
      if (!can(*path, R_OK)) return CM_ERR_NO_PERMISSION;
      fd = ::open(path->c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) return CM_ERR_NO_MEMORY;
    } else {
      if (!can(folder, W_OK)) return CM_ERR_NO_PERMISSION;
      if (!exists(*path)) return CM_ERR_FILE_MISSING;
      if (!can(*path, R_OK | W_OK)) return CM_ERR_NO_PERMISSION;
      fd = ::open(path->c_str(), O_RDWR | O_CLOEXEC);
      if (fd < 0) return CM_ERR_NO_MEMORY;
    }
    m_fd = fd;
    m_path = *path;
    m_tempPath = std::move(temp);
    m_keepExisting = keepExisting;
    return CM_OK;
  });
}

CMResult CMFILE_CLASS::Close() {
  if (m_fd < 0) return CM_ERR_NOT_READY;
  CMResult rc = CM_OK;
  if (::close(m_fd) != 0) rc = CM_ERR_SYSTEM;
  m_fd = -1;
  if (!m_tempPath.empty()) {
    // A file whose writing failed never replaces the one it was meant to replace.
    if (rc == CM_OK && m_writeFailed) rc = CM_ERR_SYSTEM;
    if (rc == CM_OK && !imageio::renameInto(m_tempPath, m_path, m_keepExisting))
      rc = m_keepExisting && errno == EEXIST ? CM_ERR_NO_PERMISSION : CM_ERR_SYSTEM;
    if (rc != CM_OK) ::unlink(m_tempPath.c_str());
  }
  m_writeFailed = false;
  m_keepExisting = false;
  m_path.clear();
  m_tempPath.clear();
  return rc;
}

CMResult CMFILE_CLASS::Discard() {
  if (m_fd < 0) return CM_ERR_NOT_READY;
  if (m_tempPath.empty()) return Close();
  // The new contents go as a failed write's do; whatever is at the path stays as it was.
  m_writeFailed = true;
  Close();
  return CM_OK;
}

CMResult CMFILE_CLASS::WriteFormat(std::size_t bufferSize, const char* format, ...) {
  if (m_fd < 0) return CM_ERR_NOT_READY;
  if (!format) return CM_ERR_BAD_ARGUMENT;
  if (bufferSize == 0) return CM_ERR_SYSTEM;
  va_list args;
  va_start(args, format);
  CMResult rc = CM_Guard([&] {
    std::vector<char> buffer(bufferSize, '\0');
    CM_ThrowIfError(CM_FormatCStringV(buffer.data(), buffer.size(), format, args));
    return writeAll(buffer.data(), std::strlen(buffer.data()));
  });
  va_end(args);
  return rc;
}

CMResult CMFILE_CLASS::Tell(std::uint64_t* offset) {
  if (!offset) return CM_ERR_BAD_ARGUMENT;
  *offset = 0;
  if (m_fd < 0) return CM_ERR_NOT_READY;
  off_t at = ::lseek(m_fd, 0, SEEK_CUR);
  if (at < 0) return CM_ERR_SYSTEM;
  *offset = static_cast<std::uint64_t>(at);
  return CM_OK;
}

CMResult CMFILE_CLASS::Seek(std::int64_t offset, std::int32_t origin) {
  if (m_fd < 0) return CM_ERR_NOT_READY;
  off_t target = 0;
  switch (origin) {
    case kFromStart:
      if (offset < 0) return CM_ERR_BAD_ARGUMENT;
      target = static_cast<off_t>(offset);
      break;
    case kFromCurrent: {
      off_t at = ::lseek(m_fd, 0, SEEK_CUR);
      if (at < 0) return CM_ERR_SYSTEM;
      if (offset < 0 && -offset > at) return CM_ERR_BAD_ARGUMENT;
      target = at + static_cast<off_t>(offset);
      break;
    }
    case kToEnd:
      if (offset != 0) return CM_ERR_BAD_ARGUMENT;
      return ::lseek(m_fd, 0, SEEK_END) < 0 ? CM_ERR_SYSTEM : CM_OK;
    default:
      return CM_ERR_BAD_ARGUMENT;
  }
  return ::lseek(m_fd, target, SEEK_SET) < 0 ? CM_ERR_SYSTEM : CM_OK;
}

CMResult CMFILE_CLASS::writeAll(const void* bytes, std::size_t length) {
  const char* p = static_cast<const char*>(bytes);
  while (length > 0) {
    ssize_t n = ::write(m_fd, p, length);
    if (n < 0) {
      if (errno == EINTR) continue;
      m_writeFailed = true;
      return CM_WriteErrnoToResult(errno);
    }
    p += n;
    length -= static_cast<std::size_t>(n);
  }
  return CM_OK;
}

CMResult CMFILE_CLASS::Write(const void* bytes, std::size_t length) {
  if (m_fd < 0) return CM_ERR_NOT_READY;
  if (!bytes) return CM_ERR_BAD_ARGUMENT;
  return writeAll(bytes, length);
}

CMResult CMFILE_CLASS::Read(void* buffer, std::size_t length, std::size_t* bytesRead) {
  if (bytesRead) *bytesRead = 0;
  if (m_fd < 0) return CM_ERR_NOT_READY;
  if (!buffer) return CM_ERR_BAD_ARGUMENT;
  if (length == 0) return CM_OK;
  char* p = static_cast<char*>(buffer);
  std::size_t total = 0;
  while (total < length) {
    ssize_t n = ::read(m_fd, p + total, length - total);
    if (n < 0) {
      if (errno == EINTR) continue;
      return CM_ERR_SYSTEM;
    }
    if (n == 0) break;
    total += static_cast<std::size_t>(n);
  }
  if (bytesRead) *bytesRead = total;
  return total == 0 ? CM_ERR_END_OF_FILE : CM_OK;
}

CMResult CMFILE_CLASS::GetSize(std::uint64_t* size) {
  if (!size) return CM_ERR_BAD_ARGUMENT;
  *size = 0;
  if (m_fd < 0) return CM_ERR_NOT_READY;
  struct stat st {};
  if (::fstat(m_fd, &st) != 0) return CM_ERR_SYSTEM;
  *size = static_cast<std::uint64_t>(st.st_size);
  return CM_OK;
}

CMResult CM_CreateFile(std::unique_ptr<ICMFILE_CLASS>* slot) {
  if (!slot || *slot) return CM_ERR_BAD_ARGUMENT;
  return CM_Guard([&] {
    *slot = std::make_unique<CMFILE_CLASS>();
    return CM_OK;
  });
}

CMResult CM_ReleaseFile(std::unique_ptr<ICMFILE_CLASS>* slot) {
  if (!slot || !*slot) return CM_ERR_BAD_ARGUMENT;
  slot->reset();
  return CM_OK;
}
