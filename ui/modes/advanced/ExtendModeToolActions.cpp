// The advanced mode's larger toolbar actions: the scan-information panel, the platen and film
// thumbnail modes, help, automatic cropping, the multi-crop mode and one crop per film frame.

#include <cmath>

#include "ui/adjust/HistogramDialog.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/InfoDlgPanel.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/settings/InfoDialog.h"
#include "ui/windows/MessageFunctions.h"

// ---- scan information -------------------------------------------------------------------------

void Quirel_ExtendMode::toolScanInfoButtonClick(const fnd::Notification&) {
  if (mInfoDialog && mInfoDialog->isVisible()) {
    mInfoDialog->closeScanInfoDialog();
  } else if (mInfoDialog) {
    const Quirel_CropInfo* shown = getFocusCrop() ? getFocusCrop() : mTemplateCrop.get();
    if (shown) setValueInfoDialog(*shown, false, true);
    if (!mInfoDialog->hasOpened() && mInfoDialog->getWindow()) {
      kit::Window* w = mInfoDialog->getWindow();
      const fnd::Rect v = mDisplays.getVisibleDisplayFrame();
      const fnd::Size size = w->frame().size;
      // Centred on the visible frame wherever it starts (side panels, a second screen).
      w->setFrame(fnd::Rect(v.origin.x + std::floor((v.size.width - size.width) / 2),
                            v.origin.y + std::floor((v.size.height - size.height) / 2), size.width, size.height),
                  false);
    }
    mInfoDialog->setInterfaceStr(mInterfaceStr ? mInterfaceStr->c_str() : "");
    mInfoDialog->showScanInfoDialog();
    mInfoDialog->setHidden(false);
    mInfoDialog->setHasOpened(true);
  }
  setValueOfSelectedCrop(false);
}

// ---- thumbnail modes ----------------------------------------------------------------------------

void Quirel_ExtendMode::thumbnailModeSwitch(bool film) {
  ImgSrcSetting* r = getImgSrcSettingAtIndex(mImageSource);
  Quirel_CropInfo* t = mTemplateCrop.get();
  if (!r || !t) return;
  if (!film && r->paperSize != 0 && mHasPreview) {
    const std::int32_t answer = showMessage(1003);
    if (answer == 0) {
      setValueOfSelectedCrop(false);
      return;
    }
  }
  mChangeThumbnailMode = true;
  stopSpoitTool();
  clearChoices();
  copyCropFromFocusToTemplate();
  t->setTempOutputSize(0);
  Quirel_CropInfo* focus = getFocusCrop();
  if (film) {
    if (mHasPreview && focus) t->setTempOutputSize(focus->getOutputSize());
    if (t->isApplyToneValueToAll()) {
      t->setExposure(false);
      t->setExposureValue(100);
    }
  } else {
    if (mHasPreview) {
      if (ver(&Quirel_UIScannerInfo::isVer1700Later) && focus) {
        if (focus->getOutputSize() != 0) updateCropByMagnification(100, *t);
        t->setTempOutputSize(focus->getOutputSize());
      } else if (!ver(&Quirel_UIScannerInfo::isVer1700Later) && mPreferenceInfo &&
                 mPreferenceInfo->getCropAfterPrev() == 0 && focus) {
        t->setTempOutputSize(focus->getOutputSize());
      }
    } else {
      updateCropByMagnification(100, *t);
    }
    if (t->getTempOutputSize() == 0) t->setFixesRatio(false);
  }
  updateAutoToneByPreviewUpdate(*t);

  const int plain = film ? 2 : 0;
  if (mScanMode == plain + 1) {
    mScanMode = plain;
    (film ? mFilmThumbnail : mPlatenThumbnail) = false;
    if (mHasPreview) removeThumbnails();
    if (mPreview) mPreview->setHidden(false);
    if (film && ver(&Quirel_UIScannerInfo::isVer1600Later) && !mUseCapsFilmSize) {
      r->paperSize = mFilmSizeWithoutCaps;
      t->setPaperSize(mFilmSizeWithoutCaps);
    }
  } else {
    mScanMode = plain + 1;
    (film ? mFilmThumbnail : mPlatenThumbnail) = true;
    if (!film) {
      if (t->getPaperSize() != 0) {
        resetPreview(getPaperSizeWH_Pixel96(t->getPaperSize()), true, false);
        r->paperSize = 0;
        updateCropByPaperSize(0, *t);
      }
      if (mHasPreview) {
        const int enabled = convEnableResolution(t->getResolution());
        if (enabled != t->getResolution()) updateCropByResolusion(enabled, *t);
      }
    } else if (!mHasPreview) {
      r->paperSize = 21;
      t->setPaperSize(21);
    }
    mClickCrop = nullptr;
    mCropList.clear();
    // Only the picture goes: the scanner keeps the preview, from which the thumbnails are made
    // below, and leaving the thumbnails shows it again (mHasNonThumPreview).
    if (mHasPreview && mPreview) mPreview->removeImage();
    if (mPreview) mPreview->setHidden(true);
  }
  resetPreview(getPaperSizeWH_Pixel96(r->paperSize), false, false);
  setHiddenToolbar(mScanMode, 0);
  setEnabledToolbar();
  setValueOfSelectedCrop(false);
  if (!isThumbnailMode() && mHasNonThumPreview) mHasPreview = true;
  if (mHasPreview) {
    setEnabledMainWindow(false);
    if (!postPreviewWithScan(false, false, false, true, true, false, true, false, 0, t->getThreshold())) {
      // No preview will come to end the switch.
      mChangeThumbnailMode = false;
      setEnabledMainWindow(true);
    }
  } else {
    mChangeThumbnailMode = false;
  }
}

