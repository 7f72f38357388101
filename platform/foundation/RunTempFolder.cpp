#include "foundation/RunTempFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>

#include "foundation/Paths.h"

namespace fnd {

namespace fs = std::filesystem;

namespace {

std::mutex gMutex;
std::string gPath;
int gOwnerFd = -1;

// A folder is made as "trivolan-new-XXXXXX", gets its locked owner file, and only then takes its
// final name: a sweep never sees a folder in use without its lock.
constexpr const char* kNewPrefix = "trivolan-new-";

std::string makeFolder() {
  const std::string base = Paths::tempDir();
  std::string pattern = base + "/" + kNewPrefix + "XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!::mkdtemp(buffer.data())) return {};
  const std::string made(buffer.data());
  const std::string suffix = made.substr(made.size() - 6);
  const int fd = ::open((made + "/" + RunTempFolder::kOwnerFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (fd >= 0) ::close(fd);
    std::error_code ignored;
    fs::remove_all(made, ignored);
    return {};
  }
  const std::string final = base + "/" + RunTempFolder::kPrefix + suffix;
  if (::rename(made.c_str(), final.c_str()) != 0) {
    ::close(fd);
    std::error_code ignored;
    fs::remove_all(made, ignored);
    return {};
  }
  gOwnerFd = fd;
  return final;
}

}  // namespace

std::string RunTempFolder::path() {
  std::lock_guard guard(gMutex);
  if (gPath.empty()) gPath = makeFolder();
  return gPath.empty() ? Paths::tempDir() : gPath;
}

void RunTempFolder::remove() {
  std::lock_guard guard(gMutex);
  if (gPath.empty()) return;
  std::error_code ignored;
  fs::remove_all(gPath, ignored);
  if (gOwnerFd >= 0) ::close(gOwnerFd);
  gOwnerFd = -1;
  gPath.clear();
}

int RunTempFolder::sweepAbandoned() {
  const std::string base = Paths::tempDir();
  const std::string prefix = kPrefix;
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string folder = it->path().string();
    // Only a real folder of this user: never follow a link someone else put there.
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) continue;
    const int fd = ::open((folder + "/" + kOwnerFile).c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    // A folder without its owner file was left half made or half removed: nobody uses it.
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      continue;
    }
    std::error_code ignored;
    if (fs::remove_all(folder, ignored) > 0 && !ignored) ++removed;
    if (fd >= 0) ::close(fd);
  }
  return removed;
}

}  // namespace fnd
