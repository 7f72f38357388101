#pragma once

#include <functional>
#include <optional>

#include "kit/Event.h"

namespace kit {
class Window;
}

// The waits of the hand-made mouse loops (title-bar clicks, tool buttons): the next event of
// the window matching the mask, or nothing once the caller's stop condition holds, the window
// has closed or gone out of sight, or the application is ending. The wait runs in short
// slices so that a stop condition set by a timer is seen without a further event.
class Quirel_EventWait {
 public:
  static std::optional<kit::Event> next(kit::Window* window, kit::EventMask mask,
                                        const std::function<bool()>& stop = {});
  // Takes events up to and including the next left mouse-up; false when the wait ended
  // without one.
  static bool swallowUntilMouseUp(kit::Window* window, const std::function<bool()>& stop = {});
};
