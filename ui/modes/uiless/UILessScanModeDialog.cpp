// The frame-select dialog of a scan without the main window: its window in three panel
// layouts, showing and closing it, enabling, its window delegate and its two buttons.

#include <algorithm>
#include <cmath>

#include "foundation/RunLoop.h"
#include "kit/Application.h"
#include "kit/Box.h"
#include "kit/Window.h"
#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/base/PostNotification.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/UIOffColorView.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/uiless/UILessScanMode.h"
#include "ui/windows/MessageFunctions.h"
#include "ui/windows/ProgressWindow.h"

namespace {

constexpr const char* kUiLessPictureBundle = "quirel_r14";
constexpr int kUiLessDialogLevel = 9;

// A label of the dialog: no background, no bezel, not editable, wrapping at its width.
std::unique_ptr<Quirel_NoFocusTextField> uiLessLabel(const std::string& text, const fnd::Rect& frame) {
  auto label = std::make_unique<Quirel_NoFocusTextField>(frame);
  label->setDrawsBackground(false);
  label->setBezeled(false);
  label->setEditable(false);
  label->setUsesSingleLineMode(false);
  label->setLineBreakMode(kit::LineBreakMode::WordWrapping);
  label->setStringValue(text);
  return label;
}

std::unique_ptr<Quirel_NoFocusImageView> uiLessPicture(const char* name, const fnd::Rect& frame, bool scaled) {
  auto view = std::make_unique<Quirel_NoFocusImageView>(frame);
  view->setImageScaling(scaled ? kit::ImageScaling::AxesIndependently : kit::ImageScaling::None);
  kit::Image image = kit::Image::named(name, kUiLessPictureBundle);
  if (image.isValid()) view->setImage(image);
  return view;
}

// Fits a text of the older panel: a text taller than one line grows downwards in steps of 17.
void uiLessFitText(kit::TextField& field) {
  fnd::Rect r = field.frame();
  const double needed = field.heightForWidth(r.size.width);
  if (needed > 20 && needed > r.size.height) {
    while (r.size.height < needed) {
      r.size.height += 17;
      r.origin.y -= 17;
    }
  }
  field.setFrame(r);
}

fnd::Rect uiLessArea(const kit::Window& window) {
  const fnd::Size content = window.contentRectSize();
  return fnd::Rect(10, 10, content.width - 350, content.height - 20).integral();
}

}  // namespace

// ---- Building -------------------------------------------------------------------------------

void Quirel_UILessScanMode::createDialog() {
  if (mWindow) return;
  mLSobj = std::make_unique<Quirel_PVLocalizedString>(Quirel_PVLocalizedBundle::askWindowController(selfIdentity(), mCenter));

  const fnd::Size size(850 * mUserSpaceScaleFactor, 638 * mUserSpaceScaleFactor);
  const fnd::Rect frame = mDisplayManager.getDefaultWindowFrame(size);
  const unsigned style = kit::kTitledWindowMask | kit::kClosableWindowMask | kit::kResizableWindowMask;
  mWindow = std::make_unique<kit::Window>(kit::Window::contentRectForFrameRect(frame, style), style);
  mWindow->setFrame(frame, false);
  mWindow->setTitle(localized("IDD_ASK_TEMPLATE_STR"));
  mWindow->setMinSize(size);
  mWindow->setDelegate(this);
  mWindow->setLevel(kUiLessDialogLevel);

  const fnd::Rect area = uiLessArea(*mWindow);
  mPreviewFrame = std::make_unique<Quirel_PreviewFrameView>(area);
  mWindow->contentView()->addSubview(mPreviewFrame.get());
  const double contentWidth = mWindow->contentRectSize().width;
  if (mScannerInfo && mScannerInfo->isVer1400Later())
    buildVer13Panel(area, contentWidth, true);
  else if (mScannerInfo && mScannerInfo->isVer1300Later())
    buildVer13Panel(area, contentWidth, false);
  else
    buildVer12Panel(area, contentWidth);

  mCenter.addObserver(selfIdentity(), Quirel_ProgressWindow::kProgressStatusPost, nullptr,
                      [this](const fnd::Notification& n) { setProgressStatus(n); });
}

