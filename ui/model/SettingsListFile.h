#pragma once

#include <string>

#include "foundation/FileManager.h"
#include "foundation/Value.h"

// A settings file that holds one property-list array of entries ("Favorite.xml",
// "OutputSize.xml"). The dialogs that edit such a list read every element as it stands, so that
// elements they do not show (not dictionaries, or of a kind the dialog does not list) go back
// into the file unchanged; a file that cannot be read as an array is set aside as
// "<name>.unreadable" before it is replaced, never silently lost.
class Quirel_SettingsListFile {
 public:
  struct Contents {
    fnd::Array elements;      // every element of the stored array, in file order
    bool unreadable = false;  // the file is there but is no property-list array
  };

  // A missing file gives no elements and is not unreadable.
  static Contents read(const std::string& path);

  // Replaces the file atomically with the elements. With `setAsideUnreadable` an existing file
  // is first copied to "<path>.unreadable" (replacing an older copy). False, with the reason
  // in *error, when either step fails; the file is then as it was.
  static bool write(const std::string& path, const fnd::Array& elements, bool setAsideUnreadable,
                    std::string* error = nullptr);

  static std::string unreadablePath(const std::string& path) { return fnd::FileManager::unreadablePath(path); }
};
