#include "ui/adjust/HistogramDialog.h"

#include <cmath>

#include "kit/Box.h"
#include "kit/Font.h"
#include "kit/Image.h"
#include "kit/ImageView.h"
#include "ui/adjust/BlackPointImageView.h"
#include "ui/adjust/FRPixelValueView.h"
#include "ui/adjust/GraphFrameView.h"
#include "ui/adjust/HistogramGraphView.h"
#include "ui/adjust/MidPointImageView.h"
#include "ui/adjust/WhitePointImageView.h"
#include "ui/controls/CTRLS_HistoChannelPopup.h"
#include "ui/controls/CTRLS_HistogramGraph.h"
#include "ui/controls/DlgBackgroundView.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/controls/NumberField.h"
#include "ui/controls/NumberFieldFormatter.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

using HistMath = Quirel_HistogramPointMath;

struct HistogramPictureName {
  const char* newer;
  const char* older;
};

const char* histogramPicture(bool newer, HistogramPictureName names) {
  return newer ? names.newer : names.older;
}

}  // namespace

Quirel_HistogramDialog::Quirel_HistogramDialog(const CropList* crops, Quirel_CropInfo* templateCrop, bool hasPreview,
                                               const Quirel_UIScannerInfo* scannerInfo, kit::Window* parentWindow)
    : Quirel_FloatingDialog(Code::HIST, {Code::TONEBC, Code::COLOR}, crops, templateCrop, scannerInfo, parentWindow),
      mHasPreview(hasPreview) {}

Quirel_HistogramDialog::~Quirel_HistogramDialog() {
  stopObserving();
  for (Quirel_NumberField* f : mFields)
    if (f) f->setDelegate(nullptr);
}

// --- window

