// Thumbnails of a multi-document or film preview: creation and restore, the 12-slot layout,
// their pictures, zoom, stepping and click selection.

#include <algorithm>
#include <cmath>
#include <string>

#include "kit/Event.h"
#include "ui/controls/CTRLS_NextThumbnailButton.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CropView.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"

namespace {

kit::View* thumbsFrameView(const Quirel_ThumbnailInfo& t) { return dynamic_cast<kit::View*>(t.getFrameView()); }

Quirel_ThumbnailPreviewView* thumbsPreviewView(const Quirel_ThumbnailInfo& t) {
  return dynamic_cast<Quirel_ThumbnailPreviewView*>(t.getPreviewView());
}

kit::View* thumbsCheckBox(const Quirel_ThumbnailInfo& t) { return dynamic_cast<kit::View*>(t.getCheckBox()); }

// A picture of the preview model as an image; none unless its bytes hold the whole size.
std::optional<kit::Image> thumbsImageOf(const PreviewBitmap* bitmap) {
  if (!bitmap || bitmap->width <= 0 || bitmap->height <= 0 || !bitmap->bytes) return std::nullopt;
  const std::size_t need = static_cast<std::size_t>(bitmap->width) * static_cast<std::size_t>(bitmap->height) * 3;
  if (bitmap->bytes->size() < need) return std::nullopt;
  return kit::Image::fromRGB(bitmap->bytes->data(), bitmap->width, bitmap->height);
}

}  // namespace

namespace thumbs_detail {

// The frame view, the preview view and the check box of thumbnail `no`, handed to the
// thumbnail; the frame view joins the preview frame, the mode observes all three.
Quirel_ThumbnailPreviewView* buildViews(Quirel_BaseScanMode& mode, Quirel_CTRLS_PreviewFrame* previewFrame,
                                        Quirel_ThumbnailInfo& t, int no) {
  auto frame = std::make_unique<Quirel_ThumbnailFrameView>(fnd::Rect(), no);
  auto preview = std::make_unique<Quirel_ThumbnailPreviewView>(fnd::Rect(), no);
  auto box = std::make_unique<Quirel_NoFocusButton>(fnd::Rect(0, 10, 40, 20));
  box->setButtonType(kit::ButtonType::Switch);
  box->setTitle(std::to_string(no + 1));
  frame->addSubview(preview.get());
  frame->addSubview(box.get());
  if (previewFrame) previewFrame->addView(frame.get(), fnd::Rect());
  Quirel_ThumbnailPreviewView* previewView = preview.get();
  t.setFrameView(std::move(frame));
  t.setPreviewView(std::move(preview));
  t.setCheckBox(std::move(box));
  mode.registObserverToThumbnailInfo(t);
  return previewView;
}

}  // namespace thumbs_detail

