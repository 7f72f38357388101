#pragma once

#include "ui/controls/ClosingDlgWindow.h"

// The favourites manager's window: it drops every event once its opener closes it.
class Quirel_FavoriteDlgWindow : public Quirel_ClosingDlgWindow {
 public:
  using Quirel_ClosingDlgWindow::Quirel_ClosingDlgWindow;
};
