#pragma once

#include <memory>

#include "ui/controls/NoFocusView.h"

// A plain container of the advanced panel: the owner places setting rows in it.
class Quirel_CTRLS_ImageSettingView {
 public:
  Quirel_CTRLS_ImageSettingView() : mView(std::make_unique<Quirel_NoFocusView>()) {}
  virtual ~Quirel_CTRLS_ImageSettingView() = default;
  Quirel_CTRLS_ImageSettingView(const Quirel_CTRLS_ImageSettingView&) = delete;
  Quirel_CTRLS_ImageSettingView& operator=(const Quirel_CTRLS_ImageSettingView&) = delete;

  Quirel_NoFocusView* getView() const { return mView.get(); }
  void setViewRect(double x, double y, double width, double height) { mView->setFrame(fnd::Rect(x, y, width, height)); }
  fnd::Rect getViewRect() const { return mView ? mView->frame() : fnd::Rect(); }
  // Places the view (which stays its owner's) at the rectangle inside the container.
  void setItem(kit::View* view, const fnd::Rect& rect);

 private:
  std::unique_ptr<Quirel_NoFocusView> mView;
};
