#pragma once

#include "ui/controls/CTRLS_ScrollView.h"

// A list of named output sizes. A click on the row that was already selected reports it (the
// owner then edits that size); a click on another row only remembers it. The remembered row
// starts at 0, so a first click on row 0 reports at once.
class Quirel_CTRLS_OUTSizeListView : public Quirel_CTRLS_ScrollView {
 public:
  int selectRowSeen() const { return mSelectRow; }

 protected:
  Quirel_CTRLS_OUTSizeListView(double x, double y, double width, double height, const char* postName)
      : Quirel_CTRLS_ScrollView(x, y, width, height), mPostName(postName) {}
  void wireListAction();
  void onSelect();

 private:
  const char* mPostName;
  int mSelectRow = 0;
};
