#include "ui/modes/toolbar/Toolbar.h"

#include "ui/base/PVLocalizedBundle.h"
#include "ui/base/PVLocalizedString.h"
#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/CTRLS_TOOLAllCropPushButton.h"
#include "ui/controls/CTRLS_TOOLAllFramePushButton.h"
#include "ui/controls/CTRLS_TOOLButton.h"
#include "ui/controls/CTRLS_TOOLMultiCropButton.h"
#include "ui/controls/CTRLS_TOOLThumbnailButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/NoFocusButton.h"
#include "ui/controls/ToolButton.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/settings/InfoDialog.h"

namespace {

template <class Button>
void tbSetEnabled(const std::shared_ptr<Button>& b, bool enabled) {
  if (b) b->setEnabled(enabled);
}

template <class Button>
void tbSetHidden(const std::shared_ptr<Button>& b, bool hidden) {
  if (b) b->setHidden(hidden);
}

template <class Slot, class Button>
void tbStorePaired(Slot& basic, Slot& advanced, Button b, int uiMode) {
  if (uiMode == 0) basic = std::move(b);
  if (uiMode == 1) advanced = std::move(b);
}

}  // namespace

Quirel_Toolbar::Quirel_Toolbar(std::shared_ptr<Quirel_UIScannerInfo> scannerInfo, fnd::NotificationCenter& center)
    : mCenter(center), mScannerInfo(std::move(scannerInfo)) {
  mLSobj = std::make_unique<Quirel_PVLocalizedString>(Quirel_PVLocalizedBundle::askDataSource(mCenter));
}

Quirel_Toolbar::~Quirel_Toolbar() {
  mCenter.removeObserver(static_cast<const void*>(this));
  if (mInfoDialog) mInfoDialog->closeScanInfoDialog();
}

void Quirel_Toolbar::setPlatenThumbnailButton(ThumbButton b, int m) { tbStorePaired(mPlatenThumbnailTBtnS, mPlatenThumbnailTBtn, std::move(b), m); }
void Quirel_Toolbar::setFilmThumbnailButton(ThumbButton b, int m) { tbStorePaired(mFilmThumbnailTBtnS, mFilmThumbnailTBtn, std::move(b), m); }
void Quirel_Toolbar::setAutoCropButton(ToolButton b, int m) { tbStorePaired(mAutoCropTBtnS, mAutoCropTBtn, std::move(b), m); }
void Quirel_Toolbar::setDeleteCropButton(ToolButton b, int m) { tbStorePaired(mDeleteCropTBtnS, mDeleteCropTBtn, std::move(b), m); }
void Quirel_Toolbar::setMirrorButton(ToolButton b, int m) { tbStorePaired(mMirrorTBtnS, mMirrorTBtn, std::move(b), m); }
void Quirel_Toolbar::setLeftRotateButton(ToolButton b, int m) { tbStorePaired(mLeftTBtnS, mLeftTBtn, std::move(b), m); }
void Quirel_Toolbar::setRightRotateButton(ToolButton b, int m) { tbStorePaired(mRightTBtnS, mRightTBtn, std::move(b), m); }
void Quirel_Toolbar::setAllCheckButton(ToolButton b, int m) { tbStorePaired(mCheckOnAllFrameTBtnS, mCheckOnAllFrameTBtn, std::move(b), m); }
void Quirel_Toolbar::setAllCheckResetButton(ToolButton b, int m) { tbStorePaired(mCheckOffAllFrameTBtnS, mCheckOffAllFrameTBtn, std::move(b), m); }
void Quirel_Toolbar::setScanInfoButton(ToolButton b, int m) { tbStorePaired(mInfoTBtnS, mInfoTBtn, std::move(b), m); }
void Quirel_Toolbar::setHelpButton(ToolButton b, int m) { tbStorePaired(mHelpTBtnS, mHelpTBtn, std::move(b), m); }
void Quirel_Toolbar::setSelectAllCropButton(ToolButton b, int m) { tbStorePaired(mSelectAllCropTBtnS, mSelectAllCropTBtn, std::move(b), m); }
void Quirel_Toolbar::setSelectAllFrameButton(ToolButton b, int m) { tbStorePaired(mSelectAllFrameTBtnS, mSelectAllFrameTBtn, std::move(b), m); }