void Quirel_HistogramDialog::createHistoDialog(fnd::Size size) {
  createPanel(size, "IDD_PAGE_TONE_HS_STR", true);
  const kit::Font small = kit::Font::systemFont(10);
  // The older layout: the older pictures and names, and 48 points less height, taken from the
  // empty band over the buttons.
  const bool v1500 = mScannerInfo && mScannerInfo->isVer1500Later() && !mOlderLayout;
  const double lift = mOlderLayout ? 48 : 0;

  const double innerX = columnX(size.width);
  mBackgroundView = installBackgroundViews(size, fnd::Rect(innerX, -lift, 220, 400), mSubContentView);
  auto addImage = [&](fnd::Rect frame, HistogramPictureName names) {
    auto view = std::make_unique<Quirel_DlgImageView>(frame);
    view->setImage(kit::Image::fromFile(getFileName(histogramPicture(v1500, names))));
    view->setImageScaling(kit::ImageScaling::AxesIndependently);
    return static_cast<Quirel_DlgImageView*>(mBackgroundView->addSubview(std::move(view)));
  };
  auto addLabel = [&](fnd::Rect frame, const std::string& text) {
    auto label = kit::TextField::labelWithString(text, frame);
    label->setFont(small);
    return static_cast<kit::TextField*>(mBackgroundView->addSubview(std::move(label)));
  };

  // Channel label and menu.
  mChannelPopupBtn = std::make_unique<Quirel_CTRLS_HistoChannelPopup>();
  mChannelPopupBtn->setTitleTxtTitle(localized("IDC_PGBC_CH_LABEL_STR"));
  mChannelPopupBtn->setTitleTxtRect(23, 377, 80, 13);
  mChannelPopupBtn->setTitleTxtFont(small);
  mChannelPopupBtn->setPopupBTRect(100, 371, 96, 22);
  mChannelPopupBtn->setPopupBTFont(small);
  mChannelPopupBtn->getPopupBT()->setNotificationType(2);
  mBackgroundView->addSubview(mChannelPopupBtn->getTitleTxt());
  mBackgroundView->addSubview(mChannelPopupBtn->getPopupBT());
  mChannelPopupBtn->setPopupBTAction();

  // Graph and gradations.
  mImageViews.push_back(addImage(fnd::Rect(24, 211, 10, 153), {"ADJ_VERTICAL.tif", "GradationverticalBar"}));
  mFrame = static_cast<Quirel_GraphFrameView*>(
      mBackgroundView->addSubview(std::make_unique<Quirel_GraphFrameView>(fnd::Rect(36, 211, 152, 152))));
  if (!mPendingGraphView) mPendingGraphView = std::make_unique<Quirel_HistogramGraphView>();
  kit::View* graphView = mPendingGraphView ? mPendingGraphView->linkedView() : nullptr;
  mGraphFrame = std::make_unique<Quirel_CTRLS_HistogramGraph>(std::move(mPendingGraphView));
  if (graphView) {
    mBackgroundView->addSubview(graphView);
    mGraphFrame->setGraphViewRect(37, 212, 150, 150);
  }
  mImageViews.push_back(addImage(fnd::Rect(36, 198, 153, 10), {"ADJ_HORIZONTAL.tif", "GradationHorizonBar"}));
  mSliderBackgroundView = mBackgroundView->addSubview(std::make_unique<kit::View>(fnd::Rect(27, 188, 170, 12)));
  const HistogramPictureName markerNames[3] = {
      {"DRAGPOINT_BLK.tiff", "DragBlkPoint"}, {"DRAGPOINT_GRAY.tiff", "DragGrayPoint"}, {"DRAGPOINT_WHT.tiff", "DragWhtPoint"}};
  const fnd::Size markerSize = v1500 ? fnd::Size(19, 10) : fnd::Size(21, 11);
  for (int m = 0; m < 3; ++m) {
    const fnd::Rect frame(mOriginX[m], 188, markerSize.width, markerSize.height);
    std::unique_ptr<Quirel_PointMarkerImageView> view;
    if (m == 0)
      view = std::make_unique<Quirel_BlackPointImageView>(frame);
    else if (m == 1)
      view = std::make_unique<Quirel_MidPointImageView>(frame);
    else
      view = std::make_unique<Quirel_WhitePointImageView>(frame);
    const kit::Image picture = kit::Image::fromFile(getFileName(histogramPicture(v1500, markerNames[m])));
    if (v1500) {
      view->setImage(picture);
      view->setImageScaling(kit::ImageScaling::AxesIndependently);
    } else {
      view->setKnobImage(picture);
    }
    mMarkers[m] = static_cast<Quirel_PointMarkerImageView*>(mBackgroundView->addSubview(std::move(view)));
  }

  // Fields and eyedroppers.
  const double fieldX[3] = {44, 104, 164};
  const int initial[3] = {0, 128, 255};
  for (int m = 0; m < 3; ++m) {
    auto f = std::make_unique<Quirel_NumberField>(fnd::Rect(fieldX[m], 156, 31, 19));
    f->setFormatter(std::make_unique<Quirel_NumberFieldFormatter>(0, 0, 3));
    f->setFont(small);
    f->setIntValue(initial[m]);
    f->setDelegate(this);
    mFields[m] = static_cast<Quirel_NumberField*>(mBackgroundView->addSubview(std::move(f)));
  }
  const HistogramPictureName spoitNames[4] = {{"PICKBLK.tiff", "PickBlkPoint"},
                                              {"PICKGRAY.tiff", "PickGrayPoint"},
                                              {"PICKWHT.tiff", "PickWhtPoint"},
                                              {"PICKGRAY.tiff", "GraySetting"}};
  const fnd::Rect spoitFrames[4] = {fnd::Rect(20, 155, 21, 21), fnd::Rect(80, 155, 21, 21),
                                    fnd::Rect(140, 155, 21, 21), fnd::Rect(164, 125, 21, 21)};
  for (int i = 0; i < 4; ++i) {
    auto b = std::make_unique<Quirel_NoFocusButton>(spoitFrames[i]);
    b->setButtonType(kit::ButtonType::OnOff);
    b->setBezelStyle(kit::BezelStyle::ShadowlessSquare);
    b->setImagePosition(kit::ImagePosition::ImageOnly);
    b->setImage(kit::Image::fromFile(getFileName(histogramPicture(v1500, spoitNames[i]))));
    b->setAction([this, i] { armSpoit(i); });
    mSpoitBtns[i] = static_cast<Quirel_NoFocusButton*>(mBackgroundView->addSubview(std::move(b)));
  }
  addLabel(fnd::Rect(17, 128, 121, 18), localized("IDC_PGHS_GRAY_BALANCE_STR"));

  // Separators, eyedropper symbol, readouts.
  for (double y : {111.0 - lift, 34.0}) {
    auto line = std::make_unique<kit::Box>(fnd::Rect(10, y, size.width - 20, 1));
    line->setBoxType(kit::BoxType::Separator);
    mSubContentView->addSubview(std::move(line));
  }
  mImageViews.push_back(addImage(v1500 ? fnd::Rect(22, 92, 16, 16) : fnd::Rect(20, 90, 20, 20), {"PICK.tiff", "TotalColorSetting"}));
  for (int color = 0; color < 2; ++color) {
    auto readout = std::make_unique<Quirel_FRPixelValueView>(fnd::Rect(54, 88, 150, 19), 0, color);
    readout->setRedTitle(localized("IDC_PGHS_SPUIT_R_LABEL_STR"));
    readout->setGreenTitle(localized("IDC_PGHS_SPUIT_G_LABEL_STR"));
    readout->setBlueTitle(localized("IDC_PGHS_SPUIT_B_LABEL_STR"));
    readout->setGrayTitle(localized(v1500 ? "IDC_PGHS_SPUIT_K_LABEL_STR" : "IDMAC_HIST_K_LABEL"));
    readout->setHidden(true);
    (color == 0 ? mColorReadout : mGrayReadout) =
        static_cast<Quirel_FRPixelValueView*>(mBackgroundView->addSubview(std::move(readout)));
  }

  auto makeButton = [&](const char* key, double x, std::function<void()> action) {
    return addPushButton(mBackgroundView, key, fnd::Rect(x, 4 + lift, 98, 28), small, std::move(action));
  };
  mBtnReset = makeButton("IDC_PGADV_IPROC_RESET_BTN_STR", 8, [this] { resetBtnClick(); });
  mBtnClose = makeButton("IDC_MAINSHEET_CLOSE_STR", 114, [this] { closeBtnClick(); });

  for (int m = 0; m < 3; ++m) mOriginX[m] = mMarkers[m]->frame().origin.x;
  initDropDownList();
  mChannelPopupBtn->removeAllPopupItems();
  spoitBtnReflesh();
  mChannelPopupBtn->setMenuOnOff(true);
  mSelectedChannel = 0;
  mPopupSelected = 3;
  fillColorMenu();
  mFirstBlk = fieldValue(Marker::Black);
  mFirstMid = fieldValue(Marker::Mid);
  mFirstWht = fieldValue(Marker::White);
  setEnabledToolTips();

  observe(Quirel_CTRLS_HistoChannelPopup::kChangePost, mChannelPopupBtn->getPopupBT(), [this] { popupBtnClick(); });
  observe(Quirel_NoFocusPopUpButton::kSetValuePost, mChannelPopupBtn->getPopupBT(), [this] { popupBtnMouseDown(); });
  for (Quirel_NumberField* f : mFields) {
    observe(Quirel_NumberField::kSetFocusPost, f, [this] { showAlertDialog(); });
    observe(Quirel_NumberField::kTextBeginEditPost, f, [this, f] { textShouldBeginEdit(f); });
  }
  for (Quirel_NoFocusButton* b : {mSpoitBtns[0], mSpoitBtns[1], mSpoitBtns[2], mSpoitBtns[3], mBtnReset, mBtnClose})
    observe(Quirel_NoFocusButton::kButtonDownPost, b, [this, b] { buttonDownChk(b); });
  observe(kDlgMouseDownPost, mSubContentView, [this] { dlgMouseDown(); });
  observe(kDlgMouseDownPost, mBackgroundView, [this] { dlgMouseDown(); });
  if (graphView) observe(kDlgMouseDownPost, graphView, [this] { dlgMouseDown(); });
  for (Quirel_DlgImageView* v : mImageViews) observe(kDlgMouseDownPost, v, [this] { dlgMouseDown(); });
  const std::pair<const char*, Marker> markerNamesByPost[3] = {
      {"BLACK", Marker::Black}, {"MID", Marker::Mid}, {"WHITE", Marker::White}};
  for (const auto& [word, m] : markerNamesByPost) {
    const Marker which = m;
    observe(std::string("MOUSE_DOWN_") + word, nullptr, [this, which] { mouseDownOnPoint(which); });
    observe(std::string("MOUSE_DRAG_") + word, nullptr, [this, which] { mouseDragOnPoint(which); });
    observe(std::string("MOUSE_UP_") + word, nullptr, [this, which] { mouseUpOnPoint(which); });
  }
  observe(kHistRefreshPost, nullptr, [this] {
    if (isVisible()) {
      setNeedsDisplayInGraph();
      redrawSlider();
    }
  });
  registerSyncObservers();
  // The older layout takes no part in the colour balance dialog's edits.
  const std::vector<Code> takeBackFrom = mOlderLayout
                                             ? std::vector<Code>{Code::TONEBC, Code::CURVE, Code::FINAL, Code::INFO}
                                             : std::vector<Code>{Code::COLOR, Code::TONEBC, Code::CURVE, Code::FINAL, Code::INFO};
  registerTakeBackObservers(takeBackFrom, takeBackFrom);
  storeContentHeights();
}

