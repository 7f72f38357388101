#pragma once

#include <string>

namespace fnd {

// Where the program's files live on Linux. Each folder can be moved by an environment
// variable, so tests run in a temporary folder and never touch the user's files.
struct Paths {
  // Our read-only data (device list, string tables, pictures...). TRIVOLAN_RESOURCE_DIR, else
  // "resources" beside the binaries (or up to three folders above them), else share/trivolan.
  static std::string resourceDir();
  // Per-user settings: $XDG_CONFIG_HOME/trivolan (default ~/.config/trivolan).
  static std::string configDir();
  // Default save folder: TRIVOLAN_PICTURES_DIR, else $XDG_PICTURES_DIR, else ~/Pictures.
  static std::string picturesDir();
  // Temporary files: $TMPDIR, else /tmp. No trailing slash.
  static std::string tempDir();
  // The user's home folder.
  static std::string homeDir();
  // Folder holding the running executable.
  static std::string executableDir();
};

}  // namespace fnd
