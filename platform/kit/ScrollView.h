#pragma once

#include <memory>

#include "kit/Box.h"
#include "kit/ClipView.h"
#include "kit/View.h"

namespace kit {



// A clip view with optional scrollers around it. The document view lives in the clip view;
// scrolling to a point moves the clip view, and the scrollers follow.
class ScrollView : public View {
 public:
  explicit ScrollView(const fnd::Rect& frame = {});
  ~ScrollView() override;

  static constexpr double kScrollerWidth = 15;

  ClipView* contentView() const { return clip_; }
  // Replaces the clip view (owned, or the caller's).
  void setContentView(std::unique_ptr<ClipView> clip);
  void setContentView(ClipView* clip);
  View* documentView() const { return clip_ ? clip_->documentView() : nullptr; }
  void setDocumentView(std::unique_ptr<View> view);
  void setDocumentView(View* view);
  fnd::Rect documentVisibleRect() const { return clip_ ? clip_->documentVisibleRect() : fnd::Rect(); }

  bool hasVerticalScroller() const { return vertical_; }
  void setHasVerticalScroller(bool on);
  bool hasHorizontalScroller() const { return horizontal_; }
  void setHasHorizontalScroller(bool on);
  bool autohidesScrollers() const { return autohides_; }
  void setAutohidesScrollers(bool on);
  BorderType borderType() const;
  void setBorderType(BorderType type);
  // How far one line of a horizontal wheel step scrolls; 0 keeps the clip view's own step.
  double horizontalLineScroll() const { return horizontalLine_; }
  void setHorizontalLineScroll(double amount) { horizontalLine_ = amount > 0 ? amount : 0; }
  // Scrolls the document so that its point shows at the clip view's origin.
  void scrollToPoint(fnd::Point pointInDocument);
  // Lays the clip view out within the border and the scrollers.
  void tile();

  void setFrame(const fnd::Rect& frame) override;
  void drawRect(const fnd::Rect& dirty) override;
  void mouseDown(const Event& event) override;

 private:
  bool showsVertical() const { return showsVertical_; }
  bool showsHorizontal() const { return showsHorizontal_; }
  fnd::Rect verticalTrack() const;
  fnd::Rect horizontalTrack() const;
  ClipView* clip_ = nullptr;
  bool vertical_ = false;
  bool horizontal_ = false;
  bool autohides_ = false;
  double horizontalLine_ = 0;
  // Whether each scroller shows, as the last tiling decided.
  bool showsVertical_ = false;
  bool showsHorizontal_ = false;
  bool tiling_ = false;
  int border_ = 0;
};

}  // namespace kit
