#include "ui/base/MountTable.h"

#include <array>
#include <fstream>
#include <sstream>

namespace {

// mountinfo writes space, tab, newline and backslash in paths as three-digit octal escapes.
std::string unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const char a = field[i + 1], b = field[i + 2], c = field[i + 3];
      if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
        out.push_back(static_cast<char>((a - '0') * 64 + (b - '0') * 8 + (c - '0')));
        i += 3;
        continue;
      }
    }
    out.push_back(field[i]);
  }
  return out;
}

bool isUnder(std::string_view path, std::string_view folder) {
  if (folder == "/") return !path.empty() && path.front() == '/';
  if (path.substr(0, folder.size()) != folder) return false;
  return path.size() == folder.size() || path[folder.size()] == '/';
}

}  // namespace

MountTable MountTable::read(const std::string& path) {
  std::ifstream in(path);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return parse(text.str());
}

MountTable MountTable::parse(std::string_view text) {
  MountTable table;
  std::istringstream lines{std::string(text)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::vector<std::string> f;
    for (std::string word; fields >> word;) f.push_back(word);
    // id parent major:minor root mount-point options [optional...] - type source super-options
    std::size_t dash = 6;
    while (dash < f.size() && f[dash] != "-") ++dash;
    if (f.size() < 5 || dash + 2 >= f.size()) continue;
    table.entries_.push_back(Entry{unescape(f[4]), f[dash + 1], unescape(f[dash + 2])});
  }
  return table;
}

const MountTable::Entry* MountTable::entryFor(std::string_view path) const {
  const Entry* best = nullptr;
  for (const Entry& e : entries_) {
    if (!isUnder(path, e.mountPoint)) continue;
    if (!best || e.mountPoint.size() >= best->mountPoint.size()) best = &e;
  }
  return best;
}

bool MountTable::isNetworkType(std::string_view fsType) {
  static constexpr std::array<std::string_view, 17> kTypes = {
      "nfs",  "nfs4",   "cifs",      "smb3",       "smbfs",          "ncpfs",      "afs",
      "coda", "9p",     "ceph",      "lustre",     "glusterfs",      "davfs",      "fuse.sshfs",
      "fuse.glusterfs", "fuse.davfs", "fuse.curlftpfs"};
  for (std::string_view t : kTypes)
    if (fsType == t) return true;
  return false;
}

bool MountTable::isUserMountPoint(std::string_view mountPoint) {
  return (isUnder(mountPoint, "/media") && mountPoint != "/media") ||
         (isUnder(mountPoint, "/run/media") && mountPoint != "/run/media");
}
