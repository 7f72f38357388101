// The preferences' Scan tab: the UI-less options, 16-bit output and large scans, the end of a
// scan and the feeder's speed and order rejection.

#include "foundation/StringFormat.h"
#include "ui/settings/PrefsDialog.h"
#include "ui/windows/MessagePort.h"

namespace {
// "AutoExit" values of the end-of-scan items, in item order: close, stay open, and (outside
// the launcher) the third choice, which the record knows as 2.
constexpr int kScanAutoExitByItem[] = {1, 0, 2};

}  // namespace

void Quirel_PrefsDialog::createScanView() {
  mTabView->setScanTabViewLabel(text("IDC_MS_BTN_MULTI_SCAN_STR"));
  const Quirel_UIScannerInfo info = mScannerInfo ? *mScannerInfo : Quirel_UIScannerInfo();
  const bool v14 = info.isVer1400Later();

  if (info.isFAU() || (info.colorDocument() && info.isCIS())) {
    const bool colour = info.colorDocument() && info.isCIS();
    const bool small = info.isFAU();
    const double height = 5 + 24 + (colour ? 22 : 0) + (small ? 22 : 0) + 6;
    mUILessView = makeGroup(mUILessSep, height);
    mNoWindowTitle = std::make_unique<Quirel_CTRLS_PREFText>();
    placeText(mUILessView.get(), *mNoWindowTitle, text("IDC_PGPREF_USINGPV_LABEL_STR"), 15, height - 29, 300);
    double y = height - 29 - 22;
    if (colour) {
      mColorModeCbx = std::make_unique<Quirel_CTRLS_CheckBox>();
      placeCheckBox(mUILessView.get(), *mColorModeCbx, text("IDMAC_ECOM0"), 30, y);
      mColorModeCbx->setCheckBoxActionPostNtf("PrefColorModeCheckPost");
      y -= 22;
    }
    if (small) {
      mSmallSizeCbx = std::make_unique<Quirel_CTRLS_CheckBox>();
      placeCheckBox(mUILessView.get(), *mSmallSizeCbx, text("IDC_PGPREF_THUMB_SMALL_CHK_STR"), 30, y);
      mSmallSizeCbx->setCheckBoxActionPostNtf("PrefSmallCropSizeCheckPost");
    }
    addGroupToTab(Quirel_CTRLS_PREFTabView::kScan, mUILessView.get());
  }

  if (info.bitEnabled() || info.enableLargeScan()) {
    const double title = v14 ? 24 : 4;
    const double height = 5 + title + (info.bitEnabled() ? 22 : 0) + (info.enableLargeScan() ? 22 : 0) + 6;
    mAdvancedView = makeGroup(mAdvancedSep, height);
    if (v14) {
      mAdvancedTitle = std::make_unique<Quirel_CTRLS_PREFText>();
      placeText(mAdvancedView.get(), *mAdvancedTitle, text("IDC_PGPREF_ADVANCED_LABEL_STR"), 15, height - 29, 300);
    }
    double y = height - 5 - title - 20;
    if (info.bitEnabled()) {
      mBitEnabledCbx = std::make_unique<Quirel_CTRLS_CheckBox>();
      placeCheckBox(mAdvancedView.get(), *mBitEnabledCbx, text("IDC_PGPREF_ENABLE16BIT_STR"), 30, y);
      mBitEnabledCbx->setCheckBoxActionPostNtf("PrefEnabledOutputBitCheckPost");
      y -= 22;
    }
    if (info.enableLargeScan()) {
      mEnableLargeScanCbx = std::make_unique<Quirel_CTRLS_CheckBox>();
      placeCheckBox(mAdvancedView.get(), *mEnableLargeScanCbx, text("IDC_PGPREF_ENABLELARGESIZE_STR"), 30, y);
      mEnableLargeScanCbx->setCheckBoxActionPostNtf("PrefEnabledLargeScanCheckPost");
    }
    addGroupToTab(Quirel_CTRLS_PREFTabView::kScan, mAdvancedView.get());
  }

  if (info.closeSelect()) {
    std::vector<std::string> items = v14 ? std::vector<std::string>{templateText("IDS_PGPREF_AUTOCLOSE_1"),
                                                                     templateText("IDS_PGPREF_AUTOCLOSE_2")}
                                         : std::vector<std::string>{text("IDC_PGPREF_AUTOCLOSE_1_STR"),
                                                                    text("IDC_PGPREF_AUTOCLOSE_2_STR")};
    if (!launcherMode()) items.push_back(text("IDC_PGPREF_AUTOCLOSE_3_STR"));
    const double height = 5 + 24 + 20.0 * static_cast<double>(items.size()) + 10;
    mAutoExitView = makeGroup(mAutoExitSep, height);
    mAutoExitRadio = std::make_unique<Quirel_CTRLS_PREFRadioButton>();
    placeRadio(mAutoExitView.get(), *mAutoExitRadio,
               v14 ? templateText("IDS_PGPREF_AUTOCLOSE") : text("IDC_PGPREF_AUTOCLOSE_STATIC_STR"), items, height);
    mAutoExitRadio->setRadioBTActionPostNtf("PrefAutoExitRadioChangePost");
  } else {
    const double height = 5 + 4 + 22 + 6;
    mAutoExitView = makeGroup(mAutoExitSep, height);
    mAutoExitCbx = std::make_unique<Quirel_CTRLS_CheckBox>();
    placeCheckBox(mAutoExitView.get(), *mAutoExitCbx, text("IDMAC_PREF_CHK_AUTOCLOSE"), 15, 8);
    mAutoExitCbx->setCheckBoxActionPostNtf("PrefAutoExitCheckPost");
  }
  addGroupToTab(Quirel_CTRLS_PREFTabView::kScan, mAutoExitView.get());

  const double feederHeight = 5 + 24 + 40 + 10;
  if (info.isVer1300Later() && info.isADF() && info.adf_HighSpeed()) {
    mADFHighSpeedView = makeGroup(mADFHighSpeedSep, feederHeight);
    mADFHighSpeedRadio = std::make_unique<Quirel_CTRLS_PREFRadioButton>();
    placeRadio(mADFHighSpeedView.get(), *mADFHighSpeedRadio, text("PREF_LABEL_ADF_SPEED"),
               {text("IDC_PGPREF_THUMB_SIZE_NORMAL_STR"), text("PREF_RADIO_ADF_SPEED_HIGHSPEED")}, feederHeight);
    mADFHighSpeedRadio->setRadioBTActionPostNtf("PrefADFHighSpeedRadioChangePost");
    addGroupToTab(Quirel_CTRLS_PREFTabView::kScan, mADFHighSpeedView.get());
  }
  if (info.isVer1300Later() && info.isADF() && info.isTwoSidedADF() && info.adf_OrderRejection()) {
    mADFOrderRejectView = makeGroup(mADFOrderRejectSep, feederHeight);
    mADFOrderRejectRadio = std::make_unique<Quirel_CTRLS_PREFRadioButton>();
    placeRadio(mADFOrderRejectView.get(), *mADFOrderRejectRadio,
               text("IDC_PGPREF_ADFSETTING_ORDERREJECTION_LABEL_STR"),
               {text("IDC_PGPREF_ADFSETTING_ORDERREJECTION_HIGHSPEED_STR"),
                text("IDC_PGPREF_ADFSETTING_ORDERREJECTION_LINE_STR")},
               feederHeight);
    mADFOrderRejectRadio->setRadioBTActionPostNtf("PrefADFOrderRejectionRadioChangePost");
    addGroupToTab(Quirel_CTRLS_PREFTabView::kScan, mADFOrderRejectView.get());
  }

  if (mColorModeCbx) observe("PrefColorModeCheckPost", mColorModeCbx->getCheckBox(), [this] { ColorModeCheck(); });
  if (mSmallSizeCbx)
    observe("PrefSmallCropSizeCheckPost", mSmallSizeCbx->getCheckBox(), [this] { SmallCropSizeCheck(); });
  if (mBitEnabledCbx)
    observe("PrefEnabledOutputBitCheckPost", mBitEnabledCbx->getCheckBox(), [this] { EnabledOutputBitCheck(); });
  if (mEnableLargeScanCbx)
    observe("PrefEnabledLargeScanCheckPost", mEnableLargeScanCbx->getCheckBox(), [this] { EnabledLargeScanCheck(); });
  if (mAutoExitRadio)
    observe("PrefAutoExitRadioChangePost", mAutoExitRadio->getRadioBT(), [this] { AutoExitRadioChange(); });
  if (mAutoExitCbx) observe("PrefAutoExitCheckPost", mAutoExitCbx->getCheckBox(), [this] { AutoExitCheck(); });
  if (mADFHighSpeedRadio)
    observe("PrefADFHighSpeedRadioChangePost", mADFHighSpeedRadio->getRadioBT(), [this] { ADFHighSpeedRadioChange(); });
  if (mADFOrderRejectRadio)
    observe("PrefADFOrderRejectionRadioChangePost", mADFOrderRejectRadio->getRadioBT(),
            [this] { ADFOrderRejectionRadioChange(); });
}

