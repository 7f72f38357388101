#include "ui/adjust/ThresholdDialog.h"

#include <cmath>

#include "kit/Box.h"
#include "kit/Control.h"
#include "kit/Font.h"
#include "kit/Image.h"
#include "kit/ImageView.h"
#include "ui/adjust/ThresholdGraphView.h"
#include "ui/controls/CTRLS_ThresholdGraph.h"
#include "ui/controls/CTRLS_ThresholdInputTextF.h"
#include "ui/controls/CTRLS_ThresholdText.h"
#include "ui/controls/DlgBackgroundView.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/SliderCell.h"
#include "ui/controls/StepperCell.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {
constexpr int kThresholdMax = 255;
}  // namespace

Quirel_ThresholdDialog::Quirel_ThresholdDialog(const CropList* crops, Quirel_CropInfo* templateCrop,
                                               const Quirel_UIScannerInfo* scannerInfo, kit::Window* parentWindow)
    : Quirel_FloatingDialog(Code::THRESHOLD, {}, crops, templateCrop, scannerInfo, parentWindow) {}

Quirel_ThresholdDialog::~Quirel_ThresholdDialog() {
  stopObserving();
  if (mThresholdInput && mThresholdInput->getNumberTxtF()) mThresholdInput->getNumberTxtF()->setDelegate(nullptr);
}

// --- window

void Quirel_ThresholdDialog::createThresholdDialog(fnd::Size size) {
  createPanel(size, "IDD_PAGE_TONE_TH_STR", true);
  const bool v1500 = mScannerInfo && mScannerInfo->isVer1500Later();
  const kit::Font small = kit::Font::systemFont(10);

  const double innerX = columnX(size.width);
  mBackgroundView = installBackgroundViews(size, fnd::Rect(innerX, 0, 220, 400), mSubContentView);
  auto addImage = [&](fnd::Rect frame, const char* name, kit::ImageScaling scaling) {
    return mImageViews.emplace_back(addPicture(mBackgroundView, frame, name, scaling));
  };

  // Histogram and the gradation under it.
  if (!mPendingGraphView) mPendingGraphView = std::make_unique<Quirel_ThresholdGraphView>();
  kit::View* graphView = mPendingGraphView->linkedView();
  mGraphFrame = std::make_unique<Quirel_CTRLS_ThresholdGraph>(std::move(mPendingGraphView));
  if (graphView) {
    mBackgroundView->addSubview(graphView);
    mGraphFrame->setGraphViewRect(35, 212, 150, 150);
  }
  addImage(fnd::Rect(35, 198, 151, 10), v1500 ? "ADJ_HORIZONTAL.tif" : "GradationHorizonBar",
           kit::ImageScaling::AxesIndependently);

  // The level: title, field and stepper; the slider goes under the black-and-white bar.
  mThresholdInput = std::make_unique<Quirel_CTRLS_ThresholdInputTextF>(kPictureFolder);
  Quirel_CTRLS_ThresholdInputTextF* in = mThresholdInput.get();
  in->setTitleTxtTitle(localized("IDC_PGTH_THRESHOLD_LEVEL_STR"));
  in->setTitleTxtRect(7, 166, 150, 17);
  in->setNumberTxtFFont(small);
  in->setNumberTxtFRect(157, 166, 40, 19);
  in->setStepperRect(197, 164, 20, 22);
  in->setSliderRect(24, 88, 172, 25);
  const int initial = mScannerInfo ? mScannerInfo->thresholdValue() : 72;
  in->setStringValue(std::to_string(initial).c_str());
  in->getSlider()->setIntValue(initial);
  mShownValue = initial;
  mGraphFrame->setThreshold(initial);
  in->getNumberTxtF()->setDelegate(this);
  mBackgroundView->addSubview(in->getTitleTxt());
  mBackgroundView->addSubview(in->getNumberTxtF());
  mBackgroundView->addSubview(in->getStepper());
  in->setAction();

  const double labelWidth = 220 / 2.0 - 5;
  mLight = std::make_unique<Quirel_CTRLS_ThresholdText>();
  mLight->setTitleTxtTitle(localized("IDC_PGTH_LIGHT_STR"));
  mLight->setTitleTxtRect(5, 138, labelWidth, 16);
  mLight->getTitleTxt()->setAlignment(kit::TextAlignment::Left);
  mLight->getTitleTxt()->setFont(small);
  mDark = std::make_unique<Quirel_CTRLS_ThresholdText>();
  mDark->setTitleTxtTitle(localized("IDC_PGTH_DARK_STR"));
  mDark->setTitleTxtRect(110, 138, labelWidth, 16);
  mDark->getTitleTxt()->setAlignment(kit::TextAlignment::Right);
  mDark->getTitleTxt()->setFont(small);
  mBackgroundView->addSubview(mLight->getTitleTxt());
  mBackgroundView->addSubview(mDark->getTitleTxt());

  // Black-and-white bar with its end icons, drawn at their own size.
  const double iconSize = v1500 ? 32 : 20;
  const double barY = 116;
  addImage(fnd::Rect(24, barY, 172, 12), v1500 ? "ADJ_BER_WHT_BLK.tiff" : "B&W", kit::ImageScaling::AxesIndependently);
  const double iconY = barY + 6 - iconSize / 2;
  addImage(fnd::Rect(std::max(0.0, 24 - iconSize), iconY, iconSize, iconSize), v1500 ? "ADJ_WB_L.tiff" : "white",
           kit::ImageScaling::None);
  addImage(fnd::Rect(196, iconY, iconSize, iconSize), v1500 ? "ADJ_WB_H.tiff" : "black", kit::ImageScaling::None);
  mBackgroundView->addSubview(in->getSlider());

  addSeparator(mSubContentView, fnd::Rect(10, 36, size.width - 20, 1));
  auto makeButton = [&](const char* key, double x, std::function<void()> action) {
    return addPushButton(mBackgroundView, key, fnd::Rect(x, 4, 98, 28), small, std::move(action));
  };
  mBtnReset = makeButton("IDC_PGADV_IPROC_RESET_BTN_STR", 8, [this] { resetBtnClick(); });
  mBtnClose = makeButton("IDC_MAINSHEET_CLOSE_STR", 114, [this] { closeBtnClick(); });

  setToolTipsThreshold();
  registerThresholdObservers();
  storeContentHeights();
}

