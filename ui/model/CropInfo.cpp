#include "ui/model/CropInfo.h"

#include <algorithm>
#include <cmath>

#include "foundation/NotificationCenter.h"

namespace {

// A length or size truncated to a count; negative, NaN or huge values give no bytes rather
// than an undefined conversion.
std::uint64_t truncateCount(double value) {
  if (!(value > 0)) return 0;
  if (value >= 18446744073709551615.0) return UINT64_MAX;
  return static_cast<std::uint64_t>(value);
}

ChannelValues sameChannels(std::int32_t v) { return ChannelValues{v, v, v, v}; }

}  // namespace

Quirel_CropInfo::Quirel_CropInfo() { initData(); }

Quirel_CropInfo::Quirel_CropInfo(const fnd::Dictionary& dictionary) {
  initData();
  setDictionary(dictionary);
}

Quirel_CropInfo::~Quirel_CropInfo() {
  removeBaseCropOfDataPersistence();
  mcropCorData.reset();
  mcropBefData.reset();
  mCropHSLData.reset();
  if (mCropView) {
    mCropView->runTimer(false);
    mCropView->removeFromSuperview();
    mCropView.reset();
  }
  removeSrcView();
  mReferenceCrop.reset();
  mThumbnailCrop.reset();
  mAllExposureBaseCrop.reset();
}

// ---------------------------------------------------------------------------------------------
// Initialisation

void Quirel_CropInfo::initData() {
  mCropMode = 0;
  mResizeMode = 0;
  mFocus = false;
  mSelected = false;
  mImageSource = 0;
  mSimImageSource = 0;
  mColorMode = 3;
  mPaperSize = 0;
  mInputRect_Pixel96 = zeroSRectDouble();
  mFixesRatio = false;
  mRatio = zeroSSizeDouble();
  mUnit = 2;
  mResolution = 300;
  mOutputSize = 0;
  mTempOutputSize = 0;
  mDestination = 0;
  mOutputSize_Pixel96 = zeroSSizeDouble();
  mMagnification = 100;
  initData_ImageSetting();
  initData_ColorSetting();
  mRotation = 0;
  mMirror = false;
  mPreviewViewSize = fnd::Size{};
  mPreviewSize_Pixel96 = zeroSSizeDouble();
  mVisiblePreviewSize_Pixel96 = zeroSSizeDouble();
  mPreviewStartPoint_Pixel96 = zeroSPointDouble();
  mcropCorRect = zeroSRectDouble();
  mMultiCrop = false;
  mCropViewRotation = 0;
  for (SPointDouble& p : mMultiCropCorPoints) p = zeroSPointDouble();
  mTempCropViewRect = fnd::Rect();
}

void Quirel_CropInfo::initData_ImageSetting() {
  mAutoTone = 0;
  mColorAdjust = 0;
  mCopyGamma = 0;
  mUnsharpMask = 0;
  mDescreen = 0;
  mReduceDust = 0;
  mReduceDustFAU = 0;
  mRemoveDust = 0;
  mFadingCorrect = 0;
  mGrainCorrect = 0;
  mBLightCorrect = 0;
  mBookCorrect = 0;
  mAutoDocCorrect = 0;
  mAutoPhotoCorrect = 0;
  mExposure = false;
  mExposureValue = 100;
  mAllExposure = false;
  mAllExposureBase = false;
  mAllExposureBaseValue = 100;
  mAllExposureBaseCrop.reset();
  // Dropped without the reset notification: the settings start over, nothing was retained.
  mReferenceCrop.reset();
  mRetainNumber = 0;
}

void Quirel_CropInfo::initData_ColorSetting() {
  mColorBalance = ColorBalanceValues{0, 0, 0, 0};
  mToneBC_Channel = 0;
  mToneBC = ToneBCValues{sameChannels(0), sameChannels(0)};
  mHistogram_Channel = 0;
  mHistogram = HistogramValues{sameChannels(0), sameChannels(128), sameChannels(255), sameChannels(128)};
  mToneCurve_Channel = 0;
  mToneCurve = ToneCurveValues{};
  for (int channel = 0; channel < 4; ++channel) {
    mToneCurve.setPointCount[channel] = 2;
    mToneCurve.setPoint[channel][1] = TagPoint{255, 255};
    mToneCurve.squarePoint[channel][1] = TagPoint{145, 145};
  }
  // A threshold the user chose survives a reset of the colour settings.
  if (mThreshold == 0) mThreshold = 72;
}

std::uint64_t Quirel_CropInfo::getDataSize(double resolution) const {
  const std::uint64_t width = truncateCount(convertResolution(mOutputSize_Pixel96.width, resolution, mResolution));
  const std::uint64_t height = truncateCount(convertResolution(mOutputSize_Pixel96.height, resolution, mResolution));
  switch (mColorMode) {
    case 0: return truncateCount((static_cast<double>(width) + 7) * 0.125 * static_cast<double>(height));
    case 1: return width * height;
    case 2: return width * 2 * height;
    case 3:
    case 5: return width * 3 * height;
    case 4: return width * 6 * height;
    default: return 0;
  }
}

