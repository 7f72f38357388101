#pragma once

#include "foundation/Geometry.h"

namespace kit {
class View;
class Window;
}  // namespace kit

// The after-scan windows (scan result, close select, save-path notice) share their manners: they
// float a fixed number of levels over the main window while the application is active, drop to
// the normal level while it is not, and on showing come to the front and ask for attention.
class Quirel_AfterScanWindowLevels {
 public:
  // `frame` moved to the middle of the parent's frame, whole points; unchanged without a parent.
  static fnd::Rect centredOn(fnd::Rect frame, const kit::Window* parent);
  // The window at `frame` fitted to the screen, with its default button, in front (key only while
  // the application is active), and the user's attention asked for.
  static void placeAndShow(kit::Window& window, const fnd::Rect& frame, kit::View* defaultButton);
  // Over the parent by `offset` levels, or at `ownLevel` without a parent, while active; the
  // normal level otherwise.
  static void levelForActivity(kit::Window& window, const kit::Window* parent, int offset, int ownLevel);
  // The application came back: the window rises again and, if shown, becomes key.
  static void comeForward(kit::Window* window, const kit::Window* parent, int offset, int ownLevel);
  // The application went to the background: the window drops to the normal level, still in front.
  static void stepBack(kit::Window* window);
};
