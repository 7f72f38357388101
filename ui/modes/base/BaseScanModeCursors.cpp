// The mouse cursor over the preview and the thumbnails: chosen directly on each mouse move, and
// laid out as cursor rectangles that the window applies as the mouse crosses them.

#include <array>

#include "kit/Application.h"
#include "kit/Event.h"
#include "kit/Window.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/MainWindow.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/PreviewScrollView.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/base/BaseScanMode.h"

namespace {

constexpr const char* kCursorPictureFolder = "quirel_r14";
constexpr fnd::Point kCursorHotSpot{7, 7};
constexpr fnd::Point kSpoitHotSpot{3, 14};
constexpr int kCursorArrow = 0, kCursorCross = 1, kCursorHand = 2, kCursorZoomStop = 3, kCursorZoomOut = 4,
              kCursorZoomIn = 5, kCursorMove = 6, kCursorUpDown = 7, kCursorRightLeft = 8, kCursorUpperLeft = 9,
              kCursorUpperRight = 10, kCursorStop = 14;

Quirel_ThumbnailPreviewView* cursorsPreviewView(const Quirel_ThumbnailInfo& t) {
  return dynamic_cast<Quirel_ThumbnailPreviewView*>(t.getPreviewView());
}

}  // namespace

void Quirel_BaseScanMode::createCursorImage() {
  const bool ver1500 = mScannerInfo && mScannerInfo->isVer1500Later();
  const std::array<const char*, kCursorCount - 2> names{
      ver1500 ? "HAND_PA.tiff" : "CursHand.tif",
      "CursZoomStop.tif",
      "CursZoomOut.tif",
      "CursZoomIn.tif",
      "CursMove.tif",
      "CursUpDown.tif",
      "CursRightLeft.tif",
      "CursUpperL&LowerR.tif",
      "CursUpperR&LowerL.tif",
      "CursSpShadow.tif",
      "CursSpMidtone.tif",
      "CursSpHighlight.tif",
      "CursStop.tif",
  };
  mCursorList.clear();
  mCursorList.push_back(kit::Cursor::arrow().image());
  mCursorList.push_back(kit::Cursor::crosshair().image());
  for (std::size_t i = 0; i < names.size(); ++i) {
    kit::Image image = kit::Image::named(names[i], kCursorPictureFolder);
    const int index = static_cast<int>(i) + 2;
    // A missing picture keeps its place in the list: the stops show the arrow (nothing to do
    // here), every other tool the crosshair (a click acts here).
    if (!image.isValid()) image = mCursorList[(index == kCursorZoomStop || index == kCursorStop) ? kCursorArrow : kCursorCross];
    mCursorList.push_back(std::move(image));
  }
}

kit::Cursor Quirel_BaseScanMode::listCursor(int index, fnd::Point hotSpot) {
  if (mCursorList.empty()) createCursorImage();
  if (index < 0 || index >= static_cast<int>(mCursorList.size())) return kit::Cursor::arrow();
  const kit::Image& image = mCursorList[index];
  if (image.data() == mCursorList[kCursorArrow].data()) return kit::Cursor::arrow();
  return kit::Cursor(image, hotSpot);
}

const kit::Image& Quirel_BaseScanMode::getCropCursorImage(const Quirel_CropInfo& crop, const fnd::Point& p) {
  if (mCursorList.empty()) createCursorImage();
  const CropFrameViewLink* view = crop.getCropView();
  if (!view) return mCursorList[kCursorCross];
  const fnd::Rect f = view->frame();
  auto within = [](double v, double edge) { return edge - 3 <= v && v <= edge + 3; };
  const bool T = within(p.y, f.origin.y + f.size.height), B = within(p.y, f.origin.y);
  const bool L = within(p.x, f.origin.x), R = within(p.x, f.origin.x + f.size.width);
  int index = kCursorMove;
  if ((!T && !B && !L && !R) || (T && B && !L && !R) || (L && R && !T && !B))
    index = kCursorMove;
  else if (T && L)
    index = kCursorUpperLeft;
  else if (B && L)
    index = kCursorUpperRight;
  else if (T && R)
    index = kCursorUpperRight;
  else if (B && R)
    index = kCursorUpperLeft;
  else if (L || R)
    index = kCursorRightLeft;
  else
    index = kCursorUpDown;
  return mCursorList[index];
}