// ---------------------------------------------------------------------------------------------
// Setters that keep the thumbnail crop in step

void Quirel_CropInfo::setFocus(bool focus) {
  mFocus = focus;
  if (mThumbnailCrop) mThumbnailCrop->setFocus(focus);
}

void Quirel_CropInfo::setSelect(bool selected) {
  mSelected = selected;
  if (mThumbnailCrop) mThumbnailCrop->setSelect(selected);
}

void Quirel_CropInfo::setImageSourceForStandard(int source) {
  mSimImageSource = source;
  if (mThumbnailCrop) mThumbnailCrop->setImageSourceForStandard(source);
}

void Quirel_CropInfo::setImageSource(int source) {
  mImageSource = source;
  if (mThumbnailCrop) mThumbnailCrop->setImageSource(source);
}

void Quirel_CropInfo::setColorMode(int mode) {
  mColorMode = mode;
  if (mThumbnailCrop) mThumbnailCrop->setColorMode(mode);
}

void Quirel_CropInfo::setPaperSize(int size) {
  mPaperSize = size;
  if (mThumbnailCrop) mThumbnailCrop->setPaperSize(size);
}

void Quirel_CropInfo::setDestination(int destination) {
  mDestination = destination;
  if (mThumbnailCrop) mThumbnailCrop->setDestination(destination);
}

void Quirel_CropInfo::setPreviewViewSize(const fnd::Size& size) {
  mPreviewViewSize = size;
  if (mThumbnailCrop) mThumbnailCrop->setPreviewViewSize(size);
}

void Quirel_CropInfo::setPreviewSize_Pixel96(const SSizeDouble& size) {
  mPreviewSize_Pixel96 = size;
  if (mThumbnailCrop) mThumbnailCrop->setPreviewSize_Pixel96(size);
}

void Quirel_CropInfo::setVisiblePreviewSize_Pixel96(const SSizeDouble& size) {
  mVisiblePreviewSize_Pixel96 = size;
  if (mThumbnailCrop) mThumbnailCrop->setVisiblePreviewSize_Pixel96(size);
}

void Quirel_CropInfo::setRotation(int rotation) {
  mRotation = rotation;
  if (mThumbnailCrop) mThumbnailCrop->setRotation(rotation);
}

void Quirel_CropInfo::setMirror(bool mirror) {
  mMirror = mirror;
  if (mThumbnailCrop) mThumbnailCrop->setMirror(mirror);
}

void Quirel_CropInfo::setToneCurve(const ToneCurveValues& v) {
  mToneCurve = v;
  const std::int32_t* counts = v.setPointCount;
  setPointCounts(mToneCurve, ChannelValues{counts[0], counts[1], counts[2], counts[3]});
}

void Quirel_CropInfo::setMultiCropCorPoints(const SPointDouble points[4]) {
  if (!points) return;
  std::copy(points, points + 4, mMultiCropCorPoints);
}

void Quirel_CropInfo::getMultiCropCorPoints(SPointDouble points[4]) const {
  if (!points) return;
  std::copy(mMultiCropCorPoints, mMultiCropCorPoints + 4, points);
}

// ---------------------------------------------------------------------------------------------
// Frame views

void Quirel_CropInfo::setCropView(std::unique_ptr<CropFrameViewLink> view) { mCropView = std::move(view); }

void Quirel_CropInfo::removeCropView() {
  if (!mCropView) return;
  mCropView->removeFromSuperview();
  mCropView.reset();
}

void Quirel_CropInfo::setCropViewRotation(double angle) {
  mCropViewRotation = angle;
  if (mCropView) mCropView->setFrameRotation(angle);
}

void Quirel_CropInfo::setHidden(bool hidden) {
  if (mCropView) mCropView->setHidden(hidden);
}

bool Quirel_CropInfo::isHidden() const { return mCropView ? mCropView->isHidden() : true; }

void Quirel_CropInfo::setLineStyle(int style) {
  if (mCropView) mCropView->setLineStyle(style);
}

void Quirel_CropInfo::saveRect() { mTempCropViewRect = mCropView ? mCropView->frame() : fnd::Rect(); }

void Quirel_CropInfo::setSrcView() {
  removeSrcView();
  if (mCropView) mSrcView = mCropView->makeSourceView(mCropView->frame(), mCropView->getLineStyle());
}

void Quirel_CropInfo::removeSrcView() {
  if (!mSrcView) return;
  mSrcView->removeFromSuperview();
  mSrcView.reset();
}

// ---------------------------------------------------------------------------------------------
// Linked crops

