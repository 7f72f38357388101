// The progress window's three wait windows: scanner connect, calibration (folded into the
// progress window itself in the newer layout) and quiet time. None is gated by Cancel.
#include <algorithm>
#include <cmath>

#include "kit/Button.h"
#include "kit/ImageView.h"
#include "kit/TextField.h"
#include "kit/View.h"
#include "kit/Window.h"
#include "ui/base/ProgressLayout.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/windows/MessageInfoView.h"
#include "ui/windows/ProgressWindow.h"
#include "ui/windows/ScannerConnectWindow.h"

namespace {

constexpr int kWaitWindowLevel = 12;
constexpr double kNoteIconSide = 32;
constexpr double kCalibrationBelowTop = 30;

std::int32_t calibrationMessageFor(std::int32_t mode) {
  if (mode == 0) return 1314;
  if (mode == 1) return 1330;
  return mode;  // some models give the message number itself (1350, 1351)
}

kit::Image noteIcon() { return kit::Image::named("note", "quirel_r14"); }

// A plain label: no bezel, border or background, not editable or selectable.
std::unique_ptr<kit::TextField> waitLabel(const std::string& text, const fnd::Rect& frame, kit::TextAlignment align) {
  auto field = kit::TextField::wrappingLabelWithString(text, frame);
  field->setEditable(false);
  field->setSelectable(false);
  field->setBezeled(false);
  field->setBordered(false);
  field->setDrawsBackground(false);
  field->setAlignment(align);
  return field;
}

void prepareWaitWindow(kit::Window& window) {
  window.setLevel(kWaitWindowLevel);
  window.setExcludedFromWindowsMenu(true);
  window.setReleasedWhenClosed(false);
  window.setHasShadow(true);
}

kit::View* addNoteIcon(kit::View* parent, fnd::Point origin) {
  auto icon = std::make_unique<Quirel_NoFocusImageView>(fnd::Rect(origin, fnd::Size(kNoteIconSide, kNoteIconSide)));
  icon->setImageScaling(kit::ImageScaling::ProportionallyUpOrDown);
  icon->setImage(noteIcon());
  return parent->addSubview(std::move(icon));
}

}  // namespace

// --- scanner connect ----------------------------------------------------------------------------

kit::Window* Quirel_ProgressWindow::scannerConnectWindow() const { return scannerConnectWindow_.get(); }

void Quirel_ProgressWindow::displayScannerConnectWindowMainThreadMode() { displayScannerConnectWindow(); }

kit::Window* Quirel_ProgressWindow::displayScannerConnectWindow() {
  // The caller pairs open and close; an open over an open one replaces it.
  closeScannerConnectWindowwMainThreadMode();
  scannerConnectWindow_ =
      std::make_unique<Quirel_ScannerConnectWindow>(fnd::Rect(0, 0, 300, 80), kit::kTitledWindowMask);
  prepareWaitWindow(*scannerConnectWindow_);
  scannerConnectWindow_->setTitle(uiText("IDD_ASK_TEMPLATE_STR"));
  kit::View* content = scannerConnectWindow_->contentView();
  csMessage = static_cast<kit::TextField*>(
      content->addSubview(waitLabel(messageText(200), fnd::Rect(10, 30, 290, 20), kit::TextAlignment::Center)));
  addNoteIcon(content, fnd::Point(15, 25));
  scannerConnectWindow_->center();
  scannerConnectWindow_->makeKeyAndOrderFront();
  return scannerConnectWindow_.get();
}

void Quirel_ProgressWindow::closeScannerConnectWindowwMainThreadMode() {
  if (!scannerConnectWindow_) return;
  scannerConnectWindow_->close();
  csMessage = nullptr;
  scannerConnectWindow_.reset();
}

// --- calibration --------------------------------------------------------------------------------

void Quirel_ProgressWindow::displayCalibrationProcWindowMainThreadMode(std::int32_t displayMode) {
  displayCalibrationProcWindow(displayMode);
}

kit::Window* Quirel_ProgressWindow::displayCalibrationProcWindow(std::int32_t displayMode) {
  mdispMode = displayMode;
  return displayCalibrationProcWindowMainThread_NRT();
}

