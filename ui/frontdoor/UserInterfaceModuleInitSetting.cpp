// The start-up sequence of the main window: the model's parameters, the records the modes
// share, the window's size, and the last state from "InitSetting.xml".

#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <string_view>
#include <system_error>

#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "kit/Screen.h"
#include "ui/base/DSBundleStr.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/frontdoor/HelpControl.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ProfileCMList.h"
#include "ui/model/ProfileManager.h"
#include "ui/model/SettingsSession.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/settings/InfoDialog.h"

namespace {

constexpr int kUimSleeve135HolderCode = 21;
constexpr int kUimMountHolderCode = 22;

const fnd::Dictionary* uimDictionaryAt(const fnd::Dictionary* d, std::string_view key) {
  if (!d) return nullptr;
  const fnd::Value* v = d->find(key);
  return v && v->isDictionary() ? &v->toDictionary() : nullptr;
}

std::optional<std::string> uimStringAt(const fnd::Dictionary* d, std::string_view key) {
  if (!d) return std::nullopt;
  const fnd::Value* v = d->find(key);
  if (!v || !v->isString()) return std::nullopt;
  return v->toString();
}

// The user's pictures folder with its links resolved, ending in "/".
std::string uimDefaultSaveFolder() {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::canonical(fnd::Paths::picturesDir(), ec);
  if (ec) folder = fnd::Paths::picturesDir();
  return folder.string() + "/";
}

// A rectangle of the initial settings ("X", "Y", "W", "H"), the zero rectangle without one.
SRectDouble uimRectAt(const fnd::Dictionary* initSetting, std::string_view key) {
  return Quirel_BaseScanMode::dictionaryToRect(uimDictionaryAt(initSetting, key));
}

fnd::Rect uimIntegralRect(const fnd::Rect& r) {
  const double left = std::floor(r.origin.x);
  const double bottom = std::floor(r.origin.y);
  const double right = std::ceil(r.origin.x + r.size.width);
  const double top = std::ceil(r.origin.y + r.size.height);
  return fnd::Rect(left, bottom, right - left, top - bottom);
}

}  // namespace

