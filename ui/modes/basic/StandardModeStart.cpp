// The basic mode's road to a request: the preview start (frames settled, canvas cleared,
// controls off, request sent) and the scan start (limits checked in order, the large-image
// question, controls off, request sent), and the scan retry from the scan module's thread.

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_STDPreviewButton.h"
#include "ui/controls/CTRLS_STDScanButton.h"
#include "ui/controls/ColorButton.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/windows/BookCorrectDialog.h"
#include "ui/windows/CheckBoxDialog.h"
#include "ui/windows/MessageFunctions.h"
#include "ui/windows/MessageThreadHop.h"
#include "foundation/Thread.h"

namespace {

// A limit's text, at most 15 characters.
std::string stdLimitText(const char* format, double value, bool integer) {
  char buffer[64];
  if (integer)
    std::snprintf(buffer, sizeof buffer, format, static_cast<int>(value));
  else
    std::snprintf(buffer, sizeof buffer, format, value);
  std::string text(buffer);
  if (text.size() > 15) text.resize(15);
  return text;
}

// A number as a plain text ("200", "12.5"), at most 15 characters.
std::string stdNumberText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string text(buffer);
  if (text.size() > 15) text.resize(15);
  return text;
}

}  // namespace

void Quirel_StandardMode::ntf_previewStart(const fnd::Notification& n) { previewStart(&n); }
void Quirel_StandardMode::ntf_scanStart(const fnd::Notification& n) { scanStart(&n); }

void Quirel_StandardMode::observeStandardItem() {
  if (mPreviewBtn)
    registObserver(mPreviewBtn->getColorPushBT(), [this](const fnd::Notification& n) { ntf_previewStart(n); },
                   Quirel_CTRLS_STDPreviewButton::kStartPost);
  if (mScanBtn)
    registObserver(mScanBtn->getColorPushBT(), [this](const fnd::Notification& n) { ntf_scanStart(n); },
                   Quirel_CTRLS_STDScanButton::kStartPost);
  observeSizeAndSourceControls();
}

// ---- Preview --------------------------------------------------------------------------------

void Quirel_StandardMode::previewStart(const fnd::Notification*) {
  if (isFilmMode())
    filmPreviewStart();
  else
    platenPreviewStart();
}

void Quirel_StandardMode::platenPreviewStart() {
  if (!mTemplateCrop) return;
  Quirel_CropInfo* focus = getFocusCrop();
  int book = (focus ? focus : mTemplateCrop.get())->getBookCorrect();
  if (panelVer(1700) && mImageSource == 0) book = 0;
  if (book != 0 && mBookCorrectMsg) {
    std::unique_ptr<Quirel_BookCorrectDialog> notice = Quirel_BookCorrectDialog::initWithSetting(mScannerInfo.get());
    showModalDialog();
    notice->runModal();
    closeModalDialog();
    if (notice->isChecked()) mBookCorrectMsg = false;
  }
  mTemplateCrop->setTempOutputSize(0);

  if (isThumbnailMode()) {
    copyCropFromFocusToTemplate();
    updateCropByMagnification(*mTemplateCrop);
    if (mHasPreview && (focus = getFocusCrop())) mTemplateCrop->setTempOutputSize(focus->getOutputSize());
    if (mHasPreview) removeThumbnails();
    mClickCrop = nullptr;
    resetPreview(getPaperSizeWH_Pixel96(0), true, true);
  } else {
    resetPreview(getPaperSizeWH_Pixel96(0), true, true);
    const int cropAfterPreview = mPreferenceInfo ? mPreferenceInfo->getCropAfterPrev() : 0;
    if (cropAfterPreview == 1) {
      for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it)
        if (CropFrameViewLink* view = (*it)->getCropView()) view->setHidden(true);
    } else if (cropAfterPreview == 0) {
      keepOnlyFocusedCrop();
    } else {
      copyCropFromFocusToTemplate();
      updateCropByMagnification(*mTemplateCrop);
      mTemplateCrop->setUnit(mTemplateCrop->getDestination() == 1 ? 2 : mUserLocaleUnits.unit);
      mClickCrop = nullptr;
      mCropList.clear();
    }
  }
  updateAutoToneByPreviewUpdate(*mTemplateCrop);
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) updateAutoToneByPreviewUpdate(**it);
  sendPreviewRequest();
}

void Quirel_StandardMode::keepOnlyFocusedCrop() {
  if (mCropList.empty() && !makeFocusCropFromTemplate()) return;
  const std::shared_ptr<Quirel_CropInfo> kept = removeAllButFocusCrop();
  if (!kept) return;
  if (kept->getOutputSize() == 0) {
    const SRectDouble input = mTemplateCrop->getInputRect_Pixel96();
    kept->setInputRect_Pixel96(input);
    kept->setOutputWidth_Pixel96(maltipleUnit(kept->getMagnification(), input.size.width));
    kept->setOutputHeight_Pixel96(maltipleUnit(kept->getMagnification(), input.size.height));
  }
}

