#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "kit/Event.h"
#include "kit/Responder.h"

class QWidget;

namespace kit {

class View;
class WindowDelegate;

// Style mask bits, with the platform's values.
enum WindowStyleMask : unsigned {
  kBorderlessWindowMask = 0,
  kTitledWindowMask = 1 << 0,
  kClosableWindowMask = 1 << 1,
  kMiniaturizableWindowMask = 1 << 2,
  kResizableWindowMask = 1 << 3,
  kUtilityWindowMask = 1 << 4,
  kDocModalWindowMask = 1 << 6,
  kNonactivatingPanelMask = 1 << 7,
};

// Numeric window levels; higher levels are in front. Callers also use plain numbers
// (11, 12) and levels relative to another window's (its level + 3).
enum WindowLevel : int {
  kNormalWindowLevel = 0,
  kFloatingWindowLevel = 3,
  kModalPanelWindowLevel = 8,
  kMainMenuWindowLevel = 24,
  kStatusWindowLevel = 25,
  kPopUpMenuWindowLevel = 101,
};

enum class WindowButton { Close, Miniaturize, Zoom };

// What the hook before dispatch decides about an event.
enum class EventHookResult {
  Pass,                // dispatch as usual
  Drop,                // nobody sees the event
  SwallowUntilMouseUp  // drop it and every event up to and including the next mouse-up
};

// A top-level window: a content view, a frame in screen points (origin at the bottom-left of
// the main screen, y up; the title bar of a titled window lies above the content), a style
// mask, a level, key and first-responder state and a delegate. Backed by a top-level Qt
// widget the size of the content; under a window manager the frame reported is the one the
// program set, wherever the manager put the window.
class Window : public Responder {
 public:
  Window(const fnd::Rect& contentRect, unsigned styleMask);
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Height of the title bar of a titled window, in points.
  static constexpr double kTitleBarHeight = 22.0;
  static fnd::Rect frameRectForContentRect(const fnd::Rect& contentRect, unsigned styleMask);
  static fnd::Rect contentRectForFrameRect(const fnd::Rect& frameRect, unsigned styleMask);
  // The narrowest frame whose title bar shows `title` whole in the title font (smaller for
  // utility panels), centred between room for the title-bar buttons the style asks for on
  // either side. Borderless styles have no title: 0.
  static double minFrameWidthWithTitle(const std::string& title, unsigned styleMask);

  // --- Frame and content
  fnd::Rect frame() const;
  fnd::Rect contentRectForFrameRect(const fnd::Rect& frameRect) const;
  fnd::Rect frameRectForContentRect(const fnd::Rect& contentRect) const;
  fnd::Size contentRectSize() const;
  // Sets the frame (size clamped to the minimum and maximum, after the delegate's say);
  // display redraws at once.
  void setFrame(const fnd::Rect& frame, bool display, bool animate = false);
  void setFrameOrigin(fnd::Point origin);
  void setFrameTopLeftPoint(fnd::Point topLeft);
  void setContentSize(fnd::Size size);
  fnd::Size minSize() const;
  fnd::Size maxSize() const;
  void setMinSize(fnd::Size size);  // frame sizes
  void setMaxSize(fnd::Size size);
  // Centres the window on the main screen's visible frame, a little above the middle.
  void center();
  unsigned styleMask() const;
  const std::string& title() const;
  void setTitle(const std::string& title);
  // Frame of a title-bar button in window coordinates (above the content); empty when the
  // style has no such button. Clicks there come from the window manager, which handles them
  // outside the process, so these frames matter only for synthetic events.
  fnd::Rect standardWindowButtonFrame(WindowButton button) const;

  View* contentView() const;
  void setContentView(std::unique_ptr<View> view);

  // --- Order and visibility
  void orderFront();
  void orderFrontRegardless();
  void makeKeyAndOrderFront();
  void orderBack();
  void orderOut();
  bool isVisible() const;
  // Closes without asking: the delegate hears windowWillClose, the window is ordered out.
  void close();
  // The close button: asks the delegate (windowShouldClose), then closes.
  void performClose();
  void performZoom();
  void performMiniaturize();
  bool isZoomed() const;
  bool isMiniaturized() const;
  int level() const;
  void setLevel(int level);
  // Child windows stay directly above their parent.
  void addChildWindow(Window* child);
  void removeChildWindow(Window* child);
  std::vector<Window*> childWindows() const;
  Window* parentWindow() const;

