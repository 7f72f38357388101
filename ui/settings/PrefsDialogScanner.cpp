// The preferences' Scanner tab: lamp-off time, the device's auto power and quiet mode, the
// temporary folder, the scan-end sound, calibration and the self-test; and the folder
// chooser of the Save tab's save folder.

#include "foundation/FileManager.h"
#include "foundation/Paths.h"
#include "foundation/StringFormat.h"
#include "kit/Application.h"
#include "ui/base/FileManager.h"
#include "ui/settings/PVUtilityDialog.h"
#include "ui/settings/PrefsDialog.h"
#include "ui/settings/ScannerTestDialog.h"
#include "ui/settings/SoundOpenDialog.h"
#include "ui/windows/MessagePort.h"

namespace {
constexpr double kScannerRowGroupHeight = 5 + 4 + 34 + 6;
constexpr double kScannerFolderHeight = 5 + 24 + 30 + 8;

Quirel_UIScannerInfo scannerTabInfo(const std::shared_ptr<Quirel_UIScannerInfo>& info) {
  return info ? *info : Quirel_UIScannerInfo();
}
}  // namespace

void Quirel_PrefsDialog::createScannerView() {
  mTabView->setScannerTabViewLabel(text("IDD_PREF_SCANNER_STR"));
  createScannerView_EnergySaveMode();
  createScannerView_AutoPowerSetting();
  createScannerView_QuietMode();
  createScannerView_TempDir();
  createScannerView_Sound();
  createScannerView_Calibration();
  createScannerView_ScannerTest();
  for (Quirel_NoFocusView* v : {mEnergySaveView.get(), mAutoPowerSettingView.get(), mQuietModeView.get(),
                                mTempDirView.get(), mSoundView.get(), mCalibrationView.get(), mScanTestView.get()})
    addGroupToTab(Quirel_CTRLS_PREFTabView::kScanner, v);

  if (mOffTimeTxtF) {
    observe(Quirel_CTRLS_PREFLampOffTimeTextF::kChangePost, mOffTimeTxtF->getNumberField(),
            [this] { LampOffTimeChange(); });
    observe(Quirel_CTRLS_PREFLampOffTimeTextF::kStepperPost, mOffTimeTxtF->getStepper(),
            [this] { LampOffTimeChangeForStepper(); });
    observeDown("STEPPER_DOWN", mOffTimeTxtF->getStepper());
  }
  auto button = [this](const std::unique_ptr<Quirel_CTRLS_PushButton>& b, const char* name, std::function<void()> h) {
    if (!b) return;
    observe(name, b->getPushBT(), std::move(h));
    observeDown("BUTTON_DOWN", b->getPushBT());
  };
  button(mAutoPowerSettingBtn, "PrefAutoPowerSettingOpenPost", [this] { AutoPowerSettingOpen(); });
  button(mQuietModeSettingBtn, "PrefQuietModeSettingOpenPost", [this] { QuietModeSettingOpen(); });
  button(mTempFileBtn, "PrefTempDirBrowsPost", [this] { TempDirBrowsOpen(); });
  button(mPlaySoundBtn, "PrefPlaySoundBrowsPost", [this] { PlaySoundBrowsOpen(); });
  button(mPlatenCalibrationBtn, "PrefCalibrationStartPost", [this] { CalibrationStart(1); });
  button(mFilmCalibrationBtn, "PrefCalibrationStartPost", [this] { CalibrationStart(2); });
  button(mScanTestBtn, "PrefScanTestStartPost", [this] { ScanTestStart(); });
  if (mQuietModeCbx) {
    observe("PrefQuietModeCheckPost", mQuietModeCbx->getCheckBox(), [this] { QuietModeCheck(); });
    observeDown("BUTTON_DOWN", mQuietModeCbx->getCheckBox());
  }
  observe("PrefPlaySoundCheckPost", mPlaySoundCbx->getCheckBox(), [this] { PlaySoundCheck(); });
  observeDown("BUTTON_DOWN", mPlaySoundCbx->getCheckBox());
  if (mCalibrationPopup) {
    observe(Quirel_CTRLS_PREFCalibrationPopup::kChangePost, mCalibrationPopup->getPopupBT(),
            [this] { CalibrationChange(); });
    observeDown("POPUP_DOWN", mCalibrationPopup->getPopupBT());
  }
  if (mPlatenCalibrationBtn || mFilmCalibrationBtn) {
    auto& center = fnd::NotificationCenter::defaultCenter();
    auto handler = [this](const fnd::Notification& n) { manualCalibrationErrorFromSM(n); };
    if (mTwObject) mTokens.push_back(center.observe("ManualCalibrationErrorPost", mTwObject, handler));
    if (mUIMObject) mTokens.push_back(center.observe("ManualCalibrationErrorInnerPost", mUIMObject, handler));
  }
}

