#pragma once

#include <memory>
#include <string>

#include "foundation/Geometry.h"
#include "ui/controls/MainWindow.h"

namespace kit {
class View;
class WindowDelegate;
}  // namespace kit

// The main window as the front door builds it: titled, closable, resizable, at least
// 850 x 638, seeing mouse moves, at level 9. kit has no window controller, so this wrapper
// owns the window itself. The two rectangles are the owner's storage for its geometry.
class Quirel_CTRLS_MainWindow {
 public:
  static constexpr int kMainWindowLevel = 9;

  Quirel_CTRLS_MainWindow();
  ~Quirel_CTRLS_MainWindow();
  Quirel_CTRLS_MainWindow(const Quirel_CTRLS_MainWindow&) = delete;
  Quirel_CTRLS_MainWindow& operator=(const Quirel_CTRLS_MainWindow&) = delete;

  Quirel_MainWindow* getWindow() const { return window.get(); }
  void setWindowTitie(const std::string& title) { window->setTitle(title); }
  void setDelegate(kit::WindowDelegate* delegate);
  // Adds a view to the content view; the caller keeps it.
  void addWindowItem(kit::View* view);

  void setFirstRect(const fnd::Rect& rect) { firstRect = rect; }
  fnd::Rect getFirstRect() const { return firstRect; }
  void setDefaultRect(const fnd::Rect& rect) { defaultRect = rect; }
  fnd::Rect getDefaultRect() const { return defaultRect; }

 private:
  std::unique_ptr<Quirel_MainWindow> window;
  fnd::Rect firstRect;
  fnd::Rect defaultRect;
};