void Quirel_UserInterfaceModule::setUIInitSetting(const fnd::Dictionary* initSetting) {
  // The settings are the window's: without one there is nothing to set up.
  if (!mMainWindow) return;
  // The model's parameters and the scanner's record.
  mUIParameterDic = getUIParameterDictionaryAtInitSettingData(initSetting);
  const fnd::Dictionary* parameters = mUIParameterDic ? &*mUIParameterDic : nullptr;
  const fnd::Dictionary* scannerEntry = uimDictionaryAt(parameters, "ScannerInfo");
  mScannerInfo = scannerEntry ? std::make_shared<Quirel_UIScannerInfo>(*scannerEntry)
                              : std::make_shared<Quirel_UIScannerInfo>();
  mScannerInfo->setInitSettingData(initSetting);
  mScannerInfo->setTWAINRequest(mTWAINRequest.get());
  mScannerInfo->setTwainDsWebMDeviceName(uimStringAt(initSetting, "WebMDeviceName"));
  if (mPreviewInfo) mPreviewInfo->setScannerInfo(mScannerInfo);

  mPreviewMemFree = mScannerInfo->isPreviewDataMemFree();
  mConnectFAU = isConnectFAU(initSetting);
  mConnectADF = isConnectADF(initSetting);

  // The window, its modes and controls.
  setUIInitSetting_CreateMainWindow(mScannerInfo);

  mStandardMode->setUimParameterDic(parameters);
  mExtendMode->setUimParameterDic(parameters);
  mMultiMode->setUimParameterDic(parameters);

  // Folders, names and versions.
  mSettingFilePath = uimStringAt(initSetting, "PreferencePath");
  std::optional<std::string> tempFolder;
  if (mSettingFilePath) {
    mFileManager.createDirectory(*mSettingFilePath);
    tempFolder = *mSettingFilePath + "temp/";
    mFileManager.createDirectory(*tempFolder);
  }
  const std::string saveFolder = uimDefaultSaveFolder();
  mStandardMode->setSettingFilePath(mSettingFilePath);
  mStandardMode->setDefaultTempPath(tempFolder);
  mStandardMode->setDefaultSavePath(saveFolder);
  mStandardMode->setDefaultSaveName(std::string(kDefaultSaveName));
  mStandardMode->setDriverVersion(uimStringAt(initSetting, "Version"));
  mStandardMode->setLLDVersion(uimStringAt(initSetting, "LLDversion"));
  mStandardMode->setInterfaceInfo(localizedStringForInterfaceString(uimStringAt(initSetting, "PortType")));
  mExtendMode->setSettingFilePath(mSettingFilePath);
  mExtendMode->setDefaultTempPath(tempFolder);
  mExtendMode->setDefaultSavePath(saveFolder);
  mExtendMode->setDefaultSaveName(std::string(kDefaultSaveName));
  mExtendMode->setDriverVersion(uimStringAt(initSetting, "Version"));
  mExtendMode->setLLDVersion(uimStringAt(initSetting, "LLDversion"));
  mExtendMode->setInterfaceInfo(localizedStringForInterfaceString(uimStringAt(initSetting, "PortType")));

  setUIInitSetting_PlatenSize(initSetting);
  setInitSetting_HelpSetting(parameters, *mScannerInfo);

  // Scale factor and locale.
  mUserSpaceScaleFactor = getUserSpaceScaleFactor();
  const fnd::LocaleFacts facts = localeFacts();
  mUserLocaleUnits = UserLocaleUnits{facts.metric ? 1 : 0, defaultADFPaperSize(facts), defaultFilmSize(facts)};
  mStandardMode->setDefaultUserLocaleUnits(mUserLocaleUnits);
  mStandardMode->setUserSpaceScaleFactor(mUserSpaceScaleFactor);
  mExtendMode->setDefaultUserLocaleUnits(mUserLocaleUnits);
  mExtendMode->setUserSpaceScaleFactor(mUserSpaceScaleFactor);
  mMultiMode->setUserSpaceScaleFactor(mUserSpaceScaleFactor);
  if (std::shared_ptr<Quirel_InfoDialog> info = mToolbar->getScanInfoDialog())
    info->setUserSpaceScaleFactor(mUserSpaceScaleFactor);

  // Tables and profiles.
  mStandardMode->loadPaperSizeTableFromXmlFile(parameters);
  mStandardMode->loadDefaultOutputSizeTableFromXmlFile(parameters);
  mExtendMode->loadPaperSizeTableFromXmlFile(parameters);
  mExtendMode->loadDefaultOutputSizeTableFromXmlFile(parameters);
  mProfileCMList = std::make_shared<Quirel_ProfileCMList>();
  setInitSetting_ProfilePath(initSetting, parameters, *mProfileCMList);
  mStandardMode->setProfileCMList(mProfileCMList);
  mExtendMode->setProfileCMList(mProfileCMList);
  mMultiMode->setProfileCMList(mProfileCMList);

  // Preferences, shared by the modes.
  mPreferenceInfo = readPreferenceXMLAtPreferenceDirPath(mSettingFilePath, tempFolder, saveFolder,
                                                         std::string(kDefaultSaveName), mScannerInfo.get());
  mStandardMode->setPreferenceInfo(mPreferenceInfo);
  mExtendMode->setPreferenceInfo(mPreferenceInfo);
  mMultiMode->setPreferenceInfo(mPreferenceInfo);
  if (mPreferenceInfo->getColorSetting(3) == 1)
    Quirel_ProfileManager().checkAndSetProfilesData(*mProfileCMList, *mPreferenceInfo);

  Quirel_PostNotification(mCenter).postExternalNotificationName(
      "Set_ShutOffLampTime", identity(),
      fnd::makeShared(fnd::Dictionary{{"ShutOffLampTime", mPreferenceInfo->getLampTime()}}));

  // Window size: the model's minimum, the default frame for it.
  fnd::Size minSize = mScannerInfo->windowMinSize();
  if (mUserSpaceScaleFactor != 1.0)
    minSize = fnd::Size(minSize.width * mUserSpaceScaleFactor, minSize.height * mUserSpaceScaleFactor);
  Quirel_MainWindow* window = mMainWindow->getWindow();
  window->setMinSize(minSize);
  const fnd::Rect defaultFrame = uimIntegralRect(mDisplay.getDefaultWindowFrame(minSize));
  mMainWindow->setDefaultRect(defaultFrame);
  mMainWindow->setFirstRect(defaultFrame);
  mOldWindowRect = defaultFrame;

  if (initSetting && initSetting->string("APPOVERRIDE") == "1") window->setLevel(kit::kFloatingWindowLevel);
  window->setBaseWindowLevel(window->level());

  mStandardMode->setStandardItem(uimDictionaryAt(parameters, "StandardMode"), mConnectFAU);
  mExtendMode->setExtendItem(uimDictionaryAt(parameters, "ExtendMode"), mConnectFAU);
  mMultiMode->setMultiScanItem(uimDictionaryAt(parameters, "MultiScanMode"), mConnectFAU);

  mMode = 0;
  mBeforeMode = 0;
  mCloseSelectFlg = 0;
  mShowChangeTabMsg = true;
  mShowMultiPDFScanEndMsg = true;
  mShowMCloseSaveMsg = true;

  // The files stay on disk while the program runs; a run that never closed left its mark, and
  // then the stored preview is not the one the scan module backed up: it is dropped, not resumed.
  mDropStoredPreview = mSettingFilePath && Quirel_SettingsSession::begin(*mSettingFilePath);

  // The last state, unless the scan module cannot resume the preview it was saved with.
  bool restore = true;
  if (!mDropStoredPreview && hasPreview_LastSettting(mSettingFilePath) && mPreferenceInfo->getPrevStart() == 1) {
    if (call_SMBackupAndResume(2, mPreferenceInfo->getTempPath()) != 0) {
      restore = false;
      if (mSettingFilePath) removeSettingFile(*mSettingFilePath, kInitSettingFile);
    }
  }
  if (restore) setUIInitSetting_LastSetting(mSettingFilePath);

  if (mMode == 2) mMultiMode->inputSourceChangePostToSM();
  else if (mMode == 1) mExtendMode->inputSourceChangePostToSM();
  else mStandardMode->inputSourceChangePostToSM();
}