void Quirel_PrefsDialog::createScannerView_EnergySaveMode() {
  const Quirel_UIScannerInfo info = scannerTabInfo(mScannerInfo);
  if (!(info.isVer1300Later() ? info.energySaveMode() : (info.isCCD() && info.isSFS()))) return;
  const double height = 5 + 24 + 30 + 6;
  mEnergySaveView = makeGroup(mEnergySaveSep, height);
  mEnergySaveTitle = std::make_unique<Quirel_CTRLS_PREFText>();
  placeText(mEnergySaveView.get(), *mEnergySaveTitle, text("IDC_PGPREF_LAMPOFFMODE_LABEL_STR"), 15, height - 29, 300);
  mOffTimeTxtF = std::make_unique<Quirel_CTRLS_PREFLampOffTimeTextF>();
  mOffTimeTxtF->setTitle(text("IDC_PGPREF_LAMPOFF_TITLE_STR"), 30, 11, 120, 18);
  mOffTimeTxtF->setNumberFieldRect(155, 9, 60, 22);
  mOffTimeTxtF->setStepperRect(217, 7, 19, 27);
  mOffTimeTxtF->setUnit(text("IDC_PGPREF_LAMPOFF_TIME_MINUTE_STR"), 240, 11, 70, 18);
  mOffTimeTxtF->getNumberField()->setDelegate(this);
  for (kit::View* v : std::initializer_list<kit::View*>{mOffTimeTxtF->getTitleF(), mOffTimeTxtF->getNumberField(),
                                                        mOffTimeTxtF->getStepper(), mOffTimeTxtF->getUnit()})
    mEnergySaveView->addSubview(v);
}

void Quirel_PrefsDialog::createScannerView_AutoPowerSetting() {
  if (!mScannerInfo || !mScannerInfo->autoPowerSetting()) return;
  mAutoPowerSettingView = makeGroup(mAutoPowerSettingSep, kScannerRowGroupHeight);
  mAutoPowerSettingTitle = std::make_unique<Quirel_CTRLS_PREFText>();
  placeText(mAutoPowerSettingView.get(), *mAutoPowerSettingTitle, text("IDC_PGPREF_AUTOPOWER_LABEL_STR"), 15, 15, 150);
  mAutoPowerSettingBtn = std::make_unique<Quirel_CTRLS_PushButton>();
  placeButton(mAutoPowerSettingView.get(), *mAutoPowerSettingBtn, text("IDC_PGADV_OPENSIDE_BTN_STR"), 6, 163);
  mAutoPowerSettingBtn->setPushBTActionPostNtf("PrefAutoPowerSettingOpenPost");
}

