#include "ui/windows/HelpControl.h"

#include <cctype>
#include <memory>

#include "foundation/Bundle.h"
#include "foundation/FileManager.h"
#include "foundation/PropertyList.h"
#include "kit/Workspace.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/windows/MessagePort.h"
#include "ui/windows/OpenWebManual.h"

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

// ---- Opening.

namespace {

std::string helpFileURL(const std::string& path, const std::optional<std::string>& anchor) {
  std::string url = "file://";
  for (char ch : path) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '/' || c == '-' || c == '.' || c == '_' || c == '~' || std::isalnum(c)) {
      url += ch;
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 0x0F];
    }
  }
  if (anchor && !anchor->empty()) url += "#" + Quirel_OpenWebManual::encode(*anchor);
  return url;
}

std::string helpBookPage(const std::string& folder) {
  return folder + (folder.empty() || folder.back() == '/' ? "" : "/") + Quirel_HelpControl::kBookPage;
}

std::shared_ptr<Quirel_UIScannerInfo> helpScannerInfo(const fnd::Dictionary* userInfo) {
  if (!userInfo) return nullptr;
  const fnd::Value* v = userInfo->find(Quirel_HelpControl::kScannerInfo);
  return v ? v->toObject<Quirel_UIScannerInfo>() : nullptr;
}

}  // namespace

Quirel_HelpControl::Quirel_HelpControl(fnd::NotificationCenter& center) : mCenter(&center) {
  center.addObserver(this, kOpenHelpBookPost, nullptr, [this](const fnd::Notification& n) { openHelpBook(n); });
  center.addObserver(this, kOpenFromBundleIDPost, nullptr,
                     [this](const fnd::Notification& n) { openHelpBookFromBundleID(n); });
}

Quirel_HelpControl::~Quirel_HelpControl() {
  if (mCenter) mCenter->removeObserver(this);
}

const std::optional<std::string>& Quirel_HelpControl::anchorForMode(long long mode) const {
  static const std::optional<std::string> kNoAnchor;
  switch (mode) {
    case 1: return mAn_Basic;
    case 2: return mAn_Advanced;
    case 3: return mAn_Auto;
    case 4: return mAn_set;
    default: return kNoAnchor;
  }
}

bool Quirel_HelpControl::isInstalledHelpForHelvinoViewer() const {
  if (!mVer1500L || mVer1910L) return true;
  if (!mManualInfoFilePath) return false;
  const fnd::PropertyList::Result info = fnd::PropertyList::readFile(*mManualInfoFilePath);
  if (!info.ok() || !info.value->isDictionary()) return false;
  const fnd::Dictionary& d = info.value->toDictionary();
  const std::string app = d.string("AppPath");
  const std::string book = d.string("HelpBook");
  return !app.empty() && !book.empty() && fnd::FileManager::exists(app) && fnd::FileManager::exists(book);
}

bool Quirel_HelpControl::openHelvinoViewer(const fnd::Dictionary* userInfo) {
  auto fail = [] {
    Quirel_MessagePort::show(kViewerMessage, 0, 0, 0);
    return false;
  };
  std::optional<fnd::PropertyList::Result> info;
  if (mManualInfoFilePath) info = fnd::PropertyList::readFile(*mManualInfoFilePath);
  if (!info || !info->ok() || !info->value->isDictionary() || !userInfo) return fail();
  const long long mode = userInfo->integer(kHelpMode);
  if (mode < 1 || mode > 4) return fail();
  const fnd::Dictionary& d = info->value->toDictionary();
  const std::string app = d.string("AppPath");
  const std::string book = d.string("HelpBook");
  const std::optional<std::string>& anchorName = anchorForMode(mode);
  std::string anchor;
  if (anchorName) anchor = d.dictionary("Anchors").string(*anchorName);
  if (app.empty() || book.empty() || anchor.empty()) return fail();
  // An application that is not there would otherwise answer success with nothing opened.
  if (!fnd::FileManager::exists(app)) return fail();
  if (!kit::Workspace::shared().launchApplication(app, {book, anchor})) return fail();
  return true;
}