Quirel_ThumbnailInfo* Quirel_BaseScanMode::createThumbnailWithIndex(int i, const std::optional<kit::Image>& image,
                                                                    const SRectDouble& r, bool hidden) {
  if (mChangeThumbnailSize && i >= 0 && i + 1 <= static_cast<int>(mThumbnailList.size())) {
    Quirel_ThumbnailInfo& t = *mThumbnailList[i];
    if (const auto& crop = t.getCropInfo()) {
      if (crop->hasCropView()) {
        t.removeThumbnailCrop();
        crop->removeCropView();
      }
      crop->setInputRect_Pixel96({{0, 0}, r.size});
      crop->setOutputSize_Pixel96(r.size);
      if (mTemplateCrop) crop->setPreviewSize_Pixel96(mTemplateCrop->getPreviewSize_Pixel96());
    }
    const int rotation = t.getRotation();
    const bool mirror = t.getMirror();
    t.setRotation(0);
    t.setMirror(false);
    t.setVisiblePreviewSize_Pixel96(r.size);
    t.setPreviewStartPoint_Pixel96(r.origin);
    if (const auto& crop = t.getCropInfo()) {
      for (int j = 1; j <= rotation; ++j) {
        t.setRotation(j);
        updateCropByLeftRotate(j, *crop);
        t.setVisiblePreviewSize_Pixel96(crop->getVisiblePreviewSize_Pixel96());
      }
      if (mirror) {
        t.setMirror(true);
        updateCropByMirror(true, *crop);
      }
    }
  } else {
    auto t = std::make_shared<Quirel_ThumbnailInfo>(i);
    auto crop = std::make_shared<Quirel_CropInfo>();
    mThumbnailList.push_back(t);
    mCropList.push_back(crop);
    Quirel_ThumbnailPreviewView* preview = thumbs_detail::buildViews(*this, mPreviewFrame, *t, i);
    if (image) preview->setImage(image);
    t->setHidden(hidden);
    if (mTemplateCrop) copyCrop(*mTemplateCrop, *crop, false);
    crop->setInputRect_Pixel96({{0, 0}, r.size});
    crop->setOutputSize_Pixel96(r.size);
    t->setCropInfo(crop);
    t->setMirror(false);
    t->setRotation(0);
    t->setVisiblePreviewSize_Pixel96(r.size);
    t->setPreviewStartPoint_Pixel96(r.origin);
    // One signature for the turn test everywhere: (film size, width, height, orientation).
    if (mScanMode == 3 && needRotation90(crop->getPaperSize(), r.size.width, r.size.height, t->getRotation())) {
      t->setRotation(1);
      updateCropByLeftRotate(1, *crop);
      t->setVisiblePreviewSize_Pixel96(crop->getVisiblePreviewSize_Pixel96());
    }
    t->setSelected(true);
    t->setFocus(i == 0);
    t->setChecked(mScanMode == 1 || i == 0);
  }
  resizeThumbnailFrame(i);
  resizeThumbnailPreview(i);
  return mThumbnailList.empty() ? nullptr : mThumbnailList.back().get();
}

Quirel_ThumbnailInfo* Quirel_BaseScanMode::createEmptyThumbnailWithIndex(int i) {
  auto t = std::make_shared<Quirel_ThumbnailInfo>(i);
  auto crop = std::make_shared<Quirel_CropInfo>();
  mThumbnailList.push_back(t);
  mCropList.push_back(crop);
  thumbs_detail::buildViews(*this, mPreviewFrame, *t, i);
  t->setHidden(true);
  if (mTemplateCrop) copyCrop(*mTemplateCrop, *crop, false);
  crop->setInputRect_Pixel96(zeroSRectDouble());
  crop->setOutputSize_Pixel96(zeroSSizeDouble());
  t->setCropInfo(crop);
  t->setMirror(false);
  t->setRotation(0);
  t->setVisiblePreviewSize_Pixel96(zeroSSizeDouble());
  t->setPreviewStartPoint_Pixel96(zeroSPointDouble());
  t->setSelected(true);
  t->setFocus(i == 0);
  t->setChecked(mScanMode == 1 || i == 0);
  resizeThumbnailFrame(i);
  resizeThumbnailPreview(i);
  return mThumbnailList.back().get();
}

void Quirel_BaseScanMode::createThumbnailsFromThumbnailInfos(const ThumbnailList* thumbnails) {
  if (!thumbnails) return;
  for (const auto& t : *thumbnails)
    if (t) createThumbnailFromThumbnailInfo(*t);
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
}

