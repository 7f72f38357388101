#include "ui/settings/InfoDialog.h"

#include <algorithm>

#include "kit/Panel.h"
#include "kit/ScrollView.h"
#include "kit/TextField.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_ScanInfoText.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/InfoDlgPanel.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/UIScannerInfo.h"

namespace {

using InfoRows = Quirel_InfoDialogRows;

// The separators follow these rows.
constexpr InfoRows::Row kInfoSeparatorAfter[5] = {InfoRows::Interface, InfoRows::InputH, InfoRows::DataSize,
                                                  InfoRows::CalbEveryScan, InfoRows::SilentMode};

const char* infoOtherName(Quirel_InfoDialog::Other o) {
  switch (o) {
    case Quirel_InfoDialog::Other::COLOR: return "COLOR";
    case Quirel_InfoDialog::Other::TONEBC: return "TONEBC";
    case Quirel_InfoDialog::Other::HIST: return "HIST";
    case Quirel_InfoDialog::Other::THRESHOLD: return "THRESHOLD";
  }
  return "";
}

std::size_t infoSlot(Quirel_InfoDialog::Other o) { return static_cast<std::size_t>(o); }

}  // namespace

Quirel_InfoDialog::Quirel_InfoDialog(const Quirel_UIScannerInfo* scannerInfo) : mScannerInfo(scannerInfo) {
  mLSobj = std::make_unique<Quirel_PVLocalizedString>(Quirel_PVLocalizedBundle::askWindowController(this));
}

Quirel_InfoDialog::~Quirel_InfoDialog() {
  mTokens.clear();
  if (mWindow) {
    mWindow->setDelegate(nullptr);
    mWindow->orderOut();
  }
  mDisabledView.reset();
  for (auto& r : mRows) r.reset();
  for (auto& s : mSeparators) s.reset();
}

std::string Quirel_InfoDialog::localized(const std::string& key) const {
  return mLSobj ? mLSobj->ls_localizedStringForKey(key, "UserInterface").value_or(key) : key;
}

// --- window

