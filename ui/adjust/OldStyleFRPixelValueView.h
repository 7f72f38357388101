#pragma once

#include "ui/adjust/FRPixelValueView.h"

// The older final review's before/after readout: two columns, red, green and blue rows
// (layout 0) or one grey row (layout 1), every field read-only in the 10-point system font.
class Quirel_OldStyleFRPixelValueView : public Quirel_FRPixelValueView {
 public:
  Quirel_OldStyleFRPixelValueView(const fnd::Rect& frame, int color);
  // Read-only: no background, no bezel, not editable, 10-point system font.
  static void setTextFieldType(kit::TextField* field);
};
