#pragma once

#include "ui/adjust/ThresholdDialog.h"

// The threshold dialog in the older layout (scanners of the older interface generation): a
// 220 x 352 panel with only a close button, the level starting at 72, no light and dark
// captions. Everything else is the threshold dialog's; a stepped value reaches the crops on
// release as in the newer layout.
class Quirel_OldStyleThresholdDialog : public Quirel_ThresholdDialog {
 public:
  using Quirel_ThresholdDialog::Quirel_ThresholdDialog;
  void createThresholdDialog(fnd::Size contentSize) override;
};
