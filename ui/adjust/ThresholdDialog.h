#pragma once

#include <memory>
#include <vector>

#include "kit/TextField.h"
#include "ui/adjust/FloatingDialog.h"
#include "ui/controls/ThresholdGraphViewLink.h"
#include "ui/model/Units.h"

class Quirel_CTRLS_ThresholdGraph;
class Quirel_CTRLS_ThresholdInputTextF;
class Quirel_CTRLS_ThresholdText;
class Quirel_DlgBackgroundView;
class Quirel_DlgImageView;
class Quirel_NoFocusButton;

// The floating threshold dialog: the level (0..255) at which a black-and-white scan's grey
// values turn black or white, for the selected crops (or the template crop when there are
// none), set by slider, stepper or typed number over the grey histogram of the crop being
// edited. A typed value is checked before any other control acts; a refused one brings message
// 1458 and the shown value back.
class Quirel_ThresholdDialog : public Quirel_FloatingDialog, public kit::TextFieldDelegate {
 public:
  Quirel_ThresholdDialog(const CropList* crops, Quirel_CropInfo* templateCrop, const Quirel_UIScannerInfo* scannerInfo,
                         kit::Window* parentWindow);
  ~Quirel_ThresholdDialog() override;

  // The graph's view (tests may hand in their own); before createThresholdDialog.
  void setGraphView(std::unique_ptr<Quirel_ThresholdGraphViewLink> view) { mPendingGraphView = std::move(view); }
  virtual void createThresholdDialog(fnd::Size contentSize);
  virtual void updateThresholdDialog(const CropList* crops, bool hasPreview, Quirel_CropInfo* templateCrop);
  // Field, then the slider when it differs, then the stepper.
  void updateThresholdValue(int value);
  virtual void willCloseDlg();
  void setEnabledToolTips() override;
  void setToolTipsThreshold();
  // Validates and applies the number field; false when refused.
  virtual bool checkTheValue();
  void setThresholdSelectedCrop();
  bool checkUpdateThresholdSelectedCrop(int value) const;

  // Controls, for the mode and for tests.
  Quirel_CTRLS_ThresholdInputTextF* input() const { return mThresholdInput.get(); }
  Quirel_CTRLS_ThresholdGraph* graph() const { return mGraphFrame.get(); }
  Quirel_NoFocusButton* resetButton() const { return mBtnReset; }
  Quirel_NoFocusButton* closeButton() const { return mBtnClose; }
  bool editFlag() const { return mTextChg; }

  // Actions and handlers.
  virtual void sliderMove();
  virtual void mouseUpOnSlider();
  virtual void stepperClick();
  virtual void stepperUp();
  virtual void resetBtnClick();
  virtual void closeBtnClick();
  virtual void textShouldBeginEdit();
  virtual void txtChg();
  virtual void sliderMoveChk();
  virtual void stepperDownChk();
  virtual void buttonDownChk(bool reset);
  void dlgMouseDown() override;

  // Text field and panel delegate.
  void controlTextDidChange(kit::TextField& field) override;
  void controlTextDidEndEditing(kit::TextField& field) override;
  void windowDidResignKey(kit::Window& window) override;
  bool windowShouldClose(kit::Window& window) override;

 protected:
  void setMouseDownOnControl(bool on) override;
  void setControlsEnabled(bool enabled) override;
  void makeKeyFromDialog() override { takeBack(false); }
  void makeKeyFromMainWindow() override { takeBack(true); }
  void valueFixes() override;

  // The observers both layouts register (the older routes the same names to the same handlers).
  void registerThresholdObservers();
  void takeBack(bool fromMain);
  void fixPosts();
  void focusField();
  // The restore value: the focused crop's (first in list order), else the last selected
  // crop's that the dialog shows, else the template crop's without crops; never a 0 nobody set.
  int storedThreshold() const;
  void setAll(int value);
  void takeHistogramFrom(const Quirel_CropInfo* crop);

  std::unique_ptr<Quirel_ThresholdGraphViewLink> mPendingGraphView;
  std::unique_ptr<Quirel_CTRLS_ThresholdGraph> mGraphFrame;
  std::unique_ptr<Quirel_CTRLS_ThresholdInputTextF> mThresholdInput;
  std::unique_ptr<Quirel_CTRLS_ThresholdText> mLight;
  std::unique_ptr<Quirel_CTRLS_ThresholdText> mDark;
  Quirel_DlgBackgroundView* mSubContentView = nullptr;
  Quirel_DlgBackgroundView* mBackgroundView = nullptr;
  std::vector<Quirel_DlgImageView*> mImageViews;  // gradation bar, black-and-white bar, icons
  Quirel_NoFocusButton* mBtnReset = nullptr;
  Quirel_NoFocusButton* mBtnClose = nullptr;

  bool mTextChg = false;
  bool mTextAlert = false;
  bool mImageUpdateDone = false;
  bool mUpdateImageFlg = false;
  bool mNotMoveSliderFlg = false;
  bool mHasPreview = false;
  int mWidth = 0;
  int mHeight = 0;
  SRectDouble mcropCorRect{};
  const std::uint8_t* mcropCorData = nullptr;  // not owned
  int mShownValue = 0;
};
