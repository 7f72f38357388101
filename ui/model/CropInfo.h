#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "foundation/Geometry.h"
#include "foundation/Value.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/CropValueGroups.h"
#include "ui/model/Units.h"

// The notification a crop posts (itself as sender) when it drops its reference crop, so the
// preview model can forget the data it retained for it.
inline constexpr const char* kResetRetainNumberPost = "resetRetainNumberPost";

// One crop frame and every setting that belongs to it: source and colour mode, input rectangle,
// output size and resolution, image corrections, exposure, colour balance, brightness and
// contrast, histogram points, tone curve, threshold, rotation and mirroring, and the preview
// geometry in which it was drawn. Lengths ending in _Pixel96 are pixels at the platen resolution.
//
// Ownership: the crop owns its frame view and source view, its reference crop and apply-to-all
// base crop (private copies) and its three image buffers. Its thumbnail crop is shared with the
// thumbnail that saved it. Crops themselves are shared by the scan modes' lists and the
// thumbnails (std::shared_ptr). Main thread only.
// The scan module hands crop images over as malloc'ed blocks; they are adopted as they are and
// released with free.
struct CropImageFree {
  void operator()(std::uint8_t* p) const { std::free(p); }
};
using CropImage = std::unique_ptr<std::uint8_t[], CropImageFree>;

class Quirel_CropInfo {
 public:
  // The defaults.
  Quirel_CropInfo();
  // The defaults, then setDictionary().
  explicit Quirel_CropInfo(const fnd::Dictionary& dictionary);
  // Posts kResetRetainNumberPost when a reference crop exists.
  ~Quirel_CropInfo();
  Quirel_CropInfo(const Quirel_CropInfo&) = delete;
  Quirel_CropInfo& operator=(const Quirel_CropInfo&) = delete;

  // Defaults of every setting (views, buffers and the thumbnail crop are left alone).
  void initData();
  // Corrections and exposure to their defaults; drops the reference and base crops silently.
  void initData_ImageSetting();
  // Colour balance, brightness/contrast, histogram and tone curve to their defaults; the
  // threshold becomes 72 only when it is 0.
  void initData_ColorSetting();

  // Bytes of the scan at the crop's resolution and colour mode; `resolution` is the one in which
  // the _Pixel96 lengths are counted.
  std::uint64_t getDataSize(double resolution) const;

  // The property-list form (70 keys) and its reader; every key is optional when reading, and
  // dictionaries without "PreviewStartPoint" are read as the older centimetre form.
  fnd::Dictionary getDictionary() const;
  void setDictionary(const fnd::Dictionary& dictionary);

  // Copies the settings of `other` through the setters (so this crop's thumbnail crop follows).
  // Nothing happens for null or for this crop itself.
  void copyCropInfo(const Quirel_CropInfo* other);
  // As copyCropInfo, then no apply-to-all base crop and default corrections and tone values.
  void copyCropInfoToThumbnailCrop(const Quirel_CropInfo* other);

  // --- Frame view (no-ops without one unless said)
  void setCropView(std::unique_ptr<CropFrameViewLink> view);
  CropFrameViewLink* getCropView() const { return mCropView.get(); }
  bool hasCropView() const { return mCropView != nullptr; }
  void removeCropView();
  void setCropViewRotation(double angle);
  double getCropViewRotation() const { return mCropViewRotation; }
  void setHidden(bool hidden);
  // YES without a view.
  bool isHidden() const;
  void setLineStyle(int style);
  void saveRect();
  fnd::Rect getSaveRect() const { return mTempCropViewRect; }
  // Replaces the source view with a new one beside the crop's view (same frame and line
  // style). Without a crop view there is nowhere to show one: the old one is dropped only.
  void setSrcView();
  void removeSrcView();
  CropFrameViewLink* getSrcView() const { return mSrcView.get(); }

  // --- Linked crops
  // A private copy of `crop`, kept as the reference of retained data. Null does nothing.
  void setBaseCropOfDataPersistence(const Quirel_CropInfo* crop);
  Quirel_CropInfo* getBaseCropOfDataPersistence() const { return mReferenceCrop.get(); }
  void removeBaseCropOfDataPersistence();
  // A private copy of `crop`; null drops it.
  void setBaseCropOfApplyToneValueToAll(const Quirel_CropInfo* crop);
  Quirel_CropInfo* getBaseCropOfApplyToneValueToAll() const { return mAllExposureBaseCrop.get(); }
  // The crop to which the shared setters forward. A crop cannot be its own thumbnail crop.
  void setThumbnailCrop(std::shared_ptr<Quirel_CropInfo> crop);
  void removeThumbnailCrop() { mThumbnailCrop.reset(); }
  const std::shared_ptr<Quirel_CropInfo>& getThumbnailCrop() const { return mThumbnailCrop; }

