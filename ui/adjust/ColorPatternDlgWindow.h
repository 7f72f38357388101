#pragma once

#include "ui/controls/ClosingDlgWindow.h"

// The colour-pattern dialog's window: once it is closing it lets no event through, so a closing
// dialog ignores further clicks and keys.
class Quirel_ColorPatternDlgWindow : public Quirel_ClosingDlgWindow {
 public:
  using Quirel_ClosingDlgWindow::Quirel_ClosingDlgWindow;
};
