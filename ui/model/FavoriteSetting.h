#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Value.h"
#include "ui/model/CropValueGroups.h"
#include "ui/model/OutputSize.h"
#include "ui/model/PreferenceInfo.h"

class Quirel_CropInfo;

// A named snapshot of the advanced mode's settings for one image source: input and output
// settings of the focused crop, image corrections, tone values, the state of the settings panel
// and its dialogs, a full preference set (applied with Quirel_PreferenceInfo::setDataFromFavorite)
// and whether each confirmation message is still shown. "Favorite.xml" in the settings folder is
// an array of these entries: platen entries first, then negative film, then positive film.
//
// Owns its crop records (private copies); dialog state and bookmarks are shared objects.
class Quirel_FavoriteSetting {
 public:
  using Bookmark = Quirel_PreferenceInfo::Bookmark;
  static constexpr const char* kFileName = "Favorite.xml";

  // The defaults, index 0, no name.
  Quirel_FavoriteSetting();
  // The defaults with the given index and name.
  Quirel_FavoriteSetting(int index, const std::optional<std::string>& name);
  // From a stored entry. An entry without "Name" reads with no name.
  explicit Quirel_FavoriteSetting(const fnd::Dictionary& entry);
  ~Quirel_FavoriteSetting();
  Quirel_FavoriteSetting(const Quirel_FavoriteSetting&) = delete;
  Quirel_FavoriteSetting& operator=(const Quirel_FavoriteSetting&) = delete;

  void initData();
  Quirel_FavoriteSetting& setValue(int index, const std::optional<std::string>& name);
  fnd::Dictionary getDictionary() const;

  // "Favorite.xml" in `folder`.
  static std::string filePath(const std::string& folder);
  // The entries stored in `folder`, in file order; none when the file is missing or unreadable.
  static std::vector<std::unique_ptr<Quirel_FavoriteSetting>> readFromFolder(const std::string& folder);
  // Writes the three lists in that order, atomically, followed by what the file held that no
  // list shows (entries of other image sources, elements that are no entries), as read.
  static bool writeToFolder(const std::string& folder, const std::vector<const Quirel_FavoriteSetting*>& platen,
                            const std::vector<const Quirel_FavoriteSetting*>& negative,
                            const std::vector<const Quirel_FavoriteSetting*>& positive, std::string* error = nullptr);

