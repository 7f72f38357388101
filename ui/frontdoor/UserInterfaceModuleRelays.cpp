// What the controller passes on for the modes, the buttons, the progress window and the
// message functions: the carriers it fills, the texts of the progress window, and the crop
// lists resized for the thumbnail size.

#include "ui/base/DSBundleStr.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/frontdoor/UserInterfaceModule.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ProgressSourceTexts.h"
#include "ui/model/SettingToSM.h"
#include "ui/model/StandardModeLink.h"
#include "ui/model/ThumbnailCropResize.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/modes/multiscan/MultiScanMode.h"
#include "ui/windows/ProgressWindow.h"

namespace {

constexpr const char* kUimMessageStateChangeTab = "changeTabMessageState";
constexpr const char* kUimMessageStateMultiPDFScanEnd = "multiPDFScanEndMessageState";
constexpr const char* kUimMessageStateCloseSavePath = "closeSavePathMessageState";

// The progress window posts its two questions with itself as the object.
Quirel_ProgressWindow* uimProgressWindowOf(const fnd::Notification& n) {
  return static_cast<Quirel_ProgressWindow*>(const_cast<void*>(n.sender));
}

}  // namespace

void Quirel_UserInterfaceModule::setImageSourceAndColorModeStr(const fnd::Notification& n) {
  Quirel_ProgressWindow* progress = uimProgressWindowOf(n);
  if (!progress) return;
  int source = 0;
  const Quirel_UIScannerInfo* scannerInfo = mScannerInfo.get();
  if (mMode == 0 && mStandardMode) {
    const Quirel_CTRLS_ImageSourcePopup* popup = mStandardMode->getImgSrcPopup();
    source = popup ? popup->getRepresentedNumber() : mStandardMode->getImageSource();
    scannerInfo = mStandardMode->getScannerInfo();
  } else if (mMode == 1 && mExtendMode) {
    source = mExtendMode->getImgSrcNumber();
    scannerInfo = mExtendMode->getScannerInfo();
  } else if (mMode == 2 && mMultiMode) {
    source = mMultiMode->getImgSrcNumber();
    scannerInfo = mMultiMode->getScannerInfo();
  }
  const Quirel_ProgressSourceTexts::Answer answer =
      Quirel_ProgressSourceTexts::setImageSourceAndColorModeStr(mMode, source, 0, scannerInfo);
  progress->setScanMode(answer.scanMode);
  progress->setMainWindowObject(mMainWindow ? mMainWindow->getWindow() : nullptr);
  // The advanced mode (1) answers its own pop-ups once it exists.
  if (!answer.hasTexts || mMode == 1) return;
  progress->setImageSourceString(Quirel_ProgressSourceTexts::imageSourceText(answer, *mLSobj), answer.imageSourceNum);
  progress->setColorModeString(Quirel_ProgressSourceTexts::colorModeText(answer, *mLSobj), answer.colorModeNum);
  if (const auto& c = answer.caps) {
    progress->setScannerDispInfo(c->iUnharp, c->iDescreen, c->iReduceDust, c->iVexa, c->iFadingCorrect,
                                 c->iGrainCorrect, c->iBackLightCorrect, c->iBookCorrect, c->iSoftVexa, c->iCopyGamma,
                                 c->iImageAdjust, c->iRACS2);
    progress->setScannerDispInfoAutoFineDoc(c->iAutoFineDoc);
  }
}

void Quirel_UserInterfaceModule::setMainWindowObject(const fnd::Notification& n) {
  if (Quirel_ProgressWindow* progress = uimProgressWindowOf(n))
    progress->setMainWindowObject(mMainWindow ? mMainWindow->getWindow() : nullptr);
}

void Quirel_UserInterfaceModule::setStandardModeID(const fnd::Notification& n) {
  const fnd::Value* v = n.info() ? n.info()->find(Quirel_BaseScanMode::kSetToSMKey) : nullptr;
  std::shared_ptr<Quirel_SettingToSM> carrier = v ? v->toObject<Quirel_SettingToSM>() : nullptr;
  if (carrier && mStandardMode) carrier->setStandardModeObj(mStandardMode.get());
}

void Quirel_UserInterfaceModule::setDefaultSettingFromExtendMode(const fnd::Notification&) {
  if (mMultiMode) mMultiMode->setDefaultSetting(nullptr);
  mCloseSelectFlg = 0;
  mShowChangeTabMsg = true;
  mShowMultiPDFScanEndMsg = true;
  mShowMCloseSaveMsg = true;
}

void Quirel_UserInterfaceModule::setChangeTabMessageStateFromExtendMode(const fnd::Notification& n) {
  const fnd::Dictionary* info = n.info();
  if (!info) return;
  if (const fnd::Value* v = info->find(kUimMessageStateChangeTab)) mShowChangeTabMsg = v->toBool();
  if (const fnd::Value* v = info->find(kUimMessageStateMultiPDFScanEnd)) mShowMultiPDFScanEndMsg = v->toBool();
  if (const fnd::Value* v = info->find(kUimMessageStateCloseSavePath)) mShowMCloseSaveMsg = v->toBool();
}

