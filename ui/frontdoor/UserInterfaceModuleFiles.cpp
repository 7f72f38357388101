// The two settings files, the scan module's files beside them, and the small look-ups of the
// start-up (connection names, default profile paths).

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "foundation/PropertyList.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ProfileCMList.h"
#include "ui/model/SettingsDictionaryFile.h"
#include "ui/model/UIScannerInfo.h"

namespace {

constexpr const char* kUimUIOFFMode = "UIOFFMode";
constexpr const char* kUimShowMultiPDFScanStartMessage = "ShowMultiPDFScanStartMessage";
constexpr const char* kUimShowAutoScanConfirmMessage = "ShowAutoScanConfirmMessage";

bool uimEndsWithSmIgnoringCase(const std::string& name) {
  if (name.size() < 3) return false;
  const std::string tail = name.substr(name.size() - 3);
  return tail[0] == '.' && std::tolower(static_cast<unsigned char>(tail[1])) == 's' &&
         std::tolower(static_cast<unsigned char>(tail[2])) == 'm';
}

// The folder's last component replaced by "Color Profiles", with a final "/".
std::string uimColorProfilesFolderBeside(const std::string& initPath) {
  std::string folder = initPath;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const std::size_t slash = folder.find_last_of('/');
  const std::string parent = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
  return parent + "Color Profiles/";
}

}  // namespace

std::optional<std::string> Quirel_UserInterfaceModule::localizedStringForInterfaceString(
    const std::optional<std::string>& port) const {
  if (!port) return std::nullopt;
  const char* key = nullptr;
  if (*port == "USB1.1") key = "IDS_PORT_USB11";
  else if (*port == "USB2.0") key = "IDS_PORT_USB20";
  else if (*port == "LAN") key = "IDS_PORT_LAN";
  else if (*port == "Wireless LAN") key = "IDS_PORT_WLAN";
  if (!key) return port;
  std::optional<std::string> text = mLSobj ? mLSobj->ls_localizedStringForKey(key, *port, "UserInterface") : std::nullopt;
  return text && !text->empty() ? text : port;
}

void Quirel_UserInterfaceModule::setInitSetting_ProfilePath(const fnd::Dictionary* initSetting,
                                                            const fnd::Dictionary* parameters,
                                                            Quirel_ProfileCMList& list) {
  std::vector<std::string> paths;
  const fnd::Value* profiles = parameters ? parameters->find("ColorProfiles") : nullptr;
  const bool fullPaths = initSetting && (initSetting->contains("InitFile") || initSetting->contains("Uthric"));
  const fnd::Value* initPath = initSetting ? initSetting->find("InitPath") : nullptr;
  if (profiles && profiles->isDictionary()) {
    for (const char* key : {"R", "N", "P"}) {
      const fnd::Value* name = profiles->toDictionary().find(key);
      if (!name || !name->isString() || name->toString().empty()) continue;
      if (fullPaths) {
        paths.push_back(name->toString());
      } else if (initPath && initPath->isString() && !initPath->toString().empty()) {
        paths.push_back(uimColorProfilesFolderBeside(initPath->toString()) + name->toString());
      }
    }
  }
  list.setDefaultInputProfilePathList(std::move(paths));
}

// --- InitSetting.xml --------------------------------------------------------------------------

std::optional<fnd::Dictionary> Quirel_UserInterfaceModule::readInitSettingXMLAtPreferenceDirPath(
    const std::optional<std::string>& folder) {
  if (!folder) return std::nullopt;
  // A file that cannot be read as one dictionary is as good as none.
  const fnd::PropertyList::Result read = fnd::PropertyList::readFile(settingFile(*folder, kInitSettingFile));
  if (!read.ok() || !read.value->isDictionary()) return std::nullopt;
  fnd::Dictionary d = read.value->toDictionary();
  if (const fnd::Value* uiOff = d.find(kUimUIOFFMode)) {
    const fnd::Dictionary empty;
    const fnd::Dictionary& flags = uiOff->isDictionary() ? uiOff->toDictionary() : empty;
    mShowMultiPDFScanStartMsg = flags.boolean(kUimShowMultiPDFScanStartMessage);
    mShowAutoScanConfirmMsg = flags.boolean(kUimShowAutoScanConfirmMessage);
  }
  return d;
}

