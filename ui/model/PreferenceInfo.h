#pragma once

#include <cmath>
#include <memory>
#include <optional>
#include <string>

#include "foundation/Value.h"

class Quirel_FavoriteSetting;

// The user's preferences of one main window, stored in "Preference.xml" in the settings folder:
// preview and crop behaviour at start, thumbnail sizes, UI-less and ADF options, colour matching
// per colour mode with source profiles per document source and a target profile, monitor
// correction and gamma, lamp-off time, quiet mode, sounds, the temporary and save folders with
// their bookmarks, the save name, file format and compression.
//
// Colour modes: 3, 4 and 5 select the colour slot, 1 and 2 the grey slot, any other number the
// black-and-white slot. Colour-setting values: 0 recommended, 1 ColorSync (profiles in force),
// 2 none. Profile indexes: 0 reflective, 1 negative film, any other positive film.
//
// Unset strings are std::nullopt; bookmarks are shared data (a setter keeps the object given).
// A plain value type: copying a record shares its bookmark data, as copy() does.
class Quirel_PreferenceInfo {
 public:
  using Bookmark = std::shared_ptr<const fnd::Data>;
  static constexpr const char* kFileName = "Preference.xml";
  // The gamma used when a stored one is missing or cannot be inverted.
  static constexpr double kDefaultGamma = 2.2;

  Quirel_PreferenceInfo();
  explicit Quirel_PreferenceInfo(const fnd::Dictionary& dictionary);

  fnd::Dictionary getDictionary() const;

  // "Preference.xml" in `folder` (the settings folder, joined with a "/" when it lacks one).
  static std::string filePath(const std::string& folder);
  // Writes atomically; false (and the reason in *error) when the file cannot be written.
  bool writeToFolder(const std::string& folder, std::string* error = nullptr) const;
  // The record stored in `folder`; the defaults when the file is missing or cannot be read.
  static Quirel_PreferenceInfo readFromFolder(const std::string& folder);

  void copy(const Quirel_PreferenceInfo& other);
  // True when equal in everything (profile strings only while colour matching is ColorSync).
  bool compare(const Quirel_PreferenceInfo& other) const;
  // True when `other` needs a new preview; thumbnail sizes count only when `withThumbnailSize`.
  bool needPreview(const Quirel_PreferenceInfo& other, bool withThumbnailSize) const;
  void setDataFromFavorite(const Quirel_FavoriteSetting& favorite);
  // True when equal in what a tone setting depends on.
  bool compareForToneSetting(const Quirel_PreferenceInfo& other) const;

  void setPrevStart(int v) { mPrevStart = v; }
  int getPrevStart() const { return mPrevStart; }
  void setCropAfterPrev(int v) { mCropAfterPrev = v; }
  int getCropAfterPrev() const { return mCropAfterPrev; }
  void setPlatenThumbnailSize(int v) { mThumbnailSize_Platen = v; }
  int getPlatenThumbnailSize() const { return mThumbnailSize_Platen; }
  void setFilmThumbnailSize(int v) { mThumbnailSize_Film = v; }
  int getFilmThumbnailSize() const { return mThumbnailSize_Film; }
  void setColorModeWhenUIOff(bool v) { mColorMode = v; }
  bool getColorModeWhenUIOff() const { return mColorMode; }
  void setTextOcrWhenUIOff(bool v) { mTextOcr = v; }
  bool getTextOcrWhenUIOff() const { return mTextOcr; }
  void setSmallThumbanilWhenUIOff(bool v) { mSmallThumbanil = v; }
  bool getSmallThumbanilWhenUIOff() const { return mSmallThumbanil; }
  void setBitEnabled(bool v) { mBitEnabled = v; }
  bool getBitEnabled() const { return mBitEnabled; }
  void setEnableLargeScan(bool v) { mEnableLargeScan = v; }
  bool getEnableLargeScan() const { return mEnableLargeScan; }
  void setAutoExit(int v) { mAutoExit = v; }
  int getAutoExit() const { return mAutoExit; }
  void setADF_OrderRejection(int v) { mADF_OrderRejection = v; }
  int getADF_OrderRejection() const { return mADF_OrderRejection; }
  void setIndexLayout(int v) { mIndexLayout = v; }
  int getIndexLayout() const { return mIndexLayout; }
  void setADFOutput(bool v) { mADFOutput = v; }
  bool getADFOutput() const { return mADFOutput; }
  void setADF_HighSpeed(int v) { mADF_HighSpeed = v; }
  int getADF_HighSpeed() const { return mADF_HighSpeed; }

  void setColorSetting(int colorMode, int value);
  int getColorSetting(int colorMode) const;
  void setInputPf_Name(int index, const std::optional<std::string>& name);
  std::string getInputPf_Name(int index) const;
  void setInputPf_FilePath(int index, const std::optional<std::string>& path);
  std::string getInputPf_FilePath(int index) const;
  void setOutputPf_Name(const std::optional<std::string>& name) { mOutputPf_Name = name.value_or(""); }
  std::string getOutputPf_Name() const { return mOutputPf_Name; }
  void setOutputPf_FilePath(const std::optional<std::string>& path) { mOutputPf_FilePath = path.value_or(""); }
  std::string getOutputPf_FilePath() const { return mOutputPf_FilePath; }

