#include "ui/controls/CTRLS_MainWindow.h"

#include "kit/View.h"

Quirel_CTRLS_MainWindow::Quirel_CTRLS_MainWindow()
    : window(std::make_unique<Quirel_MainWindow>(
          fnd::Rect(100, 300, 800, 800),
          kit::kTitledWindowMask | kit::kClosableWindowMask | kit::kResizableWindowMask)) {
  window->setMinSize(fnd::Size(850, 638));
  window->setAcceptsMouseMovedEvents(true);
  window->setMovableByWindowBackground(false);
  window->setEnabled(true);
  window->setEnabledSystemBtn(true);
  window->setLevel(kMainWindowLevel);
  window->setCanBecomeKeyWindow(true);
  window->setExcludedFromWindowsMenu(true);
}

Quirel_CTRLS_MainWindow::~Quirel_CTRLS_MainWindow() = default;

void Quirel_CTRLS_MainWindow::setDelegate(kit::WindowDelegate* delegate) { window->setDelegate(delegate); }

void Quirel_CTRLS_MainWindow::addWindowItem(kit::View* view) { window->contentView()->addSubview(view); }
