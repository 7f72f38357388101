#pragma once

// Kept, tested and with no caller in this program: the preferences pick their folder with the
// plain open panel.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui/base/FileManager.h"
#include "ui/windows/FolderPanelPort.h"

class Quirel_FolderOpenPanel;

// A folder chooser that refuses unsuitable folders (missing, packages, removable or user-mounted
// volumes, network file systems, symbolic links) and, when asked, too-full volumes: the panel's
// OK then shows message 1640 and the panel stays open.
class Quirel_FolderOpenDialog {
 public:
  static constexpr std::uint64_t kMinimumFreeSize = 10485760;  // 10 MiB
  static constexpr std::int32_t kNoFreeSpaceMessage = 1640;

  // Free bytes of the volume holding a path; nothing when they cannot be read.
  using FreeSpaceSource = std::function<std::optional<std::uint64_t>(const std::string& path)>;

  // Titles the panel from the data source's localisation bundle, asked of the main-window
  // controller. An empty free-space source reads the volume (statvfs).
  // Drives its own open panel (openPanel()), which shows the user's home folder at first.
  explicit Quirel_FolderOpenDialog(Quirel_FileManager fileManager = {}, FreeSpaceSource freeSpace = {});
  // Drives the given panel instead.
  explicit Quirel_FolderOpenDialog(Quirel_FolderPanelPort& panel, Quirel_FileManager fileManager = {},
                                   FreeSpaceSource freeSpace = {});
  ~Quirel_FolderOpenDialog();
  Quirel_FolderOpenDialog(const Quirel_FolderOpenDialog&) = delete;
  Quirel_FolderOpenDialog& operator=(const Quirel_FolderOpenDialog&) = delete;

  // The panel to run (runModal, URL); null when the chooser drives a panel given to it.
  Quirel_FolderOpenPanel* openPanel() const { return ownPanel_.get(); }

  void setCheckFreeSize(bool check) { mCheckFreeSize = check; }
  bool checkFreeSize() const { return mCheckFreeSize; }
  const std::string& selectPath() const { return mSelectPath; }
  bool canCreateDirectories() const { return true; }

  // Whether a folder may be chosen.
  bool shouldShowFilename(std::string_view path) const;
  // The same test for a URL: "file:" URLs only.
  bool shouldEnableURL(std::string_view url) const;
  // Keeps the shown folder and enables OK exactly when it may be chosen.
  void directoryDidChange(std::string_view path);
  // With the free-space check on, a volume with less than 10 MiB free shows message 1640 and
  // the panel stays open (false); otherwise the panel's own OK runs (true).
  bool ok();

  // The path of a "file:" URL (percent escapes decoded); nothing for other URLs.
  static std::optional<std::string> pathOfFileURL(std::string_view url);

 private:
  void setUpPanel();

  std::unique_ptr<Quirel_FolderOpenPanel> ownPanel_;  // before panel_: it may be what panel_ names
  Quirel_FolderPanelPort& panel_;
  Quirel_FileManager fileManager_;
  FreeSpaceSource freeSpace_;
  std::string mSelectPath;
  bool mCheckFreeSize = false;
};
