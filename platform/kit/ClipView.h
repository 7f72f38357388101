#pragma once

#include <memory>

#include "kit/View.h"

namespace kit {

// The visible part of a document view: scrolling moves the clip view's bounds origin over the
// document, kept within the document's frame. Flipped when its document view is.
class ClipView : public View {
 public:
  explicit ClipView(const fnd::Rect& frame = {});
  ~ClipView() override;

  View* documentView() const { return document_; }
  void setDocumentView(std::unique_ptr<View> view);
  void setDocumentView(View* view);
  // The part of the document shown, in the document's space.
  fnd::Rect documentVisibleRect() const;
  // The nearest origin to newOrigin that keeps the clip view within the document.
  fnd::Point constrainScrollPoint(fnd::Point newOrigin) const;

  bool isClipView() const override { return true; }
  void scrollToPoint(fnd::Point newOrigin) override;
  bool isFlipped() const override { return document_ && document_->isFlipped(); }
  void scrollWheel(const Event& event) override;

 private:
  View* document_ = nullptr;
};

}  // namespace kit
