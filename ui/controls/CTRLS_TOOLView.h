#pragma once

#include <memory>

#include "foundation/Geometry.h"
#include "ui/controls/ToolView.h"

// The background of the preview toolbar, which holds its buttons.
class Quirel_CTRLS_TOOLView {
 public:
  Quirel_CTRLS_TOOLView();
  ~Quirel_CTRLS_TOOLView();
  Quirel_CTRLS_TOOLView(const Quirel_CTRLS_TOOLView&) = delete;
  Quirel_CTRLS_TOOLView& operator=(const Quirel_CTRLS_TOOLView&) = delete;

  Quirel_ToolView* getToolView() const { return mToolBar.get(); }
  void setToolViewRect(double x, double y, double width, double height) {
    setToolViewRect(fnd::Rect(x, y, width, height));
  }
  void setToolViewRect(const fnd::Rect& rect) { mToolBar->setFrame(rect); }
  fnd::Rect getToolViewRect() const { return mToolBar->frame(); }
  // A button joins the toolbar; the caller (its wrapper) keeps it.
  void setItem(kit::View* item);
  void setHidden(bool hidden) { mToolBar->setHidden(hidden); }

 private:
  std::unique_ptr<Quirel_ToolView> mToolBar;
};
