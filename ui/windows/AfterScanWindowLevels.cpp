#include "ui/windows/AfterScanWindowLevels.h"

#include <cmath>

#include "kit/Application.h"
#include "kit/Window.h"
#include "ui/windows/DisplayManager.h"

namespace {

int afterScanActiveLevel(const kit::Window* parent, int offset, int ownLevel) {
  return parent ? parent->level() + offset : ownLevel;
}

}  // namespace

fnd::Rect Quirel_AfterScanWindowLevels::centredOn(fnd::Rect frame, const kit::Window* parent) {
  if (!parent) return frame;
  const fnd::Rect p = parent->frame();
  frame.origin.x = p.origin.x + std::floor((p.size.width - frame.size.width) / 2);
  frame.origin.y = p.origin.y + std::floor((p.size.height - frame.size.height) / 2);
  return frame;
}

void Quirel_AfterScanWindowLevels::placeAndShow(kit::Window& window, const fnd::Rect& frame, kit::View* defaultButton) {
  const Quirel_DisplayManager display;
  window.setFrame(display.getAdjustmentWindowFrame(frame, frame.size), false);
  window.setDefaultButton(defaultButton);
  kit::Application& app = kit::Application::shared();
  if (app.isActive())
    window.makeKeyAndOrderFront();
  else
    window.orderFront();
  app.requestUserAttention(kit::AttentionRequest::Critical);
}

void Quirel_AfterScanWindowLevels::levelForActivity(kit::Window& window, const kit::Window* parent, int offset,
                                                    int ownLevel) {
  if (kit::Application::shared().isActive())
    window.setLevel(afterScanActiveLevel(parent, offset, ownLevel));
  else
    window.setLevel(kit::kNormalWindowLevel);
}

void Quirel_AfterScanWindowLevels::comeForward(kit::Window* window, const kit::Window* parent, int offset,
                                               int ownLevel) {
  if (!window) return;
  window->setLevel(afterScanActiveLevel(parent, offset, ownLevel));
  if (window->isVisible()) window->makeKeyAndOrderFront();
}

void Quirel_AfterScanWindowLevels::stepBack(kit::Window* window) {
  if (!window) return;
  window->setLevel(kit::kNormalWindowLevel);
  window->orderFront();
}
