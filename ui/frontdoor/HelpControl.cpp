#include "ui/frontdoor/HelpControl.h"

namespace {

void keepWhenGiven(std::optional<std::string>& field, const std::optional<std::string>& value) {
  if (value) field = value;
}

}  // namespace

void Quirel_HelpControl::setSettingHelpFilePath(const std::optional<std::string>& path,
                                                const std::optional<std::string>& titleKey,
                                                const std::optional<std::string>& dsBundleURL) {
  keepWhenGiven(mHelpBundleFilePath, path);
  keepWhenGiven(mHelpAppleTitleKey, titleKey);
  keepWhenGiven(mdsBundleURL, dsBundleURL);
}

void Quirel_HelpControl::setHelpBundleID(const std::optional<std::string>& bundleID,
                                         const std::optional<std::string>& pagePath) {
  keepWhenGiven(mHelpBundleID, bundleID);
  keepWhenGiven(mHelpPagePath, pagePath);
}

void Quirel_HelpControl::setHelpAnchorName(const std::optional<std::string>& set,
                                           const std::optional<std::string>& automatic,
                                           const std::optional<std::string>& basic,
                                           const std::optional<std::string>& advanced) {
  keepWhenGiven(mAn_set, set);
  keepWhenGiven(mAn_Auto, automatic);
  keepWhenGiven(mAn_Basic, basic);
  keepWhenGiven(mAn_Advanced, advanced);
}

void Quirel_HelpControl::setManualInfoFilePath(const std::optional<std::string>& path, bool ver1500L) {
  keepWhenGiven(mManualInfoFilePath, path);
  mVer1500L = ver1500L;
}

void Quirel_HelpControl::setWebManualContentsVersion(const std::optional<std::string>& ctv) {
  keepWhenGiven(mWebM_CTV, ctv);
}