void Quirel_ThresholdDialog::registerThresholdObservers() {
  Quirel_CTRLS_ThresholdInputTextF* in = mThresholdInput.get();
  kit::View* graphView = mGraphFrame && mGraphFrame->getGraphView() ? mGraphFrame->getGraphView()->linkedView() : nullptr;
  observe(Quirel_NumberField::kSetFocusPost, in->getNumberTxtF(), [this] { txtChg(); });
  observe(Quirel_NumberField::kTextBeginEditPost, in->getNumberTxtF(), [this] { textShouldBeginEdit(); });
  observe(Quirel_CTRLS_LevelInput::kStepperPost, in->getStepper(), [this] { stepperClick(); });
  observe(Quirel_NoFocusStepper::kStepperDownPost, in->getStepper(), [this] { stepperDownChk(); });
  observe(Quirel_StepperCell::kStopTrackingPost, in->getStepperCell(), [this] { stepperUp(); });
  observe(Quirel_CTRLS_LevelInput::kSliderPost, in->getSlider(), [this] { sliderMove(); });
  observe(Quirel_Slider::kSliderMovePost, in->getSlider(), [this] { sliderMoveChk(); });
  observe(Quirel_SliderCell::kStopTrackingPost, in->getSliderCell(), [this] { mouseUpOnSlider(); });
  for (kit::View* v : {static_cast<kit::View*>(mSubContentView), static_cast<kit::View*>(mBackgroundView), graphView})
    if (v) observe(kDlgMouseDownPost, v, [this] { dlgMouseDown(); });
  for (Quirel_DlgImageView* v : mImageViews) observe(kDlgMouseDownPost, v, [this] { dlgMouseDown(); });
  observe(Quirel_NoFocusButton::kButtonDownPost, mBtnReset, [this] { buttonDownChk(true); });
  observe(Quirel_NoFocusButton::kButtonDownPost, mBtnClose, [this] { buttonDownChk(false); });
  registerSyncObservers();
  registerTakeBackObservers({Code::INFO}, {Code::INFO});
}

void Quirel_ThresholdDialog::setToolTipsThreshold() {
  const std::string level = localized("IDC_PGTH_THRESHOLD_EDT", "ToolTips");
  mThresholdInput->getSlider()->setToolTip(level);
  mThresholdInput->getNumberTxtF()->setToolTip(level);
  mThresholdInput->getStepper()->setToolTip(level);
  mBtnReset->setToolTip(localized("IDC_PGTH_RESET_BTN", "ToolTips"));
  mBtnClose->setToolTip(localized("IDC_PGTH_CLOSE_BTN", "ToolTips"));
}

