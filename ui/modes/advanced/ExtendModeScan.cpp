// The advanced mode's road to a request: zoom in and out, the platen and film preview starts,
// the scan start with its checks and questions, the scan retry from the scan module's thread,
// and selecting and deleting frames.

#include <cstdio>
#include <mutex>

#include "foundation/RunLoop.h"
#include "foundation/Thread.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_ZoomButton.h"
#include "ui/controls/MainWindow.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/windows/BookCorrectDialog.h"
#include "ui/windows/CheckBoxDialog.h"
#include "ui/windows/MessageThreadHop.h"

namespace {

// A limit as the message shows it: formatted without a fixed buffer, cut to 15 characters.
std::string extLimitText(const char* format, double value, bool integer) {
  const int length = integer ? std::snprintf(nullptr, 0, format, static_cast<int>(value))
                             : std::snprintf(nullptr, 0, format, value);
  std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0) {
    if (integer)
      std::snprintf(text.data(), text.size() + 1, format, static_cast<int>(value));
    else
      std::snprintf(text.data(), text.size() + 1, format, value);
  }
  if (text.size() > 15) text.resize(15);
  return text;
}

bool extIs16Bit(int colorMode) { return colorMode == 2 || colorMode == 4; }

fnd::Value extCropListValue(const CropList& list) {
  fnd::Array array;
  for (const auto& crop : list) array.push_back(fnd::Value::object(crop));
  return fnd::Value(std::move(array));
}

}  // namespace

bool Quirel_ExtendMode::askQuestion(const char* key, int table, bool& flag) {
  showModalDialog();
  std::unique_ptr<Quirel_CheckBoxDialog> question =
      Quirel_CheckBoxDialog::initWithLStringKey(key, table, Quirel_CheckBoxDialog::kFocusCancel);
  const int answer = question ? question->runModal() : 0;
  const bool ticked = question && question->isChecked();
  question.reset();
  closeModalDialog();
  if (answer == 0) return false;
  if (ticked) flag = false;
  return true;
}

SSizeDouble Quirel_ExtendMode::currentPaperSize_Pixel96() {
  return getPaperSizeWH_Pixel96(getSelectedPaperSize());
}

// ---- zoom ------------------------------------------------------------------------------------

void Quirel_ExtendMode::zoomScanStart(const fnd::Notification&) {
  Quirel_CropInfo* focus = getFocusCrop();
  if (!mHasPreview || !focus) return;
  if (isThumbnailMode())
    zoomScanForThumbnail();
  else
    zoomScanForPlaten(*focus);
}

