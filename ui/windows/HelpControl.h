#pragma once

#include <optional>
#include <string>

#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"

// Which help the driver opens for the model: a help book by anchors or by title, the guide
// viewer with its manual-info list, or the web manual. The main-window controller hands the
// model's help settings over at start-up; dialogs with a Help button make their own control
// from the model's parameters. Every string is an owned copy; a setter given no value keeps
// the one it has. Everything is opened through kit::Workspace. Main thread only.
//
// A help book here is a folder of HTML pages: it counts as registered when the folder exists,
// and it opens at its "index.html", at the anchor of the help mode when one is set.
class Quirel_HelpControl {
 public:
  static constexpr const char* kOpenHelpBookPost = "OpenHelpBookPost";
  static constexpr const char* kOpenFromBundleIDPost = "openHelpBookFromBundleIDPost";
  static constexpr const char* kHelpMode = "HelpMode";
  static constexpr const char* kScannerInfo = "ScannerInfo";
  // Shown when the guide viewer cannot be started.
  static constexpr int kViewerMessage = 1650;
  static constexpr const char* kBookPage = "index.html";
  static constexpr const char* kInstallPage = "Install_msg";
  static constexpr const char* kInstallPageType = "htm";
  // Key of the main bundle's Info.plist with the web manual's redirect address.
  static constexpr const char* kWebManualURLKey = "QuirelWebManualURL";

  // No observers.
  Quirel_HelpControl() = default;
  // Observes the two help requests from any sender on `center`.
  explicit Quirel_HelpControl(fnd::NotificationCenter& center);
  ~Quirel_HelpControl();
  Quirel_HelpControl(const Quirel_HelpControl&) = delete;
  Quirel_HelpControl& operator=(const Quirel_HelpControl&) = delete;

  void setSettingHelpFilePath(const std::optional<std::string>& path, const std::optional<std::string>& titleKey,
                              const std::optional<std::string>& dsBundleURL);
  void setHelpBundleID(const std::optional<std::string>& bundleID, const std::optional<std::string>& pagePath);
  void setHelpAnchorName(const std::optional<std::string>& set, const std::optional<std::string>& automatic,
                         const std::optional<std::string>& basic, const std::optional<std::string>& advanced);
  void setManualInfoFilePath(const std::optional<std::string>& path, bool ver1500L);
  void setWebManualVersion(bool ver1910L) { mVer1910L = ver1910L; }
  void setWebManualContentsVersion(const std::optional<std::string>& ctv);
  bool isSupportedWebManual() const { return mVer1910L; }

  // True unless the model uses the guide viewer (and no web manual) and its manual-info list
  // does not name an existing viewer and manual file.
  bool isInstalledHelpForHelvinoViewer() const;
  // The request's user information ("HelpMode", "ScannerInfo") → true when something opened.
  bool openHelvinoViewer(const fnd::Dictionary* userInfo);
  bool openWebManual(const fnd::Dictionary* userInfo);
  void openHelpBook(const fnd::Notification& n);
  void openHelpBookFromBundleID(const fnd::Notification& n);
  void openLegacyHelpBook();

  // The main bundle's preferred localisation for the web manual's language; by default the
  // main bundle's language. Empty means none.
  void setPreferredLocalization(std::string localization) { mPreferredLocalization = std::move(localization); }

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
  // The anchor name of a help mode 1 to 4; none for other modes or when unset.
  const std::optional<std::string>& anchorForMode(long long mode) const;
  // The data source's installation page; false when there is none.
  bool openInstallPage() const;

  fnd::NotificationCenter* mCenter = nullptr;
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
  std::optional<std::string> mPreferredLocalization;
};
