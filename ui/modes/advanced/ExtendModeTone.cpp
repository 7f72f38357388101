// The advanced mode's two modal dialogs: the named tone settings of the image-settings panel
// (applied from the pop-up, edited in their editor, reset by the tone reset button) and the
// preferences opened from the window controller's button.

#include "kit/Application.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/adjust/ToneCurveDialog.h"
#include "ui/adjust/ToneSettingDialog.h"
#include "ui/adjust/ToneSettingDlgWindow.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ProfileCMList.h"
#include "ui/model/ToneSetting.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/settings/PrefsDialog.h"

namespace {

// The selected frames from the last to the first, or the template crop without frames.
template <typename Apply>
void toneForSelectedCrops(CropList& crops, Quirel_CropInfo* templateCrop, Apply apply) {
  if (crops.empty()) {
    if (templateCrop) apply(*templateCrop);
    return;
  }
  for (auto it = crops.rbegin(); it != crops.rend(); ++it)
    if (*it && (*it)->isSelected()) apply(**it);
}

}  // namespace

void Quirel_ExtendMode::refreshAfterToneChange() {
  setValueOfSelectedCrop(false);
  if (isThumbnailMode())
    updateImageSetSelectByThumbnailPreview(1);
  else
    updateImageSetSelectByPreview(1);
  setValueOfSelectedCrop(false);
  updatePreviewArea();
}

void Quirel_ExtendMode::toneSettingChange(const fnd::Notification&) {
  const int n = mToneCurvePopup ? mToneCurvePopup->getRepresentedNumber() : 0;
  if (n == -1) {
    toneSettingChangeToDialog();
    return;
  }
  if (n == 0) {
    mFavorite = 0;
    mToneCurve = 0;
    setValueOfSelectedCrop(false);
    return;
  }
  std::optional<Quirel_ToneSetting> setting;
  if (mSettingFilePath)
    for (Quirel_ToneSetting& entry : Quirel_ToneSetting::readAll(*mSettingFilePath))
      if (entry.getIndex() == n) {
        setting = std::move(entry);
        break;
      }
  if (!setting) {
    // A missing or unreadable file, or one without the entry: nothing was applied, so the
    // choices in force stay as they are and the pop-up shows them again.
    if (mToneCurvePopup) mToneCurvePopup->selectAtRepresentedNumber(mToneCurve);
    setValueOfSelectedCrop(false);
    return;
  }
  toneForSelectedCrops(mCropList, mTemplateCrop.get(),
                       [this, &setting](Quirel_CropInfo& crop) { updateCropByToneSetting(&*setting, crop); });
  if (n != mToneCurve) {
    mFavorite = 0;
    mToneCurve = n;
  }
  refreshAfterToneChange();
}

void Quirel_ExtendMode::toneSettingChangeToDialog() {
  mToneSettingDialog = std::make_unique<Quirel_ToneSettingDialog>(
      &mCropList, mTemplateCrop.get(), mSettingFilePath.value_or(std::string()), getDefaultToneCurveName(),
      mScannerInfo.get());
  Quirel_ToneSettingDialog* editor = mToneSettingDialog.get();
  editor->setShowSaveMsg(mToneSettingMsg, isThumbnailMode());
  editor->setColorMode(getCurrentColorMode());
  editor->createToneSetDialog();
  editor->setInitSetting();
  registObserver(editor, [this](const fnd::Notification& n) { toneSettingDialogClose(n); },
                 Quirel_ToneSettingDialog::kSavePost);
  registObserver(editor, [this](const fnd::Notification& n) { toneSettingDialogClose(n); },
                 Quirel_ToneSettingDialog::kCancelPost);
  showModalDialog();
  editor->showToneSetDialog();
  if (kit::Window* w = editor->getWindow()) kit::Application::shared().runModalForWindow(*w);
  removeObserver(editor, Quirel_ToneSettingDialog::kSavePost);
  removeObserver(editor, Quirel_ToneSettingDialog::kCancelPost);
  // A run ended by closing the window never reached the close handler.
  if (mModal) closeModalDialog();
  mToneSettingMsg = editor->getShowSaveMsg();
  mToneSettingDialog.reset();
  setMenuItem_ToneCurvePopupBT(getCurrentColorMode());
  if (mToneCurvePopup) mToneCurvePopup->selectAtRepresentedNumber(mToneCurve);
  setValueOfSelectedCrop(false);
}