void Quirel_ExtendMode::zoomScanForThumbnail() {
  zoomThumbnail();
  if (mZoomScan) {
    for (const auto& t : mThumbnailList)
      if (t && !t->isZoom()) t->setSelected(false);
  }
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::zoomScanForPlaten(Quirel_CropInfo& crop) {
  if (!windowEnabled() || hasDisabledOverlay()) return;
  setEnabledMainWindow(false);
  if (mZoomBtn) mZoomBtn->setEnabled(false);
  stopSpoitTool();

  const bool zoomedOut = mZoomScan;
  if (!mZoomScan && mPreview) mTempImage = mPreview->getImageView()->getPreviewImage();
  if (mPreview) mPreview->removeImage();
  mZoomRate = 0;
  mMouseStart = {0, 0};
  mClickCrop = nullptr;
  mCommndKey = false;
  mOptionKey = false;
  mOnlyClick = false;
  mToolMode = 0;
  mSpoitMode = -1;

  SSizeDouble paper = currentPaperSize_Pixel96();
  if (mRotation == 1 || mRotation == 3) paper = {paper.height, paper.width};
  updateAutoToneByZoomScan(crop);

  const void* self = selfIdentity();
  if (zoomedOut) {
    mCenter.post("retainSettingFromExtPost", self, std::make_shared<fnd::Dictionary>(fnd::Dictionary{{"Mode", 1LL}, {"CropList", extCropListValue(mCropList)}, {"ZoomRetain", 0LL}}));
    mZoomScan = false;
    updateCropByResetZoomScan(crop, paper.width, paper.height);
    // The unzoomed picture comes back, and the kept copy is dropped.
    if (mPreview && mTempImage) mPreview->setImage(*mTempImage);
    mTempImage.reset();
    for (const auto& c : mCropList)
      if (c.get() != &crop && c->getCropView()) c->getCropView()->setHidden(false);
    if (mZoomBtn) mZoomBtn->setState(0);
    if (mPreview) mPreview->setVisiblePreviewSize_Pixel96({paper.width, paper.height});
    setValueOfSelectedCrop(0);
  } else {
    mZoomScan = true;
    updateCropByZoomScan(crop);
    for (const auto& c : mCropList)
      if (c.get() != &crop && c->getCropView()) c->getCropView()->setHidden(true);
    mCenter.post("retainSettingFromExtPost", self, std::make_shared<fnd::Dictionary>(fnd::Dictionary{{"Mode", 1LL}, {"CropList", extCropListValue(mCropList)}, {"ZoomRetain", 1LL}}));
    if (mZoomBtn) mZoomBtn->setState(1);
    const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
    if (mPreview) mPreview->setVisiblePreviewSize_Pixel96({visible.width, visible.height});
    setEnabledAllControl(false);
  }
  updatePreviewArea();
  updateMouseCursorRects();
  const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
  const bool sent = zoomedOut ? postPreviewWithScan(false, false, true, true, true, false, false, false, 0, threshold)
                              : postPreviewWithScan(true, true, true, true, true, false, false, false, 0, threshold);
  if (!sent) requestNotSent();
}

// ---- preview ---------------------------------------------------------------------------------

void Quirel_ExtendMode::previewStart(const fnd::Notification&) {
  mDoublePreview = false;
  if (isFilmMode())
    filmPreviewStart();
  else
    platenPreviewStart();
}

void Quirel_ExtendMode::showBookCorrectNotice() {
  std::unique_ptr<Quirel_BookCorrectDialog> notice = Quirel_BookCorrectDialog::initWithSetting(mScannerInfo.get());
  showModalDialog();
  if (notice) notice->runModal();
  closeModalDialog();
  if (notice && notice->isChecked()) mBookCorrectMsg = false;
}

void Quirel_ExtendMode::platenPreviewStart() {
  if (!mTemplateCrop) return;
  Quirel_CropInfo* focus = getFocusCrop();
  if ((focus ? focus : mTemplateCrop.get())->getBookCorrect() != 0 && mBookCorrectMsg) showBookCorrectNotice();
  stopSpoitTool();
  mToolMode = 0;
  const int threshold = getForcusThreshold();
  mTemplateCrop->setTempOutputSize(0);

  if (isThumbnailMode()) {
    copyCropFromFocusToTemplate();
    focus = getFocusCrop();
    if (mHasPreview && focus) mTemplateCrop->setTempOutputSize(focus->getOutputSize());
    updateCropByMagnification(100, *mTemplateCrop);
    mTemplateCrop->setFixesRatio(false);
    if (mHasPreview) {
      mClickCrop = nullptr;
      removeThumbnails();
    }
    resetPreview(getPaperSizeWH_Pixel96(mTemplateCrop->getPaperSize()), true, true);
  } else {
    if (mMultiCrop) updateCropsByEndMultiCrop();
    if (mZoomScan) {
      mZoomScan = false;
      if ((focus = getFocusCrop())) {
        const SSizeDouble v = mTemplateCrop->getVisiblePreviewSize_Pixel96();
        updateCropByResetZoomScan(*focus, v.width, v.height);
      }
    }
    resetPreview(currentPaperSize_Pixel96(), true, true);
    const int cropAfterPreview = mPreferenceInfo ? mPreferenceInfo->getCropAfterPrev() : 0;
    if (cropAfterPreview == 1) {
      for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it)
        if (CropFrameViewLink* view = (*it)->getCropView()) view->setHidden(true);
    } else if (cropAfterPreview == 2) {
      copyCropFromFocusToTemplate();
      updateCropByMagnification(100, *mTemplateCrop);
      mTemplateCrop->setFixesRatio(false);
      mClickCrop = nullptr;
      mCropList.clear();
    } else {
      keepFocusCropForPreview();
    }
  }
  updateAutoToneByPreviewUpdate(*mTemplateCrop);
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) updateAutoToneByPreviewUpdate(**it);

  mScanLoop = true;
  updatePreviewArea();
  mFavorite = 0;
  setMenuItem_FavoritePopupBT();
  mToneCurve = 0;
  setValueOfSelectedCrop(0);
  setEnabledAllControl(false);
  if (!postPreviewWithScan(true, false, false, true, false, false, true, false, 0, threshold)) requestNotSent();
}