void Quirel_UILessScanMode::buildVer12Panel(const fnd::Rect& a, double contentWidth) {
  mLayout = Layout::Ver12;
  mRightView = std::make_unique<Quirel_UIOffColorView>(
      fnd::Rect(a.origin.x + a.size.width + 10, a.origin.y + a.size.height - 250, contentWidth - a.size.width - 25, 230));
  mRightView->setAutoresizingMask(kit::kViewMinXMargin | kit::kViewMinYMargin);
  mWindow->contentView()->addSubview(mRightView.get());
  const double w = mRightView->frame().size.width;

  auto message = uiLessLabel(localized("IDMAC_UIOFF_THUMBDLG_MSG_TXT"), fnd::Rect(20, 120, w - 20, 60));
  mMsgTxtF = std::move(message);
  mRightView->addSubview(mMsgTxtF.get());

  mAllSelectCbx = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(20, 95, w - 40, 30));
  mAllSelectCbx->setButtonType(kit::ButtonType::Switch);
  mAllSelectCbx->setTitle(localized("IDMAC_TOOL_BTN_SELALLFRAME"));
  mAllSelectCbx->setAction([this] { clickSelectAllCheckBox(); });
  mRightView->addSubview(mAllSelectCbx.get());

  mSeparator = std::make_unique<kit::Box>(fnd::Rect(20, 80, w - 40, 5));
  mSeparator->setBoxType(kit::BoxType::Separator);
  mRightView->addSubview(mSeparator.get());

  mBackBtn = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(20, 15, 120, 30));
  mBackBtn->setBezelStyle(kit::BezelStyle::Rounded);
  mBackBtn->setTitle(localized("IDMAC_UIOFF_THUMBDLG_BACK_BTN"));
  mBackBtn->setAction([this] { clickBackBtn(); });
  mRightView->addSubview(mBackBtn.get());

  mNextBtn = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(w - 140, 15, 120, 30));
  mNextBtn->setBezelStyle(kit::BezelStyle::Rounded);
  mNextBtn->setTitle(localized("IDMAC_UIOFF_THUMBDLG_NEXT_BTN"));
  mNextBtn->setAction([this] { clickNextBtn(); });
  mRightView->addSubview(mNextBtn.get());
}

