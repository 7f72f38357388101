#pragma once

#include <array>
#include <memory>
#include <vector>

#include "kit/TextField.h"
#include "ui/adjust/FloatingDialog.h"
#include "ui/model/CropValueGroups.h"

class Quirel_CTRLS_ColorBalanceText;
class Quirel_CTRLS_TextFAndStepper;
class Quirel_DlgBackgroundView;
class Quirel_DlgImageView;
class Quirel_NoFocusButton;
namespace kit {
class Box;
}

// The floating colour-balance dialog: saturation and the cyan-red, magenta-green and
// yellow-blue balances (-127..127) of the selected crops, or of the template crop when there
// are none, each set by slider, stepper or typed number. A typed value is checked before any
// other control acts; a refused one brings message 1458 and the stored value back.
class Quirel_ColorBalanceDialog : public Quirel_FloatingDialog, public kit::TextFieldDelegate {
 public:
  // Groups in their fixed order.
  enum Group { kChroma = 0, kCyanRed = 1, kMagentaGreen = 2, kYellowBlue = 3 };

  Quirel_ColorBalanceDialog(const CropList* crops, Quirel_CropInfo* templateCrop,
                            const Quirel_UIScannerInfo* scannerInfo, kit::Window* parentWindow);
  ~Quirel_ColorBalanceDialog() override;

  virtual void createColorBalanceDialog(fnd::Size contentSize);
  virtual void updateColorBalanceDialog(const CropList* crops, Quirel_CropInfo* templateCrop);
  void updateValue(int chroma, int cyanRed, int magentaGreen, int yellowBlue);
  void showColorBalanceDialog() { showWindow(); }
  void closeColorBalanceDialog() { close(); }
  void mainBtnOpenSet() { mMainBtnOpen = true; }
  // Settles a pending typed value before the main window closes, without a message.
  virtual void willCloseDlg();
  void setEnabledToolTips() override;

  // Controls, for the mode's layout and for tests.
  Quirel_CTRLS_TextFAndStepper* group(int g) const { return mGroups[static_cast<std::size_t>(g)].get(); }
  Quirel_NoFocusButton* resetButton() const { return mResetBtn; }
  Quirel_NoFocusButton* closeButton() const { return mCloseBtn; }
  bool editFlag(int g) const { return mTxtChg[static_cast<std::size_t>(g)]; }
  bool alertFlag(int g) const { return mTextAlert[static_cast<std::size_t>(g)]; }

  // Actions and handlers.
  virtual void sliderChanged(int g);
  virtual void mouseUpOnSlider();
  virtual void stepperUp(int g);
  virtual void resetBtnClick();
  virtual void closeBtnClick();
  virtual void textShouldBeginEdit(int g);
  virtual void txtChg();
  virtual void sliderMoveChk();
  virtual void stepperDownChk();
  virtual void buttonDownChk(bool reset);
  void dlgMouseDown() override;

  // Text field delegate.
  void controlTextDidChange(kit::TextField& field) override;
  void controlTextDidEndEditing(kit::TextField& field) override;
  void windowDidResignKey(kit::Window& window) override;

 protected:
  void setMouseDownOnControl(bool on) override;
  void setControlsEnabled(bool enabled) override;
  void mainChangingControls() override;
  void refreshAfterBecomingKey() override;
  void makeKeyFromDialog() override;
  void makeKeyFromMainWindow() override;
  void valueFixes() override;

  // The first group with a pending edit, or -1.
  int pendingGroup() const;
  // Brought to the front as key: the pending group is checked and its value taken (or put back);
  // false when no group was pending.
  bool takePendingGroupAsKey();
  // Accepted or not; a refusal shows message 1458 and puts the stored value back.
  bool checkGroup(int g);
  // The component stored in the focused crop (0 when none has the focus) or the template.
  int storedComponent(int g) const;
  void setSelectedCrop(int g);
  bool checkUpdateSelectedCrop(int g) const;
  void resetValue();
  void setGroupValue(int g, int value);
  void focusGroup(int g);
  int groupOfField(const kit::TextField* field) const;

  std::array<std::unique_ptr<Quirel_CTRLS_TextFAndStepper>, 4> mGroups;
  std::array<bool, 4> mTxtChg{};
  std::array<bool, 4> mTextAlert{};
  bool mUpdateImageFlg = false;
  bool mImageUpdateDone = false;
  bool mNotMoveSliderFlg = false;
  bool mMainBtnOpen = false;

  Quirel_DlgBackgroundView* mContentView = nullptr;  // owned by the panel
  Quirel_DlgBackgroundView* mBackgroundView = nullptr;
  std::vector<std::unique_ptr<Quirel_CTRLS_ColorBalanceText>> mLabels;
  std::vector<Quirel_DlgImageView*> mImageViews;  // owned by the view tree
  Quirel_NoFocusButton* mResetBtn = nullptr;
  Quirel_NoFocusButton* mCloseBtn = nullptr;
};