  int getIndex() const { return mIndex; }
  void setName(const std::optional<std::string>& name) { mName = name; }
  std::optional<std::string> getName() const { return mName; }
  void setImageSource(int v) { mImageSource = v; }
  int getImageSource() const { return mImageSource; }
  void setPaperSize(int v) { mPaperSize = v; }
  int getPaperSize() const { return mPaperSize; }
  void setUnit(int v) { mUnit = v; }
  int getUnit() const { return mUnit; }
  void setColorMode(int v) { mColorMode = v; }
  int getColorMode() const { return mColorMode; }
  void setResolution(int v) { mResolution = v; }
  int getResolution() const { return mResolution; }
  void setOutputSize(int v) { mOutputSize = v; }
  int getOutputSize() const { return mOutputSize; }
  void setOutputSizeName(const std::optional<std::string>& name) { mOutputSizeName = name; }
  std::optional<std::string> getOutputSizeName() const { return mOutputSizeName; }
  void setOutputSizeWidth(const OutputSizeLength& v) { mOutputSizeWidth = v; }
  OutputSizeLength getOutputSizeWidth() const { return mOutputSizeWidth; }
  void setOutputSizeHeight(const OutputSizeLength& v) { mOutputSizeHeight = v; }
  OutputSizeLength getOutputSizeHeight() const { return mOutputSizeHeight; }
  void setOutputSizeRotated(bool v) { mOutputSizeRotated = v; }
  bool getOutputSizeRotated() const { return mOutputSizeRotated; }
  void setAutoTone(int v) { mAutoTone = v; }
  int getAutoTone() const { return mAutoTone; }
  // Copies the crop into the favourite's own record; null leaves it as it is.
  void setBaseCropOfDataPersistence(const Quirel_CropInfo* crop);
  Quirel_CropInfo* getBaseCropOfDataPersistence() const { return mReferenceCrop.get(); }
  void setColorAdjust(int v) { mColorAdjust = v; }
  int getColorAdjust() const { return mColorAdjust; }
  void setCopyGamma(int v) { mCopyGamma = v; }
  int getCopyGamma() const { return mCopyGamma; }
  void setUnsharpMask(int v) { mUnsharpMask = v; }
  int getUnsharpMask() const { return mUnsharpMask; }
  void setDescreen(int v) { mDescreen = v; }
  int getDescreen() const { return mDescreen; }
  void setReduceDust(int v) { mReduceDust = v; }
  int getReduceDust() const { return mReduceDust; }
  void setReduceDustFAU(int v) { mReduceDustFAU = v; }
  int getReduceDustFAU() const { return mReduceDustFAU; }
  void setRemoveDust(int v) { mRemoveDust = v; }
  int getRemoveDust() const { return mRemoveDust; }
  void setFadingCorrect(int v) { mFadingCorrect = v; }
  int getFadingCorrect() const { return mFadingCorrect; }
  void setGrainCorrect(int v) { mGrainCorrect = v; }
  int getGrainCorrect() const { return mGrainCorrect; }
  void setLightCorrect(int v) { mLightCorrect = v; }
  int getLightCorrect() const { return mLightCorrect; }
  void setBookCorrect(int v) { mBookCorrect = v; }
  int getBookCorrect() const { return mBookCorrect; }
  void setAutoDocCorrect(int v) { mAutoDocCorrect = v; }
  int getAutoDocCorrect() const { return mAutoDocCorrect; }
  void setExposureOpen(bool v) { mExposureOpen = v; }
  bool getExposureOpen() const { return mExposureOpen; }
  void setExposure(bool v) { mExposure = v; }
  bool isExposure() const { return mExposure; }
  void setExposureValue(int v) { mExposureValue = v; }
  int getExposureValue() const { return mExposureValue; }
  void setApplyToneValueToAll(bool v) { mAllExposure = v; }
  bool isApplyToneValueToAll() const { return mAllExposure; }
  void setExposureOfApplyToneValueToAll(bool v) { mAllExposureBase = v; }
  bool isExposureOfApplyToneValueToAll() const { return mAllExposureBase; }
  void setExposureValueOfApplyToneValueToAll(int v) { mAllExposureBaseValue = v; }
  int getExposureValueOfApplyToneValueToAll() const { return mAllExposureBaseValue; }
  void setBaseCropOfApplyToneValueToAll(const Quirel_CropInfo* crop);
  Quirel_CropInfo* getBaseCropOfApplyToneValueToAll() const { return mAllExposureBaseCrop.get(); }
  void setScanSettingOpen(bool v) { mScanSettingOpen = v; }
  bool getScanSettingOpen() const { return mScanSettingOpen; }
  void setHighQualityMode(bool v) { mHighQualityMode = v; }
  bool getHighQualityMode() const { return mHighQualityMode; }
  void setCalibrationOpen(bool v) { mCalibrationOpen = v; }
  bool getCalibrationOpen() const { return mCalibrationOpen; }
  void setToneSettingNo(int v) { mToneSettingNo = v; }
  int getToneSettingNo() const { return mToneSettingNo; }
  // Nullopt leaves the name as it is.
  void setToneSettingName(const std::optional<std::string>& name) { if (name) mToneSettingName = name; }
  std::optional<std::string> getToneSettingName() const { return mToneSettingName; }
  // Kept as given (shared); null clears.
  void setDialogState(fnd::SharedDictionary state) { mDialogState = std::move(state); }
  fnd::SharedDictionary getDialogState() const { return mDialogState; }
  void setColorBalance(const ColorBalanceValues& v) { mColorBalance = v; }
  ColorBalanceValues getColorBalance() const { return mColorBalance; }
  void setToneBC_OpenState(bool v) { mOpenBtnState = v; }
  bool getToneBC_OpenState() const { return mOpenBtnState; }
  void setToneBC(const ToneBCValues& v) { mToneBC = v; }
  ToneBCValues getToneBC() const { return mToneBC; }
  void setHistogram(const HistogramValues& v) { mHistogram = v; }
  HistogramValues getHistogram() const { return mHistogram; }
  void setToneCurve(const ToneCurveValues& v) { mToneCurve = v; }
  ToneCurveValues getToneCurve() const { return mToneCurve; }
  void setThreshold(int v) { mThreshold = v; }
  int getThreshold() const { return mThreshold; }

