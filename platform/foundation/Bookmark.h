#pragma once

#include <optional>
#include <string>

#include "foundation/Value.h"

namespace fnd {

// Stand-in for security-scoped bookmarks. Bookmark data records a file's or folder's absolute
// path and its identity (device and inode), as a small property list. Resolving gives the path
// back, stale when the item is gone or another item now stands at that path. There is no
// sandbox here, so access scopes are no-ops that succeed.
class Bookmark {
 public:
  struct Resolution {
    std::string path;
    bool stale = false;
  };

  // Bookmark data for an existing item; nothing (and the reason in *error) when it is missing.
  static std::optional<Data> create(const std::string& path, std::string* error = nullptr);
  // The recorded path, or nothing when the data is not bookmark data.
  static std::optional<Resolution> resolve(const Data& bookmark);

  static bool startAccessingSecurityScopedResource(const std::string&) { return true; }
  static bool stopAccessingSecurityScopedResource(const std::string&) { return true; }
};

}  // namespace fnd