void Quirel_ThresholdDialog::setEnabledToolTips() {
  auto follow = [this](kit::Control* c, const char* key) {
    if (!c) return;
    if (c->isEnabled() && c->toolTip().empty()) c->setToolTip(localized(key, "ToolTips"));
    if (!c->isEnabled() && !c->toolTip().empty()) c->setToolTip("");
  };
  if (mThresholdInput) {
    follow(mThresholdInput->getSlider(), "IDC_PGTH_THRESHOLD_EDT");
    follow(mThresholdInput->getNumberTxtF(), "IDC_PGTH_THRESHOLD_EDT");
    follow(mThresholdInput->getStepper(), "IDC_PGTH_THRESHOLD_EDT");
  }
  follow(mBtnReset, "IDC_PGTH_RESET_BTN");
  follow(mBtnClose, "IDC_PGTH_CLOSE_BTN");
}

void Quirel_ThresholdDialog::setControlsEnabled(bool enabled) {
  if (mBtnClose) mBtnClose->setEnabled(enabled);
  if (mBtnReset) mBtnReset->setEnabled(enabled);
  if (mThresholdInput) mThresholdInput->setEnabled(enabled);
}

void Quirel_ThresholdDialog::setMouseDownOnControl(bool on) {
  if (mThresholdInput) {
    mThresholdInput->getNumberTxtF()->setFocus(on);
    mThresholdInput->getSlider()->setMoveOnOff(on);
    mThresholdInput->getStepper()->setDownOnOff(on);
  }
  if (mBtnReset) mBtnReset->setDownOnOff(on);
  if (mBtnClose) mBtnClose->setDownOnOff(on);
}

// --- values

int Quirel_ThresholdDialog::storedThreshold() const {
  if (!mCropList || mCropList->empty()) return mTemplateCrop ? mTemplateCrop->getThreshold() : mShownValue;
  for (const auto& crop : *mCropList)
    if (crop && crop->isFocus()) return crop->getThreshold();
  // None has the focus: what the dialog shows is the last selected crop's value.
  for (auto it = mCropList->rbegin(); it != mCropList->rend(); ++it)
    if (*it && (*it)->isSelected()) return (*it)->getThreshold();
  return mShownValue;
}

void Quirel_ThresholdDialog::updateThresholdValue(int value) {
  mThresholdInput->setIntValue(value);
  if (mThresholdInput->getSlider()->intValue() != value) mThresholdInput->getSlider()->setIntValue(value);
  mThresholdInput->getStepper()->setIntValue(value);
  mShownValue = value;
}

void Quirel_ThresholdDialog::setAll(int value) {
  mThresholdInput->getSlider()->setIntValue(value);
  mThresholdInput->setIntValue(value);
  mThresholdInput->getStepper()->setIntValue(value);
  mShownValue = value;
}

void Quirel_ThresholdDialog::focusField() {
  if (mWindow && mThresholdInput) mWindow->makeFirstResponder(mThresholdInput->getNumberTxtF());
}

bool Quirel_ThresholdDialog::checkUpdateThresholdSelectedCrop(int value) const {
  for (Quirel_CropInfo* crop : targetCrops())
    if (crop->getThreshold() != value) return true;
  return false;
}

void Quirel_ThresholdDialog::setThresholdSelectedCrop() {
  const int v = mThresholdInput->getIntValue();
  const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  const bool changed = v1700 && checkUpdateThresholdSelectedCrop(v);
  for (Quirel_CropInfo* crop : targetCrops()) crop->setThreshold(v);
  if (v1700 && changed) {
    postDialogValueChange(true);
    mNeedRemakeCropCorrection = true;
  }
}

void Quirel_ThresholdDialog::takeHistogramFrom(const Quirel_CropInfo* crop) {
  if (!crop || !mHasPreview) return;
  crop->getcropCorRect(&mcropCorRect);
  mWidth = static_cast<int>(mcropCorRect.size.width);
  mHeight = static_cast<int>(mcropCorRect.size.height);
  mcropCorData = crop->getcropBefData();
  // Without data the histogram stays as it was.
  if (mcropCorData && mGraphFrame) mGraphFrame->setImgData(mHeight, mWidth, mcropCorData);
}

