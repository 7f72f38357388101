#pragma once

#include "ui/controls/ClosingDlgWindow.h"

// The tone-settings dialog's window: it drops every event once it is closing.
class Quirel_ToneSettingDlgWindow : public Quirel_ClosingDlgWindow {
 public:
  using Quirel_ClosingDlgWindow::Quirel_ClosingDlgWindow;
};
