#pragma once

#include <vector>

#include "foundation/Geometry.h"
#include "kit/Panel.h"

// What the floating panels of the adjustment and information dialogs share with the main
// window: a click on the title bar can be swallowed, clicks on the window buttons are refused
// while the dialog is disabled, the Option key is reported, and the dialog is told to redraw
// ("FINAL_REFLESH") as the pointer moves onto or off the title-bar buttons.
//
// The band of the title-bar buttons runs from the close button's origin to the right-hand
// end of the rectangle the owner gives (setFinalZoomRect), as high as the content. The
// panels differ in the window buttons they test and in what a mouse move reports.
class Quirel_FloatingPanel : public kit::Panel {
 public:
  static constexpr const char* kFinalRefreshPost = "FINAL_REFLESH";
  static constexpr const char* kOptionKeyDownPost = "FloatingPanelOptionKeyDownPost";
  static constexpr const char* kOptionKeyUpPost = "FloatingPanelOptionKeyUpPost";
  static constexpr const char* kMouseMovedPost = "FloatingPanelMouseMovedPost";

  void setTitleDownOnOff(bool on) { mTitleDownOnOff = on; }
  bool titleDownOnOff() const { return mTitleDownOnOff; }
  void setEnabled(bool on) { mEnabled = on; }
  bool isEnabled() const { return mEnabled; }
  bool acceptsWindowManagerClose() const override { return mEnabled; }
  bool acceptsWindowManagerMove() const override { return mTitleDownOnOff; }
  void setFinalZoomRect(const fnd::Rect& rect) { mFinalZoomRect = rect; }
  fnd::Rect finalZoomRect() const { return mFinalZoomRect; }
  fnd::Rect titleButtonBand() const;
  bool titleBtnFlg1() const { return mTitleBtnFlg1; }
  bool titleBtnFlg2() const { return mTitleBtnFlg2; }
  bool titleBtnFlg3() const { return mTitleBtnFlg3; }

  void sendEvent(const kit::Event& event) override;

 protected:
  Quirel_FloatingPanel(const fnd::Rect& contentRect, unsigned styleMask) : kit::Panel(contentRect, styleMask) {}
  // The window buttons whose clicks are refused while disabled, in the order tested.
  virtual std::vector<kit::WindowButton> testedButtons() const = 0;
  void post(const char* name);

 private:
  void trackTitleButtons(fnd::Point at, bool inContent);
  // A left mouse-down outside the content: false when the filter took it.
  bool passTitleBarDown(fnd::Point at);

  bool mTitleDownOnOff = true;
  bool mEnabled = true;
  fnd::Rect mFinalZoomRect;
  bool mTitleBtnFlg1 = false;  // cleared on leaving the band for elsewhere outside the content
  bool mTitleBtnFlg2 = false;  // cleared on entering the content
  bool mTitleBtnFlg3 = false;  // cleared when the pointer leaves the panel
};