namespace {

// The mouse in a view's points: the screen position less the main window's origin.
fnd::Point cursorsMouseIn(const kit::View& view, const kit::Window* window) {
  const fnd::Point origin = window ? window->frame().origin : fnd::Point{};
  const fnd::Point screen = kit::Application::shared().mouseLocation();
  return view.convertPointFromView({screen.x - origin.x, screen.y - origin.y}, nullptr);
}

}  // namespace

void Quirel_BaseScanMode::setMouseCursor() {
  if (mCursorList.empty()) createCursorImage();
  if (mModal || isADFMode()) return;
  if (inThumbnailMode())
    setMouseCursorOnThumbnail();
  else
    setMouseCursorOnPlaten();
}

void Quirel_BaseScanMode::setMouseCursorOnPlaten() {
  if (mScanMode == 2 && !mHasPreview) return;
  Quirel_PreviewView* view = previewImageView();
  if (!view || mPreview->getScrollView()->isHidden()) return;
  const kit::Window* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  const fnd::Point p = cursorsMouseIn(*view, window);
  if (!isEnteredInPreview()) {
    if (mMouseEntered) kit::Cursor::arrow().set();
    mMouseEntered = false;
    return;
  }
  mMouseEntered = true;
  if (mMultiCrop) {
    bool over = false;
    for (auto it = mCropList.rbegin(); it != mCropList.rend() && !over; ++it) over = inMultiCrop(p, **it);
    (over ? kit::Cursor::pointingHand() : kit::Cursor::arrow()).set();
    return;
  }
  switch (mToolMode) {
    case 1:
      listCursor(kCursorHand, kCursorHotSpot).set();
      return;
    case 2: {
      const int index =
          mOptionKey ? (mZoomRate == 0 ? kCursorZoomStop : kCursorZoomOut) : (mZoomRate == 4 ? kCursorZoomStop : kCursorZoomIn);
      listCursor(index, kCursorHotSpot).set();
      return;
    }
    case 3: {
      fnd::Rect area = view->frame();
      if (const Quirel_CropInfo* focus = getFocusCrop()) {
        const CropFrameViewLink* cropView = focus->getCropView();
        area = cropView ? cropView->frame() : fnd::Rect();
      }
      listCursor(area.contains(p) ? mSpoitMode : kCursorStop, kSpoitHotSpot).set();
      return;
    }
    default:
      break;
  }
  if (const Quirel_CropInfo* crop = getCropInPoint(p)) {
    kit::Cursor(getCropCursorImage(*crop, p), kCursorHotSpot).set();
  } else if (mZoomScan) {
    kit::Cursor::arrow().set();
  } else {
    listCursor(kCursorCross, kCursorHotSpot).set();
  }
}

