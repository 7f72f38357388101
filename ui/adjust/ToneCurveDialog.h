#pragma once

#include <memory>
#include <vector>

#include "ui/adjust/FloatingDialog.h"
#include "ui/model/CropValueGroups.h"

class Quirel_CTRLS_ToneCurveGraph;
class Quirel_CTRLS_ToneCurvePopup;
class Quirel_DlgBackgroundView;
class Quirel_DlgImageView;
class Quirel_GraphFrameView;
class Quirel_NoFocusButton;
class Quirel_ToneCurveGraphView;
class Quirel_WindowTitleView;

// The floating tone-curve dialog: per channel a preset curve or the user's own points edited
// on the graph, written into the selected crops (the template crop when there are none). It
// has no typed values: it only follows the other dialogs' and the main window's edit states.
class Quirel_ToneCurveDialog : public Quirel_FloatingDialog {
 public:
  static constexpr const char* kCustomCurveSetPost = "CustumCurveSet";
  static constexpr const char* kSetCustomPointPost = "SET_CUSTOM_POINT";
  static constexpr const char* kDraggedPost = "DLG_MOUSE_DRAGGED";
  static constexpr int kCustom = 5;

  Quirel_ToneCurveDialog(const CropList* crops, Quirel_CropInfo* templateCrop, const Quirel_UIScannerInfo* scannerInfo,
                         kit::Window* parentWindow);
  ~Quirel_ToneCurveDialog() override;

  virtual void createToneCurveDialog(fnd::Size contentSize);
  virtual void setColorMode(int mode);
  virtual void resetBtnClick();
  virtual void resetDropDownList();
  virtual void closeBtnClick() { close(); }
  virtual void popup1Click();
  virtual void popup2Click();
  virtual void graphMouseDown();
  virtual void graphMouseDragged();
  virtual void setCustomCurveNotification();
  virtual void mouseMovedOnDlg();
  virtual void updateCropByToneCurve(ChannelValues selection, Quirel_CropInfo* crop);
  virtual void updateCropByChannel(int channel, Quirel_CropInfo* crop);
  virtual void setToneCurveSelectedCrop();
  virtual void updateToneCurveDialog(const CropList* crops, Quirel_CropInfo* templateCrop);
  virtual void updateToneCurveSelsect(int preset);
  virtual bool checkUpdateToneCurveSelectedCrop();
  virtual void postDialogValueChangePostNotification_IsUpdateCropValue(bool updated);
  virtual void postRemakeCropFromCorrection();
  void setEnabledToolTips() override;
  void setSelectChanel(int channel) { mToneCurveChannel = channel; }
  int getSelectChanel() const { return mToneCurveChannel; }
  void resetSelectChanel() { mToneCurveChannel = 0; }

  // The default record: every channel preset 0 with the points (0, 0), (255, 255).
  static ToneCurveValues defaultToneCurve();

  // Parts, for the mode and for tests.
  Quirel_CTRLS_ToneCurvePopup* channelPopup() const { return mChannelPopupBtn.get(); }
  Quirel_CTRLS_ToneCurvePopup* presetPopup() const { return mToneCrvPopupBtn.get(); }
  Quirel_CTRLS_ToneCurveGraph* graph() const { return mGraphFrame.get(); }
  Quirel_ToneCurveGraphView* graphView() const { return mGraphView; }
  Quirel_GraphFrameView* frameView() const { return mFrame; }
  Quirel_NoFocusButton* resetButton() const { return mBtnReset; }
  Quirel_NoFocusButton* closeButton() const { return mBtnClose; }
  Quirel_WindowTitleView* windowTitleView() const { return mWindowTitleView.get(); }
  int popupSelected() const { return popupSelected_; }
  int toneCurveSelect() const { return mToneCurveSelect; }

 protected:
  void setMouseDownOnControl(bool on) override;
  void setControlsEnabled(bool enabled) override;
  void refreshAfterBecomingKey() override;
  // The crops written, last selected first; the template crop when the list is empty.
  // Copies the graph's counts, points and marker corners of all four channels into the record.
  void copyGraphPoints(ToneCurveValues& record) const;
  void redrawGraph();

  int popupSelected_ = 3;
  int mToneCurveChannel = 0;
  int mToneCurveSelect = 0;
  bool mImageUpdateDone = false;
  bool StartUp = true;

  std::unique_ptr<Quirel_WindowTitleView> mWindowTitleView;
  std::unique_ptr<Quirel_CTRLS_ToneCurvePopup> mChannelPopupBtn;
  std::unique_ptr<Quirel_CTRLS_ToneCurvePopup> mToneCrvPopupBtn;
  std::unique_ptr<Quirel_CTRLS_ToneCurveGraph> mGraphFrame;
  Quirel_ToneCurveGraphView* mGraphView = nullptr;      // owned by mGraphFrame
  Quirel_DlgBackgroundView* mSubContentView = nullptr;  // owned by the view tree
  Quirel_DlgBackgroundView* mBackgroundView = nullptr;
  Quirel_GraphFrameView* mFrame = nullptr;
  Quirel_DlgImageView* mVerticalImageView = nullptr;
  Quirel_DlgImageView* mHorizonImageView = nullptr;
  Quirel_NoFocusButton* mBtnReset = nullptr;
  Quirel_NoFocusButton* mBtnClose = nullptr;
};