void Quirel_CropInfo::setBaseCropOfDataPersistence(const Quirel_CropInfo* crop) {
  if (!crop) return;
  if (!mReferenceCrop) mReferenceCrop = std::make_unique<Quirel_CropInfo>();
  mReferenceCrop->copyCropInfo(crop);
}

void Quirel_CropInfo::removeBaseCropOfDataPersistence() {
  if (!mReferenceCrop) return;
  fnd::NotificationCenter::defaultCenter().post(kResetRetainNumberPost, this);
  mReferenceCrop.reset();
}

void Quirel_CropInfo::setBaseCropOfApplyToneValueToAll(const Quirel_CropInfo* crop) {
  if (!crop) {
    mAllExposureBaseCrop.reset();
    return;
  }
  if (!mAllExposureBaseCrop) mAllExposureBaseCrop = std::make_unique<Quirel_CropInfo>();
  mAllExposureBaseCrop->copyCropInfo(crop);
}

void Quirel_CropInfo::setThumbnailCrop(std::shared_ptr<Quirel_CropInfo> crop) {
  // Forwarding to itself would never end.
  if (crop.get() == this) return;
  mThumbnailCrop = std::move(crop);
}

// ---------------------------------------------------------------------------------------------
// Copies

void Quirel_CropInfo::copyCropInfo(const Quirel_CropInfo* other) {
  if (!other || other == this) return;
  const Quirel_CropInfo& o = *other;
  setImageSourceForStandard(o.getImageSourceForStandard());
  setDestination(o.getDestination());
  setImageSource(o.getImageSource());
  setPaperSize(o.getPaperSize());
  setColorMode(o.getColorMode());
  setUnit(o.getUnit());
  setInputX_Pixel96(o.getInputX_Pixel96());
  setInputY_Pixel96(o.getInputY_Pixel96());
  setInputWidth_Pixel96(o.getInputWidth_Pixel96());
  setInputHeight_Pixel96(o.getInputHeight_Pixel96());
  setFixesRatio(o.isFixesRatio());
  setRatio(o.getRatio());
  setResolution(o.getResolution());
  setOutputSize(o.getOutputSize());
  setDestination(o.getDestination());
  setOutputWidth_Pixel96(o.getOutputWidth_Pixel96());
  setOutputHeight_Pixel96(o.getOutputHeight_Pixel96());
  setMagnification(o.getMagnification());
  setAutoTone(o.getAutoTone());
  setColorAdjust(o.getColorAdjust());
  setCopyGamma(o.getCopyGamma());
  setUnsharpMask(o.getUnsharpMask());
  setDescreen(o.getDescreen());
  setReduceDust(o.getReduceDust());
  setReduceDustFAU(o.getReduceDustFAU());
  setRemoveDust(o.getRemoveDust());
  setFadingCorrect(o.getFadingCorrect());
  setGrainCorrect(o.getGrainCorrect());
  setBackLightCorrect(o.getBackLightCorrect());
  setBookCorrect(o.getBookCorrect());
  setAutoDocCorrect(o.getAutoDocCorrect());
  setExposure(o.isExposure());
  setExposureValue(o.getExposureValue());
  setApplyToneValueToAll(o.isApplyToneValueToAll());
  setExposureOfApplyToneValueToAll(o.isExposureOfApplyToneValueToAll());
  setExposureValueOfApplyToneValueToAll(o.getExposureValueOfApplyToneValueToAll());
  setPreviewViewSize(o.getPreviewViewSize());
  setPreviewSize_Pixel96(o.getPreviewSize_Pixel96());
  setVisiblePreviewSize_Pixel96(o.getVisiblePreviewSize_Pixel96());
  setPreviewStartPoint_Pixel96(o.getPreviewStartPoint_Pixel96());
  setColorBalance(o.getColorBalance());
  setToneBC_Channel(o.getToneBC_Channel());
  setToneBC(o.getToneBC());
  setHistogram_Channel(o.getHistogram_Channel());
  setHistogram(o.getHistogram());
  setToneCurve_Channel(o.getToneCurve_Channel());
  setToneCurve(o.getToneCurve());
  setThreshold(o.getThreshold());
  setRotation(o.getRotation());
  setMirror(o.getMirror());
  setcropCorRect(o.getcropCorRect());
  setRetainNumber(o.getRetainNumber());
  // Last, because it may drop this crop's base crop, which can be `other` itself.
  if (o.getBaseCropOfApplyToneValueToAll() != this) setBaseCropOfApplyToneValueToAll(o.getBaseCropOfApplyToneValueToAll());
}

void Quirel_CropInfo::copyCropInfoToThumbnailCrop(const Quirel_CropInfo* other) {
  if (!other || other == this) return;
  copyCropInfo(other);
  setBaseCropOfApplyToneValueToAll(nullptr);
  initData_ImageSetting();
  initData_ColorSetting();
}
