#include "ui/adjust/ColorBalanceDialog.h"

#include <cmath>

#include "kit/Box.h"
#include "kit/Font.h"
#include "kit/Image.h"
#include "kit/ImageView.h"
#include "ui/controls/CTRLS_ColorBalanceText.h"
#include "ui/controls/CTRLS_TextFAndStepper.h"
#include "ui/controls/DlgBackgroundView.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/SliderCell.h"
#include "ui/controls/StepperCell.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

constexpr int kColorBalanceMin = -127;
constexpr int kColorBalanceMax = 127;

int colorBalanceComponent(const ColorBalanceValues& v, int g) {
  switch (g) {
    case 0: return v.chroma;
    case 1: return v.cyanRed;
    case 2: return v.magentaGreen;
    default: return v.yellowBlue;
  }
}

void setColorBalanceComponent(ColorBalanceValues& v, int g, int value) {
  switch (g) {
    case 0: v.chroma = value; break;
    case 1: v.cyanRed = value; break;
    case 2: v.magentaGreen = value; break;
    default: v.yellowBlue = value; break;
  }
}

struct ColorBalanceRow {
  const char* heading;  // null: none
  double headingY, fieldY, stepperY, sliderY, labelY;
  const char* leftKey;
  const char* rightKey;
  const char* newImages[3];
  const char* oldImages[3];
  const char* toolTip;
};

constexpr ColorBalanceRow kColorBalanceRows[4] = {
    {"IDC_PGCB_SATURATION_STR", 372, 372, 370, 315, 346, "IDC_PGCB_LOW_STR", "IDC_PGCB_HIGH_STR",
     {"ADJ_CHROMA_L.tiff", "ADJ_CHROMA_BER.tiff", "ADJ_CHROMA_H.tiff"}, {"vivid_decre", "Grad_Bri2", "vivid_incre"},
     "IDC_PGCB_CHROMA_EDT"},
    {"IDC_PGCB_COLOR_BALANCE_STR", 280, 262, 260, 207, 237, "IDC_PGCB_CYAN_STR", "IDC_PGCB_RED_STR",
     {"ADJ_CYAN.tiff", "ADJ_BER_CYAN_RED.tiff", "ADJ_RED.tiff"}, {"cyan", "Grad_RC", "red"}, "IDC_PGCB_RED_EDT"},
    {nullptr, 0, 176, 174, 121, 153, "IDC_PGCB_MAGENTA_STR", "IDC_PGCB_GREEN_STR",
     {"ADJ_MAGENTA.tiff", "ADJ_BER_MAG_GRE.tiff", "ADJ_GREEN.tiff"}, {"magenta", "Grad_GM", "green"},
     "IDC_PGCB_RED_EDT"},
    {nullptr, 0, 96, 94, 40, 71, "IDC_PGCB_YELLOW_STR", "IDC_PGCB_BLUE_STR",
     {"ADJ_YELLOW.tiff", "ADJ_BER_YEL_BLUE.tiff", "ADJ_BLUE.tiff"}, {"yellow", "Grad_BY", "blue"},
     "IDC_PGCB_RED_EDT"},
};

}  // namespace

Quirel_ColorBalanceDialog::Quirel_ColorBalanceDialog(const CropList* crops, Quirel_CropInfo* templateCrop,
                                                     const Quirel_UIScannerInfo* scannerInfo, kit::Window* parentWindow)
    : Quirel_FloatingDialog(Code::COLOR, {Code::TONEBC, Code::HIST}, crops, templateCrop, scannerInfo, parentWindow) {}

Quirel_ColorBalanceDialog::~Quirel_ColorBalanceDialog() {
  stopObserving();
  for (auto& g : mGroups)
    if (g && g->getNumberTxtF()) g->getNumberTxtF()->setDelegate(nullptr);
}

// --- window

