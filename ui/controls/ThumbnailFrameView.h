#pragma once

#include "kit/View.h"
#include "ui/model/ThumbnailFrameViewLink.h"

// The cell of one thumbnail: a rounded background, and a blue mark while the frame is
// selected (thicker while it has the focus). A press only reports the cell number.
class Quirel_ThumbnailFrameView : public kit::View, public ThumbnailFrameViewLink {
 public:
  static constexpr const char* kMouseEventPost = "MouseEventOnThumbnailFramePost";
  static constexpr const char* kNoKey = "no";

  explicit Quirel_ThumbnailFrameView(const fnd::Rect& frame = {}, int no = 0) : kit::View(frame), mNo(no) {}
  int getNo() const { return mNo; }
  // Setting a flag does not redraw: the owner marks the view.
  void setSelected(bool on) override { mSelected = on; }
  bool isSelected() const { return mSelected; }
  void setFocus(bool on) override { mFocus = on; }
  bool isFocus() const { return mFocus; }
  void setWillSelected(bool on) override { mWillSelected = on; }
  bool isWillSelected() const override { return mWillSelected; }
  void setDownOnOff(bool on) { mDownOnOff = on; }
  void mouseDown(const kit::Event& event) override;
  void drawRect(const fnd::Rect& dirty) override;
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }

  void setHidden(bool hidden) override { kit::View::setHidden(hidden); }
  bool isHidden() const override { return kit::View::isHidden(); }
  void removeFromSuperview() override { kit::View::removeFromSuperview(); }

 private:
  int mNo = 0;
  bool mSelected = false;
  bool mFocus = false;
  bool mWillSelected = false;
  bool mDownOnOff = true;
};
