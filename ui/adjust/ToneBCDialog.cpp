#include "ui/adjust/ToneBCDialog.h"

#include <cmath>

#include "kit/Box.h"
#include "kit/Control.h"
#include "kit/Font.h"
#include "kit/Image.h"
#include "kit/ImageView.h"
#include "ui/adjust/GraphFrameView.h"
#include "ui/adjust/ToneBCGraphView.h"
#include "ui/controls/CTRLS_ToneBCChannelPopup.h"
#include "ui/controls/CTRLS_ToneBCGraph.h"
#include "ui/controls/CTRLS_ToneBCInputTextF.h"
#include "ui/controls/CTRLS_ToneBCText.h"
#include "ui/controls/DlgBackgroundView.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/SliderCell.h"
#include "ui/controls/StepperCell.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

constexpr int kToneBCMin = -127;
constexpr int kToneBCMax = 127;
// The strip over the graph area.
constexpr double kToneBCTopStrip = 33;

int toneBCComponent(const ChannelValues& v, int channel) {
  switch (channel) {
    case 1: return v.red;
    case 2: return v.green;
    case 3: return v.blue;
    default: return v.master;
  }
}

void setToneBCComponent(ChannelValues& v, int channel, int value) {
  switch (channel) {
    case 1: v.red = value; break;
    case 2: v.green = value; break;
    case 3: v.blue = value; break;
    default: v.master = value; break;
  }
}

ChannelValues& toneBCHalf(ToneBCValues& v, int row) { return row == 0 ? v.brightness : v.contrast; }

struct ToneBCRowLook {
  const char* title;
  double titleY, fieldY, stepperY, labelY, sliderY;
  const char* leftKey;
  const char* rightKey;
  const char* olderLeftKey;  // before 1600
  const char* olderRightKey;
  const char* newImages[3];  // left end, bar, right end
  const char* oldImages[3];
  const char* toolTip;
};

constexpr ToneBCRowLook kToneBCRows[2] = {
    {"IDC_PGBC_BRGHT_LABEL_STR", 170, 170, 168, 148, 120, "IDC_PGBC_DARK_LABEL_STR", "IDC_PGBC_BRGHT2_LABEL_STR",
     "IDC_PGBC_DARK_LABEL_STR", "IDC_PGBC_BRGHT2_LABEL_STR",
     {"ADJ_BRIGHT_L.tiff", "ADJ_BER_BLK_WHT.tiff", "ADJ_BRIGHT_H.tiff"}, {"Brightness_L", "BrightnessBar", "Brightness_R"},
     "IDC_PGBC_BRIGHTNESS_SLD"},
    {"IDC_PGBC_CNTRST_LABEL_STR", 96, 96, 94, 74, 46, "IDC_PGBC_LOW_LABEL_STR", "IDC_PGBC_HIGH_LABEL_STR", "IDS_INFO_COPY1",
     "IDS_INFO_COPY2", {"ADJ_CONTRAST_L.tiff", "ADJ_BER_HALF_WHT_BLK.tiff", "ADJ_CONTRAST_H.tiff"},
     {"Contrast_L.icns", "ContrastBar", "Contrast_R.icns"}, "IDC_PGBC_CONTRAST_SLD"},
};

}  // namespace

Quirel_ToneBCDialog::Quirel_ToneBCDialog(const CropList* crops, Quirel_CropInfo* templateCrop,
                                         const Quirel_UIScannerInfo* scannerInfo, kit::Window* parentWindow,
                                         double userSpaceScaleFactor)
    : Quirel_FloatingDialog(Code::TONEBC, {Code::COLOR, Code::HIST}, crops, templateCrop, scannerInfo, parentWindow),
      mUserSpaceScaleFactor(userSpaceScaleFactor) {}

Quirel_ToneBCDialog::~Quirel_ToneBCDialog() {
  stopObserving();
  for (auto& r : mInputs)
    if (r && r->getNumberTxtF()) r->getNumberTxtF()->setDelegate(nullptr);
}

kit::View* Quirel_ToneBCDialog::graphArea() const { return mGraphAreaView; }

// --- window