void Quirel_PrefsDialog::createScannerView_QuietMode() {
  const Quirel_UIScannerInfo info = scannerTabInfo(mScannerInfo);
  if (!(info.isVer1300Later() ? info.quietMode() : (info.isCCD() && info.isSFS()))) return;
  mQuietModeView = makeGroup(mQuietModeSep, kScannerRowGroupHeight);
  if (info.quietModeSettingType() == 1 || info.quietModeSettingType() == 2) {
    mQuietModeTitle = std::make_unique<Quirel_CTRLS_PREFText>();
    placeText(mQuietModeView.get(), *mQuietModeTitle, text("IDC_PGPREF_SILENT_LABEL_STR"), 15, 15, 150);
    mQuietModeSettingBtn = std::make_unique<Quirel_CTRLS_PushButton>();
    placeButton(mQuietModeView.get(), *mQuietModeSettingBtn, text("IDC_PGADV_OPENSIDE_BTN_STR"), 6, 163);
    mQuietModeSettingBtn->setPushBTActionPostNtf("PrefQuietModeSettingOpenPost");
  } else {
    mQuietModeCbx = std::make_unique<Quirel_CTRLS_CheckBox>();
    placeCheckBox(mQuietModeView.get(), *mQuietModeCbx, text("IDC_PGPREF_SILENT_CHK_STR"), 15, 14);
    mQuietModeCbx->setCheckBoxActionPostNtf("PrefQuietModeCheckPost");
  }
}

void Quirel_PrefsDialog::createScannerView_TempDir() {
  if (launcherMode()) return;
  mTempDirView = makeGroup(mTempDirSep, kScannerFolderHeight);
  mTempDirTitle = std::make_unique<Quirel_CTRLS_PREFText>();
  placeText(mTempDirView.get(), *mTempDirTitle, text("IDC_PGPREF_TEMP_LABEL_STR"), 15, kScannerFolderHeight - 29, 300);
  mTempFileTxtF = std::make_unique<Quirel_CTRLS_PREFTempDirTextF>();
  mTempFileTxtF->setTextFRect(15, 12, 250, 22);
  mTempDirView->addSubview(mTempFileTxtF->getTextF());
  mTempFileBtn = std::make_unique<Quirel_CTRLS_PushButton>();
  placeButton(mTempDirView.get(), *mTempFileBtn, text("IDC_PGPREF_REFERENCE_STR"), 7, 80);
  mTempFileBtn->setPushBTActionPostNtf("PrefTempDirBrowsPost");
}

void Quirel_PrefsDialog::createScannerView_Sound() {
  const double height = kScannerFolderHeight + 22;
  mSoundView = makeGroup(mSoundSep, height);
  mSoundSetTitle = std::make_unique<Quirel_CTRLS_PREFText>();
  placeText(mSoundView.get(), *mSoundSetTitle, text("IDC_PGPREF_SNDSET_LABEL_STR"), 15, height - 29, 300);
  mPlaySoundCbx = std::make_unique<Quirel_CTRLS_CheckBox>();
  placeCheckBox(mSoundView.get(), *mPlaySoundCbx, text("IDC_PGPREF_ENDSND_CHK_STR"), 30, height - 51);
  mPlaySoundCbx->setCheckBoxActionPostNtf("PrefPlaySoundCheckPost");
  mPlaySoundTxtF = std::make_unique<Quirel_CTRLS_PREFPlaySoundTextF>();
  mPlaySoundTxtF->setTextFRect(30, 12, 235, 22);
  mSoundView->addSubview(mPlaySoundTxtF->getTextF());
  mPlaySoundBtn = std::make_unique<Quirel_CTRLS_PushButton>();
  placeButton(mSoundView.get(), *mPlaySoundBtn, text("IDC_PGPREF_REFERENCE_STR"), 7, 80);
  mPlaySoundBtn->setPushBTActionPostNtf("PrefPlaySoundBrowsPost");
}