Quirel_ThumbnailInfo* Quirel_BaseScanMode::createThumbnailFromThumbnailInfo(const Quirel_ThumbnailInfo& other) {
  const int no = other.getNo();
  const Quirel_ThumbnailPreviewView* otherPreview = thumbsPreviewView(other);
  auto t = std::make_shared<Quirel_ThumbnailInfo>(no);
  // The record is shared with the other mode, not copied.
  const std::shared_ptr<Quirel_CropInfo> crop = other.getCropInfo();
  mThumbnailList.push_back(t);
  if (crop) mCropList.push_back(crop);
  Quirel_ThumbnailPreviewView* preview = thumbs_detail::buildViews(*this, mPreviewFrame, *t, no);
  if (otherPreview) preview->setImage(otherPreview->getImage());
  t->setHidden(other.isHidden());
  const bool hasView = crop && crop->hasCropView();
  if (hasView) {
    // The frame view leaves the other mode's thumbnail before it joins this one: one superview.
    if (auto* view = dynamic_cast<kit::View*>(crop->getCropView())) {
      view->removeFromSuperview();
      preview->addSubview(view);
    }
  }
  const std::shared_ptr<Quirel_CropInfo> saved = other.getThumnailCrop();
  const bool zoom = other.isZoom(), mirror = other.getMirror(), focus = other.isFocus();
  const bool selected = other.isSelected(), checked = other.isChecked();
  const int rotation = other.getRotation();
  const fnd::Size viewSize = other.getPreviewViewSize();
  const SSizeDouble visible = other.getVisiblePreviewSize_Pixel96();
  const SPointDouble start = other.getPreviewStartPoint_Pixel96();
  t->setCropInfo(crop);
  if (hasView && saved && saved != crop) t->setThumbnailCrop(saved);
  t->setZoom(zoom);
  t->setMirror(mirror);
  t->setRotation(rotation);
  t->setPreviewViewSize(viewSize);
  t->setVisiblePreviewSize_Pixel96(visible);
  t->setPreviewStartPoint_Pixel96(start);
  t->setFocus(focus);
  t->setSelected(selected);
  t->setChecked(checked);
  resizeThumbnailFrame(no);
  resizeThumbnailPreview(no);
  return mThumbnailList.back().get();
}

Quirel_ThumbnailInfo* Quirel_BaseScanMode::createThumbnailFromDictionary(const fnd::Dictionary& d) {
  const fnd::Dictionary& cropDictionary = d.dictionary("CropInfo");
  auto crop = std::make_shared<Quirel_CropInfo>(cropDictionary);
  auto t = std::make_shared<Quirel_ThumbnailInfo>(d, crop->getPreviewSize_Pixel96());
  mThumbnailList.push_back(t);
  mCropList.push_back(crop);
  const int no = t->getNo();
  Quirel_ThumbnailPreviewView* preview = thumbs_detail::buildViews(*this, mPreviewFrame, *t, no);
  t->setHidden(true);
  if (cropDictionary.boolean("HasView")) {
    auto view = std::make_unique<Quirel_CropView>(fnd::Rect());
    preview->addSubview(view.get());
    crop->setCropView(std::move(view));
    updateCropRectFromCrop(*crop, false);
  }
  // The stored turn and sizes are the thumbnail's; the record takes them over when attached.
  const int rotation = t->getRotation();
  const bool mirror = t->getMirror();
  const fnd::Size viewSize = t->getPreviewViewSize();
  const SSizeDouble visible = t->getVisiblePreviewSize_Pixel96();
  const SPointDouble start = t->getPreviewStartPoint_Pixel96();
  t->setCropInfo(crop);
  t->setRotation(rotation);
  t->setMirror(mirror);
  t->setPreviewViewSize(viewSize);
  t->setVisiblePreviewSize_Pixel96(visible);
  t->setPreviewStartPoint_Pixel96(start);
  if (d.contains("ThumbnailCrop"))
    t->setThumbnailCrop(std::make_shared<Quirel_CropInfo>(d.dictionary("ThumbnailCrop")));
  t->setFocus(t->isFocus());
  t->setSelected(t->isSelected());
  t->setChecked(t->isChecked());
  resizeThumbnailFrame(no);
  resizeThumbnailPreview(no);
  return mThumbnailList.back().get();
}

