#pragma once

#include <optional>
#include <string>

// Which help the driver opens for the model: a help book by anchors or by title, the guide
// viewer with its manual-info list, or the web manual. The main-window controller hands the
// model's help settings over at start-up; the opening itself is built by a later layer, so the
// object only keeps the settings for now. Every string is an owned copy; a setter given no
// value keeps the one it has. Main thread only.
class Quirel_HelpControl {
 public:
  Quirel_HelpControl() = default;

  void setSettingHelpFilePath(const std::optional<std::string>& path, const std::optional<std::string>& titleKey,
                              const std::optional<std::string>& dsBundleURL);
  void setHelpBundleID(const std::optional<std::string>& bundleID, const std::optional<std::string>& pagePath);
  void setHelpAnchorName(const std::optional<std::string>& set, const std::optional<std::string>& automatic,
                         const std::optional<std::string>& basic, const std::optional<std::string>& advanced);
  void setManualInfoFilePath(const std::optional<std::string>& path, bool ver1500L);
  void setWebManualVersion(bool ver1910L) { mVer1910L = ver1910L; }
  void setWebManualContentsVersion(const std::optional<std::string>& ctv);
  bool isSupportedWebManual() const { return mVer1910L; }

  const std::optional<std::string>& helpBundleFilePath() const { return mHelpBundleFilePath; }
  const std::optional<std::string>& helpAppleTitleKey() const { return mHelpAppleTitleKey; }
  const std::optional<std::string>& dsBundleURL() const { return mdsBundleURL; }
  const std::optional<std::string>& helpBundleID() const { return mHelpBundleID; }
  const std::optional<std::string>& helpPagePath() const { return mHelpPagePath; }
  const std::optional<std::string>& anchorSet() const { return mAn_set; }
  const std::optional<std::string>& anchorAuto() const { return mAn_Auto; }
  const std::optional<std::string>& anchorBasic() const { return mAn_Basic; }
  const std::optional<std::string>& anchorAdvanced() const { return mAn_Advanced; }
  const std::optional<std::string>& manualInfoFilePath() const { return mManualInfoFilePath; }
  const std::optional<std::string>& webManualContentsVersion() const { return mWebM_CTV; }
  bool isVer1500L() const { return mVer1500L; }

 private:
  std::optional<std::string> mHelpBundleFilePath;
  std::optional<std::string> mHelpAppleTitleKey;
  std::optional<std::string> mdsBundleURL;
  std::optional<std::string> mHelpBundleID;
  std::optional<std::string> mHelpPagePath;
  std::optional<std::string> mAn_set;
  std::optional<std::string> mAn_Auto;
  std::optional<std::string> mAn_Basic;
  std::optional<std::string> mAn_Advanced;
  std::optional<std::string> mManualInfoFilePath;
  std::optional<std::string> mWebM_CTV;
  bool mVer1500L = false;
  bool mVer1910L = false;
};
