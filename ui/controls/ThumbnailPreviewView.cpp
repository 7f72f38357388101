#include "ui/controls/ThumbnailPreviewView.h"

#include "foundation/NotificationCenter.h"
#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "ui/controls/ClickHandshake.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ThumbnailFrameView.h"

Quirel_ThumbnailPreviewView::Quirel_ThumbnailPreviewView(const fnd::Rect& frame, int no)
    : Quirel_ResponderView(frame), mNo(no) {
  updateTrackingRect();
}

Quirel_ThumbnailPreviewView::~Quirel_ThumbnailPreviewView() { removeTrackingRect(); }

void Quirel_ThumbnailPreviewView::removeImage() {
  mImage.reset();
  mTransform.reset();
}

bool Quirel_ThumbnailPreviewView::hasDrawableImage() const {
  return mImage && mImage->isValid() && mImage->size().width > 0 && mImage->size().height > 0;
}

void Quirel_ThumbnailPreviewView::setTransform(const fnd::AffineTransform& transform, int rotation) {
  double sx = 1.0, sy = 1.0;
  // A picture of no width or height scales by 1, like no picture.
  if (hasDrawableImage()) {
    fnd::Size b = bounds().size;
    fnd::Size i = mImage->size();
    bool turned = rotation != 0 && rotation != 180;
    sx = (turned ? b.height : b.width) / i.width;
    sy = (turned ? b.width : b.height) / i.height;
  }
  mTransform = transform.scaled(sx, sy);
}

void Quirel_ThumbnailPreviewView::mouseDown(const kit::Event& event) {
  if (!mDownOnOff && !Quirel_ClickHandshake::pass(Quirel_PreviewView::kViewDownPost, this, mDownOnOff)) return;
  Quirel_PreviewView::postMouseStream(*this, kMouseEventPost, event, {{Quirel_ThumbnailFrameView::kNoKey, mNo}});
}

void Quirel_ThumbnailPreviewView::drawRect(const fnd::Rect& dirty) {
  if (kit::View::isHidden()) return kit::View::drawRect(dirty);
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  if (!hasDrawableImage()) {
    kit::Color::white().setFill();
    kit::BezierPath::fillRect(bounds());
    return;
  }
  if (!mTransform) return;
  Quirel_PreviewView::drawImageThrough(*mImage, *mTransform);
}

void Quirel_ThumbnailPreviewView::resetCursorRects() {
  fnd::NotificationCenter::defaultCenter().post(kUpdateCursorRectsPost, static_cast<kit::View*>(this));
}