void Quirel_PrefsDialog::createScannerView_Calibration() {
  const Quirel_UIScannerInfo info = scannerTabInfo(mScannerInfo);
  if (!(info.isVer1400Later() && info.calibration())) return;
  const bool platen = info.manualCalibration();
  const bool film = platen && info.isFAU();
  const bool always = info.alwaysCalibration();
  const double height = 5 + 24 + (platen ? 36 : 0) + (film ? 36 : 0) + (always ? 32 : 0) + 6;
  mCalibrationView = makeGroup(mCalibrationSep, height);
  mCalibrationTitle = std::make_unique<Quirel_CTRLS_PREFText>();
  placeText(mCalibrationView.get(), *mCalibrationTitle, text("IDC_PGPREF_CALIB_SETTINGS_TXT_STR"), 15, height - 29, 300);
  double y = height - 29 - 36;
  if (platen) {
    mPlatenCalibrationTitle = std::make_unique<Quirel_CTRLS_PREFText>();
    placeText(mCalibrationView.get(), *mPlatenCalibrationTitle, text("IDC_PGPREF_CALIB_TXT_STR"), 30, y + 9, 130);
    mPlatenCalibrationBtn = std::make_unique<Quirel_CTRLS_PushButton>();
    placeButton(mCalibrationView.get(), *mPlatenCalibrationBtn, text("IDC_PGPREF_CALIB_BTN_STR"), y, 166);
    mPlatenCalibrationBtn->setPushBTActionPostNtf("PrefCalibrationStartPost");
    y -= 36;
  }
  if (film) {
    mFilmCalibrationTitle = std::make_unique<Quirel_CTRLS_PREFText>();
    placeText(mCalibrationView.get(), *mFilmCalibrationTitle, text("IDC_PGPREF_CALIBFILM_TXT_STR"), 30, y + 9, 130);
    mFilmCalibrationBtn = std::make_unique<Quirel_CTRLS_PushButton>();
    placeButton(mCalibrationView.get(), *mFilmCalibrationBtn, text("IDC_PGPREF_CALIB_BTN_STR"), y, 166);
    mFilmCalibrationBtn->setPushBTActionPostNtf("PrefCalibrationStartPost");
    y -= 36;
  }
  if (always) {
    mCalibrationPopup = info.isVer1900Later() ? Quirel_CTRLS_PREFCalibrationPopup::initWithDefaultFontSize()
                                              : std::make_unique<Quirel_CTRLS_PREFCalibrationPopup>();
    mCalibrationPopup->setTitleTxtTitle(text("IDC_PGPREF_CALIB_BFR_SCAN_TXT_STR"));
    mCalibrationPopup->setTitleTxtRect(30, y + 12, 150, 18);
    mCalibrationPopup->addPopupItemWithTitle(text("IDS_ADV_FLAG_OFF"), 0);
    mCalibrationPopup->addPopupItemWithTitle(text("IDS_ADV_FLAG_ON"), 1);
    mCalibrationPopup->setPopupBTRect(mCalibrationView->frame().size.width - 30 - 120, y + 6, 120, 26);
    mCalibrationView->addSubview(mCalibrationPopup->getTitleTxt());
    mCalibrationView->addSubview(mCalibrationPopup->getPopupBT());
  }
}

void Quirel_PrefsDialog::createScannerView_ScannerTest() {
  const Quirel_UIScannerInfo info = scannerTabInfo(mScannerInfo);
  if (info.isMFP() || !info.scannerTest()) return;
  mScanTestView = makeGroup(mScanTestSep, kScannerRowGroupHeight);
  mScanTestBtn = std::make_unique<Quirel_CTRLS_PushButton>();
  const double minWidth = mPlatenCalibrationBtn ? mPlatenCalibrationBtn->getPushBTRect().size.width : 166;
  placeButton(mScanTestView.get(), *mScanTestBtn, text("IDC_PGPREF_SCANNERTEST_UNDER_STR"), 6, minWidth);
  mScanTestBtn->setPushBTActionPostNtf("PrefScanTestStartPost");
}

