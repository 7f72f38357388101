#pragma once

#include <optional>
#include <string>

#include "foundation/Geometry.h"
#include "foundation/Value.h"

// What the connected scanner model can do and how its screens are to look. Filled once when the
// user interface opens, in this order: the "ScannerInfo" entry of the model's user-interface
// parameters (constructor), the initial settings (setInitSettingData), the calling application's
// request (setTWAINRequest), the web-manual device name (setTwainDsWebMDeviceName). Read-only
// afterwards; every scan mode and dialog asks it through its getters.
class Quirel_UIScannerInfo {
 public:
  // The defaults; no scanner name and no resource bundle path.
  Quirel_UIScannerInfo();
  // The defaults, then every key the entry holds; also looks up the
  // resource bundle path. Missing calibration-button keys follow the calibration flags read.
  explicit Quirel_UIScannerInfo(const fnd::Dictionary& scannerInfo);

  // Every default of the record (the 1910 version flag and the strings are left as they are).
  void initData();

  // Initial settings: "Flatbed" → "PreviewResX", "SupportPortType", "PortType", "Version",
  // "WebMDeviceName". Missing keys change nothing.
  void setInitSettingData(const fnd::Dictionary* initSetting);
  // The application's request: "DeviceNameTitle", "MultiPagePDFScan", "MaxScanPixelWidth" with
  // "MaxScanPixelHeight" (all nine limits or none), "LargeImageScan", "ImageDataFormat".
  void setTWAINRequest(const fnd::Dictionary* request);
  void setTwainDsWebMDeviceName(const std::optional<std::string>& name);

  // Version flags.
  bool isVer310() const { return mVer310; }
  bool isVer1200Later() const { return mVer1200Later; }
  bool isVer1300Later() const { return mVer1300Later; }
  bool isVer1400Later() const { return mVer1400Later; }
  bool isVer1500Later() const { return mVer1500Later; }
  bool isVer1600Later() const { return mVer1600Later; }
  bool isVer1700Later() const { return mVer1700Later; }
  bool isVer1800Later() const { return mVer1800Later; }
  bool isVer1900Later() const { return mVer1900Later; }
  bool isVer1910Later() const { return mVer1910Later; }
  bool isTrivoVer100Later() const { return mTrivoVer100Later; }

  // Sensor, unit and source.
  bool isCIS() const { return mCIS; }
  bool isCCD() const { return mCCD; }
  bool isMFP() const { return mMFP; }
  bool isSFS() const { return mSFS; }
  bool isFAU() const { return mFAU; }
  bool isOneFrameFAU() const { return mOneFrameFAU; }
  bool mountRotation90() const { return mMountRotation90; }
  bool enabledAllFrameCheckIfOneFrame() const { return mAllFrameCheckIfOneFrame; }
  bool enabledAllFrameSelectIfOneFrame() const { return mAllFrameSelectIfOneFrame; }
  bool isADF() const { return mADF; }
  bool isTwoSidedADF() const { return mTwoSidedADF; }
  bool isRevisedADFOrientation() const { return mRevisedADFOrientation; }

  // Image corrections and dialogs.
  bool AutoTone() const { return mAutoTone; }
  bool ColorAdjust() const { return mColorAdjust; }
  bool CopyGamma() const { return mCopyGamma; }
  bool Unsharp() const { return mUnsharp; }
  bool Descreen() const { return mDescreen; }
  bool ReduceDust() const { return mReduceDust; }
  bool ReduceDustForFAU() const { return mReduceDustForFAU; }
  bool VEXA() const { return mVEXA; }
  bool FadingCorrect() const { return mFadingCorrect; }
  bool GrainCorrect() const { return mGrainCorrect; }
  bool BackLightCorrect() const { return mBackLightCorrect; }
  bool BookCorrect() const { return mBookCorrect; }
  bool AutoDocCorrect() const { return mAutoDocCorrect; }
  bool AutoPhotoCorrect() const { return mAutoPhotoCorrect; }
  bool recommendedImageProc() const { return mRecommendedImageProc; }
  bool useRACS2() const { return mUseRACS2; }
  bool highQualityMode() const { return mHighQualityMode; }
  bool colorBalance() const { return mColorBalance; }
  bool colorPattern() const { return mColorPattern; }
  int thresholdValue() const { return mThresholdValue; }
  bool bitEnabled() const { return mBitEnabled; }
  bool enableLargeScan() const { return mEnableLargeScan; }
  bool colorDocument() const { return mColorDocument; }
  bool closeSelect() const { return mCloseSelect; }
  bool adf_OrderRejection() const { return mADF_OrderRejection; }
  bool indexLayout() const { return mIndexLayout; }
  bool adf_HighSpeed() const { return mADF_HighSpeed; }

