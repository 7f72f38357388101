#pragma once

#include "kit/Control.h"
#include "kit/Image.h"

// An image button of the preview toolbar, painted by itself: the exit picture at rest, a
// raised edge and the enter picture while the pointer is over it on the key window, a sunken
// half-strength look while pressed, a sunken full-strength look while latched on (state 1),
// and the disable picture (or the exit picture at half strength) while disabled.
//
// It tracks the mouse in its own loop, acts when released inside, and announces every accepted
// press ("TOOLBUTTON_DOWN") with the click hand-shake. The state stays 1 after a click: the
// owner turns it off.
class Quirel_ToolButton : public kit::Control {
 public:
  static constexpr const char* kToolButtonDownPost = "TOOLBUTTON_DOWN";

  explicit Quirel_ToolButton(const fnd::Rect& frame = {});
  ~Quirel_ToolButton() override;

  void setImage(const kit::Image& enter, const kit::Image& exit, const kit::Image& disable);
  const kit::Image& enterImage() const { return mEnterImage; }
  const kit::Image& exitImage() const { return mExitImage; }
  const kit::Image& disableImage() const { return mDisableImage; }
  void setState(int state) override;
  // Disabling also turns the button off.
  void setEnabled(bool enabled) override;
  // Kept for the owner; the button itself answers single clicks only.
  void setCanDoubleClick(bool on) { mCanDoubleClick = on; }
  bool canDoubleClick() const { return mCanDoubleClick; }
  void setDownOnOff(bool on) { mDownOnOffFlg = on; }
  bool downOnOff() const { return mDownOnOffFlg; }
  bool isDown() const { return mDown; }
  bool isEnter() const { return mEnter; }
  kit::TrackingRectTag trackingRectTag() const { return mTrackingRectTag; }

  void setFrame(const fnd::Rect& frame) override;
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  bool acceptsFirstResponder() const override { return false; }
  void mouseDown(const kit::Event& event) override;
  void mouseEntered(const kit::Event& event) override;
  void mouseExited(const kit::Event& event) override;
  void resetCursorRects() override;
  void drawRect(const fnd::Rect& dirty) override;
  // The picture centred on whole points at the opacity; nothing for no picture.
  void drawImage(const kit::Image& image, double fraction);

 private:
  void installTrackingRect();
  void strokeEdge(fnd::Point from, fnd::Point to, const kit::Color& color);
  void setLook(bool down, int state);

  kit::Image mEnterImage;
  kit::Image mExitImage;
  kit::Image mDisableImage;
  bool mDown = false;
  bool mEnter = false;
  kit::TrackingRectTag mTrackingRectTag = -1;
  bool mDownOnOffFlg = true;
  bool mCanDoubleClick = true;
};
