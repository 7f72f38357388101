// The basic mode's image-correction group: seven check boxes that write into the selected
// frames (or the template without frames) and the colour-pattern button.

#include "kit/Window.h"
#include "ui/adjust/ColorPatternDialog.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_STDCheckBox.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/windows/BookCorrectDialog.h"

namespace {

int corrCheckValue(const Quirel_CTRLS_STDCheckBox* box, int ticked) {
  return box && box->isChecked() ? ticked : 0;
}

}  // namespace

void Quirel_StandardMode::forTargetCrops(bool lastToFirst, const std::function<void(Quirel_CropInfo&)>& write) {
  if (!mTemplateCrop) return;
  if (mCropList.empty()) {
    write(*mTemplateCrop);
    return;
  }
  // Held: a write may change the list's frames while it runs.
  const CropList crops = mCropList;
  if (lastToFirst) {
    for (auto it = crops.rbegin(); it != crops.rend(); ++it)
      if ((*it)->isSelected()) write(**it);
  } else {
    for (const auto& crop : crops)
      if (crop->isSelected()) write(*crop);
  }
}

void Quirel_StandardMode::updateImageSetOfSelection() {
  if (isThumbnailMode())
    updateImageSetSelectByThumbnailPreview(0);
  else
    updateImageSetSelectByPreview(0);
}

void Quirel_StandardMode::removeDustCheck(const fnd::Notification*) {
  const int v = corrCheckValue(mRemoveDustCbx.get(), 3);
  forTargetCrops(true, [&](Quirel_CropInfo& c) { updateCropByRemoveDust(v, c); });
  setValueOfSelectedCrop(false);
  updatePreviewArea();
}

void Quirel_StandardMode::reduceDustFAUCheck(const fnd::Notification*) {
  const int v = corrCheckValue(mReduceDustFAUCbx.get(), 3);
  forTargetCrops(true, [&](Quirel_CropInfo& c) { updateCropByReduceDustFAU(v, c); });
  setValueOfSelectedCrop(false);
  updatePreviewArea();
}

void Quirel_StandardMode::fadingCorrectCheck(const fnd::Notification*) {
  const int v = corrCheckValue(mFadingCorrectCbx.get(), 3);
  forTargetCrops(true, [&](Quirel_CropInfo& c) { updateCropByFadingCorrect(v, c); });
  setValueOfSelectedCrop(false);
  updateImageSetOfSelection();
  updatePreviewArea();
}

void Quirel_StandardMode::backlightCorrectCheck(const fnd::Notification*) {
  const int v = corrCheckValue(mLightCorrectCbx.get(), 3);
  forTargetCrops(true, [&](Quirel_CropInfo& c) { updateCropByBackLightCorrect(v, c); });
  setValueOfSelectedCrop(false);
  updateImageSetOfSelection();
  updatePreviewArea();
}

void Quirel_StandardMode::bookCorrectCheck(const fnd::Notification*) {
  const int v = corrCheckValue(mBookCorrectCbx.get(), 3);
  if (v != 0 && mBookCorrectMsg) {
    std::unique_ptr<Quirel_BookCorrectDialog> notice = Quirel_BookCorrectDialog::initWithSetting(mScannerInfo.get());
    showModalDialog();
    notice->runModal();
    closeModalDialog();
    if (notice->isChecked()) mBookCorrectMsg = false;
  }
  forTargetCrops(true, [&](Quirel_CropInfo& c) { updateCropByBookCorrect(v, c); });
  setValueOfSelectedCrop(false);
  updateImageSetOfSelection();
  updatePreviewArea();
}

void Quirel_StandardMode::autoDocumentCorrectCheck(const fnd::Notification*) {
  const int v = corrCheckValue(mAutoDocCorrectCbx.get(), 1);
  forTargetCrops(false, [&](Quirel_CropInfo& c) { c.setAutoDocCorrect(v); });
  setValueOfSelectedCrop(false);
  if (mHasPreview) updateImageSetOfSelection();
  updatePreviewArea();
}

void Quirel_StandardMode::autoPhotoCorrectCheck(const fnd::Notification*) {
  const int v = corrCheckValue(mAutoPhotoCorrectCbx.get(), 3);
  forTargetCrops(false, [&](Quirel_CropInfo& c) { c.setAutoPhotoCorrect(v); });
  setValueOfSelectedCrop(false);
  updatePreviewArea();
}

void Quirel_StandardMode::colorPatternOpen(const fnd::Notification*) {
  if (!mScannerInfo || !mScannerInfo->colorPattern() || !mTemplateCrop) return;
  const fnd::Dictionary* plugins = nullptr;
  if (mUimParameterDic && mUimParameterDic->get("PluginInfo").isDictionary())
    plugins = &mUimParameterDic->dictionary("PluginInfo");
  Quirel_CropInfo* focus = getFocusCrop();
  std::shared_ptr<Quirel_CropInfo> crop = mTemplateCrop;
  for (const auto& c : mCropList)
    if (c.get() == focus) crop = c;
  std::unique_ptr<Quirel_ColorPatternDialog> dialog;
  if (isThumbnailMode()) {
    std::shared_ptr<Quirel_ThumbnailInfo> thumbnail;
    const Quirel_ThumbnailInfo* at = getThumbnailAtCrop(crop.get());
    for (const auto& t : mThumbnailList)
      if (t.get() == at) thumbnail = t;
    if (thumbnail)
      dialog = std::make_unique<Quirel_ColorPatternDialog>(thumbnail, mScannerInfo.get(), mScanMode);
  }
  if (!dialog) dialog = std::make_unique<Quirel_ColorPatternDialog>(crop, mScannerInfo.get(), mScanMode);
  dialog->setTWAINObject(mTwObject, mUIMObject);
  dialog->createDialog(plugins);
  showModalDialog();
  const int answer = dialog->showDialog(mMainWindow ? mMainWindow->getWindow() : nullptr);
  closeModalDialog();
  if (answer != 1) return;
  const ColorBalanceValues balance = dialog->getColorBalance();
  forTargetCrops(false, [&](Quirel_CropInfo& c) { updateCropByColorPattern(balance, c); });
  updateImageSetOfSelection();
}
