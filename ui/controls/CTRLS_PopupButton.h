#pragma once

#include "kit/MenuItem.h"
#include "ui/controls/CTRLS_Base.h"
#include "ui/controls/NoFocusPopUpButton.h"

// A pop-up button with a caption. Items may carry a number (their represented object) that
// owners use as a stable code instead of the index; an item's own enabled flag stays in force.
class Quirel_CTRLS_PopupButton : public Quirel_CTRLS_Base {
 public:
  // Default: 13-point caption. MS: both pieces keep their distance from the top. DefaultFontSize:
  // the caption keeps the default font.
  enum class Variant { Default, MS, DefaultFontSize };
  explicit Quirel_CTRLS_PopupButton(Variant variant = Variant::Default);
  ~Quirel_CTRLS_PopupButton() override;

  Quirel_NoFocusPopUpButton* getPopupBT() const { return mPopupBT.get(); }
  void setPopupBTRect(double x, double y, double width, double height) {
    mPopupBT->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getPopupBTRect() const { return rectOf(mPopupBT.get()); }

  int addPopupItem(const std::string& title);
  int addPopupItemWithTitle(const std::string& title, int representedNumber);
  int addSeparatorItem();
  void removeAllPopupItems() { mPopupBT->removeAllItems(); }
  // Selects the item at the index; -1 clears; any other index outside the items changes nothing.
  void select(int index);
  int selected() const { return mPopupBT->indexOfSelectedItem(); }
  // -1 outside the items or for an item without a number.
  int getRepresentedNumberAtIndex(int index) const;
  // 0 with no selection; -1 when the selected item has no number.
  int getRepresentedNumber() const;
  // The first enabled item with the number; clears the selection when there is none.
  void selectAtRepresentedNumber(int number);
  std::string getTitleAtAtRepresentedNumber(int number) const;
  // Whether any item, enabled or not, carries the number.
  bool isExistAtRepresentedNumber(int number) const;
  bool validateMenuItem(const kit::MenuItem& item) const { return item.isEnabled(); }

  void setEnabled(bool enabled) { mPopupBT->setEnabled(enabled); }
  bool isEnabled() const { return mPopupBT->isEnabled(); }
  void setHidden(bool hidden);
  bool isHidden() const { return mPopupBT->isHidden(); }
  void setPupupBTActionPostNtf(const std::string& name) { setActionPostName(name); }
  void popUpBTAction() { postAction(mPopupBT.get()); }

 private:
  // The first item (enabled only, when asked) with the number; -1 when none.
  int indexOfNumber(int number, bool enabledOnly) const;
  std::unique_ptr<Quirel_NoFocusPopUpButton> mPopupBT;
};
