#include "ui/adjust/FinalReviewDialog.h"

#include <cmath>

#include "kit/Box.h"
#include "kit/Font.h"
#include "kit/Image.h"
#include "kit/ImageView.h"
#include "kit/TextField.h"
#include "ui/controls/CTRLS_FinalChannelPopup.h"
#include "ui/adjust/FRPixelValueView.h"
#include "ui/adjust/FRZoomView.h"
#include "ui/adjust/FinalReviewGraph.h"
#include "ui/controls/CTRLS_FinalReviewGraph.h"
#include "ui/controls/CTRLS_FinalReviewZoomView.h"
#include "ui/controls/DlgBackgroundView.h"
#include "ui/controls/DlgImageView.h"
#include "ui/controls/ImageDataProcessPanel.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusPopUpButton.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

bool isFinalColorMode(int mode) { return mode >= 3 && mode <= 5; }
bool isFinalGrayMode(int mode) { return mode == 1 || mode == 2; }

std::string finalReviewValue(const fnd::Dictionary& d, const char* key) {
  const fnd::Value v = d.get(key);
  return v.isString() ? v.toString() : std::to_string(v.toInt());
}

double finalReviewNumber(const fnd::Dictionary& d, const char* key) {
  const fnd::Value v = d.get(key);
  return v.isString() ? std::atof(v.toString().c_str()) : static_cast<double>(v.toInt());
}

}  // namespace

Quirel_FinalReviewDialog::Quirel_FinalReviewDialog(const CropList* crops, Quirel_CropInfo* templateCrop,
                                                   const Quirel_PreferenceInfo* preference,
                                                   const Quirel_UIScannerInfo* scannerInfo, kit::Window* parentWindow)
    : Quirel_FloatingDialog(Code::FINAL, {Code::TONEBC, Code::HIST, Code::COLOR}, crops, templateCrop, scannerInfo,
                            parentWindow),
      mPreferenceInfo(preference) {}

Quirel_FinalReviewDialog::~Quirel_FinalReviewDialog() { stopObserving(); }

// --- window

