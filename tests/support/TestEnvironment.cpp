#include "TestEnvironment.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace testenv {

namespace fs = std::filesystem;

namespace {
fs::path& rootSlot() {
  static fs::path path;
  return path;
}
}  // namespace

const fs::path& root() { return rootSlot(); }

fs::path freshFolder(const std::string& name) {
  static int counter = 0;
  fs::path folder = root() / (name + "-" + std::to_string(++counter));
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder);
  return folder;
}

fs::path sourceDir() { return fs::path(TRIVOLAN_TEST_SOURCE_DIR); }

void setUp() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/trivolan-test-XXXXXX";
  char* made = ::mkdtemp(pattern.data());
  if (made == nullptr) {
    std::abort();
  }
  rootSlot() = fs::path(made);
  fs::create_directories(root() / "config");
  fs::create_directories(root() / "pictures");
  fs::create_directories(root() / "tmp");
  ::setenv("XDG_CONFIG_HOME", (root() / "config").c_str(), 1);
  ::setenv("TRIVOLAN_PICTURES_DIR", (root() / "pictures").c_str(), 1);
  ::setenv("TMPDIR", (root() / "tmp").c_str(), 1);
  if (std::getenv("TRIVOLAN_RESOURCE_DIR") == nullptr) {
    ::setenv("TRIVOLAN_RESOURCE_DIR", TRIVOLAN_TEST_RESOURCE_DIR, 1);
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
}

void tearDown() {
  if (std::getenv("TRIVOLAN_KEEP_TEST_FILES") != nullptr) {
    return;
  }
  std::error_code ec;
  fs::remove_all(root(), ec);
}

}  // namespace testenv
