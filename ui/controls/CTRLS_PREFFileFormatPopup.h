#pragma once

#include "ui/controls/CTRLS_PREFPopup.h"

// The file-format pop-up of the preferences' save tab.
class Quirel_CTRLS_PREFFileFormatPopup : public Quirel_CTRLS_PREFPopup {
 public:
  static constexpr const char* kChangePost = "FileFormatChangePost";
  Quirel_CTRLS_PREFFileFormatPopup() : Quirel_CTRLS_PREFPopup(kChangePost, Variant::Default) {}
};
