#pragma once

#include <string>
#include <string_view>
#include <vector>

// The mounted file systems as Linux reports them in /proc/self/mountinfo. Stands in for the
// volume queries the file helpers need: which volume holds a path, its file-system type and
// its device.
class MountTable {
 public:
  static constexpr const char* kSelfMountInfo = "/proc/self/mountinfo";

  struct Entry {
    std::string mountPoint;
    std::string fsType;
    std::string source;
  };

  // The table of a mountinfo file; empty when it cannot be read.
  static MountTable read(const std::string& path = kSelfMountInfo);
  // Lines that do not have the mountinfo layout are skipped.
  static MountTable parse(std::string_view text);

  const std::vector<Entry>& entries() const { return entries_; }
  // The mount holding an absolute, resolved path: the longest mount point that is the path or
  // one of its parent folders (the later of two mounts on the same point); null when none.
  const Entry* entryFor(std::string_view path) const;

  // File-system types whose data lives on another machine.
  static bool isNetworkType(std::string_view fsType);
  // Mount points where desktops mount the volumes a user plugs in or mounts by hand.
  static bool isUserMountPoint(std::string_view mountPoint);

 private:
  std::vector<Entry> entries_;
};