kit::Window* Quirel_ProgressWindow::displayCalibrationProcWindowMainThread_NRT() {
  const std::int32_t message = calibrationMessageFor(mdispMode);
  if (calibShowFlag) return nullptr;
  const bool progressUp = pWindow && showFlg;
  if (layoutType == Quirel_ProgressLayout::kNewerLayout && progressUp) {
    // The progress window itself says what is happening.
    const fnd::Dictionary info{
        {"MessageID", message}, {"ProgressBar", false}, {"CancelButton", false}, {"DetailInfo", false}};
    setInformationDataMainThreadMode(&info);
    return nullptr;
  }

  calibProcWindow = std::make_unique<kit::Window>(fnd::Rect(0, 0, 430, 70), kit::kTitledWindowMask);
  prepareWaitWindow(*calibProcWindow);
  auto content = std::make_unique<Quirel_MessageInfoView>(fnd::Rect(0, 0, 430, 70));
  CaribMessage = static_cast<kit::TextField*>(
      content->addSubview(waitLabel(messageText(message), fnd::Rect(60, 10, 360, 55), kit::TextAlignment::Left)));
  addNoteIcon(content.get(), fnd::Point(15, 10));
  calibProcWindow->setContentView(std::move(content));

  askMainWindow();
  fnd::Rect frame = calibProcWindow->frame();
  if (progressUp) {
    const fnd::Rect progress = pWindow->frame();
    frame.origin.x = std::trunc(progress.midX() - frame.size.width / 2);
    frame.origin.y = progress.maxY() - kCalibrationBelowTop - frame.size.height;
    calibProcWindow->setFrame(frame, false);
    pWindow->addChildWindow(calibProcWindow.get());
    if (CancelButton) CancelButton->setEnabled(false);
  } else if (uimWindow) {
    const fnd::Rect main = uimWindow->frame();
    frame.origin.x = std::trunc(main.midX() - frame.size.width / 2);
    frame.origin.y = std::trunc(main.midY());
    calibProcWindow->setFrame(frame, false);
  } else {
    calibProcWindow->center();
  }
  calibProcWindow->makeKeyAndOrderFront();
  calibShowFlag = true;
  return calibProcWindow.get();
}

void Quirel_ProgressWindow::closeCalibrationProcWindowMainThreadMode() { closeCalibrationProcWindowMainThread_NRT(); }

void Quirel_ProgressWindow::closeCalibrationProcWindowMainThread_NRT() {
  // Folded into the newer layout's progress window there is no window: the next information
  // dictionary replaces the message. A window opened before the progress window came up closes.
  if (!calibShowFlag || !calibProcWindow) return;
  if (pWindow && calibProcWindow->parentWindow() == pWindow.get()) {
    pWindow->removeChildWindow(calibProcWindow.get());
    // Cancel comes back unless the user has cancelled meanwhile.
    if (CancelButton && WindowStatus != kStatusCancelled) CancelButton->setEnabled(true);
  }
  calibProcWindow->close();
  CaribMessage = nullptr;
  calibProcWindow.reset();
  calibShowFlag = false;
}

// --- quiet time ---------------------------------------------------------------------------------

kit::Window* Quirel_ProgressWindow::displaySilentTimeWindowMainThreadModeWithTitle(
    const std::optional<std::string>& title, std::int32_t type, bool isSFS) {
  closeSilentTimeWindowMainThreadMode();
  const std::int32_t message = (type == 0 || type == 2 || type == 4) ? (isSFS ? 1722 : 1720) : 1721;
  mSilentTimeWindow = std::make_unique<kit::Window>(fnd::Rect(0, 0, 360, 95), kit::kTitledWindowMask);
  prepareWaitWindow(*mSilentTimeWindow);
  if (title) mSilentTimeWindow->setTitle(*title);
  const std::string text = messageText(message);
  auto field = waitLabel(text, fnd::Rect(30, 25, 40, 17), kit::TextAlignment::Left);

  // The window fits the text: its natural size within 1000 x 1000.
  double natural = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    natural = std::max(natural, field->font().widthOfString(line) + 2 * kit::TextField::kLabelInset);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  const double w = std::ceil(std::min(natural, 1000.0));
  const double h = std::ceil(std::min(field->heightForWidth(w), 1000.0));
  const double width = std::max(60 + w, 360.0);
  const double height = std::max(50 + h, 95.0);
  mSilentTimeWindow->setContentSize(fnd::Size(width, height));
  field->setFrame(fnd::Rect(30, height - (h + 25), w, h));
  mSilentTimeMessageTxtF = static_cast<kit::TextField*>(mSilentTimeWindow->contentView()->addSubview(std::move(field)));

  mSilentTimeWindow->center();
  mSilentTimeWindow->makeKeyAndOrderFront();
  // The caller waits for the device next: the window has to be drawn before that.
  mSilentTimeWindow->display();
  return mSilentTimeWindow.get();
}

void Quirel_ProgressWindow::closeSilentTimeWindowMainThreadMode() {
  if (!mSilentTimeWindow) return;
  mSilentTimeWindow->close();
  mSilentTimeMessageTxtF = nullptr;
  mSilentTimeWindow.reset();
}
