#include "foundation/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace fnd {

namespace fs = std::filesystem;

namespace {
std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v && *v ? std::string(v) : std::string();
}
std::string withoutTrailingSlash(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}
}  // namespace

std::string Paths::homeDir() {
  std::string home = env("HOME");
  if (!home.empty()) return withoutTrailingSlash(home);
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}

std::string Paths::executableDir() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : exe.parent_path().string();
}

std::string Paths::resourceDir() {
  std::string dir = env("TRIVOLAN_RESOURCE_DIR");
  if (!dir.empty()) return withoutTrailingSlash(dir);
  std::error_code ec;
  fs::path here = executableDir();
  for (int up = 0; up < 4 && !here.empty(); ++up) {
    if (fs::is_directory(here / "resources", ec)) return (here / "resources").string();
    if (fs::is_directory(here / "share" / "trivolan", ec)) return (here / "share" / "trivolan").string();
    here = here.parent_path();
  }
  return "/usr/share/trivolan";
}

std::string Paths::configDir() {
  std::string base = env("XDG_CONFIG_HOME");
  if (base.empty()) base = homeDir() + "/.config";
  return withoutTrailingSlash(base) + "/trivolan";
}

std::string Paths::picturesDir() {
  std::string dir = env("TRIVOLAN_PICTURES_DIR");
  if (dir.empty()) dir = env("XDG_PICTURES_DIR");
  if (dir.empty()) dir = homeDir() + "/Pictures";
  return withoutTrailingSlash(dir);
}

std::string Paths::tempDir() {
  std::string dir = env("TMPDIR");
  if (dir.empty()) dir = "/tmp";
  return withoutTrailingSlash(dir);
}

}  // namespace fnd
