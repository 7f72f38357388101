#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/NotificationCenter.h"
#include "kit/Box.h"
#include "kit/Image.h"
#include "kit/TextField.h"
#include "kit/WindowDelegate.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusImageView.h"
#include "ui/controls/NoFocusRadioButton.h"
#include "ui/controls/NoFocusView.h"
#include "ui/windows/OrientationDlgWindow.h"

class Quirel_PVLocalizedString;
class Quirel_UIScannerInfo;

// The feeder's orientation question: which edge of the page goes in first (top or left) and,
// for two-sided scans, along which edge the pages are bound. The caller makes it with its
// settings, builds it, shows it over its window and runs the window modally; OK and Cancel post
// "OrientationDialogClosePost" with the dialog as object, and the caller ends its run and
// reads isOkClose, getDirection and getBinding. Three layouts by the model's generation.
// Main thread only.
class Quirel_OrientationDialog : public kit::WindowDelegate {
 public:
  static constexpr const char* kClosePost = "OrientationDialogClosePost";
  static constexpr const char* kPictureFolder = "quirel_r14";
  static constexpr int kLevel = 11;
  static constexpr double kWidth = 400;
  static constexpr double kHeight = 370;
  static constexpr double kBindingGroupHeight = 150;

  explicit Quirel_OrientationDialog(fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  Quirel_OrientationDialog(std::int32_t direction, std::int32_t binding, bool visibleBinding, bool enabledBinding,
                           fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_OrientationDialog() override;
  Quirel_OrientationDialog(const Quirel_OrientationDialog&) = delete;
  Quirel_OrientationDialog& operator=(const Quirel_OrientationDialog&) = delete;

  Quirel_OrientationDlgWindow* getWindow() const { return mWindow.get(); }
  void setScannerInfo(const Quirel_UIScannerInfo* info) { mScannerInfo = info; }
  void createOrientationDialog();
  void createOrientationDialog_V1400();
  void createOrientationDialog_V1500();
  void createOrientationDialog_V1600();
  void showOrientationDialog(kit::Window* parent);
  void closeOrientationDialog();

  bool isOkClose() const { return mOkClose != 0; }
  std::int32_t getDirection() const { return mDirection; }
  std::int32_t getBinding() const { return mBinding; }

  void setToolTips();
  void setDirectionImage(std::int32_t direction);
  void directionRadioClick(kit::Control* = nullptr);
  void bindingRadioClick(kit::Control* = nullptr);
  void okButtonClick(kit::Control* = nullptr);
  void cancelButtonClick(kit::Control* = nullptr);

  void windowDidBecomeKey(kit::Window& window) override;
  void windowDidUpdate(kit::Window& window) override;

  // Tests.
  Quirel_NoFocusRadioButton* directionMatrix() const { return mDirectionRadioBtn; }
  Quirel_NoFocusRadioButton* bindingMatrix() const { return mBindRadioBtn; }
  kit::View* directionView() const { return mDirectionView; }
  Quirel_NoFocusView* bindView() const { return mBindView; }
  kit::TextField* bindTitle() const { return mBindTitle; }
  Quirel_NoFocusImageView* directionImageView() const { return mDirectionImageView; }
  // The four binding pictures: choice 0 or 1 for direction top or left.
  Quirel_NoFocusImageView* bindingImageView(int choice, bool left) const;
  const std::string& bindingPictureName(int choice, bool left) const { return mBindPictureNames[choice][left ? 1 : 0]; }
  Quirel_NoFocusButton* okButton() const { return mOkBtn; }
  Quirel_NoFocusButton* cancelButton() const { return mCancelBtn; }
  int layout() const { return mLayout; }

 private:
  struct Layout {
    int generation;  // 1400, 1500, 1600
    double lowerHeight;
    bool bindingInRows;
  };
  void buildLayout(const Layout& layout);
  std::string text(const std::string& key, const char* table = "UserInterface") const;
  static kit::Image picture(const std::string& name);
  void initControls();
  void releaseControls();
  // The binding choice's cell: column in a 1 by 2 matrix, row in a 2 by 1 matrix.
  void selectBinding(std::int32_t choice);

  fnd::NotificationCenter& mCenter;
  std::unique_ptr<Quirel_OrientationDlgWindow> mWindow;
  // Views are owned by the window's content view.
  kit::View* mDirectionView = nullptr;
  kit::TextField* mDirectionTitle = nullptr;
  Quirel_NoFocusImageView* mDirectionImageView = nullptr;
  kit::Image mTopImage, mLeftImage;
  Quirel_NoFocusRadioButton* mDirectionRadioBtn = nullptr;
  Quirel_NoFocusImageView* mTopTitleImageView = nullptr;
  Quirel_NoFocusImageView* mLeftTitleImageView = nullptr;
  kit::Box* mSeparator = nullptr;
  Quirel_NoFocusView* mBindView = nullptr;
  kit::TextField* mBindTitle = nullptr;
  Quirel_NoFocusRadioButton* mBindRadioBtn = nullptr;
  Quirel_NoFocusImageView* mTopLongTitleImageView = nullptr;
  Quirel_NoFocusImageView* mLeftLongTitleImageView = nullptr;
  Quirel_NoFocusImageView* mTopShortTitleImageView = nullptr;
  Quirel_NoFocusImageView* mLeftShortTitleImageView = nullptr;
  kit::Box* mSeparator2 = nullptr;
  Quirel_NoFocusButton* mOkBtn = nullptr;
  Quirel_NoFocusButton* mCancelBtn = nullptr;
  std::string mBindPictureNames[2][2];
  bool mVisibleBinding = true;
  bool mEnabledBinding = true;
  std::int32_t mDirection = 0;
  std::int32_t mBinding = 0;
  std::uint8_t mOkClose = 0;
  int mLayout = 0;
  std::unique_ptr<Quirel_PVLocalizedString> mLSobj;
  const Quirel_UIScannerInfo* mScannerInfo = nullptr;
};