void Quirel_ExtendMode::keepFocusCropForPreview() {
  if (!mCropList.empty()) {
    if (!isAlwaysAutoTone(mTemplateCrop->getColorMode())) copyCropFromFocusToTemplate();
  } else {
    makeFocusCropFromTemplate();
  }
  const std::shared_ptr<Quirel_CropInfo> kept = removeAllButFocusCrop();
  if (!kept) return;
  if (kept->getOutputSize() == 0) {
    const SRectDouble input = mTemplateCrop->getInputRect_Pixel96();
    kept->setInputRect_Pixel96(input);
    kept->setMagnification(100);
    kept->setOutputWidth_Pixel96(maltipleUnit(100, input.size.width));
    kept->setOutputHeight_Pixel96(maltipleUnit(100, input.size.height));
    kept->setFixesRatio(false);
  }
}

void Quirel_ExtendMode::filmPreviewStart() {
  if (!mTemplateCrop) return;
  if (isThumbnailMode() && mHasPreview && mClearThumbnailMsg &&
      !askQuestion("IDS_ASK_DELETE_THUMBNAIL", 0, mClearThumbnailMsg))
    return;
  if (ver(&Quirel_UIScannerInfo::isVer1600Later)) mScanLoop = true;
  clearPreviewWithMessageID(-1, false);
  mScanLoop = true;
  mFavorite = 0;
  setMenuItem_FavoritePopupBT();
  mToneCurve = 0;
  setValueOfSelectedCrop(0);
  setEnabledAllControl(false);
  if (!postPreviewWithScan(true, false, false, true, false, false, true, false, 0, mTemplateCrop->getThreshold()))
    requestNotSent();
}

// ---- scan ------------------------------------------------------------------------------------

void Quirel_ExtendMode::scanStart(const fnd::Notification&) {
  if (!mTemplateCrop || !mScannerInfo) return;
  const int colorMode = getCurrentColorMode();
  stopSpoitTool();
  if (mHasPreview && !checkScanCount()) {
    showMessage(1311);
    return;
  }
  if (mScanMode == 1 && !mThumbnailList.empty()) {
    const double limit = mScannerInfo->maxThumbnailDataSizeAtColorMode(mTemplateCrop->getColorMode());
    if (!checkScanDataSize(limit, Quirel_DataSizeUnit::MiB, false)) {
      showMessage(1291, "%s", fnd::Array{extLimitText("%.15g", limit, false)});
      return;
    }
  }
  const bool large = isEnableLargeScan();
  const bool deep = extIs16Bit(colorMode);
  const Quirel_UIScannerInfo& s = *mScannerInfo;
  const int widthLimit = large ? s.maxScanWidth_L() : deep ? s.maxScanWidth_48() : s.maxScanWidth_24();
  const int heightLimit = large ? s.maxScanHeight_L() : deep ? s.maxScanHeight_48() : s.maxScanHeight_24();
  const double dataLimit = large ? s.maxScanDataSize_L() : deep ? s.maxScanDataSize_48() : s.maxScanDataSize_24();
  const std::string w = extLimitText("%d", widthLimit, true);
  const std::string h = extLimitText("%d", heightLimit, true);
  const std::string d = extLimitText("%.1f", dataLimit, false);
  const bool sizeOK = checkScanSize(colorMode);
  if (dataLimit > 0) {
    if (!sizeOK || !checkScanDataSize(dataLimit, Quirel_DataSizeUnit::GiB, false)) {
      showMessage(1290, "%s%s%s", fnd::Array{w, h, d});
      return;
    }
  } else if (!sizeOK) {
    const bool v1300 = ver(&Quirel_UIScannerInfo::isVer1300Later);
    showMessage(deep ? (v1300 ? 1118 : 1114) : (v1300 ? 1117 : 1113), "%s%s", fnd::Array{w, h});
    return;
  }
  if (mLargePicMsg && !checkScanDataSize(100, Quirel_DataSizeUnit::MiB, true) &&
      !askQuestion("IDS_ASK_LARGE_PICTURE", 0, mLargePicMsg))
    return;
  if (deep) {
    if (ver(&Quirel_UIScannerInfo::isTrivoVer100Later)) {
      const int fileFormat = mPreferenceInfo ? mPreferenceInfo->getFileFormat() : 0;
      if (fileFormat == 0 && mColorModeAndDataFormatMsg &&
          !askQuestion("IDS_ASK_LARGE_BITCOUNT2", 1, mColorModeAndDataFormatMsg))
        return;
    } else {
      const int format = s.dataFormatFromApplication();
      if ((format == 1 || format == 2) && mColorModeAndDataFormatMsg &&
          !askQuestion("IDS_ASK_LARGE_BITCOUNT2", 1, mColorModeAndDataFormatMsg))
        return;
      if (format == 0 && mColorBitMsg && !askQuestion("IDS_ASK_LARGE_BITCOUNT", 0, mColorBitMsg)) return;
    }
  }
  startScanRequest();
}

