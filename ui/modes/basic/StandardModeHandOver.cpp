// The basic mode leaving for the advanced or multi-scan tab, and coming back from the advanced
// mode: it starts from its defaults, takes the other mode's source and preview state through the
// scan-mode base's getters only, and asks for a new preview from which its frames are made again.

#include "ui/controls/CTRLS_ImageSourcePopup.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/basic/StandardMode.h"
#include "ui/settings/InfoDialog.h"

namespace {

// The other mode's focus frame, else its template (null when it has neither).
Quirel_CropInfo* handOverSourceCrop(Quirel_BaseScanMode& other) {
  Quirel_CropInfo* focus = other.getFocusCrop();
  return focus ? focus : other.getTemplateCrop();
}

// Film frames come back as the reflective-film source for the negative and positive numbers.
int handOverFilmSource(int sourceNumber) { return sourceNumber == 1 || sourceNumber == 3 ? 4 : 5; }

}  // namespace

bool Quirel_StandardMode::willChangeToExtendMode() {
  mClickCrop = nullptr;
  if (isThumbnailMode()) {
    removeThumbnails();
    if (mPreview) mPreview->removeImage();
  } else {
    mCropList.clear();
    if (mPreview) {
      mPreview->setHidden(true);
      mPreview->removeImage();
    }
  }
  setDefaultSetting(nullptr);
  if (panelVer(1700) && mInfoDialog && mInfoDialog->isVisible()) mInfoDialog->closeScanInfoDialog();
  return true;
}

bool Quirel_StandardMode::willChangeToMultiScanMode() {
  if (panelVer(1500)) {
    clearPreviewWithMessageID(-1, true);
    if (isFilmMode())
      setDefaultSettingAtFilm();
    else if (isADFMode())
      setDefaultSettingAtADF();
    else
      setDefaultSettingAtPlaten();
  }
  if (mPreview) mPreview->setHidden(true);
  if (mPreviewFrame) mPreviewFrame->setHidden(true);
  if (mInfoDialog && mInfoDialog->isVisible()) mInfoDialog->closeScanInfoDialog();
  return true;
}

void Quirel_StandardMode::setExtendModeData(Quirel_BaseScanMode* extendMode) {
  if (!extendMode) return;
  Quirel_BaseScanMode& e = *extendMode;
  setDefaultSetting(nullptr);
  if (e.isThumbnailMode())
    setExtendModeThumbnailData(extendMode);
  else
    setExtendModePlatenData(extendMode);
  mBookCorrectMsg = e.showBookCorrectMsg();
  mClearThumbnailMsg = e.showClearThumbnailMsg();
  mLargePicMsg = e.showLargePixelMsg();
  mColorBitMsg = e.showBitEnableMsg();
  mFavoriteMsg = e.showFavoriteDlgMsg();
  mToneSettingMsg = e.showToneSettingDlgMsg();
  mColorModeAndDataFormatMsg = e.showColorModeAndDataFormatMsg();
  mPreviewDataSize = e.getPreviewDataSize();
}

void Quirel_StandardMode::setExtendModeThumbnailData(Quirel_BaseScanMode* extendMode) {
  if (!extendMode || !mTemplateCrop) return;
  Quirel_BaseScanMode& e = *extendMode;
  const int m = e.getScanMode();
  const bool p = e.getHasPreview();
  const bool q = e.getHasNonThumPreview();
  const int k = static_cast<int>(e.getThumbnailList().size());
  const Quirel_CropInfo* source = handOverSourceCrop(e);
  const int c = source ? source->getImageSource() : 0;
  mPlatenThumbnail = e.getPlatenThumbnail();
  mFilmThumbnail = e.getFilmThumbnail();
  if (m == 3) {
    if (mImageSourcePopup) mImageSourcePopup->selectAtRepresentedNumber(handOverFilmSource(c));
    imageSourceChange(nullptr);
    mScanMode = 3;
  } else if (m == 1) {
    mScanMode = 1;
  }
  mTemplateCrop->setAutoTone(isAlwaysAutoTone(mTemplateCrop->getColorMode()) ? 1 : 0);
  mClickCrop = nullptr;
  removeThumbnails();
  mThumbnailCount = k;
  if (!p && !q) {
    mTabChanging = false;
    mHasPreview = false;
    mHasNonThumPreview = false;
    return;
  }
  // Cleared again when the requested preview ends.
  mTabChanging = true;
  Quirel_BaseScanMode::setEnabledMainWindow(false);
  const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
  if (!postPreviewWithScan(false, false, false, false, false, false, true, false, 0, threshold)) {
    // No preview will end: the tab must not stay marked as changing.
    mTabChanging = false;
    Quirel_BaseScanMode::setEnabledMainWindow(true);
  }
}

void Quirel_StandardMode::setExtendModePlatenData(Quirel_BaseScanMode* extendMode) {
  if (!extendMode || !mTemplateCrop) return;
  Quirel_BaseScanMode& e = *extendMode;
  const int m = e.getScanMode();
  bool p = e.getHasPreview();
  const bool q = e.getHasNonThumPreview();
  const bool b = e.getEnableThumbnailBtn();
  const Quirel_CropInfo* source = handOverSourceCrop(e);
  const int z = source ? source->getPaperSize() : 0;
  const int c = source ? source->getImageSource() : 0;
  mPlatenThumbnail = e.getPlatenThumbnail();
  mFilmThumbnail = e.getFilmThumbnail();
  auto offers = [this](int number) { return mImageSourcePopup && mImageSourcePopup->isExistAtRepresentedNumber(number); };
  switch (m) {
    case 4:
      mScanMode = 4;
      if (c != 5 && offers(10))
        mImageSource = 10;
      else
        mImageSource = offers(8) ? 8 : 6;
      updateCropByImageSource(mImageSource, *mTemplateCrop, true, true);
      resetPreview(getPaperSizeWH_Pixel96(mTemplateCrop->getPaperSize()), true, false);
      if (mPreview) mPreview->changeTitle(isADFMode(), isFilmMode());
      mRedraw = false;
      break;
    case 2:
      if (mImageSourcePopup) mImageSourcePopup->selectAtRepresentedNumber(handOverFilmSource(c));
      imageSourceChange(nullptr);
      mScanMode = 2;
      mRedraw = true;
      break;
    case 0:
      mScanMode = 0;
      mRedraw = false;
      // A named paper size has no platen preview to come back to.
      if (z != 0) p = false;
      break;
    default:
      break;
  }
  mTemplateCrop->setAutoTone(isAlwaysAutoTone(mTemplateCrop->getColorMode()) ? 1 : 0);
  mEnableThumbnailBtn = b;
  mProgressStatus = b ? 0 : -1;
  mHasPreview = p;
  mHasNonThumPreview = q;
  if (!p) return;
  if (mImageSourcePopup) mImageSourcePopup->selectAtRepresentedNumber(mImageSource);
  Quirel_BaseScanMode::setEnabledMainWindow(false);
  const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
  if (!postPreviewWithScan(false, false, false, mRedraw, false, false, mScanMode != 0, false, mProgressStatus,
                           threshold))
    Quirel_BaseScanMode::setEnabledMainWindow(true);
}
