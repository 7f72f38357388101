#include "ui/model/UIScannerInfo.h"

#include <array>
#include <string_view>

#include "foundation/Bundle.h"

namespace {

void readFlag(const fnd::Dictionary& d, std::string_view key, bool& field) {
  if (const fnd::Value* v = d.find(key)) field = v->toBool();
}

void readInt(const fnd::Dictionary& d, std::string_view key, int& field) {
  if (const fnd::Value* v = d.find(key)) field = v->toInt();
}

void readDouble(const fnd::Dictionary& d, std::string_view key, double& field) {
  if (const fnd::Value* v = d.find(key)) field = v->toReal();
}

// One limit set of "MaxScanSize": each key only when present.
void readLimits(const fnd::Dictionary& maxScanSize, std::string_view kind, double& dataSize, int& width,
                int& height) {
  const fnd::Value* set = maxScanSize.find(kind);
  if (!set) return;
  const fnd::Dictionary& d = set->toDictionary();
  readDouble(d, "DataSize", dataSize);
  readInt(d, "Width", width);
  readInt(d, "Height", height);
}

}  // namespace

Quirel_UIScannerInfo::Quirel_UIScannerInfo() { initData(); }

Quirel_UIScannerInfo::Quirel_UIScannerInfo(const fnd::Dictionary& scannerInfo) {
  initData();
  readDictionary(scannerInfo);
  const std::string bundle = fnd::Bundle::main().pathForResource("quirel_r14", "bundle", "pictures");
  if (!bundle.empty()) mResourcesBundlePath = bundle;
}

void Quirel_UIScannerInfo::initData() {
  mVer310 = false;
  mVer1200Later = true;
  mVer1300Later = false;
  mVer1400Later = false;
  mVer1500Later = false;
  mVer1600Later = false;
  mVer1700Later = false;
  mVer1800Later = false;
  mVer1900Later = false;
  // mVer1910Later keeps its value: only the "ScannerInfo" entry sets it.
  mTrivoVer100Later = false;
  mCIS = true;
  mCCD = false;
  mMFP = false;
  mSFS = true;
  mFAU = false;
  mOneFrameFAU = false;
  mMountRotation90 = true;
  mAllFrameCheckIfOneFrame = false;
  mAllFrameSelectIfOneFrame = false;
  mADF = false;
  mTwoSidedADF = false;
  mRevisedADFOrientation = false;
  mAutoTone = true;
  mColorAdjust = false;
  mCopyGamma = false;
  mUnsharp = true;
  mDescreen = true;
  mReduceDust = true;
  mReduceDustForFAU = false;
  mVEXA = false;
  mFadingCorrect = true;
  mGrainCorrect = true;
  mBackLightCorrect = true;
  mBookCorrect = true;
  mAutoDocCorrect = false;
  mAutoPhotoCorrect = false;
  mRecommendedImageProc = false;
  mUseRACS2 = false;
  mHighQualityMode = false;
  mColorBalance = true;
  mColorPattern = false;
  mThresholdValue = 72;
  mBitEnabled = false;
  mEnableLargeScan = false;
  mColorDocument = true;
  mCloseSelect = true;
  mADF_OrderRejection = false;
  mIndexLayout = false;
  mADF_HighSpeed = false;
  mEnergySaveMode = false;
  mAutoPowerSetting = false;
  mQuietMode = false;
  mQuietModeSettingType = 0;
  mCalibration = false;
  mAlwaysCalibration = false;
  mManualCalibration = true;
  mPlatenCalibration = false;
  mFilmCalibration = false;
  mScannerTest = true;
  mAlwaysAutoTone = true;
  mDefaultAtStartUpPreview = 1;
  mMaxScanDataSize_24 = 0;
  mMaxScanWidth_24 = 21000;
  mMaxScanHeight_24 = 30000;
  mMaxScanDataSize_48 = 0;
  mMaxScanWidth_48 = 10000;
  mMaxScanHeight_48 = 30000;
  mMaxScanDataSize_L = 0;
  mMaxScanWidth_L = 0;
  mMaxScanHeight_L = 0;
  mMaxThumbnailDataSize_Color = 0;
  mMaxThumbnailDataSize_Gray = 0;
  mMaxThumbnailDataSize_BW = 0;
  mPlatenThumbnail = false;
  mFilmThumbnail = true;
  mDefaultPlatenThumbnail = false;
  mDefaultFilmThumbnail = true;
  mPlatenPreviewResolution = 75;
  mPlatenAutoCropResolution = 75;
  mSupportPortType = 0;
  mConnetctedPortType = 0;
  mMultiPagePDFFromApplication = false;
  mLargeScanFromApplication = 0;
  mDataFormatFromApplication = 0;
  mWindowMinSize = fnd::Size{850, 638};
  mImageDocumentTypeToSM = false;
  mPreviewDataMemFree = false;
  mRoundDownOutputSizeDialog = false;
  mLargeScanWarning = true;
}

