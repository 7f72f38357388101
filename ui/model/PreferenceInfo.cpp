#include "ui/model/PreferenceInfo.h"

#include "foundation/Bookmark.h"
#include "foundation/PropertyList.h"
#include "ui/model/FavoriteSetting.h"
#include "ui/model/SettingsDictionaryFile.h"

namespace {

bool sameBookmark(const Quirel_PreferenceInfo::Bookmark& a, const Quirel_PreferenceInfo::Bookmark& b) {
  if (!a || !b) return !a && !b;
  return *a == *b;
}

std::optional<std::string> presentString(const fnd::Dictionary& d, std::string_view key) {
  const fnd::Value* v = d.find(key);
  if (!v) return std::nullopt;
  return v->toString();
}

// A folder written unset comes back as "": it stays unset rather than becoming "/".
std::optional<std::string> folderString(const fnd::Dictionary& d, std::string_view key) {
  std::optional<std::string> s = presentString(d, key);
  if (s && s->empty()) return std::nullopt;
  return s;
}

std::string lastPathComponent(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  const auto slash = p.rfind('/');
  return slash == std::string::npos || p.size() == 1 ? p : p.substr(slash + 1);
}

}  // namespace

Quirel_PreferenceInfo::Quirel_PreferenceInfo() = default;

Quirel_PreferenceInfo::Quirel_PreferenceInfo(const fnd::Dictionary& d) {
  setPrevStart(d.intValue("PreviewWhenStart"));
  setCropAfterPrev(d.intValue("CropAfterPreview"));
  if (d.contains("ThumbnailSize_Platen")) setPlatenThumbnailSize(d.intValue("ThumbnailSize_Platen"));
  setFilmThumbnailSize(d.intValue("ThumbnailSize"));
  setColorModeWhenUIOff(d.boolean("UIOffColorMode"));
  setTextOcrWhenUIOff(d.boolean("UIOffTextOCR"));
  setSmallThumbanilWhenUIOff(d.boolean("UIOffThumbSize"));
  setBitEnabled(d.boolean("BitEnabled"));
  if (d.contains("EnableLargeScan")) setEnableLargeScan(d.boolean("EnableLargeScan"));
  setAutoExit(d.intValue("AutoExit"));
  setIndexLayout(d.intValue("IndexLayout"));
  if (d.contains("ADFOutput")) setADFOutput(d.boolean("ADFOutput"));
  if (d.contains("ADFSetting_HighSpeed")) setADF_HighSpeed(d.intValue("ADFSetting_HighSpeed"));
  if (d.contains("ADFSetting_OrderRejection")) setADF_OrderRejection(d.intValue("ADFSetting_OrderRejection"));

  const fnd::Dictionary& color = d.dictionary("Color");
  setColorSetting(3, color.intValue("ColorSync"));
  setInputPf_Name(0, color.string("InProfileStr"));
  setInputPf_FilePath(0, color.string("InProfileFilePath"));
  setInputPf_Name(1, color.string("InProfileNegaStr"));
  setInputPf_FilePath(1, color.string("InProfileNegaFilePath"));
  setInputPf_Name(2, color.string("InProfilePosiStr"));
  setInputPf_FilePath(2, color.string("InProfilePosiFilePath"));
  setOutputPf_Name(color.string("OutProfileStr"));
  setOutputPf_FilePath(color.string("OutProfileFilePath"));
  setMonitor(color.boolean("MonitorCorrect"));
  setColorSetting(1, d.dictionary("Gray").intValue("ColorSync"));
  setColorSetting(0, d.dictionary("Monochrome").intValue("ColorSync"));

  setAlwaysAutoTone(d.boolean("AutoToneAlways"));
  // The gamma is inverted for the monitor correction: an older file without one keeps 2.2.
  setMonitorGamma(usableGamma(d.real("MonitorGammma")));
  setLampTime(d.intValue("LampOffTime"));
  setQuietMode(d.boolean("QuietMode"));
  setTempPath(folderString(d, "TempFilePath"));
  setMusic(d.boolean("PlayMusic"));
  // These three keep "" as a value of their own, so unset is written as a missing key.
  if (d.contains("MusicFilePath")) setMusicPath(presentString(d, "MusicFilePath"));
  setSound(d.boolean("PlaySound"));
  if (d.contains("SoundFilePath")) setSoundPath(presentString(d, "SoundFilePath"));
  if (d.contains("CalibrationEveryScan")) setCalibrationEveryScan(d.intValue("CalibrationEveryScan"));
  setSavePath(folderString(d, "SaveFilePath"));
  if (d.contains("SaveFileName")) setSaveName(presentString(d, "SaveFileName"));
  setFileFormat(d.intValue("SaveFileFormat"));
  setFileCompression(d.intValue("SaveCompression"));

  // A stored bookmark wins; otherwise one is made from the stored path.
  auto readBookmark = [&d](std::string_view bookmarkKey, std::string_view pathKey) -> Bookmark {
    if (const fnd::Value* b = d.find(bookmarkKey); b && b->isData()) return std::make_shared<const fnd::Data>(b->toData());
    if (d.contains(pathKey)) return makeBookmark(d.string(pathKey));
    return nullptr;
  };
  mSoundPathBookmark = readBookmark("SoundPathBookmark", "SoundFilePath");
  mTempPathBookmark = readBookmark("TempPathBookmark", "TempFilePath");
  mSavePathBookmark = readBookmark("SavePathBookmark", "SaveFilePath");
}