void Quirel_PrefsDialog::setFrameScannerView() {
  stackGroups(Quirel_CTRLS_PREFTabView::kScanner,
              {{mEnergySaveView.get(), mEnergySaveSep.get()},
               {mAutoPowerSettingView.get(), mAutoPowerSettingSep.get()},
               {mQuietModeView.get(), mQuietModeSep.get()},
               {mTempDirView.get(), mTempDirSep.get()},
               {mSoundView.get(), mSoundSep.get()},
               {mCalibrationView.get(), mCalibrationSep.get()},
               {mScanTestView.get(), mScanTestSep.get()}});
  // Buttons and the pop-up keep to the right edge; path fields stretch up to their buttons.
  const double width = mSoundView->frame().size.width;
  for (Quirel_CTRLS_PushButton* b :
       {mAutoPowerSettingBtn.get(), mQuietModeSettingBtn.get(), mTempFileBtn.get(), mPlaySoundBtn.get(),
        mPlatenCalibrationBtn.get(), mFilmCalibrationBtn.get(), mScanTestBtn.get()}) {
    if (!b) continue;
    const fnd::Rect r = b->getPushBTRect();
    b->setPushBTRect(width - 20 - r.size.width, r.origin.y, r.size.width, r.size.height);
  }
  if (mCalibrationPopup) {
    const fnd::Rect r = mCalibrationPopup->getPopupBTRect();
    mCalibrationPopup->setPopupBTRect(width - 20 - r.size.width, r.origin.y, r.size.width, r.size.height);
  }
  auto stretch = [](Quirel_CTRLS_PREFPathTextF* field, Quirel_CTRLS_PushButton* button) {
    if (!field || !button) return;
    const fnd::Rect f = field->getTextFRect();
    field->setTextFRect(f.origin.x, f.origin.y, button->getPushBTRect().origin.x - 10 - f.origin.x, f.size.height);
  };
  stretch(mTempFileTxtF.get(), mTempFileBtn.get());
  stretch(mPlaySoundTxtF.get(), mPlaySoundBtn.get());
}

std::string Quirel_PrefsDialog::shownPath(const std::string& path, bool allowFile) const {
  if (launcherMode()) return path;
  const std::string display = Quirel_FileManager().makeDisplayFilePath(path, allowFile);
  return display.empty() ? path : display;
}

void Quirel_PrefsDialog::setDataToScannerView() {
  if (mOffTimeTxtF) mOffTimeTxtF->setIntValue(mTempPrefs->getLampTime());
  if (mQuietModeCbx) mQuietModeCbx->setCheck(mTempPrefs->getQuietMode());
  if (mTempFileTxtF) {
    const auto path = mTempPrefs->getTempPath();
    mTempFileTxtF->setStringValue(path && !path->empty() ? shownPath(deleteLastSlashAtPath(*path), false) : "");
  }
  mPlaySoundCbx->setCheck(mTempPrefs->getSound());
  const auto sound = mTempPrefs->getSoundPath();
  mPlaySoundTxtF->setStringValue(sound && !sound->empty() ? shownPath(*sound, true) : "");
  mPlaySoundTxtF->getTextF()->setSelectable(false);
  mPlaySoundTxtF->setEnabled(mTempPrefs->getSound());
  mPlaySoundBtn->setEnabled(mTempPrefs->getSound());
  if (mCalibrationPopup) mCalibrationPopup->select(mTempPrefs->getCalibrationEveryScan());
  setEnabledToolTipsScannerView();
}

