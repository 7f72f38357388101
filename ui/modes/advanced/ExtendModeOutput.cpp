// The output box of the advanced mode: named or free output sizes, output width and height,
// magnification and direction, the output-size list editor, and the crop operations that make
// a frame fixed-size or flexible.

#include <algorithm>
#include <cmath>

#include "ui/controls/CTRLS_Magnification.h"
#include "ui/controls/CTRLS_OutputSizeHeightTextF.h"
#include "ui/controls/CTRLS_OutputSizeWidthTextF.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PopupButton.h"
#include "ui/controls/CropView.h"
#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NumberField.h"
#include "ui/model/CropInfo.h"
#include "ui/model/OutputSize.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/model/Units.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/settings/OutputSizeDialog.h"

namespace {

// A named size in preview pixels: pixels count at 300 dots per inch. None without usable sides.
std::optional<SSizeDouble> extNamedSizeInPixels(const Quirel_OutputSize& o, int platenResolution) {
  const OutputSizeLength w = o.getOutputWidth();
  const OutputSizeLength h = o.getOutputHeight();
  SSizeDouble size{0, 0};
  switch (o.getUnit()) {
    case 2:
      size = {convertResolution(w.pixel, 300, platenResolution), convertResolution(h.pixel, 300, platenResolution)};
      break;
    case 0:
      size = {inchToPixel(w.inch, platenResolution), inchToPixel(h.inch, platenResolution)};
      break;
    default:
      size = {cmToPixel(w.cm, platenResolution), cmToPixel(h.cm, platenResolution)};
      break;
  }
  if (!(size.width > 0) || !(size.height > 0)) return std::nullopt;
  return size;
}

}  // namespace

// ---- bounds ------------------------------------------------------------------------------------

int Quirel_ExtendMode::getMaxMagnification(int resolution) {
  return resolution > 0 ? 100 * 19200 / resolution : 0;
}

bool Quirel_ExtendMode::checkMagnification(int magnification, const Quirel_CropInfo& crop) const {
  return magnification >= 25 && magnification <= getMaxMagnification(crop.getResolution());
}

bool Quirel_ExtendMode::checkOutputWidth(const Quirel_CropInfo& crop, double length) const {
  // A crop without an input side has no magnification to imply: refused, never divided by.
  const double input = crop.getInputWidth_Pixel96();
  if (!(length > 0) || !(input > 0)) return false;
  return checkMagnification(static_cast<int>(std::floor(length * 100 / input)), crop);
}

bool Quirel_ExtendMode::checkOutputHeight(const Quirel_CropInfo& crop, double length) const {
  const double input = crop.getInputHeight_Pixel96();
  if (!(length > 0) || !(input > 0)) return false;
  return checkMagnification(static_cast<int>(std::floor(length * 100 / input)), crop);
}

// ---- crop operations ---------------------------------------------------------------------------

void Quirel_ExtendMode::updateCropByOutputSize(int n, Quirel_CropInfo& crop, bool removeCropView) {
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  const std::shared_ptr<Quirel_OutputSize> o = n != 0 ? getOutputSizeObject(n) : nullptr;
  if (o && checkOutputSizeInPreview(n, visible, crop.getRotation(), crop.getPaperSize()))
    changeToFixedSize(*o, crop);
  else
    changeToFlexible(crop, removeCropView);
  updateCropRectFromCrop(crop, true);
}

void Quirel_ExtendMode::updateCropByOutputSize(int n, bool rotated, Quirel_CropInfo& crop, bool removeCropView) {
  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  const std::shared_ptr<Quirel_OutputSize> o = n != 0 ? getOutputSizeObject(n) : nullptr;
  if (o && checkOutputSizeInPreview(n, visible, crop.getRotation(), crop.getPaperSize())) {
    Quirel_OutputSize copy(*o);
    if (rotated) {
      const OutputSizeLength w = copy.getOutputWidth();
      copy.setOutputWidth(copy.getOutputHeight());
      copy.setOutputHeight(w);
    }
    changeToFixedSize(copy, crop);
  } else {
    changeToFlexible(crop, removeCropView);
  }
  updateCropRectFromCrop(crop, true);
}

