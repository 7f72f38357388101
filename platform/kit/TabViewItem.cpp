#include "kit/TabViewItem.h"

#include "kit/ControlDrawing.h"
#include "kit/TabView.h"

namespace kit {

TabViewItem::TabViewItem(std::string identifier) : identifier_(std::move(identifier)) {}
TabViewItem::~TabViewItem() = default;

void TabViewItem::setLabel(const std::string& label) {
  label_ = label;
  if (tabView_) tabView_->setNeedsDisplay(true);
}

void TabViewItem::setView(std::unique_ptr<View> view) {
  if (view_ && tabView_) view_->removeFromSuperview();
  view_ = std::move(view);
  if (tabView_) tabView_->setFrame(tabView_->frame());
}

fnd::Size TabViewItem::sizeOfLabel(bool) const {
  Font f = tabView_ ? tabView_->font() : Font::systemFont(13);
  return f.sizeOfString(label_);
}

void TabViewItem::drawLabel(bool, const fnd::Rect& labelRect) {
  Font f = tabView_ ? tabView_->font() : Font::systemFont(13);
  look::textLine(label_, labelRect, f, Color::controlText(), TextAlignment::Center);
}

}  // namespace kit
