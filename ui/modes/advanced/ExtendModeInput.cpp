// The input box of the advanced mode: paper and film size, the feeder's orientation, colour
// mode, the size of the scan area with its ratio lock, the unit and the resolution. Each action
// checks the value, writes it to the template crop or the frames, and shows the panel again.

#include <algorithm>
#include <cmath>

#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "kit/Window.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/MainWindow.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropInfo.h"
#include "ui/model/OutputSize.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/model/Units.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/advanced/ExtendModeControls.h"
#include "ui/windows/OrientationDialog.h"

namespace {

constexpr int kExtPaperChangeQuestion = 1002;
constexpr int kExtSizeOutOfBounds = 1110;
constexpr int kExtResolutionOutOfBounds = 1115;

}  // namespace

double Quirel_ExtendMode::smallestSidePixels() const {
  const double platen = mPlatenResolution > 0 ? mPlatenResolution : 300;
  return 48.0 * platen / 300.0;
}

// ---- Paper size --------------------------------------------------------------------------------

void Quirel_ExtendMode::updateCropByPaperSize(int paperSize, Quirel_CropInfo& crop) {
  SSizeDouble paper = getPaperSizeWH_Pixel96(paperSize);
  if ((mImageSource == 5 || mImageSource == 6) && mADFDirection == 1) paper = {paper.height, paper.width};
  crop.setPaperSize(paperSize);
  crop.setInputSize_Pixel96(paper.width, paper.height);
  crop.setOutputSize(0);
  const double m = crop.getMagnification();
  crop.setOutputSize_Pixel96({paper.width * m / 100, paper.height * m / 100});
  crop.setFixesRatio(false);
  crop.setRatio(paper.width, paper.height);
}

void Quirel_ExtendMode::paperSizeChange(const fnd::Notification&) {
  ImgSrcSetting* record = getImgSrcSettingAtIndex(mImageSource);
  if (!mPaperSizePopup || !record || !mTemplateCrop) return;
  const int paperSize = mPaperSizePopup->getRepresentedNumber();
  if (paperSize == record->paperSize) return;
  if (!mHasPreview || showMessage(kExtPaperChangeQuestion) != 0) {
    if (mToolMode == 3 && mHistogramDialog && mHistogramDialog->isVisible()) mHistogramDialog->spoitToolStop();
    mToolMode = 0;
    record->paperSize = paperSize;
    if (mMultiCrop) updateCropsByEndMultiCrop();
    if (ver(&Quirel_UIScannerInfo::isVer1600Later) && isADFMode()) {
      mADFDirection = 0;
      mADFBinding = 0;
      if (mOrientationBtn) mOrientationBtn->changeImage(false);
    }
    SSizeDouble size = getPaperSizeWH_Pixel96(paperSize);
    if (isADFMode() && mADFDirection == 1) size = {size.height, size.width};
    resetPreview(size, true, false);
    mMultiCrop = false;
    copyCropFromFocusToTemplate();
    updateCropByMagnification(100, *mTemplateCrop);
    updateCropByResetToneSetting(*mTemplateCrop, true);
    mClickCrop = nullptr;
    mCropList.clear();
    updateCropByPaperSize(paperSize, *mTemplateCrop);
    setHiddenToolbar(mScanMode, static_cast<int>(mCropList.size()));
    setEnabledToolbar();
    mFavorite = 0;
    setMenuItem_FavoritePopupBT();
    mToneCurve = 0;
  }
  setValueOfSelectedCrop(0);
}

// ---- Film size ---------------------------------------------------------------------------------