void Quirel_ExtendMode::changeToFixedSize(const Quirel_OutputSize& o, Quirel_CropInfo& crop) {
  const bool thumbnail = isThumbnailMode();
  const std::optional<SSizeDouble> named = extNamedSizeInPixels(o, mPlatenResolution);
  if (!named) {
    changeToFlexible(crop, false);
    return;
  }
  if (thumbnail) giveThumbnailCropAView(crop);
  // A new destination (or a first size) takes that destination's resolution.
  int keep = crop.getResolution();
  if (crop.getOutputSize() == 0 || !getOutputSizeObject(crop.getOutputSize()) ||
      getOutputSizeObject(crop.getOutputSize())->getDestination() != o.getDestination())
    keep = o.getDestination() == 1 ? 150 : 300;

  const SSizeDouble visible = crop.getVisiblePreviewSize_Pixel96();
  const double VW = visible.width;
  const double VH = visible.height;
  const int rot = crop.getRotation();
  const bool mir = crop.getMirror();
  double OW = named->width;
  double OH = named->height;
  if (ver(&Quirel_UIScannerInfo::isVer1500Later) && thumbnail) {
    if ((VW >= VH) != (OW >= OH)) std::swap(OW, OH);
  } else if (mScanMode == 3 && needRotation90(crop.getPaperSize(), VW, VH, rot)) {
    if (rot == 0 || rot == 2) std::swap(OW, OH);
  } else if (rot == 1 || rot == 3) {
    std::swap(OW, OH);
  }
  const SRectDouble in = crop.getInputRect_Pixel96();
  const bool hadFrame = in.size.width > 0 && in.size.height > 0;
  double w = OW;
  double h = OH;
  if (!thumbnail && hadFrame) {
    const SSizeDouble fit = calcSizeInSize(OW, OH, in.size.width, in.size.height);
    w = fit.width;
    h = fit.height;
  } else if (thumbnail && ver(&Quirel_UIScannerInfo::isVer1500Later)) {
    const SSizeDouble fit = calcSizeInSize(OW, OH, VW, VH);
    w = fit.width;
    h = fit.height;
  }
  fitFixedSizeToPreview(OW, OH, VW, VH, w, h);
  double X0 = 0, Y0 = 0, X1 = VW, Y1 = VH;
  if (hadFrame) {
    X0 = in.origin.x;
    Y0 = in.origin.y;
    X1 = in.origin.x + in.size.width;
    Y1 = in.origin.y + in.size.height;
  }
  double x = X0;
  double y = Y0;
  if (thumbnail) {
    x = (VW - w) * 0.5;
    y = (VH - h) * 0.5;
  } else {
    const bool right = (rot == 2 || rot == 3) != mir;
    const bool top = rot == 0 || rot == 3;
    x = right ? X1 - w : X0;
    y = top ? Y1 - h : Y0;
  }
  crop.setDestination(o.getDestination());
  crop.setInputRect_Pixel96({{x, y}, {w, h}});
  crop.setUnit(o.getUnit() == 1 ? mUserLocaleUnits.unit : o.getUnit());
  crop.setResolution(300);
  crop.setMagnification(static_cast<int>(calcRatio(w, OW, 100)));
  crop.setOutputSize(o.getIndex());
  crop.setOutputSize_Pixel96({OW, OH});
  crop.setFixesRatio(true);
  crop.setRatio(OW, OH);
  checkCropInPreview(visible, crop, true);
  updateCropByResolusion(keep, crop);
}