void Quirel_ToneBCDialog::createToneBCDialog(fnd::Size size) {
  createPanel(size, "IDD_PAGE_TONE_BC_STR", true);
  const bool v1500 = mScannerInfo && mScannerInfo->isVer1500Later();
  const bool v1600 = mScannerInfo && mScannerInfo->isVer1600Later();
  const kit::Font small = kit::Font::systemFont(10);

  const double innerX = columnX(size.width);
  mBackgroundView = installBackgroundViews(size, fnd::Rect(innerX, 0, 220, 400), mSubContentView);
  mBackgroundView->setAutoresizesSubviews(false);
  auto addImage = [&](kit::View* parent, fnd::Rect frame, const char* name, kit::ImageScaling scaling) {
    return mImageViews.emplace_back(addPicture(parent, frame, name, scaling));
  };

  // Fold button and channel menu over the graph.
  auto fold = std::make_unique<Quirel_NoFocusButton>(v1500 ? fnd::Rect(5, 375, 20, 20) : fnd::Rect(5, 376, 17, 18));
  fold->setButtonType(kit::ButtonType::MomentaryChange);
  fold->setBezelStyle(kit::BezelStyle::ShadowlessSquare);
  fold->setBordered(false);
  fold->setImagePosition(kit::ImagePosition::ImageOnly);
  fold->setImage(kit::Image::fromFile(getFileName(v1500 ? "BT_FOLD.tif" : "Folditem")));
  fold->setAction([this] { changeBtnClick(); });
  mChangeBtn = static_cast<Quirel_NoFocusButton*>(mBackgroundView->addSubview(std::move(fold)));
  mChannelPopupBtn = std::make_unique<Quirel_CTRLS_ToneBCChannelPopup>();
  mChannelPopupBtn->setTitleTxtTitle(localized("IDC_PGBC_CH_LABEL_STR"));
  mChannelPopupBtn->setTitleTxtRect(28, 377, 72, 13);
  mChannelPopupBtn->setPopupBTRect(100, 371, 96, 22);
  mChannelPopupBtn->setPopupBTFont(small);
  mChannelPopupBtn->getPopupBT()->setNotificationType(2);
  mBackgroundView->addSubview(mChannelPopupBtn->getTitleTxt());
  mBackgroundView->addSubview(mChannelPopupBtn->getPopupBT());
  mChannelPopupBtn->setPopupBTAction();

  // Graph area: frame, graph, gradation bars.
  buildGraphArea(220, v1500 ? "ADJ_VERTICAL.tif" : "GradationverticalBar",
                 v1500 ? "ADJ_HORIZONTAL.tif" : "GradationHorizonBar");

  // Brightness and contrast rows.
  // The end icons scaled to fit beside the slider, whichever picture set.
  const double endSize = 20;
  for (int r = 0; r < 2; ++r) {
    const ToneBCRowLook& look = kToneBCRows[r];
    auto input = makeInputRow(look.title, look.titleY, look.fieldY, look.stepperY, look.sliderY, small);

    const double labelWidth = std::floor((220 - 10) / 2.0);
    const char* keys[2] = {v1600 || r == 0 ? look.leftKey : look.olderLeftKey,
                           v1600 || r == 0 ? look.rightKey : look.olderRightKey};
    for (int side = 0; side < 2; ++side) {
      auto label = std::make_unique<Quirel_CTRLS_ToneBCText>();
      label->setTitleTxtTitle(localized(keys[side]));
      label->setTitleTxtRect(side == 0 ? 5 : 5 + labelWidth, look.labelY, labelWidth, 16);
      label->getTitleTxt()->setAlignment(side == 0 ? kit::TextAlignment::Left : kit::TextAlignment::Right);
      label->getTitleTxt()->setFont(small);
      mBackgroundView->addSubview(label->getTitleTxt());
      mLabels.push_back(std::move(label));
    }
    const char* const* names = v1500 ? look.newImages : look.oldImages;
    const double endY = look.sliderY + (25 - endSize) / 2;
    addImage(mBackgroundView, fnd::Rect(2, endY, endSize, endSize), names[0],
             kit::ImageScaling::ProportionallyUpOrDown);
    addImage(mBackgroundView, fnd::Rect(24, look.sliderY - 4, 172, 8), names[1], kit::ImageScaling::AxesIndependently);
    addImage(mBackgroundView, fnd::Rect(198, endY, endSize, endSize), names[2],
             kit::ImageScaling::ProportionallyUpOrDown);
    // The slider over its bar.
    mBackgroundView->addSubview(input->getSlider());
    mInputs[static_cast<std::size_t>(r)] = std::move(input);
  }

  addSeparator(mSubContentView, fnd::Rect(10, 36, size.width - 20, 1));
  auto makeButton = [&](const char* key, double x, std::function<void()> action) {
    return addPushButton(mBackgroundView, key, fnd::Rect(x, 4, 98, 28), small, std::move(action));
  };
  mResetBtn = makeButton("IDC_PGADV_IPROC_RESET_BTN_STR", 8, [this] { resetBtnClick(); });
  mCloseBtn = makeButton("IDC_MAINSHEET_CLOSE_STR", 114, [this] { closeBtnClick(); });

  popupSelected = 3;
  fillChannelMenu();
  mToneBCChannel = 0;
  mChannelPopupBtn->select(0);
  mChgBtnOnOffState = true;
  setEnabledToolTips();

  registerToneBCObservers({Code::COLOR, Code::HIST, Code::CURVE, Code::FINAL, Code::INFO});

  storeContentHeights();
  mContentHeight_Close = mContentHeight_Open - kGraphAreaHeight;
}

