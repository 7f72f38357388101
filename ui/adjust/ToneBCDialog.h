#pragma once

#include <array>
#include <memory>
#include <vector>

#include "kit/TextField.h"
#include "ui/adjust/FloatingDialog.h"
#include "ui/controls/ToneBCGraphViewLink.h"
#include "ui/model/CropValueGroups.h"

class Quirel_CTRLS_ToneBCChannelPopup;
class Quirel_CTRLS_ToneBCGraph;
class Quirel_CTRLS_ToneBCInputTextF;
class Quirel_CTRLS_ToneBCText;
class Quirel_DlgBackgroundView;
class Quirel_DlgImageView;
class Quirel_GraphFrameView;
class Quirel_NoFocusButton;

// The floating brightness and contrast dialog: brightness and contrast (-127..127) of the
// popup's channel of the selected crops, or of the template crop when there are none, each set
// by slider, stepper or typed number, with the resulting curve in a graph that can be folded
// away. A typed value is checked before any other control acts; a refused one brings message
// 1458 and the shown crop's value back.
class Quirel_ToneBCDialog : public Quirel_FloatingDialog, public kit::TextFieldDelegate {
 public:
  enum Row { kBrightness = 0, kContrast = 1 };
  static constexpr double kGraphAreaHeight = 172;

  Quirel_ToneBCDialog(const CropList* crops, Quirel_CropInfo* templateCrop, const Quirel_UIScannerInfo* scannerInfo,
                      kit::Window* parentWindow, double userSpaceScaleFactor = 1.0);
  ~Quirel_ToneBCDialog() override;

  // The graph's view (tests hand in a recording one); before createToneBCDialog.
  void setGraphView(std::unique_ptr<Quirel_ToneBCGraphViewLink> view) { mPendingGraphView = std::move(view); }
  virtual void createToneBCDialog(fnd::Size contentSize);
  virtual void setColorMode(int mode);
  virtual void updateToneBCDialog(const CropList* crops, Quirel_CropInfo* templateCrop);
  void updateToneBCValue(int brightness, int contrast);
  void mainBtnOpenSet() { mMainBtnOpen = true; }
  virtual void willCloseDlg();
  void setEnabledToolTips() override;
  void setSelectChanel(int channel) { mToneBCChannel = channel; }
  int getSelectChanel() const { return mToneBCChannel; }
  void resetSelectChanel() { mToneBCChannel = 0; }
  // The graph spread (true) or folded.
  bool isOpened() const { return mChgBtnOnOffState; }
  void setOpend(bool open);
  void setContentState(int state) override;
  bool windowShouldZoom(kit::Window& window, const fnd::Rect& newFrame) override;

  // Controls, for the mode and for tests.
  Quirel_CTRLS_ToneBCInputTextF* row(int r) const { return mInputs[static_cast<std::size_t>(r)].get(); }
  Quirel_CTRLS_ToneBCChannelPopup* channelPopup() const { return mChannelPopupBtn.get(); }
  Quirel_NoFocusButton* changeButton() const { return mChangeBtn; }
  Quirel_NoFocusButton* resetButton() const { return mResetBtn; }
  Quirel_NoFocusButton* closeButton() const { return mCloseBtn; }
  kit::View* graphArea() const;
  Quirel_CTRLS_ToneBCGraph* graph() const { return mGraphFrame.get(); }
  bool editFlag(int r) const { return mTextChg[static_cast<std::size_t>(r)]; }

  // Actions and handlers.
  virtual void changeBtnClick();
  virtual void popupBtnClick();
  virtual void popupBtnMouseDown();
  virtual void sliderMove(int r);
  virtual void stepperClick(int r);
  virtual void stepperUp(int r);
  virtual void mouseUpOnSlider();
  virtual void resetBtnClick();
  virtual void closeBtnClick();
  virtual void textShouldBeginEdit(int r);
  virtual void showAlertDialog();
  virtual void sliderMoveChk();
  virtual void stepperDownChk();
  virtual void buttonDownChk(Quirel_NoFocusButton* button);
  void dlgMouseDown() override;
  // Validates and applies the pending row's text; false when refused.
  bool checkBrightness() { return checkRow(kBrightness); }
  bool checkContrast() { return checkRow(kContrast); }
  void updateGraphByTextFieldValue();