void Quirel_ExtendMode::toolPlatenThumbnailButtonClick(const fnd::Notification&) { thumbnailModeSwitch(false); }

void Quirel_ExtendMode::toolFilmThumbnailButtonClick(const fnd::Notification&) { thumbnailModeSwitch(true); }

// ---- help, automatic cropping, multi-crop ---------------------------------------------------------

void Quirel_ExtendMode::toolHelpButtonClick(const fnd::Notification&) {
  auto info = std::make_shared<fnd::Dictionary>();
  if (ver(&Quirel_UIScannerInfo::isVer1700Later)) {
    info->set("HELP", 2);
    Quirel_PostNotification(mCenter).postExternalNotificationName("setALMUserInterfaceData", mUIMObject, info);
    info->remove(Quirel_PostNotification::kOverrideNotificationName);
  }
  info->set("HelpMode", 2);
  info->set("ScannerInfo", fnd::Value::object(mScannerInfo));
  mCenter.post("OpenHelpBookPost", selfIdentity(), info);
}

void Quirel_ExtendMode::toolAutoCropButtonClick(const fnd::Notification&) {
  clearChoices();
  setValueOfSelectedCrop(false);
  mOriginalScan = false;
  if (mCropList.empty() && mTemplateCrop) mOriginalScan = !isAlwaysAutoTone(mTemplateCrop->getColorMode());
  remakeCropAutoCropButtonByPreview(1);
  mCenter.post("reDrawCropbyAutoCropButtonPost", selfIdentity());
  updateMouseCursorRects();
  if (mOriginalScan) {
    if (mHasPreview) {
      setEnabledMainWindow(false);
      if (!postPreviewWithScan(false, false, false, false, true, false, false, false, 0,
                               mScannerInfo ? mScannerInfo->thresholdValue() : 0))
        setEnabledMainWindow(true);
    }
    return;
  }
  if (mZoomScan)
    updateFocusCropPostByPreview(1, mHasPreview, 1);
  else
    updateImageSetAllSelectByPreview(1, false, mHasPreview, true);
  setValueOfSelectedCrop(false);
}