void Quirel_UILessScanMode::buildVer13Panel(const fnd::Rect& a, double contentWidth, bool ver14) {
  mLayout = ver14 ? Layout::Ver14 : Layout::Ver13;
  mRightBox = std::make_unique<kit::Box>(
      fnd::Rect(a.origin.x + a.size.width + 5, a.origin.y, contentWidth - a.size.width - 20, a.size.height).integral());
  mRightBox->setBorderType(kit::BorderType::GrooveBorder);
  mRightBox->setTitlePosition(kit::TitlePosition::NoTitle);
  mRightBox->setAutoresizingMask(kit::kViewMinXMargin | kit::kViewHeightSizable);
  mWindow->contentView()->addSubview(mRightBox.get());
  const fnd::Rect c = mRightBox->contentRect();
  const double w = c.size.width;

  mRightSubView = std::make_unique<kit::View>(fnd::Rect(c.origin.x, c.origin.y + c.size.height - 280, w, 280).integral());
  mRightSubView->setAutoresizingMask(kit::kViewMinYMargin);
  mRightBox->addSubview(mRightSubView.get());

  // The step column: a line with the two numbered steps and their dots.
  if (ver14) {
    mStepImageView = std::make_unique<kit::View>(fnd::Rect(20, 45, 64, 220));
    mLineView = uiLessPicture("step_line.tif", fnd::Rect(13, 30, 4, 160), true);
    mImageView_1 = uiLessPicture("step_number_1.icns", fnd::Rect(0, 180, 32, 32), false);
    mDotView_1 = uiLessPicture("dot_line_3.icns", fnd::Rect(32, 180, 32, 32), false);
    mImageView_2 = uiLessPicture("step_number_2.icns", fnd::Rect(0, 10, 32, 32), false);
    mDotView_2 = uiLessPicture("dot_line_3.icns", fnd::Rect(32, 10, 32, 32), false);
  } else {
    mStepImageView = std::make_unique<kit::View>(fnd::Rect(20, 45, 70, 220));
    mLineView = uiLessPicture("VerticalLine.tiff", fnd::Rect(17, 30, 15, 160), true);
    mImageView_1 = uiLessPicture("Step1.icns", fnd::Rect(0, 170, 45, 50), false);
    mDotView_1 = uiLessPicture("Dot3.tiff", fnd::Rect(45, 191, 18, 6), false);
    mImageView_2 = uiLessPicture("Step2.icns", fnd::Rect(0, 0, 45, 50), false);
    mDotView_2 = uiLessPicture("Dot3.tiff", fnd::Rect(45, 21, 18, 6), false);
  }
  for (kit::View* v : {static_cast<kit::View*>(mLineView.get()), static_cast<kit::View*>(mImageView_1.get()),
                       static_cast<kit::View*>(mDotView_1.get()), static_cast<kit::View*>(mImageView_2.get()),
                       static_cast<kit::View*>(mDotView_2.get())})
    mStepImageView->addSubview(v);
  mRightSubView->addSubview(mStepImageView.get());

  const kit::Font titleFont = kit::Font::boldSystemFont(12);
  const kit::Color titleColor =
      ver14 ? kit::Color::calibratedRGB(0.27, 0.27, 0.27) : kit::Color::calibratedRGB(0.192, 0.388, 0.612);
  const double textWidth = w - 85;
  mStep1Title = uiLessLabel(localized("IDC_TH_TXT_FRAMESELECT_STR"), fnd::Rect(85, 228, textWidth, 20));
  mStep1Title->setFont(titleFont);
  mStep1Title->setTextColor(titleColor);
  auto message = uiLessLabel(localized("IDC_TXT_MESSAGE_STR"), fnd::Rect(85, 198, textWidth, 20));
  mAllSelectCbx = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(85, 158, textWidth, 30));
  mAllSelectCbx->setButtonType(kit::ButtonType::Switch);
  mAllSelectCbx->setTitle(localized("IDC_SELECT_ALLFRAMES_STR"));
  mAllSelectCbx->setToolTip(localized("IDC_SELECT_ALLFRAMES", "ToolTips"));
  mAllSelectCbx->setAction([this] { clickSelectAllCheckBox(); });
  mStep2Title = uiLessLabel(localized("IDC_SP_TXT_SCAN_STR"), fnd::Rect(85, ver14 ? 64 : 58, textWidth, 20));
  mStep2Title->setFont(titleFont);
  mStep2Title->setTextColor(titleColor);

  if (ver14) {
    // Each text takes the height it needs, stacked from the top of the panel.
    message->setFont(titleFont);
    message->setTextColor(titleColor);
    double top = 280 - 30;
    auto stack = [&top, textWidth](kit::View& v, double height, double gapBelow) {
      v.setFrame(fnd::Rect(85, top - height, textWidth, height));
      top -= height + gapBelow;
    };
    stack(*mStep1Title, std::max(mStep1Title->heightForWidth(textWidth), 17.0), 20);
    stack(*message, std::max(message->heightForWidth(textWidth), 17.0), 20);
    stack(*mAllSelectCbx, std::max(titleFont.heightForWidth(mAllSelectCbx->title(), textWidth - 22), 18.0), 0);
    mStep2Title->setFrame(fnd::Rect(85, 64, textWidth, std::max(mStep2Title->heightForWidth(textWidth), 17.0)));
  } else {
    uiLessFitText(*mStep1Title);
    message->setFrame(fnd::Rect(85, mStep1Title->frame().origin.y - 30, textWidth, 20));
    uiLessFitText(*message);
    mAllSelectCbx->setFrame(fnd::Rect(85, message->frame().origin.y - 40, textWidth, 30));
    uiLessFitText(*mStep2Title);
  }
  mMsgTxtF = std::move(message);
  mRightSubView->addSubview(mStep1Title.get());
  mRightSubView->addSubview(mMsgTxtF.get());
  mRightSubView->addSubview(mAllSelectCbx.get());
  mRightSubView->addSubview(mStep2Title.get());

  const double step2Y = mStep2Title->frame().origin.y;
  mScanBtn = std::make_unique<Quirel_ColorButton>(ver14 ? fnd::Rect(87, step2Y - 44, 201, 34)
                                                        : fnd::Rect(85, 20, 196, 28));
  mScanBtn->setIgnoresMultipleClicks(true);
  if (ver14) {
    mScanBtn->setTitle(localized("IDC_MS_BTN_MULTI_SCAN_STR"), kit::Color::calibratedWhite(0.157),
                       kit::Color::calibratedWhite(0.521), kit::Font::boldSystemFont(13));
    const kit::Image n = kit::Image::named("scan_btn_n.tiff", kUiLessPictureBundle);
    mScanBtn->setImage(n, n, kit::Image::named("scan_btn_p.tiff", kUiLessPictureBundle), kit::Image());
  } else {
    mScanBtn->setTitle(localized("IDC_MS_BTN_MULTI_SCAN_STR"), kit::Color::white(), kit::Color::white(),
                       kit::Font::boldSystemFont(13));
    mScanBtn->setImage(kit::Image::named("ScanButton_In.tiff", kUiLessPictureBundle),
                       kit::Image::named("ScanButton_Out.tiff", kUiLessPictureBundle),
                       kit::Image::named("ScanButton_Down.tiff", kUiLessPictureBundle), kit::Image());
  }
  mScanBtn->setToolTip(localized("IDC_MS_BTN_MULTI_SCAN", "ToolTips"));
  mScanBtn->setAction([this](kit::Control&) { clickNextBtn(); });
  mRightSubView->addSubview(mScanBtn.get());

  mSeparator = std::make_unique<kit::Box>(fnd::Rect(c.origin.x + 5, c.origin.y + 50, w - 10, 5));
  mSeparator->setBoxType(kit::BoxType::Separator);
  mRightBox->addSubview(mSeparator.get());
  mBackBtn = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(c.origin.x, c.origin.y + 10, 163, 32));
  mBackBtn->setBezelStyle(kit::BezelStyle::Rounded);
  mBackBtn->setTitle(localized("IDMAC_CANCEL_BTN"));
  mBackBtn->setToolTip(localized("IDC_BTN_BACK", "ToolTips"));
  mBackBtn->setAction([this] { clickBackBtn(); });
  mRightBox->addSubview(mBackBtn.get());
}

