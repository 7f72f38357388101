// The preferences' Color Settings tab: colour matching per colour-mode group with its
// profiles, permanent auto tone and the monitor gamma.

#include <cmath>
#include <cstdlib>

#include "ui/settings/PrefsDialog.h"
#include "ui/windows/MessagePort.h"

namespace {
constexpr double kColorSyncGroupHeight = 5 + 8 + 6 * 26 + 8;
constexpr double kColorAutoToneHeight = 5 + 4 + 22 + 6;
constexpr double kColorGammaHeight = 5 + 4 + 30 + 6;
constexpr double kColorGammaDefault = 2.2;

bool colorModeNoAutoTone(int colorMode) { return colorMode == 0 || colorMode == 6; }
}  // namespace

void Quirel_PrefsDialog::createColorView() {
  if (launcherMode())
    mTabView->setColorSettingTabViewLabel(text("PVTO_PREF_COLORSETTING_STR", "PictavoTrivo"));
  else
    mTabView->setColorSettingTabViewLabel(text("IDD_PREF_COLORSETTING_STR"));
  createColorView_ColorSync();
  createColorView_AutoTone();
  createColorView_MonitorGammma();
  addGroupToTab(Quirel_CTRLS_PREFTabView::kColorSetting, mColorSyncView.get());
  addGroupToTab(Quirel_CTRLS_PREFTabView::kColorSetting, mAutoToneView.get());
  addGroupToTab(Quirel_CTRLS_PREFTabView::kColorSetting, mMonitorGammaView.get());

  observe(Quirel_CTRLS_PREFColorSettingRadio::kChangePost, mColorSetRadio.get(), [this] { ColorSettingRadioChange(); });
  for (Quirel_NoFocusRadioButton* r :
       {mColorSetRadio->getRecommend(), mColorSetRadio->getColorSync(), mColorSetRadio->getNone()})
    observeDown("RADIO_DOWN", r);
  observe("PrefInputProfileChangePost", mInProfPopup->getPopupBT(), [this] { InputProfileChange(); });
  observe("PrefOutputProfileChangePost", mOutProfPopup->getPopupBT(), [this] { OutputProfileChange(); });
  observe("PrefMonitorCheckPost", mMonitorCbx->getCheckBox(), [this] { MonitorCheck(); });
  observe("PrefProfileResetPost", mProfResetBtn->getPushBT(), [this] { ProfileReset(); });
  if (mAutoToneCbx) {
    observe("PrefAutoToneCheckPost", mAutoToneCbx->getCheckBox(), [this] { AutoToneCheck(); });
    observeDown("BUTTON_DOWN", mAutoToneCbx->getCheckBox());
  }
  observe(Quirel_CTRLS_PREFMonitorGammaTextF::kTextFieldPost, mGammaTextF->getNumberField(),
          [this] { MonitorGanmaChange(); });
  observe(Quirel_CTRLS_PREFMonitorGammaTextF::kStepperPost, mGammaTextF->getStepper(),
          [this] { MonitorGanmaChangeForStepper(); });
  observeDown("STEPPER_DOWN", mGammaTextF->getStepper());
  observe("PrefMonitorGammaResetPost", mGammaResetBtn->getPushBT(), [this] { MonitorGammaReset(); });
  observeDown("BUTTON_DOWN", mGammaResetBtn->getPushBT());
}

