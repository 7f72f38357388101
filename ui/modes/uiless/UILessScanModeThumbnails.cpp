// The frame-select dialog's thumbnails: one crop and one checked-or-not thumbnail per film
// frame the preview found, laid out in the base's 12-slot layout, zoomed by a double click.

#include <algorithm>
#include <cmath>
#include <string>

#include "kit/Event.h"
#include "kit/Window.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"
#include "ui/modes/uiless/UILessScanMode.h"

namespace {

kit::View* uiLessFrameView(const Quirel_ThumbnailInfo& t) { return dynamic_cast<kit::View*>(t.getFrameView()); }

Quirel_ThumbnailPreviewView* uiLessPictureView(const Quirel_ThumbnailInfo& t) {
  return dynamic_cast<Quirel_ThumbnailPreviewView*>(t.getPreviewView());
}

kit::Button* uiLessCheckBox(const Quirel_ThumbnailInfo& t) { return dynamic_cast<kit::Button*>(t.getCheckBox()); }

// Scales a value of a whole of `full` to a whole of `size`; 0 without a whole.
double uiLessScaled(double value, double full, double size) { return full == 0 ? 0 : value * size / full; }

}  // namespace

void Quirel_UILessScanMode::copyCrop(const Quirel_CropInfo& from, Quirel_CropInfo& to) {
  // The base's copy takes the settings, the tone records, the magnification and the preview
  // geometry; the sizes of the frame are set by the caller.
  Quirel_BaseScanMode::copyCrop(from, to, false);
  // The request's automatic photo correction goes with every frame: the scan reads it there.
  to.setAutoPhotoCorrect(from.getAutoPhotoCorrect());
  to.setOutputSize(from.getOutputSize());
  to.setMagnification(from.getMagnification());
}

SRectDouble Quirel_UILessScanMode::frameRectFromCorners(const std::array<SPointDouble, 4>& c, double pw, double ph,
                                                        const SSizeDouble& film) {
  // Corners top left, top right, bottom right, bottom left, y down. The right and bottom edges
  // are inclusive (+1) and y turns upwards once, here.
  const double x = c[3].x;
  const double y = ph - (c[3].y + 1);
  const double w = (c[1].x + 1) - c[0].x;
  const double h = (c[3].y + 1) - c[0].y;
  return {{uiLessScaled(x, pw, film.width), uiLessScaled(y, ph, film.height)},
          {uiLessScaled(w, pw, film.width), uiLessScaled(h, ph, film.height)}};
}

fnd::Rect Quirel_UILessScanMode::pictureRectInFrame(const fnd::Size& f, double boxTop, const fnd::Size& picture,
                                                    int rotation) {
  const double aw = f.width - 20;
  const double ah = f.height - boxTop - 20;
  // No picture, or one with a zero side: the whole space, so no side is divided by zero.
  if (picture.width <= 0 || picture.height <= 0) return fnd::Rect(10, boxTop + 10, aw, ah);
  const bool turned = rotation == 1 || rotation == 3;
  const double horizontal = turned ? picture.height : picture.width;
  const double vertical = turned ? picture.width : picture.height;
  double w = aw, h = ah;
  if (vertical > horizontal)
    w = ah * horizontal / vertical;
  else
    h = aw * vertical / horizontal;
  return fnd::Rect(10 + (aw - w) * 0.5, boxTop + 10 + (ah - h) * 0.5, w, h);
}

void Quirel_UILessScanMode::createThumbnail(Quirel_PreviewInfo* preview, const fnd::Array* frames, int filmSizeIndex,
                                            int filmType) {
  mTemplateCrop->setPaperSize(filmSizeIndex >= 1 && filmSizeIndex <= 10 ? 21 + filmSizeIndex : 21);
  mInputSource = filmType == 256 ? 3 : 4;
  int made = 0;
  if (frames) {
    mThumbnailCount = std::min(static_cast<int>(frames->size()), kMaxThumbnails);
    const double pw = preview ? preview->getPreviewWidth() : 0;
    const double ph = preview ? preview->getPreviewHeight() : 0;
    for (int n = 0; n < mThumbnailCount; ++n) {
      const fnd::Array& points = (*frames)[static_cast<std::size_t>(n)]["points"].toArray();
      std::array<SPointDouble, 4> corners{};
      for (std::size_t k = 0; k < 4 && k < points.size(); ++k)
        corners[k] = {points[k]["X"].toReal(), points[k]["Y"].toReal()};
      createThumbnailInfo(n, true, frameRectFromCorners(corners, pw, ph, mFilmPlatenRect_Pixel96.size));
      ++made;
    }
  }
  if (mAllSelectCbx) mAllSelectCbx->setState(made == 1 ? kit::kOnState : kit::kOffState);
}

