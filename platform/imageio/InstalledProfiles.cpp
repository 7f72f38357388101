#include "imageio/InstalledProfiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "foundation/Paths.h"
#include "imageio/IccProfile.h"

namespace imageio {

namespace {

struct State {
  std::mutex mutex;
  std::vector<std::string> searchPath;
  std::string displayProfile;
};

State& state() {
  static State s;
  return s;
}

}  // namespace

std::vector<std::string> InstalledProfiles::defaultSearchPath() {
  std::string home = fnd::Paths::homeDir();
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  std::string userData = (dataHome && *dataHome) ? std::string(dataHome) : home + "/.local/share";
  return {userData + "/icc", home + "/.color/icc", "/usr/share/color/icc", "/usr/local/share/color/icc",
          "/var/lib/color/icc"};
}

std::vector<std::string> InstalledProfiles::searchPath() {
  std::lock_guard lock(state().mutex);
  return state().searchPath.empty() ? defaultSearchPath() : state().searchPath;
}

void InstalledProfiles::setSearchPath(std::vector<std::string> folders) {
  std::lock_guard lock(state().mutex);
  state().searchPath = std::move(folders);
}

std::string InstalledProfiles::displayProfilePath() {
  std::lock_guard lock(state().mutex);
  return state().displayProfile;
}

void InstalledProfiles::setDisplayProfilePath(std::string path) {
  std::lock_guard lock(state().mutex);
  state().displayProfile = std::move(path);
}

bool InstalledProfiles::iterate(const std::function<bool(const fnd::Dictionary&)>& callback) {
  namespace fs = std::filesystem;
  for (const std::string& folder : searchPath()) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) continue;
    std::vector<fs::path> files;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec) continue;
    for (fs::recursive_directory_iterator end; it != end; it.increment(ec)) {
      if (ec) break;
      std::error_code fileEc;
      if (it->is_regular_file(fileEc)) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      auto profile = IccProfile::createWithPath(file.string());
      if (!profile) continue;
      fnd::Data header(profile->data().begin(), profile->data().begin() + IccProfile::kHeaderSize);
      fnd::Dictionary entry;
      entry.set(kColorSyncProfileHeader, std::move(header));
      entry.set(kColorSyncProfileDescription, profile->description());
      entry.set(kColorSyncProfileURL, file.string());
      if (!callback(entry)) return true;
    }
  }
  return true;
}

}  // namespace imageio
