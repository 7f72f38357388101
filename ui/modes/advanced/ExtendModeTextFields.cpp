// The advanced mode's seven number fields: the check at each keystroke, the commit of a
// half-typed number before any other control acts, the mouse-down switches of every control,
// the windows' enabling and the fit of a named output size into the preview.

#include <cmath>

#include "kit/Stepper.h"
#include "kit/TabView.h"
#include "ui/adjust/ColorBalanceDialog.h"
#include "ui/adjust/FinalReviewDialog.h"
#include "ui/adjust/HistogramDialog.h"
#include "ui/adjust/ThresholdDialog.h"
#include "ui/adjust/ToneBCDialog.h"
#include "ui/adjust/ToneCurveDialog.h"
#include "ui/controls/CTRLS_ADVNextThumbnailButton.h"
#include "ui/controls/CTRLS_ColorPushButton.h"
#include "ui/controls/CTRLS_IconBezelButton.h"
#include "ui/controls/CTRLS_IconOnOffButton.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_OpenButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_TabView.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/IconBezelButton.h"
#include "ui/controls/IconBezelCGButton.h"
#include "ui/controls/IconOnOffButton.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NoFocusStepper.h"
#include "ui/controls/NoFocusTabView.h"
#include "ui/controls/NumberField.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/model/Units.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/modes/advanced/ExtendModeControls.h"
#include "ui/modes/toolbar/Toolbar.h"
#include "ui/settings/InfoDialog.h"

namespace {

constexpr const char* kMainFixToDlgPost = "MAIN_FIX_TO_DLG";
constexpr const char* kMainChgToDlgPost = "MAIN_CHG_TO_DLG";

void popupOnOff(Quirel_CTRLS_PopupButton* p, bool v) {
  if (p && p->getPopupBT()) p->getPopupBT()->setMenuOnOff(v);
}
void pushOnOff(Quirel_CTRLS_PushButton* p, bool v) {
  if (p && p->getPushBT()) p->getPushBT()->setDownOnOff(v);
}
void fieldOnOff(Quirel_NumberField* f, bool v) {
  if (f) f->setDownOnOff(v);
}
void stepperOnOff(Quirel_NoFocusStepper* s, bool v) {
  if (s) s->setDownOnOff(v);
}

}  // namespace

kit::TextField* Quirel_ExtendMode::numberTextField(int index) const {
  switch (index) {
    case 0: return mInSizeWTextF ? mInSizeWTextF->getNumberTxtF() : nullptr;
    case 1: return mInSizeHTextF ? mInSizeHTextF->getNumberTxtF() : nullptr;
    case 2: return mResComboBox ? mResComboBox->getNumberTxtF() : nullptr;
    case 3: return mMagnification ? mMagnification->getNumberTxtF() : nullptr;
    case 4: return mOutSizeWTextF ? mOutSizeWTextF->getNumberTxtF() : nullptr;
    case 5: return mOutSizeHTextF ? mOutSizeHTextF->getNumberTxtF() : nullptr;
    case 6: return mExposureField ? mExposureField->getNumberTxtF() : nullptr;
    default: return nullptr;
  }
}

// ---- the check at each keystroke ------------------------------------------------------------------

void Quirel_ExtendMode::controlTextDidChange(kit::TextField& field) {
  static constexpr int kSizeType[7] = {0, 1, -1, -1, 2, 3, -1};
  for (int i = 0; i < 7; ++i) {
    if (numberTextField(i) != &field) continue;
    if (kSizeType[i] >= 0)
      controlTextDidChange_SizeTextField(kSizeType[i]);
    else if (i == 2)
      controlTextDidChange_Resolution();
    else if (i == 3)
      controlTextDidChange_Magnification();
    else
      controlTextDidChange_Exposure();
    return;
  }
}

