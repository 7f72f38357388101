#pragma once

#include <cstdint>
#include <memory>

#include "foundation/Geometry.h"
#include "foundation/NotificationCenter.h"

namespace kit {
class TextField;
class Window;
}  // namespace kit
class Quirel_ProcessImagePanel;
class Quirel_NoFocusProgressIndicator;

// The small panel with a percentage text and a bar that stands over the main window while an
// image operation runs on several crops or thumbnails at once. The caller sets the number of
// items and the parent window, shows the panel, runs the work (which posts
// "setProcessImagePercentagePost" once per item, on the main thread) and closes it. The panel
// is made at the first show and kept until the dialog goes; it is redrawn at once on every
// step, since the work holds the main thread meanwhile. Main thread only.
class Quirel_ProcessImageDialog {
 public:
  static constexpr const char* kShowPost = "showProcessImageDialogPost";
  static constexpr const char* kPercentagePost = "setProcessImagePercentagePost";
  static constexpr const char* kClosePost = "closeProcessImageDialogPost";
  static constexpr const char* kPercentageKey = "Percentage";
  static constexpr int kLevel = 11;
  static constexpr double kWidth = 300;
  static constexpr double kHeight = 100;

  explicit Quirel_ProcessImageDialog(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_ProcessImageDialog();
  Quirel_ProcessImageDialog(const Quirel_ProcessImageDialog&) = delete;
  Quirel_ProcessImageDialog& operator=(const Quirel_ProcessImageDialog&) = delete;

  // Items of the work (at least 1): each step is 100 / count, the last step reaches 100.
  void setDivideCount(std::int32_t count);
  // Centres the panel over this window (null is ignored).
  void setParentWindow(kit::Window* window);
  void showProcessImageDialog();
  // At or above the last step's value, or above 100, shows 100.
  void setProcessImagePercentage(std::int16_t value);
  void closeProcessImageDialog();

  void showProcessImageDialogNC(const fnd::Notification& notification);
  // {"Percentage": n} shows n; no user information moves one step. The first step on a fresh
  // dialog shows 1 before its value.
  void setProcessImagePercentageNC(const fnd::Notification& notification);
  void closeProcessImageDialogNC(const fnd::Notification& notification);

  void showProcessImageDialogMT();
  void setProcessImagePercentageMT();
  void closeProcessImageDialogMT();

  // Tests.
  Quirel_ProcessImagePanel* panel() const { return mWindow.get(); }
  kit::TextField* textField() const { return mTextField; }
  Quirel_NoFocusProgressIndicator* indicator() const { return mIndicator; }
  std::int16_t percentage() const { return mPercentage; }
  std::int16_t incrementPercentage() const { return mIncrementPercentage; }
  std::int16_t maxPercentage() const { return mMaxPercentage; }

 private:
  fnd::NotificationCenter& mCenter;
  std::unique_ptr<Quirel_ProcessImagePanel> mWindow;
  kit::TextField* mTextField = nullptr;                  // owned by the panel's content view
  Quirel_NoFocusProgressIndicator* mIndicator = nullptr;  // owned by the panel's content view
  std::int16_t mPercentage = 0;
  std::int16_t mIncrementPercentage = 10;
  std::int16_t mMaxPercentage = 100;
  fnd::Rect mParentRect;
};