void Quirel_InfoDialog::createScanInfoDialog() {
  const unsigned style =
      kit::kTitledWindowMask | kit::kClosableWindowMask | kit::kResizableWindowMask | kit::kUtilityWindowMask;
  mWindow = std::make_unique<Quirel_InfoDlgPanel>(fnd::Rect(0, 0, kMinWidth, 670), style);
  mWindow->setEnabled(true);
  mWindow->setAcceptsMouseMovedEvents(true);
  mWindow->setFloatingPanel(true);
  mWindow->setLevel(10);
  mWindow->setTitle(localized("IDD_VIEW_INFORMATION2_STR"));

  const bool shortPanel = mScannerInfo && mScannerInfo->isVer1600Later() && !mScannerInfo->isVer1700Later();
  mDialogMinSize = fnd::Size(kMinWidth, shortPanel ? 200 : 244);
  if (mUserSpaceScaleFactor != 1) {
    mDialogMinSize = fnd::Size(mDialogMinSize.width * mUserSpaceScaleFactor, mDialogMinSize.height * mUserSpaceScaleFactor);
  }
  mWindow->setMinSize(mWindow->frameRectForContentRect(fnd::Rect(0, 0, mDialogMinSize.width, mDialogMinSize.height)).size);

  kit::View* content = mWindow->contentView();
  auto scroll = std::make_unique<kit::ScrollView>(content->bounds());
  scroll->setHasVerticalScroller(true);
  scroll->setAutoresizingMask(kit::kViewWidthSizable | kit::kViewHeightSizable);
  auto document = std::make_unique<kit::View>(fnd::Rect(0, 0, 305, 670));
  mDocumentView = document.get();
  scroll->setDocumentView(std::move(document));
  mScrollView = static_cast<kit::ScrollView*>(content->addSubview(std::move(scroll)));

  for (int i = 0; i < InfoRows::kRowCount; ++i) {
    auto r = std::make_unique<Quirel_CTRLS_ScanInfoText>();
    const auto rowId = static_cast<Row>(i);
    r->setTitleTxtTitle(mScannerInfo ? localized(InfoRows::labelKey(rowId, *mScannerInfo)) : std::string());
    r->setTitleTxtRect(kLabelX, 0, kLabelWidth, 14);
    r->setValueTxtRect(kValueX, 0, kValueWidth, 14);
    mDocumentView->addSubview(r->getTitleTxt());
    mDocumentView->addSubview(r->getValueTxt());
    mRows[static_cast<std::size_t>(i)] = std::move(r);
    measureRow(rowId);
  }
  for (auto& s : mSeparators) {
    s = std::make_unique<Quirel_CTRLS_Separator>();
    s->setRect(kLabelX, 0, 295, s->getRect().size.height);
    mDocumentView->addSubview(s->getSeparator());
  }

  mShown.fill(true);
  mHasOpened = false;
  mHiddenFlg = false;
  mChgFlg.fill(false);
  mFixFlg.fill(false);
  mCloseOKFlg = true;
  mZoomBtnFlg = true;
  mWindow->setDelegate(this);

  observe("CONTROL_SET_YES", [this] { mCloseOKFlg = mZoomBtnFlg = true; });
  observe("CONTROL_YES", [this] { mCloseOKFlg = mZoomBtnFlg = true; });
  for (Other o : {Other::COLOR, Other::TONEBC, Other::HIST, Other::THRESHOLD}) {
    const std::string x = infoOtherName(o);
    observe(x + "_CHG_TO_DLG", [this, o] { otherChanging(o); });
    observe(x + "_VALUE_FIX", [this, o] { otherValueFix(o); });
    observe(x + "_FIX_TO_DLG", [this, o] { otherFix(o); });
  }
  observe("MAIN_CHG_TO_DLG", [this] { mainChanging(); });
  observe("MAIN_FIX_TO_DLG", [this] { setTitleDown(true); });
  for (const char* x : {"COLOR", "TONEBC", "HIST", "THRESHOLD", "MAIN"}) {
    observe(std::string("DLG_NOT_KEY_FROM_") + x, [this] {
      if (mWindow) mWindow->setBecomesKeyOnlyIfNeeded(true);
    });
    observe(std::string("DLG_BECOME_KEY_FROM_") + x, [this] {
      if (mWindow) mWindow->setBecomesKeyOnlyIfNeeded(false);
    });
  }
  observe("floatingDialogLevelChangePost", [this] { floatingDialogLevelChange(); });
}

void Quirel_InfoDialog::setUserSpaceScaleFactor(double factor) {
  mUserSpaceScaleFactor = factor;
  if (!mWindow || factor == 1) return;
  mDialogMinSize = fnd::Size(kMinWidth * factor, mDialogMinSize.height * factor);
  mWindow->setMinSize(mWindow->frameRectForContentRect(fnd::Rect(0, 0, mDialogMinSize.width, mDialogMinSize.height)).size);
  fnd::Rect frame = mWindow->frame();
  frame.size.width = mWindow->frameRectForContentRect(fnd::Rect(0, 0, mDialogMinSize.width, 100)).size.width;
  mWindow->setFrame(frame, false);
}

void Quirel_InfoDialog::showScanInfoDialog() {
  if (!mWindow || mWindow->isVisible()) return;
  fnd::Rect frame = mWindow->frame();
  frame.size.width = mWindow->frameRectForContentRect(fnd::Rect(0, 0, mDialogMinSize.width, 100)).size.width;
  mWindow->setFrame(frame, false);
  mWindow->makeKeyAndOrderFront();
}

void Quirel_InfoDialog::closeScanInfoDialog() {
  if (mWindow) mWindow->close();
}

bool Quirel_InfoDialog::isVisible() const { return mWindow && mWindow->isVisible(); }

void Quirel_InfoDialog::floatingDialogLevelChange() {
  if (mWindow) mWindow->setLevel(mParentWindow ? mParentWindow->level() + 1 : 10);
}

