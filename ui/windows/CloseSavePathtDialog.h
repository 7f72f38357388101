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
#include "ui/windows/CloseSelectWindow.h"

class Quirel_PreferenceInfo;

// After a scan: tells the folder the pictures were saved in, with a box to stop telling. Shown
// non-modally (OK answers outward, "closeSelectClickButtonPost" with an empty dictionary, or
// through the data source's cancel status while it waits) or modally (OK ends the run). Main
// thread only.
class Quirel_CloseSavePathtDialog : public kit::WindowDelegate {
 public:
  static constexpr const char* kMousedownPost = "closeSelectMousedownEventPost";
  static constexpr const char* kClickPost = "closeSelectClickButtonPost";
  static constexpr int kLevel = 12;
  static constexpr double kWidth = 450;

  explicit Quirel_CloseSavePathtDialog(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_CloseSavePathtDialog() override;
  Quirel_CloseSavePathtDialog(const Quirel_CloseSavePathtDialog&) = delete;
  Quirel_CloseSavePathtDialog& operator=(const Quirel_CloseSavePathtDialog&) = delete;

  void setUIMObject(const void* object) { mUIMObject = object; }
  void createDialog();
  void showDialog(kit::Window* parent);
  // Runs the notice modally until OK; answers 1.
  std::int32_t showModalDialog(kit::Window* parent);
  void closeDialog();
  bool isChecked() const;
  void setPreferenceInfo(std::shared_ptr<Quirel_PreferenceInfo> preferences) { mPreferenceInfo = std::move(preferences); }
  const std::shared_ptr<Quirel_PreferenceInfo>& getPreferenceInfo() const { return mPreferenceInfo; }
  // The folder as the user knows it: without a trailing "/", the Pictures folder by its name.
  static std::string displaySavePath(const std::string& path);
  static std::string displayNameAtPicturesDirectory();
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
  kit::TextField* savePathField() const { return mSavePathStr; }
  bool isDisplayModal() const { return mDisplayModal; }

 private:
  std::string text(const char* key, const char* table) const;
  void clickOkBtnAction(kit::Control* sender);
  void levelForActivity(kit::Window& window);

  fnd::NotificationCenter& mCenter;
  std::unique_ptr<Quirel_CloseSelectWindow> mWindow;
  kit::TextField* mTitleTextF = nullptr;  // views are owned by the window's views
  kit::TextField* mSavePathStr = nullptr;
  Quirel_NoFocusButton* mCheckBox = nullptr;
  kit::TextField* mExplainTextF = nullptr;
  kit::Box* mSeparator = nullptr;
  Quirel_NoFocusButton* mOkBtn = nullptr;
  std::int32_t mAttachEv = 0;
  std::int32_t mCancelEv = 0;
  kit::Window* mParentWindow = nullptr;
  const void* mUIMObject = nullptr;
  bool mDisplayModal = false;
  std::shared_ptr<Quirel_PreferenceInfo> mPreferenceInfo;
  std::string mBundleStr;
};