void Quirel_ColorBalanceDialog::createColorBalanceDialog(fnd::Size size) {
  const bool v1500 = mScannerInfo && mScannerInfo->isVer1500Later();
  // Older models drew a long title in a view of its own over the frame; the panel's own title
  // serves every model here.
  createPanel(size, "IDD_PAGE_TONE_CB_STR", true);

  auto content = std::make_unique<Quirel_DlgBackgroundView>(fnd::Rect(0, 0, size.width, size.height));
  mContentView = content.get();
  mWindow->setContentView(std::move(content));
  const double innerX = columnX(size.width);
  mBackgroundView = static_cast<Quirel_DlgBackgroundView*>(
      mContentView->addSubview(std::make_unique<Quirel_DlgBackgroundView>(fnd::Rect(innerX, 0, 220, 400))));

  const kit::Font small = kit::Font::systemFont(10);
  const double endSize = v1500 ? 32 : 20;
  for (int g = 0; g < 4; ++g) {
    const ColorBalanceRow& row = kColorBalanceRows[g];
    auto group = std::make_unique<Quirel_CTRLS_TextFAndStepper>(kPictureFolder);
    group->setStringValue("0");
    group->getSlider()->setIntValue(0);
    group->setNumberTxtFFont(small);
    group->getNumberTxtF()->setDelegate(this);
    if (row.heading) {
      group->setTitleTxtTitle(localized(row.heading));
      group->setTitleTxtRect(7, row.headingY, 150, 20);
      mBackgroundView->addSubview(group->getTitleTxt());
    }
    group->setNumberTxtFRect(157, row.fieldY, 40, 19);
    group->setStepperRect(197, row.stepperY, 20, 22);
    group->setSliderRect(24, row.sliderY, 172, 25);
    mBackgroundView->addSubview(group->getNumberTxtF());
    mBackgroundView->addSubview(group->getStepper());
    mBackgroundView->addSubview(group->getSlider());
    group->setAction();

    const double labelWidth = std::floor((220 - 10) / 2.0);
    for (int side = 0; side < 2; ++side) {
      auto label = std::make_unique<Quirel_CTRLS_ColorBalanceText>();
      label->setTitleTxtFTitle(localized(side == 0 ? row.leftKey : row.rightKey));
      label->setTitleTxtFRect(side == 0 ? 5 : 5 + labelWidth, row.labelY, labelWidth, 20);
      label->getTitleTxtF()->setAlignment(side == 0 ? kit::TextAlignment::Left : kit::TextAlignment::Right);
      label->getTitleTxtF()->setFont(small);
      mBackgroundView->addSubview(label->getTitleTxtF());
      mLabels.push_back(std::move(label));
    }
    // Ends beside the slider, the bar under it.
    const char* const* names = v1500 ? row.newImages : row.oldImages;
    const double endY = row.sliderY + (25 - endSize) / 2;
    const fnd::Rect frames[3] = {fnd::Rect(std::max(0.0, 24 - endSize), endY, endSize, endSize),
                                 fnd::Rect(24, row.sliderY - 4, 172, 8), fnd::Rect(196, endY, endSize, endSize)};
    for (int i = 0; i < 3; ++i) {
      auto view = std::make_unique<Quirel_DlgImageView>(frames[i]);
      view->setImage(kit::Image::fromFile(getFileName(names[i])));
      view->setImageScaling(i == 1 ? kit::ImageScaling::AxesIndependently : kit::ImageScaling::ProportionallyUpOrDown);
      mImageViews.push_back(static_cast<Quirel_DlgImageView*>(mBackgroundView->addSubview(std::move(view))));
    }
    mGroups[static_cast<std::size_t>(g)] = std::move(group);
  }

  addSeparator(mBackgroundView, fnd::Rect(8, 34, 204, 1));
  auto makeButton = [&](const char* key, double x, std::function<void()> action) {
    return addPushButton(mBackgroundView, key, fnd::Rect(x, 4, 98, 28), small, std::move(action));
  };
  mResetBtn = makeButton("IDC_PGADV_IPROC_RESET_BTN_STR", 8, [this] { resetBtnClick(); });
  mCloseBtn = makeButton("IDC_MAINSHEET_CLOSE_STR", 114, [this] { closeBtnClick(); });

  setEnabledToolTips();
  mCloseOKFlg = true;
  mToneBCChgFlg = mHistChgFlg = mColorChgFlg = false;
  mHasOpened = false;

  // The dialog's own controls.
  for (int g = 0; g < 4; ++g) {
    Quirel_CTRLS_TextFAndStepper* grp = group(g);
    observe(Quirel_CTRLS_TextFAndStepper::kSliderPost, grp->getSlider(), [this, g] { sliderChanged(g); });
    observe(Quirel_StepperCell::kStopTrackingPost, grp->getStepperCell(), [this, g] { stepperUp(g); });
    observe(Quirel_SliderCell::kStopTrackingPost, grp->getSliderCell(), [this] { mouseUpOnSlider(); });
    observe(Quirel_Slider::kSliderMovePost, grp->getSlider(), [this] { sliderMoveChk(); });
    observe(Quirel_NoFocusStepper::kStepperDownPost, grp->getStepper(), [this] { stepperDownChk(); });
    observe(Quirel_NumberField::kSetFocusPost, grp->getNumberTxtF(), [this] { txtChg(); });
    observe(Quirel_NumberField::kTextBeginEditPost, grp->getNumberTxtF(), [this, g] { textShouldBeginEdit(g); });
  }
  observe(Quirel_NoFocusButton::kButtonDownPost, mResetBtn, [this] { buttonDownChk(true); });
  observe(Quirel_NoFocusButton::kButtonDownPost, mCloseBtn, [this] { buttonDownChk(false); });
  observe(kDlgMouseDownPost, mContentView, [this] { dlgMouseDown(); });
  observe(kDlgMouseDownPost, mBackgroundView, [this] { dlgMouseDown(); });
  for (Quirel_DlgImageView* v : mImageViews) observe(kDlgMouseDownPost, v, [this] { dlgMouseDown(); });
  registerSyncObservers();
  registerTakeBackObservers({Code::TONEBC, Code::HIST, Code::CURVE, Code::FINAL, Code::INFO},
                            {Code::TONEBC, Code::HIST, Code::CURVE, Code::FINAL, Code::INFO});
  storeContentHeights();
}