void Quirel_PrefsDialog::setDataToScanView() {
  const Quirel_UIScannerInfo info = mScannerInfo ? *mScannerInfo : Quirel_UIScannerInfo();
  if (mColorModeCbx) {
    mColorModeCbx->setCheck(mTempPrefs->getColorModeWhenUIOff());
    mColorModeCbx->setEnabled(info.isCIS());
  }
  if (mSmallSizeCbx) {
    mSmallSizeCbx->setCheck(mTempPrefs->getSmallThumbanilWhenUIOff());
    mSmallSizeCbx->setEnabled(info.isFAU() && (info.isVer1500Later() || mFilmMode));
  }
  if (mBitEnabledCbx) {
    mBitEnabledCbx->setCheck(mTempPrefs->getBitEnabled());
    bool enabled = false;
    if (!info.bitEnabled())
      enabled = false;
    else if (!mFilmMode)
      enabled = !(info.isMFP() && !info.isVer1500Later());
    else
      enabled = !(mZoomScan && !mThumbnailMode);
    mBitEnabledCbx->setEnabled(enabled);
  }
  if (mEnableLargeScanCbx) {
    switch (info.largeScanFromApplication()) {
      case 1:
        mEnableLargeScanCbx->setCheck(false);
        mEnableLargeScanCbx->setEnabled(false);
        break;
      case 2:
        mEnableLargeScanCbx->setCheck(true);
        mEnableLargeScanCbx->setEnabled(false);
        break;
      default:
        mEnableLargeScanCbx->setCheck(mTempPrefs->getEnableLargeScan());
        mEnableLargeScanCbx->setEnabled(true);
        break;
    }
  }
  if (mAutoExitRadio) {
    const int stored = mTempPrefs->getAutoExit();
    int item = 1;  // any other stored value: stay open
    const int items = mAutoExitRadio->getRadioBT()->numberOfRows();
    for (int i = 0; i < items; ++i)
      if (kScanAutoExitByItem[i] == stored) item = i;
    mAutoExitRadio->selectItemAtIndex(item);
    mAutoExitRadio->setEnabled(!info.multiPagePDFFromApplication());
  }
  if (mAutoExitCbx) mAutoExitCbx->setCheck(mTempPrefs->getAutoExit() == 1);
  if (mADFHighSpeedRadio) mADFHighSpeedRadio->selectItemAtIndex(mTempPrefs->getADF_HighSpeed());
  if (mADFOrderRejectRadio) mADFOrderRejectRadio->selectItemAtIndex(mTempPrefs->getADF_OrderRejection());
  setEnabledToolTipsScanView();
}

