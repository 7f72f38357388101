#include "ui/base/FileManager.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "foundation/FileManager.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> components(const std::string& path) {
  std::vector<std::string> out;
  for (const fs::path& part : fs::path(path).relative_path())
    if (!part.empty() && part != ".") out.push_back(part.string());
  return out;
}

std::string readFirstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

}  // namespace

bool Quirel_FileManager::isEnabledFile(std::string_view path, bool allowFile) const {
  if (path.empty()) return false;
  const std::string p(path);
  if (!fnd::FileManager::exists(p)) return false;
  if (fnd::FileManager::isFolder(p)) return !fnd::FileManager::isPackage(p);
  return allowFile;
}

bool Quirel_FileManager::isEnabledFile(std::string_view path, bool allowFile, bool readOnly) const {
  return isEnabledFile(path, allowFile) && hasAccessRight(path, readOnly);
}

bool Quirel_FileManager::hasAccessRight(std::string_view path, bool readOnly) const {
  if (path.empty()) return false;
  const std::string p(path);
  return fnd::FileManager::isReadable(p) && (readOnly || fnd::FileManager::isWritable(p));
}

std::string Quirel_FileManager::getParentFolderPath(std::string_view path) {
  std::string p(path);
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  const std::size_t slash = p.rfind('/');
  if (slash == std::string::npos) return {};
  if (slash == 0) return "/";
  return p.substr(0, slash);
}

bool Quirel_FileManager::createDirectory(std::string_view path) const {
  if (path.empty()) return false;
  std::string p(path);
  if (p.back() != '/') {
    const std::size_t slash = p.rfind('/');
    const std::size_t dot = p.rfind('.');
    // A leading dot names a hidden folder, not an extension.
    if (dot != std::string::npos && (slash == std::string::npos ? dot > 0 : dot > slash + 1)) p.erase(dot);
  }
  if (isEnabledFile(p, false)) return true;
  // The settings and temporary folders made here belong to the user alone; owners are never
  // changed.
  return fnd::FileManager::createFolder(p, false, true);
}

bool Quirel_FileManager::removeFile(std::string_view directory, std::string_view name) const {
  if (directory.empty() || name.empty() || !isEnabledFile(directory, false)) return false;
  // One component only: "..", "." or a nested path would reach outside the folder (or remove
  // the folder itself with everything in it).
  if (name == "." || name == ".." || name.find('/') != std::string_view::npos) return false;
  std::string target(directory);
  if (target.back() != '/') target += '/';
  target += name;
  return fnd::FileManager::remove(target);
}

std::string Quirel_FileManager::resolved(std::string_view path) const {
  std::error_code ec;
  fs::path p = fs::canonical(fs::path(path), ec);
  return ec ? std::string() : p.string();
}

bool Quirel_FileManager::hasFileSystemInfo(std::string_view path) const {
  const std::string p = resolved(path);
  return !p.empty() && MountTable::read(mountInfoPath_).entryFor(p) != nullptr;
}

bool Quirel_FileManager::isRemovableDisk(std::string_view path) const {
  const std::string p = resolved(path);
  if (p.empty()) return false;
  const MountTable table = MountTable::read(mountInfoPath_);
  const MountTable::Entry* e = table.entryFor(p);
  if (!e || e->source.rfind("/dev/", 0) != 0) return false;
  // /dev/disk/by-... links lead to the device's own name.
  std::error_code ec;
  fs::path device = fs::canonical(e->source, ec);
  if (ec) device = fs::path(e->source);
  ec.clear();
  const fs::path block = fs::path(blockDevicesDir_) / device.filename();
  // A partition has no flag of its own; its disk (the folder above it) has.
  if (fs::exists(block / "removable", ec)) return readFirstLine(block / "removable") == "1";
  const fs::path disk = fs::canonical(block, ec).parent_path();
  if (!ec && fs::exists(disk / "removable", ec)) return readFirstLine(disk / "removable") == "1";
  return false;
}

bool Quirel_FileManager::isUnmountableDisk(std::string_view path) const {
  const std::string p = resolved(path);
  if (p.empty()) return false;
  const MountTable table = MountTable::read(mountInfoPath_);
  const MountTable::Entry* e = table.entryFor(p);
  return e && MountTable::isUserMountPoint(e->mountPoint);
}

std::string Quirel_FileManager::makeDisplayFilePath(std::string_view path, bool allowFile) const {
  if (!isEnabledFile(path, allowFile)) return {};
  const std::string p = resolved(path);
  if (p.empty()) return {};
  const MountTable table = MountTable::read(mountInfoPath_);
  return displayPath(p, table.entryFor(p), startupVolumeName(table));
}

std::string Quirel_FileManager::displayPath(const std::string& path, const MountTable::Entry* volume,
                                            const std::string& startupVolume) {
  std::vector<std::string> parts;
  if (volume && MountTable::isUserMountPoint(volume->mountPoint) && path.size() >= volume->mountPoint.size()) {
    // A user volume reads from its own name on: Backup:scans.
    parts.push_back(fs::path(volume->mountPoint).filename().string());
    for (std::string& c : components(path.substr(volume->mountPoint.size()))) parts.push_back(c);
  } else {
    parts.push_back(startupVolume);
    for (std::string& c : components(path)) parts.push_back(c);
  }
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i) out += ':';
    out += parts[i];
  }
  return out;
}

bool Quirel_FileManager::isNetworkPath(std::string_view path) const {
  if (path == "/Network") return true;
  if (path.empty()) return false;
  const std::string folder = path == "/" ? std::string("/") : getParentFolderPath(path);
  const std::string p = resolved(folder);
  if (p.empty()) return false;
  const MountTable table = MountTable::read(mountInfoPath_);
  const MountTable::Entry* e = table.entryFor(p);
  return e && MountTable::isNetworkType(e->fsType);
}

bool Quirel_FileManager::isWritableCDPath(std::string_view) const { return false; }

bool Quirel_FileManager::isSymbolicLinkPath(std::string_view path) const {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_symlink(fs::symlink_status(fs::path(path), ec)) && !ec;
}

std::string Quirel_FileManager::startupVolumeName() const {
  return startupVolumeName(MountTable::read(mountInfoPath_));
}

std::string Quirel_FileManager::startupVolumeName(const MountTable& table) {
  const MountTable::Entry* root = table.entryFor("/");
  std::error_code ec;
  if (root && root->source.rfind("/dev/", 0) == 0) {
    const fs::path device = fs::canonical(root->source, ec);
    if (!ec) {
      for (fs::directory_iterator it("/dev/disk/by-label", ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (fs::canonical(it->path(), ec2) == device && !ec2) return it->path().filename().string();
      }
    }
  }
  return "Computer";
}
