#pragma once

// Kept, tested and with no caller in this program: the launcher keeps its save folder's
// bookmark in the user defaults itself.

#include <optional>
#include <string>
#include <string_view>

#include "foundation/UserDefaults.h"

// Bookmarks of chosen folders and files, kept in the user defaults under the path itself.

// Records a bookmark of an existing item and writes the defaults; nothing for an empty path or
// an item that cannot be bookmarked.
void SaveSecurityScopeBookmarks(std::string_view path,
                                fnd::UserDefaults& defaults = fnd::UserDefaults::standard());
// The path the bookmark stored under `path` resolves to (also when it went stale); nothing when
// there is no entry or it is not bookmark data.
std::optional<std::string> LoadSecurityScopeBookmarks(std::string_view path,
                                                      fnd::UserDefaults& defaults = fnd::UserDefaults::standard());
