#pragma once

#include "ui/controls/CTRLS_Base.h"
#include "ui/controls/NoFocusButton.h"

// A check box with the text beside it (its own label) and a heading. The box's own title
// stays empty.
class Quirel_CTRLS_CheckBox : public Quirel_CTRLS_Base {
 public:
  // Default: both labels keep the default font. MS: 13-point box and side label, the box kept
  // at its distance from the top. ADV: the box ignores multiple clicks, 13-point heading.
  enum class Variant { Default, MS, ADV };
  explicit Quirel_CTRLS_CheckBox(Variant variant = Variant::Default);

  Quirel_NoFocusButton* getCheckBox() const { return mCheckBox.get(); }
  void setCheckBoxRect(double x, double y, double width, double height);
  void setCheckBoxRect(const fnd::Rect& rect);
  fnd::Rect getCheckBoxRect() const { return rectOf(mCheckBox.get()); }
  kit::TextField* getCheckBoxTitleTxt() const { return mCheckBoxTitleTxt.get(); }
  void setCheckBoxTitle(const std::string& title) { mCheckBoxTitleTxt->setStringValue(title); }
  void setCheckBoxTitleTxtRect(double x, double y, double width, double height);
  void setCheckBoxTitleTxtRect(const fnd::Rect& rect) { mCheckBoxTitleTxt->setFrame(rect); }
  fnd::Rect getCheckBoxTitleTxtRect() const { return rectOf(mCheckBoxTitleTxt.get()); }

  void check(bool on) { setCheck(on); }
  void setCheck(bool on) { mCheckBox->setState(on ? kit::kOnState : kit::kOffState); }
  bool isChecked() const { return mCheckBox->state() == kit::kOnState; }
  void setEnabled(bool enabled);
  bool isEnabled() const { return mCheckBox->isEnabled(); }
  void setHidden(bool hidden);
  bool isHidden() const { return mCheckBox->isHidden(); }
  void setCheckBoxActionPostNtf(const std::string& name) { setActionPostName(name); }
  void checkBoxAction() { postAction(mCheckBox.get()); }

 private:
  std::unique_ptr<Quirel_NoFocusButton> mCheckBox;
  std::unique_ptr<kit::TextField> mCheckBoxTitleTxt;
};