std::optional<fnd::Dictionary> Quirel_UserInterfaceModule::getUIParameterDictionaryAtInitSettingData(
    const fnd::Dictionary* initSetting) {
  if (!initSetting) return std::nullopt;
  if (const fnd::Dictionary* given = uimDictionaryAt(initSetting, "Uthric")) return *given;
  std::string path;
  if (std::optional<std::string> file = uimStringAt(initSetting, "InitFile")) {
    path = *file;
  } else {
    const std::optional<std::string> folder = uimStringAt(initSetting, "InitPath");
    const std::optional<std::string> model = uimStringAt(initSetting, "Model");
    if (!folder || !model) return std::nullopt;
    path = *folder + "PV" + *model + ".xml";
  }
  const fnd::PropertyList::Result read = fnd::PropertyList::readFile(path);
  if (!read.ok() || !read.value->isDictionary()) return std::nullopt;
  return read.value->toDictionary();
}

namespace {

// Whether every key reads as a finite number (a missing key reads as 0).
bool uimFiniteNumbers(const fnd::Dictionary& d, std::initializer_list<std::string_view> keys) {
  for (std::string_view key : keys) {
    if (!std::isfinite(d.real(key))) return false;
  }
  return true;
}

bool uimIsConnectedUnit(const fnd::Dictionary* initSetting, std::string_view areaKey, std::string_view availableKey) {
  if (!initSetting || !initSetting->contains(areaKey)) return false;
  const fnd::Value* available = initSetting->find(availableKey);
  return !available || available->toInteger() != 0;
}

}  // namespace

bool Quirel_UserInterfaceModule::isConnectFAU(const fnd::Dictionary* initSetting) {
  return uimIsConnectedUnit(initSetting, "TPU_RGB", "AvailableFAU");
}

bool Quirel_UserInterfaceModule::isConnectADF(const fnd::Dictionary* initSetting) {
  return uimIsConnectedUnit(initSetting, "ADF", "AvailableADF");
}

void Quirel_UserInterfaceModule::setUIInitSetting_PlatenSize(const fnd::Dictionary* initSetting) {
  const int resolution = initSetting ? initSetting->intValue("OpticalResolution") : 0;
  if (mPreviewInfo) mPreviewInfo->setPlatenResolution(resolution);
  for (Quirel_BaseScanMode* mode : {static_cast<Quirel_BaseScanMode*>(mStandardMode.get()),
                                    static_cast<Quirel_BaseScanMode*>(mExtendMode.get())}) {
    if (!mode) continue;
    mode->setPlatenResolution(resolution);
    mode->setPlatenRect_Pixel96(uimRectAt(initSetting, "Flatbed"));
    if (const fnd::Dictionary* film = uimDictionaryAt(initSetting, "TPU_RGB")) {
      auto arrayAt = [&](std::string_view key) -> const fnd::Array* {
        const fnd::Value* v = initSetting->find(key);
        return v && v->isArray() ? &v->toArray() : nullptr;
      };
      if (initSetting->contains("Sleeve135"))
        mode->setDefaultFilmSizeRects(kUimSleeve135HolderCode, arrayAt("Sleeve135"), film);
      if (initSetting->contains("Mount")) mode->setDefaultFilmSizeRects(kUimMountHolderCode, arrayAt("Mount"), film);
      if (initSetting->contains("Sleeve120"))
        mode->setDefaultFilmSizeRectsForRudide(arrayAt("Sleeve120"), resolution, film);
    }
    mode->setFilmPlatenRect_Pixel96(uimRectAt(initSetting, "TPU_RGB"));
    mode->setADFPlatenRect_Pixel96(uimRectAt(initSetting, "ADF"));
  }
}

