#pragma once

#include "ui/controls/CTRLS_OUTSizeListView.h"

// The output-size dialog's list of sizes for the screen.
class Quirel_CTRLS_OUTDisplayListView : public Quirel_CTRLS_OUTSizeListView {
 public:
  static constexpr const char* kSelectPost = "ScreenDispListSelectPost";
  Quirel_CTRLS_OUTDisplayListView(double x, double y, double width, double height)
      : Quirel_CTRLS_OUTSizeListView(x, y, width, height, kSelectPost) {}
  void setScreenDispListAction() { wireListAction(); }
  void onSelectScreenDispList() { onSelect(); }
};
