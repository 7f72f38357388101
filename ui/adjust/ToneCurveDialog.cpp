#include "ui/adjust/ToneCurveDialog.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "kit/Application.h"
#include "kit/Box.h"
#include "kit/Cursor.h"
#include "kit/Font.h"
#include "kit/Image.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "ui/adjust/GraphFrameView.h"
#include "ui/adjust/ToneCurveGraphView.h"
#include "ui/controls/CTRLS_ToneCurveGraph.h"
#include "ui/controls/CTRLS_ToneCurvePopup.h"
#include "ui/controls/DlgBackgroundView.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/WindowTitleView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

int& curveSelectionOf(ChannelValues& v, int channel) {
  switch (channel) {
    case 1: return v.red;
    case 2: return v.green;
    case 3: return v.blue;
    default: return v.master;
  }
}

bool isCurveColorMode(int mode) { return mode >= 3 && mode <= 5; }
bool isCurveGrayMode(int mode) { return mode == 1 || mode == 2; }

}  // namespace

Quirel_ToneCurveDialog::Quirel_ToneCurveDialog(const CropList* crops, Quirel_CropInfo* templateCrop,
                                               const Quirel_UIScannerInfo* scannerInfo, kit::Window* parentWindow)
    : Quirel_FloatingDialog(Code::CURVE, {Code::TONEBC, Code::HIST, Code::COLOR}, crops, templateCrop, scannerInfo,
                            parentWindow) {}

Quirel_ToneCurveDialog::~Quirel_ToneCurveDialog() { stopObserving(); }

ToneCurveValues Quirel_ToneCurveDialog::defaultToneCurve() {
  ToneCurveValues v{};
  for (int c = 0; c < 4; ++c) {
    v.setPointCount[c] = 2;
    v.setPoint[c][0] = {0, 0};
    v.setPoint[c][1] = {255, 255};
    v.squarePoint[c][0] = {0, 0};
    v.squarePoint[c][1] = {145, 145};
  }
  return v;
}

// --- window