void Quirel_ColorBalanceDialog::setEnabledToolTips() {
  for (int g = 0; g < 4; ++g) {
    Quirel_CTRLS_TextFAndStepper* grp = group(g);
    if (!grp) continue;
    const bool on = grp->getSlider()->isEnabled();
    const std::string tip = on ? localized(kColorBalanceRows[g].toolTip, "ToolTips") : std::string();
    if (on == grp->getSlider()->toolTip().empty()) {
      grp->getNumberTxtF()->setToolTip(tip);
      grp->getStepper()->setToolTip(tip);
      grp->getSlider()->setToolTip(tip);
    }
  }
  const std::pair<Quirel_NoFocusButton*, const char*> buttons[] = {{mResetBtn, "IDC_PGCB_RESET_BTN"},
                                                                   {mCloseBtn, "IDC_PGCB_CLOSE_BTN"}};
  for (const auto& [button, key] : buttons) {
    if (!button) continue;
    if (button->isEnabled() && button->toolTip().empty()) button->setToolTip(localized(key, "ToolTips"));
    if (!button->isEnabled() && !button->toolTip().empty()) button->setToolTip("");
  }
}

void Quirel_ColorBalanceDialog::setControlsEnabled(bool enabled) {
  for (auto& g : mGroups)
    if (g) g->setEnabled(enabled);
  if (mResetBtn) mResetBtn->setEnabled(enabled);
  if (mCloseBtn) mCloseBtn->setEnabled(enabled);
}

void Quirel_ColorBalanceDialog::setMouseDownOnControl(bool on) {
  for (auto& g : mGroups) {
    if (!g) continue;
    g->getNumberTxtF()->setFocus(on);
    g->getStepper()->setDownOnOff(on);
    g->getSlider()->setMoveOnOff(on);
  }
  if (mResetBtn) mResetBtn->setDownOnOff(on);
  if (mCloseBtn) mCloseBtn->setDownOnOff(on);
}

void Quirel_ColorBalanceDialog::mainChangingControls() { setMouseDownOnControl(false); }

// --- values

