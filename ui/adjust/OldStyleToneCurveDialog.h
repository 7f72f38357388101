#pragma once

#include "ui/adjust/ToneCurveDialog.h"

// The tone-curve dialog in the older layout: a 220 x 352 panel with only a close button, the
// older pictures and channel names, the title in its own small view, and no part in the colour
// balance dialog's edits. Everything else is the tone-curve dialog's.
class Quirel_OldStyleToneCurveDialog : public Quirel_ToneCurveDialog {
 public:
  using Quirel_ToneCurveDialog::Quirel_ToneCurveDialog;
  void createToneCurveDialog(fnd::Size contentSize) override;
};
