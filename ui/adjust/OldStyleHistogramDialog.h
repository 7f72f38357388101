#pragma once

#include "ui/adjust/HistogramDialog.h"

// The histogram dialog in the older layout: a 220 x 352 panel with only a close button, the
// older pictures, channel names and markers, and no part in the colour balance dialog's
// edits. Everything else is the histogram dialog's.
class Quirel_OldStyleHistogramDialog : public Quirel_HistogramDialog {
 public:
  using Quirel_HistogramDialog::Quirel_HistogramDialog;
  void createHistoDialog(fnd::Size contentSize) override;
};