void Quirel_InfoDialog::setEnabledAllControl(bool enabled) {
  if (!mWindow) return;
  if (!enabled) {
    if (!mDisabledView) {
      mDisabledView = std::make_unique<Quirel_DisabledView>(mWindow->contentView()->bounds());
      mDisabledView->setAlphaComponent(0.2f);
      mDisabledView->setAutoresizingMask(kit::kViewWidthSizable | kit::kViewHeightSizable);
      mWindow->contentView()->addSubview(mDisabledView.get());
    }
    mWindow->setBecomesKeyOnlyIfNeeded(true);
    mWindow->setEnabled(false);
  } else {
    mDisabledView.reset();
    mWindow->setBecomesKeyOnlyIfNeeded(false);
    mWindow->setEnabled(true);
  }
}

// --- rows

void Quirel_InfoDialog::measureRow(Row r) {
  Quirel_CTRLS_ScanInfoText* line = row(r);
  if (!line) return;
  const double valueHeight = line->getValueTxt()->heightForWidth(kValueWidth);
  const double labelHeight = std::max(line->getTitleTxt()->heightForWidth(kLabelWidth), valueHeight);
  const fnd::Rect title = line->getTitleTxtRect();
  const fnd::Rect value = line->getValueTxtRect();
  line->setTitleTxtRect(title.origin.x, title.origin.y, title.size.width, labelHeight);
  line->setValueTxtRect(value.origin.x, value.origin.y, value.size.width, valueHeight);
}

void Quirel_InfoDialog::setRowText(Row r, const char* text, bool measure) {
  if (!text || !row(r)) return;
  setRowValue(r, text, measure);
}

void Quirel_InfoDialog::setRowValue(Row r, const std::string& text, bool measure) {
  Quirel_CTRLS_ScanInfoText* line = row(r);
  if (!line) return;
  line->setValueTxtTitle(text.c_str());
  if (measure) measureRow(r);
}

std::string Quirel_InfoDialog::valueText(Row r) const {
  return row(r) ? row(r)->getValueTxt()->stringValue() : std::string();
}

void Quirel_InfoDialog::setOutputSizeStr(const char* text) {
  if (!text || !row(Row::OutputSize)) return;
  row(Row::OutputSize)->getValueTxt()->setLineBreakMode(kit::LineBreakMode::TruncatingTail);
  row(Row::OutputSize)->setValueTxtTitle(text);
}