void Quirel_HistogramDialog::fillColorMenu() {
  mChannelPopupBtn->removeAllPopupItems();
  if (mPopupSelected >= 3 && mPopupSelected <= 5) {
    addColorChannelItems(*mChannelPopupBtn);
    for (Quirel_NoFocusButton* b : mSpoitBtns) b->setEnabled(mHasPreview);
    mColorReadout->setHidden(false);
    mGrayReadout->setHidden(true);
  } else if (mPopupSelected == 1 || mPopupSelected == 2) {
    mChannelPopupBtn->addPopupItem(localized("IDS_GRAY"));
    for (int i = 0; i < 3; ++i) mSpoitBtns[i]->setEnabled(mHasPreview);
    mSpoitBtns[3]->setEnabled(false);
    mSpoitBtns[3]->setState(0);
    mGrayReadout->setHidden(false);
    mColorReadout->setHidden(true);
    mSelectedChannel = 0;
  }
}

void Quirel_HistogramDialog::setColorMode(int mode) {
  mPopupSelected = mode;
  if (mGraphFrame) mGraphFrame->setColorMode(mode);
  mChannelPopupBtn->removeAllPopupItems();
  setFieldValue(Marker::Black, 0);
  setFieldValue(Marker::Mid, 128);
  setFieldValue(Marker::White, 255);
  fillColorMenu();
  for (int m = 0; m < 3; ++m) {
    fnd::Rect f = mMarkers[m]->frame();
    f.origin.x = mOriginX[m];
    mMarkers[m]->setFrame(f);
    mMarkers[m]->setHidden(false);
  }
  redrawSlider();
  reset();
  setNeedsDisplayInGraph();
  setEnabledToolTips();
}

