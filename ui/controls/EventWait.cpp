#include "ui/controls/EventWait.h"

#include <algorithm>

#include "foundation/RunLoopMode.h"
#include "kit/Application.h"
#include "kit/Window.h"

namespace {
constexpr double kEventWaitSlice = 0.05;
}  // namespace

std::optional<kit::Event> Quirel_EventWait::next(kit::Window* window, kit::EventMask mask,
                                                 const std::function<bool()>& stop) {
  if (!window) return std::nullopt;
  kit::Application& app = kit::Application::shared();
  for (;;) {
    if (app.isTerminated()) return std::nullopt;
    // Asked through the application first: the window may already be gone.
    const std::vector<kit::Window*> open = app.windows();
    if (std::find(open.begin(), open.end(), window) == open.end() || !window->isVisible()) return std::nullopt;
    if (stop && stop()) return std::nullopt;
    if (std::optional<kit::Event> e =
            app.nextEventMatchingMask(mask, kEventWaitSlice, fnd::RunLoopMode::EventTracking, window))
      return e;
  }
}

bool Quirel_EventWait::swallowUntilMouseUp(kit::Window* window, const std::function<bool()>& stop) {
  while (std::optional<kit::Event> e = next(window, kit::eventMask(kit::EventType::LeftMouseUp), stop))
    if (e->type() == kit::EventType::LeftMouseUp) return true;
  return false;
}
