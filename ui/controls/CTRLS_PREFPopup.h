#pragma once

#include "ui/controls/CTRLS_PopupButton.h"

// A pop-up of the preferences dialog: a choice posts the pop-up's own fixed notification, and
// the caption greys with the pop-up.
class Quirel_CTRLS_PREFPopup : public Quirel_CTRLS_PopupButton {
 public:
  void setEnabled(bool enabled);
  void PopupBTAction();

 protected:
  Quirel_CTRLS_PREFPopup(const char* postName, Variant variant);

 private:
  const char* mPostName;
};
