#include "ui/base/SecurityScopeBookmarks.h"

#include "foundation/Bookmark.h"

void SaveSecurityScopeBookmarks(std::string_view path, fnd::UserDefaults& defaults) {
  if (path.empty()) return;
  std::optional<fnd::Data> data = fnd::Bookmark::create(std::string(path));
  if (!data) return;
  defaults.set(path, fnd::Value(std::move(*data)));
  defaults.synchronize();
}

std::optional<std::string> LoadSecurityScopeBookmarks(std::string_view path, fnd::UserDefaults& defaults) {
  if (path.empty()) return std::nullopt;
  const fnd::Value stored = defaults.object(path);
  if (!stored.isData()) return std::nullopt;
  std::optional<fnd::Bookmark::Resolution> resolution = fnd::Bookmark::resolve(stored.toData());
  if (!resolution) return std::nullopt;
  return resolution->path;
}
