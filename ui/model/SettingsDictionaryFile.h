#pragma once

#include <string>

#include "foundation/FileManager.h"
#include "foundation/Value.h"

// A settings file that holds one property-list dictionary ("Preference.xml", "InitSetting.xml").
// Such a file that is there but cannot be read as a dictionary gives the defaults; before it is
// replaced or removed it is moved to "<name>.unreadable" (replacing an older one), so that what
// the user had is never silently lost.
class Quirel_SettingsDictionaryFile {
 public:
  // Moves an unreadable file out of the way. True when there was none (missing, readable, or a
  // folder, which is left alone) or it was moved; false, the reason in *error, otherwise.
  static bool setAsideUnreadable(const std::string& path, std::string* error = nullptr);

  // Keeps a copy of an unreadable file aside, then replaces the file atomically with the
  // dictionary. On failure the file stays as it was.
  static bool write(const std::string& path, const fnd::Dictionary& dictionary, std::string* error = nullptr);

  static std::string unreadablePath(const std::string& path) { return fnd::FileManager::unreadablePath(path); }
};