fnd::Dictionary Quirel_PreferenceInfo::getDictionary() const {
  fnd::Dictionary d;
  d.set("PreviewWhenStart", mPrevStart);
  d.set("CropAfterPreview", mCropAfterPrev);
  d.set("ThumbnailSize_Platen", mThumbnailSize_Platen);
  d.set("ThumbnailSize", mThumbnailSize_Film);
  d.set("UIOffColorMode", mColorMode);
  d.set("UIOffTextOCR", mTextOcr);
  d.set("UIOffThumbSize", mSmallThumbanil);
  d.set("BitEnabled", mBitEnabled);
  d.set("EnableLargeScan", mEnableLargeScan);
  d.set("AutoExit", mAutoExit);
  d.set("IndexLayout", mIndexLayout);
  d.set("ADFOutput", mADFOutput);
  d.set("ADFSetting_HighSpeed", mADF_HighSpeed);
  d.set("ADFSetting_OrderRejection", mADF_OrderRejection);
  d.set("Color", fnd::Dictionary{{"ColorSync", mColorSettingColor},
                                 {"InProfileStr", mInputPf_Name_R},
                                 {"InProfileFilePath", mInputPf_FilePath_R},
                                 {"InProfileNegaStr", mInputPf_Name_N},
                                 {"InProfileNegaFilePath", mInputPf_FilePath_N},
                                 {"InProfilePosiStr", mInputPf_Name_P},
                                 {"InProfilePosiFilePath", mInputPf_FilePath_P},
                                 {"OutProfileStr", mOutputPf_Name},
                                 {"OutProfileFilePath", mOutputPf_FilePath},
                                 {"OutProfileFileName", lastPathComponent(mOutputPf_FilePath)},
                                 {"MonitorCorrect", mMonitor}});
  d.set("Gray", fnd::Dictionary{{"ColorSync", mColorSettingGray}});
  d.set("Monochrome", fnd::Dictionary{{"ColorSync", mColorSettingMono}});
  d.set("AutoToneAlways", mAlwaysAutoTone);
  d.set("MonitorGammma", mGamma);
  d.set("LampOffTime", mLampTime);
  d.set("QuietMode", mQuietMode);
  // A folder always ends in "/", so "" can only mean unset.
  d.set("TempFilePath", mTempPath.value_or(""));
  d.set("PlayMusic", mMusic);
  if (mMusicPath) d.set("MusicFilePath", *mMusicPath);
  d.set("PlaySound", mSound);
  if (mSoundPath) d.set("SoundFilePath", *mSoundPath);
  d.set("CalibrationEveryScan", mCalibrationEveryScan);
  d.set("SaveFilePath", mSavePath.value_or(""));
  if (mSaveName) d.set("SaveFileName", *mSaveName);
  d.set("SaveFileFormat", mFileFormat);
  d.set("SaveCompression", mFileCompression);
  if (mSoundPathBookmark) d.set("SoundPathBookmark", *mSoundPathBookmark);
  if (mTempPathBookmark) d.set("TempPathBookmark", *mTempPathBookmark);
  if (mSavePathBookmark) d.set("SavePathBookmark", *mSavePathBookmark);
  return d;
}

std::string Quirel_PreferenceInfo::filePath(const std::string& folder) {
  if (folder.empty() || folder.back() == '/') return folder + kFileName;
  return folder + "/" + kFileName;
}

bool Quirel_PreferenceInfo::writeToFolder(const std::string& folder, std::string* error) const {
  return Quirel_SettingsDictionaryFile::write(filePath(folder), getDictionary(), error);
}

