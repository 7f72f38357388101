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

void Quirel_ResponderView::redisplayContent() {
  if (kit::Window* w = window())
    if (kit::View* content = w->contentView()) content->display();
}