std::shared_ptr<Quirel_InfoDialog> Quirel_Toolbar::getScanInfoDialog() {
  if (!mInfoDialog) {
    mInfoDialog = std::make_shared<Quirel_InfoDialog>(mScannerInfo.get());
    mInfoDialog->createScanInfoDialog();
  }
  return mInfoDialog;
}

void Quirel_Toolbar::setThumbnailMode(bool on, int filmMode) {
  const ThumbButton& basic = filmMode == 1 ? mFilmThumbnailTBtnS : mPlatenThumbnailTBtnS;
  const ThumbButton& advanced = filmMode == 1 ? mFilmThumbnailTBtn : mPlatenThumbnailTBtn;
  if (basic) basic->setThumbnailMode(on);
  if (advanced) advanced->setThumbnailMode(on);
}

void Quirel_Toolbar::setCropMode(bool on) { if (mCropTBtn) mCropTBtn->setOnState(on); }
void Quirel_Toolbar::setHandMode(bool on) { if (mHandTBtn) mHandTBtn->setOnState(on); }
void Quirel_Toolbar::setZoomMode(bool on) { if (mZoomTBtn) mZoomTBtn->setOnState(on); }
void Quirel_Toolbar::setMultiCropMode(bool on) { if (mMultiCropPBtn) mMultiCropPBtn->setState(on); }

void Quirel_Toolbar::setEnabledThumbnailButton(bool enabled, int uiMode, int filmMode) {
  const ThumbButton& b = uiMode != 0 ? (filmMode == 1 ? mFilmThumbnailTBtn : mPlatenThumbnailTBtn)
                                     : (filmMode == 1 ? mFilmThumbnailTBtnS : mPlatenThumbnailTBtnS);
  tbSetEnabled(b, enabled);
}

void Quirel_Toolbar::setUIMode(int mode) {
  mUIMode = mode;
  if (mode == 2) {
    tbSetHidden(mToolbarView, true);
    return;
  }
  if (mode != 0 && mode != 1) return;
  tbSetHidden(mToolbarView, false);
  if (mode == 0) {
    for (const ToolButton& b : {mShowAllCropTBtn, mClearPrevTBtn, mCropTBtn, mHandTBtn, mZoomTBtn, mMirrorTBtn, mLeftTBtn,
                                mRightTBtn, mCheckOnAllFrameTBtn, mCheckOffAllFrameTBtn, mInfoTBtn, mHelpTBtn,
                                mAutoCropTBtn, mDeleteCropTBtn, mSelectAllCropTBtn, mSelectAllFrameTBtn}) {
      tbSetHidden(b, true);
    }
    tbSetHidden(mPlatenThumbnailTBtn, true);
    tbSetHidden(mFilmThumbnailTBtn, true);
    tbSetHidden(mSelectAllCropPBtn, true);
    tbSetHidden(mSelectAllFramePBtn, true);
    tbSetHidden(mMultiCropPBtn, true);
  } else {
    for (const ToolButton& b : {mAutoCropTBtnS, mDeleteCropTBtnS, mSelectAllCropTBtnS, mMirrorTBtnS, mLeftTBtnS,
                                mRightTBtnS, mCheckOnAllFrameTBtnS, mCheckOffAllFrameTBtnS, mSelectAllFrameTBtnS,
                                mInfoTBtnS, mHelpTBtnS}) {
      tbSetHidden(b, true);
    }
    tbSetHidden(mPlatenThumbnailTBtnS, true);
    tbSetHidden(mFilmThumbnailTBtnS, true);
  }
}