void Quirel_BaseScanMode::removeThumbnails() {
  for (const auto& t : mThumbnailList) removeObserverFromThumbnailInfo(*t);
  mThumbnailList.clear();
  mCropList.clear();
  mThumbnailCount = 0;
  if (mNextThumbnailBtn) mNextThumbnailBtn->setHidden(true);
}

void Quirel_BaseScanMode::setHiddenThumbnail(bool hidden, int index) {
  if (index >= 0 && index < static_cast<int>(mThumbnailList.size())) mThumbnailList[index]->setHidden(hidden);
}

void Quirel_BaseScanMode::setThumbnailRectFromCropCorRect() {
  if (mScanMode != 1) return;
  const double from = mScannerInfo ? mScannerInfo->platenPreviewResolution() : mPlatenResolution;
  for (int i = 0; i < mThumbnailCount && i < static_cast<int>(mThumbnailList.size()); ++i) {
    Quirel_ThumbnailInfo& t = *mThumbnailList[i];
    const auto& crop = t.getCropInfo();
    if (!crop) continue;
    SRectDouble cor{};
    crop->getcropCorRect(&cor);
    const double w = convertResolution(cor.size.width, from, mPlatenResolution);
    const double h = convertResolution(cor.size.height, from, mPlatenResolution);
    crop->setInputRect_Pixel96({{0, 0}, {w, h}});
    crop->setOutputSize_Pixel96({w, h});
    crop->setRatio(w, h);
    if (mTemplateCrop) crop->setPreviewSize_Pixel96(mTemplateCrop->getPreviewSize_Pixel96());
    const int rotation = t.getRotation();
    t.setMirror(false);
    t.setRotation(0);
    t.setVisiblePreviewSize_Pixel96({w, h});
    t.setPreviewStartPoint_Pixel96({0, 0});
    if (mChangeThumbnailSize) {
      for (int j = 1; j <= rotation; ++j) {
        t.setRotation(j);
        updateCropByLeftRotate(j, *crop);
        t.setVisiblePreviewSize_Pixel96(crop->getVisiblePreviewSize_Pixel96());
      }
    }
  }
}

void Quirel_BaseScanMode::setThumbnailImage(Quirel_PreviewInfo* preview) {
  if (!preview || mThumbnailCount == 0) return;
  for (int i = 0; i < mThumbnailCount; ++i) {
    SRectDouble rect = zeroSRectDouble();
    const auto bitmap = preview->getThumbnailImageDataAtIndex(i, &rect);
    setThumbnailImage(thumbsImageOf(bitmap.get()), i);
    resizeThumbnailFrame(i);
    resizeThumbnailPreview(i);
    if (mPreviewFrame) mPreviewFrame->updateDisplay();
  }
}

void Quirel_BaseScanMode::setThumbnailImage(const std::optional<kit::Image>& image, int i) {
  if (i < 0 || i >= static_cast<int>(mThumbnailList.size())) return;
  Quirel_ThumbnailInfo& t = *mThumbnailList[i];
  if (Quirel_ThumbnailPreviewView* view = thumbsPreviewView(t)) {
    view->removeImage();
    if (image) {
      view->setImage(image);
      const double angle = getSRotationRate(t.getRotation());
      view->setTransform(makeTransform(angle, t.getMirror(), view->visibleRect().size), static_cast<int>(angle));
    }
  }
  t.setHidden(mZoomScan && !t.isZoom());
}

void Quirel_BaseScanMode::zoomThumbnail() {
  int index = -1;
  for (std::size_t i = 0; i < mThumbnailList.size() && index < 0; ++i)
    if (mThumbnailList[i]->isZoom()) index = static_cast<int>(i);
  if (index < 0) {
    if (getSelectedCropCount() == 0) {
      index = 0;
    } else {
      for (std::size_t i = 0; i < mThumbnailList.size() && index < 0; ++i)
        if (mThumbnailList[i]->isFocus()) index = static_cast<int>(i);
      if (index < 0) return;
    }
  }
  zoomThumbnail(index);
}

