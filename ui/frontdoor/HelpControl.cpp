#include "ui/frontdoor/HelpControl.h"

namespace {

void helpKeepWhenGiven(std::optional<std::string>& field, const std::optional<std::string>& value) {
  if (value) field = value;
}

}  // namespace

void Quirel_HelpControl::setSettingHelpFilePath(const std::optional<std::string>& path,
                                                const std::optional<std::string>& titleKey,
                                                const std::optional<std::string>& dsBundleURL) {
  helpKeepWhenGiven(mHelpBundleFilePath, path);
  helpKeepWhenGiven(mHelpAppleTitleKey, titleKey);
  helpKeepWhenGiven(mdsBundleURL, dsBundleURL);
}

void Quirel_HelpControl::setHelpBundleID(const std::optional<std::string>& bundleID,
                                         const std::optional<std::string>& pagePath) {
  helpKeepWhenGiven(mHelpBundleID, bundleID);
  helpKeepWhenGiven(mHelpPagePath, pagePath);
}

void Quirel_HelpControl::setHelpAnchorName(const std::optional<std::string>& set,
                                           const std::optional<std::string>& automatic,
                                           const std::optional<std::string>& basic,
                                           const std::optional<std::string>& advanced) {
  helpKeepWhenGiven(mAn_set, set);
  helpKeepWhenGiven(mAn_Auto, automatic);
  helpKeepWhenGiven(mAn_Basic, basic);
  helpKeepWhenGiven(mAn_Advanced, advanced);
}

void Quirel_HelpControl::setManualInfoFilePath(const std::optional<std::string>& path, bool ver1500L) {
  helpKeepWhenGiven(mManualInfoFilePath, path);
  mVer1500L = ver1500L;
}

void Quirel_HelpControl::setWebManualContentsVersion(const std::optional<std::string>& ctv) {
  helpKeepWhenGiven(mWebM_CTV, ctv);
}