void Quirel_PrefsDialog::setEnabledToolTipsScannerView() {
  if (mOffTimeTxtF) {
    const bool on = mOffTimeTxtF->getNumberField()->isEnabled();
    setTip(mOffTimeTxtF->getNumberField(), on, tip("IDC_PGPREF_LAMPOFF_TIME_EDIT"));
    setTip(mOffTimeTxtF->getStepper(), on, tip("IDC_PGPREF_LAMPOFF_TIME_EDIT"));
  }
  auto button = [this](const std::unique_ptr<Quirel_CTRLS_PushButton>& b, const char* key) {
    if (b) setTip(b->getPushBT(), b->getPushBT()->isEnabled(), tip(key));
  };
  button(mAutoPowerSettingBtn, "IDC_PGPREF_AUTOPOWER_BTN");
  button(mQuietModeSettingBtn, "IDC_PGPREF_SILENT_BTN");
  if (mQuietModeCbx) setTip(mQuietModeCbx->getCheckBox(), mQuietModeCbx->isEnabled(), tip("IDC_PGPREF_SILENT_CHK"));
  if (mTempFileTxtF) setTip(mTempFileTxtF->getTextF(), mTempFileTxtF->getTextF()->isEnabled(), tip("IDC_PGPREF_REFERENCE"));
  button(mTempFileBtn, "IDC_PGPREF_REFERENCE");
  setTip(mPlaySoundCbx->getCheckBox(), mPlaySoundCbx->isEnabled(), tip("IDC_PGPREF_ENDSND_CHK"));
  setTip(mPlaySoundTxtF->getTextF(), mPlaySoundTxtF->getTextF()->isEnabled(), tip("IDC_PGPREF_REFER_ENDSND_BTN"));
  button(mPlaySoundBtn, "IDC_PGPREF_REFER_ENDSND_BTN");
  button(mPlatenCalibrationBtn, "IDC_PGPREF_CALIB_BTN");
  button(mFilmCalibrationBtn, "IDC_PGPREF_CALIBFILM_BTN");
  if (mCalibrationPopup)
    setTip(mCalibrationPopup->getPopupBT(), mCalibrationPopup->isEnabled(), tip("IDC_PGPREF_CALIB_BFR_SCAN_CMB"));
  button(mScanTestBtn, "IDC_PGPREF_SCANNERTEST_UNDER");
}

bool Quirel_PrefsDialog::LampOffTimeChange() {
  if (!mTempPrefs || !mOffTimeTxtF) return true;
  const int t = mOffTimeTxtF->getIntValue();
  if (t == mTempPrefs->getLampTime()) return true;
  if (t >= 4 && t <= 56) {
    const int rounded = t / 4 * 4;
    mOffTimeTxtF->setIntValue(rounded);
    mTempPrefs->setLampTime(rounded);
    mCanClose = true;
    return rounded == t;
  }
  Quirel_MessagePort::show(1201, 0, 0, 0);
  mOffTimeTxtF->setIntValue(mTempPrefs->getLampTime());
  bringToFront();
  mCanClose = false;
  return false;
}

void Quirel_PrefsDialog::LampOffTimeChangeForStepper() {
  if (!mTempPrefs || !mOffTimeTxtF) return;
  const int rounded = mOffTimeTxtF->getIntValue() / 4 * 4;
  mOffTimeTxtF->setIntValue(rounded);
  mTempPrefs->setLampTime(rounded);
  mCanClose = true;
}

void Quirel_PrefsDialog::runSubPanel(const char* showName, const char* closeName, const std::function<void()>& body) {
  auto& center = fnd::NotificationCenter::defaultCenter();
  mShowOpenPanel = true;
  if (mWindow) mWindow->setLevel(kit::kModalPanelWindowLevel);
  center.post(showName, this);
  body();
  mShowOpenPanel = false;
  if (mWindow) mWindow->setLevel(kLevel);
  center.post(closeName, this);
}

std::optional<std::string> Quirel_PrefsDialog::runPanel(kit::OpenPanel& panel) {
  if (mPanelRunner) return mPanelRunner(panel);
  if (panel.runModal() != kit::OpenPanel::kOK || panel.URL().empty()) return std::nullopt;
  return panel.URL();
}