void Quirel_ColorBalanceDialog::updateColorBalanceDialog(const CropList* crops, Quirel_CropInfo* templateCrop) {
  mTxtChg[kChroma] = false;
  mCropList = crops;
  mTemplateCrop = templateCrop;
  const Quirel_CropInfo* source = nullptr;
  if (mCropList && !mCropList->empty()) {
    for (auto it = mCropList->rbegin(); it != mCropList->rend() && !source; ++it)
      if (*it && (*it)->isFocus()) source = it->get();
  } else {
    source = mTemplateCrop;
  }
  if (source) {
    const ColorBalanceValues v = source->getColorBalance();
    updateValue(v.chroma, v.cyanRed, v.magentaGreen, v.yellowBlue);
  }
  if (mMainBtnOpen) {
    mMainBtnOpen = false;
    if (mWindow) mWindow->makeFirstResponder(nullptr);
  }
}

void Quirel_ColorBalanceDialog::setGroupValue(int g, int value) {
  Quirel_CTRLS_TextFAndStepper* grp = group(g);
  if (!grp) return;
  grp->setStringValue(std::to_string(value).c_str());
  if (grp->getSlider()->intValue() != value) grp->getSlider()->setIntValue(value);
}

void Quirel_ColorBalanceDialog::updateValue(int chroma, int cyanRed, int magentaGreen, int yellowBlue) {
  setGroupValue(kChroma, chroma);
  setGroupValue(kCyanRed, cyanRed);
  setGroupValue(kMagentaGreen, magentaGreen);
  setGroupValue(kYellowBlue, yellowBlue);
}

int Quirel_ColorBalanceDialog::storedComponent(int g) const {
  if (mCropList && !mCropList->empty()) {
    int value = 0;
    // Walked from the last crop: the lowest-index focused crop is met last and wins.
    for (auto it = mCropList->rbegin(); it != mCropList->rend(); ++it)
      if (*it && (*it)->isFocus()) value = colorBalanceComponent((*it)->getColorBalance(), g);
    return value;
  }
  return mTemplateCrop ? colorBalanceComponent(mTemplateCrop->getColorBalance(), g) : 0;
}

bool Quirel_ColorBalanceDialog::checkUpdateSelectedCrop(int g) const {
  const int v = group(g)->getIntValue();
  for (Quirel_CropInfo* crop : targetCrops())
    if (colorBalanceComponent(crop->getColorBalance(), g) != v) return true;
  return false;
}

void Quirel_ColorBalanceDialog::setSelectedCrop(int g) {
  const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  const bool changed = v1700 && checkUpdateSelectedCrop(g);
  const int v = group(g)->getIntValue();
  for (Quirel_CropInfo* crop : targetCrops()) {
    ColorBalanceValues values = crop->getColorBalance();
    setColorBalanceComponent(values, g, v);
    crop->setColorBalance(values);
  }
  if (v1700 && changed) {
    post(kDialogValueChangePost);
    mNeedRemakeCropCorrection = true;
  }
}

void Quirel_ColorBalanceDialog::focusGroup(int g) {
  if (mWindow && group(g)) mWindow->makeFirstResponder(group(g)->getNumberTxtF());
}

// --- slider, stepper, reset, close

void Quirel_ColorBalanceDialog::sliderChanged(int g) {
  setSelectedCrop(g);
  post(kFinalUpdatePost);
  focusGroup(g);
  postDialogValueChange(false);
}

void Quirel_ColorBalanceDialog::mouseUpOnSlider() { postRemakeCropFromCorrection(); }

void Quirel_ColorBalanceDialog::stepperUp(int g) {
  if (!checkUpdateSelectedCrop(g)) return;
  setSelectedCrop(g);
  post(kFinalUpdatePost);
  focusGroup(g);
  postDialogValueChange(false);
  postRemakeCropFromCorrection();
}

void Quirel_ColorBalanceDialog::resetValue() {
  const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  bool changed = false;
  for (Quirel_CropInfo* crop : targetCrops()) {
    const ColorBalanceValues v = crop->getColorBalance();
    if (v.chroma || v.cyanRed || v.magentaGreen || v.yellowBlue) changed = true;
    crop->setColorBalance(ColorBalanceValues{0, 0, 0, 0});
  }
  if (changed) mImageUpdateDone = true;
  if (v1700 && changed) {
    post(kDialogValueChangePost);
    mNeedRemakeCropCorrection = true;
  }
}

