#pragma once

namespace fnd {

// The run-loop modes callers use. A run in one mode serves only the calls and timers
// scheduled for that mode; everything else waits for a run in a mode it was scheduled for.
enum class RunLoopMode : unsigned {
  Default = 1u << 0,        // the application's ordinary loop
  ModalPanel = 1u << 1,     // a modal window or panel is being run
  EventTracking = 1u << 2,  // a control tracks the mouse, or a menu is open
};

// A set of modes. ModeSet::common() is the set every ordinary loop belongs to (default, modal
// panel and event tracking): a timer scheduled for it fires whichever of them is running.
class ModeSet {
 public:
  constexpr ModeSet() = default;
  constexpr ModeSet(RunLoopMode mode) : bits_(static_cast<unsigned>(mode)) {}  // NOLINT: implicit on purpose

  static constexpr ModeSet common() {
    return ModeSet(RunLoopMode::Default) | RunLoopMode::ModalPanel | RunLoopMode::EventTracking;
  }

  constexpr bool contains(RunLoopMode mode) const { return (bits_ & static_cast<unsigned>(mode)) != 0; }
  constexpr bool empty() const { return bits_ == 0; }
  constexpr ModeSet operator|(ModeSet other) const { return fromBits(bits_ | other.bits_); }
  constexpr ModeSet& operator|=(ModeSet other) {
    bits_ |= other.bits_;
    return *this;
  }
  friend constexpr bool operator==(ModeSet, ModeSet) = default;

 private:
  static constexpr ModeSet fromBits(unsigned bits) {
    ModeSet s;
    s.bits_ = bits;
    return s;
  }
  unsigned bits_ = 0;
};

constexpr ModeSet operator|(RunLoopMode a, RunLoopMode b) { return ModeSet(a) | b; }

// Shorthand for ModeSet::common().
inline constexpr ModeSet kCommonModes = ModeSet::common();

}  // namespace fnd
