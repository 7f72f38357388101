#pragma once

#include "kit/TableView.h"

// The table of the scroll-view wrapper. Its focus ring is drawn outside its frame.
class Quirel_TableView : public kit::TableView {
 public:
  static constexpr int kFocusRingExterior = 2;

  explicit Quirel_TableView(const fnd::Rect& frame = {}) : kit::TableView(frame) {}
  int focusRingType() const { return kFocusRingExterior; }
};