// --- showing a crop

const Quirel_CropInfo* Quirel_HistogramDialog::focusedCrop() const {
  if (mCropList && !mCropList->empty()) {
    for (auto it = mCropList->rbegin(); it != mCropList->rend(); ++it)
      if (*it && (*it)->isFocus()) return it->get();
    return nullptr;
  }
  return mTemplateCrop;
}

void Quirel_HistogramDialog::updateHistDialog(Quirel_CropInfo* templateCrop, const CropList* crops, bool hasPreview) {
  mChannelPopupBtn->select(mSelectedChannel);
  if (mGraphFrame) mGraphFrame->setChannel(mSelectedChannel);
  for (bool& c : mTxtChg) c = false;
  mCropList = crops;
  mTemplateCrop = templateCrop;
  mHasPreview = hasPreview;

  const Quirel_CropInfo* source = focusedCrop();
  HistogramValues points{};
  if (source) points = source->getHistogram();
  if (source && hasPreview) {
    mcropCorRect = source->getcropCorRect();
    mWidth = static_cast<int>(mcropCorRect.size.width);
    mHeight = static_cast<int>(mcropCorRect.size.height);
    mcropCorData = source->getcropBefData();
    if (mcropCorData && mGraphFrame) mGraphFrame->setImgData(mWidth, mHeight, mcropCorData);
  }
  // Without a focused crop the fields show 0, 0, 0 and the graph gets zero points.
  setFieldValue(Marker::Black, HistMath::element(points.black, mSelectedChannel));
  setFieldValue(Marker::Mid, HistMath::element(points.mid, mSelectedChannel));
  setFieldValue(Marker::White, HistMath::element(points.white, mSelectedChannel));
  setSliderSelectedCrop();
  if (mGraphFrame) {
    mGraphFrame->getPreviewInfo(hasPreview);
    mGraphFrame->setBlackPoint(points.black);
    mGraphFrame->setMidPoint(points.mid);
    mGraphFrame->setWhitePoint(points.white);
    mGraphFrame->setGrayPoint(points.gray);
  }
  setNeedsDisplayInGraph();
  spoitBtnReflesh();
  if (mMainBtnOpen) {
    mMainBtnOpen = false;
    if (mWindow) mWindow->makeFirstResponder(nullptr);
  }
}