void Quirel_FinalReviewDialog::createFinalReviewDialog(fnd::Size size) {
  const bool v1400 = mScannerInfo && mScannerInfo->isVer1400Later();
  // The older layout: the older pictures and names, no zoom view, and 48 points less height,
  // taken from the empty band over the button.
  const bool v1500 = mScannerInfo && mScannerInfo->isVer1500Later() && !mOlderLayout;
  const double lift = mOlderLayout ? 48 : 0;
  createPanel(size, "IDD_PAGE_TONE_FINAL_TH_STR", true);
  if (!v1400 || mOlderLayout) mWindow->setFinalZoomRect(mWindow->standardWindowButtonFrame(kit::WindowButton::Zoom));
  const kit::Font small = kit::Font::systemFont(10);

  auto content = std::make_unique<Quirel_DlgBackgroundView>(fnd::Rect(0, 0, size.width, size.height));
  mContentView = content.get();
  mWindow->setContentView(std::move(content));
  const double innerX = columnX(size.width);
  mBackgroundView = static_cast<Quirel_DlgBackgroundView*>(
      mContentView->addSubview(std::make_unique<Quirel_DlgBackgroundView>(fnd::Rect(innerX, -lift, 220, 400))));

  if (!mPendingGraphView) mPendingGraphView = std::make_unique<Quirel_FinalReviewGraph>();
  if (!mPendingZoomView && !mOlderLayout) mPendingZoomView = std::make_unique<Quirel_FRZoomView>();
  kit::View* graphView = mPendingGraphView ? mPendingGraphView->linkedView() : nullptr;
  mGraphFrame = std::make_unique<Quirel_CTRLS_FinalReviewGraph>(std::move(mPendingGraphView));
  if (graphView) {
    mBackgroundView->addSubview(graphView);
    mGraphFrame->setGraphViewRect(37, 212, 150, 150);
  }
  kit::View* zoomView = mPendingZoomView ? mPendingZoomView->linkedView() : nullptr;
  if (zoomView) mZoomView = std::make_unique<Quirel_CTRLS_FinalReviewZoomView>(std::move(mPendingZoomView));
  if (zoomView) {
    mBackgroundView->addSubview(zoomView);
    mZoomView->setZoomViewRect(23, 98, 63, 63);
    mZoomView->setHidden(true);
  }

  // Readouts beside the zoom view, before and after columns, both hidden until a colour
  // mode is set; their titles are set once.
  const std::string before = mScannerInfo && mScannerInfo->isTrivoVer100Later()
                                 ? localized("PVTO_PGFH_BFR_ADJ_LABEL_STR", "PictavoTrivo")
                                 : localized("IDC_PGFH_BFR_ADJ_LABEL_STR");
  const std::string grayKey = v1500 ? "IDC_PGHS_SPUIT_K_LABEL_STR" : "IDMAC_HIST_K_LABEL";
  for (int color = 0; color < 2; ++color) {
    auto readout = createReadout(fnd::Rect(100, 90, 110, 80), color);
    readout->setOriginTitle(before);
    readout->setCurrentTitle(localized("IDC_PGFH_AFTER_ADJ_LABEL_STR"));
    readout->setRedTitle(localized("IDC_PGHS_SPUIT_R_LABEL_STR"));
    readout->setGreenTitle(localized("IDC_PGHS_SPUIT_G_LABEL_STR"));
    readout->setBlueTitle(localized("IDC_PGHS_SPUIT_B_LABEL_STR"));
    readout->setGrayTitle(localized(grayKey));
    readout->setHidden(true);
    (color == 0 ? mColorPixelValueView : mGrayPixelValueView) =
        static_cast<Quirel_FRPixelValueView*>(mBackgroundView->addSubview(std::move(readout)));
  }

  const struct {
    fnd::Rect frame;
    const char* newer;
    const char* older;
  } pictures[3] = {{fnd::Rect(36, 198, 153, 10), "ADJ_HORIZONTAL.tif", "GradationHorizonBar"},
                   {fnd::Rect(24, 211, 10, 153), "ADJ_VERTICAL.tif", "GradationverticalBar"},
                   {fnd::Rect(94, 165, 16, 16), "PICK.tiff", "ToneTotalSetting"}};
  for (const auto& p : pictures) {
    auto view = std::make_unique<Quirel_DlgImageView>(p.frame);
    view->setImage(kit::Image::fromFile(getFileName(v1500 ? p.newer : p.older)));
    view->setImageScaling(kit::ImageScaling::AxesIndependently);
    mImageViews.push_back(static_cast<Quirel_DlgImageView*>(mBackgroundView->addSubview(std::move(view))));
  }

  mChannelPopupBtn = std::make_unique<Quirel_CTRLS_FinalChannelPopup>();
  mChannelPopupBtn->setTitleTxtTitle(localized("IDC_PGBC_CH_LABEL_STR"));
  mChannelPopupBtn->setTitleTxtRect(23, 377, 80, 13);
  mChannelPopupBtn->setTitleTxtFont(small);
  mChannelPopupBtn->setPopupBTRect(103, 371, 96, 22);
  mChannelPopupBtn->setPopupBTFont(small);
  mChannelPopupBtn->getPopupBT()->setNotificationType(2);
  mBackgroundView->addSubview(mChannelPopupBtn->getTitleTxt());
  mBackgroundView->addSubview(mChannelPopupBtn->getPopupBT());
  mChannelPopupBtn->setPopupBTAction();
  mChannelPopupBtn->setMenuOnOff(true);

  addSeparator(mBackgroundView, fnd::Rect(8, 38 + lift, 204, 1));
  mCloseBtn = addPushButton(mBackgroundView, "IDC_MAINSHEET_CLOSE_STR", fnd::Rect(114, 4 + lift, 98, 28), small,
                            [this] { closeBtnClick(); });
  setEnabledToolTips();

  observe(Quirel_CTRLS_FinalChannelPopup::kChangePost, mChannelPopupBtn->getPopupBT(), [this] { popupClick(); });
  observe(Quirel_NoFocusPopUpButton::kSetValuePost, mChannelPopupBtn->getPopupBT(), [] {});
  observe(kDlgMouseDownPost, mContentView, [this] { dlgMouseDown(); });
  observe(kDlgMouseDownPost, mBackgroundView, [this] { dlgMouseDown(); });
  if (graphView) observe(kDlgMouseDownPost, graphView, [this] { dlgMouseDown(); });
  if (zoomView) observe(kDlgMouseDownPost, zoomView, [this] { dlgMouseDown(); });
  for (Quirel_DlgImageView* v : mImageViews) observe(kDlgMouseDownPost, v, [this] { dlgMouseDown(); });
  observe(kFinalUpdatePost, nullptr, [this] { dialogUpdate(); });
  observe(kDrawHistogramPost, nullptr, [this] { setHistgram(); });
  observe(kFinalRefreshPost, nullptr, [this] { displayReflesh(); });
  registerSyncObservers();
  storeContentHeights();
}