bool Quirel_HelpControl::openWebManual(const fnd::Dictionary* userInfo) {
  const fnd::Value base = fnd::Bundle::main().objectForInfoDictionaryKey(kWebManualURLKey);
  std::unique_ptr<Quirel_OpenWebManual> manual =
      Quirel_OpenWebManual::initWithParameter(base.isString() ? std::optional(base.toString()) : std::nullopt, "&");
  if (!manual) return false;
  if (mPreferredLocalization) manual->setPreferredLocalization(*mPreferredLocalization);
  manual->setFNC("FNC=PVFUNC");
  manual->setOSV("OSV=%@");
  const std::shared_ptr<Quirel_UIScannerInfo> scanner = helpScannerInfo(userInfo);
  const std::optional<std::string> device = scanner ? scanner->twainDsWebMDeviceName() : std::nullopt;
  if (!device || device->empty()) return false;
  manual->setDEV("DEV=%@", *device);
  manual->setTYP("TYP=%@", scanner->isSFS() ? "SFS" : "MFP");
  if (scanner->isTrivoVer100Later())
    manual->setSFV("SFV=%@", fnd::Bundle::main().objectForInfoDictionaryKey("CFBundleVersion").toString());
  else
    manual->setSFV("SFV=%@", scanner->driverVersion().value_or(std::string()));
  if (scanner->isTrivoVer100Later()) {
    if (mWebM_CTV) manual->setCTV(*mWebM_CTV);
  } else {
    manual->setCTV("CTV=1.0");
  }
  manual->setLNG("LNG=%@");
  const long long mode = userInfo->integer(kHelpMode);
  if (mode == 3 || mode == 4)
    manual->setCTN("CTN=PV%2FSOURCE.html");
  else if (mode == 2)
    manual->setCTN("CTN=PV%2FPv-PAGE3.html");
  else
    manual->setCTN("CTN=PV%2FPv-PAGE2.html");
  return manual->openWEBM();
}

void Quirel_HelpControl::openHelpBook(const fnd::Notification& n) {
  if (mVer1500L) {
    if (mVer1910L)
      openWebManual(n.userInfo.get());
    else
      openHelvinoViewer(n.userInfo.get());
  } else if (mHelpBundleID) {
    openHelpBookFromBundleID(n);
  } else {
    openLegacyHelpBook();
  }
}

bool Quirel_HelpControl::openInstallPage() const {
  const fnd::Bundle* bundle = mdsBundleURL ? fnd::Bundle::withIdentifier(*mdsBundleURL) : nullptr;
  const std::string page = bundle ? bundle->pathForResource(kInstallPage, kInstallPageType) : std::string();
  if (page.empty()) return false;
  return kit::Workspace::shared().openURL(helpFileURL(page, std::nullopt));
}

void Quirel_HelpControl::openHelpBookFromBundleID(const fnd::Notification& n) {
  if (!mHelpBundleFilePath || !fnd::FileManager::exists(*mHelpBundleFilePath)) {
    openInstallPage();
    return;
  }
  std::optional<std::string> anchor;
  if (const fnd::Dictionary* userInfo = n.userInfo.get()) anchor = anchorForMode(userInfo->integer(kHelpMode));
  kit::Workspace::shared().openURL(helpFileURL(helpBookPage(*mHelpBundleFilePath), anchor));
}

void Quirel_HelpControl::openLegacyHelpBook() {
  if (!mHelpBundleFilePath || !fnd::FileManager::exists(*mHelpBundleFilePath)) {
    openInstallPage();
    return;
  }
  // The older books are addressed by their localised title; a book without one is not opened.
  const std::string bundle = Quirel_PVLocalizedBundle::askWindowController(this);
  const Quirel_PVLocalizedString strings(bundle);
  const std::optional<std::string> title =
      mHelpAppleTitleKey ? strings.ls_localizedStringForKey(*mHelpAppleTitleKey, "HelpInfo") : std::nullopt;
  if (!title || title->empty()) return;
  kit::Workspace::shared().openURL(helpFileURL(helpBookPage(*mHelpBundleFilePath), std::nullopt));
}