void Quirel_BaseScanMode::zoomThumbnail(int index) {
  if (index < 0 || index >= static_cast<int>(mThumbnailList.size())) return;
  if (mThumbnailList[index]->isZoom()) {
    for (std::size_t i = 0; i < mThumbnailList.size(); ++i) {
      mThumbnailList[i]->setZoom(false);
      mThumbnailList[i]->setHidden(false);
      resizeThumbnailFrame(static_cast<int>(i));
      resizeThumbnailPreview(static_cast<int>(i));
    }
    if (mNextThumbnailBtn) mNextThumbnailBtn->setHidden(true);
    mZoomScan = false;
  } else {
    for (std::size_t i = 0; i < mThumbnailList.size(); ++i) {
      Quirel_ThumbnailInfo& t = *mThumbnailList[i];
      if (static_cast<int>(i) == index) {
        t.setFocus(true);
        t.setSelected(true);
        t.setZoom(true);
        t.setHidden(false);
      } else {
        t.setFocus(false);
        t.setZoom(false);
        if (!mSelectAllThumbnail) t.setSelected(false);
        t.setHidden(true);
      }
      resizeThumbnailFrame(static_cast<int>(i));
      resizeThumbnailPreview(static_cast<int>(i));
    }
    if (mNextThumbnailBtn) mNextThumbnailBtn->setHidden(false);
    mZoomScan = true;
  }
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
  updateMouseCursorRects();
}

namespace {

int thumbsZoomedIndex(const ThumbnailList& list) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i]->isZoom()) return static_cast<int>(i);
  return -1;
}

}  // namespace

namespace thumbs_detail {

void stepZoom(Quirel_BaseScanMode& mode, const ThumbnailList& list, bool selectAll, int step) {
  const int k = thumbsZoomedIndex(list);
  if (k < 0) return;
  const int n = static_cast<int>(list.size());
  Quirel_ThumbnailInfo& from = *list[k];
  from.setFocus(false);
  from.setZoom(false);
  if (!selectAll) from.setSelected(false);
  from.setHidden(true);
  mode.resizeThumbnailFrame(k);
  mode.resizeThumbnailPreview(k);
  const int next = (k + step + n) % n;
  Quirel_ThumbnailInfo& to = *list[next];
  to.setFocus(true);
  to.setSelected(true);
  to.setZoom(true);
  to.setHidden(false);
  mode.resizeThumbnailFrame(next);
  mode.resizeThumbnailPreview(next);
}

}  // namespace thumbs_detail

void Quirel_BaseScanMode::showNextThumbnail() {
  thumbs_detail::stepZoom(*this, mThumbnailList, mSelectAllThumbnail, 1);
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
}

void Quirel_BaseScanMode::showBackThumbnail() {
  thumbs_detail::stepZoom(*this, mThumbnailList, mSelectAllThumbnail, -1);
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
}

Quirel_ThumbnailInfo* Quirel_BaseScanMode::getFocusThumbnail() const {
  for (const auto& t : mThumbnailList)
    if (t->isFocus()) return t.get();
  return nullptr;
}

Quirel_ThumbnailInfo* Quirel_BaseScanMode::getThumbnailAtCrop(const Quirel_CropInfo* crop) const {
  for (const auto& t : mThumbnailList)
    if (crop && t->getCropInfo().get() == crop) return t.get();
  return nullptr;
}