void Quirel_ExtendMode::toneSettingDialogClose(const fnd::Notification& n) {
  if (!mToneSettingDialog) return;
  mToneSettingDialog->closeToneSetDialog();
  closeModalDialog();
  if (mMainWindow && mMainWindow->getWindow()) mMainWindow->getWindow()->makeKeyAndOrderFront();
  int k = 0;
  if (n.name == Quirel_ToneSettingDialog::kSavePost) k = std::max(0, mToneSettingDialog->getLastAddIndex());
  if (k != mToneCurve) {
    mFavorite = 0;
    mToneCurve = k;
  }
  kit::Application::shared().stopModalWithCode(0);
}

void Quirel_ExtendMode::toneSettingReset(const fnd::Notification&) {
  if (mToolMode == 3 && histIsVisible()) {
    mHistogramDialog->spoitToolStop();
    mToolMode = 0;
  }
  toneForSelectedCrops(mCropList, mTemplateCrop.get(),
                       [this](Quirel_CropInfo& crop) { updateCropByResetToneSetting(crop, true); });
  if (mToneCurvePopup) mToneCurvePopup->selectAtRepresentedNumber(0);
  mFavorite = 0;
  mToneCurve = 0;
  refreshAfterToneChange();
}

void Quirel_ExtendMode::preferenceDialogOpen(const void*, bool isAutoScanMode) {
  const bool film = mScanMode == 2 || mScanMode == 3;
  const bool autoFlag = ver(&Quirel_UIScannerInfo::isVer1600Later) && isAutoScanMode && film;
  int profileSource = 0;
  if (!autoFlag) profileSource = (mImageSource == 1 || mImageSource == 3) ? 1 : (mImageSource == 2 || mImageSource == 4) ? 2 : 0;

  Quirel_PrefsDialog& dialog = preparePrefsDialog(autoFlag ? false : film, getCurrentColorMode(), profileSource);
  showModalDialog();
  dialog.showPreferenceDialog();
  closeModalDialog();

  if (dialog.isOkClose() && dialog.getData() && mPreferenceInfo) {
    const Quirel_PreferenceInfo& next = *dialog.getData();
    const Quirel_PreferenceInfo& now = *mPreferenceInfo;
    if (!now.compareForToneSetting(next)) mToneCurve = 0;
    if (!now.compare(next)) mFavorite = 0;
    if (now.getBitEnabled() && !next.getBitEnabled())
      for (ImgSrcSetting& r : mImgSrcSetting)
        for (std::int32_t& mode : r.colorMode) mode = mode == 4 ? 3 : mode == 2 ? 1 : mode;
    if (mScannerInfo && mScannerInfo->enableLargeScan() && !now.getEnableLargeScan() && next.getEnableLargeScan())
      for (ImgSrcSetting& r : mImgSrcSetting) r.backlight = 0;
    if (next.getColorSetting(getCurrentColorMode()) == 1) {
      for (Quirel_FloatingDialog* d : {static_cast<Quirel_FloatingDialog*>(mToneBCDialog.get()),
                                       static_cast<Quirel_FloatingDialog*>(mHistogramDialog.get()),
                                       static_cast<Quirel_FloatingDialog*>(mToneCurveDialog.get()),
                                       static_cast<Quirel_FloatingDialog*>(mFinalReviewDialog.get())})
        if (d && d->isVisible()) d->close();
      if (mColorBalanceDialog && mColorBalanceDialog->isVisible()) mColorBalanceDialog->closeColorBalanceDialog();
    }
  }
  // The base takes the preferences over and applies them to the crops and the preview.
  preferenceDialogClose(1, mImageSource, autoFlag);

  mPrefsDialog.reset();
  setValueOfSelectedCrop(false);
  if (mMainWindow && mMainWindow->getWindow()) mMainWindow->getWindow()->makeKeyAndOrderFront();
}
