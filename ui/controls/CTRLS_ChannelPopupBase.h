#pragma once

#include "ui/controls/CTRLS_Base.h"
#include "ui/controls/NoFocusPopUpButton.h"

// What the dialogs' small pop-ups share (channel pop-ups of the adjustment dialogs, the
// output-size dialog's pop-ups): a pop-up that announces a press with "SET_VALUE", a caption,
// items by index, and a fixed notification posted only once the owner asked for it.
class Quirel_CTRLS_ChannelPopupBase : public Quirel_CTRLS_Base {
 public:
  ~Quirel_CTRLS_ChannelPopupBase() override;

  Quirel_NoFocusPopUpButton* getPopupBT() const { return mPopupBT.get(); }
  void setPopupBTRect(double x, double y, double width, double height) {
    mPopupBT->setFrame(fnd::Rect(x, y, width, height));
  }
  void setPopupBTFont(const kit::Font& font) { mPopupBT->setFont(font); }
  // The new item's index.
  int addPopupItem(const std::string& title);
  void removeAllPopupItems() { mPopupBT->removeAllItems(); }
  // Selects an item of the list; -1 clears; any other index changes nothing.
  void select(int index);
  int selected() const { return mPopupBT->indexOfSelectedItem(); }
  void setMenuOnOff(bool on) { mPopupBT->setMenuOnOff(on); }
  void setToolTip(const std::string& text) { mPopupBT->setToolTip(text); }
  std::string toolTip() const { return mPopupBT->toolTip(); }
  // The pop-up only: the caption keeps its colour.
  void setEnabled(bool enabled) { mPopupBT->setEnabled(enabled); }
  bool isEnabled() const { return mPopupBT->isEnabled(); }

 protected:
  explicit Quirel_CTRLS_ChannelPopupBase(Caption caption);
  // From now on a choice posts the name, with the pop-up as object.
  void wireAction(const char* postName);
  // An item of the list gets the number; any other index changes nothing.
  void setRepresentedNumberAtIndex(int index, int number);
  // 0 with no selection; -1 when the selected item has no number.
  int getRepresentedNumber() const;
  // The first enabled item with the number; clears the selection when there is none.
  void selectAtRepresentedNumber(int number);

 private:
  std::unique_ptr<Quirel_NoFocusPopUpButton> mPopupBT;
};