void Quirel_ColorBalanceDialog::resetBtnClick() {
  mUpdateImageFlg = false;
  updateValue(0, 0, 0, 0);
  resetValue();
  if (mImageUpdateDone) {
    post(kFinalUpdatePost);
    postDialogValueChange(false);
    postRemakeCropFromCorrection();
  }
}

void Quirel_ColorBalanceDialog::closeBtnClick() {
  postFinishedEdit(mUpdateImageFlg, false);
  close();
}

// --- typing

int Quirel_ColorBalanceDialog::groupOfField(const kit::TextField* field) const {
  for (int g = 0; g < 4; ++g)
    if (group(g) && group(g)->getNumberTxtF() == field) return g;
  return -1;
}

int Quirel_ColorBalanceDialog::pendingGroup() const {
  for (int g = 0; g < 4; ++g)
    if (mTxtChg[static_cast<std::size_t>(g)]) return g;
  return -1;
}

void Quirel_ColorBalanceDialog::textShouldBeginEdit(int g) {
  if (g < 0 || g > 3) {
    post("COLOR_CHG_TO_MAIN");
    return;
  }
  mTxtChg[static_cast<std::size_t>(g)] = true;
  mTextAlert[static_cast<std::size_t>(g)] = true;
  setMouseDownOnControl(false);
  post("COLOR_CHG_TO_DLG");
  post("COLOR_CHG_TO_MAIN");
}

void Quirel_ColorBalanceDialog::controlTextDidChange(kit::TextField& field) {
  const int g = groupOfField(&field);
  if (g < 0) return;
  const auto i = static_cast<std::size_t>(g);
  Quirel_CTRLS_TextFAndStepper* grp = group(g);
  if (field.stringValue().empty()) {
    setMouseDownOnControl(false);
    post("COLOR_CHG_TO_DLG");
    mTextAlert[i] = true;
    mTxtChg[i] = true;
  } else {
    grp->getStepper()->setIntValue(field.intValue());
    mTxtChg[i] = true;
    const int v = field.intValue();
    if (v < kColorBalanceMin || v > kColorBalanceMax) {
      setMouseDownOnControl(false);
      post("COLOR_CHG_TO_DLG");
      mTextAlert[i] = true;
    } else {
      setMouseDownOnControl(true);
      post("COLOR_VALUE_FIX");
      mTextAlert[i] = false;
    }
  }
  post("COLOR_CHG_TO_MAIN");
}

bool Quirel_ColorBalanceDialog::checkGroup(int g) {
  Quirel_CTRLS_TextFAndStepper* grp = group(g);
  const std::string text = grp->getStringValue();
  const int v = grp->getIntValue();
  const std::string rounded = roundDownForString(text, 0);
  if (v < kColorBalanceMin || v > kColorBalanceMax || rounded == "nan" || text.empty()) {
    const int restore = storedComponent(g);
    showValueMessage();
    mTextAlert[static_cast<std::size_t>(g)] = false;
    bringToFrontAsKey();
    setGroupValue(g, restore);
    return false;
  }
  if (mNotMoveSliderFlg) return true;
  setGroupValue(g, v);
  setSelectedCrop(g);
  updateColorBalanceDialog(mCropList, mTemplateCrop);
  post(kFinalUpdatePost);
  return true;
}

void Quirel_ColorBalanceDialog::controlTextDidEndEditing(kit::TextField& field) {
  const int g = groupOfField(&field);
  if (g < 0 || !mTxtChg[static_cast<std::size_t>(g)]) return;
  mTxtChg[static_cast<std::size_t>(g)] = false;
  checkGroup(g);
  post("COLOR_FIX_TO_MAIN");
  post("COLOR_FIX_TO_DLG");
  post(kControlSetYesPost);
  postDialogValueChange(false);
  postRemakeCropFromCorrection();
  focusGroup(g);
}

void Quirel_ColorBalanceDialog::txtChg() {
  const int g = pendingGroup();
  if (g < 0) return;
  mTxtChg[static_cast<std::size_t>(g)] = false;
  checkGroup(g);
  post("COLOR_FIX_TO_MAIN");
  post("COLOR_FIX_TO_DLG");
  post(kControlSetYesPost);
  focusGroup(g);
}

