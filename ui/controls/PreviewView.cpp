#include "ui/controls/PreviewView.h"

#include "foundation/NotificationCenter.h"
#include "foundation/Value.h"
#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "ui/controls/ClickHandshake.h"
#include "ui/controls/NoFocusTextField.h"

void Quirel_PreviewView::postWithEvent(const char* name, const void* sender, const kit::Event& event,
                                       const fnd::Dictionary& extra) {
  fnd::Dictionary info = extra;
  info.set(Quirel_PreviewView::kEventKey, fnd::Value::object(std::make_shared<kit::Event>(event)));
  fnd::NotificationCenter::defaultCenter().post(name, sender, fnd::makeShared(std::move(info)));
}

Quirel_PreviewView::Quirel_PreviewView(const fnd::Rect& frame) : Quirel_ResponderView(frame) {
  updateTrackingRect();
}

Quirel_PreviewView::~Quirel_PreviewView() { removeTrackingRect(); }

std::unique_ptr<Quirel_PreviewView> Quirel_PreviewView::initForStandardMode() {
  auto v = std::make_unique<Quirel_PreviewView>();
  v->mMode = 0;
  return v;
}

std::unique_ptr<Quirel_PreviewView> Quirel_PreviewView::initForExtendMode() {
  auto v = std::make_unique<Quirel_PreviewView>();
  v->mMode = 1;
  return v;
}

void Quirel_PreviewView::drawImageThrough(const kit::Image& image, const fnd::AffineTransform& transform) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  ctx->saveGraphicsState();
  ctx->concat(transform);
  fnd::Size i = image.size();
  ctx->drawImage(image, fnd::Rect(0, 0, i.width, i.height), fnd::Rect(0, 0, i.width, i.height), 1.0);
  ctx->restoreGraphicsState();
}

void Quirel_PreviewView::postMouseStream(kit::View& view, const char* name, const kit::Event& down,
                                         const fnd::Dictionary& extra) {
  postWithEvent(name, &view, down, extra);
  view.trackMouse([&view, name, &extra](const kit::Event& e) { postWithEvent(name, &view, e, extra); });
}

void Quirel_PreviewView::removePreviewImage() {
  mImage.reset();
  mTransform.reset();
}

bool Quirel_PreviewView::hasDrawableImage() const {
  // A picture of no width or height cannot be fitted: it is treated as no picture.
  return mImage && mImage->isValid() && mImage->size().width > 0 && mImage->size().height > 0;
}

void Quirel_PreviewView::computeScales() {
  fnd::Size b = bounds().size;
  fnd::Size i = mImage->size();
  if (mRotation != 0 && mRotation != 180) {
    mScaleX = b.height / i.width;
    mScaleY = b.width / i.height;
  } else {
    mScaleX = b.width / i.width;
    mScaleY = b.height / i.height;
  }
  mTransform = mTransform->scaled(mScaleX, mScaleY);
}

void Quirel_PreviewView::setTransform(const fnd::AffineTransform& transform, int rotation) {
  mTransform = transform;
  mRotation = rotation;
  if (!hasDrawableImage()) {
    mScaleX = mScaleY = -1.0;
    return;
  }
  computeScales();
}

void Quirel_PreviewView::placeTextField() {
  if (!mTextF) return;
  if (hasDrawableImage()) {
    mTextF->setHidden(true);
    return;
  }
  mTextF->setHidden(false);
  fnd::Size b = bounds().size;
  double width = mTextF->cellSize().width;
  double height = mTextF->frame().size.height;
  mTextF->setFrame(fnd::Rect((b.width - width) * 0.5, (b.height - height) * 0.5, width, height));
}

void Quirel_PreviewView::drawRect(const fnd::Rect& dirty) {
  if (isHidden()) return kit::View::drawRect(dirty);
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  if (!hasDrawableImage()) {
    kit::BezierPath path = kit::BezierPath::withRect(bounds());
    path.setLineWidth(2.0);
    path.setLineCapStyle(kit::LineCapStyle::Square);
    kit::Color::white().set();
    path.fill();
  }
  placeTextField();
  if (!hasDrawableImage() || !mTransform) return;
  if (mScaleX == -1.0 || mScaleY == -1.0) computeScales();
  Quirel_PreviewView::drawImageThrough(*mImage, *mTransform);
}

void Quirel_PreviewView::mouseDown(const kit::Event& event) {
  if (!mEnabled) return;
  if (!mDownOnOff && !Quirel_ClickHandshake::pass(kViewDownPost, this, mDownOnOff)) return;
  postMouseStream(*this, kMouseEventPost, event);
}

void Quirel_PreviewView::keyDown(const kit::Event& event) {
  if (!mEnabled) return;
  const std::string& chars = event.characters();
  if (!chars.empty() && static_cast<unsigned char>(chars[0]) == 127) postWithEvent(kDeleteKeyPost, this, event);
  kit::View::keyDown(event);
}

void Quirel_PreviewView::mouseEntered(const kit::Event&) { mEntered = true; }

void Quirel_PreviewView::mouseExited(const kit::Event&) {
  mEntered = false;
  fnd::NotificationCenter::defaultCenter().post(kMouseExitedPost, this);
}

void Quirel_PreviewView::resetCursorRects() {
  fnd::NotificationCenter::defaultCenter().post(kUpdateCursorRectsPost, this);
}
