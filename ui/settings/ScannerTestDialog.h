#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/NotificationCenter.h"
#include "kit/ScrollView.h"
#include "kit/TextField.h"
#include "kit/Window.h"
#include "kit/WindowDelegate.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusTextField.h"
#include "ui/model/UIScannerInfo.h"

// The scanner self-test window (level 12): Start sends the test request outward, status
// reports from the data source or the window controller show their message, and Close ends
// the run with 0 when every status was a pass (1630), else 1. A test whose end does not come
// within the time limit, or that the application's end cuts short, counts as failed.
class Quirel_ScannerTestDialog : public kit::Window, public kit::WindowDelegate {
 public:
  static constexpr int kLevel = 12;
  static constexpr int kPassed = 1630;
  static constexpr double kTimeLimitSeconds = 60;
  static constexpr double kFieldWidth = 335;
  static constexpr double kLineHeight = 23;
  static constexpr double kMinFieldHeight = 78;
  // Schedules `fire` after `seconds`; tests hand in a clock of their own.
  using Scheduler = std::function<void(double seconds, std::function<void()> fire)>;

  Quirel_ScannerTestDialog() : Quirel_ScannerTestDialog(nullptr, nullptr) {}
  // Status reports are taken from `twainObject` (when there is one).
  Quirel_ScannerTestDialog(const Quirel_UIScannerInfo* scannerInfo, const void* twainObject);
  ~Quirel_ScannerTestDialog() override;

  // The window controller: its relayed status reports are taken as well.
  void setUIMObject(const void* uimObject);
  void setTimeLimitScheduler(Scheduler scheduler) { mScheduler = std::move(scheduler); }
  // 0 when every reported status passed, 1 after a failure. The window is closed on return.
  int runModal();

  void clickStartBtn();
  void clickStartBtnPerformSelector();
  void clickCloseBtn();
  void displayScannerTestStatus(const fnd::Notification& notification);
  void endScannerTest(const fnd::Notification& notification);
  std::string getMessageString(const fnd::Dictionary& info) const;
  void setMessageTextField(const std::string& text);
  // The message field's height for lines of these widths.
  static double messageFieldHeight(const std::vector<double>& lineWidths);

  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;

  // Tests.
  kit::TextField* titleField() const { return mTitleTxtF; }
  Quirel_NoFocusTextField* messageField() const { return mMsgTxtF; }
  Quirel_NoFocusButton* startButton() const { return mStartBtn; }
  Quirel_NoFocusButton* closeButton() const { return mCloseBtn; }
  int error() const { return mError; }

 private:
  std::string uiText(const std::string& key) const;
  void testEnded(bool failed);

  kit::TextField* mTitleTxtF = nullptr;  // views are owned by the content view
  kit::ScrollView* mScrollView = nullptr;
  Quirel_NoFocusTextField* mMsgTxtF = nullptr;
  Quirel_NoFocusButton* mStartBtn = nullptr;
  Quirel_NoFocusButton* mCloseBtn = nullptr;
  int mError = 0;
  std::string mBundleStr;
  const void* mUIMObject = nullptr;
  bool mTesting = false;
  int mRun = 0;  // counts Starts, so a late timer of an earlier run does nothing
  Scheduler mScheduler;
  std::vector<fnd::NotificationCenter::Token> mTokens;
  std::vector<fnd::NotificationCenter::Token> mUIMTokens;
  std::shared_ptr<bool> mAlive = std::make_shared<bool>(true);
};
