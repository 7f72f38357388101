#include "ui/windows/FolderOpenDialog.h"

#include <cctype>

#include "foundation/FileManager.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/windows/FolderOpenPanel.h"
#include "ui/windows/MessagePort.h"

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

Quirel_FolderOpenDialog::Quirel_FolderOpenDialog(Quirel_FileManager fileManager, FreeSpaceSource freeSpace)
    : ownPanel_(std::make_unique<Quirel_FolderOpenPanel>(*this)),
      panel_(*ownPanel_),
      fileManager_(std::move(fileManager)),
      freeSpace_(std::move(freeSpace)) {
  setUpPanel();
  // The panel already shows a folder: judge it now, or OK would answer it unchecked.
  ownPanel_->setDirectory(ownPanel_->directory());
}

Quirel_FolderOpenDialog::Quirel_FolderOpenDialog(Quirel_FolderPanelPort& panel, Quirel_FileManager fileManager,
                                                 FreeSpaceSource freeSpace)
    : panel_(panel), fileManager_(std::move(fileManager)), freeSpace_(std::move(freeSpace)) {
  setUpPanel();
}

Quirel_FolderOpenDialog::~Quirel_FolderOpenDialog() = default;

void Quirel_FolderOpenDialog::setUpPanel() {
  if (!freeSpace_) freeSpace_ = [](const std::string& path) { return fnd::FileManager::freeSpace(path); };
  const Quirel_PVLocalizedString texts(Quirel_PVLocalizedBundle::askWindowController(this));
  panel_.setTitle(texts.ls_localizedStringForKey("IDS_PATH_TITLE", "UserInterface").value_or(""));
  panel_.setOkButtonTitle(texts.ls_localizedStringForKey("IDMAC_PREF_BTN_CHOOSE", "UserInterface").value_or(""));
}

bool Quirel_FolderOpenDialog::shouldShowFilename(std::string_view path) const {
  if (path.empty()) return false;
  const std::string p(path);
  if (!fnd::FileManager::exists(p) || !fnd::FileManager::isFolderNotPackage(p)) return false;
  if (!fileManager_.hasFileSystemInfo(p)) return false;
  if (fileManager_.isRemovableDisk(p) || fileManager_.isUnmountableDisk(p)) return false;
  return !fileManager_.isNetworkPath(p) && !fileManager_.isWritableCDPath(p) && !fileManager_.isSymbolicLinkPath(p);
}

bool Quirel_FolderOpenDialog::shouldEnableURL(std::string_view url) const {
  std::optional<std::string> path = pathOfFileURL(url);
  return path && shouldShowFilename(*path);
}

void Quirel_FolderOpenDialog::directoryDidChange(std::string_view path) {
  mSelectPath = std::string(path);
  panel_.setOkButtonEnabled(shouldShowFilename(mSelectPath));
}

bool Quirel_FolderOpenDialog::ok() {
  if (mCheckFreeSize) {
    std::optional<std::uint64_t> free = freeSpace_(mSelectPath);
    if (free && *free < kMinimumFreeSize) {
      if (Quirel_MessagePort* port = Quirel_MessagePort::installed())
        port->MES_ShowMessageAndNumberMainThreadMode(kNoFreeSpaceMessage, 0, 0, 0);
      return false;
    }
  }
  panel_.performOk();
  return true;
}

std::optional<std::string> Quirel_FolderOpenDialog::pathOfFileURL(std::string_view url) {
  constexpr std::string_view kScheme = "file://";
  if (url.size() < kScheme.size()) return std::nullopt;
  for (std::size_t i = 0; i < kScheme.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(url[i])) != kScheme[i]) return std::nullopt;
  std::string_view rest = url.substr(kScheme.size());
  // Only this machine's files: an empty host or "localhost".
  if (rest.substr(0, 9) == "localhost") rest.remove_prefix(9);
  if (rest.empty() || rest.front() != '/') return std::nullopt;
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size()) {
      const int hi = hexDigit(rest[i + 1]), lo = hexDigit(rest[i + 2]);
      if (hi >= 0 && lo >= 0) {
        path.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
        continue;
      }
    }
    if (rest[i] == '?' || rest[i] == '#') break;
    path.push_back(rest[i]);
  }
  // A decoded NUL would cut the path short at the system call: refuse it.
  if (path.find('\0') != std::string::npos) return std::nullopt;
  return path;
}
