#pragma once

#include <optional>
#include <string>

// One colour profile offered for colour matching: a source (scanner) profile or a target
// (monitor or printer) profile, named by its description, which is also the key stored choices
// are matched by. Default entries are the driver's own source profiles, numbered by their place
// in the default path list (0 reflective, 1 negative film, 2 positive film), and the display's
// profile among the targets.
class Quirel_ProfileCM {
 public:
  // A source profile without name or path.
  Quirel_ProfileCM() = default;
  // A source (inputProfile) or target profile with its description and file path.
  Quirel_ProfileCM(bool inputProfile, std::optional<std::string> name, std::optional<std::string> path)
      : mInputProfile(inputProfile), mProfileName(std::move(name)), mFilePath(std::move(path)) {}

  bool isInputProfile() const { return mInputProfile; }
  std::optional<std::string> getProfileName() const { return mProfileName; }
  std::optional<std::string> getFilePath() const { return mFilePath; }
  void setDefault(bool isDefault) { mIsDefault = isDefault; }
  bool isDefault() const { return mIsDefault; }
  void setSourceType(int type) { mSourceType = type; }
  int getSourceType() const { return mSourceType; }

 private:
  bool mInputProfile = true;
  std::optional<std::string> mProfileName;
  std::optional<std::string> mFilePath;
  bool mIsDefault = false;
  int mSourceType = -1;
};