void Quirel_ExtendMode::filmSizeChange(const fnd::Notification&) {
  ImgSrcSetting* record = getImgSrcSettingAtIndex(mImageSource);
  if (!mFilmSizePopup || !record || !mTemplateCrop || !isFilmMode() || isThumbnailMode() || mZoomScan) {
    setValueOfSelectedCrop(0);
    return;
  }
  int filmSize = mFilmSizePopup->getRepresentedNumber();
  const bool v1600 = ver(&Quirel_UIScannerInfo::isVer1600Later);
  const bool unchanged = v1600 ? (filmSize == 34 ? mUseCapsFilmSize : (!mUseCapsFilmSize && filmSize == record->paperSize))
                               : filmSize == record->paperSize;
  if (unchanged) return;
  if (v1600) {
    mUseCapsFilmSize = filmSize == 34;
    if (filmSize == 34) filmSize = 21;
    mFilmSizeWithoutCaps = filmSize;
  }
  if (mHasPreview) {
    const fnd::Array* rects = getDefaultFilmSizeRects(filmSize);
    if (!rects || rects->empty() || !(*rects)[0].isDictionary()) {
      setValueOfSelectedCrop(0);
      return;
    }
    record->paperSize = filmSize;
    mTemplateCrop->setPaperSize(filmSize);
    mTemplateCrop->setTempOutputSize(0);
    Quirel_CropInfo* focus = nullptr;
    CropList kept;
    for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) {
      if ((*it)->isFocus() && !focus) {
        focus = it->get();
        focus->setPaperSize(filmSize);
        kept.insert(kept.begin(), *it);
      } else if (CropFrameViewLink* view = (*it)->getCropView()) {
        view->removeFromSuperview();
      }
    }
    mClickCrop = nullptr;
    mCropList = std::move(kept);
    if (focus) {
      focus->setInputRect_Pixel96(dictionaryToRect(&(*rects)[0].toDictionary()));
      const SSizeDouble in = focus->getInputSize_Pixel96();
      const double m = focus->getMagnification();
      focus->setOutputSize_Pixel96({in.width * m / 100, in.height * m / 100});
      focus->setFixesRatio(false);
      setConvertedRect(*focus);
      if (focus->getOutputSize() != 0) updateCropByOutputSize(0, *focus, false);
      updateCropRectFromCrop(*focus, true);
    }
    updatePreviewArea();
    updateMouseCursorRects();
    if (v1600 && mUseCapsFilmSize) toolShowAllCropButtonClick(fnd::Notification{"", nullptr});
  } else {
    record->paperSize = filmSize;
    mTemplateCrop->setPaperSize(filmSize);
    mTemplateCrop->setTempOutputSize(0);
    updateCropByExposure(false, *mTemplateCrop);
    updateCropByAllExposure(false, *mTemplateCrop, *mTemplateCrop);
  }
  mFavorite = 0;
  setMenuItem_FavoritePopupBT();
  mToneCurve = 0;
  if (mHasPreview) updateFocusCropPostByPreview(1, true, 1);
  setValueOfSelectedCrop(0);
}

// ---- Feeder orientation ------------------------------------------------------------------------