void Quirel_PrefsDialog::utilityDialogOpen(int settingType) {
  if (!mScannerInfo) return;
  auto dialog = std::make_unique<Quirel_PVUtilityDialog>(settingType, mScannerInfo);
  if (mUIMObject) dialog->setNotificationSender(mUIMObject);
  const bool sfsQuiet = settingType == Quirel_PVUtilityDialog::kQuietMode && mScannerInfo->isSFS();
  if (sfsQuiet) {
    dialog->setDoNotGetSettingFromDevice(true);
    dialog->setSelectedSilentSetting(mTempPrefs && mTempPrefs->getQuietMode() ? 1 : 0);
  }
  int result = 0;
  runSubPanel("showModalDialog_FolderOpen", "closeModalDialog_FolderOpen", [&] { result = dialog->showUtilityDialog(); });
  if (sfsQuiet && mTempPrefs) mTempPrefs->setQuietMode(dialog->getSelectedSilentSetting() != 0);
  if (result != 0) closePreferenceDialogWithCloseCode(0, false, true, result == 1 ? 2 : 1);
}

void Quirel_PrefsDialog::AutoPowerSettingOpen() { utilityDialogOpen(Quirel_PVUtilityDialog::kAutoPower); }

void Quirel_PrefsDialog::QuietModeSettingOpen() { utilityDialogOpen(Quirel_PVUtilityDialog::kQuietMode); }

void Quirel_PrefsDialog::QuietModeCheck() {
  if (mTempPrefs && mQuietModeCbx) mTempPrefs->setQuietMode(mQuietModeCbx->isChecked());
}

void Quirel_PrefsDialog::TempDirBrowsOpen() { folderBrowse(false); }

void Quirel_PrefsDialog::SaveDirBrowsOpen() { folderBrowse(true); }

void Quirel_PrefsDialog::folderBrowse(bool saveFolder) {
  if (!mTempPrefs) return;
  kit::OpenPanel panel;
  panel.setCanChooseFiles(false);
  panel.setCanChooseDirectories(true);
  panel.setAllowsMultipleSelection(false);
  const auto stored = saveFolder ? mTempPrefs->getSavePath() : mTempPrefs->getTempPath();
  const auto fallback = saveFolder ? mDefaultSavePath : mDefaultTempPath;
  if (stored && fnd::FileManager::isFolderNotPackage(*stored))
    panel.setDirectory(*stored);
  else if (fallback)
    panel.setDirectory(*fallback);
  std::optional<std::string> chosen;
  runSubPanel("showModalDialog_FolderOpen", "closeModalDialog_FolderOpen", [&] { chosen = runPanel(panel); });
  if (chosen) {
    const std::string path = *chosen;
    const Quirel_FileManager files;
    const auto free = fnd::FileManager::freeSpace(path);
    if (free && *free < kMinFreeBytes) {
      Quirel_MessagePort::show(1640, 0, 0, 0);
    } else if (!files.hasAccessRight(path, false) || files.isRemovableDisk(path) || files.isNetworkPath(path) ||
               files.isWritableCDPath(path) || files.isSymbolicLinkPath(path)) {
      Quirel_MessagePort::show(1220, 0, 0, 0);
    } else if (saveFolder && fnd::utf16Length(path) > kMaxSavePathLength) {  // characters, not bytes
      Quirel_MessagePort::show(10013, "%d", fnd::Array{fnd::Value(1024)});
    } else if (saveFolder) {
      mTempPrefs->setSavePath(path);
      mTempPrefs->setSavePathBookmarkURL(path);
      mSaveFileTxtF->setStringValue(shownPath(deleteLastSlashAtPath(path), false));
    } else {
      mTempPrefs->setTempPath(path);
      mTempPrefs->setTempPathBookmarkURL(path);
      if (mTempFileTxtF) mTempFileTxtF->setStringValue(shownPath(deleteLastSlashAtPath(path), false));
    }
  }
  bringToFront();
}

