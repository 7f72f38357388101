#pragma once

#include <memory>
#include <string>
#include <vector>

#include "kit/Control.h"
#include "kit/Menu.h"

namespace kit {

// A button that shows the selected item of its menu and opens the menu when pressed. Titles
// are unique: adding a title that an item already bears removes that item first. Choosing an
// item (by mouse or performClick) selects it and sends the action; items that cannot be
// chosen (disabled, separators) are refused and the selection stays.
//
// Subclasses that may refuse to open the menu override mouseDown (or use the mouse-down hook)
// and call the base when the menu may open.
class PopUpButton : public Control {
 public:
  explicit PopUpButton(const fnd::Rect& frame = {});
  ~PopUpButton() override;

  Menu& menu() { return *menu_; }
  const Menu& menu() const { return *menu_; }

  // --- Items
  // Appends an item (after removing an item with that title); answers it.
  MenuItem* addItemWithTitle(const std::string& title);
  void addItemsWithTitles(const std::vector<std::string>& titles);
  MenuItem* insertItemWithTitle(const std::string& title, int index);
  MenuItem* addSeparatorItem();
  void removeItemAtIndex(int index);
  void removeItemWithTitle(const std::string& title);
  void removeAllItems();
  int numberOfItems() const { return menu_->numberOfItems(); }
  MenuItem* itemAtIndex(int index) const { return menu_->itemAtIndex(index); }
  MenuItem* itemWithTitle(const std::string& title) const { return menu_->itemWithTitle(title); }
  std::string itemTitleAtIndex(int index) const;
  std::vector<std::string> itemTitles() const;
  int indexOfItem(const MenuItem* item) const { return menu_->indexOfItem(item); }
  int indexOfItemWithTitle(const std::string& title) const { return menu_->indexOfItemWithTitle(title); }
  int indexOfItemWithTag(int tag) const { return menu_->indexOfItemWithTag(tag); }
  int indexOfItemWithRepresentedObject(const fnd::Value& v) const { return menu_->indexOfItemWithRepresentedObject(v); }
  bool autoenablesItems() const { return menu_->autoenablesItems(); }
  void setAutoenablesItems(bool on) { menu_->setAutoenablesItems(on); }

  // --- Selection. An index outside the items other than -1 changes nothing; -1 clears.
  void selectItemAtIndex(int index);
  void selectItem(const MenuItem* item);
  bool selectItemWithTitle(const std::string& title);
  bool selectItemWithTag(int tag);
  int indexOfSelectedItem() const;
  MenuItem* selectedItem() const;
  std::string titleOfSelectedItem() const;
  std::string stringValue() const override { return titleOfSelectedItem(); }
  int intValue() const override { return indexOfSelectedItem(); }
  double doubleValue() const override { return indexOfSelectedItem(); }
  void setIntValue(int index) override { selectItemAtIndex(index); }

  // Arrows only, no title (a narrow chooser beside a field).
  bool isArrowOnly() const { return arrowOnly_; }
  void setArrowOnly(bool on);

  // Opens the menu as a press would (tests answer through Menu::onNextPopUp).
  bool performClick() override;
  void drawRect(const fnd::Rect& dirty) override;

 protected:
  void trackMouseDown(const Event& event) override;
  // Shows the menu and acts on the choice; true when an item was chosen.
  virtual bool openMenu();

 private:
  std::unique_ptr<Menu> menu_;
  const MenuItem* selected_ = nullptr;
  bool arrowOnly_ = false;
};

}  // namespace kit
