#pragma once

#include "ui/adjust/FinalReviewDialog.h"

// The final-review dialog in the older layout: a 220 x 352 panel with only a close button, the
// older pictures and channel names, the older before/after readouts and no zoom view, and no
// part in the colour balance dialog's edits. Everything else is the final-review dialog's.
class Quirel_OldStyleFinalReviewDialog : public Quirel_FinalReviewDialog {
 public:
  using Quirel_FinalReviewDialog::Quirel_FinalReviewDialog;
  void createFinalReviewDialog(fnd::Size contentSize) override;

 protected:
  std::unique_ptr<Quirel_FRPixelValueView> createReadout(const fnd::Rect& frame, int color) override;
};
