#pragma once

#include "ui/controls/CTRLS_PREFPopup.h"

// The image-quality pop-up of the preferences' save tab.
class Quirel_CTRLS_PREFQualityPopup : public Quirel_CTRLS_PREFPopup {
 public:
  static constexpr const char* kChangePost = "QualityChangePost";
  Quirel_CTRLS_PREFQualityPopup() : Quirel_CTRLS_PREFPopup(kChangePost, Variant::Default) {}
};
