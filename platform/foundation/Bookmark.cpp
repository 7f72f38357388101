#include "foundation/Bookmark.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#include "foundation/PropertyList.h"

namespace fnd {

namespace {
constexpr const char* kVersionKey = "TrivolanBookmark";
constexpr long long kVersion = 1;
}  // namespace

std::optional<Data> Bookmark::create(const std::string& path, std::string* error) {
  std::error_code ec;
  std::filesystem::path absolute = path.empty() ? std::filesystem::path() : std::filesystem::absolute(path, ec);
  struct stat st {};
  if (path.empty() || ec || ::stat(absolute.c_str(), &st) != 0) {
    if (error) *error = "cannot bookmark \"" + path + "\": " + std::strerror(path.empty() || ec ? ENOENT : errno);
    return std::nullopt;
  }
  std::string text = absolute.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  Dictionary record{{kVersionKey, kVersion},
                    {"Path", text},
                    {"Device", static_cast<long long>(st.st_dev)},
                    {"Inode", static_cast<long long>(st.st_ino)},
                    {"Folder", S_ISDIR(st.st_mode) != 0}};
  std::optional<std::string> bytes = PropertyList::write(Value(std::move(record)), error);
  if (!bytes) return std::nullopt;
  return Data(bytes->begin(), bytes->end());
}

std::optional<Bookmark::Resolution> Bookmark::resolve(const Data& bookmark) {
  PropertyList::Result r = PropertyList::read(bookmark);
  if (!r.ok() || !r.value->isDictionary()) return std::nullopt;
  const Dictionary& d = r.value->toDictionary();
  const Value& path = d.get("Path");
  if (d.get(kVersionKey) != Value(kVersion) || !path.isString() || path.toString().empty() ||
      !d.get("Device").isInteger() || !d.get("Inode").isInteger()) {
    return std::nullopt;
  }
  Resolution out{path.toString(), false};
  struct stat st {};
  if (::stat(out.path.c_str(), &st) != 0 || static_cast<long long>(st.st_dev) != d.integer("Device") ||
      static_cast<long long>(st.st_ino) != d.integer("Inode") || (S_ISDIR(st.st_mode) != 0) != d.boolean("Folder")) {
    out.stale = true;
  }
  return out;
}

}  // namespace fnd