void Quirel_StandardMode::filmPreviewStart() {
  if (!mTemplateCrop) return;
  if (isThumbnailMode() && mHasPreview && mClearThumbnailMsg) {
    std::unique_ptr<Quirel_CheckBoxDialog> question =
        Quirel_CheckBoxDialog::initWithLStringKey("IDS_ASK_DELETE_THUMBNAIL", 0, Quirel_CheckBoxDialog::kFocusCancel);
    showModalDialog();
    const int answer = question->runModal();
    closeModalDialog();
    if (answer == 0) return;
    if (question->isChecked()) mClearThumbnailMsg = false;
  }
  copyCropFromFocusToTemplate();
  if (mHasPreview)
    if (Quirel_CropInfo* focus = getFocusCrop()) mTemplateCrop->setTempOutputSize(focus->getOutputSize());
  updateAutoToneByPreviewUpdate(*mTemplateCrop);
  if (!isThumbnailMode()) {
    mClickCrop = nullptr;
    mCropList.clear();
  } else if (mHasPreview) {
    mClickCrop = nullptr;
    removeThumbnails();
  }
  resetPreview(getPaperSizeWH_Pixel96(mTemplateCrop->getPaperSize()), true, true);
  sendPreviewRequest();
}

void Quirel_StandardMode::sendPreviewRequest() {
  setValueOfSelectedCrop(false);
  if (mPreview) mPreview->setHiddenTitle(mHasPreview);
  updatePreviewArea();
  setEnabledAllControl(false);
  const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
  // A request that did not go out leaves nothing to wait for: the controls come back.
  if (!postPreviewWithScan(true, false, false, true, false, false, true, false, 0, threshold))
    setEnabledAllControl(true);
}

// ---- Scan -----------------------------------------------------------------------------------

void Quirel_StandardMode::showScanMessage(int number, const char* argTypes, const fnd::Array& args) {
  showModalDialog();
  if (argTypes)
    MES_ShowMessageAndNumberMainThreadMode(number, 0, 0, 0, std::string(argTypes), args);
  else
    MES_ShowMessageAndNumberMainThreadMode(number, 0, 0, 0);
  closeModalDialog();
}

void Quirel_StandardMode::scanStart(const fnd::Notification*) {
  if (!mTemplateCrop) return;
  if (mHasPreview && !checkScanCount()) {
    showScanMessage(1311, nullptr, {});
    return;
  }
  if (mScanMode == 1 && !mThumbnailList.empty() && mScannerInfo) {
    const double limit = mScannerInfo->maxThumbnailDataSizeAtColorMode(mTemplateCrop->getColorMode());
    if (!checkScanDataSize(limit, Quirel_DataSizeUnit::MiB, false)) {
      showScanMessage(1291, "%s", fnd::Array{stdNumberText(limit)});
      return;
    }
  }
  const bool large = isEnableLargeScan();
  const double dataLimit = mScannerInfo ? (large ? mScannerInfo->maxScanDataSize_L() : mScannerInfo->maxScanDataSize_24()) : 0;
  const int widthLimit = mScannerInfo ? (large ? mScannerInfo->maxScanWidth_L() : mScannerInfo->maxScanWidth_24()) : 0;
  const int heightLimit = mScannerInfo ? (large ? mScannerInfo->maxScanHeight_L() : mScannerInfo->maxScanHeight_24()) : 0;
  const std::string d = stdLimitText("%.1f", dataLimit, false);
  const std::string w = stdLimitText("%d", widthLimit, true);
  const std::string h = stdLimitText("%d", heightLimit, true);
  const bool sizeOK = checkScanSize(mTemplateCrop->getColorMode());
  if (dataLimit > 0) {
    if (!(sizeOK && checkScanDataSize(dataLimit, Quirel_DataSizeUnit::GiB, false))) {
      showScanMessage(1290, "%s%s%s", fnd::Array{w, h, d});
      return;
    }
  } else if (!sizeOK) {
    showScanMessage(mScannerInfo && mScannerInfo->isVer1300Later() ? 1117 : 1113, "%s%s", fnd::Array{w, h});
    return;
  }
  if (mLargePicMsg && !checkScanDataSize(100.0, Quirel_DataSizeUnit::MiB, true)) {
    std::unique_ptr<Quirel_CheckBoxDialog> question =
        Quirel_CheckBoxDialog::initWithLStringKey("IDS_ASK_LARGE_PICTURE", 0, Quirel_CheckBoxDialog::kFocusCancel);
    showModalDialog();
    const int answer = question->runModal();
    closeModalDialog();
    const bool ticked = question->isChecked();
    question.reset();
    if (answer == 0) return;
    if (ticked) mLargePicMsg = false;
  }
  setEnabledAllControl(false);
  // A request that did not go out leaves nothing to wait for: the controls come back.
  if (!postScan()) setEnabledAllControl(true);
}

void Quirel_StandardMode::scanStartRerty() {
  mRetryGate.detach([this] { scanStartRertyThread(); }, "scan retry");
}

void Quirel_StandardMode::scanStartRertyThread() {
  // The retries stay apart under the retry lock, but the checks, their messages and the request
  // touch windows: they run on the main thread, and this thread waits for them to end (or for
  // the program to quit).
  std::lock_guard<fnd::Lock> hold(mRetryLock);
  Quirel_MessageThreadHop::run([this] {
    if (mRetryGate.isOpen()) scanStart(nullptr);
    return 0;
  });
}
