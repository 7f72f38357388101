#pragma once

#include <cstdint>
#include <memory>

#include "kit/Window.h"

class Quirel_DisabledView;

// The scanner main window. Before kit's dispatch it filters: everything while the window is
// closing, clicks on the window buttons while the owner has them disabled, and (when the
// owner says so) a click on the title bar, which is swallowed up to its mouse-up. It reports
// the Option key and every mouse move to the front door.
//
// On Linux the title bar and its buttons belong to the window manager: these filters see only
// events that arrive at those frames through the application's queue.
class Quirel_MainWindow : public kit::Window {
 public:
  static constexpr const char* kZoomBtnOnPost = "zoomBtnOn";
  static constexpr const char* kOptionKeyDownPost = "MainWindowOptionKeyDownPost";
  static constexpr const char* kOptionKeyUpPost = "MainWindowOptionKeyUpPost";
  static constexpr const char* kMouseMovedPost = "MainWindowMouseMovedPost";

  Quirel_MainWindow(const fnd::Rect& contentRect, unsigned styleMask);

  void setTitleDownOnOff(bool on) { mTitleDownOnOff = on; }
  bool titleDownOnOff() const { return mTitleDownOnOff; }
  void setCloseFlg(bool on) { mCloseFlg = on; }
  bool getCloseFlg() const { return mCloseFlg; }
  void setCanBecomeKeyWindow(bool on) { mCanBecomeKey = on; }
  bool canBecomeKeyWindow() const override;
  bool acceptsWindowManagerClose() const override { return mEnabled && mEnabledSystemBtn && !mCloseFlg; }
  bool acceptsWindowManagerMove() const override { return mTitleDownOnOff && !mCloseFlg; }
  void setBaseWindowLevel(std::int32_t level) { mBaseWindowLevel = level; }
  std::int32_t baseWindowLevel() const { return mBaseWindowLevel; }
  void setEnabled(bool on) { mEnabled = on; }
  bool isEnabled() const { return mEnabled; }
  void setEnabledSystemBtn(bool on) { mEnabledSystemBtn = on; }
  bool isEnabledSystemBtn() const { return mEnabledSystemBtn; }
  // While a mode is busy: the window buttons off and `mask` laid over the whole content (made
  // here, owned by the caller); afterwards the mask taken away and the buttons on again.
  void setMasked(bool masked, std::unique_ptr<Quirel_DisabledView>& mask);

  void sendEvent(const kit::Event& event) override;
  void mouseMoved(const kit::Event& event) override;

 private:
  // A left mouse-down outside the content: false when the filter took it.
  bool passTitleBarDown(const kit::Event& event);

  bool mTitleDownOnOff = true;
  bool mCloseFlg = false;
  bool mCanBecomeKey = true;
  std::int32_t mBaseWindowLevel = kit::kNormalWindowLevel;
  bool mEnabled = true;
  bool mEnabledSystemBtn = true;
};