void Quirel_ToneBCDialog::registerToneBCObservers(const std::vector<Code>& takeBackFrom) {
  kit::View* graphView = mGraphFrame && mGraphFrame->getGraphView() ? mGraphFrame->getGraphView()->linkedView() : nullptr;
  observe(Quirel_CTRLS_ToneBCChannelPopup::kChangePost, mChannelPopupBtn->getPopupBT(), [this] { popupBtnClick(); });
  observe(Quirel_NoFocusPopUpButton::kSetValuePost, mChannelPopupBtn->getPopupBT(), [this] { popupBtnMouseDown(); });
  for (int r = 0; r < 2; ++r) {
    Quirel_CTRLS_ToneBCInputTextF* in = row(r);
    observe(Quirel_CTRLS_LevelInput::kSliderPost, in->getSlider(), [this, r] { sliderMove(r); });
    observe(Quirel_Slider::kSliderMovePost, in->getSlider(), [this] { sliderMoveChk(); });
    observe(Quirel_NumberField::kTextBeginEditPost, in->getNumberTxtF(), [this, r] { textShouldBeginEdit(r); });
    observe(Quirel_NumberField::kSetFocusPost, in->getNumberTxtF(), [this] { showAlertDialog(); });
    observe(Quirel_CTRLS_LevelInput::kStepperPost, in->getStepper(), [this, r] { stepperClick(r); });
    observe(Quirel_NoFocusStepper::kStepperDownPost, in->getStepper(), [this] { stepperDownChk(); });
    observe(Quirel_StepperCell::kStopTrackingPost, in->getStepperCell(), [this, r] { stepperUp(r); });
    observe(Quirel_SliderCell::kStopTrackingPost, in->getSliderCell(), [this] { mouseUpOnSlider(); });
  }
  for (Quirel_NoFocusButton* b : {mChangeBtn, mResetBtn, mCloseBtn})
    observe(Quirel_NoFocusButton::kButtonDownPost, b, [this, b] { buttonDownChk(b); });
  for (kit::View* v : {static_cast<kit::View*>(mSubContentView), static_cast<kit::View*>(mBackgroundView),
                       static_cast<kit::View*>(mGraphAreaView), graphView})
    if (v) observe(kDlgMouseDownPost, v, [this] { dlgMouseDown(); });
  for (Quirel_DlgImageView* v : mImageViews) observe(kDlgMouseDownPost, v, [this] { dlgMouseDown(); });
  registerSyncObservers();
  registerTakeBackObservers(takeBackFrom, takeBackFrom);

}

void Quirel_ToneBCDialog::buildGraphArea(double width, const char* verticalBar, const char* horizontalBar) {
  mGraphAreaView = static_cast<Quirel_DlgBackgroundView*>(mBackgroundView->addSubview(
      std::make_unique<Quirel_DlgBackgroundView>(fnd::Rect(0, mLowerHeight, width, kGraphAreaHeight))));
  mGraphAreaView->setAutoresizesSubviews(false);
  auto addBar = [this](fnd::Rect frame, const char* name) {
    Quirel_DlgImageView* bar = addPicture(mGraphAreaView, frame, name, kit::ImageScaling::AxesIndependently);
    mImageViews.push_back(bar);
    mGradationViews.push_back(bar);
  };
  addBar(fnd::Rect(24, 16, 10, 153), verticalBar);
  mFrame = static_cast<Quirel_GraphFrameView*>(
      mGraphAreaView->addSubview(std::make_unique<Quirel_GraphFrameView>(fnd::Rect(36, 16, 152, 152))));
  if (!mPendingGraphView) mPendingGraphView = std::make_unique<Quirel_ToneBCGraphView>();
  kit::View* graphView = mPendingGraphView->linkedView();
  mGraphFrame = std::make_unique<Quirel_CTRLS_ToneBCGraph>(std::move(mPendingGraphView));
  if (graphView) {
    mGraphAreaView->addSubview(graphView);
    mGraphFrame->setGraphViewRect(37, 17, 150, 150);
  }
  addBar(fnd::Rect(36, 3, 153, 10), horizontalBar);
}