void Quirel_UILessScanMode::createThumbnailInfo(int no, bool hidden, const SRectDouble& r) {
  auto t = std::make_shared<Quirel_ThumbnailInfo>(no);
  auto frame = std::make_unique<Quirel_ThumbnailFrameView>(fnd::Rect(), no);
  auto picture = std::make_unique<Quirel_ThumbnailPreviewView>(fnd::Rect(), no);
  auto box = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(0, 10, 40, 20).integral());
  box->setButtonType(kit::ButtonType::Switch);
  box->setTitle(std::to_string(no + 1));
  Quirel_NoFocusButton* boxRef = box.get();
  // A click on a frame acts at once: the dialog has no first-click hand-over.
  frame->setDownOnOff(true);
  frame->addSubview(picture.get());
  frame->addSubview(box.get());
  if (mPreviewFrame) mPreviewFrame->addSubview(frame.get());
  const void* frameId = static_cast<const void*>(static_cast<kit::View*>(frame.get()));
  const void* pictureId = static_cast<const void*>(static_cast<kit::View*>(picture.get()));
  t->setFrameView(std::move(frame));
  t->setPreviewView(std::move(picture));
  t->setCheckBox(std::move(box));
  // The box answers to the mode (after the thumbnail took it, which gives it an action of its own).
  boxRef->setAction([this, boxRef] { clickThumbnailCheckBox(boxRef); });
  t->setHidden(hidden);
  mCenter.addObserver(selfIdentity(), Quirel_ThumbnailFrameView::kMouseEventPost, frameId,
                      [this](const fnd::Notification& n) { clickFrameView(n); });
  mCenter.addObserver(selfIdentity(), Quirel_ThumbnailPreviewView::kMouseEventPost, pictureId,
                      [this](const fnd::Notification& n) { mouseEventOnThumbnail(n); });

  auto crop = std::make_shared<Quirel_CropInfo>();
  copyCrop(*mTemplateCrop, *crop);
  crop->setPreviewSize_Pixel96(mFilmPlatenRect_Pixel96.size);
  crop->setInputPoint_Pixel96(0, 0);
  crop->setInputSize_Pixel96(r.size.width, r.size.height);
  const double templateWidth = mTemplateCrop->getInputWidth_Pixel96();
  double m = 100;
  if (templateWidth > 0) {
    const double shorter = std::min(r.size.width, r.size.height);
    m = shorter == 0 ? 0 : 100 * templateWidth / shorter;
  }
  crop->setOutputWidth_Pixel96(Quirel_BaseScanMode::maltipleUnit(m, r.size.width));
  crop->setOutputHeight_Pixel96(Quirel_BaseScanMode::maltipleUnit(m, r.size.height));
  crop->setMagnification(static_cast<int>(m));

  t->setCropInfo(crop);
  t->setVisiblePreviewSize_Pixel96(r.size);
  t->setPreviewStartPoint_Pixel96(r.origin);
  mThumbnailList.push_back(t);
  mCropList.push_back(crop);
  resizeThumbnailFrame(no);
  if (Quirel_BaseScanMode::needRotation90(mScannerInfo.get(), crop->getPaperSize(), r.size.width, r.size.height,
                                          t->getRotation())) {
    t->setRotation(1);
    Quirel_BaseScanMode::updateCropByLeftRotate(1, *crop);
  }
  t->setSelected(false);
  t->setFocus(false);
  t->setChecked(no == 0);
  if (mPreviewFrame) mPreviewFrame->setNeedsDisplay(true);
}

void Quirel_UILessScanMode::setThumbnailImage(Quirel_PreviewInfo* preview) {
  if (!preview || mThumbnailList.empty()) return;
  for (int n = 0; n < mThumbnailCount && n < static_cast<int>(mThumbnailList.size()); ++n) {
    Quirel_ThumbnailInfo& t = *mThumbnailList[static_cast<std::size_t>(n)];
    SRectDouble stored{{0, 0}, {0, 0}};
    std::shared_ptr<const PreviewBitmap> bitmap = preview->getThumbnailImageDataAtIndex(n, &stored);
    if (Quirel_ThumbnailPreviewView* view = uiLessPictureView(t)) {
      view->removeImage();
      const std::size_t need = bitmap ? static_cast<std::size_t>(std::max(bitmap->width, 0)) *
                                            static_cast<std::size_t>(std::max(bitmap->height, 0)) * 3
                                      : 0;
      if (bitmap && need > 0 && bitmap->bytes && bitmap->bytes->size() >= need)
        view->setImage(kit::Image::fromRGB(bitmap->bytes->data(), bitmap->width, bitmap->height));
    }
    resizeThumbnailFrame(n);
    t.setHidden(false);
  }
  if (mPreviewFrame) mPreviewFrame->setNeedsDisplay(true);
}