void Quirel_UIScannerInfo::readDictionary(const fnd::Dictionary& d) {
  readFlag(d, "CIS", mCIS);
  readFlag(d, "CCD", mCCD);
  readFlag(d, "MFP", mMFP);
  readFlag(d, "SFS", mSFS);
  readFlag(d, "FAU", mFAU);
  readFlag(d, "OneFrameFAU", mOneFrameFAU);
  readFlag(d, "ADF", mADF);
  readFlag(d, "TwoSidedADF", mTwoSidedADF);
  readFlag(d, "PlatenThumbnail", mPlatenThumbnail);
  readFlag(d, "FilmThumbnail", mFilmThumbnail);
  readFlag(d, "AutoTone", mAutoTone);
  readFlag(d, "ImageAdjustment", mColorAdjust);
  readFlag(d, "CopyGamma", mCopyGamma);
  readFlag(d, "Unsharp", mUnsharp);
  readFlag(d, "Descreen", mDescreen);
  readFlag(d, "ReduceDust", mReduceDust);
  readFlag(d, "ReduceDustForFAU", mReduceDustForFAU);
  readFlag(d, "VEXA", mVEXA);
  readFlag(d, "FadingCorrect", mFadingCorrect);
  readFlag(d, "GrainCorrect", mGrainCorrect);
  readFlag(d, "BackLightCorrect", mBackLightCorrect);
  readFlag(d, "BookCorrect", mBookCorrect);
  readFlag(d, "AutoDocCorrect", mAutoDocCorrect);
  readFlag(d, "AutoPhotoCorrect", mAutoPhotoCorrect);
  readFlag(d, "RecommendedImageProc", mRecommendedImageProc);
  readFlag(d, "RACS2", mUseRACS2);
  readFlag(d, "HighQualityMode", mHighQualityMode);
  readFlag(d, "Calibration", mCalibration);
  readFlag(d, "ManualCalibration", mManualCalibration);
  readFlag(d, "AlwaysCalibration", mAlwaysCalibration);
  readFlag(d, "ColorBalance", mColorBalance);
  readFlag(d, "ColorPattern", mColorPattern);
  readInt(d, "ThresholdValue", mThresholdValue);
  readFlag(d, "EnergySaveMode", mEnergySaveMode);
  readFlag(d, "AutoPowerSetting", mAutoPowerSetting);
  readFlag(d, "QuietMode", mQuietMode);
  readInt(d, "QuietModeSettingType", mQuietModeSettingType);
  readFlag(d, "BitEnabled", mBitEnabled);
  readFlag(d, "EnableLargeScan", mEnableLargeScan);
  readFlag(d, "ColorDocument", mColorDocument);
  readFlag(d, "IndexLayout", mIndexLayout);
  readFlag(d, "CloseSelect", mCloseSelect);
  readFlag(d, "ADFSetting_HighSpeed", mADF_HighSpeed);
  readFlag(d, "ADFSetting_OrderRejection", mADF_OrderRejection);
  // Models without calibration-button keys show the buttons their calibration kinds allow.
  if (d.contains("PlatenCalbBottun")) {
    mPlatenCalibration = d.boolean("PlatenCalbBottun");
  } else {
    mPlatenCalibration = mManualCalibration;
  }
  if (d.contains("FilmCalbBottun")) {
    mFilmCalibration = d.boolean("FilmCalbBottun");
  } else {
    mFilmCalibration = mManualCalibration && mFAU;
  }
  readFlag(d, "ScannerTest", mScannerTest);
  mScannerName = d.contains("ScannerName") ? d.string("ScannerName") : std::string();
  readFlag(d, "AlwaysAutoTone", mAlwaysAutoTone);
  readInt(d, "StartUpPreview", mDefaultAtStartUpPreview);
  if (const fnd::Value* size = d.find("WindowMinSize")) {
    // Stored as single-precision numbers.
    mWindowMinSize.width = static_cast<double>(static_cast<float>((*size)["Width"].toReal()));
    mWindowMinSize.height = static_cast<double>(static_cast<float>((*size)["Height"].toReal()));
  }
  readFlag(d, "Ver310", mVer310);
  readFlag(d, "Ver1200Later", mVer1200Later);
  readFlag(d, "Ver1300Later", mVer1300Later);
  readFlag(d, "Ver1400Later", mVer1400Later);
  readFlag(d, "Ver1500Later", mVer1500Later);
  readFlag(d, "Ver1600Later", mVer1600Later);
  readFlag(d, "Ver1700Later", mVer1700Later);
  readFlag(d, "Ver1800Later", mVer1800Later);
  readFlag(d, "Ver1900Later", mVer1900Later);
  readFlag(d, "Ver1910Later", mVer1910Later);
  readFlag(d, "TrivoVer100Later", mTrivoVer100Later);
  readFlag(d, "MountRotation90", mMountRotation90);
  readFlag(d, "AllFrameCheckIfOneFrame", mAllFrameCheckIfOneFrame);
  readFlag(d, "AllFrameSelectIfOneFrame", mAllFrameSelectIfOneFrame);
  readFlag(d, "ImageDocumentTypeToSM", mImageDocumentTypeToSM);
  readFlag(d, "PreviewDataMemFree", mPreviewDataMemFree);
  if (const fnd::Value* limits = d.find("MaxScanSize")) {
    const fnd::Dictionary& m = limits->toDictionary();
    readLimits(m, "24bit", mMaxScanDataSize_24, mMaxScanWidth_24, mMaxScanHeight_24);
    readLimits(m, "48bit", mMaxScanDataSize_48, mMaxScanWidth_48, mMaxScanHeight_48);
    readLimits(m, "LargeScanSize", mMaxScanDataSize_L, mMaxScanWidth_L, mMaxScanHeight_L);
  }
  readDouble(d, "ColorThumbSize", mMaxThumbnailDataSize_Color);
  readDouble(d, "GrayThumbSize", mMaxThumbnailDataSize_Gray);
  readDouble(d, "BWThumbSize", mMaxThumbnailDataSize_BW);
  readFlag(d, "RevisedADFOrientation", mRevisedADFOrientation);
  readFlag(d, "PlatenDefaultThumb", mDefaultPlatenThumbnail);
  readFlag(d, "FilmDefaultThumb", mDefaultFilmThumbnail);
  readFlag(d, "RoundDownOutputSizeDialog", mRoundDownOutputSizeDialog);
  readFlag(d, "LargeScanWarning", mLargeScanWarning);
  readInt(d, "PlatenAutoCropResolution", mPlatenAutoCropResolution);
}