void Quirel_InfoDialog::setPaperSizeForStandard(int code) {
  if (mScannerInfo)
    setRowValue(Row::PaperSize, InfoRows::paperSizeText(code, *mScannerInfo, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setFilmSize(int code) {
  if (mScannerInfo)
    setRowValue(Row::FilmSize, InfoRows::paperSizeText(code, *mScannerInfo, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setColorMode(int mode) {
  setRowValue(Row::ColorMode, InfoRows::colorModeText(mode, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setInputWidth(int unit, double length) {
  const bool v1300 = mScannerInfo && mScannerInfo->isVer1300Later();
  setRowValue(Row::InputW, InfoRows::lengthText(unit, length, v1300, [this](auto& k) { return localized(k); }), false);
}

void Quirel_InfoDialog::setInputHeight(int unit, double length) {
  const bool v1300 = mScannerInfo && mScannerInfo->isVer1300Later();
  setRowValue(Row::InputH, InfoRows::lengthText(unit, length, v1300, [this](auto& k) { return localized(k); }), false);
}

void Quirel_InfoDialog::setOutputWidth(int unit, double length) {
  const bool v1300 = mScannerInfo && mScannerInfo->isVer1300Later();
  setRowValue(Row::OutputW, InfoRows::lengthText(unit, length, v1300, [this](auto& k) { return localized(k); }), false);
}

void Quirel_InfoDialog::setOutputHeight(int unit, double length) {
  const bool v1300 = mScannerInfo && mScannerInfo->isVer1300Later();
  setRowValue(Row::OutputH, InfoRows::lengthText(unit, length, v1300, [this](auto& k) { return localized(k); }), false);
}

void Quirel_InfoDialog::setResolution(int dpi) {
  setRowValue(Row::Resolution, InfoRows::resolutionText(dpi, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setOutputScale(int percent) {
  setRowValue(Row::OutputScale, InfoRows::percentText(percent, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setExposureValue(int percent) {
  setRowValue(Row::ExposureValue, InfoRows::percentText(percent, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setDataSize(std::uint64_t bytes, std::uint64_t) {
  const bool v1600 = mScannerInfo && mScannerInfo->isVer1600Later();
  setRowValue(Row::DataSize, InfoRows::dataSizeText(bytes, v1600, [this](auto& k) { return localized(k); }), false);
}

void Quirel_InfoDialog::setAutoTone(int value) {
  setRowValue(Row::AutoTone, InfoRows::autoToneText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setColorAdjust(int value) {
  setRowValue(Row::ColorAdjust, InfoRows::colorAdjustText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setAutoDocCorrect(int value) {
  setRowValue(Row::AutoDocCorrect, InfoRows::onWhenOneText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setDescreen(int value) {
  setRowValue(Row::Descreen, InfoRows::onWhenOneText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setCopyGamma(int value) {
  const bool racs2 = mScannerInfo && mScannerInfo->useRACS2();
  setRowValue(Row::CopyGamma, InfoRows::copyGammaText(value, racs2, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setUnsharp(int value) {
  setRowValue(Row::Unsharp, InfoRows::unsharpText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setReduceDust(int value) {
  setRowValue(Row::ReduceDust, InfoRows::levelText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setRemoveDust(int value) {
  setRowValue(Row::RemoveDust, InfoRows::levelText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setReduceDustFAU(int value) {
  setRowValue(Row::ReduceDustFAU, InfoRows::levelText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setFadingCorrect(int value) {
  setRowValue(Row::Fading, InfoRows::levelText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setGrainCorrect(int value) {
  setRowValue(Row::Grain, InfoRows::levelText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setBackLight(int value) {
  setRowValue(Row::BackLight, InfoRows::levelText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setBookCorrect(int value) {
  setRowValue(Row::Book, InfoRows::levelText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setExposure(bool on) {
  setRowValue(Row::Exposure, InfoRows::flagText(on, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setSilentMode(bool on) {
  setRowValue(Row::SilentMode, InfoRows::flagText(on, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setSaveTone(bool on, bool frame) {
  setRowValue(frame ? Row::SaveFrameTone : Row::SaveCropTone,
              InfoRows::flagText(on, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setHighQualityMode(int value) {
  if (auto text = InfoRows::offOnText(value, [this](auto& k) { return localized(k); }))
    setRowValue(Row::HighQualityMode, *text, true);
}

void Quirel_InfoDialog::setCalibrationEveryScan(int value) {
  if (auto text = InfoRows::offOnText(value, [this](auto& k) { return localized(k); }))
    setRowValue(Row::CalbEveryScan, *text, true);
}

void Quirel_InfoDialog::setColorSetting(int value) {
  setRowValue(Row::ColorSetting, InfoRows::colorSettingText(value, [this](auto& k) { return localized(k); }), true);
}

void Quirel_InfoDialog::setNumberCrop(int count) { setRowValue(Row::NumberCrop, InfoRows::numberCropText(count), true); }

// --- row choice and layout

void Quirel_InfoDialog::setColumn_UIMode(int uiMode, int scanMode, bool hasPreview, bool multiCrop,
                                         const Quirel_PreferenceInfo& pref, const Quirel_CropInfo& focusCrop,
                                         bool hiddenCopyGamma) {
  const int colorMode = focusCrop.getColorMode();
  const int colorSetting = pref.getColorSetting(colorMode);
  if (scanMode == 2 || scanMode == 3) {
    setColmnForFilmMode(scanMode, focusCrop.getImageSource(), colorMode, colorSetting, hasPreview,
                        focusCrop.getOutputSize(), focusCrop.isExposure());
  } else {
    setColmnForPlatenMode_UIMode(uiMode, scanMode, colorMode, colorSetting, multiCrop, focusCrop.getOutputSize(),
                                 hiddenCopyGamma);
  }
}

void Quirel_InfoDialog::setColmnForPlatenMode_UIMode(int uiMode, int scanMode, int colorMode, int colorSetting,
                                                     bool multiCrop, int outputSize, bool hiddenCopyGamma) {
  if (!mScannerInfo) return;
  InfoRows::Choice c;
  c.uiMode = uiMode;
  c.scanMode = scanMode;
  c.colorMode = colorMode;
  c.colorSetting = colorSetting;
  c.multiCrop = multiCrop;
  c.outputSizeNo = outputSize;
  c.hideCopyGamma = hiddenCopyGamma;
  applyRows(InfoRows::platenRows(c, *mScannerInfo));
}

void Quirel_InfoDialog::setColmnForFilmMode(int scanMode, int imageSource, int colorMode, int colorSetting,
                                            bool hasPreview, int outputSize, bool exposure) {
  if (!mScannerInfo) return;
  InfoRows::Choice c;
  c.uiMode = 1;
  c.scanMode = scanMode;
  c.imageSource = imageSource;
  c.colorMode = colorMode;
  c.colorSetting = colorSetting;
  c.hasPreview = hasPreview;
  c.outputSizeNo = outputSize;
  c.exposure = exposure;
  applyRows(InfoRows::filmRows(c, *mScannerInfo));
}

void Quirel_InfoDialog::applyRows(const Quirel_InfoDialogRows::Shown& shown) {
  mShown = shown;
  double height = 20;
  int nextSeparator = 0;
  for (int i = 0; i < InfoRows::kRowCount; ++i) {
    Quirel_CTRLS_ScanInfoText* line = mRows[static_cast<std::size_t>(i)].get();
    if (!line) continue;
    line->setHidden(!shown[static_cast<std::size_t>(i)]);
    if (shown[static_cast<std::size_t>(i)]) height += line->getHeight() + 5;
    if (nextSeparator < 5 && kInfoSeparatorAfter[nextSeparator] == i) {
      Quirel_CTRLS_Separator* sep = mSeparators[static_cast<std::size_t>(nextSeparator++)].get();
      sep->setHidden(false);
      height += sep->getRect().size.height + 5;
    }
  }
  mMaxHeight = height;
  sizeToFit();
}

void Quirel_InfoDialog::sizeToFit() {
  if (!mWindow || !mDocumentView) return;
  layoutRows();
  if (!mHasOpened && !mFitting) {
    // The resize this causes lays the rows out again through windowDidResize.
    mFitting = true;
    mWindow->setContentSize(fnd::Size(mWindow->contentRectSize().width, mMaxHeight));
    mFitting = false;
    layoutRows();
  }
}

void Quirel_InfoDialog::layoutRows() {
  // The rows hang from the top of the document; a scroll view taller than the rows gives the
  // document its own height so they stay at the top.
  const double visible = mScrollView ? mScrollView->contentView()->frame().size.height : 0;
  const double docHeight = std::max(mMaxHeight, visible);
  mDocumentView->setFrame(fnd::Rect(0, 0, 305, docHeight));
  double top = docHeight - 10;
  int nextSeparator = 0;
  for (int i = 0; i < InfoRows::kRowCount; ++i) {
    Quirel_CTRLS_ScanInfoText* line = mRows[static_cast<std::size_t>(i)].get();
    if (line && !line->isHidden()) {
      const double y = top - line->getHeight();
      // The value keeps its own height, its top level with the label's.
      line->setOriginY(y);
      fnd::Rect value = line->getValueTxtRect();
      line->setValueTxtRect(value.origin.x, top - value.size.height, value.size.width, value.size.height);
      top = y - 5;
    }
    if (nextSeparator < 5 && kInfoSeparatorAfter[nextSeparator] == i) {
      Quirel_CTRLS_Separator* sep = mSeparators[static_cast<std::size_t>(nextSeparator++)].get();
      if (!sep->isHidden()) {
        const double y = top - sep->getRect().size.height;
        sep->setOriginY(y);
        top = y - 5;
      }
    }
  }
  mDocumentView->setNeedsDisplay(true);
}

// --- key-window protocol

void Quirel_InfoDialog::observe(const std::string& name, std::function<void()> handler) {
  mTokens.push_back(fnd::NotificationCenter::defaultCenter().observe(
      name, nullptr, [h = std::move(handler)](const fnd::Notification&) { h(); }));
}

void Quirel_InfoDialog::post(const std::string& name) const { fnd::NotificationCenter::defaultCenter().post(name, this); }

void Quirel_InfoDialog::setTitleDown(bool on) {
  if (mWindow) mWindow->setTitleDownOnOff(on);
}

void Quirel_InfoDialog::otherChanging(Other o) {
  mChgFlg[infoSlot(o)] = true;
  mFixFlg[infoSlot(o)] = false;
  mCloseOKFlg = mZoomBtnFlg = false;
  setTitleDown(false);
}

void Quirel_InfoDialog::otherValueFix(Other o) {
  mFixFlg[infoSlot(o)] = true;
  mChgFlg[infoSlot(o)] = false;
  mCloseOKFlg = mZoomBtnFlg = true;
  setTitleDown(false);
}

void Quirel_InfoDialog::otherFix(Other o) {
  mChgFlg[infoSlot(o)] = false;
  mFixFlg[infoSlot(o)] = false;
  setTitleDown(true);
}

void Quirel_InfoDialog::mainChanging() {
  mCloseOKFlg = mZoomBtnFlg = false;
  setTitleDown(false);
}

void Quirel_InfoDialog::handBackChanging(bool confirm) {
  auto& chg = mChgFlg;
  auto postStep = [&](const char* name) {
    post(name);
    if (confirm) post("CONTROL_SET_YES");
  };
  if (chg[infoSlot(Other::TONEBC)]) {
    chg[infoSlot(Other::TONEBC)] = chg[infoSlot(Other::HIST)] = chg[infoSlot(Other::COLOR)] = false;
    postStep("TONEBC_MAKEKEY_FROM_INFO");
  }
  if (chg[infoSlot(Other::HIST)]) {
    chg[infoSlot(Other::TONEBC)] = chg[infoSlot(Other::HIST)] = chg[infoSlot(Other::COLOR)] = false;
    postStep("HIST_MAKEKEY_FROM_INFO");
  }
  if (chg[infoSlot(Other::THRESHOLD)]) {
    chg[infoSlot(Other::THRESHOLD)] = false;
    postStep("THRESHOLD_MAKEKEY_FROM_INFO");
  }
  if (chg[infoSlot(Other::COLOR)]) {
    chg[infoSlot(Other::COLOR)] = chg[infoSlot(Other::TONEBC)] = chg[infoSlot(Other::HIST)] = false;
    postStep("COLOR_MAKEKEY_FROM_INFO");
  }
}

void Quirel_InfoDialog::postValueFixes(const std::vector<Other>& order) {
  for (Other o : order) {
    if (!mFixFlg[infoSlot(o)]) continue;
    mFixFlg[infoSlot(o)] = false;
    post(std::string(infoOtherName(o)) + "_VALUE_FIX_FROM_INFO");
  }
}

void Quirel_InfoDialog::windowDidBecomeKey(kit::Window&) {
  handBackChanging(false);
  postValueFixes({Other::HIST, Other::TONEBC, Other::THRESHOLD, Other::COLOR});
  post("MAIN_MAKEKEY_FROM_DLG");
  post("HIST_REFLESH");
  post("FINAL_REFLESH");
}

void Quirel_InfoDialog::windowDidUpdate(kit::Window&) {
  if (isVisible()) floatingDialogLevelChange();
}

bool Quirel_InfoDialog::refuseOnce(bool& okFlag) {
  postValueFixes({Other::TONEBC, Other::HIST, Other::THRESHOLD, Other::COLOR});
  if (okFlag) return true;
  okFlag = true;
  handBackChanging(true);
  post("MAIN_MAKEKEY_FROM_DLG");
  return false;
}

bool Quirel_InfoDialog::windowShouldClose(kit::Window&) { return refuseOnce(mCloseOKFlg); }

bool Quirel_InfoDialog::windowShouldZoom(kit::Window&, const fnd::Rect&) { return refuseOnce(mZoomBtnFlg); }

fnd::Size Quirel_InfoDialog::windowWillResize(kit::Window& window, fnd::Size proposed) {
  const double width = window.frameRectForContentRect(fnd::Rect(0, 0, mDialogMinSize.width, 100)).size.width;
  return fnd::Size(width, proposed.height);
}

void Quirel_InfoDialog::windowDidResize(kit::Window&) {
  if (mFitting) return;
  sizeToFit();
}
