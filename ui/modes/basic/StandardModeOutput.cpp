// The basic mode's destination pop-up, output-size pop-up (with its list editor) and
// direction button: each applies its value to the selected frames, or to the template.

#include <algorithm>

#include "ui/controls/CTRLS_ColorPatternButton.h"
#include "ui/controls/CTRLS_DestinationPopup.h"
#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_OutputSizePopup.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_STDCheckBox.h"
#include "ui/controls/CTRLS_STDDirectionButton.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/settings/OutputSizeDialog.h"
#include "ui/windows/MessageFunctions.h"

void Quirel_StandardMode::updateImageSetOfSelectionThumbAware() { updateImageSetOfSelection(); }

void Quirel_StandardMode::refreshAfterSizeChange() {
  setValueOfSelectedCrop(false);
  updatePreviewArea();
  updateMouseCursorRects();
  updateImageSetOfSelectionThumbAware();
}

void Quirel_StandardMode::autoToneRefreshForSize(Quirel_CropInfo& crop) {
  if (mScannerInfo && mScannerInfo->isVer1500Later())
    updateAutoToneByCropViewUpdate(crop, &crop);
  else if (isAlwaysAutoTone(crop.getColorMode()))
    updateCropByResetToneSetting(crop, true);
}

void Quirel_StandardMode::destinationChange(const fnd::Notification*) {
  if (!mDestinationPopup || !mTemplateCrop) return;
  const int d = mDestinationPopup->getRepresentedNumber();
  mDestination = d;
  bool thumbnailSizeChanged = false;
  if (mCropList.empty()) {
    if (mTemplateCrop->getDestination() != d) updateCropByDestination(d, *mTemplateCrop, false);
  } else {
    const bool v1500 = mScannerInfo && mScannerInfo->isVer1500Later();
    const CropList crops = mCropList;
    for (const auto& crop : crops) {
      if (!crop->isSelected() || crop->getDestination() == d) continue;
      const int s = crop->getOutputSize();
      const bool removeView = v1500 ? !(isThumbnailMode() && s == 0) : true;
      updateCropByDestination(d, *crop, removeView);
      updateCropRectFromCrop(*crop, false);
      if (isThumbnailMode() && crop->getOutputSize() != s) thumbnailSizeChanged = true;
    }
  }
  mTemplateCrop->setTempOutputSize(0);
  setValueOfSelectedCrop(false);
  updatePreviewArea();
  updateMouseCursorRects();
  if (thumbnailSizeChanged) updateImageSetSelectByThumbnailPreview(0);
}

bool Quirel_StandardMode::applyOutputSize(int n) {
  bool fits = true;
  if (isThumbnailMode()) {
    for (const auto& crop : mCropList) {
      if (!crop->isSelected()) continue;
      const SSizeDouble visible = crop->getVisiblePreviewSize_Pixel96();
      if (!checkOutputSizeInPreview(n, visible.width, visible.height, crop->getRotation(), crop->getPaperSize()))
        fits = false;
    }
  } else {
    const Quirel_CropInfo& crop = focusOrTemplate();
    const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
    fits = checkOutputSizeInPreview(n, visible.width, visible.height, crop.getRotation(), crop.getPaperSize());
  }
  if (!fits) {
    showModalDialog();
    MES_ShowMessageAndNumberMainThreadMode(1465, 0, 0, 0);
    closeModalDialog();
    setValueOfSelectedCrop(false);
    return false;
  }
  if (mCropList.empty()) {
    if (Quirel_CropInfo* made = createCropWithView(fnd::Rect())) {
      copyCrop(*mTemplateCrop, *made, false);
      made->setSelect(true);
      setFocus(made);
      made->setLineStyle(1);
    }
  }
  const CropList crops = mCropList;
  for (const auto& crop : crops) {
    if (!crop->isSelected()) continue;
    updateCropByOutputSize(n, *crop, true);
    if (n != 0) autoToneRefreshForSize(*crop);
  }
  return true;
}

void Quirel_StandardMode::outputSizeChange(const fnd::Notification*) {
  if (!mOutputSizePopup || !mTemplateCrop) return;
  const int n = mOutputSizePopup->getRepresentedNumber();
  if (mCropList.empty() && n == 0) return;
  if (n == -1) {
    outputSizeDialogOpen();
    return;
  }
  if (!applyOutputSize(n)) return;
  refreshAfterSizeChange();
}

void Quirel_StandardMode::outputSizeDialogOpen() {
  if (!mTemplateCrop) return;
  const std::vector<std::string> names = getDefaultOutputSizeName();
  std::vector<int> used = getUsedOutputSize();
  if (mScannerInfo && mScannerInfo->isVer1300Later()) used.clear();
  auto dialog = std::make_unique<Quirel_OutputSizeDialog>(0, mSettingFilePath.value_or(std::string()), mDestination,
                                                           names, used, getDefaultUserLocaleUnits().unit,
                                                           mScannerInfo.get());
  dialog->createOutputSizeDialog();
  showModalDialog();
  dialog->showOutputSizeDialog();
  closeModalDialog();
  if (!dialog->isOkClose()) {
    setValueOfSelectedCrop(false);
    return;
  }
  createOutputSizeObjects();
  const OutputSizeListChange change =
      applyOutputSizeListChange(mCropList, dialog->getDeleteIndex(), dialog->getUpdateIndex(),
                                [this](int number, Quirel_CropInfo& crop) { updateCropByOutputSize(number, crop, true); });
  const bool affected = change.deleted || change.updated;
  const bool affectedUnselected = change.deletedUnselected || change.updatedUnselected;
  const int chosen = mDestination == -1 ? -1 : dialog->getLastIndex(mDestination);
  if (chosen == -1) {
    if (isThumbnailMode() && affected) {
      if (affectedUnselected)
        updateImageSetAllSelectByThumbnailPreview(0);
      else
        updateImageSetSelectByThumbnailPreview(0);
    }
    if (mPreview) mPreview->updateDisplay();
    setValueOfSelectedCrop(false);
    return;
  }
  if (mOutputSizePopup) mOutputSizePopup->selectAtRepresentedNumber(chosen);
  if (!applyOutputSize(chosen)) return;
  setValueOfSelectedCrop(false);
  updatePreviewArea();
  updateMouseCursorRects();
  if (isThumbnailMode() && affectedUnselected)
    updateImageSetAllSelectByThumbnailPreview(0);
  else
    updateImageSetOfSelectionThumbAware();
}

