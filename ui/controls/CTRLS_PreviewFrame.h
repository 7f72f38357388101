#pragma once

#include <memory>

#include "foundation/Geometry.h"
#include "ui/controls/PreviewFrameView.h"

// The frame around the preview area; the owner places the preview pieces in it.
class Quirel_CTRLS_PreviewFrame {
 public:
  Quirel_CTRLS_PreviewFrame();
  ~Quirel_CTRLS_PreviewFrame();
  Quirel_CTRLS_PreviewFrame(const Quirel_CTRLS_PreviewFrame&) = delete;
  Quirel_CTRLS_PreviewFrame& operator=(const Quirel_CTRLS_PreviewFrame&) = delete;

  Quirel_PreviewFrameView* getFrameView() const { return mFrameView.get(); }
  void setFrameViewRect(double x, double y, double width, double height);
  fnd::Rect getFrameViewRect() const { return mFrameView->frame(); }
  // Each sets the view's frame and adds it to the frame view; the caller keeps the view.
  void setSimplePreview(kit::View* view, const fnd::Rect& rect) { addView(view, rect); }
  void setAdvancedPreview(kit::View* view, const fnd::Rect& rect) { addView(view, rect); }
  void addView(kit::View* view, const fnd::Rect& rect);
  void setHidden(bool hidden) { mFrameView->setHidden(hidden); }
  void updateDisplay() { mFrameView->setNeedsDisplay(); }

 private:
  std::unique_ptr<Quirel_PreviewFrameView> mFrameView;
};
