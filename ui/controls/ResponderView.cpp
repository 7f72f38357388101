#include "ui/controls/ResponderView.h"

#include "kit/Window.h"

bool Quirel_ResponderView::becomeFirstResponder() {
  mFirstResponder = true;
  redisplayContent();
  return true;
}

bool Quirel_ResponderView::resignFirstResponder() {
  mFirstResponder = false;
  redisplayContent();
  return true;
}

void Quirel_ResponderView::updateTrackingRect() {
  removeTrackingRect();
  mTracked = addTrackingRect(visibleRect(), nullptr, false);
}

void Quirel_ResponderView::removeTrackingRect() {
  if (mTracked != -1) kit::View::removeTrackingRect(mTracked);
  mTracked = -1;
}

void Quirel_ResponderView::redisplayContent() {
  if (kit::Window* w = window())
    if (kit::View* content = w->contentView()) content->display();
}
