#pragma once

#include <memory>

#include "foundation/NotificationCenter.h"

class Quirel_CTRLS_Separator;
class Quirel_CTRLS_TOOLAllCropPushButton;
class Quirel_CTRLS_TOOLAllFramePushButton;
class Quirel_CTRLS_TOOLButton;
class Quirel_CTRLS_TOOLMultiCropButton;
class Quirel_CTRLS_TOOLThumbnailButton;
class Quirel_CTRLS_TOOLView;
class Quirel_InfoDialog;
class Quirel_PVLocalizedString;
class Quirel_UIScannerInfo;
namespace kit {
class View;
}

// The tool strip above the preview: the basic and the advanced button sets, which set shows,
// each button's enabling and tool tip, and the scan-information panel the modes fill. It posts
// nothing itself; every button posts the name its mode gave it. Any button may be absent.
// Main thread only.
class Quirel_Toolbar {
 public:
  using ToolButton = std::shared_ptr<Quirel_CTRLS_TOOLButton>;
  using ThumbButton = std::shared_ptr<Quirel_CTRLS_TOOLThumbnailButton>;
  using Separator = std::shared_ptr<Quirel_CTRLS_Separator>;

  explicit Quirel_Toolbar(std::shared_ptr<Quirel_UIScannerInfo> scannerInfo,
                          fnd::NotificationCenter& center = fnd::NotificationCenter::defaultCenter());
  ~Quirel_Toolbar();
  Quirel_Toolbar(const Quirel_Toolbar&) = delete;
  Quirel_Toolbar& operator=(const Quirel_Toolbar&) = delete;

  void setToolbarView(std::shared_ptr<Quirel_CTRLS_TOOLView> view) { mToolbarView = std::move(view); }
  Quirel_CTRLS_TOOLView* getToolbarView() const { return mToolbarView.get(); }

  // Mode 0 stores into the basic set, 1 into the advanced set; other modes are ignored.
  void setPlatenThumbnailButton(ThumbButton b, int uiMode);
  void setFilmThumbnailButton(ThumbButton b, int uiMode);
  void setAutoCropButton(ToolButton b, int uiMode);
  void setDeleteCropButton(ToolButton b, int uiMode);
  void setMirrorButton(ToolButton b, int uiMode);
  void setLeftRotateButton(ToolButton b, int uiMode);
  void setRightRotateButton(ToolButton b, int uiMode);
  void setAllCheckButton(ToolButton b, int uiMode);
  void setAllCheckResetButton(ToolButton b, int uiMode);
  void setScanInfoButton(ToolButton b, int uiMode);
  void setHelpButton(ToolButton b, int uiMode);
  void setSelectAllCropButton(ToolButton b, int uiMode);
  void setSelectAllFrameButton(ToolButton b, int uiMode);
  // The advanced set only.
  void setShowAllCropButton(ToolButton b) { mShowAllCropTBtn = std::move(b); }
  void setClearPrevButton(ToolButton b) { mClearPrevTBtn = std::move(b); }
  void setCropButton(ToolButton b) { mCropTBtn = std::move(b); }
  void setHandButton(ToolButton b) { mHandTBtn = std::move(b); }
  void setZoomButton(ToolButton b) { mZoomTBtn = std::move(b); }
  void setSelectAllCropPushButton(std::shared_ptr<Quirel_CTRLS_TOOLAllCropPushButton> b) { mSelectAllCropPBtn = std::move(b); }
  void setSelectAllFramePushButton(std::shared_ptr<Quirel_CTRLS_TOOLAllFramePushButton> b) { mSelectAllFramePBtn = std::move(b); }
  void setMultiCropButton(std::shared_ptr<Quirel_CTRLS_TOOLMultiCropButton> b) { mMultiCropPBtn = std::move(b); }
  void setHorizontalSeparator1(Separator s) { mHorizontalSep1 = std::move(s); }
  void setHorizontalSeparator2(Separator s) { mHorizontalSep2 = std::move(s); }
  void setHorizontalSeparator3(Separator s) { mHorizontalSep3 = std::move(s); }
  void setHorizontalSeparator4(Separator s) { mHorizontalSep4 = std::move(s); }
  void setHorizontalSeparator5(Separator s) { mHorizontalSep5 = std::move(s); }
  void setVerticalSeparator1(Separator s) { mVerticalSep1 = std::move(s); }

