#include "ui/model/ProfileManager.h"

#include "imageio/IccProfile.h"
#include "imageio/InstalledProfiles.h"
#include "ui/model/PreferenceInfo.h"

namespace {

using imageio::IccProfile;

// The header as the iteration hands it; false when it is not a profile header.
bool headerOf(const fnd::Dictionary& data, IccProfile::Header& header) {
  const fnd::Data& bytes = data.data(imageio::kColorSyncProfileHeader);
  return IccProfile::parseHeader(bytes.data(), bytes.size(), header);
}

bool isVersion2RGB(const IccProfile::Header& h) { return (h.version >> 24) == 2 && h.colorSpace == IccProfile::sigRGB; }

}  // namespace

bool InputProfileIterateProc(const fnd::Dictionary& data, Quirel_ProfileManager::Profiles* list) {
  IccProfile::Header h;
  if (list && headerOf(data, h) && isVersion2RGB(h) && h.deviceClass == IccProfile::sigScanner) {
    if (auto entry = Quirel_ProfileManager::makeProfileCMFromIterateData(data, true)) list->push_back(*entry);
  }
  return true;
}

bool OutputProfileIterateProc(const fnd::Dictionary& data, Quirel_ProfileManager::Profiles* list) {
  IccProfile::Header h;
  if (list && headerOf(data, h) && isVersion2RGB(h) &&
      (h.deviceClass == IccProfile::sigMonitor || h.deviceClass == IccProfile::sigPrinter)) {
    if (auto entry = Quirel_ProfileManager::makeProfileCMFromIterateData(data, false)) list->push_back(*entry);
  }
  return true;
}

std::optional<Quirel_ProfileCM> Quirel_ProfileManager::makeProfileCMFromIterateData(const fnd::Dictionary& data,
                                                                                  bool inputProfile) {
  const std::string name = data.string(imageio::kColorSyncProfileDescription);
  const std::string path = data.string(imageio::kColorSyncProfileURL);
  if (name.empty() || path.empty()) return std::nullopt;
  return Quirel_ProfileCM(inputProfile, name, path);
}

Quirel_ProfileManager::Profiles Quirel_ProfileManager::getInputProfileList(
    const std::vector<std::string>& defaultPaths) const {
  Profiles list;
  const bool ok = imageio::InstalledProfiles::iterate(
      [&list](const fnd::Dictionary& data) { return InputProfileIterateProc(data, &list); });
  if (!ok) return list;
  for (std::size_t i = 0; i < defaultPaths.size(); ++i) {
    if (auto entry = getProfileWithFilePath(defaultPaths[i], true)) {
      entry->setDefault(true);
      entry->setSourceType(int(i));
      list.push_back(*entry);
    }
  }
  return list;
}

Quirel_ProfileManager::Profiles Quirel_ProfileManager::getOutputProfileList() const {
  Profiles list;
  const bool ok = imageio::InstalledProfiles::iterate(
      [&list](const fnd::Dictionary& data) { return OutputProfileIterateProc(data, &list); });
  if (!ok) return list;
  if (const auto display = getDefaultOutputProfile()) {
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
      if (isEqualProfile(&*it, &*display)) {
        it->setDefault(true);
        break;
      }
    }
  } else if (!list.empty()) {
    list.back().setDefault(true);
  }
  return list;
}

std::optional<Quirel_ProfileCM> Quirel_ProfileManager::getDefaultOutputProfile() const {
  const std::string path = imageio::InstalledProfiles::displayProfilePath();
  if (path.empty()) return std::nullopt;
  return getProfileWithFilePath(path, false);
}

std::optional<Quirel_ProfileCM> Quirel_ProfileManager::getProfileWithFilePath(const std::string& path,
                                                                            bool inputProfile) const {
  if (path.empty()) return std::nullopt;
  const auto profile = IccProfile::createWithPath(path);
  if (!profile || profile->description().empty()) return std::nullopt;
  return Quirel_ProfileCM(inputProfile, profile->description(), path);
}

bool Quirel_ProfileManager::isEqualProfile(const Quirel_ProfileCM* a, const Quirel_ProfileCM* b) {
  if (!a || !b) return !a && !b;
  return a->getProfileName() == b->getProfileName() && a->getFilePath() == b->getFilePath();
}

void Quirel_ProfileManager::checkAndSetProfilesData(Quirel_ProfileCMList& lists,
                                                    Quirel_PreferenceInfo& preferences) const {
  if (!lists.getInputProfileList()) {
    lists.setInputProfileList(getInputProfileList(lists.getDefaultInputProfilePathList().value_or(
        std::vector<std::string>{})));
  }
  checkAndSetInputProfilesData(*lists.getInputProfileList(), preferences);
  if (!lists.getOutputProfileList()) lists.setOutputProfileList(getOutputProfileList());
  checkAndSetOutputProfilesData(*lists.getOutputProfileList(), preferences);
}

void Quirel_ProfileManager::checkAndSetInputProfilesData(const Profiles& inputProfiles,
                                                         Quirel_PreferenceInfo& preferences) const {
  for (int index = 0; index < 3; ++index) {
    const std::string stored = preferences.getInputPf_Name(index);
    const Quirel_ProfileCM* byName = nullptr;
    const Quirel_ProfileCM* byDefault = nullptr;
    for (auto it = inputProfiles.rbegin(); it != inputProfiles.rend(); ++it) {
      if (!byName && !stored.empty() && it->getProfileName() == stored) byName = &*it;
      if (!byDefault && it->isDefault() && it->getSourceType() == index) byDefault = &*it;
    }
    if (byName) {
      preferences.setInputPf_FilePath(index, byName->getFilePath());
    } else if (byDefault) {
      preferences.setInputPf_Name(index, byDefault->getProfileName());
      preferences.setInputPf_FilePath(index, byDefault->getFilePath());
    }
  }
}

void Quirel_ProfileManager::checkAndSetOutputProfilesData(const Profiles& outputProfiles,
                                                          Quirel_PreferenceInfo& preferences) const {
  const std::string stored = preferences.getOutputPf_Name();
  const Quirel_ProfileCM* byName = nullptr;
  const Quirel_ProfileCM* byDefault = nullptr;
  for (auto it = outputProfiles.rbegin(); it != outputProfiles.rend(); ++it) {
    if (!byName && !stored.empty() && it->getProfileName() == stored) byName = &*it;
    if (!byDefault && it->isDefault()) byDefault = &*it;
  }
  if (byName) {
    preferences.setOutputPf_FilePath(byName->getFilePath());
  } else if (byDefault) {
    preferences.setOutputPf_Name(byDefault->getProfileName());
    preferences.setOutputPf_FilePath(byDefault->getFilePath());
  }
}