bool Quirel_ExtendMode::typedSizeDiffers(int type, const std::string& text) const {
  const Quirel_CropInfo* c = getFocusCrop();
  if (!c || mCropList.empty()) c = mTemplateCrop.get();
  if (!c) return false;
  const double a = type == 0 ? c->getInputWidth_Pixel96()
                   : type == 1 ? c->getInputHeight_Pixel96()
                   : type == 2 ? c->getOutputWidth_Pixel96()
                               : c->getOutputHeight_Pixel96();
  const double r = c->getResolution();
  const int unit = mUnitPopup ? mUnitPopup->getRepresentedNumber() : 0;
  const double e = std::atof(text.c_str());
  const double platen = mPlatenResolution;
  std::string typed, shown;
  if (unit == 2) {
    typed = roundDownForString(e, 0);
    shown = roundDownForString(platen > 0 ? a * r / platen : 0, 0);
  } else if (unit == 1 && ver(&Quirel_UIScannerInfo::isVer1300Later)) {
    typed = roundDownForString(e, 1);
    shown = roundDownForString(pixelToCm(a, platen) * 10, 1);
  } else if (unit == 1) {
    typed = roundDownForString(e, 2);
    shown = roundDownForString(pixelToCm(a, platen), 2);
  } else {
    typed = roundDownForString(e, 2);
    shown = roundDownForString(pixelToInch(a, platen), 2);
  }
  return typed != shown;
}

void Quirel_ExtendMode::controlTextDidChange_SizeTextField(int type) {
  Quirel_NumberField* field = static_cast<Quirel_NumberField*>(numberTextField(type < 2 ? type : type + 2));
  if (!field) return;
  if (!typedSizeDiffers(type, field->stringValue())) {
    setEnabledMouseDownOnControl(true);
    field->setFocus(true);
    return;
  }
  // The typed number in preview pixels, checked as the commit will check it.
  const Quirel_CropInfo* c = getFocusCrop();
  if (!c || mCropList.empty()) c = mTemplateCrop.get();
  double e = std::atof(field->stringValue().c_str());
  const int unit = mUnitPopup ? mUnitPopup->getRepresentedNumber() : 0;
  const double platen = mPlatenResolution;
  if (unit == 2)
    e = c && c->getResolution() > 0 ? e * platen / c->getResolution() : 0;
  else if (unit == 1)
    e = cmToPixel(ver(&Quirel_UIScannerInfo::isVer1300Later) ? e / 10 : e, platen);
  else
    e = inchToPixel(e, platen);
  bool valid = false;
  if (c) {
    switch (type) {
      case 0: valid = checkInputWidth(*c, e); break;
      case 1: valid = checkInputHeight(*c, e); break;
      case 2: valid = checkOutputWidth(*c, e); break;
      default: valid = checkOutputHeight(*c, e); break;
    }
  }
  field->setFocus(valid);
  setEnabledMouseDownOnControl(false);
}

std::vector<Quirel_CropInfo*> Quirel_ExtendMode::typedFieldTargets() const {
  std::vector<Quirel_CropInfo*> targets;
  for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) {
    Quirel_CropInfo* c = it->get();
    if (mMultiCrop ? c->isMultiCrop() : c->isSelected()) targets.push_back(c);
  }
  return targets;
}

void Quirel_ExtendMode::controlTextDidChange_Resolution() {
  if (!mResComboBox) return;
  Quirel_NumberField* field = mResComboBox->getNumberTxtF();
  const int n = field->intValue();
  field->setFocus(n >= 25 && n <= 19200);
  bool same = true;
  if (!mCropList.empty()) {
    for (Quirel_CropInfo* c : typedFieldTargets())
      if (c->getResolution() != n) {
        same = false;
        break;
      }
  } else {
    same = mTemplateCrop && mTemplateCrop->getResolution() == n;
  }
  setEnabledMouseDownOnControl(same);
}

void Quirel_ExtendMode::controlTextDidChange_Magnification() {
  if (!mMagnification) return;
  Quirel_NumberField* field = mMagnification->getNumberTxtF();
  const int n = field->intValue();
  const Quirel_CropInfo* c = getFocusCrop();
  if (!c || mCropList.empty()) c = mTemplateCrop.get();
  const bool valid = c && checkMagnification(n, *c);
  field->setFocus(valid);
  if (valid && mMagnification->getStepper()) mMagnification->getStepper()->setIntValue(n);
  bool same = true;
  if (!mCropList.empty()) {
    for (Quirel_CropInfo* c : typedFieldTargets())
      if (c->getMagnification() != n) {
        same = false;
        break;
      }
  } else {
    same = mTemplateCrop && mTemplateCrop->getMagnification() == n;
  }
  setEnabledMouseDownOnControl(same);
}