void Quirel_Toolbar::setEnabledToolbar_scanMode(int scanMode, bool hasPreview, bool zoomTool, int cropCount,
                                                bool multiCropMode, bool zoomScanMode, int colorMode) {
  const bool v15 = mScannerInfo && mScannerInfo->isVer1500Later();
  if (mUIMode == 0) {
    if (v15) {
      setEnabledForStandard_V15_scanMode(scanMode, hasPreview, cropCount, zoomScanMode);
    } else {
      setEnabledForStandard_scanMode(scanMode, hasPreview, cropCount);
    }
    setEnabledStandardToolTips();
  } else if (mUIMode == 1) {
    if (v15) {
      setEnabledForAdvanced_V15_scanMode(scanMode, hasPreview, zoomTool, cropCount, zoomScanMode);
    } else {
      setEnabledForAdvanced_scanMode(scanMode, hasPreview, zoomTool, cropCount, multiCropMode, zoomScanMode, colorMode);
    }
    setEnabledExtendToolTips();
  }
}

void Quirel_Toolbar::setEnabledForStandard_scanMode(int s, bool P, int C) {
  tbSetEnabled(mInfoTBtnS, true);
  tbSetEnabled(mHelpTBtnS, true);
  if (s < 0 || s > 4 || s == 1) return;
  tbSetEnabled(mPlatenThumbnailTBtnS, false);
  tbSetEnabled(mFilmThumbnailTBtnS, s == 2 || s == 3);
  tbSetEnabled(mAutoCropTBtnS, s == 0 && P);
  tbSetEnabled(mDeleteCropTBtnS, (s == 0 || s == 2) && C >= 1);
  tbSetEnabled(mSelectAllCropTBtnS, false);
  tbSetEnabled(mMirrorTBtnS, (s == 2 || s == 3) && P);
  tbSetEnabled(mLeftTBtnS, s != 4 && P);
  tbSetEnabled(mRightTBtnS, s != 4 && P);
  tbSetEnabled(mCheckOnAllFrameTBtnS, s == 3 && P);
  tbSetEnabled(mCheckOffAllFrameTBtnS, s == 3 && P);
  tbSetEnabled(mSelectAllFrameTBtnS, false);
}

void Quirel_Toolbar::setEnabledForStandard_V15_scanMode(int s, bool P, int C, bool Z) {
  if (s < 0 || s > 4) return;
  const bool thumb = s == 1 || s == 3;
  const bool crops = s == 0 || s == 2;
  tbSetEnabled(mPlatenThumbnailTBtnS, s == 0 || s == 1);
  tbSetEnabled(mFilmThumbnailTBtnS, s == 2 || s == 3);
  tbSetEnabled(mAutoCropTBtnS, s == 0 && P);
  tbSetEnabled(mDeleteCropTBtnS, crops && C >= 1);
  tbSetEnabled(mSelectAllCropTBtnS, crops && C >= 2);
  tbSetEnabled(mMirrorTBtnS, (s == 2 || s == 3) && P);
  tbSetEnabled(mLeftTBtnS, s != 4 && P);
  tbSetEnabled(mRightTBtnS, s != 4 && P);
  tbSetEnabled(mCheckOnAllFrameTBtnS, thumb && P && C >= 2);
  tbSetEnabled(mCheckOffAllFrameTBtnS, thumb && P && C >= 2);
  tbSetEnabled(mSelectAllFrameTBtnS, thumb && P && !Z && C != 1);
  tbSetEnabled(mInfoTBtnS, true);
  tbSetEnabled(mHelpTBtnS, true);
}

