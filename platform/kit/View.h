#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "kit/Cursor.h"
#include "kit/Event.h"
#include "kit/Responder.h"

class QWidget;

namespace kit {

class GraphicsContext;
class Window;

// Autoresizing mask bits, with the platform's values.
enum AutoresizingMask : unsigned {
  kViewNotSizable = 0,
  kViewMinXMargin = 1,
  kViewWidthSizable = 2,
  kViewMaxXMargin = 4,
  kViewMinYMargin = 8,
  kViewHeightSizable = 16,
  kViewMaxYMargin = 32,
};

using TrackingRectTag = long;

// A rectangle of a window that draws itself and takes events. Frames are in the superview's
// coordinates, bounds in the view's own: points, y up from the bottom-left, or y down from
// the top-left when the view is flipped. Each view is backed by a Qt widget; the mapping to
// the widget's pixels is done here and nowhere else.
//
// Ownership: addSubview(unique_ptr) hands the view to its superview, which destroys it with
// itself (a removed owned view is destroyed at the end of the current run-loop pass);
// addSubview(View*) keeps the caller the owner. A destroyed view leaves its superview.
class View : public Responder {
 public:
  explicit View(const fnd::Rect& frame = {});
  ~View() override;
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  // --- Tree
  View* superview() const;
  const std::vector<View*>& subviews() const;
  Window* window() const;
  View* addSubview(std::unique_ptr<View> view);
  void addSubview(View* view);
  void removeFromSuperview();
  bool isDescendantOf(const View* other) const;
  // This view or the first descendant (depth first) with the tag; null when none.
  View* viewWithTag(int tag);
  // This view or the first descendant (depth first) that matches; null when none. Tests use
  // it to find a control by title or kind.
  View* findView(const std::function<bool(View&)>& match);
  int tag() const;
  void setTag(int tag);
  bool isHidden() const;
  void setHidden(bool hidden);
  bool isHiddenOrHasHiddenAncestor() const;

  // --- Geometry
  fnd::Rect frame() const;
  virtual void setFrame(const fnd::Rect& frame);
  void setFrameOrigin(fnd::Point origin);
  void setFrameSize(fnd::Size size);
  // Turns the view about its frame origin (degrees, counter-clockwise); the frame keeps its
  // unturned size. Qt widgets do not turn: subviews of a turned view sit at the bounding box
  // of where they belong, unturned.
  double frameRotation() const;
  void setFrameRotation(double degrees);
  fnd::Rect bounds() const;
  // Scrolls the contents: the point of the view's own space shown at its min corner.
  void setBoundsOrigin(fnd::Point origin);
  virtual bool isFlipped() const { return false; }
  unsigned autoresizingMask() const;
  void setAutoresizingMask(unsigned mask);
  bool autoresizesSubviews() const;
  void setAutoresizesSubviews(bool on);
  // Called with this view's size before a change; resizes the subviews by their masks.
  virtual void resizeSubviewsWithOldSize(fnd::Size oldSize);
  // Applies the mask after the superview's size changed from oldSize.
  virtual void resizeWithOldSuperviewSize(fnd::Size oldSuperviewSize);
  // The size this view needs as a scroll view's document, which a scroll view that hides its
  // scrollers compares with what it can show: the frame's size unless a view knows better.
  virtual fnd::Size scrollableSize() const { return frame().size; }

  // --- Coordinates. A null view means the window's coordinates.
  fnd::Point convertPointFromView(fnd::Point p, const View* from) const;
  fnd::Point convertPointToView(fnd::Point p, const View* to) const;
  fnd::Rect convertRectFromView(const fnd::Rect& r, const View* from) const;
  fnd::Rect convertRectToView(const fnd::Rect& r, const View* to) const;
  // The part of the bounds not clipped by the superviews; empty while hidden.
  fnd::Rect visibleRect() const;
  // The deepest visible view under a point of the superview's space, or null.
  virtual View* hitTest(fnd::Point pointInSuperview);
  // Scrolls the nearest enclosing clip view so that the point (this view's space) shows at
  // its origin. Nothing without one.
  void scrollPoint(fnd::Point point);
  // Scrolls the nearest enclosing clip view as little as it takes to show the rectangle (this
  // view's space); along a side where the rectangle already covers what shows, nothing moves.
  void scrollRectToVisible(const fnd::Rect& rect);
  // Clip views (the scroll-view part of the controls) answer true and scroll in scrollToPoint;
  // the default moves the bounds origin to the point (this view's space).
  virtual bool isClipView() const { return false; }
  virtual void scrollToPoint(fnd::Point newOrigin) { setBoundsOrigin(newOrigin); }