  // --- Key and main state, responders
  bool isKeyWindow() const;
  bool isMainWindow() const;
  // Key windows take keyboard input; the default allows titled or resizable windows.
  virtual bool canBecomeKeyWindow() const;
  virtual bool canBecomeMainWindow() const;
  void makeKeyWindow();
  void makeMainWindow();
  void resignKeyWindow();
  // Input reaches this window while a modal window runs (panels may say yes).
  virtual bool worksWhenModal() const { return false; }
  // The window manager's close button and title bar are outside the program: while these say no,
  // a close asked through the window manager is refused, and a move or a resize made there is
  // undone, as a click on our own title bar or buttons would be refused.
  virtual bool acceptsWindowManagerClose() const { return true; }
  virtual bool acceptsWindowManagerMove() const { return true; }
  Responder* firstResponder() const;
  // False when the current first responder refuses to resign or r refuses to become it.
  // Null makes the window itself the first responder.
  bool makeFirstResponder(Responder* r);
  // Tab and Shift-Tab: the first responder's next (previous) valid key view becomes the first
  // responder, a text field with its whole text selected. Nothing when there is none or the
  // first responder will not resign.
  void selectNextKeyView();
  void selectPreviousKeyView();
  // The button Return clicks (when no view claims Return as its own key equivalent).
  void setDefaultButton(View* button);
  View* defaultButton() const;
  // Escape that no view claimed; the default does nothing.
  virtual void cancelOperation() {}
  void keyDown(const Event& event) override;

  void setDelegate(WindowDelegate* delegate);
  WindowDelegate* delegate() const;

  // --- Events
  // Dispatches one event: the hook first, then hit view, first responder, tracking and
  // cursor rectangles. Subclasses may filter before calling this.
  virtual void sendEvent(const Event& event);
  // A hook before dispatch: it sees every event sent to this window first and may drop it.
  void setEventHook(std::function<EventHookResult(const Event&)> hook);
  // The next queued event of this window (or of none) matching mask, taken out of the
  // queue; waits in the event-tracking mode meanwhile, other input staying queued. Null when
  // the window closes, the application terminates or timeoutSeconds (when >= 0) pass.
  std::optional<Event> nextEventMatchingMask(EventMask mask, double timeoutSeconds = -1);
  // Throws away this window's queued events matching mask.
  void discardEventsMatchingMask(EventMask mask);
  bool acceptsMouseMovedEvents() const;
  void setAcceptsMouseMovedEvents(bool on);
  // Last known mouse position in window coordinates.
  fnd::Point mouseLocationOutsideOfEventStream() const;
  void invalidateCursorRectsForView(View* view);
  void resetCursorRects();

  // After each pass of the event loop: tells the delegate windowDidUpdate.
  virtual void update();
  void display();
  void displayIfNeeded();

  // --- Flags kept for callers; the look on Linux is the window manager's.
  void setExcludedFromWindowsMenu(bool on);
  void setOneShot(bool on);
  void setReleasedWhenClosed(bool on);
  void setHasShadow(bool on);
  void setOpaque(bool on);
  void setMovableByWindowBackground(bool on);
  void setAlphaValue(double alpha);
  double alphaValue() const;

  // Writes what the window shows (its content) to a PNG file. False on failure.
  bool grabToPng(const std::string& path);

  QWidget* nativeWidget() const;

 private:
  friend class View;
  friend class Application;
  friend class ZOrderManager;
  friend struct WindowAccess;
  struct Impl;
  std::unique_ptr<Impl> d_;

  void forgetView(View* view, bool keepInTree = false);
  void dispatch(const Event& event);
  void updateTracking(fnd::Point location, bool insideWindow);
  void updateCursor(fnd::Point location);
  void applyFrame(bool display);
  void selectKeyView(bool forward);
  void applyStacking(bool stayOnTop, Window* transientParent);
  // A modal run's window is modal to the window system over `over` (the whole program when
  // null) until the run ends; offscreen nothing changes.
  void beginPlatformModality(Window* over);
  void endPlatformModality();
  void setPlatformModality(bool modal, Window* over);
  void qtResized(int width, int height);
  void qtCloseRequested();
  void qtMoved(int x, int top);
};

}  // namespace kit