void Quirel_ThresholdDialog::updateThresholdDialog(const CropList* crops, bool hasPreview, Quirel_CropInfo* templateCrop) {
  mHasPreview = hasPreview;
  mCropList = crops;
  mTemplateCrop = templateCrop;
  int value = 0;
  if (!mCropList || mCropList->empty()) {
    takeHistogramFrom(mTemplateCrop);
    value = mTemplateCrop ? mTemplateCrop->getThreshold() : mShownValue;
  } else {
    for (auto it = mCropList->rbegin(); it != mCropList->rend(); ++it) {
      if (*it && (*it)->isSelected()) {
        value = (*it)->getThreshold();
        if ((*it)->getCropMode() != 2) takeHistogramFrom(it->get());
        break;
      }
    }
    for (auto it = mCropList->rbegin(); it != mCropList->rend(); ++it) {
      if (*it && (*it)->isFocus()) {
        value = (*it)->getThreshold();
        takeHistogramFrom(it->get());
      }
    }
  }
  if (mGraphFrame) mGraphFrame->getPreviewInfo(hasPreview);
  updateThresholdValue(value);
  if (mGraphFrame) {
    mGraphFrame->setThreshold(value);
    mGraphFrame->updateDisplay();
  }
}

// --- the announcements

namespace {
// The threshold dialog asks for the remake without a histogram redraw of its own.
void postThresholdRemake(const Quirel_FloatingDialog* dialog) {
  fnd::SharedDictionary info = fnd::makeShared();
  info->set("Module", fnd::Value(Quirel_FloatingDialog::kRemakeModule));
  fnd::NotificationCenter::defaultCenter().post(Quirel_FloatingDialog::kRemakePost, dialog, info);
}
}  // namespace

// --- slider, stepper, reset, close

void Quirel_ThresholdDialog::sliderMove() {
  mTextChg = false;
  const int v = mThresholdInput->getSlider()->intValue();
  mThresholdInput->setIntValue(v);
  mThresholdInput->getStepper()->setIntValue(v);
  mShownValue = v;
  mGraphFrame->setThreshold(v);
  mGraphFrame->updateDisplay();
  setThresholdSelectedCrop();
  focusField();
  postDialogValueChange(false);
}

void Quirel_ThresholdDialog::mouseUpOnSlider() {
  if (mScannerInfo && mScannerInfo->isVer1700Later()) {
    if (!mNeedRemakeCropCorrection) return;
    mNeedRemakeCropCorrection = false;
  }
  postThresholdRemake(this);
  bringToFrontAsKey();
}

void Quirel_ThresholdDialog::stepperClick() {
  mTextChg = false;
  const int v = mThresholdInput->getStepper()->intValue();
  mThresholdInput->setIntValue(v);
  if (mThresholdInput->getSlider()->intValue() != v) mThresholdInput->getSlider()->setIntValue(v);
  mShownValue = v;
  mGraphFrame->setThreshold(v);
  mGraphFrame->updateDisplay();
}

void Quirel_ThresholdDialog::stepperUp() {
  if (!checkUpdateThresholdSelectedCrop(mThresholdInput->getIntValue())) return;
  setThresholdSelectedCrop();
  focusField();
  postDialogValueChange(false);
  mouseUpOnSlider();
}

void Quirel_ThresholdDialog::resetBtnClick() {
  mUpdateImageFlg = false;
  const int d = mScannerInfo ? mScannerInfo->thresholdValue() : 72;
  mImageUpdateDone = checkUpdateThresholdSelectedCrop(d);
  setAll(d);
  mGraphFrame->setThreshold(d);
  mGraphFrame->updateDisplay();
  setThresholdSelectedCrop();
  focusField();
  if (mImageUpdateDone) {
    mImageUpdateDone = false;
    postDialogValueChange(false);
    mouseUpOnSlider();
  }
}

void Quirel_ThresholdDialog::closeBtnClick() {
  mTextChg = false;
  checkTheValue();
  if (mUpdateImageFlg) {
    mUpdateImageFlg = false;
    postDialogValueChange(false);
    mouseUpOnSlider();
  }
  close();
}

// --- typing

bool Quirel_ThresholdDialog::checkTheValue() {
  const std::string text = mThresholdInput->getStringValue();
  const int v = mThresholdInput->getIntValue();
  if (v > kThresholdMax || roundDownForString(text, 0) == "nan" || text.empty()) {
    const int restore = storedThreshold();
    showValueMessage();
    bringToFrontAsKey();
    mTextAlert = false;
    setAll(restore);
    focusField();
    return false;
  }
  if (mNotMoveSliderFlg) return true;
  setAll(v);
  focusField();
  if (!mNotMoveSliderFlg) {
    mGraphFrame->setThreshold(v);
    mGraphFrame->updateDisplay();
    setThresholdSelectedCrop();
  }
  return true;
}

void Quirel_ThresholdDialog::fixPosts() {
  post("THRESHOLD_FIX_TO_MAIN");
  post("THRESHOLD_FIX_TO_DLG");
}

