#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/NotificationCenter.h"
#include "kit/Box.h"
#include "kit/TextField.h"
#include "kit/WindowDelegate.h"
#include "ui/base/progressCancelStatus.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusRadioButton.h"
#include "ui/windows/CloseSelectWindow.h"

// After a scan: asks whether the driver closes (row 0) or the user returns to it (row 1), with
// a box to stop asking. OK answers outward ("closeSelectClickButtonPost" {"Exit": 1 or 0})
// before the data source waits on the window, and through the data source's cancel status while
// it waits. Variant 1 explains each choice beside its row. Main thread only.
class Quirel_CloseSelectDialog : public kit::WindowDelegate {
 public:
  static constexpr const char* kMousedownPost = "closeSelectMousedownEventPost2";
  static constexpr const char* kClickPost = "closeSelectClickButtonPost";
  static constexpr int kLevel = 12;
  static constexpr double kMinWidth = 450;

  explicit Quirel_CloseSelectDialog(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_CloseSelectDialog() override;
  Quirel_CloseSelectDialog(const Quirel_CloseSelectDialog&) = delete;
  Quirel_CloseSelectDialog& operator=(const Quirel_CloseSelectDialog&) = delete;

  void setUIMObject(const void* object) { mUIMObject = object; }
  void createDialog() { createDialog(0); }
  void createDialog(std::int32_t variant);
  void showDialog(kit::Window* parent);
  void closeDialog();
  bool isChecked() const;
  // 1 selects the close row, 0 the return row.
  void selectAutoExit(std::int32_t flag);
  std::int32_t selectedAutoExit() const;
  void closeSelectMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status);
  void clickOkBtn();

  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;
  void appBecomeActiveFromMain();
  void appResignActiveFromMain();

  // Tests.
  Quirel_CloseSelectWindow* getWindow() const { return mWindow.get(); }
  Quirel_NoFocusButton* okButton() const { return mOkBtn; }
  Quirel_NoFocusButton* checkBox() const { return mCheckBox; }
  Quirel_NoFocusRadioButton* radioButton() const { return mRadioBtn; }
  kit::TextField* subText(int row) const { return row == 0 ? mRBSubStr1 : mRBSubStr2; }

 private:
  std::string uiText(const char* key) const;
  void clickOkBtnAction(kit::Control* sender);
  void levelForActivity(kit::Window& window);

  fnd::NotificationCenter& mCenter;
  std::unique_ptr<Quirel_CloseSelectWindow> mWindow;
  kit::TextField* mTitleTextF = nullptr;  // views are owned by the window's views
  kit::View* mRadioBtnView = nullptr;
  Quirel_NoFocusRadioButton* mRadioBtn = nullptr;
  kit::TextField* mRBSubStr1 = nullptr;
  kit::TextField* mRBSubStr2 = nullptr;
  Quirel_NoFocusButton* mCheckBox = nullptr;
  Quirel_NoFocusButton* mOkBtn = nullptr;
  kit::TextField* mExplainTextF = nullptr;
  kit::Box* mSeparator = nullptr;
  std::int32_t mAttachEv = 0;
  std::int32_t mCancelEv = 0;
  kit::Window* mParentWindow = nullptr;
  const void* mUIMObject = nullptr;
  std::string mBundleStr;
};
