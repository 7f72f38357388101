#pragma once

// The basic mode with its preview area, driven by scripted mouse events: presses, drags and
// releases at points of the preview image view or of a thumbnail's views.

#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "ModesTestSupport.h"
#include "kit/Event.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/CTRLS_PreviewFrame.h"
#include "ui/controls/CropView.h"
#include "ui/controls/PreviewFrameView.h"
#include "ui/controls/PreviewView.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/modes/basic/StandardMode.h"

namespace mouse_test {

// The mode either holds the preview frame or keeps the window controller's.
template <class Slot>
void keepFrame(Slot& slot, std::unique_ptr<Quirel_CTRLS_PreviewFrame>& owned) {
  if constexpr (std::is_pointer_v<Slot>)
    slot = owned.get();
  else
    slot = std::move(owned);
}

class MouseMode : public Quirel_StandardMode {
 public:
  using Quirel_BaseScanMode::mCropList;
  using Quirel_BaseScanMode::mHasPreview;
  using Quirel_BaseScanMode::mModal;
  using Quirel_BaseScanMode::mMultiCrop;
  using Quirel_BaseScanMode::mOptionKey;
  using Quirel_BaseScanMode::mOriginalScan;
  using Quirel_BaseScanMode::mPreview;
  using Quirel_BaseScanMode::mPreviewFrame;
  using Quirel_BaseScanMode::mScanMode;
  using Quirel_BaseScanMode::mSpoitMode;
  using Quirel_BaseScanMode::mTemplateCrop;
  using Quirel_BaseScanMode::mThumbnailCount;
  using Quirel_BaseScanMode::mThumbnailList;
  using Quirel_BaseScanMode::mToolMode;
  using Quirel_BaseScanMode::mZoomRate;
  using Quirel_BaseScanMode::mZoomScan;
  using Quirel_BaseScanMode::updateMouseCursorRects;

  // The window controller's preview frame: the mode holds it or only keeps it.
  std::unique_ptr<Quirel_CTRLS_PreviewFrame> ownedFrame;
  void buildPreviewArea(double width, double height) {
    ownedFrame = std::make_unique<Quirel_CTRLS_PreviewFrame>();
    ownedFrame->setFrameViewRect(0, 0, width, height);
    keepFrame(mPreviewFrame, ownedFrame);
    mPreview = Quirel_CTRLS_Preview::initForStandardMode();
    mPreviewFrame->addView(mPreview->getShadowView(), mPreview->getShadowViewRect());
    mPreviewFrame->addView(mPreview->getScrollView(), mPreview->getScrollViewRect());
  }
};

inline kit::Event mouseAt(const kit::View& view, kit::EventType type, fnd::Point p, unsigned flags = 0,
                          int clicks = 1) {
  return kit::Event::mouseEvent(type, view.convertPointToView(p, nullptr), flags, nullptr, clicks);
}

// A 640 x 480 preview area whose image view is 320 x 440 points for a 2560 x 3520 pixel
// preview: 8 pixels a point both ways. The platen's 1200 dpi makes the smallest frame 192
// pixels, 24 points.
struct MouseRig {
  // The preview model answers the mode's posts as in the program (a test may stand in for it).
  std::optional<Quirel_PreviewInfo> model;
  MouseMode mode;
  explicit MouseRig(const fnd::Dictionary& flags = {}, int scanMode = 0, bool withModel = true) {
    if (withModel) model.emplace();
    mode.setScannerInfo(modes_test::scannerWith(flags));
    mode.setPreferenceInfo(std::make_shared<Quirel_PreferenceInfo>());
    mode.setPlatenResolution(1200);
    mode.buildPreviewArea(640, 480);
    mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
    mode.mTemplateCrop->setMagnification(100);
    mode.mTemplateCrop->setColorMode(3);
    mode.mScanMode = scanMode;
    mode.resetPreview({2560, 3520}, false, false);
  }
  Quirel_PreviewView& imageView() const { return *mode.mPreview->getImageView(); }
  kit::Event at(kit::EventType type, fnd::Point p, unsigned flags = 0, int clicks = 1) const {
    return mouseAt(imageView(), type, p, flags, clicks);
  }
  // A frame at a rectangle of points, with the template's settings.
  Quirel_CropInfo& addFrame(const fnd::Rect& r) {
    Quirel_CropInfo* crop = mode.createCropWithView(r);
    Quirel_BaseScanMode::copyCrop(*mode.mTemplateCrop, *crop, false);
    mode.updateCropFromCropRect(*crop);
    return *crop;
  }
  // Press at from, drag through the points, release.
  void drag(fnd::Point from, const std::vector<fnd::Point>& path, unsigned flags = 0, int uiMode = 0) {
    mode.mouseDownOnPreviewForCrop(at(kit::EventType::LeftMouseDown, from, flags));
    for (const fnd::Point& p : path) mode.mouseDraggedOnPreviewForCrop(at(kit::EventType::LeftMouseDragged, p, flags));
    mode.mouseUpOnPreviewForCrop(uiMode);
  }
  static fnd::Rect frameOf(const Quirel_CropInfo& crop) { return crop.getCropView()->frame(); }

  // n film thumbnails of 300 x 400 pixels, laid out.
  void thumbnails(int n) {
    mode.mThumbnailCount = n;
    for (int i = 0; i < n; ++i) mode.createThumbnailWithIndex(i, std::nullopt, {{0, 0}, {300, 400}}, false);
    mode.updateThumbnail();
  }
  Quirel_ThumbnailInfo& thumb(int i) const { return *mode.mThumbnailList[static_cast<std::size_t>(i)]; }
  static Quirel_ThumbnailPreviewView& thumbView(const Quirel_ThumbnailInfo& t) {
    return *dynamic_cast<Quirel_ThumbnailPreviewView*>(t.getPreviewView());
  }
  static kit::View& thumbFrame(const Quirel_ThumbnailInfo& t) { return *dynamic_cast<kit::View*>(t.getFrameView()); }
  kit::View& frameView() const { return *mode.mPreviewFrame->getFrameView(); }
};

}  // namespace mouse_test