void Quirel_ExtendMode::startScanRequest() {
  setEnabledAllControl(false);
  const bool sent = postScan();
  mFavorite = 0;
  mToneCurve = 0;
  mScanLoop = true;
  if (!sent) requestNotSent();
}

void Quirel_ExtendMode::requestNotSent() {
  // Nothing went out, so no end of preview or scan will come: the controls come back now.
  mScanLoop = false;
  setEnabledMainWindow(true);
  if (mZoomBtn) mZoomBtn->setEnabled(true);
  setEnabledAllControl(true);
}

void Quirel_ExtendMode::scanStartRerty() {
  mScanRetryGate.detach([this] { scanStartRertyThread(); }, "advanced scan retry");
}

void Quirel_ExtendMode::scanStartRertyThread() {
  // Two retries never overlap: each holds the retry lock until its request has gone out. The
  // request itself disables windows and posts notifications, so it runs on the main thread
  // while this thread waits (the wait ends when the program terminates).
  std::lock_guard<fnd::Lock> hold(mRetryLock);
  Quirel_MessageThreadHop::run([this] {
    if (mScanRetryGate.isOpen()) startScanRequest();
    return 0;
  });
}

// ---- selection and deletion ---------------------------------------------------------------------

void Quirel_ExtendMode::selectAll() {
  if (mZoomScan) return;
  if (isThumbnailMode())
    selectAllFrames(true);
  else
    selectAllCrops();
  mFavorite = 0;
  mToneCurve = 0;
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::selectNextCropAfterDeletion() {
  if (mCropList.empty()) return;
  if (Quirel_CropInfo* next = getNextCrop(nullptr)) {
    next->setSelect(true);
    setFocus(next);
    next->setLineStyle(1);
  }
}

void Quirel_ExtendMode::takeDeletedCropIntoTemplate(const Quirel_CropInfo& kept) {
  copyCrop(kept, *mTemplateCrop, false);
  const SSizeDouble in = mTemplateCrop->getInputSize_Pixel96();
  mTemplateCrop->setRatio(in.width, in.height);
  updateCropByResolusion(mTemplateCrop->getResolution(), *mTemplateCrop);
  mTemplateCrop->removeBaseCropOfDataPersistence();
  updateAutoToneByPreviewUpdate(*mTemplateCrop);
}

Quirel_CropInfo* Quirel_ExtendMode::remakeNamedSizeCrop(const Quirel_CropInfo& kept) {
  Quirel_CropInfo* made = createCropWithView(fnd::Rect());
  if (!made) return nullptr;
  copyCrop(kept, *made, false);
  updateCropByOutputSize(kept.getOutputSize(), *made, true);
  updateAutoToneByPreviewUpdate(*made);
  return made;
}

void Quirel_ExtendMode::deleteCrops() {
  if (isThumbnailMode() || mCropList.empty() || !mTemplateCrop) return;
  if (mMultiCrop) {
    const int all = getMultiCropCount(false);
    const int selected = getMultiCropCount(true);
    if (selected == 0) return;
    if (selected < all) {
      for (auto it = mCropList.begin(); it != mCropList.end();) {
        if ((*it)->isMultiCrop() && (*it)->isSelected()) {
          if (mClickCrop == it->get()) mClickCrop = nullptr;
          it = mCropList.erase(it);
        } else {
          ++it;
        }
      }
    } else {
      // The tool is switched off without a sender: no new preview is asked for.
      toolMultiCropButtonClick(fnd::Notification{"", nullptr});
    }
  } else {
    const int selected = getSelectedCropCount();
    if (selected == 0) return;
    if (selected == static_cast<int>(mCropList.size())) {
      std::shared_ptr<Quirel_CropInfo> kept;
      for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it)
        if ((*it)->isFocus() && !kept) kept = *it;
      if (!kept) kept = mCropList.back();  // every frame selected, none focused: the last stands in
      mClickCrop = nullptr;
      mCropList.clear();
      if (isFilmMode()) {
        remakeFilmCrop(*kept);
      } else if (kept->getOutputSize() != 0) {
        remakeNamedSizeCrop(*kept);
      } else {
        takeDeletedCropIntoTemplate(*kept);
      }
    } else {
      for (auto it = mCropList.begin(); it != mCropList.end();) {
        if ((*it)->isSelected()) {
          if (mClickCrop == it->get()) mClickCrop = nullptr;
          it = mCropList.erase(it);
        } else {
          ++it;
        }
      }
    }
    selectNextCropAfterDeletion();
  }
  if (mPreview) mPreview->updateDisplay();
  updateMouseCursorRects();
}