  // Text field delegate.
  void controlTextDidChange(kit::TextField& field) override;
  void controlTextDidEndEditing(kit::TextField& field) override;
  void windowDidResignKey(kit::Window& window) override;

 protected:
  void setMouseDownOnControl(bool on) override;
  void setControlsEnabled(bool enabled) override;
  void refreshAfterBecomingKey() override;
  void makeKeyFromDialog() override { takeBack(false); }
  void makeKeyFromMainWindow() override { takeBack(true); }
  void valueFixes() override;

  bool checkRow(int r);
  void takeBack(bool fromMain);
  int pendingRow() const;
  int rowOfField(const kit::TextField* field) const;
  // The crop whose values the dialog shows: the focused one (the last in the list), else the
  // last selected one, else the template crop when there are no crops; null when none fits.
  Quirel_CropInfo* shownCrop() const;
  // The shown crop's value of the popup channel for the row; the value last shown without one.
  int storedValue(int r) const;
  bool checkUpdateSelectedCrop(int r) const;
  void setSelectedCrop(int r);
  void resetDropDownList();
  void setRowValue(int r, int value);
  void focusRow(int r);
  void fixPosts(bool controlSetYes);
  void placeColumn();
  // The observers both layouts register; the take-back requests come from these dialogs.
  void registerToneBCObservers(const std::vector<Code>& takeBackFrom);
  void fillChannelMenu();
  // Both layouts' graph area, `width` wide above the lower column: the graph in its frame between
  // the two gradation bars (pictures `verticalBar` and `horizontalBar`).
  void buildGraphArea(double width, const char* verticalBar, const char* horizontalBar);
  // A brightness or contrast row's title, field, stepper and slider, added to the background
  // view (the slider last, after the caller's pictures).
  std::unique_ptr<Quirel_CTRLS_ToneBCInputTextF> makeInputRow(const char* titleKey, double titleY, double fieldY,
                                                              double stepperY, double sliderY, const kit::Font& font);

  std::unique_ptr<Quirel_ToneBCGraphViewLink> mPendingGraphView;
  std::unique_ptr<Quirel_CTRLS_ToneBCGraph> mGraphFrame;
  std::unique_ptr<Quirel_CTRLS_ToneBCChannelPopup> mChannelPopupBtn;
  std::array<std::unique_ptr<Quirel_CTRLS_ToneBCInputTextF>, 2> mInputs;
  std::vector<std::unique_ptr<Quirel_CTRLS_ToneBCText>> mLabels;
  std::vector<Quirel_DlgImageView*> mImageViews;     // owned by the view tree
  std::vector<Quirel_DlgImageView*> mGradationViews;  // the graph's two bars, hidden when folded
  Quirel_DlgBackgroundView* mSubContentView = nullptr;
  Quirel_DlgBackgroundView* mBackgroundView = nullptr;
  Quirel_DlgBackgroundView* mGraphAreaView = nullptr;
  Quirel_GraphFrameView* mFrame = nullptr;
  Quirel_NoFocusButton* mChangeBtn = nullptr;
  Quirel_NoFocusButton* mResetBtn = nullptr;
  Quirel_NoFocusButton* mCloseBtn = nullptr;

  double mUserSpaceScaleFactor = 1.0;
  double mLowerHeight = 195;  // the column under the graph area
  int popupSelected = 3;
  int mToneBCChannel = 0;
  std::array<bool, 2> mTextChg{};
  std::array<bool, 2> mTextAlert{};
  std::array<int, 2> mShownValue{};
  ToneBCValues mGraphValues{};
  bool mUpdateImageFlg = false;
  bool mImageUpdateDone = false;
  bool mNotMoveSliderFlg = false;
  bool mMainBtnOpen = false;
  bool mChgBtnOnOffState = true;
};