void Quirel_ToneCurveDialog::createToneCurveDialog(fnd::Size size) {
  const bool v1400 = mScannerInfo && mScannerInfo->isVer1400Later();
  // The older layout: the older pictures and names, and 48 points less height, taken from the
  // empty band over the buttons.
  const bool v1500 = mScannerInfo && mScannerInfo->isVer1500Later() && !mOlderLayout;
  const double lift = mOlderLayout ? 48 : 0;
  createPanel(size, "IDD_PAGE_TONE_CURVE_STR", true);
  if (!v1400 || mOlderLayout) {
    // The older title style: our window frame has no room of its own for a caption view, so
    // the window keeps the title and the caption view carries the same text.
    mWindowTitleView = std::make_unique<Quirel_WindowTitleView>(fnd::Rect(0, 0, 156, 16), "IDD_PAGE_TONE_CURVE_STR");
    mWindow->setFinalZoomRect(mWindow->standardWindowButtonFrame(kit::WindowButton::Zoom));
  }
  const kit::Font small = kit::Font::systemFont(10);

  const double innerX = columnX(size.width);
  mBackgroundView = installBackgroundViews(size, fnd::Rect(innerX, -lift, 220, 400), mSubContentView);

  // Channel pop-up.
  mChannelPopupBtn = std::make_unique<Quirel_CTRLS_ToneCurvePopup>();
  mChannelPopupBtn->setTitleTxtTitle(localized("IDC_PGBC_CH_LABEL_STR"));
  mChannelPopupBtn->setTitleTxtRect(23, 377, 80, 13);
  mChannelPopupBtn->setTitleTxtFont(small);
  mChannelPopupBtn->setPopupBTRect(100, 371, 96, 22);
  mChannelPopupBtn->setPopupBTFont(small);
  mBackgroundView->addSubview(mChannelPopupBtn->getTitleTxt());
  mBackgroundView->addSubview(mChannelPopupBtn->getPopupBT());
  mChannelPopupBtn->setPopupBTAction();

  // Graph in its frame, with the gradation bars at its left and under it.
  auto frame = std::make_unique<Quirel_GraphFrameView>(fnd::Rect(36, 211, 152, 152));
  frame->setToneCurveFrame(true);
  mFrame = static_cast<Quirel_GraphFrameView*>(mBackgroundView->addSubview(std::move(frame)));
  auto view = std::make_unique<Quirel_ToneCurveGraphView>();
  mGraphView = view.get();
  mGraphFrame = std::make_unique<Quirel_CTRLS_ToneCurveGraph>(std::move(view));
  mBackgroundView->addSubview(mGraphView);
  mGraphFrame->setGraphViewRect(37, 212, 150, 150);
  auto addBar = [&](const fnd::Rect& r, const char* newer, const char* older) {
    auto bar = std::make_unique<Quirel_DlgImageView>(r);
    bar->setImage(kit::Image::fromFile(getFileName(v1500 ? newer : older)));
    bar->setImageScaling(kit::ImageScaling::AxesIndependently);
    return static_cast<Quirel_DlgImageView*>(mBackgroundView->addSubview(std::move(bar)));
  };
  mVerticalImageView = addBar(fnd::Rect(24, 211, 10, 153), "ADJ_VERTICAL.tif", "GradationverticalBar");
  mHorizonImageView = addBar(fnd::Rect(36, 198, 153, 10), "ADJ_HORIZONTAL.tif", "GradationHorizonBar");

  // Preset pop-up, item i standing for preset i.
  mToneCrvPopupBtn = std::make_unique<Quirel_CTRLS_ToneCurvePopup>();
  const std::string presetTitle = localized("IDC_PGCRV_SPECIAL_LABEL_STR");
  mToneCrvPopupBtn->setTitleTxtTitle(presetTitle);
  const bool tall = small.widthOfString(presetTitle) > 190;
  mToneCrvPopupBtn->setTitleTxtRect(23, 172, 190, tall ? 30 : 16);
  mToneCrvPopupBtn->setTitleTxtFont(small);
  mToneCrvPopupBtn->setPopupBTRect(20, tall ? 134 : 148, 180, 22);
  mToneCrvPopupBtn->setPopupBTFont(small);
  mBackgroundView->addSubview(mToneCrvPopupBtn->getTitleTxt());
  mBackgroundView->addSubview(mToneCrvPopupBtn->getPopupBT());
  static const char* const kPresetKeys[6] = {"IDS_PRESET1",           "IDS_CRV_OVEREXPOSE", "IDS_CRV_UNDEREXPOSE",
                                             "IDS_CRV_HIGH_CONTRAST", "IDS_CRV_INVERT",     "IDS_PRESET6"};
  for (int i = 0; i < 6; ++i) {
    const int index = mToneCrvPopupBtn->addPopupItem(localized(kPresetKeys[i]));
    mToneCrvPopupBtn->setRepresentedNumberAtIndex(index, i);
  }
  mToneCrvPopupBtn->setPopupBTAction();

  addSeparator(mBackgroundView, fnd::Rect(10, 38 + lift, 200, 1));
  auto makeButton = [&](const char* key, double x, std::function<void()> action) {
    Quirel_NoFocusButton* b = addPushButton(mBackgroundView, key, fnd::Rect(x, 4 + lift, 98, 28), small, std::move(action));
    // A longer translated title widens its button.
    const double wanted = std::ceil(small.widthOfString(b->title())) + 24;
    if (wanted > 98) b->setFrame(fnd::Rect(x, 4 + lift, wanted, 28));
    return b;
  };
  mBtnReset = makeButton("IDC_PGADV_IPROC_RESET_BTN_STR", 8, [this] { resetBtnClick(); });
  mBtnClose = makeButton("IDC_MAINSHEET_CLOSE_STR", 114, [this] { closeBtnClick(); });

  setColorMode(3);
  mChannelPopupBtn->setMenuOnOff(true);
  mToneCrvPopupBtn->setMenuOnOff(true);
  setEnabledToolTips();

  observe(Quirel_CTRLS_ToneCurvePopup::kChangePost, mChannelPopupBtn->getPopupBT(), [this] { popup1Click(); });
  observe(Quirel_CTRLS_ToneCurvePopup::kChangePost, mToneCrvPopupBtn->getPopupBT(), [this] { popup2Click(); });
  observe(kSetCustomPointPost, mGraphView, [this] { graphMouseDown(); });
  observe(kDraggedPost, mGraphView, [this] { graphMouseDragged(); });
  observe(kCustomCurveSetPost, mGraphView, [this] { setCustomCurveNotification(); });
  observe("FloatingPanelMouseMovedPost", nullptr, [this] { mouseMovedOnDlg(); });
  observe("ToneCurveDlgMouseMoved", mWindow.get(), [this] { mouseMovedOnDlg(); });
  observe("MainWindowMouseMovedPost", nullptr, [this] { mouseMovedOnDlg(); });
  registerSyncObservers();
  storeContentHeights();
}

