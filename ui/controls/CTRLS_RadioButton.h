#pragma once

#include "ui/controls/CTRLS_Base.h"
#include "ui/controls/NoFocusRadioButton.h"

// A column of radio buttons with a caption. Rows are addressed by index.
class Quirel_CTRLS_RadioButton : public Quirel_CTRLS_Base {
 public:
  Quirel_CTRLS_RadioButton();

  Quirel_NoFocusRadioButton* getRadioBT() const { return mRadioBT.get(); }
  void setRadioBTRect(double x, double y, double width, double height);
  void setRadioBTRect(const fnd::Rect& rect);
  fnd::Rect getRadioBTRect() const { return rectOf(mRadioBT.get()); }
  // Appends a row whose cell is a radio button with the title; answers the new row's index.
  int addItem(const std::string& title);
  void selectItemAtIndex(int index);
  int selectedItemIndex() const { return mRadioBT->selectedRow(); }
  virtual void setEnabled(bool enabled);
  void setHidden(bool hidden);
  bool isHidden() const { return mRadioBT->isHidden(); }

 protected:
  std::unique_ptr<Quirel_NoFocusRadioButton> mRadioBT;
};