void Quirel_ExtendMode::changeToFlexible(Quirel_CropInfo& crop, bool removeCropView) {
  const int resolution = isFilmMode() ? 1200 : 300;
  SRectDouble r = crop.getInputRect_Pixel96();
  if (isThumbnailMode() && removeCropView) {
    if (crop.getCropView()) {
      if (Quirel_ThumbnailInfo* t = getThumbnailAtCrop(&crop)) t->removeThumbnailCrop();
      crop.removeCropView();
    }
    r = {{0, 0}, crop.getVisiblePreviewSize_Pixel96()};
  }
  crop.setOutputSize(0);
  crop.setDestination(0);
  crop.setUnit(mUserLocaleUnits.unit);
  crop.setInputRect_Pixel96(r);
  crop.setResolution(resolution);
  crop.setMagnification(100);
  crop.setOutputSize_Pixel96(r.size);
  crop.setFixesRatio(false);
  crop.setRatio(r.size.width, r.size.height);
}

void Quirel_ExtendMode::updateCropByOutputWidthOrHeight(int side, double length, Quirel_CropInfo& crop) {
  const SSizeDouble in = crop.getInputSize_Pixel96();
  const double input = side == 0 ? in.width : in.height;
  if (!(input > 0)) return;
  const int m = static_cast<int>(std::floor(length * 100 / input));
  crop.setMagnification(m);
  crop.setOutputSize_Pixel96({in.width * m / 100, in.height * m / 100});
}

// ---- actions -----------------------------------------------------------------------------------

bool Quirel_ExtendMode::applyOutputSizeNumber(int value, bool allThumbnails) {
  if (!mTemplateCrop) return false;
  // The fit test: every selected thumbnail, else the focus crop or the template.
  bool fits = true;
  auto fitsCrop = [&](const Quirel_CropInfo& c) {
    return checkOutputSizeInPreview(value, c.getVisiblePreviewSize_Pixel96(), c.getRotation(), c.getPaperSize());
  };
  if (isThumbnailMode()) {
    for (const auto& c : mCropList)
      if (c->isSelected() && !fitsCrop(*c)) fits = false;
  } else {
    const Quirel_CropInfo* focus = getFocusCrop();
    fits = fitsCrop(focus ? *focus : *mTemplateCrop);
  }
  if (!fits) {
    showMessage(1465);
    setValueOfSelectedCrop(0);
    return false;
  }
  if (!mCropList.empty()) {
    for (const auto& c : mCropList) {
      if (!c->isSelected()) continue;
      if (value != 0) updateAutoToneByCropViewUpdate(*c, c.get());
      updateCropByOutputSize(value, *c, true);
    }
  } else if (Quirel_CropInfo* made = createCropWithView(fnd::Rect())) {
    copyCrop(*mTemplateCrop, *made, false);
    made->setSelect(true);
    setFocus(made);
    made->setLineStyle(1);
    updateCropByOutputSize(value, *made, true);
    if (value != 0) updateAutoToneByCropViewUpdate(*made, made);
    if (!isAlwaysAutoTone(made->getColorMode())) mOriginalScan = true;
  }
  mFavorite = 0;
  mToneCurve = 0;
  setValueOfSelectedCrop(0);
  updatePreviewArea();
  updateMouseCursorRects();
  if (!mOriginalScan) {
    if (isThumbnailMode()) {
      if (allThumbnails)
        updateImageSetAllSelectByThumbnailPreview(1);
      else
        updateImageSetSelectByThumbnailPreview(1);
    } else {
      updateImageSetSelectByPreview(1);
    }
    setValueOfSelectedCrop(0);
  } else if (mHasPreview) {
    setEnabledMainWindow(false);
    // A request that did not go out gives the window back.
    if (!postPreviewWithScan(false, false, false, false, true, false, false, false, 0,
                             mScannerInfo ? mScannerInfo->thresholdValue() : 0))
      setEnabledMainWindow(true);
  }
  return true;
}