void Quirel_StandardMode::directionChange(const fnd::Notification*) {
  if (mCropList.empty()) return;
  const CropList crops = mCropList;
  for (auto it = crops.rbegin(); it != crops.rend(); ++it) {
    Quirel_CropInfo& crop = **it;
    if (!crop.isSelected() || crop.getOutputSize() == 0) continue;
    updateCropByDirection(crop);
    autoToneRefreshForSize(crop);
  }
  setValueOfSelectedCrop(false);
  updateImageSetOfSelectionThumbAware();
  updatePreviewArea();
  updateMouseCursorRects();
}

void Quirel_StandardMode::observeSizeAndSourceControls() {
  using Forwarder = void (Quirel_StandardMode::*)(const fnd::Notification&);
  auto on = [this](const void* control, Forwarder forwarder, const char* name) {
    if (control)
      registObserver(control, [this, forwarder](const fnd::Notification& n) { (this->*forwarder)(n); }, name);
  };
  if (mImageSourcePopup)
    on(mImageSourcePopup->getPopupBT(), &Quirel_StandardMode::ntf_imageSourceChange,
       Quirel_CTRLS_ImageSourcePopup::kChangePost);
  if (mDestinationPopup)
    on(mDestinationPopup->getPopupBT(), &Quirel_StandardMode::ntf_destinationChange,
       Quirel_CTRLS_DestinationPopup::kChangePost);
  if (mOutputSizePopup)
    on(mOutputSizePopup->getPopupBT(), &Quirel_StandardMode::ntf_outputSizeChange,
       Quirel_CTRLS_OutputSizePopup::kChangePost);
  if (mDirectionBtn)
    on(mDirectionBtn->getIconBT(), &Quirel_StandardMode::ntf_directionChange,
       Quirel_CTRLS_STDDirectionButton::kChangePost);
  if (mColorPatternBtn)
    on(mColorPatternBtn->getPushBT(), &Quirel_StandardMode::ntf_colorPatternOpen,
       Quirel_CTRLS_ColorPatternButton::kOpenPost);
  const struct {
    Quirel_CTRLS_STDCheckBox* box;
    Forwarder forwarder;
    const char* name;
  } boxes[] = {
      {mRemoveDustCbx.get(), &Quirel_StandardMode::ntf_removeDustCheck, "RemoveDustCheckPost"},
      {mReduceDustFAUCbx.get(), &Quirel_StandardMode::ntf_reduceDustFAUCheck, "ReduceDustFAUCheckPost"},
      {mFadingCorrectCbx.get(), &Quirel_StandardMode::ntf_fadingCorrectCheck, "FadingCorrectCheckPost"},
      {mLightCorrectCbx.get(), &Quirel_StandardMode::ntf_backlightCorrectCheck, "LightCorrectCheckPost"},
      {mBookCorrectCbx.get(), &Quirel_StandardMode::ntf_bookCorrectCheck, "BookCorrectCheckPost"},
      {mAutoDocCorrectCbx.get(), &Quirel_StandardMode::ntf_autoDocumentCorrectCheck, "AutoDocumentCorrectCheckPost"},
      {mAutoPhotoCorrectCbx.get(), &Quirel_StandardMode::ntf_autoPhotoCorrectCheck, "AutoPhotoCorrectCheckPost"},
  };
  for (const auto& row : boxes)
    if (row.box) on(row.box->getCheckBox(), row.forwarder, row.name);
}

void Quirel_StandardMode::ntf_destinationChange(const fnd::Notification& n) { destinationChange(&n); }
void Quirel_StandardMode::ntf_outputSizeChange(const fnd::Notification& n) { outputSizeChange(&n); }
void Quirel_StandardMode::ntf_directionChange(const fnd::Notification& n) { directionChange(&n); }
void Quirel_StandardMode::ntf_removeDustCheck(const fnd::Notification& n) { removeDustCheck(&n); }
void Quirel_StandardMode::ntf_reduceDustFAUCheck(const fnd::Notification& n) { reduceDustFAUCheck(&n); }
void Quirel_StandardMode::ntf_fadingCorrectCheck(const fnd::Notification& n) { fadingCorrectCheck(&n); }
void Quirel_StandardMode::ntf_backlightCorrectCheck(const fnd::Notification& n) { backlightCorrectCheck(&n); }
void Quirel_StandardMode::ntf_bookCorrectCheck(const fnd::Notification& n) { bookCorrectCheck(&n); }
void Quirel_StandardMode::ntf_autoDocumentCorrectCheck(const fnd::Notification& n) { autoDocumentCorrectCheck(&n); }
void Quirel_StandardMode::ntf_autoPhotoCorrectCheck(const fnd::Notification& n) { autoPhotoCorrectCheck(&n); }
void Quirel_StandardMode::ntf_colorPatternOpen(const fnd::Notification& n) { colorPatternOpen(&n); }