  // The preference set, named as in the preferences record.
  void setPrevStart(int v) { mPrefPrevStart = v; }
  int getPrevStart() const { return mPrefPrevStart; }
  void setCropAfterPrev(int v) { mPrefCropAfterPrev = v; }
  int getCropAfterPrev() const { return mPrefCropAfterPrev; }
  void setPlatenThumbnailSize(int v) { mPrefThumbnailSize_Platen = v; }
  int getPlatenThumbnailSize() const { return mPrefThumbnailSize_Platen; }
  void setFilmThumbnailSize(int v) { mPrefThumbnailSize_Film = v; }
  int getFilmThumbnailSize() const { return mPrefThumbnailSize_Film; }
  void setColorModeWhenUIOff(bool v) { mPrefUIOffColor = v; }
  bool getColorModeWhenUIOff() const { return mPrefUIOffColor; }
  void setTextOcrWhenUIOff(bool v) { mPrefUIOffTextOcr = v; }
  bool getTextOcrWhenUIOff() const { return mPrefUIOffTextOcr; }
  void setSmallThumbanilWhenUIOff(bool v) { mPrefUIOffThumbanil = v; }
  bool getSmallThumbanilWhenUIOff() const { return mPrefUIOffThumbanil; }
  void setBitEnabled(bool v) { mPrefBitEnabled = v; }
  bool getBitEnabled() const { return mPrefBitEnabled; }
  void setEnableLargeScan(bool v) { mPrefEnableLargeScan = v; }
  bool getEnableLargeScan() const { return mPrefEnableLargeScan; }
  void setAutoExit(int v) { mPrefAutoExit = v; }
  int getAutoExit() const { return mPrefAutoExit; }
  void setADF_OrderRejection(int v) { mPrefADF_OrderRejection = v; }
  int getADF_OrderRejection() const { return mPrefADF_OrderRejection; }
  void setIndexLayout(int v) { mPrefIndexLayout = v; }
  int getIndexLayout() const { return mPrefIndexLayout; }
  void setADFOutput(bool v) { mPrefADFOutput = v; }
  bool getADFOutput() const { return mPrefADFOutput; }
  void setADF_HighSpeed(int v) { mPrefADF_HighSpeed = v; }
  int getADF_HighSpeed() const { return mPrefADF_HighSpeed; }
  void setColorSetting(int v) { mPrefColorSync = v; }
  int getColorSetting() const { return mPrefColorSync; }
  // Index 0 reflective, 1 negative film, any other positive film; nullopt stores "".
  void setInputPf_Name(int index, const std::optional<std::string>& name);
  std::string getInputPf_Name(int index) const;
  void setInputPf_FilePath(int index, const std::optional<std::string>& path);
  std::string getInputPf_FilePath(int index) const;
  void setOutputPf_Name(const std::optional<std::string>& name) { mPrefOutputPf_Name = name.value_or(""); }
  std::string getOutputPf_Name() const { return mPrefOutputPf_Name; }
  void setOutputPf_FilePath(const std::optional<std::string>& path) { mPrefOutputPf_FilePath = path.value_or(""); }
  std::string getOutputPf_FilePath() const { return mPrefOutputPf_FilePath; }
  void setMonitor(bool v) { mPrefMonitor = v; }
  bool getMonitor() const { return mPrefMonitor; }
  void setAlwaysAutoTone(bool v) { mPrefAutoTone = v; }
  bool getAlwaysAutoTone() const { return mPrefAutoTone; }
  void setMonitorGamma(double v) { mPrefGamma = v; }
  double getMonitorGamma() const { return mPrefGamma; }
  void setLampTime(int v) { mPrefLampTime = v; }
  int getLampTime() const { return mPrefLampTime; }
  void setQuietMode(bool v) { mPrefQuietMode = v; }
  bool getQuietMode() const { return mPrefQuietMode; }
  // Paths and the save name: nullopt leaves them as they are; no "/" is added here.
  void setTempPath(const std::optional<std::string>& path) { if (path) mPrefTempPath = path; }
  std::optional<std::string> getTempPath() const { return mPrefTempPath; }
  void setTempPathBookmark(Bookmark b) { mPrefTempPathBookmark = std::move(b); }
  Bookmark getTempPathBookmark() const { return mPrefTempPathBookmark; }
  void setTempPathBookmarkURL(const std::optional<std::string>& path) {
    mPrefTempPathBookmark = Quirel_PreferenceInfo::makeBookmark(path);
  }
  std::optional<std::string> getTempPathBookmarkURL() const {
    return Quirel_PreferenceInfo::resolveBookmark(mPrefTempPathBookmark);
  }
  void setSound(bool v) { mPrefSound = v; }
  bool getSound() const { return mPrefSound; }
  void setSoundPath(const std::optional<std::string>& path) { if (path) mPrefSoundPath = path; }
  std::optional<std::string> getSoundPath() const { return mPrefSoundPath; }
  void setSoundPathBookmark(Bookmark b) { mPrefSoundPathBookmark = std::move(b); }
  Bookmark getSoundPathBookmark() const { return mPrefSoundPathBookmark; }
  void setSoundPathBookmarkURL(const std::optional<std::string>& path) {
    mPrefSoundPathBookmark = Quirel_PreferenceInfo::makeBookmark(path);
  }
  std::optional<std::string> getSoundPathBookmarkURL() const {
    return Quirel_PreferenceInfo::resolveBookmark(mPrefSoundPathBookmark);
  }
  void setCalibrationEveryScan(int v) { mPrefCalibrationEveryScan = v; }
  int getCalibrationEveryScan() const { return mPrefCalibrationEveryScan; }
  void setSavePath(const std::optional<std::string>& path) { if (path) mPrefSavePath = path; }
  std::optional<std::string> getSavePath() const { return mPrefSavePath; }
  void setSavePathBookmark(Bookmark b) { mPrefSavePathBookmark = std::move(b); }
  Bookmark getSavePathBookmark() const { return mPrefSavePathBookmark; }
  void setSavePathBookmarkURL(const std::optional<std::string>& path) {
    mPrefSavePathBookmark = Quirel_PreferenceInfo::makeBookmark(path);
  }
  std::optional<std::string> getSavePathBookmarkURL() const {
    return Quirel_PreferenceInfo::resolveBookmark(mPrefSavePathBookmark);
  }
  void setSaveName(const std::optional<std::string>& name) { if (name) mPrefSaveName = name; }
  std::optional<std::string> getSaveName() const { return mPrefSaveName; }
  void setFileFormat(int v) { mPrefFileFormat = v; }
  int getFileFormat() const { return mPrefFileFormat; }
  void setFileCompression(int v) { mPrefFileCompression = v; }
  int getFileCompression() const { return mPrefFileCompression; }

