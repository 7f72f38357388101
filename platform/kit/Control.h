#pragma once

#include <functional>
#include <string>

#include "foundation/Value.h"
#include "kit/Font.h"
#include "kit/GraphicsContext.h"
#include "kit/View.h"

namespace kit {

// Control states, with the platform's values.
enum ControlState : int { kMixedState = -1, kOffState = 0, kOnState = 1 };

// A view that the user clicks or edits: a target and action, a tag, enabled, a state, a
// value read as integer, real or string, a font and an alignment.
//
// The action is a function of the sender, or a method of a target object (the target is kept
// only so that it can be asked for; it is not owned). A control without an action sends
// nothing.
//
// Mouse-down: an enabled control first asks its mouse-down hook (when set); a hook that
// answers false swallows the press, which then neither tracks nor acts. Otherwise the control
// tracks the mouse (trackMouseDown) and acts as its kind does. Subclasses may also override
// mouseDown and call the base when the press may go ahead.
class Control : public View {
 public:
  using Action = std::function<void(Control&)>;
  using MouseDownHook = std::function<bool(Control&, const Event&)>;

  explicit Control(const fnd::Rect& frame = {});
  ~Control() override;

  // --- Target and action
  void setAction(Action action);
  template <class T>
  void setTarget(T* target, void (T::*method)(Control*)) {
    target_ = target;
    action_ = target && method ? Action([target, method](Control& c) { (target->*method)(&c); }) : Action();
  }
  // Clears target and action together.
  void clearAction();
  const void* target() const { return target_; }
  bool hasAction() const { return static_cast<bool>(action_); }
  // Runs the action with this control as the sender; false when there is none.
  bool sendAction();
  // Continuous controls send their action while the mouse is down (sliders, steppers) or on
  // every change (fields); the others when the click or edit is over.
  bool isContinuous() const { return continuous_; }
  void setContinuous(bool on) { continuous_ = on; }

  // --- State
  bool isEnabled() const { return enabled_; }
  virtual void setEnabled(bool enabled);
  int state() const { return state_; }
  virtual void setState(int state);
  bool isHighlighted() const { return highlighted_; }
  void highlight(bool on);

  // --- Values. The default keeps one value; subclasses with a value of their own override.
  virtual fnd::Value objectValue() const { return value_; }
  virtual void setObjectValue(const fnd::Value& value);
  virtual std::string stringValue() const;
  virtual void setStringValue(const std::string& value) { setObjectValue(fnd::Value(value)); }
  virtual int intValue() const;
  virtual void setIntValue(int value) { setObjectValue(fnd::Value(static_cast<std::int64_t>(value))); }
  std::int64_t integerValue() const { return intValue(); }
  void setIntegerValue(std::int64_t value) { setIntValue(static_cast<int>(value)); }
  virtual double doubleValue() const;
  virtual void setDoubleValue(double value) { setObjectValue(fnd::Value(value)); }
  float floatValue() const { return static_cast<float>(doubleValue()); }

  // --- Look
  const Font& font() const { return font_; }
  virtual void setFont(const Font& font);
  TextAlignment alignment() const { return alignment_; }
  virtual void setAlignment(TextAlignment alignment);

  // --- Clicks
  bool ignoresMultipleClicks() const { return ignoresMultipleClicks_; }
  void setIgnoresMultipleClicks(bool on) { ignoresMultipleClicks_ = on; }
  // Asked at every press of an enabled control; answering false swallows the press.
  void setMouseDownHook(MouseDownHook hook) { mouseDownHook_ = std::move(hook); }
  // A click by program: acts as a completed click would (nothing when disabled).
  bool performClick() override;
  void mouseDown(const Event& event) override;

 protected:
  // The press went ahead: track until the mouse-up. The default highlights while the pointer
  // is inside and calls clicked() when released inside.
  virtual void trackMouseDown(const Event& event);
  // A completed click: the kind's own change (state), then the action. The default sends the
  // action.
  virtual void clicked();
  // The event's location in this view's space.
  fnd::Point locationOf(const Event& event) const;

 private:
  Action action_;
  const void* target_ = nullptr;
  MouseDownHook mouseDownHook_;
  fnd::Value value_;
  Font font_;
  TextAlignment alignment_ = TextAlignment::Natural;
  int state_ = kOffState;
  bool enabled_ = true;
  bool highlighted_ = false;
  bool continuous_ = false;
  bool ignoresMultipleClicks_ = false;
};

}  // namespace kit