void Quirel_FinalReviewDialog::setEnabledToolTips() {
  if (mChannelPopupBtn) {
    kit::View* v = mChannelPopupBtn->getPopupBT();
    if (mChannelPopupBtn->isEnabled() && v->toolTip().empty()) v->setToolTip(localized("IDC_PGBC_CH_CMB", "ToolTips"));
    if (!mChannelPopupBtn->isEnabled() && !v->toolTip().empty()) v->setToolTip("");
  }
  if (mCloseBtn) {
    if (mCloseBtn->isEnabled() && mCloseBtn->toolTip().empty())
      mCloseBtn->setToolTip(localized("IDC_PGFH_CLOSE_BTN", "ToolTips"));
    if (!mCloseBtn->isEnabled() && !mCloseBtn->toolTip().empty()) mCloseBtn->setToolTip("");
  }
}

void Quirel_FinalReviewDialog::setControlsEnabled(bool enabled) {
  if (mChannelPopupBtn) mChannelPopupBtn->setEnabled(enabled);
  if (mCloseBtn) mCloseBtn->setEnabled(enabled);
}

void Quirel_FinalReviewDialog::setMouseDownOnControl(bool on) {
  if (mChannelPopupBtn) mChannelPopupBtn->setMenuOnOff(on);
  if (mCloseBtn) mCloseBtn->setDownOnOff(on);
}

void Quirel_FinalReviewDialog::refreshAfterBecomingKey() {
  setNeedsDisplayInGraph();
  post(kHistRefreshPost);
}

void Quirel_FinalReviewDialog::beforeCloseGranted() {
  if (mZoomView) mZoomView->setHidden(true);
}

void Quirel_FinalReviewDialog::setNeedsDisplayInGraph() {
  if (!mGraphFrame) return;
  if (kit::View* super = mGraphFrame->superview()) super->setNeedsDisplay(true);
  mGraphFrame->updateDisplay();
}

// --- channel and curve

std::unique_ptr<Quirel_FRPixelValueView> Quirel_FinalReviewDialog::createReadout(const fnd::Rect& frame, int color) {
  return std::make_unique<Quirel_FRPixelValueView>(frame, 1, color);
}

void Quirel_FinalReviewDialog::setColorMode(int mode) {
  mPopupSelected = mode;
  mChannelPopupBtn->removeAllPopupItems();
  mChannelPopupBtn->setPopupBTFont(kit::Font::systemFont(10));
  if (isFinalColorMode(mode)) {
    addColorChannelItems(*mChannelPopupBtn);
    mColorPixelValueView->setHidden(false);
    mGrayPixelValueView->setHidden(true);
  } else if (isFinalGrayMode(mode)) {
    mChannelPopupBtn->addPopupItem(localized("IDS_GRAY"));
    mColorPixelValueView->setHidden(true);
    mGrayPixelValueView->setHidden(false);
    mFinalRevChannel = 0;
  }
  mChannelPopupBtn->select(0);
  if (mGraphFrame) mGraphFrame->setColor(mode);
  setNeedsDisplayInGraph();
}

