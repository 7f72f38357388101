#include "ui/controls/CTRLS_Separator.h"
#include "ui/controls/CTRLS_TOOLAllCropPushButton.h"
#include "ui/controls/CTRLS_TOOLAllFramePushButton.h"
#include "ui/controls/CTRLS_TOOLButton.h"
#include "ui/controls/CTRLS_TOOLMultiCropButton.h"
#include "ui/controls/CTRLS_TOOLThumbnailButton.h"
#include "ui/controls/CTRLS_TOOLView.h"
#include "ui/controls/ToolView.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/toolbar/Toolbar.h"

namespace {

// One left-to-right run: each present element is shown at x, then x grows by its advance;
// an absent element takes no room.
struct TbLayoutRun {
  double x = 5;
  double y, size, buttonAdvance, sepHeight, sepAdvance;
  template <class Button>
  void button(const std::shared_ptr<Button>& b) {
    if (!b) return;
    b->setToolBTRect(fnd::Rect(x, y, size, size));
    b->setHidden(false);
    x += buttonAdvance;
  }
  void separator(const std::shared_ptr<Quirel_CTRLS_Separator>& s) {
    if (!s) return;
    s->setRect(x, y, 5, sepHeight);
    s->setHidden(false);
    x += sepAdvance;
  }
};

}  // namespace

void Quirel_Toolbar::hideBasicSet() {
  for (const ToolButton& b : {mAutoCropTBtnS, mDeleteCropTBtnS, mSelectAllCropTBtnS, mMirrorTBtnS, mLeftTBtnS, mRightTBtnS,
                              mCheckOnAllFrameTBtnS, mCheckOffAllFrameTBtnS, mSelectAllFrameTBtnS, mInfoTBtnS, mHelpTBtnS}) {
    if (b) b->setHidden(true);
  }
  if (mPlatenThumbnailTBtnS) mPlatenThumbnailTBtnS->setHidden(true);
  if (mFilmThumbnailTBtnS) mFilmThumbnailTBtnS->setHidden(true);
}

void Quirel_Toolbar::hideAdvancedTools() {
  for (const ToolButton& b : {mShowAllCropTBtn, mClearPrevTBtn, mCropTBtn, mHandTBtn, mZoomTBtn, mMirrorTBtn, mLeftTBtn,
                              mRightTBtn, mCheckOnAllFrameTBtn, mCheckOffAllFrameTBtn, mInfoTBtn, mHelpTBtn, mAutoCropTBtn,
                              mDeleteCropTBtn, mSelectAllCropTBtn, mSelectAllFrameTBtn}) {
    if (b) b->setHidden(true);
  }
  if (mPlatenThumbnailTBtn) mPlatenThumbnailTBtn->setHidden(true);
  if (mFilmThumbnailTBtn) mFilmThumbnailTBtn->setHidden(true);
}

void Quirel_Toolbar::hideAdvancedPushButtons() {
  if (mSelectAllCropPBtn) mSelectAllCropPBtn->setHidden(true);
  if (mSelectAllFramePBtn) mSelectAllFramePBtn->setHidden(true);
  if (mMultiCropPBtn) mMultiCropPBtn->setHidden(true);
}

void Quirel_Toolbar::hideSeparators() {
  for (const Separator& s : {mHorizontalSep1, mHorizontalSep2, mHorizontalSep3, mHorizontalSep4, mHorizontalSep5, mVerticalSep1}) {
    if (s) s->setHidden(true);
  }
}

void Quirel_Toolbar::keepTopWithHeight(double height) {
  if (!mToolbarView) return;
  fnd::Rect r = mToolbarView->getToolViewRect();
  if (r.size.height != height) {
    r.origin.y += r.size.height - height;
    r.size.height = height;
  }
  mToolbarView->setToolViewRect(r);
}

