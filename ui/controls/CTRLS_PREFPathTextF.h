#pragma once

#include "ui/controls/CTRLS_TextField.h"

// A read-only path of the preferences (temporary folder, save folder, sound file) on the
// highlight colour. A long path shows its beginning and its end, cut in the middle.
class Quirel_CTRLS_PREFPathTextF : public Quirel_CTRLS_TextField {
 public:
  Quirel_CTRLS_PREFPathTextF();
  void setStringValue(const std::string& text) { showTruncatedMiddle(*getTextF(), text); }
  static void showTruncatedMiddle(kit::TextField& field, const std::string& text);
};