void Quirel_ExtendMode::orientationDialogOpen(const fnd::Notification&) {
  const bool twoSided = mScannerInfo && mScannerInfo->isTwoSidedADF();
  mOrientationDialog = std::make_shared<Quirel_OrientationDialog>(mADFDirection, mADFBinding, twoSided,
                                                                   mImageSource == 6, mCenter);
  mOrientationDialog->setScannerInfo(mScannerInfo.get());
  mOrientationDialog->createOrientationDialog();
  const void* dialog = mOrientationDialog.get();
  registObserver(dialog, [this](const fnd::Notification& n) { orientationDialogClose(n); },
                 Quirel_OrientationDialog::kClosePost);
  showModalDialog();
  Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  mOrientationDialog->showOrientationDialog(window);
  if (mOrientationDialog->getWindow()) kit::Application::shared().runModalForWindow(*mOrientationDialog->getWindow());

  if (mOrientationDialog->isOkClose()) {
    const int direction = mOrientationDialog->getDirection();
    const int binding = mOrientationDialog->getBinding();
    if (ver(&Quirel_UIScannerInfo::isVer1700Later) && (direction != mADFDirection || binding != mADFBinding))
      mToneCurve = 0;
    mADFDirection = direction;
    if (mOrientationBtn) mOrientationBtn->changeImage(direction != 0);
    mADFBinding = binding;
    const ImgSrcSetting* record = getImgSrcSettingAtIndex(mImageSource);
    SSizeDouble size = getPaperSizeWH_Pixel96(record ? record->paperSize : 0);
    if (direction == 1) size = {size.height, size.width};
    resetPreview(size, true, false);
    if (mTemplateCrop) {
      mTemplateCrop->setInputSize_Pixel96(size.width, size.height);
      mTemplateCrop->setOutputSize_Pixel96(size);
    }
  }
  removeObserver(dialog, Quirel_OrientationDialog::kClosePost);
  mOrientationDialog.reset();
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::orientationDialogClose(const fnd::Notification&) {
  if (mOrientationDialog) mOrientationDialog->closeOrientationDialog();
  closeModalDialog();
  if (Quirel_MainWindow* window = mMainWindow ? mMainWindow->getWindow() : nullptr) window->makeKeyAndOrderFront();
  kit::Application::shared().stopModalWithCode(0);
}

// ---- Colour mode -------------------------------------------------------------------------------

void Quirel_ExtendMode::colorModeChange(const fnd::Notification& n) {
  const int oldMode = getCurrentColorMode();
  int newMode = oldMode;
  if (n.sender && mColorModePopup) {
    newMode = mColorModePopup->getRepresentedNumber();
    if (newMode == oldMode) return;
    setCurrentColorMode(newMode);
    const bool v1500 = ver(&Quirel_UIScannerInfo::isVer1500Later);
    for (Quirel_CropInfo* crop : getAllCrops()) {
      updateCropByColorMode(newMode, *crop);
      if (!isFilmMode()) continue;
      if (v1500 && crop != mTemplateCrop.get() && !crop->isApplyToneValueToAll()) continue;
      updateCropByExposure(false, *crop);
      updateCropByExposureValue(100, *crop);
      updateCropByAllExposure(false, *crop, *crop);
    }
    mFavorite = 0;
    // Modes of one family keep the named tone setting: 2 and 4 keep it always.
    const bool sameFamily = (oldMode == 3 || oldMode == 5) ? (newMode == 3 || newMode == 5) : oldMode == newMode;
    if ((oldMode == 0 || oldMode == 1 || oldMode == 6 || oldMode == 3 || oldMode == 5) && !sameFamily) mToneCurve = 0;
  }
  setMenuItem_ToneCurvePopupBT(newMode);
  showImageDialogs(newMode);
  setValueOfSelectedCrop(0);
  if (mHasPreview) {
    setEnabledMainWindow(false);
    const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
    if (!postPreviewWithScan(false, isThumbnailMode() ? false : mZoomScan, false, false, false, false, false, false,
                             0, threshold))
      setEnabledMainWindow(true);
  }
}

// ---- Input size ---------------------------------------------------------------------------------

bool Quirel_ExtendMode::checkInputWidth(const Quirel_CropInfo& crop, double width) const {
  const double smallest = smallestSidePixels();
  if (width <= 0 || width < smallest) return false;
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  if (crop.getInputX_Pixel96() + width > visible.width) return false;
  if (crop.isFixesRatio()) {
    const SSizeDouble ratio = crop.getRatio();
    if (ratio.width <= 0 || ratio.height <= 0) return false;
    const double height = width * ratio.height / ratio.width;
    const double top = crop.getInputY_Pixel96() + crop.getInputHeight_Pixel96();
    if (height < smallest || top - height < 0) return false;
  }
  return true;
}

bool Quirel_ExtendMode::checkInputHeight(const Quirel_CropInfo& crop, double height) const {
  const double smallest = smallestSidePixels();
  if (height <= 0 || height < smallest) return false;
  const double top = crop.getInputY_Pixel96() + crop.getInputHeight_Pixel96();
  if (top - height < 0) return false;
  if (crop.isFixesRatio()) {
    const SSizeDouble ratio = crop.getRatio();
    if (ratio.width <= 0 || ratio.height <= 0) return false;
    const double width = height * ratio.width / ratio.height;
    const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
    if (width < smallest || crop.getInputX_Pixel96() + width > visible.width) return false;
  }
  return true;
}

void Quirel_ExtendMode::updateCropByInputWidthOrHeight(int side, double length, Quirel_CropInfo& crop) {
  // A thumbnail's crop sized by number for the first time gets its frame view now.
  if (isThumbnailMode()) giveThumbnailCropAView(crop);
  const SRectDouble old = crop.getInputRect_Pixel96();
  const SSizeDouble ratio = crop.getRatio();
  const bool locked = crop.isFixesRatio() && ratio.width > 0 && ratio.height > 0;
  double width = old.size.width;
  double height = old.size.height;
  if (side == 0) {
    width = length;
    if (locked) height = width * ratio.height / ratio.width;
  } else {
    height = length;
    if (locked) width = height * ratio.width / ratio.height;
  }
  crop.setInputRect_Pixel96({{old.origin.x, old.origin.y + old.size.height - height}, {width, height}});
  const double m = crop.getMagnification();
  crop.setOutputSize_Pixel96({width * m / 100, height * m / 100});
  // A side of 0 keeps the ratio the crop had: no later step divides by it.
  if (width > 0 && height > 0) crop.setRatio(width, height);
  updateCropRectFromCrop(crop, true);
}

bool Quirel_ExtendMode::inputSizeTextFieldChange(int side) {
  Quirel_CTRLS_NumberTextField* field =
      side == 0 ? static_cast<Quirel_CTRLS_NumberTextField*>(mInSizeWTextF.get()) : mInSizeHTextF.get();
  if (!field || !mTemplateCrop) return false;
  mOriginalScan = false;
  Quirel_CropInfo* focus = mCropList.empty() ? nullptr : getFocusCrop();
  Quirel_CropInfo& crop = focus ? *focus : *mTemplateCrop;
  const int unit = crop.getUnit();
  const bool millimetres = unit == 1 && ver(&Quirel_UIScannerInfo::isVer1300Later);
  const int digits = unit == 2 ? 0 : millimetres ? 1 : 2;
  const double typed = field->getDoubleValue();
  const std::string typedText = roundDownForString(typed, digits);
  const double current = side == 0 ? crop.getInputWidth_Pixel96() : crop.getInputHeight_Pixel96();
  const int resolution = crop.getResolution() > 0 ? crop.getResolution() : 300;
  const std::string currentText = lengthText(current, unit, resolution);
  field->setStringValue(typedText);
  if (typedText == currentText) return false;

  const double platen = mPlatenResolution > 0 ? mPlatenResolution : 300;
  double pixels;
  if (unit == 2) {
    pixels = typed * platen / resolution;
  } else if (unit == 1) {
    const double cm = millimetres ? typed / 10 : typed;
    // What the field shows for the smallest side reads back as exactly that side.
    pixels = cm >= 0.40 && cm < 0.41 ? smallestSidePixels() : cmToPixel(cm, platen);
  } else {
    pixels = inchToPixel(typed, platen);
  }
  const bool fits = side == 0 ? checkInputWidth(crop, pixels) : checkInputHeight(crop, pixels);
  if (!fits) {
    showMessage(kExtSizeOutOfBounds);
    setValueOfSelectedCrop(0);
    return true;
  }
  if (!mCropList.empty()) {
    if (focus) {
      // A crop with a frame view takes its automatic tone before the resize, one without after.
      const bool hadView = focus->getCropView() != nullptr;
      if (hadView) updateAutoToneByCropViewUpdate(*focus, nullptr);
      updateCropByInputWidthOrHeight(side, pixels, *focus);
      if (!hadView) updateAutoToneByCropViewUpdate(*focus, nullptr);
    }
  } else if (Quirel_CropInfo* made = makeFocusCropFromTemplate()) {
    updateCropByInputWidthOrHeight(side, pixels, *made);
    updateAutoToneByCropViewUpdate(*made, nullptr);
    if (!isAlwaysAutoTone(made->getColorMode())) mOriginalScan = true;
  }
  mFavorite = 0;
  mToneCurve = 0;
  setValueOfSelectedCrop(0);
  updatePreviewArea();
  updateMouseCursorRects();
  if (mOriginalScan && mHasPreview) {
    setEnabledMainWindow(false);
    const int threshold = mScannerInfo ? mScannerInfo->thresholdValue() : 0;
    if (!postPreviewWithScan(false, false, false, false, true, false, false, false, 0, threshold))
      setEnabledMainWindow(true);
  } else {
    if (isThumbnailMode())
      updateFocusThumbnailPostByPreview(1, mHasPreview);
    else
      updateFocusCropPostByPreview(1, mHasPreview, 1);
    setValueOfSelectedCrop(0);
  }
  return true;
}

void Quirel_ExtendMode::inputWidthChange(const fnd::Notification&) { inputSizeTextFieldChange(0); }

void Quirel_ExtendMode::inputHeightChange(const fnd::Notification&) { inputSizeTextFieldChange(1); }

// ---- Ratio lock and unit ------------------------------------------------------------------------

void Quirel_ExtendMode::updateCropByFixesRatio(bool on, Quirel_CropInfo& crop) {
  const SSizeDouble size = crop.getOutputSize() != 0 ? crop.getOutputSize_Pixel96() : crop.getInputSize_Pixel96();
  // Both sides above 0, or the crop keeps its lock and ratio: no later step divides by a zero side.
  if (size.width <= 0 || size.height <= 0) return;
  crop.setFixesRatio(on);
  crop.setRatio(size.width, size.height);
}

void Quirel_ExtendMode::fixesRatioChange(const fnd::Notification&) {
  if (!mFixRatioBtn || !mTemplateCrop) return;
  Quirel_CropInfo* focus = mCropList.empty() ? nullptr : getFocusCrop();
  updateCropByFixesRatio(mFixRatioBtn->isOnState(), focus ? *focus : *mTemplateCrop);
  mFavorite = 0;
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::unitChange(const fnd::Notification&) {
  if (!mUnitPopup) return;
  const int unit = mUnitPopup->getRepresentedNumber();
  applyToTargetCrops([&](Quirel_CropInfo& crop) { updateCropByUnit(unit, crop); });
  setValueOfSelectedCrop(0);
}

// ---- Resolution ---------------------------------------------------------------------------------

void Quirel_ExtendMode::updateCropByResolusion(int value, Quirel_CropInfo& crop) {
  const int named = crop.getOutputSize();
  const int oldResolution = crop.getResolution();
  crop.setResolution(value);
  int magnification = std::min(crop.getMagnification(), getMaxMagnification(value));
  const std::shared_ptr<Quirel_OutputSize> size = named != 0 ? getOutputSizeObject(named) : nullptr;
  SSizeDouble out = crop.getOutputSize_Pixel96();
  const SSizeDouble in = crop.getInputSize_Pixel96();
  if (size) {
    if (size->getUnit() == 2 && oldResolution > 0 && value > 0)
      out = {out.width * oldResolution / value, out.height * oldResolution / value};
    // A crop of no width keeps its magnification: there is nothing to divide by.
    if (in.width > 0) magnification = static_cast<int>(out.width * 100 / in.width);
  } else {
    out = {in.width * magnification / 100, in.height * magnification / 100};
  }
  crop.setMagnification(magnification);
  crop.setOutputSize_Pixel96(out);
}

std::vector<Quirel_CropInfo*> Quirel_ExtendMode::resolutionTargets() {
  std::vector<Quirel_CropInfo*> targets;
  for (const auto& crop : mCropList)
    if (mMultiCrop ? crop->isMultiCrop() : crop->isSelected()) targets.push_back(crop.get());
  if (mCropList.empty() && mTemplateCrop) targets.push_back(mTemplateCrop.get());
  return targets;
}

bool Quirel_ExtendMode::checkResolutionBounds(int resolution) {
  const int upper = mMultiCrop || isADFMode() ? 600 : 19200;
  if (resolution >= 25 && resolution <= upper) return true;
  showMessage(kExtResolutionOutOfBounds, upper);
  setValueOfSelectedCrop(0);
  return false;
}

bool Quirel_ExtendMode::resolusionChangeTyped() {
  if (!mResComboBox) return false;
  int resolution = mResComboBox->getIntValue();
  if (mScanMode == 1 && mHasPreview) resolution = convEnableResolution(resolution);
  if (!checkResolutionBounds(resolution)) return true;
  const std::vector<Quirel_CropInfo*> targets = resolutionTargets();
  bool changed = false;
  for (const Quirel_CropInfo* crop : targets) changed = changed || crop->getResolution() != resolution;
  if (!changed) {
    setValueOfSelectedCrop(0);
    return false;
  }
  for (Quirel_CropInfo* crop : targets) updateCropByResolusion(resolution, *crop);
  mFavorite = 0;
  setValueOfSelectedCrop(0);
  return true;
}

void Quirel_ExtendMode::resolusionChange(const fnd::Notification&) { resolusionChangeTyped(); }

void Quirel_ExtendMode::resolusionChangeByPopUp(const fnd::Notification&) {
  if (!mResComboBox) return;
  const int resolution = mResComboBox->getRepresentedNumber();
  mResComboBox->setIntValue(resolution);
  if (!checkResolutionBounds(resolution)) return;
  for (Quirel_CropInfo* crop : resolutionTargets()) updateCropByResolusion(resolution, *crop);
  mFavorite = 0;
  setValueOfSelectedCrop(0);
}