  // Power, quiet mode, calibration.
  bool energySaveMode() const { return mEnergySaveMode; }
  bool autoPowerSetting() const { return mAutoPowerSetting; }
  bool quietMode() const { return mQuietMode; }
  int quietModeSettingType() const { return mQuietModeSettingType; }
  bool calibration() const { return mCalibration; }
  bool alwaysCalibration() const { return mAlwaysCalibration; }
  bool manualCalibration() const { return mManualCalibration; }
  bool platenCalibration() const { return mPlatenCalibration; }
  bool filmCalibration() const { return mFilmCalibration; }
  bool scannerTest() const { return mScannerTest; }

  // "" after the dictionary constructor when the entry has no name; absent after the default constructor.
  const std::optional<std::string>& scannerName() const { return mScannerName; }
  bool alwaysAutoTone() const { return mAlwaysAutoTone; }
  int defaultAtStartUpPreview() const { return mDefaultAtStartUpPreview; }

  // Size limits (pixels; data sizes in bytes, 0 = no limit of that kind).
  double maxScanDataSize_24() const { return mMaxScanDataSize_24; }
  int maxScanWidth_24() const { return mMaxScanWidth_24; }
  int maxScanHeight_24() const { return mMaxScanHeight_24; }
  double maxScanDataSize_48() const { return mMaxScanDataSize_48; }
  int maxScanWidth_48() const { return mMaxScanWidth_48; }
  int maxScanHeight_48() const { return mMaxScanHeight_48; }
  double maxScanDataSize_L() const { return mMaxScanDataSize_L; }
  int maxScanWidth_L() const { return mMaxScanWidth_L; }
  int maxScanHeight_L() const { return mMaxScanHeight_L; }

  // Thumbnails.
  double maxThumbnailDataSize_Color() const { return mMaxThumbnailDataSize_Color; }
  double maxThumbnailDataSize_Gray() const { return mMaxThumbnailDataSize_Gray; }
  double maxThumbnailDataSize_BW() const { return mMaxThumbnailDataSize_BW; }
  // Colour modes 3, 4, 5 colour; 1, 2 grey; 0 black and white; any other 0.
  double maxThumbnailDataSizeAtColorMode(int colorMode) const;
  bool platenThumbnail() const { return mPlatenThumbnail; }
  bool filmThumbnail() const { return mFilmThumbnail; }
  bool defaultPlatenThumbnail() const { return mDefaultPlatenThumbnail; }
  bool defaultFilmThumbnail() const { return mDefaultFilmThumbnail; }
  int platenPreviewResolution() const { return mPlatenPreviewResolution; }
  int platenAutoCropResolution() const { return mPlatenAutoCropResolution; }

  // Connection: 0 USB1.1, 1 USB2.0, 2 LAN, 3 wireless LAN.
  int supportPortType() const { return mSupportPortType; }
  int connetctedPortType() const { return mConnetctedPortType; }

  // Strings from the initial settings and the request; absent when never given.
  std::optional<std::string> driverVersion() const { return mDriverVersion; }
  std::optional<std::string> twainDsDeviceName() const { return mTwainDsDeviceName; }
  std::optional<std::string> twainDsWebMDeviceName() const { return mTwainDsWebMDeviceName; }
  std::optional<std::string> resourcesBundlePath() const { return mResourcesBundlePath; }

  // Requests of the calling application.
  bool multiPagePDFFromApplication() const { return mMultiPagePDFFromApplication; }
  int largeScanFromApplication() const { return mLargeScanFromApplication; }
  int dataFormatFromApplication() const { return mDataFormatFromApplication; }