void Quirel_Toolbar::setHiddenToolbar(int scanMode, int cropCount) {
  const bool v15 = mScannerInfo && mScannerInfo->isVer1500Later();
  if (mUIMode == 0) {
    if (v15) {
      setHiddenForStandard_V15(scanMode);
    } else {
      setHiddenForStandard_V14(scanMode, cropCount);
    }
  } else if (mUIMode == 1) {
    if (v15) {
      setHiddenForAdvanced_V15(scanMode);
    } else {
      setHiddenForAdvanced_V14(scanMode, cropCount);
    }
  } else if (mUIMode == 2) {
    setHiddenForMultiScan();
  }
  if (mToolbarView && mToolbarView->getToolView()->superview()) mToolbarView->getToolView()->superview()->setNeedsDisplay(true);
}

void Quirel_Toolbar::setHiddenForStandard_V14(int s, int cropCount) {
  hideBasicSet();
  hideSeparators();
  TbLayoutRun run{5, 0, 40, 42, 40, 7};
  const bool oneFrameOut = cropCount == 1 && !(mScannerInfo && mScannerInfo->enabledAllFrameCheckIfOneFrame());
  switch (s) {
    case 0:
      run.button(mAutoCropTBtnS), run.button(mDeleteCropTBtnS), run.separator(mHorizontalSep1);
      run.button(mLeftTBtnS), run.button(mRightTBtnS), run.separator(mHorizontalSep2);
      run.button(mInfoTBtnS), run.button(mHelpTBtnS);
      break;
    case 2:
      run.button(mFilmThumbnailTBtnS), run.separator(mHorizontalSep1), run.button(mDeleteCropTBtnS);
      run.separator(mHorizontalSep2), run.button(mMirrorTBtnS), run.button(mLeftTBtnS), run.button(mRightTBtnS);
      run.separator(mHorizontalSep3), run.button(mInfoTBtnS), run.button(mHelpTBtnS);
      break;
    case 3:
      run.button(mFilmThumbnailTBtnS), run.separator(mHorizontalSep1), run.button(mMirrorTBtnS);
      run.button(mLeftTBtnS), run.button(mRightTBtnS), run.separator(mHorizontalSep2);
      if (!oneFrameOut) run.button(mCheckOnAllFrameTBtnS), run.button(mCheckOffAllFrameTBtnS), run.separator(mHorizontalSep3);
      run.button(mInfoTBtnS), run.button(mHelpTBtnS);
      break;
    case 4:
      run.button(mInfoTBtnS), run.button(mHelpTBtnS);
      break;
    default:
      break;
  }
}

void Quirel_Toolbar::setHiddenForStandard_V15(int s) {
  hideBasicSet();
  hideSeparators();
  TbLayoutRun run{5, 0, 40, 42, 40, 7};
  const bool platenThumb = mScannerInfo && mScannerInfo->platenThumbnail();
  switch (s) {
    case 0:
      if (platenThumb) run.button(mPlatenThumbnailTBtnS), run.separator(mHorizontalSep1);
      run.button(mLeftTBtnS), run.button(mRightTBtnS), run.separator(mHorizontalSep2);
      run.button(mAutoCropTBtnS), run.button(mSelectAllCropTBtnS), run.button(mDeleteCropTBtnS);
      run.separator(mHorizontalSep3), run.button(mInfoTBtnS), run.button(mHelpTBtnS);
      break;
    case 1:
      run.button(mPlatenThumbnailTBtnS), run.separator(mHorizontalSep1), run.button(mLeftTBtnS), run.button(mRightTBtnS);
      run.separator(mHorizontalSep2), run.button(mCheckOnAllFrameTBtnS), run.button(mCheckOffAllFrameTBtnS);
      run.button(mSelectAllFrameTBtnS), run.separator(mHorizontalSep3), run.button(mInfoTBtnS), run.button(mHelpTBtnS);
      break;
    case 2:
      run.button(mFilmThumbnailTBtnS), run.separator(mHorizontalSep1), run.button(mMirrorTBtnS), run.button(mLeftTBtnS);
      run.button(mRightTBtnS), run.separator(mHorizontalSep2), run.button(mSelectAllCropTBtnS);
      run.button(mDeleteCropTBtnS), run.separator(mHorizontalSep3), run.button(mInfoTBtnS), run.button(mHelpTBtnS);
      break;
    case 3:
      run.button(mFilmThumbnailTBtnS), run.separator(mHorizontalSep1), run.button(mMirrorTBtnS), run.button(mLeftTBtnS);
      run.button(mRightTBtnS), run.separator(mHorizontalSep2), run.button(mCheckOnAllFrameTBtnS);
      run.button(mCheckOffAllFrameTBtnS), run.button(mSelectAllFrameTBtnS), run.separator(mHorizontalSep3);
      run.button(mInfoTBtnS), run.button(mHelpTBtnS);
      break;
    case 4:
      run.button(mInfoTBtnS), run.button(mHelpTBtnS);
      break;
    default:
      break;
  }
}