std::unique_ptr<Quirel_CTRLS_ToneBCInputTextF> Quirel_ToneBCDialog::makeInputRow(const char* titleKey, double titleY,
                                                                                double fieldY, double stepperY,
                                                                                double sliderY, const kit::Font& font) {
  auto input = std::make_unique<Quirel_CTRLS_ToneBCInputTextF>(kPictureFolder);
  input->setTitleTxtTitle(localized(titleKey));
  input->setTitleTxtRect(7, titleY, 150, 17);
  input->setNumberFieldFont(font);
  input->setNumberTxtFRect(157, fieldY, 40, 19);
  input->setStepperRect(197, stepperY, 20, 22);
  input->setSliderRect(24, sliderY, 172, 25);
  input->setStringValue("0");
  input->getSlider()->setIntValue(0);
  input->getNumberTxtF()->setDelegate(this);
  mBackgroundView->addSubview(input->getTitleTxt());
  mBackgroundView->addSubview(input->getNumberTxtF());
  mBackgroundView->addSubview(input->getStepper());
  input->setAction();
  return input;
}

void Quirel_ToneBCDialog::fillChannelMenu() {
  mChannelPopupBtn->removeAllPopupItems();
  if (popupSelected >= 3 && popupSelected <= 5) {
    addColorChannelItems(*mChannelPopupBtn);
  } else if (popupSelected == 1 || popupSelected == 2) {
    mChannelPopupBtn->addPopupItem(localized("IDS_GRAY"));
    mToneBCChannel = 0;
  }
  mChannelPopupBtn->setPopupBTFont(kit::Font::systemFont(10));
}

void Quirel_ToneBCDialog::setColorMode(int mode) {
  popupSelected = mode;
  if (!mChannelPopupBtn) return;
  fillChannelMenu();
  for (int r = 0; r < 2; ++r) setRowValue(r, 0);
  mChannelPopupBtn->select(0);
  if (mGraphFrame) mGraphFrame->updateDisplay();
}

void Quirel_ToneBCDialog::placeColumn() {
  if (!mWindow || !mBackgroundView) return;
  const double height = mWindow->contentRectSize().height;
  if (height <= 0) return;  // only the title bar: nothing to place
  const double area = mChgBtnOnOffState ? kGraphAreaHeight : 0;
  const double top = mLowerHeight + area;
  fnd::Rect column = mBackgroundView->frame();
  column.size.height = top + kToneBCTopStrip;
  mBackgroundView->setFrame(column);
  mGraphAreaView->setFrame(fnd::Rect(0, mLowerHeight, 220, area));
  fnd::Rect fold = mChangeBtn->frame();
  fold.origin.y = top + (fold.size.height > 18 ? 8 : 9);
  mChangeBtn->setFrame(fold);
  for (kit::View* v : {static_cast<kit::View*>(mChannelPopupBtn->getTitleTxt()),
                       static_cast<kit::View*>(mChannelPopupBtn->getPopupBT())}) {
    fnd::Rect r = v->frame();
    r.origin.y = top + (v == mChannelPopupBtn->getPopupBT() ? 4 : 10);
    v->setFrame(r);
  }
  mSubContentView->setNeedsDisplay(true);
}

void Quirel_ToneBCDialog::setContentState(int state) {
  Quirel_FloatingDialog::setContentState(state);
  placeColumn();
}

bool Quirel_ToneBCDialog::windowShouldZoom(kit::Window&, const fnd::Rect&) {
  if (!(mScannerInfo && mScannerInfo->isVer1400Later())) return false;
  if (mContentState == kHidden)
    setContentState(mChgBtnOnOffState ? kOpen : kClosed);
  else
    setContentState(kHidden);
  return false;
}

