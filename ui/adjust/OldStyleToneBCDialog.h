#pragma once

#include "ui/adjust/ToneBCDialog.h"

// The brightness and contrast dialog in the older layout: a 220 x 352 panel with only a close
// button, the older pictures and channel names, no end captions, and no part in the colour
// balance dialog's edits. Everything else is the brightness and contrast dialog's; a stepped
// value reaches the crops on release as in the newer layout.
class Quirel_OldStyleToneBCDialog : public Quirel_ToneBCDialog {
 public:
  using Quirel_ToneBCDialog::Quirel_ToneBCDialog;
  void createToneBCDialog(fnd::Size contentSize) override;
};
