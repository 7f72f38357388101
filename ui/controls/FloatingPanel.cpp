#include "ui/controls/FloatingPanel.h"

#include "foundation/NotificationCenter.h"
#include "ui/controls/EventWait.h"

void Quirel_FloatingPanel::post(const char* name) { fnd::NotificationCenter::defaultCenter().post(name, this); }

fnd::Rect Quirel_FloatingPanel::titleButtonBand() const {
  const fnd::Rect close = standardWindowButtonFrame(kit::WindowButton::Close);
  return fnd::Rect(close.origin.x, close.origin.y, mFinalZoomRect.origin.x + mFinalZoomRect.size.width - close.origin.x,
                   contentRectSize().height);
}

void Quirel_FloatingPanel::trackTitleButtons(fnd::Point at, bool inContent) {
  if (inContent) {
    if (mTitleBtnFlg2) {
      post(kFinalRefreshPost);
      mTitleBtnFlg2 = false;
    }
  } else if (titleButtonBand().contains(at)) {
    post(kFinalRefreshPost);
    mTitleBtnFlg1 = mTitleBtnFlg2 = mTitleBtnFlg3 = true;
  } else if (mTitleBtnFlg1) {
    post(kFinalRefreshPost);
    mTitleBtnFlg1 = false;
  }
}

bool Quirel_FloatingPanel::passTitleBarDown(fnd::Point at) {
  for (kit::WindowButton button : testedButtons())
    if (standardWindowButtonFrame(button).contains(at)) return mEnabled;
  if (mTitleDownOnOff) return true;
  // The press and everything up to its release go nowhere; the wait also ends when the
  // panel closes or the application ends.
  Quirel_EventWait::swallowUntilMouseUp(this);
  return false;
}

void Quirel_FloatingPanel::sendEvent(const kit::Event& event) {
  const fnd::Point at = event.locationInWindow();
  const fnd::Size content = contentRectSize();
  const bool inContent = at.x >= 0 && at.y >= 0 && at.x < content.width && at.y < content.height;
  switch (event.type()) {
    case kit::EventType::MouseMoved:
      trackTitleButtons(at, inContent);
      break;
    case kit::EventType::MouseExited:
      if (mTitleBtnFlg3) {
        post(kFinalRefreshPost);
        mTitleBtnFlg3 = false;
      }
      break;
    case kit::EventType::LeftMouseDown:
      if (!inContent && !passTitleBarDown(at)) return;
      break;
    default:
      break;
  }
  kit::Panel::sendEvent(event);
  if (event.type() == kit::EventType::FlagsChanged)
    post((event.modifierFlags() & kit::kAlternateKeyMask) ? kOptionKeyDownPost : kOptionKeyUpPost);
}
