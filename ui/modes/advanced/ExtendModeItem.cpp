#include "ui/modes/advanced/ExtendModeControls.h"
#include "ui/modes/advanced/ExtendMode.h"

// Every reference of the page, in the order of its sections: one list for the release, the
// count and the tests.
#define QUIREL_EXTEND_PAGE_ITEMS(X)                                                                 \
  X(mFavoriteView) X(mFavoritePopup) X(mTopSeparaor)                                                \
  X(mInputSetBox) X(mImageSourceView) X(mImgSrcPopup) X(mPaperSizeView) X(mPaperSizePopup)          \
  X(mFilmSizeView) X(mFilmSizePopup) X(mOrientationView) X(mOrientationBtn) X(mColorModeView)       \
  X(mColorModePopup) X(mInputWHView) X(mInSizeWTextF) X(mFixRatioBtn) X(mInSizeHTextF) X(mUnitPopup) \
  X(mOutputSetBox) X(mResolutionView) X(mResComboBox) X(mOutputSizeView) X(mOutSizePopup)            \
  X(mOutputWHView) X(mOutSizeWTextF) X(mOutSizeIcon) X(mOutSizeHTextF) X(mMagnification)             \
  X(mDirectionBtn) X(mDataSizeView) X(mDataSizeTextF)                                                \
  X(mScrollView) X(mPopupView) X(mAutoToneView) X(mAutoTonePopup) X(mColorAdjustView)                \
  X(mColorAdjustPopup) X(mCopyGammaView) X(mCopyGammaPopup) X(mUnsharpView) X(mUnsharpPopup)         \
  X(mDescreenView) X(mDescreenPopup) X(mRdcDustView) X(mRdcDustPopup) X(mRemoveDustView)             \
  X(mRemoveDustPopup) X(mReduceDustFAUView) X(mReduceDustFAUPopup) X(mFdCorctView) X(mFdCorctPopup)  \
  X(mGrCorctView) X(mGrCorctPopup) X(mBlCorctView) X(mBlCorctPopup) X(mBookCorctView)                \
  X(mBookCorctPopup) X(mExposureView) X(mExposureSeparator) X(mExposureOpenBtn) X(mExposureCbx)      \
  X(mExposureField) X(mExposureBtns) X(mScanSettingView) X(mScanSettingSeparator)                    \
  X(mScanSettingOpenBtn) X(mHighQualityPopup) X(mCalibrationView) X(mCalibrationSeparator)           \
  X(mCalibrationOpenBtn) X(mCalibrationBtn) X(mCalibrationPopup)                                     \
  X(mToneCurveSetBox) X(mColorBalanceBtn) X(mContrastBtn) X(mHistogramBtn) X(mToneCurveBtn)          \
  X(mFinalReviewBtn) X(mThresholdBtn) X(mToneCurvePopup) X(mToneResetBtn)                            \
  X(mScanButtonView) X(mZoomBtn) X(mPrevBtn) X(mScanBtn) X(mPreferenceButtonView) X(mBottomSeparator) \
  X(mPrefBtn) X(mCloseWindowBtn)

namespace {
template <typename T>
void extReleaseItem(std::unique_ptr<T>& item) {
  item.reset();
}
template <typename T>
void extReleaseItem(T*& item) {
  item = nullptr;
}
}  // namespace

void Quirel_ExtendMode::initExtendModeItem() { releaseExtendModeItem(); }

void Quirel_ExtendMode::releaseExtendModeItem() {
  // Controls first, then the row views and boxes that hold them.
#define QUIREL_EXTEND_RELEASE(item) extReleaseItem(item);
  QUIREL_EXTEND_PAGE_ITEMS(QUIREL_EXTEND_RELEASE)
#undef QUIREL_EXTEND_RELEASE
}

int Quirel_ExtendMode::countExtendItems() const {
  int count = 0;
#define QUIREL_EXTEND_COUNT(item) count += (item) ? 1 : 0;
  QUIREL_EXTEND_PAGE_ITEMS(QUIREL_EXTEND_COUNT)
#undef QUIREL_EXTEND_COUNT
  return count;
}
