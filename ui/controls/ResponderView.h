#pragma once

#include "kit/View.h"

// A view that remembers whether it holds the keyboard focus, so that the frame around it can
// draw the focus ring. Taking or losing the focus redraws the whole window content at once.
class Quirel_ResponderView : public kit::View {
 public:
  explicit Quirel_ResponderView(const fnd::Rect& frame = {}) : kit::View(frame) {}

  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  bool becomeFirstResponder() override;
  bool resignFirstResponder() override;
  bool isFirstResponder() const { return mFirstResponder; }

  // One tracking rectangle over the visible part of the view; the owner calls it again
  // whenever that part changes.
  void updateTrackingRect();
  using kit::View::removeTrackingRect;
  virtual void removeTrackingRect();

 private:
  void redisplayContent();
  bool mFirstResponder = false;
  kit::TrackingRectTag mTracked = -1;
};