bool Quirel_UserInterfaceModule::writeInitSettingXML(const fnd::Dictionary* initSetting,
                                                     const std::optional<std::string>& folder) const {
  if (!folder) return false;
  fnd::Dictionary d = initSetting ? *initSetting : fnd::Dictionary();
  d.set(kUimUIOFFMode, fnd::Dictionary{{kUimShowMultiPDFScanStartMessage, mShowMultiPDFScanStartMsg},
                                    {kUimShowAutoScanConfirmMessage, mShowAutoScanConfirmMsg}});
  return Quirel_SettingsDictionaryFile::write(settingFile(*folder, kInitSettingFile), d);
}

// --- Preference.xml ---------------------------------------------------------------------------

std::shared_ptr<Quirel_PreferenceInfo> Quirel_UserInterfaceModule::readPreferenceXMLAtPreferenceDirPath(
    const std::optional<std::string>& folder, const std::optional<std::string>& tempPath,
    const std::optional<std::string>& savePath, const std::optional<std::string>& saveName,
    const Quirel_UIScannerInfo* scannerInfo) const {
  if (folder) {
    const fnd::PropertyList::Result read = fnd::PropertyList::readFile(settingFile(*folder, kPreferenceFile));
    // The user's own file is taken as it is; only a missing or unreadable one gets the checks.
    if (read.ok() && read.value->isDictionary())
      return std::make_shared<Quirel_PreferenceInfo>(read.value->toDictionary());
  }
  auto record = std::make_shared<Quirel_PreferenceInfo>();
  if (scannerInfo) {
    if (scannerInfo->isMFP() || !scannerInfo->closeSelect()) record->setAutoExit(0);
    if (scannerInfo->isVer1600Later()) record->setPrevStart(scannerInfo->defaultAtStartUpPreview());
  }
  auto usable = [this](const std::optional<std::string>& path) {
    return path && !path->empty() && mFileManager.isEnabledFile(*path, false);
  };
  if (!usable(record->getTempPath())) {
    record->setTempPath(tempPath);
    record->setTempPathBookmarkURL(tempPath);
  }
  if (!usable(record->getSavePath())) {
    record->setSavePath(savePath);
    record->setSavePathBookmarkURL(savePath);
  }
  const std::optional<std::string> name = record->getSaveName();
  if (!name || name->empty()) record->setSaveName(saveName);
  return record;
}

bool Quirel_UserInterfaceModule::writePreferenceXML(const Quirel_PreferenceInfo* preference,
                                                    const std::optional<std::string>& folder) {
  if (!preference || !folder) return false;
  return Quirel_SettingsDictionaryFile::write(*folder + kPreferenceFile, preference->getDictionary());
}

bool Quirel_UserInterfaceModule::saveSettingsNow() {
  if (mClosed || !mMainWindow || !mPreferenceInfo || !mSettingFilePath) return false;
  const fnd::Dictionary initSetting = makeInitSettingDictionary();
  const bool wroteInit = writeInitSettingXML(&initSetting, mSettingFilePath);
  return writePreferenceXML(mPreferenceInfo.get(), mSettingFilePath) && wroteInit;
}

// --- removal and the scan module's backup -------------------------------------------------------

void Quirel_UserInterfaceModule::removeSettingFile(const std::string& folder, const char* name) const {
  // A file that gave the defaults because it could not be read is kept aside, not deleted.
  if (!folder.empty()) {
    Quirel_SettingsDictionaryFile::setAsideUnreadable(folder.back() == '/' ? folder + name : folder + "/" + name);
  }
  mFileManager.removeFile(folder, name);
}

void Quirel_UserInterfaceModule::removePreferenceFilesAtPath(const std::optional<std::string>& folder) const {
  if (!folder) return;
  removeSettingFile(*folder, kInitSettingFile);
  removeSettingFile(*folder, kPreferenceFile);
  std::vector<std::string> scanModuleFiles;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(*folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code kindError;
    // Only plain files: a folder named like one is not the scan module's.
    if (!it->is_regular_file(kindError) || it->is_symlink(kindError)) continue;
    const std::string name = it->path().filename().string();
    if (uimEndsWithSmIgnoringCase(name)) scanModuleFiles.push_back(name);
  }
  for (const std::string& name : scanModuleFiles) mFileManager.removeFile(*folder, name);
}

int Quirel_UserInterfaceModule::call_SMBackupAndResume(int type, const std::optional<std::string>& path) {
  const char* name = type == 1 ? kBackupPost : type == 2 ? kResumePost : nullptr;
  if (!name) return 0;
  auto info = fnd::makeShared(fnd::Dictionary{});
  if (path) info->set(type == 1 ? "BackupPath" : "ResumePath", *path);
  const std::shared_ptr<int> result = Quirel_PostNotification::addResultSlot(*info);
  Quirel_PostNotification(mCenter).postExternalNotificationName(name, identity(), info);
  return *result;
}
