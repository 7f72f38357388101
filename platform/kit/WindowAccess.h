#pragma once

// Private to kit: the entries of Window that the Qt side (widget, input filter) uses.

#include "foundation/Geometry.h"

class QWidget;

namespace kit {

class Window;

struct WindowAccess {
  static void resized(Window* window, int width, int height);
  // The window system moved the window: its frame's top-left on the screen, y down.
  static void moved(Window* window, int x, int top);
  static void closeRequested(Window* window);
  static void pointerLeft(Window* window);
  static void activated(Window* window);
  // The window's hook before dispatch (Pass when it has none).
  static int runHook(Window* window, const class Event& event);
  // The kit window behind a top-level Qt widget, or null.
  static Window* windowOfWidget(QWidget* topLevel);
};

}  // namespace kit
