#include "ui/model/SettingsSession.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace {

std::string ssFolder(const std::string& folder) {
  return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

// Whether the process of a mark still runs (one we may not signal runs too).
bool ssProcessRuns(long pid) {
  if (pid <= 0) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace

std::string Quirel_SettingsSession::markPath(const std::string& folder) {
  return ssFolder(folder) + kMarkPrefix + std::to_string(::getpid());
}

bool Quirel_SettingsSession::begin(const std::string& folder) {
  if (folder.empty()) return false;
  const std::string prefix = kMarkPrefix;
  const std::string own = std::filesystem::path(markPath(folder)).filename().string();
  bool found = false;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(ssFolder(folder), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    found = true;
    if (name == own) continue;
    long pid = 0;
    const char* digits = name.data() + prefix.size();
    const auto [stop, error] = std::from_chars(digits, name.data() + name.size(), pid);
    if (error == std::errc() && stop == name.data() + name.size() && !ssProcessRuns(pid)) {
      std::error_code ignored;
      std::filesystem::remove(it->path(), ignored);
    }
  }
  // An empty file: creating it is all or nothing.
  const int fd = ::open(markPath(folder).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  if (fd >= 0) ::close(fd);
  return found;
}

void Quirel_SettingsSession::end(const std::string& folder) {
  if (folder.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(markPath(folder), ignored);
}
