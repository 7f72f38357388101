#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "foundation/Value.h"
#include "kit/TextField.h"
#include "ui/adjust/FloatingDialog.h"
#include "ui/adjust/HistogramPointMath.h"
#include "ui/adjust/PointMarkerImageView.h"
#include "ui/controls/HistogramGraphViewLink.h"
#include "ui/model/SM_COMMON/ChannelValues.h"
#include "ui/model/CropValueGroups.h"
#include "ui/model/Units.h"

class Quirel_CTRLS_HistoChannelPopup;
class Quirel_CTRLS_HistogramGraph;
class Quirel_DlgBackgroundView;
class Quirel_DlgImageView;
class Quirel_FRPixelValueView;
class Quirel_GraphFrameView;
class Quirel_NoFocusButton;
class Quirel_NumberField;

// The floating histogram dialog: the black, mid and white points of the shown channel of the
// selected crops (or of the template crop when there are none), set by typing, by dragging
// the markers under the graph or with the four eyedroppers, with the gray-balance point.
// The arithmetic is Quirel_HistogramPointMath's; this class keeps the fields, markers and crops
// in step and follows the key-window protocol of the floating dialogs.
class Quirel_HistogramDialog : public Quirel_FloatingDialog, public kit::TextFieldDelegate {
 public:
  using Marker = Quirel_HistogramPointMath::Marker;
  static constexpr const char* kSpoitStartPost = "SpoitToolStartPost";
  static constexpr const char* kSpoitStopPost = "SpoitToolStopPost";

  Quirel_HistogramDialog(const CropList* crops, Quirel_CropInfo* templateCrop, bool hasPreview,
                         const Quirel_UIScannerInfo* scannerInfo, kit::Window* parentWindow);
  ~Quirel_HistogramDialog() override;

  // The graph's view (none until the graph views exist); before createHistoDialog.
  void setGraphView(std::unique_ptr<Quirel_HistogramGraphViewLink> view) { mPendingGraphView = std::move(view); }
  virtual void createHistoDialog(fnd::Size contentSize);
  virtual void setColorMode(int mode);
  virtual void updateHistDialog(Quirel_CropInfo* templateCrop, const CropList* crops, bool hasPreview);
  void updateHistTxtF(int black, int mid, int white);
  void setSelectChanel(int channel) { mSelectedChannel = channel; }
  int getSelectChanel() const { return mSelectedChannel; }
  void resetSelectChanel() { mSelectedChannel = 0; }
  void mainBtnOpenSet() { mMainBtnOpen = true; }
  virtual void willCloseDlg();
  void setEnabledToolTips() override;
  void setNeedsDisplayInGraph();

  // Eyedropper.
  virtual void onEnterBlackBtn() { armSpoit(0); }
  virtual void onEnterMidBtn() { armSpoit(1); }
  virtual void onEnterWhiteBtn() { armSpoit(2); }
  virtual void onEnterGrayBtn() { armSpoit(3); }
  void spoitBtnReflesh();
  int getSpoitButtonState() const;
  void spoitToolStop();
  virtual void pixelValueSet(const fnd::Dictionary* values);
  virtual void spoitValueSet(const fnd::Dictionary* values);

  // Markers: the pointer positions come from the application (screen points).
  virtual void mouseDownOnPoint(Marker marker);
  virtual void mouseDragOnPoint(Marker marker);
  virtual void mouseUpOnPoint(Marker marker);
  // Commits the changed value (black, mid, white: the first flagged); false when refused.
  bool checkTheValue();

  // Actions and handlers.
  virtual void popupBtnClick();
  virtual void popupBtnMouseDown();
  virtual void resetBtnClick();
  virtual void closeBtnClick();
  virtual void textShouldBeginEdit(Quirel_NumberField* field);
  virtual void buttonDownChk(Quirel_NoFocusButton* button);
  virtual void showAlertDialog();
  void dlgMouseDown() override;
  void controlTextDidChange(kit::TextField& field) override;
  void controlTextDidEndEditing(kit::TextField& field) override;
  void windowDidResignKey(kit::Window& window) override;
  void windowWillClose(kit::Window& window) override;