void Quirel_ExtendMode::controlTextDidChange_Exposure() {
  if (!mExposureField) return;
  Quirel_NumberField* field = mExposureField->getNumberTxtF();
  const int n = field->intValue();
  field->setFocus(true);
  if (mExposureField->getStepper()) mExposureField->getStepper()->setIntValue(n);
  bool same = true;
  if (!mCropList.empty()) {
    for (auto it = mCropList.rbegin(); it != mCropList.rend(); ++it) {
      const Quirel_CropInfo& c = **it;
      if (c.isSelected() && c.isExposure() && c.getExposureValue() != n) {
        same = false;
        break;
      }
    }
  } else {
    same = mTemplateCrop && mTemplateCrop->getExposureValue() == n;
  }
  setEnabledMouseDownOnControl(same);
}

// ---- the commit ------------------------------------------------------------------------------------

bool Quirel_ExtendMode::checkAndEnterTextField() {
  kit::Window* window = mMainWindow ? static_cast<kit::Window*>(mMainWindow->getWindow()) : nullptr;
  if (!window || !mExtTab || !mExtTab->getTabView()) return true;
  if (mExtTab->getTabView()->indexOfSelectedTabViewItem() != 1) return true;
  auto* editing = dynamic_cast<kit::TextField*>(window->firstResponder());
  if (!editing) return true;
  for (int i = 0; i < 7; ++i) {
    kit::TextField* field = numberTextField(i);
    if (field != editing || !field->isEnabled()) continue;
    // Each change operation answers whether it handled an entry (applied it, or refused it with
    // its message); a text that says what is shown already is no entry.
    bool handled = false;
    switch (i) {
      case 0: handled = inputSizeTextFieldChange(0); break;
      case 1: handled = inputSizeTextFieldChange(1); break;
      case 2: handled = resolusionChangeTyped(); break;
      case 3: handled = typedMagnificationChange(); break;
      case 4: handled = outputSizeTextFieldChange(0); break;
      case 5: handled = outputSizeTextFieldChange(1); break;
      default: handled = typedExposureChange(false); break;
    }
    if (!handled) break;
    window->makeFirstResponder(field);
    if (i == 2 || i == 3) setEnabledMouseDownOnControl(false);
    return false;
  }
  setEnabledMouseDownOnControl(true);
  setFocusAllNumberF(true);
  return true;
}

void Quirel_ExtendMode::enterTextFByOtherControls(const fnd::Notification&) {
  if (mMainWindow && mMainWindow->getWindow() && mMainWindow->getWindow()->isKeyWindow()) checkAndEnterTextField();
}

void Quirel_ExtendMode::enterTextFByOtherWindow(const fnd::Notification&) { checkAndEnterTextField(); }

void Quirel_ExtendMode::showTextFValueError(const fnd::Notification&) {
  checkAndEnterTextField();
  setEnabledMouseDownOnControl(true);
}

void Quirel_ExtendMode::setFocusAllNumberF(bool valid) {
  for (int i = 0; i < 7; ++i)
    if (auto* f = static_cast<Quirel_NumberField*>(numberTextField(i))) f->setFocus(valid);
}

void Quirel_ExtendMode::controlSetYes(const fnd::Notification&) { setEnabledMouseDownOnControl(true); }

// ---- mouse-down switches ----------------------------------------------------------------------------