Quirel_PreferenceInfo Quirel_PreferenceInfo::readFromFolder(const std::string& folder) {
  const auto result = fnd::PropertyList::readFile(filePath(folder));
  if (!result.ok() || !result.value->isDictionary()) return Quirel_PreferenceInfo();
  return Quirel_PreferenceInfo(result.value->toDictionary());
}

void Quirel_PreferenceInfo::copy(const Quirel_PreferenceInfo& other) {
  if (&other != this) *this = other;
}

void Quirel_PreferenceInfo::setColorSetting(int colorMode, int value) {
  if (colorMode >= 3 && colorMode <= 5) mColorSettingColor = value;
  else if (colorMode == 1 || colorMode == 2) mColorSettingGray = value;
  else mColorSettingMono = value;
}

int Quirel_PreferenceInfo::getColorSetting(int colorMode) const {
  if (colorMode >= 3 && colorMode <= 5) return mColorSettingColor;
  if (colorMode == 1 || colorMode == 2) return mColorSettingGray;
  return mColorSettingMono;
}

void Quirel_PreferenceInfo::setInputPf_Name(int index, const std::optional<std::string>& name) {
  (index == 0 ? mInputPf_Name_R : index == 1 ? mInputPf_Name_N : mInputPf_Name_P) = name.value_or("");
}

std::string Quirel_PreferenceInfo::getInputPf_Name(int index) const {
  return index == 0 ? mInputPf_Name_R : index == 1 ? mInputPf_Name_N : mInputPf_Name_P;
}

void Quirel_PreferenceInfo::setInputPf_FilePath(int index, const std::optional<std::string>& path) {
  (index == 0 ? mInputPf_FilePath_R : index == 1 ? mInputPf_FilePath_N : mInputPf_FilePath_P) = path.value_or("");
}

std::string Quirel_PreferenceInfo::getInputPf_FilePath(int index) const {
  return index == 0 ? mInputPf_FilePath_R : index == 1 ? mInputPf_FilePath_N : mInputPf_FilePath_P;
}

std::optional<std::string> Quirel_PreferenceInfo::folderPath(const std::optional<std::string>& path) {
  if (!path) return std::nullopt;
  if (!path->empty() && path->back() == '/') return path;
  return *path + "/";
}

Quirel_PreferenceInfo::Bookmark Quirel_PreferenceInfo::makeBookmark(const std::optional<std::string>& path) {
  if (!path || path->empty()) return nullptr;
  std::optional<fnd::Data> data = fnd::Bookmark::create(*path);
  if (!data) return nullptr;
  return std::make_shared<const fnd::Data>(std::move(*data));
}

std::optional<std::string> Quirel_PreferenceInfo::resolveBookmark(const Bookmark& bookmark) {
  if (!bookmark) return std::nullopt;
  // Staleness is not looked at: the recorded path is answered as long as the data is a bookmark.
  const auto resolution = fnd::Bookmark::resolve(*bookmark);
  if (!resolution) return std::nullopt;
  return resolution->path;
}

bool Quirel_PreferenceInfo::sameProfiles(const Quirel_PreferenceInfo& o) const {
  return mInputPf_Name_R == o.mInputPf_Name_R && mInputPf_FilePath_R == o.mInputPf_FilePath_R &&
         mInputPf_Name_N == o.mInputPf_Name_N && mInputPf_FilePath_N == o.mInputPf_FilePath_N &&
         mInputPf_Name_P == o.mInputPf_Name_P && mInputPf_FilePath_P == o.mInputPf_FilePath_P &&
         mOutputPf_Name == o.mOutputPf_Name && mOutputPf_FilePath == o.mOutputPf_FilePath;
}

bool Quirel_PreferenceInfo::compare(const Quirel_PreferenceInfo& o) const {
  if (mPrevStart != o.mPrevStart || mCropAfterPrev != o.mCropAfterPrev ||
      mThumbnailSize_Platen != o.mThumbnailSize_Platen || mThumbnailSize_Film != o.mThumbnailSize_Film ||
      mColorMode != o.mColorMode || mTextOcr != o.mTextOcr || mSmallThumbanil != o.mSmallThumbanil ||
      mBitEnabled != o.mBitEnabled || mEnableLargeScan != o.mEnableLargeScan || mAutoExit != o.mAutoExit ||
      mADF_OrderRejection != o.mADF_OrderRejection) {
    return false;
  }
  if (mColorSettingColor != o.mColorSettingColor || mColorSettingGray != o.mColorSettingGray ||
      mColorSettingMono != o.mColorSettingMono) {
    return false;
  }
  if (mColorSettingColor == 1 && !sameProfiles(o)) return false;
  return mMonitor == o.mMonitor && mAlwaysAutoTone == o.mAlwaysAutoTone && mGamma == o.mGamma &&
         mLampTime == o.mLampTime && mQuietMode == o.mQuietMode && mTempPath == o.mTempPath &&
         mMusic == o.mMusic && mMusicPath == o.mMusicPath && mSound == o.mSound && mSoundPath == o.mSoundPath &&
         mCalibrationEveryScan == o.mCalibrationEveryScan && mSaveName == o.mSaveName &&
         mSavePath == o.mSavePath && mFileFormat == o.mFileFormat && mFileCompression == o.mFileCompression &&
         sameBookmark(mSoundPathBookmark, o.mSoundPathBookmark) &&
         sameBookmark(mTempPathBookmark, o.mTempPathBookmark) && sameBookmark(mSavePathBookmark, o.mSavePathBookmark);
}