void Quirel_UserInterfaceModule::getChangeTabMessageStateFromExtendMode(const fnd::Notification& n) {
  fnd::Dictionary* info = n.info();
  if (!info) return;
  info->set(kUimMessageStateChangeTab, mShowChangeTabMsg);
  info->set(kUimMessageStateMultiPDFScanEnd, mShowMultiPDFScanEndMsg);
  info->set(kUimMessageStateCloseSavePath, mShowMCloseSaveMsg);
}

void Quirel_UserInterfaceModule::reDrawCropbyAutoCropButton(const fnd::Notification&) {
  Quirel_BaseScanMode* mode = mMode == 0 || mMode == 1 ? singleMode(mMode) : nullptr;
  // The rectangle is in the preview's pixels: the mode's own preview size places it (the model
  // learns that size only when a request is built, and before one it is empty).
  if (mode && mPreviewInfo) mode->setAutoCropRect(mode->getPreviewDataSize(), mPreviewInfo->getAutoCropRect());
}

void Quirel_UserInterfaceModule::setMCPointsByMultiCropButton(const fnd::Notification&) {
  if (mExtendMode) mExtendMode->setMultiCropPoints(mPreviewInfo.get());
}

// A press on either button first enters a number still being typed in the advanced panel.
void Quirel_UserInterfaceModule::preferenceButtonDown(const fnd::Notification& n) {
  if (mMode == 1 && mExtendMode) mExtendMode->ntf_enterTextFByOtherControls(n);
}

void Quirel_UserInterfaceModule::closeMainWindowButtonDown(const fnd::Notification& n) {
  if (mMode == 1 && mExtendMode) mExtendMode->ntf_enterTextFByOtherControls(n);
}

void Quirel_UserInterfaceModule::preferenceButtonAction(const fnd::Notification& n) {
  if (!mStandardMode) return;
  if (mMode == 0) {
    mStandardMode->preferenceDialogOpen(n, false);
  } else if (mMode == 2 && mMultiMode) {
    if (mBeforeMode == 0) mStandardMode->preferenceDialogOpen(n, true);
    mMultiMode->preferenceInfoIsUpdate();
  }
}

void Quirel_UserInterfaceModule::preferenceCalibrationStart(const fnd::Notification& n) {
  if (effectiveSingleMode() == 0 && mStandardMode) mStandardMode->calibrationStart(n);
}

void Quirel_UserInterfaceModule::closeMainWindowButtonAction(const fnd::Notification&) {
  if (Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr) windowShouldClose(*window);
}

void Quirel_UserInterfaceModule::manualCalibrationError(const fnd::Dictionary* info) {
  postInner("ManualCalibrationErrorInnerPost", info);
}

void Quirel_UserInterfaceModule::displayScannerTestStatus(const fnd::Dictionary* info) {
  postInner("DisplayScannerTestStatusInnerPost", info);
}

void Quirel_UserInterfaceModule::endScannerTest(const fnd::Dictionary* info) {
  postInner("EndScannerTestInnerPost", info);
}

void Quirel_UserInterfaceModule::getDSBundleURL(const fnd::Notification& n) {
  // Without a main window the boxes carry the launcher's own badge.
  if (mMode == 3) return;
  if (std::shared_ptr<Quirel_DSBundleStr> carrier = Quirel_DSBundleStr::fromNotification(n))
    carrier->setDSBundleString(mdsBundleURL.value_or(std::string()));
}

void Quirel_UserInterfaceModule::startDisplayPictavoIconOnMessageDialog() {
  mdsBundleURL = mdsBundleLocalized;
  mCenter.removeObserver(identity(), Quirel_DSBundleStr::kPostName);
  mCenter.addObserver(identity(), Quirel_DSBundleStr::kPostName, nullptr,
                      [this](const fnd::Notification& n) { getDSBundleURL(n); });
}

void Quirel_UserInterfaceModule::stopDisplayPictavoIconOnMessageDialog() {
  mCenter.removeObserver(identity(), Quirel_DSBundleStr::kPostName);
  mdsBundleURL.reset();
}

fnd::Array Quirel_UserInterfaceModule::changePlatenThumbnailSize_MCPointArray(const fnd::Array& crops) const {
  const int sizeCode = mPreferenceInfo ? mPreferenceInfo->getPlatenThumbnailSize() : Quirel_ThumbnailCropResize::kSizeNormal;
  return Quirel_ThumbnailCropResize::changePlatenThumbnailSize_MCPointArray(crops, sizeCode);
}

fnd::Array Quirel_UserInterfaceModule::changeFilmThumbnailSize_previewInfo(const Quirel_PreviewInfo& previewInfo,
                                                                         const fnd::Array& crops) const {
  const bool smallWhenUIOff = mPreferenceInfo && mPreferenceInfo->getSmallThumbanilWhenUIOff();
  const int filmSize = mPreferenceInfo ? mPreferenceInfo->getFilmThumbnailSize() : Quirel_ThumbnailCropResize::kSizeNormal;
  const int sizeCode = Quirel_ThumbnailCropResize::filmThumbnailSizeCode(mMode, smallWhenUIOff, filmSize);
  return Quirel_ThumbnailCropResize::changeFilmThumbnailSize_previewInfo(crops, sizeCode, previewInfo.getPreviewWidth(),
                                                                         previewInfo.getPreviewHeight());
}