void Quirel_ExtendMode::outputSizeChange(const fnd::Notification&) {
  mOriginalScan = false;
  const int value = mOutSizePopup ? mOutSizePopup->getRepresentedNumber() : 0;
  if (mCropList.empty() && value == 0) return;
  if (value == -1) {
    outputSizeDialogOpen();
    return;
  }
  applyOutputSizeNumber(value, false);
}

void Quirel_ExtendMode::outputSizeDialogOpen() {
  mOriginalScan = false;
  if (!mTemplateCrop) return;
  const Quirel_CropInfo* focus = getFocusCrop();
  const int destination = (focus ? *focus : *mTemplateCrop).getDestination();
  std::vector<int> used = getUsedOutputSize();
  if (ver(&Quirel_UIScannerInfo::isVer1300Later)) used.clear();
  auto dialog = std::make_unique<Quirel_OutputSizeDialog>(1, mSettingFilePath.value_or(std::string()), destination,
                                                           getDefaultOutputSizeName(), used, mUserLocaleUnits.unit,
                                                           mScannerInfo.get());
  dialog->createOutputSizeDialog();
  showModalDialog();
  dialog->showOutputSizeDialog();
  closeModalDialog();
  if (!dialog->isOkClose()) {
    setValueOfSelectedCrop(0);
    return;
  }
  setMenuItem_OutputSizePopupBT();
  if (!mOutSizePopup) createOutputSizeObjects();
  // The advanced mode refreshes the thumbnails after deletions only.
  const OutputSizeListChange change =
      applyOutputSizeListChange(mCropList, dialog->getDeleteIndex(), dialog->getUpdateIndex(),
                                [this](int number, Quirel_CropInfo& crop) { updateCropByOutputSize(number, crop, true); });
  const bool changed = change.deleted;
  const bool changedUnselected = change.deletedUnselected;
  const int chosen = dialog->getLastIndex();
  if (chosen == -1) {
    if (isThumbnailMode() && changed) {
      if (changedUnselected)
        updateImageSetAllSelectByThumbnailPreview(1);
      else
        updateImageSetSelectByThumbnailPreview(1);
    }
    if (mPreview) mPreview->updateDisplay();
    setValueOfSelectedCrop(0);
    return;
  }
  if (mOutSizePopup) mOutSizePopup->selectAtRepresentedNumber(chosen);
  applyOutputSizeNumber(chosen, changedUnselected);
}

bool Quirel_ExtendMode::outputSizeTextFieldChange(int side) {
  if (!mTemplateCrop) return false;
  Quirel_CropInfo* focus = getFocusCrop();
  Quirel_CropInfo& crop = !mCropList.empty() && focus ? *focus : *mTemplateCrop;
  Quirel_NumberField* field = side == 0 ? (mOutSizeWTextF ? mOutSizeWTextF->getNumberTxtF() : nullptr)
                                        : (mOutSizeHTextF ? mOutSizeHTextF->getNumberTxtF() : nullptr);
  if (!field) return false;
  const int unit = mUnitPopup ? mUnitPopup->getRepresentedNumber() : crop.getUnit();
  const bool millimetres = unit == 1 && ver(&Quirel_UIScannerInfo::isVer1300Later);
  const int resolution = crop.getResolution() > 0 ? crop.getResolution() : 300;
  const double current = side == 0 ? crop.getOutputWidth_Pixel96() : crop.getOutputHeight_Pixel96();
  int decimals = 2;
  double shown = 0;
  switch (unit) {
    case 2:
      decimals = 0;
      shown = convertResolution(current, mPlatenResolution, resolution);
      break;
    case 0:
      shown = pixelToInch(current, mPlatenResolution);
      break;
    default:
      decimals = millimetres ? 1 : 2;
      shown = pixelToCm(current, mPlatenResolution) * (millimetres ? 10 : 1);
      break;
  }
  const std::string typed = roundDownForString(field->doubleValue(), decimals);
  field->setStringValue(typed);
  if (typed == roundDownForString(shown, decimals)) return false;
  const double value = std::strtod(typed.c_str(), nullptr);
  double length = 0;
  switch (unit) {
    case 2:
      length = value * mPlatenResolution / resolution;
      break;
    case 0:
      length = inchToPixel(value, mPlatenResolution);
      break;
    default:
      length = cmToPixel(millimetres ? value / 10 : value, mPlatenResolution);
      break;
  }
  const bool allowed = side == 0 ? checkOutputWidth(crop, length) : checkOutputHeight(crop, length);
  if (allowed) {
    updateCropByOutputWidthOrHeight(side, length, crop);
    mFavorite = 0;
  } else {
    showMessage(1110);
  }
  setValueOfSelectedCrop(0);
  return true;
}