void Quirel_PrefsDialog::createColorView_ColorSync() {
  mColorSyncView = makeGroup(mColorSyncSep, kColorSyncGroupHeight);
  Quirel_NoFocusView* view = mColorSyncView.get();
  mColorSetRadio = std::make_unique<Quirel_CTRLS_PREFColorSettingRadio>();
  double y = kColorSyncGroupHeight - 5 - 8 - 22;
  mColorSetRadio->setRecommend(text("IDC_PGPREF_AUTO_COLORMATCH_STR"), 15, y, 300, 20);
  y -= 26;
  mColorSetRadio->setColorSync(text("IDC_PGPREF_TAVO_COLORMATCH_STR"), 15, y, 300, 20);
  y -= 26;
  mInProfPopup = std::make_unique<Quirel_CTRLS_PREFInputProfilePopup>();
  mInProfPopup->setTitleTxtTitle(text("IDC_PGPREF_SOURCE_LABEL_STR"));
  mInProfPopup->setTitleTxtRect(35, y + 3, 110, 18);
  mInProfPopup->setPopupBTRect(150, y, 160, 26);
  y -= 26;
  mOutProfPopup = std::make_unique<Quirel_CTRLS_PREFOutputProfilePopup>();
  mOutProfPopup->setTitleTxtTitle(text("IDC_PGPREF_TARGET_LABEL_STR"));
  mOutProfPopup->setTitleTxtRect(35, y + 3, 110, 18);
  mOutProfPopup->setPopupBTRect(150, y, 160, 26);
  y -= 28;
  mMonitorCbx = std::make_unique<Quirel_CTRLS_CheckBox>();
  placeCheckBox(view, *mMonitorCbx, text("IDC_PGPREF_CHK_MONITOR_STR"), 35, y + 6);
  mMonitorCbx->setCheckBoxTitleTxtRect(55, y + 6, 150, 18);
  mMonitorCbx->setCheckBoxActionPostNtf("PrefMonitorCheckPost");
  mProfResetBtn = std::make_unique<Quirel_CTRLS_PushButton>();
  placeButton(view, *mProfResetBtn, text("IDC_PGADV_IPROC_RESET_BTN_STR"), y, 80);
  mProfResetBtn->setPushBTActionPostNtf("PrefProfileResetPost");
  y -= 26;
  mColorSetRadio->setNone(text("IDC_PGPREF_NONE_COLORMATCH_STR"), 15, y, 300, 20);
  for (Quirel_NoFocusRadioButton* r :
       {mColorSetRadio->getRecommend(), mColorSetRadio->getColorSync(), mColorSetRadio->getNone()})
    view->addSubview(r);
  for (Quirel_CTRLS_PREFPopup* p : std::initializer_list<Quirel_CTRLS_PREFPopup*>{mInProfPopup.get(), mOutProfPopup.get()}) {
    view->addSubview(p->getTitleTxt());
    view->addSubview(p->getPopupBT());
  }
}

void Quirel_PrefsDialog::createColorView_AutoTone() {
  if (!mScannerInfo || !mScannerInfo->alwaysAutoTone()) return;
  mAutoToneView = makeGroup(mAutoToneSep, kColorAutoToneHeight);
  mAutoToneCbx = std::make_unique<Quirel_CTRLS_CheckBox>();
  placeCheckBox(mAutoToneView.get(), *mAutoToneCbx, text("IDMAC_PREF_CHK_AUTOTONE"), 15, 8);
  mAutoToneCbx->setCheckBoxActionPostNtf("PrefAutoToneCheckPost");
}

void Quirel_PrefsDialog::createColorView_MonitorGammma() {
  mMonitorGammaView = makeGroup(mMonitorGammaSep, kColorGammaHeight);
  Quirel_NoFocusView* view = mMonitorGammaView.get();
  mGammaTextF = std::make_unique<Quirel_CTRLS_PREFMonitorGammaTextF>();
  mGammaTextF->setTitle(text("IDC_PGPREF_GAMMA_LABLE_STR"), 15, 12, 120, 18);
  mGammaTextF->setNumberFieldRect(140, 10, 50, 22);
  mGammaTextF->setStepperRect(192, 8, 19, 27);
  mGammaTextF->getNumberField()->setDelegate(this);
  view->addSubview(mGammaTextF->getTitle());
  view->addSubview(mGammaTextF->getNumberField());
  view->addSubview(mGammaTextF->getStepper());
  mGammaResetBtn = std::make_unique<Quirel_CTRLS_PushButton>();
  placeButton(view, *mGammaResetBtn, text("IDC_PGADV_IPROC_RESET_BTN_STR"), 6, 80);
  mGammaResetBtn->setPushBTActionPostNtf("PrefMonitorGammaResetPost");
}