void Quirel_PrefsDialog::PlaySoundCheck() {
  if (!mTempPrefs) return;
  const bool on = mPlaySoundCbx->isChecked();
  mPlaySoundTxtF->setEnabled(on);
  mPlaySoundTxtF->getTextF()->setSelectable(false);
  mPlaySoundBtn->setEnabled(on);
  mTempPrefs->setSound(on);
  setEnabledToolTipsScannerView();
}

void Quirel_PrefsDialog::PlaySoundBrowsOpen() {
  if (!mTempPrefs) return;
  std::unique_ptr<Quirel_SoundOpenDialog> chooser = Quirel_SoundOpenDialog::init();
  if (!chooser) return;
  kit::OpenPanel* panel = chooser->openPanel();
  std::vector<std::string> starts;
  if (const auto sound = mTempPrefs->getSoundPath(); sound && !sound->empty())
    starts.push_back(Quirel_FileManager::getParentFolderPath(*sound));
  starts.push_back("/System/Library/Sounds");
  starts.push_back(fnd::Paths::homeDir() + "/Desktop");
  for (const std::string& start : starts)
    if (fnd::FileManager::isFolder(start)) {
      panel->setDirectory(start);
      break;
    }
  std::optional<std::string> chosen;
  runSubPanel("showModalDialog_SoundOpen", "closeModalDialog_SoundOpen", [&] { chosen = runPanel(*panel); });
  if (!chosen) return;
  const Quirel_FileManager files;
  const std::string& path = *chosen;
  if (!files.hasAccessRight(path, true) || files.isRemovableDisk(path) || files.isNetworkPath(path) ||
      files.isWritableCDPath(path) || files.isSymbolicLinkPath(path)) {
    Quirel_MessagePort::show(1220, 0, 0, 0);
    return;
  }
  mTempPrefs->setSoundPath(path);
  mTempPrefs->setSoundPathBookmarkURL(path);
  mPlaySoundTxtF->setStringValue(shownPath(path, true));
}

void Quirel_PrefsDialog::CalibrationChange() {
  if (mTempPrefs && mCalibrationPopup) mTempPrefs->setCalibrationEveryScan(mCalibrationPopup->selected());
}

void Quirel_PrefsDialog::CalibrationStart(int mode) {
  mError = false;
  mErrorType = 0;
  mCalibrationErrorID = mCalibrationErrorCode1 = mCalibrationErrorCode2 = mCalibrationErrorCode3 = 0;
  auto info = std::make_shared<fnd::Dictionary>();
  info->set("CalibrationMode", fnd::Value(mode));
  fnd::NotificationCenter::defaultCenter().post("PreferenceCalibrationStartPost", this, info);
  if (mCalibrationErrorID != 0) {
    Quirel_MessagePort::show(mCalibrationErrorID, mCalibrationErrorCode1, mCalibrationErrorCode2,
                                           mCalibrationErrorCode3);
    closePreferenceDialogWithCloseCode(0, false, true, 1);
    return;
  }
  bringToFront();
}

void Quirel_PrefsDialog::manualCalibrationErrorFromSM(const fnd::Notification& notification) {
  const fnd::Dictionary* info = notification.userInfo.get();
  if (!info) return;
  auto take = [info](const char* key, int& field) {
    if (const fnd::Value* v = info->find(key)) field = static_cast<int>(v->toInteger());
  };
  take("TestStatus", mCalibrationErrorID);
  take("Number1", mCalibrationErrorCode1);
  take("Number2", mCalibrationErrorCode2);
  take("Number3", mCalibrationErrorCode3);
}

void Quirel_PrefsDialog::ScanTestStart() {
  auto dialog = std::make_unique<Quirel_ScannerTestDialog>(mScannerInfo.get(), mTwObject);
  dialog->setUIMObject(mUIMObject);
  if (mScannerTestScheduler) dialog->setTimeLimitScheduler(mScannerTestScheduler);
  const int result = dialog->runModal();
  dialog.reset();
  bringToFront();
  if (result == 1) closePreferenceDialogWithCloseCode(0, false, true, 1);
}