void Quirel_UIScannerInfo::setInitSettingData(const fnd::Dictionary* initSetting) {
  if (!initSetting) return;
  const fnd::Dictionary& d = *initSetting;
  if (const fnd::Value* flatbed = d.find("Flatbed")) {
    if (const fnd::Value* res = flatbed->toDictionary().find("PreviewResX")) mPlatenPreviewResolution = res->toInt();
  }
  readInt(d, "SupportPortType", mSupportPortType);
  if (const fnd::Value* port = d.find("PortType"); port && port->isString()) {
    static constexpr std::array<std::string_view, 4> kPortTypes = {"USB1.1", "USB2.0", "LAN", "Wireless LAN"};
    const std::string& text = port->toString();
    for (std::size_t i = 0; i < kPortTypes.size(); ++i) {
      if (text == kPortTypes[i]) {
        mConnetctedPortType = static_cast<int>(i);
        break;
      }
    }
  }
  if (const fnd::Value* version = d.find("Version")) mDriverVersion = version->toString();
  if (const fnd::Value* name = d.find("WebMDeviceName")) mTwainDsWebMDeviceName = name->toString();
}

void Quirel_UIScannerInfo::setTWAINRequest(const fnd::Dictionary* request) {
  if (!request) return;
  const fnd::Dictionary& d = *request;
  if (const fnd::Value* title = d.find("DeviceNameTitle")) mTwainDsDeviceName = title->toString();
  if (const fnd::Value* pdf = d.find("MultiPagePDFScan"); pdf && pdf->toInt() == 1) {
    mMultiPagePDFFromApplication = true;
  }
  const fnd::Value* width = d.find("MaxScanPixelWidth");
  const fnd::Value* height = d.find("MaxScanPixelHeight");
  // All three limit sets take the application's limit, or none does.
  if (width && height && width->toInt() >= 0 && height->toInt() >= 0) {
    mMaxScanWidth_24 = mMaxScanWidth_48 = mMaxScanWidth_L = width->toInt();
    mMaxScanHeight_24 = mMaxScanHeight_48 = mMaxScanHeight_L = height->toInt();
    mMaxScanDataSize_24 = mMaxScanDataSize_48 = mMaxScanDataSize_L = 0;
  }
  if (const fnd::Value* large = d.find("LargeImageScan")) {
    const int value = large->toInt();
    if (value >= 0 && value <= 2) mLargeScanFromApplication = value;
  }
  if (const fnd::Value* format = d.find("ImageDataFormat")) mDataFormatFromApplication = format->toInt();
}

void Quirel_UIScannerInfo::setTwainDsWebMDeviceName(const std::optional<std::string>& name) {
  if (name) mTwainDsWebMDeviceName = *name;
}

double Quirel_UIScannerInfo::maxThumbnailDataSizeAtColorMode(int colorMode) const {
  switch (colorMode) {
    case 3:
    case 4:
    case 5: return mMaxThumbnailDataSize_Color;
    case 1:
    case 2: return mMaxThumbnailDataSize_Gray;
    case 0: return mMaxThumbnailDataSize_BW;
    default: return 0;
  }
}