void Quirel_ToneBCDialog::changeBtnClick() {
  const bool v1500 = mScannerInfo && mScannerInfo->isVer1500Later();
  mChangeBtn->setState(0);
  mChgBtnOnOffState = !mChgBtnOnOffState;
  postFinishedEdit(mUpdateImageFlg, false);
  const char* picture = mChgBtnOnOffState ? (v1500 ? "BT_FOLD.tif" : "Folditem") : (v1500 ? "BT_SPREAD.tif" : "Spreaditem");
  mChangeBtn->setImage(kit::Image::fromFile(getFileName(picture)));
  mFrame->setHidden(!mChgBtnOnOffState);
  mGraphFrame->setHidden(!mChgBtnOnOffState);
  for (Quirel_DlgImageView* v : mGradationViews) v->setHidden(!mChgBtnOnOffState);
  setContentState(mChgBtnOnOffState ? kOpen : kClosed);
}

void Quirel_ToneBCDialog::setOpend(bool open) {
  if (mChangeBtn && mChgBtnOnOffState != open) changeBtnClick();
  mChgBtnOnOffState = open;
}

void Quirel_ToneBCDialog::setEnabledToolTips() {
  auto follow = [this](kit::Control* v, const char* key) {
    if (!v) return;
    if (v->isEnabled() && v->toolTip().empty()) v->setToolTip(localized(key, "ToolTips"));
    if (!v->isEnabled() && !v->toolTip().empty()) v->setToolTip("");
  };
  if (mChannelPopupBtn) follow(mChannelPopupBtn->getPopupBT(), "IDC_PGBC_CH_CMB");
  follow(mChangeBtn, "IDC_PGBC_FOLD_BTN");
  for (int r = 0; r < 2; ++r) {
    if (!row(r)) continue;
    follow(row(r)->getSlider(), kToneBCRows[r].toolTip);
    follow(row(r)->getStepper(), kToneBCRows[r].toolTip);
    follow(row(r)->getNumberTxtF(), kToneBCRows[r].toolTip);
  }
  follow(mResetBtn, "IDC_PGBC_RESET_BTN");
  follow(mCloseBtn, "IDC_PGBC_CLOSE_BTN");
}

void Quirel_ToneBCDialog::setControlsEnabled(bool enabled) {
  for (auto& r : mInputs)
    if (r) r->setEnabled(enabled);
  if (mChannelPopupBtn) mChannelPopupBtn->setEnabled(enabled);
  for (Quirel_NoFocusButton* b : {mChangeBtn, mResetBtn, mCloseBtn})
    if (b) b->setEnabled(enabled);
}

void Quirel_ToneBCDialog::setMouseDownOnControl(bool on) {
  for (auto& r : mInputs) {
    if (!r) continue;
    r->getNumberTxtF()->setFocus(on);
    r->getStepper()->setDownOnOff(on);
    r->getSlider()->setMoveOnOff(on);
  }
  if (mChannelPopupBtn) mChannelPopupBtn->setMenuOnOff(on);
  for (Quirel_NoFocusButton* b : {mChangeBtn, mResetBtn, mCloseBtn})
    if (b) b->setDownOnOff(on);
}

// --- values

Quirel_CropInfo* Quirel_ToneBCDialog::shownCrop() const {
  if (!mCropList || mCropList->empty()) return mTemplateCrop;
  for (auto it = mCropList->rbegin(); it != mCropList->rend(); ++it)
    if (*it && (*it)->isFocus()) return it->get();
  // None has the focus: the values the selected crops are about to take are the last selected
  // one's, never zeros nobody set.
  for (auto it = mCropList->rbegin(); it != mCropList->rend(); ++it)
    if (*it && (*it)->isSelected()) return it->get();
  return nullptr;
}

int Quirel_ToneBCDialog::storedValue(int r) const {
  if (const Quirel_CropInfo* crop = shownCrop()) {
    ToneBCValues v = crop->getToneBC();
    return toneBCComponent(toneBCHalf(v, r), mToneBCChannel);
  }
  return mShownValue[static_cast<std::size_t>(r)];
}

void Quirel_ToneBCDialog::setRowValue(int r, int value) {
  Quirel_CTRLS_ToneBCInputTextF* in = row(r);
  if (!in) return;
  in->setStringValue(std::to_string(value).c_str());
  if (in->getSlider()->intValue() != value) in->getSlider()->setIntValue(value);
  mShownValue[static_cast<std::size_t>(r)] = value;
}

void Quirel_ToneBCDialog::updateToneBCValue(int brightness, int contrast) {
  setRowValue(kBrightness, brightness);
  setRowValue(kContrast, contrast);
}