void Quirel_HistogramDialog::updateHistTxtF(int black, int mid, int white) {
  setFieldValue(Marker::Black, black);
  setFieldValue(Marker::Mid, mid);
  setFieldValue(Marker::White, white);
}

void Quirel_HistogramDialog::setSliderSelectedCrop() {
  for (int m = 0; m < 3; ++m) {
    fnd::Rect f = mMarkers[m]->frame();
    f.origin.x = HistMath::markerX(fieldValue(static_cast<Marker>(m)));
    mMarkers[m]->setFrame(f);
  }
  mPopupChannel = mChannelPopupBtn->selected();
}

void Quirel_HistogramDialog::popupBtnClick() {
  mSelectedChannel = mChannelPopupBtn->selected();
  updateHistDialog(mTemplateCrop, mCropList, mHasPreview);
  mFirstBlk = fieldValue(Marker::Black);
  mFirstMid = fieldValue(Marker::Mid);
  mFirstWht = fieldValue(Marker::White);
}

// --- writing

bool Quirel_HistogramDialog::checkUpdateBlkMidWhtSelectedCrop(int c) const {
  const int b = fieldValue(Marker::Black), m = fieldValue(Marker::Mid), w = fieldValue(Marker::White);
  for (const Quirel_CropInfo* crop : targetCrops()) {
    const HistogramValues h = crop->getHistogram();
    if (HistMath::element(h.black, c) != b || HistMath::element(h.mid, c) != m || HistMath::element(h.white, c) != w)
      return true;
    if (h.gray.master != mGrayPt.master || h.gray.red != mGrayPt.red || h.gray.green != mGrayPt.green ||
        h.gray.blue != mGrayPt.blue)
      return true;
  }
  return false;
}

void Quirel_HistogramDialog::setBlkMidWhtSelectedCrop() {
  const bool v1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  const int c = mChannelPopupBtn->selected();
  const bool changed = v1700 && checkUpdateBlkMidWhtSelectedCrop(c);
  if (mGraphFrame) mGraphFrame->setChannel(c);
  const int b = fieldValue(Marker::Black), m = fieldValue(Marker::Mid), w = fieldValue(Marker::White);
  std::optional<HistogramValues> last;
  for (Quirel_CropInfo* crop : targetCrops()) {
    HistogramValues h = crop->getHistogram();
    HistMath::setElement(h.black, c, b);
    HistMath::setElement(h.mid, c, m);
    HistMath::setElement(h.white, c, w);
    h.gray = mGrayPt;
    crop->setHistogram(h);
    last = h;
  }
  if (!last && mTemplateCrop) last = mTemplateCrop->getHistogram();
  if (last && mGraphFrame) {
    mGraphFrame->setBlackPoint(last->black);
    mGraphFrame->setMidPoint(last->mid);
    mGraphFrame->setWhitePoint(last->white);
    mGraphFrame->setGrayPoint(last->gray);
  }
  if (v1700 && changed) {
    postDialogValueChange(true);
    mNeedRemakeCropCorrection = true;
  }
}

// --- reset and close

