#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace fnd {

// File-system helpers that work on full paths only. Nothing here ever changes the process's
// current folder, so a worker thread can never pull the ground from under another one.
// Functions that can fail answer false (or nothing) and put a reason in *error when given.
class FileManager {
 public:
  static bool exists(const std::string& path);
  static bool isFolder(const std::string& path);
  static bool isReadable(const std::string& path);
  static bool isWritable(const std::string& path);

  // A folder that the user sees as one item: its name ends in a package extension (".app",
  // ".bundle", ".framework", ".plugin", ".kext", ".pkg", ".mpkg"), compared without case.
  static bool isPackage(const std::string& path);
  // A folder the user can open and save into: a folder that is not a package.
  static bool isFolderNotPackage(const std::string& path);

  // Creates the folder, and its missing parents when `intermediates` is set. Owners are never
  // changed. `ownerOnly` gives every folder made here the rights 0700 (per-user folders);
  // otherwise 0777 less the process's umask. An existing folder is success only with
  // `intermediates` (as on the original platform); its rights are left alone.
  static bool createFolder(const std::string& path, bool intermediates, bool ownerOnly,
                           std::string* error = nullptr);

  // Bytes available to an unprivileged user on the volume holding `path` (statvfs), or nothing
  // when the volume cannot be read.
  static std::optional<std::uint64_t> freeSpace(const std::string& path);
  // Tests replace the statvfs query; an empty function restores it.
  using FreeSpaceSource = std::function<std::optional<std::uint64_t>(const std::string& path)>;
  static void setFreeSpaceSource(FreeSpaceSource source);

  // Moves a file or folder; the destination must not exist. Works across volumes.
  static bool move(const std::string& from, const std::string& to, std::string* error = nullptr);
  // Copies a file or a folder with its contents; the destination must not exist and appears
  // whole or not at all.
  static bool copy(const std::string& from, const std::string& to, std::string* error = nullptr);
  // Removes a file, or a folder with everything in it. A missing item is a failure.
  static bool remove(const std::string& path, std::string* error = nullptr);
  // Keeps a settings file that cannot be read as "<path>.unreadable" (replacing an older one),
  // moved there or copied (so that a write that fails after it leaves the file in place).
  static std::string unreadablePath(const std::string& path) { return path + ".unreadable"; }
  static bool keepUnreadable(const std::string& path, bool moveIt, std::string* error = nullptr);

  // Writes `bytes` to `path` atomically: a temporary file in the same folder is written,
  // flushed to disk and renamed over the target, so readers see the old file or the new one,
  // never half of either. A replaced file keeps its rights; a new one gets 0666 less the umask.
  static bool writeAtomically(const std::string& path, std::string_view bytes,
                              std::string* error = nullptr);
  // Reads a whole regular file; nothing when it is missing or unreadable.
  static std::optional<std::string> readFile(const std::string& path, std::string* error = nullptr);
};

}  // namespace fnd