void Quirel_ColorBalanceDialog::sliderMoveChk() {
  const int g = pendingGroup();
  if (g < 0) return;
  mTxtChg[static_cast<std::size_t>(g)] = false;
  const bool ok = checkGroup(g);
  post("COLOR_FIX_TO_MAIN");
  post("COLOR_FIX_TO_DLG");
  if (ok) post(kControlSetYesPost);
  focusGroup(g);
}

void Quirel_ColorBalanceDialog::stepperDownChk() { sliderMoveChk(); }

void Quirel_ColorBalanceDialog::buttonDownChk(bool reset) {
  const int g = pendingGroup();
  if (g < 0) return;
  mTxtChg[static_cast<std::size_t>(g)] = false;
  mNotMoveSliderFlg = reset;
  const bool ok = checkGroup(g);
  mNotMoveSliderFlg = false;
  post("COLOR_FIX_TO_MAIN");
  post("COLOR_FIX_TO_DLG");
  if (ok) {
    post(kControlSetYesPost);
    mUpdateImageFlg = true;
  }
  focusGroup(g);
}

void Quirel_ColorBalanceDialog::dlgMouseDown() {
  const int g = pendingGroup();
  if (g < 0) return;
  mTxtChg[static_cast<std::size_t>(g)] = false;
  if (checkGroup(g)) {
    postDialogValueChange(false);
    postRemakeCropFromCorrection();
  }
  post("COLOR_FIX_TO_MAIN");
  post("COLOR_FIX_TO_DLG");
  post(kControlSetYesPost);
  focusGroup(g);
}

// --- key window

void Quirel_ColorBalanceDialog::refreshAfterBecomingKey() {
  post(kHistRefreshPost);
  post(kFinalRefreshPost);
}

void Quirel_ColorBalanceDialog::windowDidResignKey(kit::Window&) {
  for (bool alert : mTextAlert)
    if (alert) return;
  if (mWindow) mWindow->makeFirstResponder(nullptr);
}

bool Quirel_ColorBalanceDialog::takePendingGroupAsKey() {
  bringToFrontAsKey();
  const int g = pendingGroup();
  if (g < 0) return false;
  mTxtChg[static_cast<std::size_t>(g)] = false;
  if (checkGroup(g)) {
    focusGroup(g);
    postDialogValueChange(false);
    postRemakeCropFromCorrection();
  } else {
    setMouseDownOnControl(true);
    focusGroup(g);
  }
  return true;
}

void Quirel_ColorBalanceDialog::makeKeyFromDialog() {
  if (!takePendingGroupAsKey()) return;
  post("COLOR_FIX_TO_MAIN");
  post("COLOR_FIX_TO_DLG");
}

void Quirel_ColorBalanceDialog::makeKeyFromMainWindow() {
  if (!takePendingGroupAsKey()) return;
  post("COLOR_FIX_TO_DLG");
  post("TITLE_DOWN_OK_FROM_COLOR");
}

void Quirel_ColorBalanceDialog::valueFixes() {
  const int g = pendingGroup();
  if (g < 0) return;
  mTxtChg[static_cast<std::size_t>(g)] = false;
  checkGroup(g);
  postDialogValueChange(false);
  postRemakeCropFromCorrection();
  post("COLOR_FIX_TO_MAIN");
  post("COLOR_FIX_TO_DLG");
  post(kControlSetYesPost);
}

void Quirel_ColorBalanceDialog::willCloseDlg() {
  const int g = pendingGroup();
  if (g < 0) return;
  Quirel_CTRLS_TextFAndStepper* grp = group(g);
  const std::string text = grp->getStringValue();
  const int v = grp->getIntValue();
  // An empty or non-number text is no value: the stored one stays, never a 0 read from it.
  const bool number = !text.empty() && roundDownForString(text, 0) != "nan";
  if (number && v >= kColorBalanceMin && v <= kColorBalanceMax)
    setGroupValue(g, v);
  else
    setGroupValue(g, storedComponent(g));
  setSelectedCrop(g);
  post("COLOR_FIX_TO_MAIN");
  postDialogValueChange(false);
}