bool Quirel_PreferenceInfo::needPreview(const Quirel_PreferenceInfo& o, bool withThumbnailSize) const {
  if (withThumbnailSize &&
      (mThumbnailSize_Platen != o.mThumbnailSize_Platen || mThumbnailSize_Film != o.mThumbnailSize_Film)) {
    return true;
  }
  if (mColorSettingColor != o.mColorSettingColor || mColorSettingGray != o.mColorSettingGray ||
      mColorSettingMono != o.mColorSettingMono) {
    return true;
  }
  if (mColorSettingColor == 1 && !sameProfiles(o)) return true;
  return mMonitor != o.mMonitor || mAlwaysAutoTone != o.mAlwaysAutoTone || mGamma != o.mGamma;
}

bool Quirel_PreferenceInfo::compareForToneSetting(const Quirel_PreferenceInfo& o) const {
  return mThumbnailSize_Platen == o.mThumbnailSize_Platen && mThumbnailSize_Film == o.mThumbnailSize_Film &&
         mColorSettingColor == o.mColorSettingColor && mColorSettingGray == o.mColorSettingGray &&
         mColorSettingMono == o.mColorSettingMono && mAlwaysAutoTone == o.mAlwaysAutoTone && mGamma == o.mGamma &&
         mTempPath == o.mTempPath;
}

void Quirel_PreferenceInfo::setDataFromFavorite(const Quirel_FavoriteSetting& f) {
  setPrevStart(f.getPrevStart());
  setCropAfterPrev(f.getCropAfterPrev());
  setPlatenThumbnailSize(f.getPlatenThumbnailSize());
  setFilmThumbnailSize(f.getFilmThumbnailSize());
  setColorModeWhenUIOff(f.getColorModeWhenUIOff());
  setTextOcrWhenUIOff(f.getTextOcrWhenUIOff());
  setSmallThumbanilWhenUIOff(f.getSmallThumbanilWhenUIOff());
  setBitEnabled(f.getBitEnabled());
  setEnableLargeScan(f.getEnableLargeScan());
  setAutoExit(f.getAutoExit());
  setADF_OrderRejection(f.getADF_OrderRejection());
  setIndexLayout(f.getIndexLayout());
  setADFOutput(f.getADFOutput());
  setADF_HighSpeed(f.getADF_HighSpeed());
  setColorSetting(f.getColorMode(), f.getColorSetting());
  for (int i = 0; i < 3; ++i) {
    setInputPf_Name(i, f.getInputPf_Name(i));
    setInputPf_FilePath(i, f.getInputPf_FilePath(i));
  }
  setOutputPf_Name(f.getOutputPf_Name());
  setOutputPf_FilePath(f.getOutputPf_FilePath());
  setMonitor(f.getMonitor());
  setAlwaysAutoTone(f.getAlwaysAutoTone());
  setMonitorGamma(usableGamma(f.getMonitorGamma()));
  setLampTime(f.getLampTime());
  setQuietMode(f.getQuietMode());
  // A favourite keeps unset folders as ""; they stay unset here rather than becoming "/".
  auto folder = [](std::optional<std::string> p) { return p && p->empty() ? std::nullopt : p; };
  setTempPath(folder(f.getTempPath()));
  setTempPathBookmark(f.getTempPathBookmark());
  setSound(f.getSound());
  setSoundPath(f.getSoundPath());
  setSoundPathBookmark(f.getSoundPathBookmark());
  setCalibrationEveryScan(f.getCalibrationEveryScan());
  setSavePath(folder(f.getSavePath()));
  setSavePathBookmark(f.getSavePathBookmark());
  setSaveName(f.getSaveName());
  setFileFormat(f.getFileFormat());
  setFileCompression(f.getFileCompression());
}