void Quirel_UILessScanMode::makeThumbnailRects(int count, ThumbnailRects& rects) const {
  const fnd::Size area = mPreviewFrame ? mPreviewFrame->frame().size : fnd::Size();
  Quirel_BaseScanMode::ThumbnailRects slots{};
  Quirel_BaseScanMode::makeThumbnailRects(count, area, mScannerInfo && mScannerInfo->isVer1500Later(), slots);
  std::copy(slots.begin(), slots.end(), rects.begin());
}

fnd::Rect Quirel_UILessScanMode::makeThumbnailRect(int no, int count) const {
  ThumbnailRects rects{};
  makeThumbnailRects(count, rects);
  return no >= 0 && no < kMaxThumbnails ? rects[static_cast<std::size_t>(no)] : fnd::Rect();
}

void Quirel_UILessScanMode::resizeThumbnailFrame() {
  for (std::size_t i = 0; i < mThumbnailList.size(); ++i) resizeThumbnailFrame(static_cast<int>(i));
}

void Quirel_UILessScanMode::resizeThumbnailFrame(int no) {
  if (no < 0 || no >= static_cast<int>(mThumbnailList.size())) return;
  Quirel_ThumbnailInfo& t = *mThumbnailList[static_cast<std::size_t>(no)];
  const fnd::Rect f = t.isZoom() ? makeThumbnailRect(0, 1) : makeThumbnailRect(no, mThumbnailCount);
  if (kit::View* frame = uiLessFrameView(t)) frame->setFrame(f);
  double boxTop = 0;
  if (kit::Button* box = uiLessCheckBox(t)) {
    fnd::Rect b = box->frame();
    b.origin.x = std::floor((f.size.width - b.size.width) * 0.5);
    box->setFrame(b);
    boxTop = b.origin.y + b.size.height;
  }
  Quirel_ThumbnailPreviewView* view = uiLessPictureView(t);
  if (!view) return;
  const fnd::Size picture = view->getImage() ? view->getImage()->size() : fnd::Size();
  const fnd::Rect r = pictureRectInFrame(f.size, boxTop, picture, t.getRotation());
  view->setFrame(r);
  const double angle = t.getRotation() * 90.0;
  view->setTransform(Quirel_BaseScanMode::makeTransform(angle, false, r.size), static_cast<int>(angle));
}

bool Quirel_UILessScanMode::allChecked() const {
  return std::all_of(mThumbnailList.begin(), mThumbnailList.end(), [](const auto& t) { return t->isChecked(); });
}

void Quirel_UILessScanMode::clickThumbnailCheckBox(const kit::Button* box) {
  for (const auto& t : mThumbnailList) {
    if (uiLessCheckBox(*t) == box) t->setChecked(box->state() == kit::kOnState);
  }
  if (mAllSelectCbx) mAllSelectCbx->setState(allChecked() ? kit::kOnState : kit::kOffState);
}

void Quirel_UILessScanMode::clickSelectAllCheckBox() {
  const bool on = mAllSelectCbx && mAllSelectCbx->state() == kit::kOnState;
  for (const auto& t : mThumbnailList) t->setChecked(on);
}

void Quirel_UILessScanMode::clickFrameView(const fnd::Notification& n) {
  const fnd::Dictionary* info = n.info();
  if (!info || mThumbnailList.size() < 2) return;
  auto event = info->get(Quirel_PreviewView::kEventKey).toObject<kit::Event>();
  if (!event || event->clickCount() != 2) return;
  const long long no = info->integer(Quirel_ThumbnailFrameView::kNoKey);
  if (no < 0 || no >= static_cast<long long>(mThumbnailList.size())) return;
  Quirel_ThumbnailInfo& chosen = *mThumbnailList[static_cast<std::size_t>(no)];
  const bool zoom = !chosen.isZoom();
  chosen.setZoom(zoom);
  for (const auto& t : mThumbnailList)
    if (t.get() != &chosen) t->setHidden(zoom);
  resizeThumbnailFrame();
  if (mWindow) mWindow->contentView()->setNeedsDisplay(true);
}

void Quirel_UILessScanMode::removeAllThumbnail() {
  for (const auto& t : mThumbnailList) {
    if (kit::View* frame = uiLessFrameView(*t)) {
      mCenter.removeObserver(selfIdentity(), Quirel_ThumbnailFrameView::kMouseEventPost, frame);
      frame->removeFromSuperview();
    }
    if (Quirel_ThumbnailPreviewView* picture = uiLessPictureView(*t)) {
      mCenter.removeObserver(selfIdentity(), Quirel_ThumbnailPreviewView::kMouseEventPost,
                             static_cast<kit::View*>(picture));
      picture->removeTrackingRect();
    }
  }
  mThumbnailList.clear();
  mCenter.post(kRemoveThumbnailImagePost, selfIdentity());
}