void Quirel_ExtendMode::remakeFilmCrop(const Quirel_CropInfo& kept) {
  const fnd::Array* frames = getDefaultFilmSizeRects(kept.getPaperSize());
  if (!frames || frames->empty() || !(*frames)[0].isDictionary()) return;
  SRectDouble frame = dictionaryToRect(&(*frames)[0].toDictionary());
  SSizeDouble film = mFilmPlatenRect_Pixel96.size;
  if (kept.getRotation() == 1 || kept.getRotation() == 3) film = {film.height, film.width};
  const fnd::Size view = mPreview ? mPreview->getImageViewRect().size : fnd::Size{film.width, film.height};
  const fnd::Rect viewRect{calcRatio(film.width, frame.origin.x, view.width),
                           calcRatio(film.height, frame.origin.y, view.height),
                           calcRatio(film.width, frame.size.width, view.width),
                           calcRatio(film.height, frame.size.height, view.height)};
  Quirel_CropInfo* made = createCropWithView(viewRect);
  if (!made) return;
  copyCrop(kept, *made, false);
  updateAutoToneByPreviewUpdate(*made);
  made->setInputRect_Pixel96(frame);
  made->setOutputWidth_Pixel96(maltipleUnit(made->getMagnification(), frame.size.width));
  made->setOutputHeight_Pixel96(maltipleUnit(made->getMagnification(), frame.size.height));
  setConvertedRect(*made);
  if (kept.getOutputSize() != 0) updateCropByOutputSize(kept.getOutputSize(), *made, true);
  updateCropRectFromCrop(*made, true);
}

void Quirel_ExtendMode::deleteCropByAutoCrop() {
  if (isThumbnailMode() || isADFMode() || isFilmMode() || mCropList.empty() || !mTemplateCrop) return;
  Quirel_CropInfo* focus = getFocusCrop();
  if (!focus) return;
  std::shared_ptr<Quirel_CropInfo> kept;
  for (auto it = mCropList.begin(); it != mCropList.end(); ++it) {
    if (it->get() == focus) {
      kept = *it;
      if (mClickCrop == focus) mClickCrop = nullptr;
      mCropList.erase(it);
      break;
    }
  }
  if (!kept) return;
  if (mCropList.empty()) {
    if (kept->getOutputSize() != 0)
      remakeNamedSizeCrop(*kept);
    else
      takeDeletedCropIntoTemplate(*kept);
  }
  selectNextCropAfterDeletion();
}
