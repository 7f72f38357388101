#pragma once

#include "kit/TextField.h"

// A text field that shows the I-beam while the pointer is over it and the arrow when it
// leaves, only on the key window and while enabled. It keeps one tracking rectangle over its
// bounds, re-installed before each drawing and whenever its frame or window changes.
// Subclasses may turn the cursor change off (changesCursor).
class Quirel_CursorTextField : public kit::TextField {
 public:
  explicit Quirel_CursorTextField(const fnd::Rect& frame = {}) : kit::TextField(frame) {}
  ~Quirel_CursorTextField() override;

  kit::TrackingRectTag trackTag() const { return mTrackTag; }
  void mouseEntered(const kit::Event& event) override;
  void mouseExited(const kit::Event& event) override;
  void drawRect(const fnd::Rect& dirty) override;
  void setFrame(const fnd::Rect& frame) override;
  void viewDidMoveToWindow() override;

 protected:
  virtual bool changesCursor() const { return true; }
  void resetTrackingRect();

 private:
  void setCursorIfActive(const kit::Cursor& cursor);
  kit::TrackingRectTag mTrackTag = -1;
};