void Quirel_PrefsDialog::setFrameColorView() {
  stackGroups(Quirel_CTRLS_PREFTabView::kColorSetting, {{mColorSyncView.get(), mColorSyncSep.get()},
                                                        {mAutoToneView.get(), mAutoToneSep.get()},
                                                        {mMonitorGammaView.get(), mMonitorGammaSep.get()}});
  // Pop-ups reach 20 points short of the right edge, the Reset buttons end 30 short of it.
  const double width = mColorSyncView->frame().size.width;
  for (Quirel_CTRLS_PREFPopup* p : std::initializer_list<Quirel_CTRLS_PREFPopup*>{mInProfPopup.get(), mOutProfPopup.get()}) {
    const fnd::Rect r = p->getPopupBTRect();
    p->setPopupBTRect(r.origin.x, r.origin.y, std::max(160.0, width - 20 - r.origin.x), r.size.height);
  }
  for (Quirel_CTRLS_PushButton* b : {mProfResetBtn.get(), mGammaResetBtn.get()}) {
    const fnd::Rect r = b->getPushBTRect();
    b->setPushBTRect(width - 30 - r.size.width, r.origin.y, r.size.width, r.size.height);
  }
}

void Quirel_PrefsDialog::setDataToColorView() {
  mInProfPopup->removeAllPopupItems();
  mOutProfPopup->removeAllPopupItems();
  if (mProfileCMList) {
    if (const auto& list = mProfileCMList->getInputProfileList())
      for (const Quirel_ProfileCM& p : *list) mInProfPopup->addPopupItem(p.getProfileName().value_or(""));
    if (const auto& list = mProfileCMList->getOutputProfileList())
      for (const Quirel_ProfileCM& p : *list) mOutProfPopup->addPopupItem(p.getProfileName().value_or(""));
  }
  const int mode = mColorMode;
  mColorSetRadio->setEnabled(0, true);
  mColorSetRadio->setEnabled(1, mode >= 3 && mode <= 5);
  mColorSetRadio->setEnabled(2, mode >= 1 && mode <= 5);
  const int choice = mTempPrefs->getColorSetting(mode);
  mColorSetRadio->selectItemAtIndex(choice);
  setDataToColorSettingAtColorSync(choice);
  if (mFilmMode && !mThumbnailMode && mZoomScan) {
    mColorSetRadio->setAllEnabled(false);
    mInProfPopup->setEnabled(false);
    mOutProfPopup->setEnabled(false);
    mMonitorCbx->setEnabled(false);
    mProfResetBtn->setEnabled(false);
    mGammaTextF->setEnabled(false);
    mGammaResetBtn->setEnabled(false);
  }
  setEnabledToolTipsColorView();
}

void Quirel_PrefsDialog::setDataToColorSettingAtColorSync(int choice) {
  const int mode = mColorMode;
  if (choice == 1) {
    mInProfPopup->setEnabled(true);
    mInProfPopup->select(mInProfPopup->getPopupBT()->indexOfItemWithTitle(mTempPrefs->getInputPf_Name(mInputProfileSourceType)));
    mOutProfPopup->setEnabled(true);
    mOutProfPopup->select(mOutProfPopup->getPopupBT()->indexOfItemWithTitle(mTempPrefs->getOutputPf_Name()));
    mMonitorCbx->setEnabled(true);
    mMonitorCbx->setCheck(mTempPrefs->getMonitor());
    mProfResetBtn->setEnabled(true);
    if (mAutoToneCbx) {
      mAutoToneCbx->setEnabled(!colorModeNoAutoTone(mode) && !mScannerInfo->isVer310() &&
                               !mScannerInfo->isVer1400Later());
      mAutoToneCbx->setCheck(mTempPrefs->getAlwaysAutoTone());
    }
    mGammaTextF->setDoubleValue(kColorGammaDefault);
    mGammaTextF->setEnabled(false);
    mGammaResetBtn->setEnabled(false);
    return;
  }
  mInProfPopup->select(-1);
  mInProfPopup->setEnabled(false);
  mOutProfPopup->select(-1);
  mOutProfPopup->setEnabled(false);
  mMonitorCbx->setEnabled(false);
  mMonitorCbx->setCheck(mTempPrefs->getMonitor());
  mProfResetBtn->setEnabled(false);
  if (mAutoToneCbx) {
    mAutoToneCbx->setEnabled(choice == 0 && !colorModeNoAutoTone(mode));
    mAutoToneCbx->setCheck(mTempPrefs->getAlwaysAutoTone());
  }
  mGammaTextF->setDoubleValue(mTempPrefs->getMonitorGamma());
  mGammaTextF->setEnabled(true);
  mGammaResetBtn->setEnabled(true);
}