// ---- Showing and closing --------------------------------------------------------------------

void Quirel_UILessScanMode::observeActivation(bool on) {
  mActivationTokens.clear();
  if (!on) return;
  mActivationTokens.push_back(mCenter.observe(kit::Application::kDidBecomeActiveNotification, nullptr,
                                              [this](const fnd::Notification& n) { appDidBecomeActive(n); }));
  mActivationTokens.push_back(mCenter.observe(kit::Application::kWillResignActiveNotification, nullptr,
                                              [this](const fnd::Notification& n) { appWillResignActive(n); }));
}

void Quirel_UILessScanMode::showDialog() {
  if (!mWindow || mWindow->isVisible()) return;
  fnd::Rect frame = mWindow->frame();
  frame.size.width += 1;
  frame.size.height += 1;
  mWindow->setFrame(frame, false);
  if (mNextBtn) mWindow->setDefaultButton(mNextBtn.get());
  observeActivation(true);
  if (!kit::Application::shared().isActive()) mWindow->setLevel(kit::kNormalWindowLevel);
  mWindow->makeKeyAndOrderFront();
}

void Quirel_UILessScanMode::closeDialog() {
  if (!mWindow || !mWindow->isVisible()) return;
  observeActivation(false);
  mWindow->orderOut();
}

void Quirel_UILessScanMode::appDidBecomeActive(const fnd::Notification&) {
  if (!mWindow || !mWindow->isVisible()) return;
  mWindow->setLevel(kUiLessDialogLevel);
  mWindow->orderFront();
}

void Quirel_UILessScanMode::appWillResignActive(const fnd::Notification&) {
  if (!mWindow || !mWindow->isVisible()) return;
  mWindow->setLevel(kit::kNormalWindowLevel);
  mWindow->orderFront();
}

// ---- Enabling -------------------------------------------------------------------------------

