#pragma once

#include "ui/controls/CTRLS_IconBezelButton.h"

// Opens the multi-scan tab's help.
class Quirel_CTRLS_MSHelpButton : public Quirel_CTRLS_IconBezelButton {
 public:
  static constexpr const char* kShowPost = "MsShowHelpPost";
  Quirel_CTRLS_MSHelpButton();
  void HelpBTAction();
};
