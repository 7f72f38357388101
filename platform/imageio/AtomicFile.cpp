#include "imageio/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace imageio {

bool renameOntoFreeName(const std::string& from, const std::string& to) {
  // In one step where the file system can; else through a second link, which never replaces a
  // name either.
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

bool renameInto(const std::string& from, const std::string& to, bool keepExisting) {
  return keepExisting ? renameOntoFreeName(from, to) : ::rename(from.c_str(), to.c_str()) == 0;
}

AtomicFile::AtomicFile(std::string target) : target_(std::move(target)) {}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
}

bool AtomicFile::open() {
  static std::atomic<unsigned> counter{0};
  std::string folder = ".";
  std::string name = target_;
  if (auto slash = target_.rfind('/'); slash != std::string::npos) {
    folder = slash == 0 ? "/" : target_.substr(0, slash);
    name = target_.substr(slash + 1);
  }
  std::random_device rd;
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%d.%u.%08x.part", int(::getpid()), counter++, unsigned(rd()));
    std::string candidate = (folder == "/" ? "" : folder) + "/." + name + suffix;
    // Created with the ordinary permissions (the umask applies), unlike a mkstemp file.
    int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      fd_ = fd;
      temp_ = candidate;
      return true;
    }
    if (errno != EEXIST) {
      error_ = "cannot create a file in " + folder + ": " + std::strerror(errno);
      return false;
    }
  }
  error_ = "cannot find a free temporary name in " + folder;
  return false;
}

bool AtomicFile::place(bool keepExisting) {
  if (temp_.empty() || committed_) return false;
  if (fd_ >= 0) {
    int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0) {
      error_ = std::string("cannot close the file: ") + std::strerror(errno);
      return false;
    }
  }
  if (!renameInto(temp_, target_, keepExisting)) {
    nameTaken_ = keepExisting && errno == EEXIST;
    error_ = nameTaken_ ? "a file is already at " + target_
                        : "cannot rename onto " + target_ + ": " + std::strerror(errno);
    return false;
  }
  committed_ = true;
  return true;
}

bool AtomicFile::commitNew() { return place(true); }

bool AtomicFile::commit() { return place(false); }

}  // namespace imageio
