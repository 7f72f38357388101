#pragma once

#include "ui/controls/CTRLS_PREFPopup.h"

// The output-profile pop-up of the preferences.
class Quirel_CTRLS_PREFOutputProfilePopup : public Quirel_CTRLS_PREFPopup {
 public:
  static constexpr const char* kChangePost = "PrefOutputProfileChangePost";
  Quirel_CTRLS_PREFOutputProfilePopup() : Quirel_CTRLS_PREFPopup(kChangePost, Variant::Default) {}
};
