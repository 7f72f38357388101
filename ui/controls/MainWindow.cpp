#include "ui/controls/MainWindow.h"

#include "foundation/NotificationCenter.h"
#include "kit/View.h"
#include "ui/controls/DisabledView.h"
#include "ui/controls/EventWait.h"

Quirel_MainWindow::Quirel_MainWindow(const fnd::Rect& contentRect, unsigned styleMask)
    : kit::Window(contentRect, styleMask) {}

bool Quirel_MainWindow::canBecomeKeyWindow() const { return mCanBecomeKey && kit::Window::canBecomeKeyWindow(); }

bool Quirel_MainWindow::passTitleBarDown(const kit::Event& event) {
  const fnd::Point at = event.locationInWindow();
  const bool buttonsEnabled = mEnabled && mEnabledSystemBtn;
  if (standardWindowButtonFrame(kit::WindowButton::Zoom).contains(at)) {
    if (!buttonsEnabled) return false;
    fnd::NotificationCenter::defaultCenter().post(kZoomBtnOnPost, this);
    return true;
  }
  if (standardWindowButtonFrame(kit::WindowButton::Miniaturize).contains(at) ||
      standardWindowButtonFrame(kit::WindowButton::Close).contains(at))
    return buttonsEnabled;
  if (mTitleDownOnOff) return true;
  // The title bar is off: the press and everything up to its release go nowhere. The wait
  // also ends when the window starts closing, closes, or the application ends.
  Quirel_EventWait::swallowUntilMouseUp(this, [this] { return mCloseFlg; });
  return false;
}

void Quirel_MainWindow::sendEvent(const kit::Event& event) {
  if (mCloseFlg) return;
  if (event.type() == kit::EventType::LeftMouseDown) {
    const fnd::Point at = event.locationInWindow();
    const fnd::Size content = contentRectSize();
    const bool inContent = at.x >= 0 && at.y >= 0 && at.x < content.width && at.y < content.height;
    if (!inContent && !passTitleBarDown(event)) return;
  }
  // An observer of the zoom post may have started the closing.
  if (mCloseFlg) return;
  kit::Window::sendEvent(event);
  if (event.type() == kit::EventType::FlagsChanged)
    fnd::NotificationCenter::defaultCenter().post(
        (event.modifierFlags() & kit::kAlternateKeyMask) ? kOptionKeyDownPost : kOptionKeyUpPost, this);
}

void Quirel_MainWindow::mouseMoved(const kit::Event& event) {
  if (mCloseFlg) return;
  kit::Window::mouseMoved(event);
  fnd::NotificationCenter::defaultCenter().post(kMouseMovedPost, this);
}

void Quirel_MainWindow::setMasked(bool masked, std::unique_ptr<Quirel_DisabledView>& mask) {
  setEnabledSystemBtn(!masked);
  if (masked) {
    if (mask) return;
    kit::View* content = contentView();
    if (!content) return;
    mask = std::make_unique<Quirel_DisabledView>(content->bounds());
    mask->setAutoresizingMask(kit::kViewWidthSizable | kit::kViewHeightSizable);
    content->addSubview(mask.get());
  } else {
    if (!mask) return;
    mask->removeFromSuperview();
    mask.reset();
  }
  // Drawn with the next redraw: a preview's or a scan's end enables the controls right after
  // and draws the whole window then, so drawing it here too would only draw it twice.
  if (kit::View* content = contentView()) content->setNeedsDisplay(true);
}
