#pragma once

#include "ui/controls/CTRLS_Base.h"
#include "ui/controls/NoFocusButton.h"

// A rounded push button (ignores multiple clicks) with a caption; posts the owner's
// notification on each click.
class Quirel_CTRLS_PushButton : public Quirel_CTRLS_Base {
 public:
  // Default: 13-point caption; DefaultFontSize: the caption keeps the default font.
  enum class Variant { Default, DefaultFontSize };
  explicit Quirel_CTRLS_PushButton(Variant variant = Variant::Default);
  // A dialog's 95 x 28 button at (x, y), captioned `title`, posting `postName` on each click,
  // already added to `parent`.
  static std::unique_ptr<Quirel_CTRLS_PushButton> makeDialogButton(kit::View* parent, const std::string& title,
                                                                   const std::string& postName, double x, double y);

  Quirel_NoFocusButton* getPushBT() const { return mPushBT.get(); }
  void setPushBTRect(double x, double y, double width, double height);
  void setPushBTRect(const fnd::Rect& rect) { mPushBT->setFrame(rect); }
  fnd::Rect getPushBTRect() const { return rectOf(mPushBT.get()); }
  void setPushBTTitle(const std::string& title) { mPushBT->setTitle(title); }
  void setEnabled(bool enabled) { mPushBT->setEnabled(enabled); }
  void setHidden(bool hidden);
  bool isHidden() const { return mPushBT->isHidden(); }
  void setPushBTActionPostNtf(const std::string& name) { setActionPostName(name); }
  void pushBTAction() { postAction(mPushBT.get()); }

 private:
  std::unique_ptr<Quirel_NoFocusButton> mPushBT;
};
