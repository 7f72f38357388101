#pragma once

#include "kit/Image.h"
#include "ui/controls/CTRLS_PushButton.h"

// The button that opens or folds a section of the advanced panel: a square picture button
// whose state says whether the section is open. A click flips the state, shows its picture
// and reports; the owner then opens or folds the section.
class Quirel_CTRLS_OpenButton : public Quirel_CTRLS_PushButton {
 public:
  void setPushBTImage(const std::string& onName, const std::string& offName, const std::string& bundle);
  void setOnState(bool on);
  bool isOnState() const { return getPushBT()->state() != kit::kOffState; }

 protected:
  explicit Quirel_CTRLS_OpenButton(const char* postName);
  void openAction();

 private:
  const char* mPostName;
  kit::Image mOnImage;
  kit::Image mOffImage;
};
