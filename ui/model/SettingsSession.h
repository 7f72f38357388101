#pragma once

#include <string>

// Marks a settings folder as in use by a running program, so that a later start can tell
// whether the files it finds were left by a run that closed normally. The settings files are
// kept while the program runs (a crash or a kill then loses at most the last unsaved change),
// but the scan module's preview backup is written only at a normal close: after a run that
// never closed, the stored "has a preview" no longer matches that backup and must not be
// taken for a fresh one.
class Quirel_SettingsSession {
 public:
  // A mark "InUse-<process id>" in the folder.
  static constexpr const char* kMarkPrefix = "InUse-";

  // Marks the folder in use by this process. Answers true when another run's mark was there:
  // that run never closed, or is still running on the same folder. Marks of processes that
  // are gone are removed.
  static bool begin(const std::string& folder);
  // Removes this process's mark: the files in the folder are those of a normal close.
  static void end(const std::string& folder);

  static std::string markPath(const std::string& folder);
};