void Quirel_PrefsDialog::setEnabledToolTipsColorView() {
  const char* choiceTips[] = {"IDC_PGPREF_AUTO_COLORMATCH", "IDC_PGPREF_TAVO_COLORMATCH", "IDC_PGPREF_NONE_COLORMATCH"};
  Quirel_NoFocusRadioButton* choices[] = {mColorSetRadio->getRecommend(), mColorSetRadio->getColorSync(),
                                          mColorSetRadio->getNone()};
  for (int i = 0; i < 3; ++i)
    if (choices[i]) choices[i]->setToolTip(choices[i]->isEnabled() ? tip(choiceTips[i]) : std::string());
  const bool gammaEnabled = mGammaTextF->getNumberField()->isEnabled();
  setTip(mGammaTextF->getNumberField(), gammaEnabled, tip("IDC_PGPREF_GAMMA_EDT"));
  setTip(mGammaTextF->getStepper(), gammaEnabled, tip("IDC_PGPREF_GAMMA_EDT"));
  setTip(mGammaResetBtn->getPushBT(), mGammaResetBtn->getPushBT()->isEnabled(), tip("IDC_PGPREF_GAMMA_RESET_BTN"));
  if (mAutoToneCbx) setTip(mAutoToneCbx->getCheckBox(), mAutoToneCbx->isEnabled(), tip("IDMAC_PGPREF_AUTOTONE"));
  setTip(mInProfPopup->getPopupBT(), mInProfPopup->isEnabled(), tip("IDC_PGPREF_SOURCE_CMB"));
  setTip(mOutProfPopup->getPopupBT(), mOutProfPopup->isEnabled(), tip("IDC_PGPREF_TARGET_CMB"));
  setTip(mMonitorCbx->getCheckBox(), mMonitorCbx->isEnabled(), tip("IDC_PGPREF_CHK_MONITOR"));
  setTip(mProfResetBtn->getPushBT(), mProfResetBtn->getPushBT()->isEnabled(), tip("IDC_PGPREF_COLORMATCH_RESET_BTN"));
}

void Quirel_PrefsDialog::ColorSettingRadioChange() {
  if (!mTempPrefs) return;
  const int index = mColorSetRadio->selectedItemIndex();
  if (mTempPrefs->getColorSetting(mColorMode) == 0 && index != 0 && !(mScannerInfo && mScannerInfo->isVer310())) {
    Quirel_MessagePort::show(1621, 0, 0, 0);
    bringToFront();
  }
  mTempPrefs->setColorSetting(mColorMode, index);
  setDataToColorSettingAtColorSync(index);
  setEnabledToolTipsColorView();
}

void Quirel_PrefsDialog::InputProfileChange() {
  if (!mTempPrefs || !mProfileCMList || !mProfileCMList->getInputProfileList()) return;
  const std::string title = mInProfPopup->getPopupBT()->titleOfSelectedItem();
  for (const Quirel_ProfileCM& p : *mProfileCMList->getInputProfileList())
    if (p.getProfileName().value_or("") == title) {
      mTempPrefs->setInputPf_Name(mInputProfileSourceType, p.getProfileName());
      mTempPrefs->setInputPf_FilePath(mInputProfileSourceType, p.getFilePath());
      return;
    }
}