  // --- State of the frame on the preview
  int getCropMode() const { return mCropMode; }
  void setCropMode(int mode) { mCropMode = mode; }
  int getResizeMode() const { return mResizeMode; }
  void setResizeMode(int mode) { mResizeMode = mode; }
  bool isFocus() const { return mFocus; }
  void setFocus(bool focus);
  bool isSelected() const { return mSelected; }
  void setSelect(bool selected);
  bool isMultiCrop() const { return mMultiCrop; }
  void setMultiCrop(bool multiCrop) { mMultiCrop = multiCrop; }
  void setMultiCropCorPoints(const SPointDouble points[4]);
  void getMultiCropCorPoints(SPointDouble points[4]) const;

  // --- Input setting
  int getImageSource() const { return mImageSource; }
  void setImageSource(int source);
  int getImageSourceForStandard() const { return mSimImageSource; }
  void setImageSourceForStandard(int source);
  int getColorMode() const { return mColorMode; }
  void setColorMode(int mode);
  int getPaperSize() const { return mPaperSize; }
  void setPaperSize(int size);
  int getUnit() const { return mUnit; }
  void setUnit(int unit) { mUnit = unit; }

  SRectDouble getInputRect_Pixel96() const { return mInputRect_Pixel96; }
  void setInputRect_Pixel96(const SRectDouble& rect) { mInputRect_Pixel96 = rect; }
  SPointDouble getInputPoint_Pixel96() const { return mInputRect_Pixel96.origin; }
  void setInputPoint_Pixel96(double x, double y) { mInputRect_Pixel96.origin = {x, y}; }
  SSizeDouble getInputSize_Pixel96() const { return mInputRect_Pixel96.size; }
  void setInputSize_Pixel96(double width, double height) { mInputRect_Pixel96.size = {width, height}; }
  double getInputX_Pixel96() const { return mInputRect_Pixel96.origin.x; }
  void setInputX_Pixel96(double x) { mInputRect_Pixel96.origin.x = x; }
  double getInputY_Pixel96() const { return mInputRect_Pixel96.origin.y; }
  void setInputY_Pixel96(double y) { mInputRect_Pixel96.origin.y = y; }
  double getInputWidth_Pixel96() const { return mInputRect_Pixel96.size.width; }
  void setInputWidth_Pixel96(double width) { mInputRect_Pixel96.size.width = width; }
  double getInputHeight_Pixel96() const { return mInputRect_Pixel96.size.height; }
  void setInputHeight_Pixel96(double height) { mInputRect_Pixel96.size.height = height; }

  // --- Output setting
  bool isFixesRatio() const { return mFixesRatio; }
  void setFixesRatio(bool fixes) { mFixesRatio = fixes; }
  SSizeDouble getRatio() const { return mRatio; }
  void setRatio(const SSizeDouble& ratio) { mRatio = ratio; }
  void setRatio(double width, double height) { mRatio = {width, height}; }
  int getResolution() const { return mResolution; }
  void setResolution(int resolution) { mResolution = resolution; }
  int getOutputSize() const { return mOutputSize; }
  void setOutputSize(int outputSize) { mOutputSize = outputSize; }
  int getTempOutputSize() const { return mTempOutputSize; }
  void setTempOutputSize(int outputSize) { mTempOutputSize = outputSize; }
  int getDestination() const { return mDestination; }
  void setDestination(int destination);
  SSizeDouble getOutputSize_Pixel96() const { return mOutputSize_Pixel96; }
  void setOutputSize_Pixel96(const SSizeDouble& size) { mOutputSize_Pixel96 = size; }
  double getOutputWidth_Pixel96() const { return mOutputSize_Pixel96.width; }
  void setOutputWidth_Pixel96(double width) { mOutputSize_Pixel96.width = width; }
  double getOutputHeight_Pixel96() const { return mOutputSize_Pixel96.height; }
  void setOutputHeight_Pixel96(double height) { mOutputSize_Pixel96.height = height; }
  int getMagnification() const { return mMagnification; }
  void setMagnification(int percent) { mMagnification = percent; }