void Quirel_PrefsDialog::setEnabledToolTipsScanView() {
  const Quirel_UIScannerInfo info = mScannerInfo ? *mScannerInfo : Quirel_UIScannerInfo();
  if (mColorModeCbx)
    setTip(mColorModeCbx->getCheckBox(), mColorModeCbx->isEnabled(), tip("IDMAC_PGPREF_HIDEFINITION"));
  if (mSmallSizeCbx)
    setTip(mSmallSizeCbx->getCheckBox(), mSmallSizeCbx->isEnabled(),
           tip(info.isVer1600Later() ? "IDC_PGPREF_THUMB_SMALL_CHK" : "IDC_PGPREF_THUMB_SIZE_SMALL"));
  if (mBitEnabledCbx)
    setTip(mBitEnabledCbx->getCheckBox(), mBitEnabledCbx->isEnabled(), tip("IDC_PGPREF_ENABLE16BIT"));
  if (mEnableLargeScanCbx) {
    // The limits fill the text's placeholders literally (the text is never a printf format).
    const std::string largeTip = fnd::formatString(
        text("PVTO_ERROR_16", "PictavoTrivo"),
        fnd::Array{fnd::Value(static_cast<std::int64_t>(info.maxScanWidth_L())),
                   fnd::Value(static_cast<std::int64_t>(info.maxScanHeight_L())), fnd::Value(info.maxScanDataSize_L())});
    setTip(mEnableLargeScanCbx->getCheckBox(), mEnableLargeScanCbx->isEnabled(), largeTip);
  }
  if (mAutoExitRadio) {
    std::vector<std::string> tips = info.isVer1400Later()
                                        ? std::vector<std::string>{templateText("IDMAC_TIP_PGPREF_AUTOCLOSE_1", "ToolTips"),
                                                                   templateText("IDMAC_TIP_PGPREF_AUTOCLOSE_2", "ToolTips")}
                                        : std::vector<std::string>{tip("IDC_PGPREF_AUTOCLOSE_1"),
                                                                   tip("IDC_PGPREF_AUTOCLOSE_2")};
    tips.push_back(tip("IDC_PGPREF_AUTOCLOSE_3"));
    setRadioTips(mAutoExitRadio.get(), tips);
  }
  if (mAutoExitCbx) setTip(mAutoExitCbx->getCheckBox(), mAutoExitCbx->isEnabled(), tip("IDC_PGPREF_AUTOCLOSE_1"));
  setRadioTips(mADFHighSpeedRadio.get(), {tip("TT_PGPREF_ADF_SPEED_NORMAL"), tip("TT_PGPREF_ADF_SPEED_HIGHSPEED")});
  setRadioTips(mADFOrderRejectRadio.get(), {tip("IDC_PGPREF_ADFSETTING_ORDERREJECTION_HIGHSPEED"),
                                            tip("IDC_PGPREF_ADFSETTING_ORDERREJECTION_LINE")});
}