void Quirel_ExtendMode::outputWidthChange(const fnd::Notification&) { outputSizeTextFieldChange(0); }
void Quirel_ExtendMode::outputHeightChange(const fnd::Notification&) { outputSizeTextFieldChange(1); }

bool Quirel_ExtendMode::typedMagnificationChange() {
  if (!mTemplateCrop || !mMagnification) return false;
  const int value = mMagnification->getNumberTxtF()->intValue();
  Quirel_CropInfo* focus = getFocusCrop();
  const Quirel_CropInfo& check = !mCropList.empty() && focus ? *focus : *mTemplateCrop;
  if (!checkMagnification(value, check)) {
    showMessage(1115, getMaxMagnification(check.getResolution()));
    setValueOfSelectedCrop(0);
    return true;
  }
  if (mCropList.empty()) {
    if (mTemplateCrop->getMagnification() == value) return false;
    updateCropByMagnification(value, *mTemplateCrop);
  } else {
    bool differs = false;
    for (const auto& c : mCropList)
      if (c->isSelected() && c->getMagnification() != value) differs = true;
    if (!differs) return false;
    const bool clamp = ver(&Quirel_UIScannerInfo::isVer1700Later);
    for (const auto& c : mCropList) {
      if (!c->isSelected() || c->getOutputSize() != 0) continue;
      if (checkMagnification(value, *c)) {
        updateCropByMagnification(value, *c);
      } else if (clamp) {
        const int maximum = getMaxMagnification(c->getResolution());
        if (maximum < value) updateCropByMagnification(maximum, *c);
      }
    }
  }
  mFavorite = 0;
  setValueOfSelectedCrop(0);
  return true;
}

void Quirel_ExtendMode::magnificationChange(const fnd::Notification&) { typedMagnificationChange(); }

void Quirel_ExtendMode::magnificationChangeByStepper(const fnd::Notification&) {
  if (!mTemplateCrop || !mMagnification) return;
  const int value = mMagnification->getStepper()->intValue();
  Quirel_CropInfo* focus = getFocusCrop();
  const Quirel_CropInfo& check = !mCropList.empty() && focus ? *focus : *mTemplateCrop;
  if (!checkMagnification(value, check)) {
    showMessage(1115, getMaxMagnification(check.getResolution()));
    setValueOfSelectedCrop(0);
    return;
  }
  if (mCropList.empty()) {
    updateCropByMagnification(value, *mTemplateCrop);
  } else {
    for (const auto& c : mCropList)
      if (c->isSelected() && c->getOutputSize() == 0 && checkMagnification(value, *c)) updateCropByMagnification(value, *c);
  }
  mFavorite = 0;
  setValueOfSelectedCrop(0);
}

void Quirel_ExtendMode::directionChange(const fnd::Notification&) {
  for (const auto& c : mCropList) {
    if (!c->isSelected() || c->getOutputSize() == 0) continue;
    updateAutoToneByCropViewUpdate(*c, c.get());
    updateCropByDirection(*c);
  }
  mFavorite = 0;
  mToneCurve = 0;
  setValueOfSelectedCrop(0);
  updatePreviewArea();
  updateMouseCursorRects();
  recomputeSelectedPreview();
  setValueOfSelectedCrop(0);
}