  void setShowBookCorrectMessage(bool v) { mMsg_BookCorrect = v; }
  bool getShowBookCorrectMessage() const { return mMsg_BookCorrect; }
  void setShowClearThumbnailMessage(bool v) { mMsg_ClearThumbnail = v; }
  bool getShowClearThumbnailMessage() const { return mMsg_ClearThumbnail; }
  void setShow100MBOverScanMessage(bool v) { mMsg_100MBOverScan = v; }
  bool getShow100MBOverScanMessage() const { return mMsg_100MBOverScan; }
  void setShow48or16BitScanMessage(bool v) { mMsg_48or16BitScan = v; }
  bool getShow48or16BitScanMessage() const { return mMsg_48or16BitScan; }
  void setShowSaveFavoriteMessage(bool v) { mMsg_SaveFavorite = v; }
  bool getShowSaveFavoriteMessage() const { return mMsg_SaveFavorite; }
  void setShowSaveToneSettingMessage(bool v) { mMsg_SaveToneSetting = v; }
  bool getShowSaveToneSettingMessage() const { return mMsg_SaveToneSetting; }
  void setShowChangeTabMessage(bool v) { mMsg_ChangeTab = v; }
  bool getShowChangeTabMessage() const { return mMsg_ChangeTab; }
  void setShowMultiPDFScanEndMessage(bool v) { mMsg_MultiPDFScanEnd = v; }
  bool getShowMultiPDFScanEndMessage() const { return mMsg_MultiPDFScanEnd; }
  void setShowColorModeAndDataFormatMessage(bool v) { mMsg_ColorModeAndDataFormat = v; }
  bool getShowColorModeAndDataFormatMessage() const { return mMsg_ColorModeAndDataFormat; }

