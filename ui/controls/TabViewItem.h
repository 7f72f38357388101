#pragma once

#include "kit/TabViewItem.h"

// A tab whose label shrinks the tab view's font by one point when, on its first drawing after
// a new label, the label is wider than its place. The check runs once per label.
class Quirel_TabViewItem : public kit::TabViewItem {
 public:
  explicit Quirel_TabViewItem(std::string identifier = {}) : kit::TabViewItem(std::move(identifier)) {}
  void setLabel(const std::string& label) override;
  void drawLabel(bool shouldTruncate, const fnd::Rect& labelRect) override;

 private:
  bool mFlg = false;
};