  // --- Drawing
  void setNeedsDisplay(bool needed = true);
  void setNeedsDisplayInRect(const fnd::Rect& rect);
  bool needsDisplay() const;
  // Draws now (the view and its subviews).
  void display();
  void displayIfNeeded();
  // Draws into the current graphics context; the default draws nothing.
  virtual void drawRect(const fnd::Rect& dirtyRect);
  // Draws the view and its visible subviews into ctx, whose own space is this view's bounds.
  void displayRectIgnoringOpacity(const fnd::Rect& rect, GraphicsContext& ctx);

  // --- Events
  Responder* nextResponder() const override;
  // True when a click that brings the window forward should also act on this view.
  virtual bool acceptsFirstMouse(const Event* event) const { return false; }
  // Key equivalents (Return, Escape, command keys) offered to the whole tree before the key
  // reaches the first responder; the default asks the subviews. True when handled.
  virtual bool performKeyEquivalent(const Event& event);
  // A click by program (controls answer true when they acted); the default does nothing.
  virtual bool performClick() { return false; }
  // --- Key-view loop. Tab moves the first responder to its next valid key view, Shift-Tab to
  // the previous one (Window::selectNextKeyView). A link is mirrored in Qt's focus chain: the
  // widgets behind keep the same tab order and take the focus by Tab.
  View* nextKeyView() const;
  // The view whose next key view this one became last; null when none points here.
  View* previousKeyView() const;
  // Null unlinks. A view that goes away leaves every loop it is in.
  void setNextKeyView(View* next);
  // Tab may stop here: in a window, shown, and taking the first responder.
  virtual bool canBecomeKeyView() const;
  // Along the loop from here, the first view that can become key view; null when none does
  // before the loop ends or comes back here.
  View* nextValidKeyView() const;
  View* previousValidKeyView() const;

  // Runs the view's own mouse-tracking loop after a mouse-down: every dragged and up event
  // of the window goes to onEvent until the mouse-up, while other input waits in the queue.
  // Ends early (answering false) when the window closes; true after the mouse-up.
  bool trackMouse(const std::function<void(const Event&)>& onEvent);

  // --- Tool tips, tracking and cursor rectangles (rectangles in this view's coordinates)
  void setToolTip(const std::string& text);
  const std::string& toolTip() const;
  // The window sends this view mouseEntered/mouseExited as the pointer crosses the rectangle.
  TrackingRectTag addTrackingRect(const fnd::Rect& rect, void* userData, bool assumeInside);
  void removeTrackingRect(TrackingRectTag tag);
  void addCursorRect(const fnd::Rect& rect, const Cursor& cursor);
  void removeCursorRect(const fnd::Rect& rect, const Cursor& cursor);
  void discardCursorRects();
  // Asked by the window when its cursor rectangles are rebuilt; the default adds none.
  virtual void resetCursorRects() {}

  // --- Life in a window
  virtual void viewWillMoveToWindow(Window* window) {}
  virtual void viewDidMoveToWindow() {}

  struct TrackingRect {
    TrackingRectTag tag;
    fnd::Rect rect;
    void* userData;
    bool inside;
  };
  struct CursorRect {
    fnd::Rect rect;
    Cursor cursor;
  };
  const std::vector<TrackingRect>& trackingRects() const;
  const std::vector<CursorRect>& cursorRects() const;

  // The Qt widget behind the view (for controls built on a Qt widget, and for kit itself).
  QWidget* nativeWidget() const;
  // True when the backing widget handles its own input (controls built on Qt editors):
  // events still pass the window's hooks, then go to the widget instead of the view.
  virtual bool handlesNativeInput() const { return false; }

 protected:
  // For controls: back the view with a Qt widget of their own (drawn by Qt, not drawRect).
  View(const fnd::Rect& frame, QWidget* nativeWidget);

 private:
  friend class Window;
  struct Impl;
  std::unique_ptr<Impl> d_;
  void setWindowRecursive(Window* window);
  void applyTabOrder();
  void updateWidgetGeometry();
  fnd::AffineTransform boundsToSuper() const;
  fnd::AffineTransform superToPixels() const;
  fnd::AffineTransform boundsToPixels() const;
  void updateSubviewGeometry();
  void paintWidget(void* painter, const fnd::Rect& dirty);
  std::vector<TrackingRect>& trackingRectsForUpdate();
  friend struct ViewAccess;
};

}  // namespace kit
