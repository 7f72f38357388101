#include "ui/controls/PreviewScrollView.h"

#include <memory>

#include "kit/BezierPath.h"
#include "kit/ClipView.h"
#include "kit/Color.h"
#include "ui/controls/ClickHandshake.h"

namespace {

// kit's clip view scrolls on the wheel itself; this one hands the wheel on to the scroll
// view, which swallows it.
class WheelFreeClipView : public kit::ClipView {
 public:
  void scrollWheel(const kit::Event& event) override { kit::View::scrollWheel(event); }
};

}  // namespace

Quirel_PreviewScrollView::Quirel_PreviewScrollView(const fnd::Rect& frame) : kit::ScrollView(frame) {
  setContentView(std::make_unique<WheelFreeClipView>());
}

void Quirel_PreviewScrollView::drawRect(const fnd::Rect&) {
  kit::BezierPath path = kit::BezierPath::withRect(bounds());
  path.setLineWidth(2.0);
  path.setLineCapStyle(kit::LineCapStyle::Square);
  kit::Color::black().set();
  path.stroke();
}

void Quirel_PreviewScrollView::mouseDown(const kit::Event&) {
  Quirel_ClickHandshake::post(Quirel_ClickHandshake::kControlYesPost, this);
}
