#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "kit/MenuItem.h"

namespace kit {

class View;

// An ordered list of items; owns them. A menu that auto-enables its items (the default) asks
// its validation hook about each item with an action; without a hook an item's own flag
// decides. Disabled items cannot be chosen.
//
// The main menu is the application's: set once, found by everyone through Menu::mainMenu().
class Menu {
 public:
  using ValidationHook = std::function<bool(const MenuItem&)>;

  explicit Menu(std::string title = {});
  ~Menu();
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  static Menu* mainMenu();
  static void setMainMenu(std::unique_ptr<Menu> menu);

  const std::string& title() const { return title_; }
  void setTitle(const std::string& title) { title_ = title; }

  // --- Items
  MenuItem* addItem(std::unique_ptr<MenuItem> item);
  MenuItem* addItemWithTitle(const std::string& title, MenuItem::Action action = {},
                             const std::string& keyEquivalent = {});
  MenuItem* insertItem(std::unique_ptr<MenuItem> item, int index);
  MenuItem* addSeparatorItem();
  void removeItemAtIndex(int index);
  void removeItem(MenuItem* item);
  void removeAllItems();
  int numberOfItems() const { return static_cast<int>(items_.size()); }
  // Null outside the list.
  MenuItem* itemAtIndex(int index) const;
  MenuItem* itemWithTag(int tag) const;
  MenuItem* itemWithTitle(const std::string& title) const;
  // -1 when not found.
  int indexOfItem(const MenuItem* item) const;
  int indexOfItemWithTag(int tag) const;
  int indexOfItemWithTitle(const std::string& title) const;
  int indexOfItemWithRepresentedObject(const fnd::Value& value) const;
  // The item with the tag in this menu or any of its submenus, depth first.
  MenuItem* findItemWithTag(int tag) const;

  // --- Enabling
  bool autoenablesItems() const { return autoenables_; }
  void setAutoenablesItems(bool on) { autoenables_ = on; }
  void setValidationHook(ValidationHook hook) { validate_ = std::move(hook); }
  // Whether the item can be chosen now: its own flag and, when auto-enabling, the hook.
  bool isItemEnabled(const MenuItem& item) const;
  // Runs the item's action when it can be chosen; false otherwise.
  bool performActionForItemAtIndex(int index);

  // --- Showing
  // Shows the menu at a point of the view (its positioning item under the point) and waits for
  // a choice: the index chosen, or -1 when dismissed or the item cannot be chosen. The choice
  // is not performed here. Tests answer through onNextPopUp.
  int popUp(View* view, fnd::Point location, int positioningIndex = -1);
  // Test seam: the next popUp asks this function (the index to choose, -1 for none) instead
  // of showing the menu. Answers are used in order, one per popUp.
  static void onNextPopUp(std::function<int(Menu&)> answer);
  static std::size_t pendingPopUpAnswers();

 private:
  std::string title_;
  std::vector<std::unique_ptr<MenuItem>> items_;
  bool autoenables_ = true;
  ValidationHook validate_;
};

}  // namespace kit