void Quirel_Toolbar::setHiddenForAdvanced_V14(int s, int cropCount) {
  hideAdvancedTools();
  hideAdvancedPushButtons();
  hideSeparators();
  // Two rows are 55 high, the feeder's single row 25; the top edge stays where it is, so a
  // bar of any other height (the window makes it 60) is brought to the right one at once.
  keepTopWithHeight(s == 4 ? 25 : 55);
  TbLayoutRun top{5, 30, 25, 27, 25, 7};
  TbLayoutRun bottom{5, 0, 25, 27, 25, 7};
  const bool oneFrameOut = cropCount == 1 && !(mScannerInfo && mScannerInfo->enabledAllFrameCheckIfOneFrame());
  auto longSeparator = [this] {
    if (mVerticalSep1) {
      mVerticalSep1->setOriginY(25);
      mVerticalSep1->setHidden(false);
    }
  };
  switch (s) {
    case 0:
      top.button(mClearPrevTBtn), top.separator(mHorizontalSep1), top.button(mCropTBtn), top.button(mHandTBtn);
      top.button(mZoomTBtn), top.separator(mHorizontalSep2), top.button(mLeftTBtn), top.button(mRightTBtn);
      top.separator(mHorizontalSep3), top.button(mInfoTBtn), top.button(mHelpTBtn);
      longSeparator();
      bottom.button(mAutoCropTBtn), bottom.button(mDeleteCropTBtn);
      if (mSelectAllCropPBtn) {
        mSelectAllCropPBtn->setPushBTOriginX(59);
        mSelectAllCropPBtn->setHidden(false);
      }
      if (mMultiCropPBtn) {
        mMultiCropPBtn->setPushBTOriginX(59 + (mSelectAllCropPBtn ? mSelectAllCropPBtn->getPushBTRect().size.width : 0));
        mMultiCropPBtn->setHidden(false);
      }
      break;
    case 2:
      top.button(mFilmThumbnailTBtn), top.button(mClearPrevTBtn), top.separator(mHorizontalSep1), top.button(mCropTBtn);
      top.button(mHandTBtn), top.button(mZoomTBtn), top.separator(mHorizontalSep2), top.button(mMirrorTBtn);
      top.button(mLeftTBtn), top.button(mRightTBtn), top.separator(mHorizontalSep3), top.button(mInfoTBtn);
      top.button(mHelpTBtn);
      longSeparator();
      bottom.button(mDeleteCropTBtn), bottom.button(mShowAllCropTBtn);
      if (mSelectAllCropPBtn) {
        mSelectAllCropPBtn->setPushBTOriginX(59);
        mSelectAllCropPBtn->setHidden(false);
      }
      break;
    case 3:
      top.button(mFilmThumbnailTBtn), top.button(mClearPrevTBtn), top.separator(mHorizontalSep1), top.button(mMirrorTBtn);
      top.button(mLeftTBtn), top.button(mRightTBtn), top.separator(mHorizontalSep2);
      if (!oneFrameOut) top.button(mCheckOnAllFrameTBtn), top.button(mCheckOffAllFrameTBtn), top.separator(mHorizontalSep3);
      top.button(mInfoTBtn), top.button(mHelpTBtn);
      longSeparator();
      if (mSelectAllFramePBtn) {
        mSelectAllFramePBtn->setPushBTOriginX(5);
        mSelectAllFramePBtn->setHidden(false);
      }
      break;
    case 4:
      bottom.button(mInfoTBtn), bottom.button(mHelpTBtn);
      break;
    default:
      break;
  }
}