  // Created on the first call and kept.
  std::shared_ptr<Quirel_InfoDialog> getScanInfoDialog();

  void setThumbnailMode(bool on, int filmMode);
  void setCropMode(bool on);
  void setHandMode(bool on);
  void setZoomMode(bool on);
  void setMultiCropMode(bool on);
  void setEnabledThumbnailButton(bool enabled, int uiMode, int filmMode);
  void setUIMode(int mode);
  int getUIMode() const { return mUIMode; }
  void setEnabledToolbar_scanMode(int scanMode, bool hasPreview, bool zoomTool, int cropCount, bool multiCropMode,
                                  bool zoomScanMode, int colorMode);
  void setAllEnabledControl(bool enabled, int uiMode);
  void setEnabledMouseDownOnControl(bool on);
  void setEnabledStandardToolTips();
  void setEnabledExtendToolTips();

  // The four enabling tables.
  void setEnabledForStandard_scanMode(int scanMode, bool hasPreview, int cropCount);
  void setEnabledForStandard_V15_scanMode(int scanMode, bool hasPreview, int cropCount, bool zoomScanMode);
  void setEnabledForAdvanced_scanMode(int scanMode, bool hasPreview, bool zoomTool, int cropCount, bool multiCropMode,
                                      bool zoomScanMode, int colorMode);
  void setEnabledForAdvanced_V15_scanMode(int scanMode, bool hasPreview, bool zoomTool, int cropCount,
                                          bool zoomScanMode);

  // ---- Layout: only the buttons that fit the scan mode, placed left to right.
  void setHiddenToolbar(int scanMode, int cropCount);
  void setHiddenForStandard_V14(int scanMode, int cropCount);
  void setHiddenForStandard_V15(int scanMode);
  void setHiddenForAdvanced_V14(int scanMode, int cropCount);
  void setHiddenForAdvanced_V15(int scanMode);
  void setHiddenForMultiScan();
  // Keeps the view's origin and height; the long separator follows.
  void setToolViewWidth(double width);

 private:
  // The tool tip rule for one control: enabled without a tip gets the key's text, disabled loses it.
  void applyToolTip(kit::View* control, bool enabled, const char* key) const;

  void hideBasicSet();
  void hideAdvancedTools();
  void hideAdvancedPushButtons();
  void hideSeparators();
  // The view's height set to `height`, its top edge kept.
  void keepTopWithHeight(double height);

  fnd::NotificationCenter& mCenter;
  std::shared_ptr<Quirel_CTRLS_TOOLView> mToolbarView;
  ThumbButton mPlatenThumbnailTBtnS, mFilmThumbnailTBtnS;
  ToolButton mAutoCropTBtnS, mDeleteCropTBtnS, mSelectAllCropTBtnS, mMirrorTBtnS, mLeftTBtnS, mRightTBtnS,
      mCheckOnAllFrameTBtnS, mCheckOffAllFrameTBtnS, mSelectAllFrameTBtnS, mInfoTBtnS, mHelpTBtnS;
  ThumbButton mPlatenThumbnailTBtn, mFilmThumbnailTBtn;
  ToolButton mShowAllCropTBtn, mClearPrevTBtn, mCropTBtn, mHandTBtn, mZoomTBtn, mMirrorTBtn, mLeftTBtn, mRightTBtn,
      mCheckOnAllFrameTBtn, mCheckOffAllFrameTBtn, mInfoTBtn, mHelpTBtn, mAutoCropTBtn, mDeleteCropTBtn,
      mSelectAllCropTBtn, mSelectAllFrameTBtn;
  std::shared_ptr<Quirel_CTRLS_TOOLAllCropPushButton> mSelectAllCropPBtn;
  std::shared_ptr<Quirel_CTRLS_TOOLAllFramePushButton> mSelectAllFramePBtn;
  std::shared_ptr<Quirel_CTRLS_TOOLMultiCropButton> mMultiCropPBtn;
  Separator mHorizontalSep1, mHorizontalSep2, mHorizontalSep3, mHorizontalSep4, mHorizontalSep5, mVerticalSep1;
  std::shared_ptr<Quirel_InfoDialog> mInfoDialog;
  int mUIMode = 0;
  std::unique_ptr<Quirel_PVLocalizedString> mLSobj;
  std::shared_ptr<Quirel_UIScannerInfo> mScannerInfo;
};