void Quirel_ToneCurveDialog::setEnabledToolTips() {
  auto follow = [this](kit::View* v, bool enabled, const char* key) {
    if (!v) return;
    if (enabled && v->toolTip().empty()) v->setToolTip(localized(key, "ToolTips"));
    if (!enabled && !v->toolTip().empty()) v->setToolTip("");
  };
  if (mChannelPopupBtn) follow(mChannelPopupBtn->getPopupBT(), mChannelPopupBtn->isEnabled(), "IDC_PGBC_CH_CMB");
  if (mToneCrvPopupBtn) follow(mToneCrvPopupBtn->getPopupBT(), mToneCrvPopupBtn->isEnabled(), "IDC_PGCRV_PRESETS_CMB");
  if (mBtnReset) follow(mBtnReset, mBtnReset->isEnabled(), "IDC_PGCRV_RESET_BTN");
  if (mBtnClose) follow(mBtnClose, mBtnClose->isEnabled(), "IDC_PGCRV_CLOSE_BTN");
}

void Quirel_ToneCurveDialog::setControlsEnabled(bool enabled) {
  if (mChannelPopupBtn) mChannelPopupBtn->setEnabled(enabled);
  if (mToneCrvPopupBtn) mToneCrvPopupBtn->setEnabled(enabled);
  if (mBtnReset) mBtnReset->setEnabled(enabled);
  if (mBtnClose) mBtnClose->setEnabled(enabled);
}

void Quirel_ToneCurveDialog::setMouseDownOnControl(bool on) {
  if (mChannelPopupBtn) mChannelPopupBtn->setMenuOnOff(on);
  if (mToneCrvPopupBtn) mToneCrvPopupBtn->setMenuOnOff(on);
  if (mBtnReset) mBtnReset->setDownOnOff(on);
  if (mBtnClose) mBtnClose->setDownOnOff(on);
}

void Quirel_ToneCurveDialog::refreshAfterBecomingKey() {
  post(kHistRefreshPost);
  post(kFinalRefreshPost);
}

void Quirel_ToneCurveDialog::redrawGraph() {
  if (mGraphFrame) mGraphFrame->updateDisplay();
  if (mFrame) mFrame->setNeedsDisplay(true);
}

// --- channels and presets

void Quirel_ToneCurveDialog::setColorMode(int mode) {
  popupSelected_ = mode;
  if (!mChannelPopupBtn) return;
  mChannelPopupBtn->removeAllPopupItems();
  mChannelPopupBtn->setPopupBTFont(kit::Font::systemFont(10));
  if (isCurveColorMode(mode)) {
    addColorChannelItems(*mChannelPopupBtn);
  } else if (isCurveGrayMode(mode)) {
    mChannelPopupBtn->addPopupItem(localized("IDS_GRAY"));
    mToneCurveChannel = 0;
  }
  mChannelPopupBtn->select(0);
  if (mToneCrvPopupBtn) mToneCrvPopupBtn->selectAtRepresentedNumber(0);
  redrawGraph();
}

void Quirel_ToneCurveDialog::popup1Click() {
  mToneCurveChannel = mChannelPopupBtn->selected();
  updateToneCurveDialog(mCropList, mTemplateCrop);
}

void Quirel_ToneCurveDialog::copyGraphPoints(ToneCurveValues& record) const {
  if (!mGraphFrame) return;
  const int* counts = mGraphFrame->getUserCurvePointCount();
  const TagPoint* points = mGraphFrame->getUserCurvePoint();
  const TagPoint* corners = mGraphFrame->getSquarePoint();
  if (counts) std::memcpy(record.setPointCount, counts, sizeof record.setPointCount);
  if (points) std::memcpy(record.setPoint, points, sizeof record.setPoint);
  if (corners) std::memcpy(record.squarePoint, corners, sizeof record.squarePoint);
}