void Quirel_HistogramDialog::initDropDownList() {
  mPopupChannel = 0;
  for (bool& c : mTxtChg) c = false;
}

void Quirel_HistogramDialog::reset() {
  mChannelPopupBtn->select(0);
  setFieldValue(Marker::Black, 0);
  setFieldValue(Marker::Mid, 128);
  setFieldValue(Marker::White, 255);
  mFirstBlk = 0, mFirstMid = 128, mFirstWht = 255;
  for (int m = 0; m < 3; ++m) {
    fnd::Rect f = mMarkers[m]->frame();
    f.origin.x = mOriginX[m];
    mMarkers[m]->setFrame(f);
  }
  redrawSlider();
  for (Quirel_NoFocusButton* b : mSpoitBtns)
    if (b->state()) {
      b->setState(0);
      break;
    }
  initDropDownList();
}

void Quirel_HistogramDialog::resetDropDownList() {
  const HistogramValues defaults{{0, 0, 0, 0}, {128, 128, 128, 128}, {255, 255, 255, 255}, {128, 128, 128, 128}};
  auto same = [](const ChannelValues& a, const ChannelValues& b) {
    return a.master == b.master && a.red == b.red && a.green == b.green && a.blue == b.blue;
  };
  bool changed = false;
  for (Quirel_CropInfo* crop : targetCrops()) {
    const HistogramValues h = crop->getHistogram();
    if (!same(h.black, defaults.black) || !same(h.mid, defaults.mid) || !same(h.white, defaults.white) ||
        !same(h.gray, defaults.gray)) {
      mImageUpdateDone = true;
      changed = true;
    }
    crop->setHistogram_Channel(0);
    crop->setHistogram(defaults);
  }
  mBlkPt = defaults.black, mMidPt = defaults.mid, mWhtPt = defaults.white, mGrayPt = defaults.gray;
  if (mGraphFrame) {
    mGraphFrame->setBlackPoint(defaults.black);
    mGraphFrame->setMidPoint(defaults.mid);
    mGraphFrame->setWhitePoint(defaults.white);
    mGraphFrame->setGrayPoint(defaults.gray);
  }
  if (mScannerInfo && mScannerInfo->isVer1700Later() && changed) {
    postDialogValueChange(true);
    mNeedRemakeCropCorrection = true;
  }
}

void Quirel_HistogramDialog::resetBtnClick() {
  reset();
  resetDropDownList();
  if (mGraphFrame) mGraphFrame->setChannel(0);
  setNeedsDisplayInGraph();
  mSelectedChannel = 0;
  postFinishedEdit(mImageUpdateDone, true);
  post(kSpoitStopPost);
}

void Quirel_HistogramDialog::closeBtnClick() {
  if (mUpdateImageFlg) {
    mUpdateImageFlg = false;
    post(kFinalUpdatePost);
    post(kSpoitStopPost);
    postDialogValueChange(false);
    postRemakeCropFromCorrection();
  }
  close();
}

void Quirel_HistogramDialog::windowWillClose(kit::Window&) { post(kSpoitStopPost); }

void Quirel_HistogramDialog::willCloseDlg() {
  const std::optional<Marker> m = changedMarker();
  if (!m) return;
  Quirel_NumberField* f = field(*m);
  const std::string text = f->stringValue();
  int b = fieldValue(Marker::Black), mid = fieldValue(Marker::Mid), w = fieldValue(Marker::White);
  // An empty or non-number text is no value: the stored one stays.
  const bool number = !text.empty() && roundDownForString(text, 0) != "nan";
  if (!(number && HistMath::orderKept(b, mid, w))) {
    const Quirel_CropInfo* source = focusedCrop();
    if (!source) source = mTemplateCrop;
    const HistogramValues h = source ? source->getHistogram() : HistogramValues{};
    const int c = mChannelPopupBtn->selected();
    const ChannelValues& set = *m == Marker::Black ? h.black : *m == Marker::Mid ? h.mid : h.white;
    setFieldValue(*m, HistMath::element(set, c));
  } else {
    setFieldValue(*m, f->intValue());
  }
  setBlkMidWhtSelectedCrop();
  post("HIST_FIX_TO_MAIN");
  postDialogValueChange(false);
}

