#pragma once

#include "ui/controls/CTRLS_OUTSizeListView.h"

// The output-size dialog's list of sizes for printing.
class Quirel_CTRLS_OUTPrintListView : public Quirel_CTRLS_OUTSizeListView {
 public:
  static constexpr const char* kSelectPost = "PrintListSelectPost";
  Quirel_CTRLS_OUTPrintListView(double x, double y, double width, double height)
      : Quirel_CTRLS_OUTSizeListView(x, y, width, height, kSelectPost) {}
  void setPrintListAction() { wireListAction(); }
  void onSelectPrintList() { onSelect(); }
};