void Quirel_FinalReviewDialog::popupClick() {
  mFinalRevChannel = mChannelPopupBtn->selected();
  updateToneCurve(mCropList, mHasPreview, mTemplateCrop, mPreferenceInfo);
}

void Quirel_FinalReviewDialog::updateToneCurve(const CropList* crops, bool hasPreview, Quirel_CropInfo* templateCrop,
                                               const Quirel_PreferenceInfo* preference) {
  mChannelPopupBtn->select(mFinalRevChannel);
  if (mGraphFrame) mGraphFrame->setChannel(mFinalRevChannel);
  mHasPreview = hasPreview;
  mCropList = crops;
  mTemplateCrop = templateCrop;
  mPreferenceInfo = preference;

  auto feed = [this](const Quirel_CropInfo* crop) {
    if (!mGraphFrame) return;
    const ToneBCValues bc = crop ? crop->getToneBC() : ToneBCValues{};
    const HistogramValues hist = crop ? crop->getHistogram() : HistogramValues{};
    static const ToneCurveValues kNoCurve{};
    const ToneCurveValues& curve = crop ? crop->getToneCurve() : kNoCurve;
    mGraphFrame->getPreviewInfo(mHasPreview);
    mGraphFrame->setBrightness(bc.brightness);
    mGraphFrame->setContrast(bc.contrast);
    mGraphFrame->setGrayPoint(hist.gray);
    mGraphFrame->setBlackPoint(hist.black);
    mGraphFrame->setMidPoint(hist.mid);
    mGraphFrame->setWhitePoint(hist.white);
    mGraphFrame->setUserCurveCount(curve.setPointCount);
    mGraphFrame->setUserCurvePoint(&curve.setPoint[0][0]);
    mGraphFrame->setToneSelectTable(curve.selectToneCurve);
    mGraphFrame->setMonitorGamma(1.0f);
  };
  if (mCropList && !mCropList->empty()) {
    // Every focused crop feeds the graph; the lowest-index one is shown last.
    for (auto it = mCropList->rbegin(); it != mCropList->rend(); ++it)
      if (*it && (*it)->isFocus()) feed(it->get());
  } else {
    feed(mTemplateCrop);
  }
  setNeedsDisplayInGraph();
}

void Quirel_FinalReviewDialog::drawHistgram(const CropList* crops, bool hasPreview, Quirel_CropInfo* templateCrop) {
  if (hasPreview) {
    auto read = [this](const Quirel_CropInfo& crop) {
      mcropCorRect = crop.getcropCorRect();
      mWidth = static_cast<int>(mcropCorRect.size.width);
      mHeight = static_cast<int>(mcropCorRect.size.height);
      mcropCorData = crop.getcropCorData();
    };
    // Each picture handed to the graph replaces the counts of the one before, so only the
    // picture that remains is handed: counting a large preview is what the user waits for.
    struct Picture {
      int width = 0, height = 0;
      const std::uint8_t* data = nullptr;
    } shown;
    auto keep = [&] { shown = {mWidth, mHeight, mcropCorData}; };
    if (crops && !crops->empty()) {
      for (auto it = crops->rbegin(); it != crops->rend(); ++it) {
        if (!*it || !(*it)->isSelected()) continue;
        read(**it);
        if (mcropCorData) keep();
      }
      const CropList* stored = mCropList ? mCropList : crops;
      bool found = false;
      for (auto it = stored->rbegin(); it != stored->rend(); ++it) {
        if (!*it || !(*it)->isFocus()) continue;
        read(**it);
        found = found || mcropCorData;
      }
      if (found && mcropCorData) keep();
    } else if (templateCrop) {
      read(*templateCrop);
      if (mcropCorData) keep();
    }
    if (shown.data && mGraphFrame) mGraphFrame->setImgData(shown.width, shown.height, shown.data);
  }
  setNeedsDisplayInGraph();
}