void Quirel_ExtendMode::setEnabledMouseDownOnControl(bool v) {
  popupOnOff(mFavoritePopup.get(), v);
  popupOnOff(mImgSrcPopup.get(), v);
  popupOnOff(mPaperSizePopup.get(), v);
  popupOnOff(mFilmSizePopup.get(), v);
  pushOnOff(mOrientationBtn.get(), v);
  popupOnOff(mColorModePopup.get(), v);
  if (mInSizeWTextF) fieldOnOff(mInSizeWTextF->getNumberTxtF(), v);
  if (mFixRatioBtn && mFixRatioBtn->getIconOnOffBT()) mFixRatioBtn->getIconOnOffBT()->setDownOnOff(v);
  if (mInSizeHTextF) fieldOnOff(mInSizeHTextF->getNumberTxtF(), v);
  popupOnOff(mUnitPopup.get(), v);
  if (mResComboBox) {
    fieldOnOff(mResComboBox->getNumberTxtF(), v);
    popupOnOff(mResComboBox.get(), v);
  }
  popupOnOff(mOutSizePopup.get(), v);
  if (mMagnification) {
    fieldOnOff(mMagnification->getNumberTxtF(), v);
    stepperOnOff(mMagnification->getStepper(), v);
  }
  if (mOutSizeWTextF) fieldOnOff(mOutSizeWTextF->getNumberTxtF(), v);
  if (mOutSizeHTextF) fieldOnOff(mOutSizeHTextF->getNumberTxtF(), v);
  if (mDirectionBtn && mDirectionBtn->getIconBT()) mDirectionBtn->getIconBT()->setDownOnOff(v);
  for (Quirel_CTRLS_PopupButton* p :
       {static_cast<Quirel_CTRLS_PopupButton*>(mAutoTonePopup.get()),
        static_cast<Quirel_CTRLS_PopupButton*>(mColorAdjustPopup.get()),
        static_cast<Quirel_CTRLS_PopupButton*>(mCopyGammaPopup.get()), mUnsharpPopup.get(), mDescreenPopup.get(),
        mRdcDustPopup.get(), static_cast<Quirel_CTRLS_PopupButton*>(mRemoveDustPopup.get()),
        mReduceDustFAUPopup.get(), mFdCorctPopup.get(), mGrCorctPopup.get(), mBlCorctPopup.get(),
        mBookCorctPopup.get()})
    popupOnOff(p, v);
  pushOnOff(mExposureOpenBtn.get(), v);
  if (mExposureCbx && mExposureCbx->getCheckBox()) mExposureCbx->getCheckBox()->setDownOnOff(v);
  if (mExposureField) {
    fieldOnOff(mExposureField->getNumberTxtF(), v);
    stepperOnOff(mExposureField->getStepper(), v);
  }
  if (mExposureBtns) {
    if (mExposureBtns->getApplyBT()) mExposureBtns->getApplyBT()->setDownOnOff(v);
    if (mExposureBtns->getResetBT()) mExposureBtns->getResetBT()->setDownOnOff(v);
  }
  if (mScannerInfo && mScannerInfo->highQualityMode()) {
    pushOnOff(mScanSettingOpenBtn.get(), v);
    popupOnOff(mHighQualityPopup.get(), v);
  }
  // The calibration controls exist only where they were made (the scanner offers them).
  pushOnOff(mCalibrationOpenBtn.get(), v);
  pushOnOff(mCalibrationBtn.get(), v);
  popupOnOff(mCalibrationPopup.get(), v);
  for (Quirel_CTRLS_IconBezelCGButton* b :
       {mColorBalanceBtn.get(), mContrastBtn.get(), mHistogramBtn.get(), mToneCurveBtn.get(), mFinalReviewBtn.get()})
    if (b && b->getIconCGBT()) b->getIconCGBT()->setDownOnOff(v);
  if (mThresholdBtn && mThresholdBtn->getIconBT()) mThresholdBtn->getIconBT()->setDownOnOff(v);
  popupOnOff(mToneCurvePopup.get(), v);
  pushOnOff(mToneResetBtn.get(), v);
  pushOnOff(mZoomBtn.get(), v);
  if (mPrevBtn && mPrevBtn->getColorPushBT()) mPrevBtn->getColorPushBT()->setDownOnOff(v);
  if (mScanBtn && mScanBtn->getColorPushBT()) mScanBtn->getColorPushBT()->setDownOnOff(v);
  pushOnOff(mPrefBtn, v);
  pushOnOff(mCloseWindowBtn, v);
  if (mExtTab && mExtTab->getTabView()) mExtTab->getTabView()->setChangeOnOff(v);
  if (mPreview && mPreview->getImageView()) mPreview->getImageView()->setDownOnOff(v);
  for (auto it = mThumbnailList.rbegin(); it != mThumbnailList.rend(); ++it) {
    const Quirel_ThumbnailInfo& t = **it;
    if (auto* box = dynamic_cast<Quirel_NoFocusButton*>(t.getCheckBox())) box->setDownOnOff(v);
    if (auto* pv = dynamic_cast<Quirel_ThumbnailPreviewView*>(t.getPreviewView())) pv->setDownOnOff(v);
    if (auto* fv = dynamic_cast<Quirel_ThumbnailFrameView*>(t.getFrameView())) fv->setDownOnOff(v);
  }
  if (mNextThumbnailBtn) {
    if (mNextThumbnailBtn->getNextBT()) mNextThumbnailBtn->getNextBT()->setDownOnOff(v);
    if (mNextThumbnailBtn->getBackBT()) mNextThumbnailBtn->getBackBT()->setDownOnOff(v);
  }
  if (mToolbar) mToolbar->setEnabledMouseDownOnControl(v);
  if (mMainWindow && mMainWindow->getWindow() && mMainWindow->getWindow()->isKeyWindow())
    setEnabledMouseDownOnOtherWindow(v);
}

