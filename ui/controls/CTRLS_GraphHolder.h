#pragma once

#include <memory>

#include "foundation/Geometry.h"
#include "kit/View.h"

// What the graph wrappers share: they own one graph view, handed in by the dialog that makes
// them, and place and redisplay it. The calls for the graph itself go to it unchanged.
template <class Link>
class Quirel_CTRLS_GraphHolder {
 public:
  explicit Quirel_CTRLS_GraphHolder(std::unique_ptr<Link> view) : mGraph(std::move(view)) {}
  virtual ~Quirel_CTRLS_GraphHolder() = default;
  Quirel_CTRLS_GraphHolder(const Quirel_CTRLS_GraphHolder&) = delete;
  Quirel_CTRLS_GraphHolder& operator=(const Quirel_CTRLS_GraphHolder&) = delete;

  Link* getGraphView() const { return mGraph.get(); }
  kit::View* superview() const { return view() ? view()->superview() : nullptr; }
  void setGraphViewRect(double x, double y, double width, double height) {
    if (view()) view()->setFrame(fnd::Rect(x, y, width, height));
  }
  void updateDisplay() {
    if (view()) view()->setNeedsDisplay(true);
  }

 protected:
  kit::View* view() const { return mGraph ? mGraph->linkedView() : nullptr; }
  Link& graph() const { return *mGraph; }

 private:
  std::unique_ptr<Link> mGraph;
};
