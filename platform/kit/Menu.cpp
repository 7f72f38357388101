#include "kit/Menu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <deque>

#include "foundation/RunLoop.h"
#include "kit/QtBridge.h"
#include "kit/View.h"

namespace kit {

namespace {
std::unique_ptr<Menu>& mainMenuSlot() {
  static std::unique_ptr<Menu> menu;
  return menu;
}
std::deque<std::function<int(Menu&)>>& popUpAnswers() {
  static std::deque<std::function<int(Menu&)>> answers;
  return answers;
}
}  // namespace

Menu::Menu(std::string title) : title_(std::move(title)) {}
Menu::~Menu() = default;

Menu* Menu::mainMenu() { return mainMenuSlot().get(); }
void Menu::setMainMenu(std::unique_ptr<Menu> menu) { mainMenuSlot() = std::move(menu); }

MenuItem* Menu::addItem(std::unique_ptr<MenuItem> item) { return insertItem(std::move(item), numberOfItems()); }

MenuItem* Menu::addItemWithTitle(const std::string& title, MenuItem::Action action, const std::string& key) {
  return addItem(std::make_unique<MenuItem>(title, std::move(action), key));
}

MenuItem* Menu::insertItem(std::unique_ptr<MenuItem> item, int index) {
  if (!item) return nullptr;
  index = std::clamp(index, 0, numberOfItems());
  item->menu_ = this;
  MenuItem* raw = item.get();
  items_.insert(items_.begin() + index, std::move(item));
  return raw;
}

MenuItem* Menu::addSeparatorItem() { return addItem(MenuItem::separatorItem()); }

void Menu::removeItemAtIndex(int index) {
  if (index < 0 || index >= numberOfItems()) return;
  items_.erase(items_.begin() + index);
}

void Menu::removeItem(MenuItem* item) { removeItemAtIndex(indexOfItem(item)); }
void Menu::removeAllItems() { items_.clear(); }

MenuItem* Menu::itemAtIndex(int index) const {
  if (index < 0 || index >= numberOfItems()) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

MenuItem* Menu::itemWithTag(int tag) const { return itemAtIndex(indexOfItemWithTag(tag)); }
MenuItem* Menu::itemWithTitle(const std::string& title) const { return itemAtIndex(indexOfItemWithTitle(title)); }

int Menu::indexOfItem(const MenuItem* item) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return static_cast<int>(i);
  return -1;
}

int Menu::indexOfItemWithTag(int tag) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i]->tag() == tag) return static_cast<int>(i);
  return -1;
}

int Menu::indexOfItemWithTitle(const std::string& title) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (!items_[i]->isSeparatorItem() && items_[i]->title() == title) return static_cast<int>(i);
  return -1;
}

int Menu::indexOfItemWithRepresentedObject(const fnd::Value& value) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (!items_[i]->representedObject().isNull() && items_[i]->representedObject() == value)
      return static_cast<int>(i);
  return -1;
}

MenuItem* Menu::findItemWithTag(int tag) const {
  for (const auto& item : items_) {
    if (item->tag() == tag) return item.get();
    if (item->submenu())
      if (MenuItem* found = item->submenu()->findItemWithTag(tag)) return found;
  }
  return nullptr;
}

bool Menu::isItemEnabled(const MenuItem& item) const {
  if (item.isSeparatorItem() || item.isHidden() || !item.isEnabled()) return false;
  if (autoenables_ && validate_) return validate_(item);
  return true;
}

bool Menu::performActionForItemAtIndex(int index) {
  MenuItem* item = itemAtIndex(index);
  if (!item || !isItemEnabled(*item)) return false;
  return item->perform();
}

void Menu::onNextPopUp(std::function<int(Menu&)> answer) { popUpAnswers().push_back(std::move(answer)); }
std::size_t Menu::pendingPopUpAnswers() { return popUpAnswers().size(); }

int Menu::popUp(View* view, fnd::Point location, int positioningIndex) {
  int chosen = -1;
  if (!popUpAnswers().empty()) {
    auto answer = std::move(popUpAnswers().front());
    popUpAnswers().pop_front();
    chosen = answer ? answer(*this) : -1;
  } else {
    QMenu menu;
    QAction* at = nullptr;
    for (int i = 0; i < numberOfItems(); ++i) {
      MenuItem* item = itemAtIndex(i);
      if (item->isHidden()) continue;
      if (item->isSeparatorItem()) {
        menu.addSeparator();
        continue;
      }
      QAction* a = menu.addAction(bridge::qs(item->title()));
      a->setData(i);
      a->setEnabled(isItemEnabled(*item));
      a->setCheckable(item->state() != 0);
      a->setChecked(item->state() != 0);
      if (i == positioningIndex) at = a;
    }
    QPoint global;
    if (view && view->nativeWidget()) {
      // The location is in the view's space; the widget's pixels run down from its top-left.
      fnd::Rect b = view->bounds();
      double y = view->isFlipped() ? location.y - b.minY() : b.maxY() - location.y;
      global = view->nativeWidget()->mapToGlobal(QPoint(static_cast<int>(location.x - b.minX()), static_cast<int>(y)));
    }
    // A menu is a tracking loop: default-mode work waits until it closes.
    fnd::RunLoop::ModeScope tracking(fnd::RunLoopMode::EventTracking);
    QAction* picked = menu.exec(global, at);
    if (picked) chosen = picked->data().toInt();
  }
  MenuItem* item = itemAtIndex(chosen);
  if (!item || !isItemEnabled(*item)) return -1;
  return chosen;
}

}  // namespace kit