void Quirel_PrefsDialog::OutputProfileChange() {
  if (!mTempPrefs || !mProfileCMList || !mProfileCMList->getOutputProfileList()) return;
  const std::string title = mOutProfPopup->getPopupBT()->titleOfSelectedItem();
  for (const Quirel_ProfileCM& p : *mProfileCMList->getOutputProfileList())
    if (p.getProfileName().value_or("") == title) {
      mTempPrefs->setOutputPf_Name(p.getProfileName());
      mTempPrefs->setOutputPf_FilePath(p.getFilePath());
      return;
    }
}

void Quirel_PrefsDialog::ProfileReset() {
  if (!mTempPrefs) return;
  if (mProfileCMList && mProfileCMList->getInputProfileList()) {
    const auto& list = *mProfileCMList->getInputProfileList();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
      if (it->isDefault() && it->getSourceType() == mInputProfileSourceType) {
        mTempPrefs->setInputPf_Name(mInputProfileSourceType, it->getProfileName());
        mTempPrefs->setInputPf_FilePath(mInputProfileSourceType, it->getFilePath());
        mInProfPopup->select(mInProfPopup->getPopupBT()->indexOfItemWithTitle(it->getProfileName().value_or("")));
        break;
      }
  }
  if (mProfileCMList && mProfileCMList->getOutputProfileList()) {
    const auto& list = *mProfileCMList->getOutputProfileList();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
      if (it->isDefault()) {
        mTempPrefs->setOutputPf_Name(it->getProfileName());
        mTempPrefs->setOutputPf_FilePath(it->getFilePath());
        mOutProfPopup->select(mOutProfPopup->getPopupBT()->indexOfItemWithTitle(it->getProfileName().value_or("")));
        break;
      }
  }
  mTempPrefs->setMonitor(true);
  mMonitorCbx->setCheck(true);
}

void Quirel_PrefsDialog::MonitorCheck() {
  if (mTempPrefs) mTempPrefs->setMonitor(mMonitorCbx->isChecked());
}

void Quirel_PrefsDialog::AutoToneCheck() {
  if (mTempPrefs && mAutoToneCbx) mTempPrefs->setAlwaysAutoTone(mAutoToneCbx->isChecked());
}

bool Quirel_PrefsDialog::MonitorGanmaChange() {
  if (!mTempPrefs) return true;
  const std::string rounded = roundDownForString(mGammaTextF->getStringValue(), 2);
  mGammaTextF->setStringValue(rounded.c_str());
  // A text that is no number rounds to "nan": refused like any value out of range, so the
  // record never holds NaN.
  const double value = rounded == "nan" ? std::nan("") : std::strtod(rounded.c_str(), nullptr);
  if (value == mTempPrefs->getMonitorGamma()) return true;
  if (!(value >= 0.1 && value <= 10.0)) {
    Quirel_MessagePort::show(1110, 0, 0, 0);
    mGammaTextF->setDoubleValue(mTempPrefs->getMonitorGamma());
    bringToFront();
    mCanClose = false;
    return false;
  }
  mCanClose = true;
  mTempPrefs->setMonitorGamma(value);
  return true;
}

void Quirel_PrefsDialog::MonitorGanmaChangeForStepper() {
  if (!mTempPrefs) return;
  const double value = std::strtod(mGammaTextF->getStringValue().c_str(), nullptr);
  mGammaTextF->setDoubleValue(value);
  mCanClose = true;
  mTempPrefs->setMonitorGamma(std::strtod(mGammaTextF->getStringValue().c_str(), nullptr));
}

void Quirel_PrefsDialog::MonitorGammaReset() {
  if (!mTempPrefs) return;
  mGammaTextF->setDoubleValue(kColorGammaDefault);
  mCanClose = true;
  mTempPrefs->setMonitorGamma(kColorGammaDefault);
}