void Quirel_BaseScanMode::setMouseCursorOnThumbnail() {
  if (mThumbnailList.empty()) return;
  const kit::Window* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
  auto under = [&](const Quirel_ThumbnailInfo& t, fnd::Point& p) {
    const Quirel_ThumbnailPreviewView* view = cursorsPreviewView(t);
    if (!view) return false;
    p = cursorsMouseIn(*view, window);
    return view->isEntered() && view->visibleRect().contains(p);
  };
  fnd::Point p;
  if (mToolMode == 3) {
    if (const Quirel_ThumbnailInfo* focus = getFocusThumbnail(); focus && under(*focus, p)) {
      listCursor(mSpoitMode, kSpoitHotSpot).set();
      return;
    }
    for (const auto& t : mThumbnailList) {
      if (!under(*t, p)) continue;
      listCursor(kCursorStop, kSpoitHotSpot).set();
      return;
    }
  } else {
    for (const auto& t : mThumbnailList) {
      if (mZoomScan && !t->isZoom()) continue;
      if (!under(*t, p)) continue;
      const Quirel_CropInfo* crop = getCropInPoint(p);
      if (crop && crop == t->getCropInfo().get())
        kit::Cursor(getCropCursorImage(*crop, p), kCursorHotSpot).set();
      else
        listCursor(kCursorCross, kCursorHotSpot).set();
      return;
    }
  }
  // Outside every thumbnail: the arrow, once on leaving the preview frame.
  const kit::View* frameView = mPreviewFrame ? mPreviewFrame->getFrameView() : nullptr;
  const bool inFrame = frameView && frameView->bounds().contains(cursorsMouseIn(*frameView, window));
  const bool keyKeepsCursor =
      mScannerInfo && mScannerInfo->isVer1700Later() && window && window->isKeyWindow();
  if (inFrame) {
    mMouseEntered = true;
    if (!keyKeepsCursor) kit::Cursor::arrow().set();
  } else {
    if (mMouseEntered && !keyKeepsCursor) kit::Cursor::arrow().set();
    mMouseEntered = false;
  }
}

void Quirel_BaseScanMode::updateMouseCursorRects() {
  if (mScannerInfo && mScannerInfo->isVer1700Later()) {
    kit::Window* window = mMainWindow ? mMainWindow->getWindow() : nullptr;
    if (inThumbnailMode()) {
      for (const auto& t : mThumbnailList)
        if (Quirel_ThumbnailPreviewView* view = cursorsPreviewView(*t); view && window)
          window->invalidateCursorRectsForView(view);
    } else if (Quirel_PreviewView* view = previewImageView()) {
      if (window) window->invalidateCursorRectsForView(view);
      view->mouseEntered(kit::Event());
    }
    return;
  }
  if (inThumbnailMode())
    updateCursorRectsOnThumbnailAtView(nullptr);
  else
    updateCursorRectsOnPlaten();
}

namespace {

// A cursor rectangle takes its picture's centre as hot spot; one without area is left out, so a
// frame narrower than its two edge bands adds no rectangle of negative size.
void cursorsAddRect(kit::View& view, const fnd::Rect& rect, const kit::Image& image, bool arrow) {
  if (!(rect.size.width > 0) || !(rect.size.height > 0)) return;
  if (arrow) {
    view.addCursorRect(rect, kit::Cursor::arrow());
    return;
  }
  const fnd::Size size = image.size();
  view.addCursorRect(rect, kit::Cursor(image, {size.width / 2, size.height / 2}));
}

}  // namespace

void Quirel_BaseScanMode::updateCursorRectsOnPlaten() {
  Quirel_PreviewView* view = previewImageView();
  if (!view) return;
  if (mCursorList.empty()) createCursorImage();
  auto add = [this, view](const fnd::Rect& rect, int index) {
    if (index < 0 || index >= kCursorCount) return;
    const kit::Image& image = mCursorList[index];
    cursorsAddRect(*view, rect, image, image.data() == mCursorList[kCursorArrow].data());
  };
  if (mScannerInfo && mScannerInfo->isVer1700Later()) {
    view->removeTrackingRect();
    if (mPreview->isHidden()) return;
    if (mModal || isADFMode()) {
      add(view->visibleRect(), kCursorArrow);
      return;
    }
  } else {
    view->discardCursorRects();
    view->removeTrackingRect();
    if (mModal || view->isHiddenOrHasHiddenAncestor() || isADFMode()) return;
  }
  view->updateTrackingRect();
  if (mMultiCrop) return;
  const fnd::Rect visible = view->visibleRect();
  switch (mToolMode) {
    case 1:
      add(visible, kCursorHand);
      return;
    case 2:
      add(visible, mOptionKey ? (mZoomRate == 0 ? kCursorZoomStop : kCursorZoomOut)
                              : (mZoomRate == 4 ? kCursorZoomStop : kCursorZoomIn));
      return;
    case 3:
      if (const Quirel_CropInfo* focus = getFocusCrop()) {
        const CropFrameViewLink* cropView = focus->getCropView();
        add(cropView ? cropView->frame() : fnd::Rect(), mSpoitMode);
        add(visible, kCursorStop);
      } else {
        add(visible, mSpoitMode);
      }
      return;
    default:
      break;
  }
  for (const auto& crop : mCropList) {
    const CropFrameViewLink* cropView = crop->getCropView();
    if (!cropView || cropView->isHidden() || crop->isMultiCrop()) continue;
    add(cropView->frame().insetBy(3, 3), kCursorMove);
  }
  if (!mZoomScan) add(visible, kCursorCross);
}