void Quirel_ToneCurveDialog::popup2Click() {
  if (mToneCrvPopupBtn->getRepresentedNumber() == kCustom) {
    if (mGraphFrame) mGraphFrame->setSelectPopupFIVE(true);
    for (Quirel_CropInfo* crop : targetCrops()) {
      ToneCurveValues record = crop->getToneCurve();
      copyGraphPoints(record);
      crop->setToneCurve(record);
    }
  }
  setToneCurveSelectedCrop();
  post(kFinalUpdatePost);
  postDialogValueChangePostNotification_IsUpdateCropValue(false);
  mToneCurveSelect = mToneCrvPopupBtn->selected();
  postRemakeCropFromCorrection();
}

void Quirel_ToneCurveDialog::updateToneCurveSelsect(int preset) {
  if (mToneCrvPopupBtn) mToneCrvPopupBtn->selectAtRepresentedNumber(preset);
}

// --- graph events

void Quirel_ToneCurveDialog::graphMouseDown() {
  updateToneCurveSelsect(kCustom);
  mToneCurveSelect = kCustom;
  setToneCurveSelectedCrop();
}

void Quirel_ToneCurveDialog::graphMouseDragged() { setToneCurveSelectedCrop(); }

void Quirel_ToneCurveDialog::setCustomCurveNotification() {
  for (Quirel_CropInfo* crop : targetCrops()) {
    ToneCurveValues record = crop->getToneCurve();
    copyGraphPoints(record);
    crop->setToneCurve(record);
  }
  post(kFinalUpdatePost);
  postDialogValueChangePostNotification_IsUpdateCropValue(true);
  postRemakeCropFromCorrection();
}

// --- writing

void Quirel_ToneCurveDialog::updateCropByToneCurve(ChannelValues selection, Quirel_CropInfo* crop) {
  if (!crop) return;
  ToneCurveValues record = crop->getToneCurve();
  record.selectToneCurve = selection;
  crop->setToneCurve(record);
}

void Quirel_ToneCurveDialog::updateCropByChannel(int channel, Quirel_CropInfo* crop) {
  if (crop) crop->setToneCurve_Channel(channel);
}

bool Quirel_ToneCurveDialog::checkUpdateToneCurveSelectedCrop() {
  const int c = mChannelPopupBtn ? mChannelPopupBtn->selected() : 0;
  const int p = mToneCrvPopupBtn ? mToneCrvPopupBtn->selected() : 0;
  if (mCropList && !mCropList->empty()) {
    for (const auto& crop : *mCropList) {
      if (!crop || !crop->isSelected()) continue;
      ChannelValues sel = crop->getToneCurve().selectToneCurve;
      if (c >= 0 && c <= 3 && curveSelectionOf(sel, c) != p) return true;
    }
    return false;
  }
  if (!mTemplateCrop) return false;
  if (c < 0 || c > 3) return p != 0;
  ChannelValues sel = mTemplateCrop->getToneCurve().selectToneCurve;
  return curveSelectionOf(sel, c) != p;
}

void Quirel_ToneCurveDialog::setToneCurveSelectedCrop() {
  const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  const bool changes = v1700 ? checkUpdateToneCurveSelectedCrop() : false;
  const int c = mChannelPopupBtn ? mChannelPopupBtn->selected() : 0;
  const int p = mToneCrvPopupBtn ? mToneCrvPopupBtn->selected() : 0;
  ChannelValues shown{0, 0, 0, 0};
  const std::vector<Quirel_CropInfo*> crops = targetCrops();
  for (Quirel_CropInfo* crop : crops) {
    ChannelValues sel = crop->getToneCurve().selectToneCurve;
    if (c >= 0 && c <= 3) curveSelectionOf(sel, c) = p;
    updateCropByToneCurve(sel, crop);
    shown = sel;
  }
  if (crops.empty() && mTemplateCrop) shown = mTemplateCrop->getToneCurve().selectToneCurve;
  if (mGraphFrame) {
    mGraphFrame->setChannel(c);
    mGraphFrame->setToneSelectTable(shown);
  }
  redrawGraph();
  if (changes && v1700) postDialogValueChangePostNotification_IsUpdateCropValue(true);
}

void Quirel_ToneCurveDialog::postDialogValueChangePostNotification_IsUpdateCropValue(bool updated) {
  if (updated || !(mScannerInfo && mScannerInfo->isVer1700Later())) post(kDialogValueChangePost);
}