  // State, for the mode and for tests.
  Quirel_NumberField* field(Marker m) const { return mFields[static_cast<int>(m)]; }
  Quirel_PointMarkerImageView* marker(Marker m) const { return mMarkers[static_cast<int>(m)]; }
  Quirel_NoFocusButton* spoitButton(int i) const { return mSpoitBtns[static_cast<std::size_t>(i)]; }
  Quirel_NoFocusButton* resetButton() const { return mBtnReset; }
  Quirel_NoFocusButton* closeButton() const { return mBtnClose; }
  Quirel_CTRLS_HistoChannelPopup* channelPopup() const { return mChannelPopupBtn.get(); }
  Quirel_CTRLS_HistogramGraph* graph() const { return mGraphFrame.get(); }
  bool changedFlag(Marker m) const { return mTxtChg[static_cast<int>(m)]; }
  bool alertFlag(Marker m) const { return mTextAlert[static_cast<int>(m)]; }
  ChannelValues grayPoint() const { return mGrayPt; }
  int popupSelected() const { return mPopupSelected; }
  bool colorReadoutShown() const;
  bool grayReadoutShown() const;
  std::string readoutText() const;

 protected:
  void setMouseDownOnControl(bool on) override;
  void setControlsTakePresses(bool on) override;
  void setControlsEnabled(bool enabled) override;
  void refreshAfterBecomingKey() override;
  void makeKeyFromDialog() override;
  void makeKeyFromMainWindow() override;
  void valueFixes() override;

  int fieldValue(Marker m) const;
  void setFieldValue(Marker m, int value);
  Quirel_HistogramPointMath::Row row() const;
  // Places the marker from its field (limits included) and redraws the strip.
  void placeMarker(Marker m);
  void perMidCalc(int side);
  void synchroMidPointSet(int side);
  bool checkValue(Marker m);
  void applyValue(Marker m);
  std::optional<Marker> changedMarker() const;
  void setChanged(Marker m);
  void redrawSlider();
  void initDropDownList();
  void reset();
  void resetDropDownList();
  void setSliderSelectedCrop();
  void setBlkMidWhtSelectedCrop();
  bool checkUpdateBlkMidWhtSelectedCrop(int channel) const;
  const Quirel_CropInfo* focusedCrop() const;
  void focusField(Marker m);
  void armSpoit(int button);
  void spoitPoint(Marker m);
  void spoitGrayPoint();
  void fillColorMenu();
  void clearReadouts();

  // Working state.
  ChannelValues mBlkPt{0, 0, 0, 0}, mMidPt{128, 128, 128, 128}, mWhtPt{255, 255, 255, 255}, mGrayPt{128, 128, 128, 128};
  Quirel_NumberField* mFields[3] = {nullptr, nullptr, nullptr};
  Quirel_PointMarkerImageView* mMarkers[3] = {nullptr, nullptr, nullptr};
  Quirel_GraphFrameView* mFrame = nullptr;  // owned by the view tree
  kit::View* mSliderBackgroundView = nullptr;
  double mOriginX[3] = {Quirel_HistogramPointMath::kBlackOriginX, Quirel_HistogramPointMath::kMidOriginX,
                        Quirel_HistogramPointMath::kWhiteOriginX};
  double mStartX = 0, mStartY = 0;
  int mFirstBlk = 0, mFirstMid = 128, mFirstWht = 255;
  // None while black and white leave no room for a proportion.
  std::optional<float> mPerBlkToMid, mPerMidToWht;
  bool mOverMove[3] = {false, false, false};
  bool mTxtChg[3] = {false, false, false};
  bool mTextAlert[3] = {false, false, false};
  bool mPrvImgUpdate = true;

  // Dialog state.
  int mPopupSelected = 3;
  int mPopupChannel = 0;
  int mSelectedChannel = 0;
  bool mHasPreview = false;
  SRectDouble mcropCorRect{};
  int mWidth = 0, mHeight = 0;
  const std::uint8_t* mcropCorData = nullptr;  // not owned
  bool mUpdateImageFlg = false;
  bool mImageUpdateDone = false;
  bool mNotMoveSliderFlg = false;
  bool mMainBtnOpen = false;

  // Views (owned by the view tree unless held here).
  std::unique_ptr<Quirel_HistogramGraphViewLink> mPendingGraphView;
  Quirel_DlgBackgroundView* mSubContentView = nullptr;
  Quirel_DlgBackgroundView* mBackgroundView = nullptr;
  std::unique_ptr<Quirel_CTRLS_HistoChannelPopup> mChannelPopupBtn;
  std::unique_ptr<Quirel_CTRLS_HistogramGraph> mGraphFrame;
  std::vector<Quirel_DlgImageView*> mImageViews;
  Quirel_NoFocusButton* mSpoitBtns[4] = {nullptr, nullptr, nullptr, nullptr};
  Quirel_NoFocusButton* mBtnReset = nullptr;
  Quirel_NoFocusButton* mBtnClose = nullptr;
  Quirel_FRPixelValueView* mColorReadout = nullptr;
  Quirel_FRPixelValueView* mGrayReadout = nullptr;
};
