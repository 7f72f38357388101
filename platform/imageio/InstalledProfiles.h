#pragma once

#include <functional>
#include <string>
#include <vector>

#include "foundation/Value.h"

namespace imageio {

// Keys of the dictionary handed to an iteration callback for each installed profile.
inline constexpr const char* kColorSyncProfileHeader = "kColorSyncProfileHeader";            // data, 128 bytes
inline constexpr const char* kColorSyncProfileDescription = "kColorSyncProfileDescription";  // string
inline constexpr const char* kColorSyncProfileURL = "kColorSyncProfileURL";                  // string, the file path

// The colour profiles installed on the system: the files in the freedesktop ICC folders.
// The search path and the display's profile can be replaced, so tests use their own folders.
class InstalledProfiles {
 public:
  // ~/.local/share/icc (or $XDG_DATA_HOME/icc), ~/.color/icc, /usr/share/color/icc,
  // /usr/local/share/color/icc, /var/lib/color/icc.
  static std::vector<std::string> defaultSearchPath();
  static std::vector<std::string> searchPath();
  // An empty list restores the default.
  static void setSearchPath(std::vector<std::string> folders);

  // Calls the callback for every readable profile, folder by folder in search-path order and
  // by file name within a folder (sub-folders included), until it answers false. Missing or
  // unreadable folders and files that are not profiles are skipped, never an error, so a
  // machine without profiles still gets the caller's own defaults; answers true.
  static bool iterate(const std::function<bool(const fnd::Dictionary&)>& callback);

  // Path of the main display's profile; empty when none is known (the default).
  static std::string displayProfilePath();
  static void setDisplayProfilePath(std::string path);
};

}  // namespace imageio
