#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/NotificationCenter.h"
#include "kit/Box.h"
#include "kit/ClipView.h"
#include "kit/ScrollView.h"
#include "kit/TextField.h"
#include "kit/WindowDelegate.h"
#include "ui/base/progressCancelStatus.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/windows/ScanResultImage.h"
#include "ui/windows/ScanResultWindow.h"

// The window that lists the pictures of a multi-page scan as they arrive, numbered, in a strip
// that scrolls to the newest. Its Close button ends the list: before the data source waits on
// the window it asks outward at once ("clickCloseButtonPost"); while the data source waits it
// answers through the cancel status the data source hands over.
//
// The scan module's pictures reach it as temporary files that the data source asks it to
// delete once shown. It deletes only files inside the temporary folders it was given, so a
// wrong path can never cost the user a file. Main thread only.
class Quirel_ScanResultDialog : public kit::WindowDelegate {
 public:
  static constexpr const char* kMousedownPost = "scanResultMousedownEventPost2";
  static constexpr const char* kShowStatusPost = "setResultShowStatusPost";
  static constexpr const char* kCloseStatusPost = "setResultCloseStatusPost";
  static constexpr const char* kClickClosePost = "clickCloseButtonPost";
  static constexpr int kLevel = 11;
  static constexpr double kItemPitch = Quirel_ScanResultImage::kPitch;

  explicit Quirel_ScanResultDialog(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_ScanResultDialog() override;
  Quirel_ScanResultDialog(const Quirel_ScanResultDialog&) = delete;
  Quirel_ScanResultDialog& operator=(const Quirel_ScanResultDialog&) = delete;

  // The window controller: the sender of the outward request (the dialog itself without one).
  void setUIMObject(const void* object) { mUIMObject = object; }
  // Folders whose files the dialog may delete after showing them.
  void setTemporaryFolders(std::vector<std::string> folders) { mTemporaryFolders = std::move(folders); }
  void createDialog();
  void showDialog(kit::Window* parent);
  // Shows the picture at `path` when a file is there; with erase 1 deletes the file afterwards,
  // when it lies inside a temporary folder.
  void addImage(const std::string& path, std::int32_t erase);
  void closeDialog();
  Quirel_ScanResultWindow* getWindow() const { return mWindow.get(); }
  void clickCloseBtn();
  void setEnableCloseButton(bool enabled);
  void addImageObject(const kit::Image& image);
  void scanResultMousedownEvent2(const std::shared_ptr<Quirel_progressCancelStatus>& status);

  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;
  void appBecomeActiveFromMain();
  void appResignActiveFromMain();

  // Whether `path` lies inside one of `folders` (links resolved, no "..").
  static bool isInsideFolders(const std::string& path, const std::vector<std::string>& folders);

  // Tests.
  kit::Button* closeButton() const { return mCloseBtn; }
  kit::TextField* textField() const { return mTextField; }
  kit::ScrollView* scrollView() const { return mScrollView; }
  kit::View* documentView() const { return mDocumentView; }
  const std::vector<Quirel_ScanResultImage*>& items() const { return mImageViewList; }

 private:
  std::string uiText(const char* key) const;
  void clickCloseBtnAction(kit::Control* sender);
  void levelForActivity(kit::Window& window);

  fnd::NotificationCenter& mCenter;
  std::unique_ptr<Quirel_ScanResultWindow> mWindow;
  kit::TextField* mTextField = nullptr;  // views are owned by the window's views
  kit::ScrollView* mScrollView = nullptr;
  kit::ClipView* mClipView = nullptr;
  kit::View* mDocumentView = nullptr;
  kit::Box* mSeparator = nullptr;
  Quirel_NoFocusButton* mCloseBtn = nullptr;
  std::vector<Quirel_ScanResultImage*> mImageViewList;
  std::int32_t mAttachEv = 0;
  std::int32_t mCancelEv = 0;
  kit::Window* mParentWindow = nullptr;
  const void* mUIMObject = nullptr;
  std::string mBundleStr;
  std::vector<std::string> mTemporaryFolders;
};
