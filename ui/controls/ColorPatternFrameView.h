#pragma once

#include "kit/View.h"

// One cell of the colour-pattern grid: a rounded background, marked blue when chosen and
// black when it holds the current colour balance. A press reports the cell and swallows the drag.
class Quirel_ColorPatternFrameView : public kit::View {
 public:
  static constexpr const char* kClickPost = "MouseClickOnColorPatternFrameViewPost";

  explicit Quirel_ColorPatternFrameView(const fnd::Rect& frame = {}) : kit::View(frame) {}
  void setSelected(bool on) { mSelected = on; }
  bool isSelected() const { return mSelected; }
  void setBased(bool on) { mBased = on; }
  bool isBased() const { return mBased; }
  void drawRect(const fnd::Rect& dirty) override;
  void mouseDown(const kit::Event& event) override;
  // Posts the click with the sender, then swallows the drag until the release.
  static void postClick(kit::View& tracker, const void* sender);

 private:
  bool mSelected = false;
  bool mBased = false;
};