  fnd::Size windowMinSize() const { return mWindowMinSize; }
  bool needsImageDocumentTypeToSM() const { return mImageDocumentTypeToSM; }
  bool isPreviewDataMemFree() const { return mPreviewDataMemFree; }
  bool roundDownOutputSizeDialog() const { return mRoundDownOutputSizeDialog; }
  bool isLargeScanWarning() const { return mLargeScanWarning; }

 private:
  void readDictionary(const fnd::Dictionary& entry);

  bool mVer310 = false;
  bool mVer1200Later = false;
  bool mVer1300Later = false;
  bool mVer1400Later = false;
  bool mVer1500Later = false;
  bool mVer1600Later = false;
  bool mVer1700Later = false;
  bool mVer1800Later = false;
  bool mVer1900Later = false;
  bool mVer1910Later = false;
  bool mTrivoVer100Later = false;
  bool mCIS = false;
  bool mCCD = false;
  bool mMFP = false;
  bool mSFS = false;
  bool mFAU = false;
  bool mOneFrameFAU = false;
  bool mMountRotation90 = false;
  bool mAllFrameCheckIfOneFrame = false;
  bool mAllFrameSelectIfOneFrame = false;
  bool mADF = false;
  bool mTwoSidedADF = false;
  bool mRevisedADFOrientation = false;
  bool mAutoTone = false;
  bool mColorAdjust = false;
  bool mCopyGamma = false;
  bool mUnsharp = false;
  bool mDescreen = false;
  bool mReduceDust = false;
  bool mReduceDustForFAU = false;
  bool mVEXA = false;
  bool mFadingCorrect = false;
  bool mGrainCorrect = false;
  bool mBackLightCorrect = false;
  bool mBookCorrect = false;
  bool mAutoDocCorrect = false;
  bool mAutoPhotoCorrect = false;
  bool mRecommendedImageProc = false;
  bool mUseRACS2 = false;
  bool mHighQualityMode = false;
  bool mColorBalance = false;
  bool mColorPattern = false;
  int mThresholdValue = 0;
  bool mBitEnabled = false;
  bool mEnableLargeScan = false;
  bool mColorDocument = false;
  bool mCloseSelect = false;
  bool mADF_OrderRejection = false;
  bool mIndexLayout = false;
  bool mADF_HighSpeed = false;
  bool mEnergySaveMode = false;
  bool mAutoPowerSetting = false;
  bool mQuietMode = false;
  int mQuietModeSettingType = 0;
  bool mCalibration = false;
  bool mAlwaysCalibration = false;
  bool mManualCalibration = false;
  bool mPlatenCalibration = false;
  bool mFilmCalibration = false;
  bool mScannerTest = false;
  std::optional<std::string> mScannerName;
  bool mAlwaysAutoTone = false;
  int mDefaultAtStartUpPreview = 0;
  double mMaxScanDataSize_24 = 0;
  int mMaxScanWidth_24 = 0;
  int mMaxScanHeight_24 = 0;
  double mMaxScanDataSize_48 = 0;
  int mMaxScanWidth_48 = 0;
  int mMaxScanHeight_48 = 0;
  double mMaxScanDataSize_L = 0;
  int mMaxScanWidth_L = 0;
  int mMaxScanHeight_L = 0;
  double mMaxThumbnailDataSize_Color = 0;
  double mMaxThumbnailDataSize_Gray = 0;
  double mMaxThumbnailDataSize_BW = 0;
  bool mPlatenThumbnail = false;
  bool mFilmThumbnail = false;
  bool mDefaultPlatenThumbnail = false;
  bool mDefaultFilmThumbnail = false;
  int mPlatenPreviewResolution = 0;
  int mPlatenAutoCropResolution = 0;
  int mSupportPortType = 0;
  int mConnetctedPortType = 0;
  std::optional<std::string> mDriverVersion;
  std::optional<std::string> mTwainDsDeviceName;
  bool mMultiPagePDFFromApplication = false;
  int mLargeScanFromApplication = 0;
  int mDataFormatFromApplication = 0;
  std::optional<std::string> mTwainDsWebMDeviceName;
  fnd::Size mWindowMinSize;
  std::optional<std::string> mResourcesBundlePath;
  bool mImageDocumentTypeToSM = false;
  bool mPreviewDataMemFree = false;
  bool mRoundDownOutputSizeDialog = false;
  bool mLargeScanWarning = false;
};