void Quirel_Toolbar::setEnabledForAdvanced_scanMode(int s, bool P, bool T, int C, bool M, bool Z, int K) {
  tbSetEnabled(mInfoTBtn, true);
  tbSetEnabled(mHelpTBtn, true);
  if (s < 0 || s > 4 || s == 1) return;
  const bool platen = s == 0;
  const bool film = s == 2;
  tbSetEnabled(mPlatenThumbnailTBtn, false);
  tbSetEnabled(mFilmThumbnailTBtn, s == 2 || s == 3);
  tbSetEnabled(mShowAllCropTBtn, film && P && !Z);
  tbSetEnabled(mClearPrevTBtn, platen ? (P || M) : s != 4 && P);
  tbSetEnabled(mCropTBtn, platen ? P && !M : film && P);
  tbSetEnabled(mHandTBtn, platen ? T && !M : film && T);
  tbSetEnabled(mZoomTBtn, platen ? P && !M : film && P);
  tbSetEnabled(mMirrorTBtn, (s == 2 || s == 3) && P);
  tbSetEnabled(mLeftTBtn, platen ? P && !M : s != 4 && P);
  tbSetEnabled(mRightTBtn, platen ? P && !M : s != 4 && P);
  tbSetEnabled(mCheckOnAllFrameTBtn, s == 3 && P);
  tbSetEnabled(mCheckOffAllFrameTBtn, s == 3 && P);
  tbSetEnabled(mAutoCropTBtn, platen && P && !M);
  tbSetEnabled(mDeleteCropTBtn, platen ? C >= 1 && (M || !Z) : film && C >= 1 && !Z);
  tbSetEnabled(mSelectAllCropPBtn, platen ? C >= 2 && !M && !Z : film && C >= 2 && !Z);
  tbSetEnabled(mSelectAllCropTBtn, false);
  if (s == 3 && P && !Z && C == 1) {
    tbSetEnabled(mSelectAllFramePBtn, mScannerInfo && mScannerInfo->enabledAllFrameSelectIfOneFrame());
  } else {
    tbSetEnabled(mSelectAllFramePBtn, s == 3 && P && !Z);
  }
  if (!platen || M) tbSetEnabled(mSelectAllFrameTBtn, false);
  tbSetEnabled(mMultiCropPBtn, platen && (M || (P && !Z && K != 2)));
}

void Quirel_Toolbar::setEnabledForAdvanced_V15_scanMode(int s, bool P, bool T, int C, bool Z) {
  if (s < 0 || s > 4) return;
  const bool thumb = s == 1 || s == 3;
  const bool crops = s == 0 || s == 2;
  tbSetEnabled(mPlatenThumbnailTBtn, s == 0 || s == 1);
  tbSetEnabled(mFilmThumbnailTBtn, s == 2 || s == 3);
  tbSetEnabled(mClearPrevTBtn, s != 4 && P);
  tbSetEnabled(mShowAllCropTBtn, s == 2 && P && !Z);
  tbSetEnabled(mCropTBtn, crops && P);
  tbSetEnabled(mZoomTBtn, crops && P);
  tbSetEnabled(mHandTBtn, crops && T);
  tbSetEnabled(mDeleteCropTBtn, crops && C >= 1 && !Z);
  tbSetEnabled(mCheckOnAllFrameTBtn, thumb && P && C >= 2);
  tbSetEnabled(mCheckOffAllFrameTBtn, thumb && P && C >= 2);
  tbSetEnabled(mAutoCropTBtn, s == 0 && P);
  tbSetEnabled(mMirrorTBtn, s != 0 && s != 4 && P);
  tbSetEnabled(mLeftTBtn, s != 4 && P);
  tbSetEnabled(mRightTBtn, s != 4 && P);
  if (s != 0) tbSetEnabled(mSelectAllFrameTBtn, thumb && P && C != 1 && !Z);
  tbSetEnabled(mSelectAllCropTBtn, crops && C >= 2 && !Z);
  tbSetEnabled(mInfoTBtn, true);
  tbSetEnabled(mHelpTBtn, true);
  if (s == 0) tbSetEnabled(mSelectAllFramePBtn, false);
}