void Quirel_ExtendMode::toolMultiCropButtonClick(const fnd::Notification& n) {
  const ImgSrcSetting* r = getImgSrcSettingAtIndex(mImageSource);
  const SSizeDouble size = getPaperSizeWH_Pixel96(r ? r->paperSize : 0);
  clearChoices();
  if (mMultiCrop) {
    updateCropsByEndMultiCrop();
    resetPreview(size, false, false);
    mMultiCrop = false;
    // The mode switch hands no sender and takes no new preview.
    if (n.sender) {
      setEnabledMainWindow(false);
      if (!postPreviewWithScan(false, false, false, true, false, false, false, false, 0,
                               mScannerInfo ? mScannerInfo->thresholdValue() : 0))
        setEnabledMainWindow(true);
    }
  } else {
    stopSpoitTool();
    mToolMode = 0;
    updateCropsByStartMultiCrop();
    resetPreview(size, false, true);
    mMultiCrop = true;
    mOriginalScan = false;
    mCenter.post("setMCPointsByMultiCropButtonPost", selfIdentity());
  }
  updatePreviewArea();
  updateMouseCursorRects();
  setValueOfSelectedCrop(false);
}

// ---- one crop per film frame -----------------------------------------------------------------------

void Quirel_ExtendMode::toolShowAllCropButtonClick(const fnd::Notification&) {
  std::shared_ptr<Quirel_CropInfo> focus;
  for (auto it = mCropList.rbegin(); it != mCropList.rend() && !focus; ++it)
    if ((*it)->isFocus()) focus = *it;
  const double pw0 = mFilmPlatenRect_Pixel96.size.width, ph0 = mFilmPlatenRect_Pixel96.size.height;
  // Nothing to build the frames from: no crop has the focus, or the film platen has no size.
  // The crops stay as they are.
  if (!focus || pw0 <= 0 || ph0 <= 0 || !mPreview || !mPreview->getImageView()) return;
  const fnd::Array* frames = getDefaultFilmSizeRects(focus->getPaperSize());
  if (!frames) return;
  mClickCrop = nullptr;
  mCropList.clear();
  const fnd::Size view = mPreview->getImageView()->frame().size;
  double vw = view.width, vh = view.height, pw = pw0, ph = ph0;
  // The view shows the holder turned already: only the holder's own size turns with the frame.
  if (focus->getRotation() == 1 || focus->getRotation() == 3) std::swap(pw, ph);
  {
    const bool oneFrame = mScannerInfo && mScannerInfo->isOneFrameFAU();
    const bool capsOnly = ver(&Quirel_UIScannerInfo::isVer1600Later) && mUseCapsFilmSize && mCapsFilmRects.empty();
    bool first = true;
    for (std::size_t i = 0; i < frames->size(); ++i) {
      if (i >= 1 && (oneFrame || capsOnly)) break;
      const fnd::Value& v = (*frames)[i];
      if (!v.isDictionary()) continue;
      const SRectDouble rect = dictionaryToRect(&v.toDictionary());
      Quirel_CropInfo* crop = createCropWithView(fnd::Rect(rect.origin.x * vw / pw, rect.origin.y * vh / ph,
                                                           rect.size.width * vw / pw, rect.size.height * vh / ph));
      if (!crop) break;
      copyCrop(*focus, *crop, false);
      updateAutoToneByCropViewUpdate(*crop, nullptr);
      crop->setInputRect_Pixel96(rect);
      crop->setOutputSize_Pixel96({maltipleUnit(crop->getMagnification(), rect.size.width),
                                   maltipleUnit(crop->getMagnification(), rect.size.height)});
      setConvertedRect(*crop);
      if (focus->getOutputSize() != 0) {
        updateCropByOutputSize(focus->getOutputSize(), *crop, true);
        updateCropRectFromCrop(*crop, true);
      }
      crop->setSelect(true);
      crop->setLineStyle(1);
      if (first) setFocus(crop);
      first = false;
    }
  }
  focus.reset();
  updatePreviewArea();
  updateMouseCursorRects();
  updateImageSetAllSelectByPreview(1, mMultiCrop, mHasPreview, true);
  clearChoices();
  setValueOfSelectedCrop(false);
}