void Quirel_UILessScanMode::setEnabledAllControl(bool enable, bool all) {
  if (!mWindow) return;
  if (enable) {
    if (!mDisabledView) return;
    mDisabledView->removeFromSuperview();
    mDisabledView.reset();
    if (mBackBtn) mBackBtn->setEnabled(true);
    if (mNextBtn) mNextBtn->setEnabled(true);
    if (mScanBtn) mScanBtn->setEnabled(true);
    if (mAllSelectCbx) mAllSelectCbx->setEnabled(true);
    mWindow->contentView()->setNeedsDisplay(true);
    return;
  }
  if (mDisabledView) return;
  kit::View* content = mWindow->contentView();
  mDisabledView = std::make_unique<Quirel_DisabledView>(content->frame());
  mDisabledView->setAutoresizingMask(kit::kViewWidthSizable | kit::kViewHeightSizable);
  content->addSubview(mDisabledView.get());
  if (all) {
    if (mBackBtn) mBackBtn->setEnabled(false);
    if (mNextBtn) mNextBtn->setEnabled(false);
    if (mScanBtn) mScanBtn->setEnabled(false);
    if (mAllSelectCbx) mAllSelectCbx->setEnabled(false);
  }
  content->setNeedsDisplay(true);
}

// ---- Window delegate ------------------------------------------------------------------------

void Quirel_UILessScanMode::placePreviewFrame() {
  if (mWindow && mPreviewFrame) mPreviewFrame->setFrame(uiLessArea(*mWindow));
}

void Quirel_UILessScanMode::windowDidResize(kit::Window&) {
  placePreviewFrame();
  resizeThumbnailFrame();
  if (mPreviewFrame) mPreviewFrame->setNeedsDisplay(true);
}

bool Quirel_UILessScanMode::windowShouldZoom(kit::Window&, const fnd::Rect&) { return !mDisabledView; }

fnd::Size Quirel_UILessScanMode::windowWillResize(kit::Window& window, fnd::Size proposedFrameSize) {
  return mDisabledView ? window.frame().size : proposedFrameSize;
}

bool Quirel_UILessScanMode::windowShouldClose(kit::Window& window) {
  if (mDisabledView) return false;
  if (!mThumbnailList.empty() && MES_ShowMessageAndNumberMainThreadMode(1400, 0, 0, 0) == 0) {
    window.makeKeyAndOrderFront();
    return false;
  }
  // The window closes itself on this answer: only the clean-up of a close is done here, so the
  // dialog is never closed twice.
  observeActivation(false);
  Quirel_PostNotification(mCenter).postExternalNotificationName(kCancelClosePost, outwardObject(), nullptr);
  return true;
}

// ---- The two buttons ------------------------------------------------------------------------

void Quirel_UILessScanMode::clickBackBtn() {
  std::weak_ptr<int> alive = mAlive;
  fnd::RunLoop::main().performAfterDelay(0, [this, alive] {
    if (alive.lock()) clickBackBtnPerformSelector();
  });
}

void Quirel_UILessScanMode::clickBackBtnPerformSelector() {
  if (mThumbnailList.empty() || MES_ShowMessageAndNumberMainThreadMode(1400, 0, 0, 0) != 0) {
    cancelAndClose();
    return;
  }
  if (mWindow) mWindow->makeKeyAndOrderFront();
}

void Quirel_UILessScanMode::clickNextBtn() {
  std::weak_ptr<int> alive = mAlive;
  fnd::RunLoop::main().performAfterDelay(0, [this, alive] {
    if (alive.lock()) clickNextBtnPerformSelector();
  });
}

void Quirel_UILessScanMode::clickNextBtnPerformSelector() {
  std::vector<int> checked;
  for (const auto& t : mThumbnailList)
    if (t->isChecked()) checked.push_back(t->getNo());
  if (!checked.empty()) {
    closeDialog();
    // A scan that could not be sent leaves the user where they were, with the dialog back.
    if (!scanStart()) showDialog();
    return;
  }
  MES_ShowMessageAndNumberMainThreadMode(1311, 0, 0, 0);
  if (mWindow) mWindow->makeKeyAndOrderFront();
}
