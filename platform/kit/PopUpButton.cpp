#include "kit/PopUpButton.h"

#include <algorithm>

#include "kit/ControlDrawing.h"

namespace kit {

using fnd::Rect;

PopUpButton::PopUpButton(const Rect& frame) : Control(frame), menu_(std::make_unique<Menu>()) {}
PopUpButton::~PopUpButton() { removeAllItems(); }

MenuItem* PopUpButton::addItemWithTitle(const std::string& title) {
  return insertItemWithTitle(title, numberOfItems() + 1);
}

void PopUpButton::addItemsWithTitles(const std::vector<std::string>& titles) {
  for (const auto& t : titles) addItemWithTitle(t);
}

MenuItem* PopUpButton::insertItemWithTitle(const std::string& title, int index) {
  int existing = menu_->indexOfItemWithTitle(title);
  if (existing >= 0) {
    removeItemAtIndex(existing);
    if (index > existing) --index;
  }
  MenuItem* item = menu_->insertItem(std::make_unique<MenuItem>(title), index);
  // A pop-up shows its first item as soon as it has one.
  if (!selected_ && numberOfItems() == 1) selected_ = item;
  setNeedsDisplay(true);
  return item;
}

MenuItem* PopUpButton::addSeparatorItem() {
  setNeedsDisplay(true);
  return menu_->addSeparatorItem();
}

void PopUpButton::removeItemAtIndex(int index) {
  MenuItem* item = menu_->itemAtIndex(index);
  if (!item) return;
  if (item == selected_) selected_ = nullptr;
  menu_->removeItemAtIndex(index);
  setNeedsDisplay(true);
}

void PopUpButton::removeItemWithTitle(const std::string& title) { removeItemAtIndex(indexOfItemWithTitle(title)); }

void PopUpButton::removeAllItems() {
  selected_ = nullptr;
  menu_->removeAllItems();
  setNeedsDisplay(true);
}

std::string PopUpButton::itemTitleAtIndex(int index) const {
  MenuItem* item = itemAtIndex(index);
  return item ? item->title() : std::string();
}

std::vector<std::string> PopUpButton::itemTitles() const {
  std::vector<std::string> titles;
  for (int i = 0; i < numberOfItems(); ++i) titles.push_back(itemAtIndex(i)->title());
  return titles;
}

void PopUpButton::selectItemAtIndex(int index) {
  if (index == -1) {
    selected_ = nullptr;
  } else if (MenuItem* item = itemAtIndex(index)) {
    selected_ = item;
  } else {
    return;
  }
  setNeedsDisplay(true);
}

void PopUpButton::selectItem(const MenuItem* item) { selectItemAtIndex(item ? indexOfItem(item) : -1); }

bool PopUpButton::selectItemWithTitle(const std::string& title) {
  int i = indexOfItemWithTitle(title);
  if (i < 0) return false;
  selectItemAtIndex(i);
  return true;
}

bool PopUpButton::selectItemWithTag(int tag) {
  int i = indexOfItemWithTag(tag);
  if (i < 0) return false;
  selectItemAtIndex(i);
  return true;
}

int PopUpButton::indexOfSelectedItem() const { return selected_ ? menu_->indexOfItem(selected_) : -1; }
MenuItem* PopUpButton::selectedItem() const { return itemAtIndex(indexOfSelectedItem()); }

std::string PopUpButton::titleOfSelectedItem() const {
  MenuItem* item = selectedItem();
  return item ? item->title() : std::string();
}

void PopUpButton::setArrowOnly(bool on) {
  arrowOnly_ = on;
  setNeedsDisplay(true);
}

bool PopUpButton::performClick() {
  if (!isEnabled() || isHiddenOrHasHiddenAncestor()) return false;
  openMenu();
  return true;
}

void PopUpButton::trackMouseDown(const Event&) { openMenu(); }

bool PopUpButton::openMenu() {
  highlight(true);
  fnd::Rect b = bounds();
  int chosen = menu_->popUp(this, {b.minX(), isFlipped() ? b.maxY() : b.minY()}, indexOfSelectedItem());
  highlight(false);
  if (chosen < 0) return false;
  selectItemAtIndex(chosen);
  if (MenuItem* item = itemAtIndex(chosen); item && item->action()) item->perform();
  sendAction();
  return true;
}

void PopUpButton::drawRect(const Rect&) {
  Rect b = bounds().insetBy(1, 1);
  bool enabled = isEnabled();
  look::bezel(b, std::min(5.0, b.size.height / 2), isHighlighted(), enabled);
  // Two small arrows, up and down, at the right end.
  double aw = 7, cx = arrowOnly_ ? b.midX() : b.maxX() - 10, cy = b.midY();
  BezierPath up, down;
  up.moveTo({cx - aw / 2, cy + 1.5});
  up.lineTo({cx + aw / 2, cy + 1.5});
  up.lineTo({cx, cy + 5.5});
  up.closePath();
  down.moveTo({cx - aw / 2, cy - 1.5});
  down.lineTo({cx + aw / 2, cy - 1.5});
  down.lineTo({cx, cy - 5.5});
  down.closePath();
  look::textColor(enabled).setFill();
  up.fill();
  down.fill();
  if (arrowOnly_) return;
  look::textLine(titleOfSelectedItem(), Rect(b.minX() + 8, b.minY(), std::max(0.0, b.size.width - 28), b.size.height),
                 font(), look::textColor(enabled), TextAlignment::Left);
}

}  // namespace kit