void Quirel_UserInterfaceModule::setUIInitSetting_LastSetting(const std::optional<std::string>& folder) {
  const std::optional<fnd::Dictionary> read = readInitSettingXMLAtPreferenceDirPath(folder);
  if (!read || !read->contains("Mode")) return;
  fnd::Dictionary initSetting = *read;
  if (mDropStoredPreview) {
    for (const char* mode : {"StandardMode", "ExtendMode"}) {
      if (const fnd::Dictionary* stored = uimDictionaryAt(&initSetting, mode)) {
        fnd::Dictionary entry = *stored;
        for (const char* key : {"HasPreview", "HasNonThumPreview", "HasThumPreview"})
          if (entry.contains(key)) entry.set(key, false);
        initSetting.set(mode, std::move(entry));
      }
    }
  }

  // Only the modes there are; anything else is read as the basic mode.
  const int mode = initSetting.intValue("Mode");
  const int beforeMode = initSetting.intValue("BeforeMode");
  mMode = mode >= 0 && mode <= 2 ? mode : 0;
  mBeforeMode = beforeMode == 1 ? 1 : 0;

  // The frame, "y" counted back from the top of the display.
  const fnd::Dictionary* mainWindow = uimDictionaryAt(&initSetting, "MainWindow");
  // A frame with a number that is no number would place the window where nobody sees it.
  if (mainWindow && !uimFiniteNumbers(*mainWindow, {"x", "y", "width", "height", "hiddenWidth"})) mainWindow = nullptr;
  if (mainWindow) {
    double x = mainWindow->real("x");
    double width = mainWindow->real("width");
    const double height = mainWindow->real("height");
    const double hiddenWidth = mMode == 2 ? mainWindow->real("hiddenWidth") : 0;
    const double y = displayFrame().size.height - mainWindow->real("y") - height;
    fnd::Size minSize = mMainWindow->getWindow()->minSize();
    if (mMode == 2) {
      x += hiddenWidth;
      width -= hiddenWidth;
      minSize.width = kMultiScanMinWidth * mUserSpaceScaleFactor;
    }
    fnd::Rect frame = mDisplay.getAdjustmentWindowFrame(fnd::Rect(x, y, width, height), minSize);
    if (mMode == 2) {
      frame.origin.x -= hiddenWidth;
      frame.size.width += hiddenWidth;
    }
    mMainWindow->setFirstRect(frame);

    const fnd::Dictionary* old = uimDictionaryAt(mainWindow, "oldWindowRect");
    if (old && uimFiniteNumbers(*old, {"x", "y", "width", "height"}))
      mOldWindowRect = fnd::Rect(old->real("x"), old->real("y"), old->real("width"), old->real("height"));
  }

  // A film setting is of no use without the film unit: the modes keep their defaults.
  const bool restoreModes = !(isFilmeMode_LastSettingXmlFileDic(initSetting) && !mConnectFAU);
  if (restoreModes) {
    if (const fnd::Dictionary* standard = uimDictionaryAt(&initSetting, "StandardMode"))
      mStandardMode->setLastSetting(*standard);
    mMultiMode->setLastSetting(uimDictionaryAt(&initSetting, "MultiScanMode"));
  }
  // The advanced mode keeps its entry as read, whatever happens to the others, until it builds
  // its own from the panel.
  if (const fnd::Dictionary* extend = uimDictionaryAt(&initSetting, "ExtendMode")) {
    mExtendModeLastSetting = *extend;
    mExtendMode->setLastSetting(*extend);
  }
  // The restored crops keep their data-retain numbers: the preview model must not hand them out again.
  if (restoreModes && mPreviewInfo) mPreviewInfo->setRetainTable(mExtendMode->getCropList());

  if (const fnd::Value* v = initSetting.find("CloseSelect")) mCloseSelectFlg = v->toInt();
  if (const fnd::Value* v = initSetting.find("ShowChangeTabMessage")) mShowChangeTabMsg = v->toBool();
  if (const fnd::Value* v = initSetting.find("ShowMultiPDFScanEndMessage")) mShowMultiPDFScanEndMsg = v->toBool();
  if (const fnd::Value* v = initSetting.find("ShowCloseSavePathMessage")) mShowMCloseSaveMsg = v->toBool();

}