void Quirel_ToneBCDialog::updateToneBCDialog(const CropList* crops, Quirel_CropInfo* templateCrop) {
  if (mChannelPopupBtn) mChannelPopupBtn->select(mToneBCChannel);
  if (mGraphFrame) mGraphFrame->setChannel(mToneBCChannel);
  mTextChg = {false, false};
  mCropList = crops;
  mTemplateCrop = templateCrop;
  if (const Quirel_CropInfo* crop = shownCrop()) {
    mGraphValues = crop->getToneBC();
    updateToneBCValue(toneBCComponent(mGraphValues.brightness, mToneBCChannel),
                      toneBCComponent(mGraphValues.contrast, mToneBCChannel));
    if (mGraphFrame) {
      mGraphFrame->setBrightness(mGraphValues.brightness);
      mGraphFrame->setContrast(mGraphValues.contrast);
      mGraphFrame->updateDisplay();
    }
  }
  if (mMainBtnOpen) {
    mMainBtnOpen = false;
    if (mWindow) mWindow->makeFirstResponder(nullptr);
  }
}

void Quirel_ToneBCDialog::updateGraphByTextFieldValue() {
  if (!mGraphFrame) return;
  for (int r = 0; r < 2; ++r) setToneBCComponent(toneBCHalf(mGraphValues, r), mToneBCChannel, row(r)->getIntValue());
  mGraphFrame->setChannel(mToneBCChannel);
  mGraphFrame->setBrightness(mGraphValues.brightness);
  mGraphFrame->setContrast(mGraphValues.contrast);
  mGraphFrame->updateDisplay();
}

bool Quirel_ToneBCDialog::checkUpdateSelectedCrop(int r) const {
  const int v = row(r)->getIntValue();
  for (Quirel_CropInfo* crop : targetCrops()) {
    ToneBCValues values = crop->getToneBC();
    if (toneBCComponent(toneBCHalf(values, r), mToneBCChannel) != v) return true;
  }
  return false;
}

void Quirel_ToneBCDialog::setSelectedCrop(int r) {
  const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  const bool changed = v1700 && checkUpdateSelectedCrop(r);
  const int v = row(r)->getIntValue();
  ToneBCValues last{};
  for (Quirel_CropInfo* crop : targetCrops()) {
    ToneBCValues values = crop->getToneBC();
    setToneBCComponent(toneBCHalf(values, r), mToneBCChannel, v);
    crop->setToneBC(values);
    last = values;
  }
  // The graph shows the last record written, the zero record when no crop took the value.
  if (mGraphFrame) {
    mGraphValues = last;
    mGraphFrame->setBrightness(last.brightness);
    mGraphFrame->setContrast(last.contrast);
  }
  if (v1700 && changed) {
    post(kDialogValueChangePost);
    mNeedRemakeCropCorrection = true;
  }
}

void Quirel_ToneBCDialog::focusRow(int r) {
  if (mWindow && row(r)) mWindow->makeFirstResponder(row(r)->getNumberTxtF());
}

// --- popup, slider, stepper, reset, close

void Quirel_ToneBCDialog::popupBtnClick() {
  const int item = mChannelPopupBtn->selected();
  mToneBCChannel = item < 0 ? 0 : item;
  updateToneBCDialog(mCropList, mTemplateCrop);
}

void Quirel_ToneBCDialog::sliderMove(int r) {
  setSelectedCrop(r);
  if (mGraphFrame) mGraphFrame->updateDisplay();
  post(kFinalUpdatePost);
  focusRow(r);
  postDialogValueChange(false);
}

void Quirel_ToneBCDialog::mouseUpOnSlider() { postRemakeCropFromCorrection(); }

void Quirel_ToneBCDialog::stepperClick(int) { updateGraphByTextFieldValue(); }

void Quirel_ToneBCDialog::stepperUp(int r) {
  Quirel_CTRLS_ToneBCInputTextF* in = row(r);
  const int v = in->getStepper()->intValue();
  in->setIntValue(v);
  if (in->getSlider()->intValue() != v) in->getSlider()->setIntValue(v);
  if (!checkUpdateSelectedCrop(r)) return;
  setSelectedCrop(r);
  if (mGraphFrame) mGraphFrame->updateDisplay();
  post(kFinalUpdatePost);
  focusRow(r);
  postDialogValueChange(false);
  postRemakeCropFromCorrection();
}