void Quirel_BaseScanMode::setSelectedThumbnail(unsigned long modifierFlags, int i) {
  if (i < 0 || i >= static_cast<int>(mThumbnailList.size())) return;
  Quirel_ThumbnailInfo& t = *mThumbnailList[i];
  if (t.isZoom()) return;
  if (mSelectAllThumbnail) {
    for (const auto& other : mThumbnailList) {
      other->setFocus(false);
      other->setSelected(true);
    }
    t.setFocus(true);
  } else if (!(modifierFlags & kit::kCommandKeyMask)) {
    for (const auto& other : mThumbnailList) {
      other->setFocus(false);
      other->setSelected(false);
    }
    t.setFocus(true);
    t.setSelected(true);
  } else if (t.isSelected()) {
    if (Quirel_ThumbnailInfo* next = getNextSelectThumbnail(i)) {
      next->setFocus(true);
      t.setFocus(false);
      t.setSelected(false);
    }
  } else {
    for (const auto& other : mThumbnailList) other->setFocus(false);
    t.setFocus(true);
    t.setSelected(true);
  }
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
}

Quirel_ThumbnailInfo* Quirel_BaseScanMode::getNextSelectThumbnail(int i) const {
  const int n = static_cast<int>(mThumbnailList.size());
  for (int k = 0; k < n; ++k)
    if (k != i && mThumbnailList[k]->isFocus()) return mThumbnailList[k].get();
  for (int k = std::min(i, n) - 1; k >= 0; --k)
    if (mThumbnailList[k]->isSelected()) return mThumbnailList[k].get();
  for (int k = 0; k < n; ++k)
    if (k != i && mThumbnailList[k]->isSelected()) return mThumbnailList[k].get();
  return nullptr;
}

void Quirel_BaseScanMode::updateThumbnail() {
  resizeThumbnailFrame();
  resizeThumbnailPreview();
  if (mPreviewFrame) mPreviewFrame->updateDisplay();
}

namespace {

void thumbsPlaceFrame(Quirel_ThumbnailInfo& t, const fnd::Rect& slot) {
  if (kit::View* frame = thumbsFrameView(t)) frame->setFrame(slot);
  if (kit::View* box = thumbsCheckBox(t)) {
    fnd::Rect r = box->frame();
    r.origin.x = std::floor((slot.size.width - r.size.width) * 0.5);
    box->setFrame(r);
  }
}

}  // namespace

void Quirel_BaseScanMode::resizeThumbnailFrame() {
  ThumbnailRects slots{};
  ThumbnailRects single{};
  makeThumbnailRects(static_cast<int>(mThumbnailList.size()), slots);
  makeThumbnailRects(1, single);
  for (std::size_t i = 0; i < mThumbnailList.size(); ++i) {
    Quirel_ThumbnailInfo& t = *mThumbnailList[i];
    const fnd::Rect slot = t.isZoom() ? single[0] : (i < slots.size() ? slots[i] : fnd::Rect());
    thumbsPlaceFrame(t, slot);
  }
  if (mNextThumbnailBtn) {
    const double half = (mPreviewFrame ? mPreviewFrame->getFrameViewRect().size.width : 0) * 0.5;
    fnd::Rect back = mNextThumbnailBtn->getBackBTRect();
    back.origin.x = std::floor(half - back.size.width);
    back.origin.y = std::floor(back.origin.y);
    mNextThumbnailBtn->setBackBTRect(back);
    fnd::Rect next = mNextThumbnailBtn->getNextBTRect();
    next.origin.x = std::floor(half);
    next.origin.y = std::floor(next.origin.y);
    mNextThumbnailBtn->setNextBTRect(next);
  }
}

void Quirel_BaseScanMode::resizeThumbnailFrame(int i) {
  if (i < 0 || i >= static_cast<int>(mThumbnailList.size())) return;
  Quirel_ThumbnailInfo& t = *mThumbnailList[i];
  const fnd::Rect slot = t.isZoom() ? makeThumbnailRect(0, 1) : makeThumbnailRect(i, mThumbnailCount);
  thumbsPlaceFrame(t, slot);
}

void Quirel_BaseScanMode::resizeThumbnailPreview() {
  for (std::size_t i = 0; i < mThumbnailList.size(); ++i) resizeThumbnailPreview(static_cast<int>(i));
}