void Quirel_Toolbar::setAllEnabledControl(bool enabled, int uiMode) {
  if (uiMode == 1) {
    for (const ToolButton& b : {mShowAllCropTBtn, mClearPrevTBtn, mCropTBtn, mHandTBtn, mZoomTBtn, mMirrorTBtn, mLeftTBtn,
                                mRightTBtn, mCheckOnAllFrameTBtn, mCheckOffAllFrameTBtn, mInfoTBtn, mHelpTBtn,
                                mAutoCropTBtn, mDeleteCropTBtn, mSelectAllCropTBtn, mSelectAllFrameTBtn}) {
      tbSetEnabled(b, enabled);
    }
    tbSetEnabled(mPlatenThumbnailTBtn, enabled);
    tbSetEnabled(mFilmThumbnailTBtn, enabled);
    tbSetEnabled(mSelectAllCropPBtn, enabled);
    tbSetEnabled(mSelectAllFramePBtn, enabled);
    tbSetEnabled(mMultiCropPBtn, enabled);
    setEnabledExtendToolTips();
  } else if (uiMode == 0) {
    for (const ToolButton& b : {mAutoCropTBtnS, mDeleteCropTBtnS, mSelectAllCropTBtnS, mMirrorTBtnS, mLeftTBtnS,
                                mRightTBtnS, mCheckOnAllFrameTBtnS, mCheckOffAllFrameTBtnS, mSelectAllFrameTBtnS,
                                mInfoTBtnS, mHelpTBtnS}) {
      tbSetEnabled(b, enabled);
    }
    tbSetEnabled(mPlatenThumbnailTBtnS, enabled);
    tbSetEnabled(mFilmThumbnailTBtnS, enabled);
    setEnabledStandardToolTips();
  }
}

void Quirel_Toolbar::setEnabledMouseDownOnControl(bool on) {
  for (const ToolButton& b : {mShowAllCropTBtn, mClearPrevTBtn, mCropTBtn, mHandTBtn, mZoomTBtn, mMirrorTBtn, mLeftTBtn,
                              mRightTBtn, mCheckOnAllFrameTBtn, mCheckOffAllFrameTBtn, mInfoTBtn, mHelpTBtn,
                              mAutoCropTBtn, mDeleteCropTBtn, mSelectAllCropTBtn, mSelectAllFrameTBtn}) {
    if (b) b->getToolBT()->setDownOnOff(on);
  }
  if (mPlatenThumbnailTBtn) mPlatenThumbnailTBtn->getToolBT()->setDownOnOff(on);
  if (mFilmThumbnailTBtn) mFilmThumbnailTBtn->getToolBT()->setDownOnOff(on);
  if (mSelectAllCropPBtn) mSelectAllCropPBtn->getPushBT()->setDownOnOff(on);
  if (mSelectAllFramePBtn) mSelectAllFramePBtn->getPushBT()->setDownOnOff(on);
  if (mMultiCropPBtn) mMultiCropPBtn->getPushBT()->setDownOnOff(on);
}

void Quirel_Toolbar::applyToolTip(kit::View* control, bool enabled, const char* key) const {
  if (!control) return;
  if (!enabled) {
    control->setToolTip("");
    return;
  }
  if (!control->toolTip().empty()) return;
  control->setToolTip(mLSobj->ls_localizedStringForKey(key, "ToolTips").value_or(key));
}

void Quirel_Toolbar::setEnabledStandardToolTips() {
  const bool v14 = mScannerInfo && mScannerInfo->isVer1400Later();
  const bool v15 = mScannerInfo && mScannerInfo->isVer1500Later();
  const char* thumbKey = v14 ? "IDC_BTN_THUMBNAIL" : "IDMAC_VIEW_THUMBNAIL";
  auto thumb = [&](const ThumbButton& b) {
    if (b) applyToolTip(b->getToolBT(), b->isEnabled(), thumbKey);
  };
  auto tool = [&](const ToolButton& b, const char* key) {
    if (b) applyToolTip(b->getToolBT(), b->isEnabled(), key);
  };
  thumb(mPlatenThumbnailTBtnS);
  thumb(mFilmThumbnailTBtnS);
  tool(mMirrorTBtnS, "IDC_BTN_ROT_MIRROR");
  tool(mLeftTBtnS, "IDC_BTN_ROT_LEFT");
  tool(mRightTBtnS, "IDC_BTN_ROT_RIGHT");
  tool(mCheckOnAllFrameTBtnS, "IDC_BTN_CHECK_ALLFRAME");
  tool(mCheckOffAllFrameTBtnS, "IDC_BTN_UNCHKECK_ALLFRAME");
  tool(mSelectAllFrameTBtnS, "IDC_SELECT_ALLFRAMES");
  tool(mInfoTBtnS, "IDC_BTN_INFO");
  tool(mHelpTBtnS, v15 ? "IDC_MT_BTN_HELP" : "IDMAC_VIEW_HELP");
  tool(mAutoCropTBtnS, "IDC_BTN_AUTO_CROP");
  tool(mDeleteCropTBtnS, "IDC_BTN_DELETE_CROP");
  tool(mSelectAllCropTBtnS, "IDC_BTN_SELECT_ALLCROP");
}