 private:
  int mIndex = 0;
  std::optional<std::string> mName;
  int mImageSource = 0;
  int mPaperSize = 0;
  int mColorMode = 0;
  int mUnit = 1;
  int mResolution = 0;
  int mOutputSize = 0;
  std::optional<std::string> mOutputSizeName;
  OutputSizeLength mOutputSizeWidth{};
  OutputSizeLength mOutputSizeHeight{};
  bool mOutputSizeRotated = false;
  int mAutoTone = 0;
  std::unique_ptr<Quirel_CropInfo> mReferenceCrop;
  int mColorAdjust = 0;
  int mCopyGamma = 0;
  int mUnsharpMask = 0;
  int mDescreen = 0;
  int mReduceDust = 0;
  int mReduceDustFAU = 0;
  int mRemoveDust = 0;
  int mFadingCorrect = 0;
  int mGrainCorrect = 0;
  int mLightCorrect = 0;
  int mBookCorrect = 0;
  int mAutoDocCorrect = 0;
  bool mExposureOpen = false;
  bool mExposure = false;
  int mExposureValue = 100;
  bool mAllExposure = false;
  bool mAllExposureBase = false;
  int mAllExposureBaseValue = 100;
  std::unique_ptr<Quirel_CropInfo> mAllExposureBaseCrop;
  bool mScanSettingOpen = false;
  bool mHighQualityMode = false;
  bool mCalibrationOpen = false;
  int mToneSettingNo = 0;
  std::optional<std::string> mToneSettingName;
  fnd::SharedDictionary mDialogState;
  bool mOpenBtnState = true;
  ColorBalanceValues mColorBalance{};
  ToneBCValues mToneBC{};
  HistogramValues mHistogram{};
  ToneCurveValues mToneCurve{};
  int mThreshold = 72;
  int mPrefPrevStart = 0;
  int mPrefCropAfterPrev = 0;
  int mPrefThumbnailSize_Platen = 1;
  int mPrefThumbnailSize_Film = 1;
  bool mPrefUIOffColor = false;
  bool mPrefUIOffTextOcr = false;
  bool mPrefUIOffThumbanil = false;
  bool mPrefBitEnabled = false;
  bool mPrefEnableLargeScan = false;
  int mPrefAutoExit = 0;
  int mPrefADF_OrderRejection = 0;
  int mPrefIndexLayout = 0;
  bool mPrefADFOutput = true;
  int mPrefADF_HighSpeed = 0;
  int mPrefColorSync = 0;
  std::string mPrefInputPf_Name_R, mPrefInputPf_FilePath_R;
  std::string mPrefInputPf_Name_N, mPrefInputPf_FilePath_N;
  std::string mPrefInputPf_Name_P, mPrefInputPf_FilePath_P;
  std::string mPrefOutputPf_Name, mPrefOutputPf_FilePath;
  bool mPrefMonitor = false;
  bool mPrefAutoTone = false;
  double mPrefGamma = 0.0;
  int mPrefLampTime = 12;
  bool mPrefQuietMode = false;
  std::optional<std::string> mPrefTempPath;
  bool mPrefSound = false;
  std::optional<std::string> mPrefSoundPath;
  int mPrefCalibrationEveryScan = 0;
  std::optional<std::string> mPrefSaveName;
  std::optional<std::string> mPrefSavePath;
  int mPrefFileFormat = 0;
  int mPrefFileCompression = 1;
  Bookmark mPrefSoundPathBookmark;
  Bookmark mPrefTempPathBookmark;
  Bookmark mPrefSavePathBookmark;
  bool mMsg_BookCorrect = true;
  bool mMsg_ClearThumbnail = true;
  bool mMsg_100MBOverScan = true;
  bool mMsg_48or16BitScan = true;
  bool mMsg_SaveFavorite = true;
  bool mMsg_SaveToneSetting = true;
  bool mMsg_ChangeTab = true;
  bool mMsg_MultiPDFScanEnd = true;
  bool mMsg_ColorModeAndDataFormat = true;
};