  // --- Image setting
  int getAutoTone() const { return mAutoTone; }
  void setAutoTone(int v) { mAutoTone = v; }
  int getRetainNumber() const { return mRetainNumber; }
  void setRetainNumber(int v) { mRetainNumber = v; }
  void clearRetainNumber() { mRetainNumber = 0; }
  int getColorAdjust() const { return mColorAdjust; }
  void setColorAdjust(int v) { mColorAdjust = v; }
  int getCopyGamma() const { return mCopyGamma; }
  void setCopyGamma(int v) { mCopyGamma = v; }
  int getUnsharpMask() const { return mUnsharpMask; }
  void setUnsharpMask(int v) { mUnsharpMask = v; }
  int getDescreen() const { return mDescreen; }
  void setDescreen(int v) { mDescreen = v; }
  int getReduceDust() const { return mReduceDust; }
  void setReduceDust(int v) { mReduceDust = v; }
  int getReduceDustFAU() const { return mReduceDustFAU; }
  void setReduceDustFAU(int v) { mReduceDustFAU = v; }
  int getRemoveDust() const { return mRemoveDust; }
  void setRemoveDust(int v) { mRemoveDust = v; }
  int getFadingCorrect() const { return mFadingCorrect; }
  void setFadingCorrect(int v) { mFadingCorrect = v; }
  int getGrainCorrect() const { return mGrainCorrect; }
  void setGrainCorrect(int v) { mGrainCorrect = v; }
  int getBackLightCorrect() const { return mBLightCorrect; }
  void setBackLightCorrect(int v) { mBLightCorrect = v; }
  int getBookCorrect() const { return mBookCorrect; }
  void setBookCorrect(int v) { mBookCorrect = v; }
  int getAutoDocCorrect() const { return mAutoDocCorrect; }
  void setAutoDocCorrect(int v) { mAutoDocCorrect = v; }
  int getAutoPhotoCorrect() const { return mAutoPhotoCorrect; }
  void setAutoPhotoCorrect(int v) { mAutoPhotoCorrect = v; }
  bool isExposure() const { return mExposure; }
  void setExposure(bool on) { mExposure = on; }
  int getExposureValue() const { return mExposureValue; }
  void setExposureValue(int v) { mExposureValue = v; }
  bool isApplyToneValueToAll() const { return mAllExposure; }
  void setApplyToneValueToAll(bool on) { mAllExposure = on; }
  bool isExposureOfApplyToneValueToAll() const { return mAllExposureBase; }
  void setExposureOfApplyToneValueToAll(bool on) { mAllExposureBase = on; }
  int getExposureValueOfApplyToneValueToAll() const { return mAllExposureBaseValue; }
  void setExposureValueOfApplyToneValueToAll(int v) { mAllExposureBaseValue = v; }

  // --- Colour setting
  ColorBalanceValues getColorBalance() const { return mColorBalance; }
  void setColorBalance(const ColorBalanceValues& v) { mColorBalance = v; }
  int getToneBC_Channel() const { return mToneBC_Channel; }
  void setToneBC_Channel(int channel) { mToneBC_Channel = channel; }
  ToneBCValues getToneBC() const { return mToneBC; }
  void setToneBC(const ToneBCValues& v) { mToneBC = v; }
  int getHistogram_Channel() const { return mHistogram_Channel; }
  void setHistogram_Channel(int channel) { mHistogram_Channel = channel; }
  HistogramValues getHistogram() const { return mHistogram; }
  void setHistogram(const HistogramValues& v) { mHistogram = v; }
  int getToneCurve_Channel() const { return mToneCurve_Channel; }
  void setToneCurve_Channel(int channel) { mToneCurve_Channel = channel; }
  const ToneCurveValues& getToneCurve() const { return mToneCurve; }
  // Point counts are kept within 0..15.
  void setToneCurve(const ToneCurveValues& v);
  int getThreshold() const { return mThreshold; }
  void setThreshold(int threshold) { mThreshold = threshold; }