void Quirel_ToneBCDialog::resetDropDownList() {
  const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  bool changed = false;
  for (Quirel_CropInfo* crop : targetCrops()) {
    const ToneBCValues v = crop->getToneBC();
    for (const ChannelValues& c : {v.brightness, v.contrast})
      if (c.master || c.red || c.green || c.blue) changed = true;
    crop->setToneBC_Channel(0);
    crop->setToneBC(ToneBCValues{{0, 0, 0, 0}, {0, 0, 0, 0}});
  }
  mGraphValues = ToneBCValues{{0, 0, 0, 0}, {0, 0, 0, 0}};
  if (mGraphFrame) {
    mGraphFrame->setBrightness(mGraphValues.brightness);
    mGraphFrame->setContrast(mGraphValues.contrast);
  }
  if (changed) mImageUpdateDone = true;
  if (v1700 && changed) {
    post(kDialogValueChangePost);
    mNeedRemakeCropCorrection = true;
  }
}

void Quirel_ToneBCDialog::resetBtnClick() {
  mUpdateImageFlg = false;
  updateToneBCValue(0, 0);
  mChannelPopupBtn->select(0);
  resetDropDownList();
  if (mGraphFrame) {
    mGraphFrame->setChannel(0);
    mGraphFrame->updateDisplay();
  }
  mToneBCChannel = 0;
  postFinishedEdit(mImageUpdateDone, true);
}

void Quirel_ToneBCDialog::closeBtnClick() {
  postFinishedEdit(mUpdateImageFlg, false);
  close();
}

// --- typing

int Quirel_ToneBCDialog::rowOfField(const kit::TextField* field) const {
  for (int r = 0; r < 2; ++r)
    if (row(r) && row(r)->getNumberTxtF() == field) return r;
  return -1;
}

int Quirel_ToneBCDialog::pendingRow() const {
  for (int r = 0; r < 2; ++r)
    if (mTextChg[static_cast<std::size_t>(r)]) return r;
  return -1;
}

void Quirel_ToneBCDialog::textShouldBeginEdit(int r) {
  if (r < 0 || r > 1) return;
  mTextChg[static_cast<std::size_t>(r)] = true;
  mTextChg[static_cast<std::size_t>(1 - r)] = false;
  setMouseDownOnControl(false);
  post("TONEBC_CHG_TO_DLG");
  mTextAlert[static_cast<std::size_t>(r)] = true;
  post("TONEBC_CHG_TO_MAIN");
}

void Quirel_ToneBCDialog::controlTextDidChange(kit::TextField& field) {
  const int r = rowOfField(&field);
  if (r < 0) return;
  const auto i = static_cast<std::size_t>(r);
  mTextChg[i] = true;
  mTextChg[1 - i] = false;
  const std::string text = field.stringValue();
  if (!text.empty()) row(r)->getStepper()->setIntValue(field.intValue());
  const int v = field.intValue();
  if (!text.empty() && v >= kToneBCMin && v <= kToneBCMax) {
    setMouseDownOnControl(true);
    post("TONEBC_VALUE_FIX");
    mTextAlert[i] = false;
  } else {
    setMouseDownOnControl(false);
    post("TONEBC_CHG_TO_DLG");
    mTextAlert[i] = true;
  }
  post("TONEBC_CHG_TO_MAIN");
}

bool Quirel_ToneBCDialog::checkRow(int r) {
  Quirel_CTRLS_ToneBCInputTextF* in = row(r);
  const std::string text = in->getStringValue();
  const int v = in->getIntValue();
  if (v < kToneBCMin || v > kToneBCMax || roundDownForString(text, 0) == "nan" || text.empty()) {
    const int restore = storedValue(r);
    showValueMessage();
    mTextAlert[static_cast<std::size_t>(r)] = false;
    bringToFrontAsKey();
    setRowValue(r, restore);
    in->getStepper()->setIntValue(restore);
    return false;
  }
  if (mNotMoveSliderFlg) return true;
  setRowValue(r, v);
  in->getStepper()->setIntValue(v);
  setSelectedCrop(r);
  updateToneBCDialog(mCropList, mTemplateCrop);
  post(kFinalUpdatePost);
  return true;
}

void Quirel_ToneBCDialog::fixPosts(bool controlSetYes) {
  post("TONEBC_FIX_TO_MAIN");
  post("TONEBC_FIX_TO_DLG");
  if (controlSetYes) post(kControlSetYesPost);
}