bool Quirel_UserInterfaceModule::hasPreview_LastSettting(const std::optional<std::string>& folder) const {
  if (!folder) return false;
  const fnd::PropertyList::Result read = fnd::PropertyList::readFile(settingFile(*folder, kInitSettingFile));
  if (!read.ok() || !read.value->isDictionary()) return false;
  const fnd::Dictionary& d = read.value->toDictionary();
  if (!d.contains("Mode")) return false;
  const long long mode = d.integer("Mode");
  const long long before = d.integer("BeforeMode");
  const char* key = nullptr;
  if (mode == 0 || (mode == 2 && before == 0)) key = "StandardMode";
  else if (mode == 1 || (mode == 2 && before == 1)) key = "ExtendMode";
  const fnd::Dictionary* entry = key ? uimDictionaryAt(&d, key) : nullptr;
  return entry && entry->boolean("HasPreview");
}

bool Quirel_UserInterfaceModule::isFilmeMode_LastSettingXmlFileDic(const fnd::Dictionary& initSetting) const {
  const char* key = nullptr;
  if (mMode == 0 || (mMode == 2 && mBeforeMode == 0)) key = "StandardMode";
  else if (mMode == 1 || (mMode == 2 && mBeforeMode == 1)) key = "ExtendMode";
  const fnd::Dictionary* entry = key ? uimDictionaryAt(&initSetting, key) : nullptr;
  bool film = entry && entry->boolean("FilmMode");
  if (mMode == 2) {
    const fnd::Dictionary* multi = uimDictionaryAt(&initSetting, "MultiScanMode");
    const long long source = multi ? multi->integer("ImageSource") : 0;
    if (source == 5 || source == 6) film = true;
  }
  return film;
}

void Quirel_UserInterfaceModule::setInitSetting_HelpSetting(const fnd::Dictionary* parameters,
                                                            const Quirel_UIScannerInfo& scannerInfo) {
  if (!mHelpControl) mHelpControl = std::make_unique<Quirel_HelpControl>(mCenter);
  mdsBundleURL = mdsBundleLocalized;
  const fnd::Dictionary* help = uimDictionaryAt(parameters, "HelpFileInfo");
  mHelpControl->setSettingHelpFilePath(uimStringAt(help, "Path"), uimStringAt(help, "TitleKey"), mdsBundleURL);
  mHelpControl->setHelpBundleID(uimStringAt(help, "HelpBundleID"), uimStringAt(help, "HelpPagePath"));
  mHelpControl->setHelpAnchorName(uimStringAt(help, "Anchor_SET"), uimStringAt(help, "Anchor_AUTO"),
                                  uimStringAt(help, "Anchor_BASIC"), uimStringAt(help, "Anchor_ADVANCED"));
  mHelpControl->setManualInfoFilePath(uimStringAt(help, "ManualInfoFile"), scannerInfo.isVer1500Later());
  mHelpControl->setWebManualVersion(scannerInfo.isVer1910Later());
  mHelpControl->setWebManualContentsVersion(uimStringAt(help, "WEBM_CTV"));
  mCenter.removeObserver(identity(), Quirel_DSBundleStr::kPostName);
  mCenter.addObserver(identity(), Quirel_DSBundleStr::kPostName, nullptr,
                      [this](const fnd::Notification& n) { getDSBundleURL(n); });
}

double Quirel_UserInterfaceModule::getUserSpaceScaleFactor() const {
  const kit::Screen screen = kit::Screen::mainScreen();
  return screen.exists() ? screen.userSpaceScaleFactor() : 1.0;
}

int Quirel_UserInterfaceModule::defaultADFPaperSize(const fnd::LocaleFacts& facts) {
  if (facts.countryCode.empty()) return facts.metric ? kPaperSizeOther : kPaperSizeUSCA;
  return facts.countryCode == "US" || facts.countryCode == "CA" ? kPaperSizeUSCA : kPaperSizeOther;
}

int Quirel_UserInterfaceModule::defaultFilmSize(const fnd::LocaleFacts& facts) {
  if (facts.countryCode.empty()) return facts.metric ? kFilmSizeJP : kFilmSizeOther;
  return facts.countryCode == "JP" ? kFilmSizeJP : kFilmSizeOther;
}