void Quirel_ToneCurveDialog::postRemakeCropFromCorrection() {
  postRemakeRequest();
  post(kDrawHistogramPost);
  bringToFrontAsKey();
}

// --- reset and loading

void Quirel_ToneCurveDialog::resetBtnClick() {
  if (mChannelPopupBtn) mChannelPopupBtn->select(0);
  updateToneCurveSelsect(0);
  resetDropDownList();
  if (mGraphFrame) mGraphFrame->setChannel(0);
  redrawGraph();
  mToneCurveChannel = 0;
  mToneCurveSelect = 0;
  if (mImageUpdateDone) {
    mImageUpdateDone = false;
    post(kFinalUpdatePost);
    postDialogValueChangePostNotification_IsUpdateCropValue(false);
    postRemakeCropFromCorrection();
  }
}

void Quirel_ToneCurveDialog::resetDropDownList() {
  const ToneCurveValues defaults = defaultToneCurve();
  bool changed = false;
  for (Quirel_CropInfo* crop : targetCrops()) {
    const ToneCurveValues current = crop->getToneCurve();
    if (std::memcmp(&current, &defaults, sizeof defaults) != 0) {
      mImageUpdateDone = true;
      changed = true;
    }
    updateCropByChannel(0, crop);
    crop->setToneCurve(defaults);
  }
  if (mGraphFrame) {
    mGraphFrame->setUserCurveCount(defaults.setPointCount);
    mGraphFrame->setUserCurvePoint(&defaults.setPoint[0][0]);
    mGraphFrame->setSquarePoint(&defaults.squarePoint[0][0]);
    mGraphFrame->setToneSelectTable(ChannelValues{0, 0, 0, 0});
  }
  if (changed && mScannerInfo && mScannerInfo->isVer1700Later())
    postDialogValueChangePostNotification_IsUpdateCropValue(true);
}

void Quirel_ToneCurveDialog::updateToneCurveDialog(const CropList* crops, Quirel_CropInfo* templateCrop) {
  mCropList = crops;
  mTemplateCrop = templateCrop;
  if (mChannelPopupBtn) mChannelPopupBtn->select(mToneCurveChannel);
  if (mGraphFrame) mGraphFrame->setChannel(mToneCurveChannel);
  Quirel_CropInfo* source = nullptr;
  if (crops && !crops->empty()) {
    for (auto it = crops->rbegin(); it != crops->rend(); ++it)
      if (*it && (*it)->isFocus()) {
        source = it->get();
        break;
      }
    if (!source) return;
  } else {
    source = templateCrop;
  }
  if (!source) return;
  ToneCurveValues record = source->getToneCurve();
  const int selection =
      mToneCurveChannel >= 0 && mToneCurveChannel <= 3 ? curveSelectionOf(record.selectToneCurve, mToneCurveChannel) : 0;
  updateToneCurveSelsect(selection);
  if (mGraphFrame) {
    mGraphFrame->setUserCurveCount(record.setPointCount);
    mGraphFrame->setUserCurvePoint(&record.setPoint[0][0]);
    mGraphFrame->setSquarePoint(&record.squarePoint[0][0]);
    mGraphFrame->setToneSelectTable(record.selectToneCurve);
  }
  redrawGraph();
}

// --- cursor

void Quirel_ToneCurveDialog::mouseMovedOnDlg() {
  if (!isVisible() || !mGraphView || !mGraphView->isEnterdInGraph()) return;
  const fnd::Point inWindow = mWindow->mouseLocationOutsideOfEventStream();
  const fnd::Point p = mGraphView->convertPointFromView(inWindow, nullptr);
  if (p.x < 0 || p.x > 149 || p.y < 1 || p.y > 149) return;
  const int channel = mToneCurveChannel >= 0 && mToneCurveChannel <= 3 ? mToneCurveChannel : 0;
  const int count = std::min(mGraphView->getUserCurvePointCount()[channel], 15);
  if (count < 1) return;
  const TagPoint* points = mGraphView->getUserCurvePoint() + channel * 15;
  const int h = static_cast<int>(p.x * 1.7);
  for (int i = 0; i < count; ++i) {
    if (std::abs(h - points[i].h) <= 3) {
      kit::Cursor(kit::Image::fromFile(getFileName("CursMove.tif")), fnd::Point(7, 7)).set();
      return;
    }
    kit::Cursor::arrow().set();
  }
}
