#pragma once

#include <string>
#include <string_view>

#include "ui/base/MountTable.h"

// Which folders and files are acceptable for saving, and how a path is shown to the user.
// Every test answers false (or the empty string) on any failure and never throws. Nothing here
// changes the process's current folder.
class Quirel_FileManager {
 public:
  // The system's volumes: /proc/self/mountinfo and the block devices in /sys/class/block.
  Quirel_FileManager() : Quirel_FileManager(MountTable::kSelfMountInfo, "/sys/class/block") {}
  // Volumes described by other files (a mountinfo file and a block-device folder).
  Quirel_FileManager(std::string mountInfoPath, std::string blockDevicesDir)
      : mountInfoPath_(std::move(mountInfoPath)), blockDevicesDir_(std::move(blockDevicesDir)) {}

  // The path exists and is a file while files are allowed, or a folder that is not a package.
  bool isEnabledFile(std::string_view path, bool allowFile) const;
  // As above, and readable, and writable unless read only.
  bool isEnabledFile(std::string_view path, bool allowFile, bool readOnly) const;
  bool hasAccessRight(std::string_view path, bool readOnly) const;
  // The path without its last component; empty for an empty path.
  static std::string getParentFolderPath(std::string_view path);
  // Makes one folder (no parents) with owner-only rights; a path without a final "/" loses its
  // extension first ("temp.d" makes "temp"). True when the folder is there and usable.
  bool createDirectory(std::string_view path) const;
  // Removes the item `name` inside the usable folder `directory`. `name` is one path component.
  bool removeFile(std::string_view directory, std::string_view name) const;
  // The volume holding the path was plugged in (its block device says removable).
  bool isRemovableDisk(std::string_view path) const;
  // The volume holding the path is one that a user mounts and unmounts (below /media or
  // /run/media), as opposed to the system's own file systems.
  bool isUnmountableDisk(std::string_view path) const;
  // The path as the user reads it: the volume's name (a user volume's folder name, else the
  // start-up volume's name) and the folders below it, joined by ":". Empty unless
  // isEnabledFile() accepts the path.
  std::string makeDisplayFilePath(std::string_view path, bool allowFile) const;
  // "/Network" itself, or a path whose folder lies on a network file system.
  bool isNetworkPath(std::string_view path) const;
  // Burn folders do not exist on this system: always false.
  bool isWritableCDPath(std::string_view path) const;
  // The item itself (not followed) is a symbolic link.
  bool isSymbolicLinkPath(std::string_view path) const;
  // The file-system record of the volume holding an existing path, or null.
  bool hasFileSystemInfo(std::string_view path) const;

  // The display form of a resolved path on `volume` (null: the start-up volume).
  static std::string displayPath(const std::string& path, const MountTable::Entry* volume,
                                 const std::string& startupVolume);

  // The start-up volume's name: the root file system's label, else "Computer".
  std::string startupVolumeName() const;

 private:
  std::string resolved(std::string_view path) const;
  // The same from a mount table already read (one read per question).
  static std::string startupVolumeName(const MountTable& table);

  std::string mountInfoPath_;
  std::string blockDevicesDir_;
};
