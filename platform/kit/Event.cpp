#include "kit/Event.h"

#include <atomic>
#include <chrono>

namespace kit {

namespace {
std::atomic<std::uint64_t> gNextNumber{1};
double now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

Event Event::make(EventType type, Window* window) {
  Event e;
  e.type_ = type;
  e.window_ = window;
  e.timestamp_ = now();
  e.number_ = gNextNumber++;
  return e;
}

Event Event::mouseEvent(EventType type, fnd::Point locationInWindow, unsigned modifierFlags, Window* window,
                        int clickCount) {
  Event e = make(type, window);
  e.location_ = locationInWindow;
  e.modifiers_ = modifierFlags;
  bool button = type == EventType::LeftMouseDown || type == EventType::LeftMouseUp ||
                type == EventType::RightMouseDown || type == EventType::RightMouseUp;
  e.clickCount_ = button ? clickCount : 0;
  return e;
}

Event Event::keyEvent(EventType type, const std::string& characters, unsigned modifierFlags, Window* window,
                      int keyCode, const std::string& charactersIgnoringModifiers) {
  Event e = make(type, window);
  e.characters_ = characters;
  e.charactersIgnoring_ = charactersIgnoringModifiers.empty() ? characters : charactersIgnoringModifiers;
  e.modifiers_ = modifierFlags;
  e.keyCode_ = keyCode;
  return e;
}

Event Event::enterExitEvent(EventType type, fnd::Point locationInWindow, Window* window, int trackingNumber,
                            void* userData) {
  Event e = make(type, window);
  e.location_ = locationInWindow;
  e.trackingNumber_ = trackingNumber;
  e.userData_ = userData;
  return e;
}

Event Event::scrollWheelEvent(fnd::Point locationInWindow, double deltaX, double deltaY, unsigned modifierFlags,
                              Window* window) {
  Event e = make(EventType::ScrollWheel, window);
  e.location_ = locationInWindow;
  e.deltaX_ = deltaX;
  e.deltaY_ = deltaY;
  e.modifiers_ = modifierFlags;
  return e;
}

Event Event::flagsChangedEvent(unsigned modifierFlags, Window* window, int keyCode) {
  Event e = make(EventType::FlagsChanged, window);
  e.modifiers_ = modifierFlags;
  e.keyCode_ = keyCode;
  return e;
}

bool Event::isMouse() const {
  switch (type_) {
    case EventType::LeftMouseDown:
    case EventType::LeftMouseUp:
    case EventType::RightMouseDown:
    case EventType::RightMouseUp:
    case EventType::MouseMoved:
    case EventType::LeftMouseDragged:
    case EventType::RightMouseDragged:
    case EventType::ScrollWheel:
      return true;
    default:
      return false;
  }
}

}  // namespace kit
