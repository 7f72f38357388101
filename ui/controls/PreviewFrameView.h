#pragma once

#include "kit/View.h"

// The grey frame around the whole preview area. Its clicks become a stream of notifications
// for the window's front door; while the preview image has the focus it draws the focus ring.
class Quirel_PreviewFrameView : public kit::View {
 public:
  static constexpr const char* kMouseEventPost = "MouseEventOnPreviewFramePost";

  explicit Quirel_PreviewFrameView(const fnd::Rect& frame = {}) : kit::View(frame) {}
  void setPostNotification(bool on) { mPostNotification = on; }
  void setDrawFocusRing(bool on) { mDrawFocusRing = on; }
  bool acceptsFirstResponder() const override { return false; }
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  void drawRect(const fnd::Rect& dirty) override;
  void mouseDown(const kit::Event& event) override;

 private:
  bool previewHasFocus() const;
  bool mPostNotification = true;
  bool mDrawFocusRing = true;
};