void Quirel_BaseScanMode::resizeThumbnailPreview(int i) {
  if (i < 0 || i >= static_cast<int>(mThumbnailList.size())) return;
  Quirel_ThumbnailInfo& t = *mThumbnailList[i];
  const kit::View* frame = thumbsFrameView(t);
  const fnd::Size f = frame ? frame->frame().size : fnd::Size();
  const SSizeDouble v = t.getVisiblePreviewSize_Pixel96();
  double w = f.width - 20;
  double h = calcRatio(v.width, w, v.height);
  if (h + 50 > f.height) {
    h = f.height - 50;
    w = calcRatio(v.height, h, v.width);
  }
  fnd::Rect r = fnd::Rect((f.width - w) * 0.5, (f.height - h - 30) * 0.5, w, h).integral().offsetBy(0, 30);
  t.setPreviewViewSize(r.size);
  if (Quirel_ThumbnailPreviewView* view = thumbsPreviewView(t)) {
    view->setFrame(r);
    const double angle = getSRotationRate(t.getRotation());
    view->setTransform(makeTransform(angle, t.getMirror(), r.size), static_cast<int>(angle));
  }
  if (const auto& crop = t.getCropInfo()) updateCropRectFromCrop(*crop, false);
}

void Quirel_BaseScanMode::makeThumbnailRects(int count, ThumbnailRects& rects) const {
  const fnd::Rect frame = mPreviewFrame ? mPreviewFrame->getFrameViewRect() : fnd::Rect();
  makeThumbnailRects(count, frame.size, mScannerInfo && mScannerInfo->isVer1500Later(), rects);
}

void Quirel_BaseScanMode::makeThumbnailRects(int count, const fnd::Size& area, bool v1500, ThumbnailRects& rects) {
  if (count <= 0) return;
  // Only 12 slots exist: a larger count is laid out as 12.
  const int n = std::min(count, kMaxThumbnails);
  const double W = area.width, H = area.height;
  int columns = 3, rows = 4;
  double sum = W - 60, fixed = 90;
  if (n == 1) {
    columns = 1, rows = 1, sum = W - 40, fixed = 100;
  } else if (n == 2 && v1500) {
    columns = 2, rows = 1, sum = W - 50, fixed = 60;
  } else if (n <= 4) {
    columns = 2, rows = 2, sum = W - 50, fixed = 70;
  } else if (n <= 6) {
    columns = 2, rows = 3, sum = W - 50, fixed = 80;
  } else if (n <= 9 && v1500) {
    columns = 3, rows = 3, sum = W - 60, fixed = 80;
  }
  double w = sum / columns;
  double h = w * 4 / 3;
  if (rows * h + fixed > H) {
    h = (H - fixed) / rows;
    w = h * 3 / 4;
  }
  const double left = (W - (columns * w + (columns - 1) * 10)) / 2;
  const double bottom = (H - (rows * h + (rows - 1) * 10)) / 2;
  for (int k = 0; k < n; ++k) {
    const int row = k / columns, column = k % columns;
    rects[k] = fnd::Rect(left + column * (w + 10), bottom + (rows - 1 - row) * (h + 10), w, h).integral();
  }
}

fnd::Rect Quirel_BaseScanMode::makeThumbnailRect(int index, int count) const {
  ThumbnailRects rects{};
  makeThumbnailRects(count, rects);
  return index >= 0 && index < kMaxThumbnails ? rects[index] : fnd::Rect();
}

void Quirel_BaseScanMode::giveThumbnailCropAView(Quirel_CropInfo& crop) {
  if (crop.getCropView()) return;
  Quirel_ThumbnailInfo* t = getThumbnailAtCrop(&crop);
  if (!t) return;
  t->saveThumbnailCrop();
  auto view = std::make_unique<Quirel_CropView>(fnd::Rect());
  if (auto* preview = dynamic_cast<kit::View*>(t->getPreviewView())) preview->addSubview(view.get());
  crop.setCropView(std::move(view));
  crop.setCropMode(2);
}