void Quirel_ThresholdDialog::textShouldBeginEdit() {
  mTextChg = true;
  setMouseDownOnControl(false);
  post("THRESHOLD_CHG_TO_DLG");
  mTextAlert = true;
  post("THRESHOLD_CHG_TO_MAIN");
}

void Quirel_ThresholdDialog::controlTextDidChange(kit::TextField& field) {
  if (!mThresholdInput || &field != mThresholdInput->getNumberTxtF()) return;
  mTextChg = true;
  if (field.stringValue().empty()) {
    setMouseDownOnControl(false);
    post("THRESHOLD_CHG_TO_DLG");
    mTextAlert = true;
  } else {
    mThresholdInput->getStepper()->setIntValue(field.intValue());
    if (field.intValue() <= kThresholdMax) {
      setMouseDownOnControl(true);
      post("THRESHOLD_VALUE_FIX");
      mTextAlert = false;
    } else {
      setMouseDownOnControl(false);
      post("THRESHOLD_CHG_TO_DLG");
      mTextAlert = true;
    }
  }
  post("THRESHOLD_CHG_TO_MAIN");
}

void Quirel_ThresholdDialog::dlgMouseDown() {
  if (!mTextChg) return;
  mTextChg = false;
  if (checkTheValue()) {
    fixPosts();
    postDialogValueChange(false);
    mouseUpOnSlider();
  } else {
    setMouseDownOnControl(true);
    fixPosts();
  }
}

void Quirel_ThresholdDialog::valueFixes() { dlgMouseDown(); }

void Quirel_ThresholdDialog::controlTextDidEndEditing(kit::TextField& field) {
  if (!mThresholdInput || &field != mThresholdInput->getNumberTxtF() || !mTextChg) return;
  mTextChg = false;
  setMouseDownOnControl(true);
  const bool ok = checkTheValue();
  fixPosts();
  focusField();
  postDialogValueChange(false);
  if (ok) mouseUpOnSlider();
}

void Quirel_ThresholdDialog::sliderMoveChk() {
  if (!mTextChg) return;
  mTextChg = false;
  const bool ok = checkTheValue();
  fixPosts();
  if (ok) post(kControlSetYesPost);
  focusField();
}

void Quirel_ThresholdDialog::stepperDownChk() { sliderMoveChk(); }

void Quirel_ThresholdDialog::buttonDownChk(bool reset) {
  if (mTextChg) {
    mTextChg = false;
    mNotMoveSliderFlg = reset;
    const bool ok = checkTheValue();
    fixPosts();
    if (ok) {
      post(kControlSetYesPost);
      mUpdateImageFlg = true;
    }
    focusField();
  }
  mNotMoveSliderFlg = false;
}

void Quirel_ThresholdDialog::txtChg() {
  if (!mTextChg) return;
  mTextChg = false;
  checkTheValue();
  fixPosts();
  post(kControlSetYesPost);
  focusField();
}

// --- key window and close box

void Quirel_ThresholdDialog::windowDidResignKey(kit::Window&) {
  if (!mTextAlert && mWindow) mWindow->makeFirstResponder(nullptr);
}

void Quirel_ThresholdDialog::takeBack(bool fromMain) {
  bringToFrontAsKey();
  if (!mTextChg) return;
  mTextChg = false;
  if (checkTheValue()) {
    focusField();
    postDialogValueChange(false);
    mouseUpOnSlider();
  } else {
    setMouseDownOnControl(true);
    focusField();
  }
  if (fromMain) {
    post("TITLE_DOWN_OK_FROM_THRE");
  } else {
    fixPosts();
  }
}

bool Quirel_ThresholdDialog::windowShouldClose(kit::Window&) {
  if (!mCloseOKFlg) {
    mCloseOKFlg = true;
    post(kMainMakeKeyPost);
    return false;
  }
  if (!mTextChg) return true;
  mTextChg = false;
  if (!checkTheValue()) {
    setMouseDownOnControl(true);
    fixPosts();
    focusField();
    return false;
  }
  fixPosts();
  focusField();
  postDialogValueChange(false);
  mouseUpOnSlider();
  return true;
}

void Quirel_ThresholdDialog::willCloseDlg() {
  if (!mTextChg) return;
  const std::string text = mThresholdInput->getStringValue();
  const int v = mThresholdInput->getIntValue();
  // An empty or too large entry is no value: the shown one stays, never a 0 nobody typed.
  const bool number = !text.empty() && roundDownForString(text, 0) != "nan";
  setAll(number && v <= kThresholdMax ? v : storedThreshold());
  setThresholdSelectedCrop();
  fixPosts();
  postDialogValueChange(false);
}