  void setMonitor(bool v) { mMonitor = v; }
  bool getMonitor() const { return mMonitor; }
  void setAlwaysAutoTone(bool v) { mAlwaysAutoTone = v; }
  bool getAlwaysAutoTone() const { return mAlwaysAutoTone; }
  void setMonitorGamma(double v) { mGamma = v; }
  double getMonitorGamma() const { return mGamma; }
  void setLampTime(int v) { mLampTime = v; }
  int getLampTime() const { return mLampTime; }
  void setQuietMode(bool v) { mQuietMode = v; }
  bool getQuietMode() const { return mQuietMode; }

  // Folders are kept with one trailing "/"; nullopt clears.
  void setTempPath(const std::optional<std::string>& path) { mTempPath = folderPath(path); }
  std::optional<std::string> getTempPath() const { return mTempPath; }
  void setTempPathBookmark(Bookmark b) { mTempPathBookmark = std::move(b); }
  Bookmark getTempPathBookmark() const { return mTempPathBookmark; }
  void setTempPathBookmarkURL(const std::optional<std::string>& path) { mTempPathBookmark = makeBookmark(path); }
  std::optional<std::string> getTempPathBookmarkURL() const { return resolveBookmark(mTempPathBookmark); }

  void setMusic(bool v) { mMusic = v; }
  bool getMusic() const { return mMusic; }
  void setMusicPath(const std::optional<std::string>& path) { mMusicPath = path.value_or(""); }
  std::optional<std::string> getMusicPath() const { return mMusicPath; }
  void setSound(bool v) { mSound = v; }
  bool getSound() const { return mSound; }
  void setSoundPath(const std::optional<std::string>& path) { mSoundPath = path.value_or(""); }
  std::optional<std::string> getSoundPath() const { return mSoundPath; }
  void setSoundPathBookmark(Bookmark b) { mSoundPathBookmark = std::move(b); }
  Bookmark getSoundPathBookmark() const { return mSoundPathBookmark; }
  void setSoundPathBookmarkURL(const std::optional<std::string>& path) { mSoundPathBookmark = makeBookmark(path); }
  std::optional<std::string> getSoundPathBookmarkURL() const { return resolveBookmark(mSoundPathBookmark); }

  void setCalibrationEveryScan(int v) { mCalibrationEveryScan = v; }
  int getCalibrationEveryScan() const { return mCalibrationEveryScan; }

  void setSavePath(const std::optional<std::string>& path) { mSavePath = folderPath(path); }
  std::optional<std::string> getSavePath() const { return mSavePath; }
  void setSavePathBookmark(Bookmark b) { mSavePathBookmark = std::move(b); }
  Bookmark getSavePathBookmark() const { return mSavePathBookmark; }
  void setSavePathBookmarkURL(const std::optional<std::string>& path) { mSavePathBookmark = makeBookmark(path); }
  std::optional<std::string> getSavePathBookmarkURL() const { return resolveBookmark(mSavePathBookmark); }

  void setSaveName(const std::optional<std::string>& name) { mSaveName = name.value_or(""); }
  std::optional<std::string> getSaveName() const { return mSaveName; }
  void setFileFormat(int v) { mFileFormat = v; }
  int getFileFormat() const { return mFileFormat; }
  void setFileCompression(int v) { mFileCompression = v; }
  int getFileCompression() const { return mFileCompression; }

  // Bookmark data for an item, or none when the path is unset or names nothing.
  static Bookmark makeBookmark(const std::optional<std::string>& path);
  static std::optional<std::string> resolveBookmark(const Bookmark& bookmark);
  // A gamma that can be inverted: missing, zero, negative, infinite or NaN gamma becomes kDefaultGamma.
  static double usableGamma(double gamma) { return std::isfinite(gamma) && gamma > 0 ? gamma : kDefaultGamma; }

 private:
  static std::optional<std::string> folderPath(const std::optional<std::string>& path);
  bool sameProfiles(const Quirel_PreferenceInfo& other) const;

  int mPrevStart = 1;
  int mCropAfterPrev = 0;
  int mThumbnailSize_Platen = 1;
  int mThumbnailSize_Film = 1;
  bool mColorMode = false;
  bool mTextOcr = false;
  bool mSmallThumbanil = false;
  bool mBitEnabled = false;
  bool mEnableLargeScan = false;
  int mAutoExit = 0;
  int mADF_OrderRejection = 0;
  int mIndexLayout = 0;
  bool mADFOutput = true;
  int mADF_HighSpeed = 0;
  int mColorSettingColor = 0;
  int mColorSettingGray = 0;
  int mColorSettingMono = 0;
  std::string mInputPf_Name_R;
  std::string mInputPf_FilePath_R;
  std::string mInputPf_Name_N;
  std::string mInputPf_FilePath_N;
  std::string mInputPf_Name_P;
  std::string mInputPf_FilePath_P;
  std::string mOutputPf_Name;
  std::string mOutputPf_FilePath;
  bool mMonitor = true;
  bool mAlwaysAutoTone = true;
  double mGamma = kDefaultGamma;
  int mLampTime = 12;
  bool mQuietMode = false;
  std::optional<std::string> mTempPath;
  bool mMusic = false;
  std::optional<std::string> mMusicPath;
  bool mSound = false;
  std::optional<std::string> mSoundPath;
  int mCalibrationEveryScan = 0;
  std::optional<std::string> mSaveName;
  std::optional<std::string> mSavePath;
  int mFileFormat = 0;
  int mFileCompression = 1;
  Bookmark mSoundPathBookmark;
  Bookmark mTempPathBookmark;
  Bookmark mSavePathBookmark;
};