void Quirel_Toolbar::setHiddenForAdvanced_V15(int s) {
  hideAdvancedTools();
  hideSeparators();
  keepTopWithHeight(40);
  TbLayoutRun run{5, 0, 40, 40, 40, 5};
  const bool platenThumb = mScannerInfo && mScannerInfo->platenThumbnail();
  switch (s) {
    case 0:
      if (platenThumb) run.button(mPlatenThumbnailTBtn), run.separator(mHorizontalSep1);
      run.button(mClearPrevTBtn), run.separator(mHorizontalSep2), run.button(mCropTBtn), run.button(mHandTBtn);
      run.button(mZoomTBtn), run.separator(mHorizontalSep3), run.button(mLeftTBtn), run.button(mRightTBtn);
      run.separator(mHorizontalSep4), run.button(mAutoCropTBtn), run.button(mSelectAllCropTBtn);
      run.button(mDeleteCropTBtn), run.separator(mHorizontalSep5), run.button(mInfoTBtn), run.button(mHelpTBtn);
      break;
    case 1:
      run.button(mPlatenThumbnailTBtn), run.separator(mHorizontalSep1), run.button(mClearPrevTBtn);
      run.separator(mHorizontalSep2), run.button(mLeftTBtn), run.button(mRightTBtn), run.separator(mHorizontalSep3);
      run.button(mCheckOnAllFrameTBtn), run.button(mCheckOffAllFrameTBtn), run.button(mSelectAllFrameTBtn);
      run.separator(mHorizontalSep4), run.button(mInfoTBtn), run.button(mHelpTBtn);
      break;
    case 2:
      run.button(mFilmThumbnailTBtn), run.separator(mHorizontalSep1), run.button(mClearPrevTBtn);
      run.separator(mHorizontalSep2), run.button(mCropTBtn), run.button(mHandTBtn), run.button(mZoomTBtn);
      run.separator(mHorizontalSep3), run.button(mMirrorTBtn), run.button(mLeftTBtn), run.button(mRightTBtn);
      run.separator(mHorizontalSep4), run.button(mShowAllCropTBtn), run.button(mSelectAllCropTBtn);
      run.button(mDeleteCropTBtn), run.separator(mHorizontalSep5), run.button(mInfoTBtn), run.button(mHelpTBtn);
      break;
    case 3:
      run.button(mFilmThumbnailTBtn), run.separator(mHorizontalSep1), run.button(mClearPrevTBtn);
      run.separator(mHorizontalSep2), run.button(mMirrorTBtn), run.button(mLeftTBtn), run.button(mRightTBtn);
      run.separator(mHorizontalSep3), run.button(mCheckOnAllFrameTBtn), run.button(mCheckOffAllFrameTBtn);
      run.button(mSelectAllFrameTBtn), run.separator(mHorizontalSep4), run.button(mInfoTBtn), run.button(mHelpTBtn);
      break;
    case 4:
      run.button(mInfoTBtn), run.button(mHelpTBtn);
      break;
    default:
      break;
  }
}

void Quirel_Toolbar::setHiddenForMultiScan() {
  hideBasicSet();
  hideAdvancedTools();
  hideAdvancedPushButtons();
  hideSeparators();
}

void Quirel_Toolbar::setToolViewWidth(double width) {
  if (mToolbarView) {
    fnd::Rect r = mToolbarView->getToolViewRect();
    r.size.width = width;
    mToolbarView->setToolViewRect(r);
  }
  if (mVerticalSep1) {
    fnd::Rect r = mVerticalSep1->getRect();
    r.size.width = width;
    mVerticalSep1->setRect(r);
  }
}