void Quirel_BaseScanMode::updateCursorRectsOnThumbnailAtView(const kit::View* only) {
  if (mCursorList.empty()) createCursorImage();
  const bool ver1700 = mScannerInfo && mScannerInfo->isVer1700Later();
  for (const auto& t : mThumbnailList) {
    Quirel_ThumbnailPreviewView* view = cursorsPreviewView(*t);
    if (!view || (only && view != only)) continue;
    if (!ver1700) view->discardCursorRects();
    view->removeTrackingRect();
  }
  if (!ver1700 && mModal) return;
  for (const auto& t : mThumbnailList) {
    Quirel_ThumbnailPreviewView* view = cursorsPreviewView(*t);
    // Only the views rebuilt above take rectangles, so none piles up copies of its own.
    if (!view || t->isHidden() || (only && view != only)) continue;
    auto add = [this, view](const fnd::Rect& rect, int index) {
      if (index < 0 || index >= kCursorCount) return;
      const kit::Image& image = mCursorList[index];
      cursorsAddRect(*view, rect, image, image.data() == mCursorList[kCursorArrow].data());
    };
    const fnd::Rect visible = view->visibleRect();
    if (ver1700 && mModal) {
      add(visible, kCursorArrow);
      continue;
    }
    view->updateTrackingRect();
    if (mToolMode == 0) {
      if (t->hasCrop()) {
        const CropFrameViewLink* cropView = t->getCropInfo()->getCropView();
        const fnd::Rect f = cropView ? cropView->frame() : fnd::Rect();
        const double x = f.origin.x, y = f.origin.y, w = f.size.width, h = f.size.height;
        add({x - 3, y - 3, 6, 6}, kCursorUpperRight);
        add({x - 3, y + 3, 6, h - 6}, kCursorRightLeft);
        add({x - 3, y + h - 3, 6, 6}, kCursorUpperLeft);
        add({x + 3, y + h - 3, w - 6, 6}, kCursorUpDown);
        add({x + w - 3, y + h - 3, 6, 6}, kCursorUpperRight);
        add({x + w - 3, y + 3, 6, h - 6}, kCursorRightLeft);
        add({x + w - 3, y - 3, 6, 6}, kCursorUpperLeft);
        add({x + 3, y - 3, w - 6, 6}, kCursorUpDown);
        add({x + 3, y + 3, w - 6, h - 6}, kCursorMove);
      }
      add(visible, kCursorCross);
    } else if (mToolMode == 3) {
      add(visible, t->isFocus() ? mSpoitMode : kCursorStop);
    }
  }
}

void Quirel_BaseScanMode::previewViewUpdateCursorRects(const fnd::Notification&) { updateCursorRectsOnPlaten(); }

void Quirel_BaseScanMode::thumbnailPreviewViewUpdateCursorRects(const fnd::Notification& n) {
  // The sender is the view's whole object; one the mode does not know rebuilds nothing.
  for (const auto& t : mThumbnailList) {
    Quirel_ThumbnailPreviewView* view = cursorsPreviewView(*t);
    if (view && dynamic_cast<const void*>(view) == n.sender) {
      updateCursorRectsOnThumbnailAtView(view);
      return;
    }
  }
}