void Quirel_PrefsDialog::setFrameScanView() {
  const Group uiless{mUILessView.get(), mUILessSep.get()};
  const Group advanced{mAdvancedView.get(), mAdvancedSep.get()};
  const Group autoExit{mAutoExitView.get(), mAutoExitSep.get()};
  const Group speed{mADFHighSpeedView.get(), mADFHighSpeedSep.get()};
  const Group order{mADFOrderRejectView.get(), mADFOrderRejectSep.get()};
  if (mScannerInfo && mScannerInfo->isVer1400Later())
    stackGroups(Quirel_CTRLS_PREFTabView::kScan, {autoExit, uiless, advanced, speed, order});
  else
    stackGroups(Quirel_CTRLS_PREFTabView::kScan, {uiless, advanced, autoExit, speed, order});
}

void Quirel_PrefsDialog::ColorModeCheck() {
  if (mTempPrefs) mTempPrefs->setColorModeWhenUIOff(mColorModeCbx->isChecked());
}

void Quirel_PrefsDialog::SmallCropSizeCheck() {
  if (mTempPrefs) mTempPrefs->setSmallThumbanilWhenUIOff(mSmallSizeCbx->isChecked());
}

void Quirel_PrefsDialog::EnabledOutputBitCheck() {
  if (mTempPrefs) mTempPrefs->setBitEnabled(mBitEnabledCbx->isChecked());
}

void Quirel_PrefsDialog::EnabledLargeScanCheck() {
  if (!mTempPrefs) return;
  const bool on = mEnableLargeScanCbx->isChecked();
  if (mScannerInfo && mScannerInfo->isLargeScanWarning() && on) {
    Quirel_MessagePort::show(1631, 0, 0, 0);
    bringToFront();
  }
  mTempPrefs->setEnableLargeScan(on);
}

void Quirel_PrefsDialog::AutoExitRadioChange() {
  if (!mTempPrefs) return;
  const int item = mAutoExitRadio->selectedItemIndex();
  if (item >= 0 && item < 3) mTempPrefs->setAutoExit(kScanAutoExitByItem[item]);
}

void Quirel_PrefsDialog::AutoExitCheck() {
  if (mTempPrefs) mTempPrefs->setAutoExit(mAutoExitCbx->isChecked() ? 1 : 0);
}

void Quirel_PrefsDialog::ADFHighSpeedRadioChange() {
  if (mTempPrefs) mTempPrefs->setADF_HighSpeed(mADFHighSpeedRadio->selectedItemIndex());
}

void Quirel_PrefsDialog::ADFOrderRejectionRadioChange() {
  if (mTempPrefs) mTempPrefs->setADF_OrderRejection(mADFOrderRejectRadio->selectedItemIndex());
}
