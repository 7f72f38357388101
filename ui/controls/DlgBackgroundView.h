#pragma once

#include "kit/View.h"

// A dialog's background: a press on it re-arms the owner's controls ("CONTROL_YES") and then
// tells the dialog ("DLG_MOUSE_DOWN"); the event goes no further.
class Quirel_DlgBackgroundView : public kit::View {
 public:
  static constexpr const char* kDlgMouseDownPost = "DLG_MOUSE_DOWN";

  explicit Quirel_DlgBackgroundView(const fnd::Rect& frame = {}) : kit::View(frame) {}
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  void mouseDown(const kit::Event& event) override;
  // Both posts, with sender as object: shared with the dialog image view.
  static void postDialogPress(const void* sender);
};