void Quirel_ExtendMode::setEnabledMouseDownOnOtherWindow(bool v) {
  mCenter.post(v ? kMainFixToDlgPost : kMainChgToDlgPost, selfIdentity());
}

void Quirel_ExtendMode::setEnabledMainWindow(bool v) {
  if (mToneBCDialog) mToneBCDialog->setEnabledAllControl(v);
  if (mHistogramDialog) mHistogramDialog->setEnabledAllControl(v);
  if (mToneCurveDialog) mToneCurveDialog->setEnabledAllControl(v);
  if (mFinalReviewDialog) mFinalReviewDialog->setEnabledAllControl(v);
  if (mThresholdDialog) mThresholdDialog->setEnabledAllControl(v);
  if (mColorBalanceDialog) mColorBalanceDialog->setEnabledAllControl(v);
  if (mInfoDialog) mInfoDialog->setEnabledAllControl(v);
  Quirel_BaseScanMode::setEnabledMainWindow(v);
}

// ---- a named output size against the preview ---------------------------------------------------------

bool Quirel_ExtendMode::checkOutputSizeInPreview(int k, const SSizeDouble& area, int q, int f) {
  if (k == 0 || k == -1) return true;
  const std::shared_ptr<Quirel_OutputSize> size = getOutputSizeObject(k);
  if (!size) return true;
  const double platen = mPlatenResolution;
  double w = 0, h = 0;
  const int unit = size->getUnit();
  if (unit == 2) {
    w = size->getOutputWidth().pixel * platen / 300;
    h = size->getOutputHeight().pixel * platen / 300;
  } else if (unit == 1) {
    w = cmToPixel(size->getOutputWidth().cm, platen);
    h = cmToPixel(size->getOutputHeight().cm, platen);
  } else {
    w = inchToPixel(size->getOutputWidth().inch, platen);
    h = inchToPixel(size->getOutputHeight().inch, platen);
  }
  const double W = area.width, H = area.height;
  bool swap = false;
  if (ver(&Quirel_UIScannerInfo::isVer1500Later) && isThumbnailMode()) {
    swap = (H > W && w > h) || (!(H > W) && h > w);
  } else if (mScanMode == 3 && needRotation90(f, W, H, q)) {
    swap = q == 0 || q == 2;
  } else {
    swap = q == 1 || q == 3;
  }
  if (swap) std::swap(w, h);
  if (w > W || h > H) {
    const SSizeDouble fit = calcSizeInSize(w, h, W, H);
    w = fit.width;
    h = fit.height;
  }
  const double m = 48.0 * platen / 300.0;
  if (w < m && w > 0) {
    h = h * m / w;
    w = m;
  }
  if (h < m && h > 0) {
    w = w * m / h;
    h = m;
  }
  return !(w > W || h > H);
}