  // --- Preview setting
  int getRotation() const { return mRotation; }
  void setRotation(int rotation);
  bool getMirror() const { return mMirror; }
  void setMirror(bool mirror);
  fnd::Size getPreviewViewSize() const { return mPreviewViewSize; }
  void setPreviewViewSize(const fnd::Size& size);
  SSizeDouble getPreviewSize_Pixel96() const { return mPreviewSize_Pixel96; }
  void setPreviewSize_Pixel96(const SSizeDouble& size);
  SSizeDouble getVisiblePreviewSize_Pixel96() const { return mVisiblePreviewSize_Pixel96; }
  void setVisiblePreviewSize_Pixel96(const SSizeDouble& size);
  SPointDouble getPreviewStartPoint_Pixel96() const { return mPreviewStartPoint_Pixel96; }
  void setPreviewStartPoint_Pixel96(const SPointDouble& point) { mPreviewStartPoint_Pixel96 = point; }

  // --- Corrected preview image: rectangle in preview pixels and RGB buffers (3 bytes a pixel)
  void getcropCorRect(SRectDouble* rect) const {
    if (rect) *rect = mcropCorRect;
  }
  SRectDouble getcropCorRect() const { return mcropCorRect; }
  void setcropCorRect(const SRectDouble& rect) { mcropCorRect = rect; }
  // The setters take the buffer and free the one they replace.
  std::uint8_t* getcropCorData() const { return mcropCorData.get(); }
  void setcropCorData(CropImage data) { mcropCorData = std::move(data); }
  std::uint8_t* getcropBefData() const { return mcropBefData.get(); }
  void setcropBefData(CropImage data) { mcropBefData = std::move(data); }
  std::uint8_t* getCropHSLData() const { return mCropHSLData.get(); }
  void setCropHSLData(CropImage data) { mCropHSLData = std::move(data); }
  void releaseCropHSLData() { mCropHSLData.reset(); }

 private:
  void readImageSetting(const fnd::Dictionary& d);
  void readColorSetting(const fnd::Dictionary& d);
  void readPreviewSetting(const fnd::Dictionary& d, bool modern);

  std::unique_ptr<CropFrameViewLink> mCropView;
  int mCropMode = 0;
  int mResizeMode = 0;
  bool mFocus = false;
  bool mSelected = false;
  int mImageSource = 0;
  int mSimImageSource = 0;
  int mColorMode = 3;
  int mPaperSize = 0;
  SRectDouble mInputRect_Pixel96{};
  bool mFixesRatio = false;
  SSizeDouble mRatio{};
  int mUnit = 2;
  int mResolution = 300;
  int mOutputSize = 0;
  int mTempOutputSize = 0;
  int mDestination = 0;
  SSizeDouble mOutputSize_Pixel96{};
  int mMagnification = 100;
  int mAutoTone = 0;
  std::unique_ptr<Quirel_CropInfo> mReferenceCrop;
  int mRetainNumber = 0;
  int mColorAdjust = 0;
  int mCopyGamma = 0;
  int mUnsharpMask = 0;
  int mDescreen = 0;
  int mReduceDust = 0;
  int mReduceDustFAU = 0;
  int mRemoveDust = 0;
  int mFadingCorrect = 0;
  int mGrainCorrect = 0;
  int mBLightCorrect = 0;
  int mBookCorrect = 0;
  int mAutoDocCorrect = 0;
  int mAutoPhotoCorrect = 0;
  bool mExposure = false;
  int mExposureValue = 100;
  bool mAllExposure = false;
  bool mAllExposureBase = false;
  int mAllExposureBaseValue = 100;
  std::unique_ptr<Quirel_CropInfo> mAllExposureBaseCrop;
  ColorBalanceValues mColorBalance{};
  int mToneBC_Channel = 0;
  ToneBCValues mToneBC{};
  int mHistogram_Channel = 0;
  HistogramValues mHistogram{};
  int mToneCurve_Channel = 0;
  ToneCurveValues mToneCurve{};
  int mThreshold = 0;
  int mRotation = 0;
  bool mMirror = false;
  fnd::Size mPreviewViewSize;
  SSizeDouble mPreviewSize_Pixel96{};
  SSizeDouble mVisiblePreviewSize_Pixel96{};
  SPointDouble mPreviewStartPoint_Pixel96{};
  SRectDouble mcropCorRect{};
  CropImage mcropCorData;
  CropImage mcropBefData;
  CropImage mCropHSLData;
  bool mMultiCrop = false;
  double mCropViewRotation = 0;
  SPointDouble mMultiCropCorPoints[4]{};
  std::shared_ptr<Quirel_CropInfo> mThumbnailCrop;
  fnd::Rect mTempCropViewRect;
  std::unique_ptr<CropFrameViewLink> mSrcView;
};
