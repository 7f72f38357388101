#pragma once

#include <array>
#include <memory>

#include "ui/controls/NoFocusRadioButton.h"

// The colour-setting choice of the preferences: three one-button radio matrices (recommended,
// the system's colour matching, none) that act as one group. Index 0, 1, 2; -1 for none.
class Quirel_CTRLS_PREFColorSettingRadio {
 public:
  static constexpr const char* kChangePost = "PrefColorSettingChangePost";

  void setRecommend(const std::string& title, double x, double y, double width, double height) {
    RecommendBT = makeButton(title, x, y, width, height);
  }
  void setColorSync(const std::string& title, double x, double y, double width, double height) {
    ColorSyncBT = makeButton(title, x, y, width, height);
  }
  void setNone(const std::string& title, double x, double y, double width, double height) {
    NoneBT = makeButton(title, x, y, width, height);
  }
  void setRecommendRect(double x, double y, double width, double height) { place(RecommendBT.get(), x, y, width, height); }
  void setColorSyncRect(double x, double y, double width, double height) { place(ColorSyncBT.get(), x, y, width, height); }
  void setNoneRect(double x, double y, double width, double height) { place(NoneBT.get(), x, y, width, height); }
  Quirel_NoFocusRadioButton* getRecommend() const { return RecommendBT.get(); }
  Quirel_NoFocusRadioButton* getColorSync() const { return ColorSyncBT.get(); }
  Quirel_NoFocusRadioButton* getNone() const { return NoneBT.get(); }
  fnd::Rect getRecommendRect() const { return rectOfButton(RecommendBT.get()); }
  fnd::Rect getColorSyncRect() const { return rectOfButton(ColorSyncBT.get()); }
  fnd::Rect getNoneRect() const { return rectOfButton(NoneBT.get()); }

  // 0 recommended, 1 colour matching, anything else none; the other two are cleared.
  void selectItemAtIndex(int index);
  int selectedItemIndex() const;
  void setEnabled(int index, bool enabled);
  void setAllEnabled(bool enabled);
  void setAllHidden(bool hidden);
  void RadioBTAction(const kit::Control* sender);

 private:
  std::unique_ptr<Quirel_NoFocusRadioButton> makeButton(const std::string& title, double x, double y, double width,
                                                        double height);
  static void place(Quirel_NoFocusRadioButton* button, double x, double y, double width, double height) {
    if (button) button->setFrame(fnd::Rect(x, y, width, height));
  }
  static fnd::Rect rectOfButton(const Quirel_NoFocusRadioButton* button) {
    return button ? button->frame() : fnd::Rect();
  }
  std::array<Quirel_NoFocusRadioButton*, 3> buttons() const {
    return {RecommendBT.get(), ColorSyncBT.get(), NoneBT.get()};
  }

  std::unique_ptr<Quirel_NoFocusRadioButton> RecommendBT;
  std::unique_ptr<Quirel_NoFocusRadioButton> ColorSyncBT;
  std::unique_ptr<Quirel_NoFocusRadioButton> NoneBT;
};
