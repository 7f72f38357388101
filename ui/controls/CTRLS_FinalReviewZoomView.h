#pragma once

#include "ui/controls/CTRLS_GraphHolder.h"
#include "ui/controls/FRZoomViewLink.h"

// The final-review dialog's zoom view.
class Quirel_CTRLS_FinalReviewZoomView : public Quirel_CTRLS_GraphHolder<Quirel_FRZoomViewLink> {
 public:
  Quirel_FRZoomViewLink* getZoomView() const { return getGraphView(); }
  void setZoomViewRect(double x, double y, double width, double height) { setGraphViewRect(x, y, width, height); }
  explicit Quirel_CTRLS_FinalReviewZoomView(std::unique_ptr<Quirel_FRZoomViewLink> view) : Quirel_CTRLS_GraphHolder(std::move(view)) {}

  void setRGB(double red, double green, double blue) {
    if (auto* g = getGraphView()) g->setRGB(red, green, blue);
  }
  void setGray(double gray) {
    if (auto* g = getGraphView()) g->setGray(gray);
  }
  void getZoomViewData(const kit::Image& data) {
    if (auto* g = getGraphView()) g->getZoomViewData(data);
  }
  void setRotation(int rotation) {
    if (auto* g = getGraphView()) g->setRotation(rotation);
  }
  void setMirror(bool mirror) {
    if (auto* g = getGraphView()) g->setMirror(mirror);
  }
  void setHidden(bool hidden) {
    if (view()) view()->setHidden(hidden);
  }
};