// --- enabling

void Quirel_HistogramDialog::setControlsEnabled(bool enabled) {
  for (Quirel_NumberField* f : mFields)
    if (f) f->setEnabled(enabled);
  if (mChannelPopupBtn) mChannelPopupBtn->setEnabled(enabled);
  if (mBtnReset) mBtnReset->setEnabled(enabled);
  if (mBtnClose) mBtnClose->setEnabled(enabled);
  if (enabled) {
    spoitBtnReflesh();
  } else {
    for (Quirel_NoFocusButton* b : mSpoitBtns)
      if (b) b->setEnabled(false);
  }
}

void Quirel_HistogramDialog::setEnabledToolTips() {
  auto keep = [this](kit::View* v, bool enabled, const char* key) {
    if (!v) return;
    if (enabled && v->toolTip().empty()) v->setToolTip(localized(key, "ToolTips"));
    if (!enabled && !v->toolTip().empty()) v->setToolTip("");
  };
  if (mChannelPopupBtn) keep(mChannelPopupBtn->getPopupBT(), mChannelPopupBtn->isEnabled(), "IDC_PGBC_CH_CMB");
  const char* keys[3] = {"IDC_PGHS_SHADOW_BTN", "IDC_PGHS_MIDTONE_BTN", "IDC_PGHS_HILIGHT_BTN"};
  for (int i = 0; i < 3; ++i) {
    if (mSpoitBtns[i]) keep(mSpoitBtns[i], mSpoitBtns[i]->isEnabled(), keys[i]);
    if (mFields[i]) keep(mFields[i], mFields[i]->isEnabled(), keys[i]);
  }
  if (mSpoitBtns[3]) keep(mSpoitBtns[3], mSpoitBtns[3]->isEnabled(), "IDC_PGHS_GRAY_BALANCE_BTN");
  if (mBtnReset) keep(mBtnReset, mBtnReset->isEnabled(), "IDC_PGHS_RESET_BTN");
  if (mBtnClose) keep(mBtnClose, mBtnClose->isEnabled(), "IDC_PGHS_CLOSE_BTN");
}

void Quirel_HistogramDialog::setMouseDownOnControl(bool on) {
  if (mChannelPopupBtn) mChannelPopupBtn->setMenuOnOff(on);
  for (Quirel_NumberField* f : mFields)
    if (f) f->setFocus(on);
  for (Quirel_NoFocusButton* b : {mSpoitBtns[0], mSpoitBtns[1], mSpoitBtns[2], mSpoitBtns[3], mBtnReset, mBtnClose})
    if (b) b->setDownOnOff(on);
}

void Quirel_HistogramDialog::setControlsTakePresses(bool on) {
  if (mChannelPopupBtn) mChannelPopupBtn->setMenuOnOff(on);
  for (Quirel_NumberField* f : mFields)
    if (f) f->setDownOnOff(on);
  for (Quirel_NoFocusButton* b : {mSpoitBtns[0], mSpoitBtns[1], mSpoitBtns[2], mSpoitBtns[3], mBtnReset, mBtnClose})
    if (b) b->setDownOnOff(on);
}

// --- redrawing and key window

void Quirel_HistogramDialog::setNeedsDisplayInGraph() {
  if (!mGraphFrame) return;
  if (kit::View* super = mGraphFrame->superview()) super->setNeedsDisplay(true);
  mGraphFrame->updateDisplay();
}

void Quirel_HistogramDialog::redrawSlider() {
  if (!mSliderBackgroundView) return;
  if (kit::View* super = mSliderBackgroundView->superview()) super->setNeedsDisplayInRect(mSliderBackgroundView->frame());
  mSliderBackgroundView->setNeedsDisplay(true);
}

void Quirel_HistogramDialog::refreshAfterBecomingKey() {
  setNeedsDisplayInGraph();
  redrawSlider();
  post(kFinalRefreshPost);
}

void Quirel_HistogramDialog::windowDidResignKey(kit::Window&) {
  for (bool alert : mTextAlert)
    if (alert) return;
  if (mWindow) mWindow->makeFirstResponder(nullptr);
}