void Quirel_Toolbar::setEnabledExtendToolTips() {
  const bool v14 = mScannerInfo && mScannerInfo->isVer1400Later();
  const bool v15 = mScannerInfo && mScannerInfo->isVer1500Later();
  const bool v16 = mScannerInfo && mScannerInfo->isVer1600Later();
  const char* thumbKey = v14 ? "IDC_BTN_THUMBNAIL" : "IDMAC_VIEW_THUMBNAIL";
  auto thumb = [&](const ThumbButton& b) {
    if (b) applyToolTip(b->getToolBT(), b->isEnabled(), thumbKey);
  };
  auto tool = [&](const ToolButton& b, const char* key) {
    if (b) applyToolTip(b->getToolBT(), b->isEnabled(), key);
  };
  thumb(mPlatenThumbnailTBtn);
  thumb(mFilmThumbnailTBtn);
  tool(mShowAllCropTBtn, v16 ? "IDC_BTN_CREATE_CROP" : "IDMAC_VIEW_MULTI_MARQUEE_SET");
  tool(mClearPrevTBtn, "IDC_BTN_CLEAR_PREVIEW");
  tool(mCropTBtn, "IDC_BTN_SELECT");
  tool(mHandTBtn, "IDC_BTN_HAND");
  tool(mZoomTBtn, "IDMAC_TOOL_RUPE");
  tool(mMirrorTBtn, "IDC_BTN_ROT_MIRROR");
  tool(mLeftTBtn, "IDC_BTN_ROT_LEFT");
  tool(mRightTBtn, "IDC_BTN_ROT_RIGHT");
  tool(mCheckOnAllFrameTBtn, "IDC_BTN_CHECK_ALLFRAME");
  tool(mCheckOffAllFrameTBtn, "IDC_BTN_UNCHKECK_ALLFRAME");
  tool(mSelectAllFrameTBtn, "IDC_SELECT_ALLFRAMES");
  if (mSelectAllFramePBtn) applyToolTip(mSelectAllFramePBtn->getPushBT(), mSelectAllFramePBtn->getPushBT()->isEnabled(), "IDC_SELECT_ALLFRAMES");
  tool(mInfoTBtn, "IDC_BTN_INFO");
  tool(mHelpTBtn, v15 ? "IDC_MT_BTN_HELP" : "IDMAC_VIEW_HELP");
  tool(mAutoCropTBtn, "IDC_BTN_AUTO_CROP");
  tool(mDeleteCropTBtn, "IDC_BTN_DELETE_CROP");
  tool(mSelectAllCropTBtn, "IDC_BTN_SELECT_ALLCROP");
  if (mSelectAllCropPBtn) applyToolTip(mSelectAllCropPBtn->getPushBT(), mSelectAllCropPBtn->getPushBT()->isEnabled(), "IDC_BTN_SELECT_ALLCROP");
  if (mMultiCropPBtn) {
    applyToolTip(mMultiCropPBtn->getPushBT(), mMultiCropPBtn->getPushBT()->isEnabled(),
                 mMultiCropPBtn->isOnState() ? "IDMAC_PGADV_MULTIRESET_BTN" : "IDMAC_PGADV_MULTIAPPLY_BTN");
  }
}
