#pragma once

#include <cstdint>
#include <string>

#include "foundation/Geometry.h"

namespace kit {

class Window;

// Event types with the platform's numbering (masks are 1 << type).
enum class EventType : int {
  LeftMouseDown = 1,
  LeftMouseUp = 2,
  RightMouseDown = 3,
  RightMouseUp = 4,
  MouseMoved = 5,
  LeftMouseDragged = 6,
  RightMouseDragged = 7,
  MouseEntered = 8,
  MouseExited = 9,
  KeyDown = 10,
  KeyUp = 11,
  FlagsChanged = 12,
  AppKitDefined = 13,
  ApplicationDefined = 15,
  Periodic = 16,
  CursorUpdate = 17,
  ScrollWheel = 22,
};

using EventMask = std::uint64_t;
constexpr EventMask eventMask(EventType t) { return EventMask{1} << static_cast<int>(t); }
constexpr EventMask kAnyEventMask = ~EventMask{0};
constexpr EventMask kMouseTrackingMask = eventMask(EventType::LeftMouseDragged) | eventMask(EventType::LeftMouseUp);

// Modifier flags with the platform's bit values (the option key is 0x80000).
enum ModifierFlag : unsigned {
  kAlphaShiftKeyMask = 1u << 16,
  kShiftKeyMask = 1u << 17,
  kControlKeyMask = 1u << 18,
  kAlternateKeyMask = 1u << 19,  // option
  kCommandKeyMask = 1u << 20,
};

// Characters of special keys, as the platform reports them in `characters`.
namespace keys {
constexpr char kReturn = '\r';
constexpr char kEnter = 3;
constexpr char kEscape = 27;
constexpr char kTab = '\t';
constexpr char kBackTab = 0x19;  // Shift-Tab
constexpr char kDelete = 127;  // the backspace key
// Function keys: one private-use character each, as UTF-8.
constexpr const char kUpArrow[] = "\xef\x9c\x80";        // U+F700
constexpr const char kDownArrow[] = "\xef\x9c\x81";      // U+F701
constexpr const char kLeftArrow[] = "\xef\x9c\x82";      // U+F702
constexpr const char kRightArrow[] = "\xef\x9c\x83";     // U+F703
constexpr const char kForwardDelete[] = "\xef\x9c\xa8";  // U+F728
}  // namespace keys

// One input event. Locations are in the window's coordinates: points from the bottom-left of
// the content area, y up; the title bar lies above the content (y >= content height).
class Event {
 public:
  Event() = default;

  static Event mouseEvent(EventType type, fnd::Point locationInWindow, unsigned modifierFlags, Window* window,
                          int clickCount = 1);
  static Event keyEvent(EventType type, const std::string& characters, unsigned modifierFlags, Window* window,
                        int keyCode = 0, const std::string& charactersIgnoringModifiers = {});
  static Event enterExitEvent(EventType type, fnd::Point locationInWindow, Window* window, int trackingNumber,
                              void* userData);
  static Event scrollWheelEvent(fnd::Point locationInWindow, double deltaX, double deltaY, unsigned modifierFlags,
                                Window* window);
  static Event flagsChangedEvent(unsigned modifierFlags, Window* window, int keyCode = 0);

  EventType type() const { return type_; }
  EventMask mask() const { return eventMask(type_); }
  fnd::Point locationInWindow() const { return location_; }
  unsigned modifierFlags() const { return modifiers_; }
  int clickCount() const { return clickCount_; }
  const std::string& characters() const { return characters_; }
  const std::string& charactersIgnoringModifiers() const { return charactersIgnoring_; }
  int keyCode() const { return keyCode_; }
  bool isARepeat() const { return repeat_; }
  double deltaX() const { return deltaX_; }
  double deltaY() const { return deltaY_; }
  int trackingNumber() const { return trackingNumber_; }
  void* userData() const { return userData_; }
  Window* window() const { return window_; }
  // Seconds since an arbitrary start; order of arrival.
  double timestamp() const { return timestamp_; }
  // Increasing number, unique per event.
  std::uint64_t eventNumber() const { return number_; }

  bool isMouse() const;
  bool isKey() const { return type_ == EventType::KeyDown || type_ == EventType::KeyUp; }
  void setWindow(Window* window) { window_ = window; }
  void setLocationInWindow(fnd::Point p) { location_ = p; }
  void setRepeat(bool r) { repeat_ = r; }

 private:
  static Event make(EventType type, Window* window);
  EventType type_ = EventType::ApplicationDefined;
  fnd::Point location_;
  unsigned modifiers_ = 0;
  int clickCount_ = 0;
  std::string characters_;
  std::string charactersIgnoring_;
  int keyCode_ = 0;
  bool repeat_ = false;
  double deltaX_ = 0, deltaY_ = 0;
  int trackingNumber_ = 0;
  void* userData_ = nullptr;
  Window* window_ = nullptr;
  double timestamp_ = 0;
  std::uint64_t number_ = 0;
};

}  // namespace kit
