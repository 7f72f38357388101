#pragma once

#include "ui/controls/CTRLS_PREFPopup.h"

// The input-profile pop-up of the preferences.
class Quirel_CTRLS_PREFInputProfilePopup : public Quirel_CTRLS_PREFPopup {
 public:
  static constexpr const char* kChangePost = "PrefInputProfileChangePost";
  Quirel_CTRLS_PREFInputProfilePopup() : Quirel_CTRLS_PREFPopup(kChangePost, Variant::Default) {}
};