void Quirel_FinalReviewDialog::dialogUpdate() {
  if (isVisible()) updateToneCurve(mCropList, mHasPreview, mTemplateCrop, mPreferenceInfo);
}

void Quirel_FinalReviewDialog::setHistgram() {
  if (isVisible()) drawHistgram(mCropList, mHasPreview, mTemplateCrop);
}

void Quirel_FinalReviewDialog::displayReflesh() {
  if (isVisible()) setNeedsDisplayInGraph();
}

// --- pixel values

bool Quirel_FinalReviewDialog::colorReadoutShown() const {
  return mColorPixelValueView && !mColorPixelValueView->isHidden();
}
bool Quirel_FinalReviewDialog::grayReadoutShown() const { return mGrayPixelValueView && !mGrayPixelValueView->isHidden(); }

std::string Quirel_FinalReviewDialog::readoutText() const {
  if (colorReadoutShown()) return mColorPixelValueView->text();
  if (grayReadoutShown()) return mGrayPixelValueView->text();
  return {};
}

void Quirel_FinalReviewDialog::clearCurrentReadout() {
  if (isFinalColorMode(mPopupSelected) && mColorPixelValueView) mColorPixelValueView->colorValueClean();
  if (isFinalGrayMode(mPopupSelected) && mGrayPixelValueView) mGrayPixelValueView->grayValueClean();
}

void Quirel_FinalReviewDialog::zoomViewHidden() {
  if (!mZoomView || !mZoomView->getZoomView() || !isVisible()) return;
  clearCurrentReadout();
  mZoomView->setHidden(true);
}

void Quirel_FinalReviewDialog::setRotation(int rotation) {
  if (mZoomView) mZoomView->setRotation(rotation);
}

void Quirel_FinalReviewDialog::setMirror(bool mirror) {
  if (mZoomView) mZoomView->setMirror(mirror);
}

void Quirel_FinalReviewDialog::pixelValueSet(const fnd::Dictionary* values) {
  if (!isVisible()) return;
  if (!mHasPreview || !values) {
    if (mZoomView) mZoomView->setHidden(true);
    clearCurrentReadout();
    return;
  }
  if (mZoomView) {
    if (auto image = values->get("ZoomViewData").toObject<kit::Image>()) {
      mZoomView->setHidden(false);
      mZoomView->getZoomViewData(*image);
    } else {
      mZoomView->setHidden(true);
    }
  }
  if (isFinalColorMode(mPopupSelected)) {
    mColorPixelValueView->redValueSet(finalReviewValue(*values, "RedValue"));
    mColorPixelValueView->greenValueSet(finalReviewValue(*values, "GreenValue"));
    mColorPixelValueView->blueValueSet(finalReviewValue(*values, "BlueValue"));
    mColorPixelValueView->afterRedValueSet(finalReviewValue(*values, "AfterRedValue"));
    mColorPixelValueView->afterGreenValueSet(finalReviewValue(*values, "AfterGreenValue"));
    mColorPixelValueView->afterBlueValueSet(finalReviewValue(*values, "AfterBlueValue"));
    if (mZoomView) {
      mZoomView->setRGB(finalReviewNumber(*values, "AfterRedValue"), finalReviewNumber(*values, "AfterGreenValue"),
                        finalReviewNumber(*values, "AfterBlueValue"));
      mZoomView->updateDisplay();
    }
  } else if (isFinalGrayMode(mPopupSelected)) {
    mGrayPixelValueView->grayValueSet(finalReviewValue(*values, "GrayValue"));
    mGrayPixelValueView->afterGrayValueSet(finalReviewValue(*values, "AfterGrayValue"));
    if (mZoomView) {
      mZoomView->setGray(finalReviewNumber(*values, "AfterGrayValue"));
      mZoomView->updateDisplay();
    }
  }
}
