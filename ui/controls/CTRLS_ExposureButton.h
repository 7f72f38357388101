#pragma once

#include <memory>

#include "ui/controls/NoFocusButton.h"
#include "ui/controls/NoFocusTextField.h"

// The exposure's apply and reset pair with its caption (one text for crop frames, one for
// film frames). On means the exposure is applied: reset is the button that acts. In
// single-button mode only the acting button shows.
class Quirel_CTRLS_ExposureButton {
 public:
  static constexpr const char* kApplyPost = "AdvExposureApplyPost";
  static constexpr const char* kResetPost = "AdvExposureResetPost";
  Quirel_CTRLS_ExposureButton();

  Quirel_NoFocusTextField* getTitleTxt() const { return mTitleTxt.get(); }
  void setTitleTxtRect(double x, double y, double width, double height) {
    mTitleTxt->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getTitleTxtRect() const { return mTitleTxt ? mTitleTxt->frame() : fnd::Rect(); }
  void setTitleTxtTitleForCrop(const std::string& title);
  void setTitleTxtTitleForFrame(const std::string& title);
  void changeCropTitle(bool crop);
  bool isCropTitle() const { return mIsCropTitle; }
  Quirel_NoFocusButton* getApplyBT() const { return mApplyBT.get(); }
  void setApplyBTRect(double x, double y, double width, double height) {
    mApplyBT->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getApplyBTRect() const { return mApplyBT ? mApplyBT->frame() : fnd::Rect(); }
  void setApplyBTTitle(const std::string& title) { mApplyBT->setTitle(title); }
  Quirel_NoFocusButton* getResetBT() const { return mResetBT.get(); }
  void setResetBTRect(double x, double y, double width, double height) {
    mResetBT->setFrame(fnd::Rect(x, y, width, height));
  }
  fnd::Rect getResetBTRect() const { return mResetBT ? mResetBT->frame() : fnd::Rect(); }
  void setResetBTTitle(const std::string& title) { mResetBT->setTitle(title); }

  void setOnState(bool on);
  // The state last set, whatever the buttons' enabling since.
  bool isOnState() const { return mOnState; }
  void setEnabled(bool enabled);
  void setHidden(bool hidden);
  void setTwoButtons(bool two) { mTwoButtons = two; }
  void ApplyBTAction();
  void ResetBTAction();

 private:
  bool mTwoButtons = true;
  bool mIsHidden = false;
  bool mIsCropTitle = false;
  // Kept apart from the buttons' enabling, which setEnabled also changes.
  bool mOnState = false;
  std::string FrameTitleStr;
  std::string CropTitleStr;
  std::unique_ptr<Quirel_NoFocusTextField> mTitleTxt;
  std::unique_ptr<Quirel_NoFocusButton> mApplyBT;
  std::unique_ptr<Quirel_NoFocusButton> mResetBT;
};
