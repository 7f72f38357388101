#pragma once

#include "ui/controls/CTRLS_IconBezelButton.h"

// Shows the multi-scan tab's guide to placing documents.
class Quirel_CTRLS_MSHowToPutButton : public Quirel_CTRLS_IconBezelButton {
 public:
  static constexpr const char* kShowPost = "MsShowHowToPutPost";
  Quirel_CTRLS_MSHowToPutButton();
  void HowToPutBTAction();
};
