#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace testenv {

// A file's whole content; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// Writes bytes as the whole file (plainly, not atomically: a fixture), making missing folders.
inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// An empty folder at `dir`, made afresh; a folder an earlier test left unwritable is opened
// up first. Returns the folder's path.
inline std::string emptyFolderAt(const std::filesystem::path& dir) {
  std::error_code ignored;
  std::filesystem::permissions(dir, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

// Runs `during` while the folder `dir` cannot be written: read-only, or (for the superuser, whom
// permissions do not stop) a plain file standing in its place. The folder is back afterwards.
inline void whileUnwritable(const std::filesystem::path& dir, const std::function<void()>& during) {
  namespace fs = std::filesystem;
  const bool root = ::geteuid() == 0;
  fs::path away = dir;
  away += ".away";
  if (root) {
    fs::rename(dir, away);
    std::ofstream(dir) << "in the way";
  } else {
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  }
  during();
  if (root) {
    fs::remove(dir);
    fs::rename(away, dir);
  } else {
    fs::permissions(dir, fs::perms::owner_all);
  }
}

}  // namespace testenv
