#pragma once

#include <optional>
#include <string>
#include <vector>

#include "foundation/Value.h"
#include "ui/model/ProfileCMList.h"

class Quirel_PreferenceInfo;

// Finds the installed colour profiles (through imageio's installed-profile iteration, whose
// search path and display profile tests can replace), adds the driver's default source profiles,
// marks the defaults and makes the profile choices of a preferences record name installed
// profiles. Source profiles: version 2, class scanner, RGB data. Target profiles: version 2,
// class monitor or printer, RGB data. Ties are resolved in favour of the later entry.
class Quirel_ProfileManager {
 public:
  using Profiles = Quirel_ProfileCMList::Profiles;

  Profiles getInputProfileList(const std::vector<std::string>& defaultPaths) const;
  Profiles getOutputProfileList() const;
  // The main display's profile as a target entry, or nothing.
  std::optional<Quirel_ProfileCM> getDefaultOutputProfile() const;
  std::optional<Quirel_ProfileCM> getProfileWithFilePath(const std::string& path, bool inputProfile) const;
  // Both absent, or both present with equal names and paths (two absent names or paths are equal).
  static bool isEqualProfile(const Quirel_ProfileCM* a, const Quirel_ProfileCM* b);

  // Builds the lists the list object lacks, then corrects the record's profile choices.
  void checkAndSetProfilesData(Quirel_ProfileCMList& lists, Quirel_PreferenceInfo& preferences) const;
  void checkAndSetInputProfilesData(const Profiles& inputProfiles, Quirel_PreferenceInfo& preferences) const;
  void checkAndSetOutputProfilesData(const Profiles& outputProfiles, Quirel_PreferenceInfo& preferences) const;

  // An entry from one iteration dictionary, when it has a description and a path.
  static std::optional<Quirel_ProfileCM> makeProfileCMFromIterateData(const fnd::Dictionary& data, bool inputProfile);
};

// Iteration callbacks: add the profile to the list when it qualifies; always go on.
bool InputProfileIterateProc(const fnd::Dictionary& data, Quirel_ProfileManager::Profiles* list);
bool OutputProfileIterateProc(const fnd::Dictionary& data, Quirel_ProfileManager::Profiles* list);