void Quirel_ToneBCDialog::controlTextDidEndEditing(kit::TextField& field) {
  const int r = rowOfField(&field);
  if (r < 0 || !mTextChg[static_cast<std::size_t>(r)]) return;
  mTextChg[static_cast<std::size_t>(r)] = false;
  checkRow(r);
  fixPosts(true);
  focusRow(r);
  postDialogValueChange(false);
  postRemakeCropFromCorrection();
}

void Quirel_ToneBCDialog::dlgMouseDown() {
  const int r = pendingRow();
  if (r < 0) return;
  mTextChg[static_cast<std::size_t>(r)] = false;
  const bool ok = checkRow(r);
  focusRow(r);
  if (ok) {
    postDialogValueChange(false);
    postRemakeCropFromCorrection();
  }
  fixPosts(true);
}

void Quirel_ToneBCDialog::popupBtnMouseDown() {
  const int r = pendingRow();
  if (r < 0) return;
  mTextChg[static_cast<std::size_t>(r)] = false;
  const bool ok = checkRow(r);
  fixPosts(ok);
  focusRow(r);
  postDialogValueChange(false);
  postRemakeCropFromCorrection();
}

void Quirel_ToneBCDialog::sliderMoveChk() {
  const int r = pendingRow();
  if (r < 0) return;
  mTextChg[static_cast<std::size_t>(r)] = false;
  fixPosts(checkRow(r));
  focusRow(r);
}

void Quirel_ToneBCDialog::stepperDownChk() { sliderMoveChk(); }

void Quirel_ToneBCDialog::buttonDownChk(Quirel_NoFocusButton* button) {
  const int r = pendingRow();
  if (r < 0) return;
  mTextChg[static_cast<std::size_t>(r)] = false;
  mNotMoveSliderFlg = button == mResetBtn;
  const bool ok = checkRow(r);
  mNotMoveSliderFlg = false;
  fixPosts(ok);
  if (ok) mUpdateImageFlg = true;
  focusRow(r);
}

void Quirel_ToneBCDialog::showAlertDialog() {
  const int r = pendingRow();
  if (r < 0) return;
  mTextChg[static_cast<std::size_t>(r)] = false;
  checkRow(r);
  fixPosts(true);
  focusRow(r);
}

// --- key window

void Quirel_ToneBCDialog::refreshAfterBecomingKey() {
  post(kHistRefreshPost);
  post(kFinalRefreshPost);
}

void Quirel_ToneBCDialog::windowDidResignKey(kit::Window&) {
  for (bool alert : mTextAlert)
    if (alert) return;
  if (mWindow) mWindow->makeFirstResponder(nullptr);
}

void Quirel_ToneBCDialog::takeBack(bool fromMain) {
  bringToFrontAsKey();
  const int r = pendingRow();
  if (r < 0) return;
  mTextChg[static_cast<std::size_t>(r)] = false;
  if (checkRow(r)) {
    focusRow(r);
    postDialogValueChange(false);
    postRemakeCropFromCorrection();
  } else {
    setMouseDownOnControl(true);
    focusRow(r);
  }
  if (fromMain) {
    post("TONEBC_FIX_TO_DLG");
    post("TITLE_DOWN_OK_FROM_TONEBC");
  } else {
    post("TONEBC_FIX_TO_MAIN");
    post("TONEBC_FIX_TO_DLG");
  }
}

void Quirel_ToneBCDialog::valueFixes() {
  const int r = pendingRow();
  if (r < 0) return;
  mTextChg[static_cast<std::size_t>(r)] = false;
  checkRow(r);
  postDialogValueChange(false);
  postRemakeCropFromCorrection();
  fixPosts(true);
}

void Quirel_ToneBCDialog::willCloseDlg() {
  for (int r = 0; r < 2; ++r) {
    if (!mTextChg[static_cast<std::size_t>(r)]) continue;
    Quirel_CTRLS_ToneBCInputTextF* in = row(r);
    const std::string text = in->getStringValue();
    const int v = in->getIntValue();
    // An empty or non-number text is no value: the shown crop's stays, never a 0 read from it.
    const bool number = !text.empty() && roundDownForString(text, 0) != "nan";
    const int value = number && v >= kToneBCMin && v <= kToneBCMax ? v : storedValue(r);
    setRowValue(r, value);
    in->getStepper()->setIntValue(value);
    setSelectedCrop(r);
    post("TONEBC_FIX_TO_MAIN");
    postDialogValueChange(false);
  }
}
