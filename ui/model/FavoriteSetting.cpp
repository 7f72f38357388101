#include "ui/model/FavoriteSetting.h"

#include "foundation/PropertyList.h"
#include "ui/model/CropInfo.h"
#include "ui/model/FavoriteFile.h"
#include "ui/model/SettingsListFile.h"
#include "ui/model/PreferenceInfo.h"

namespace {

const char* const kChannelKeys[] = {"Brightness", "Contrast", "BlackPoint", "MidPoint", "WhitePoint", "GrayPoint",
                                    "ToneCurve"};

fnd::Array channelArray(const ChannelValues& c) { return fnd::Array{c.master, c.red, c.green, c.blue}; }

// Reads up to four values; a short or missing array leaves zeros for the rest.
ChannelValues readChannels(const fnd::Dictionary& d, std::string_view key) {
  const fnd::Array& a = d.array(key);
  auto at = [&a](std::size_t i) { return i < a.size() ? a[i].toInt() : 0; };
  return ChannelValues{at(0), at(1), at(2), at(3)};
}

fnd::Array pointArrays(const TagPoint (&points)[4][kCropToneCurvePoints]) {
  fnd::Array channels;
  for (const auto& channel : points) {
    fnd::Array list;
    for (const TagPoint& p : channel) list.push_back(fnd::Dictionary{{"pointH", p.h}, {"pointV", p.v}});
    channels.push_back(std::move(list));
  }
  return channels;
}

void readPointArrays(const fnd::Dictionary& d, std::string_view key, TagPoint (&points)[4][kCropToneCurvePoints]) {
  const fnd::Array& channels = d.array(key);
  for (std::size_t c = 0; c < 4; ++c) {
    const fnd::Array& list = c < channels.size() ? channels[c].toArray() : fnd::Value::null().toArray();
    for (std::size_t i = 0; i < std::size_t(kCropToneCurvePoints); ++i) {
      const fnd::Value& p = i < list.size() ? list[i] : fnd::Value::null();
      points[c][i] = TagPoint{p["pointH"].toInt(), p["pointV"].toInt()};
    }
  }
}

fnd::Dictionary lengthDictionary(const OutputSizeLength& l) {
  return fnd::Dictionary{{"cm", l.cm}, {"inch", l.inch}, {"pixel", l.pixel}};
}

OutputSizeLength readLength(const fnd::Dictionary& d) {
  return OutputSizeLength{d.real("inch"), d.real("pixel"), d.real("cm")};
}

std::string joinFile(const std::string& folder, const char* name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace

Quirel_FavoriteSetting::Quirel_FavoriteSetting() { initData(); }

Quirel_FavoriteSetting::Quirel_FavoriteSetting(int index, const std::optional<std::string>& name) {
  initData();
  mIndex = index;
  mName = name;
}

Quirel_FavoriteSetting::~Quirel_FavoriteSetting() = default;

void Quirel_FavoriteSetting::initData() {
  mImageSource = 0;
  mPaperSize = 0;
  mColorMode = 0;
  mUnit = 1;
  mResolution = 0;
  mOutputSize = 0;
  mOutputSizeName.reset();
  mOutputSizeWidth = {};
  mOutputSizeHeight = {};
  mOutputSizeRotated = false;
  mAutoTone = 0;
  mReferenceCrop.reset();
  mColorAdjust = mCopyGamma = mUnsharpMask = mDescreen = mReduceDust = mReduceDustFAU = mRemoveDust = 0;
  mFadingCorrect = mGrainCorrect = mLightCorrect = mBookCorrect = mAutoDocCorrect = 0;
  mExposureOpen = mExposure = false;
  mExposureValue = 100;
  mAllExposure = mAllExposureBase = false;
  mAllExposureBaseValue = 100;
  mAllExposureBaseCrop.reset();
  mScanSettingOpen = mHighQualityMode = mCalibrationOpen = false;
  mToneSettingNo = 0;
  mToneSettingName.reset();
  mDialogState.reset();
  mOpenBtnState = true;
  mColorBalance = {};
  mToneBC = {};
  for (ChannelValues* c : {&mHistogram.black, &mHistogram.mid, &mHistogram.white, &mHistogram.gray}) *c = {};
  mHistogram.mid = {128, 128, 128, 128};
  mHistogram.white = {255, 255, 255, 255};
  mHistogram.gray = {128, 128, 128, 128};
  mToneCurve = {};
  for (int c = 0; c < 4; ++c) {
    mToneCurve.setPointCount[c] = 2;
    mToneCurve.setPoint[c][0] = {0, 0};
    mToneCurve.setPoint[c][1] = {255, 255};
    mToneCurve.squarePoint[c][0] = {0, 0};
    mToneCurve.squarePoint[c][1] = {145, 145};
  }
  mThreshold = 72;
  mPrefPrevStart = mPrefCropAfterPrev = 0;
  mPrefThumbnailSize_Platen = mPrefThumbnailSize_Film = 1;
  mPrefUIOffColor = mPrefUIOffTextOcr = mPrefUIOffThumbanil = mPrefBitEnabled = mPrefEnableLargeScan = false;
  mPrefAutoExit = mPrefADF_OrderRejection = mPrefIndexLayout = 0;
  mPrefADFOutput = true;
  mPrefADF_HighSpeed = mPrefColorSync = 0;
  for (std::string* s : {&mPrefInputPf_Name_R, &mPrefInputPf_FilePath_R, &mPrefInputPf_Name_N,
                         &mPrefInputPf_FilePath_N, &mPrefInputPf_Name_P, &mPrefInputPf_FilePath_P,
                         &mPrefOutputPf_Name, &mPrefOutputPf_FilePath}) {
    s->clear();
  }
  mPrefMonitor = mPrefAutoTone = false;
  mPrefGamma = 0.0;
  mPrefLampTime = 12;
  mPrefQuietMode = false;
  mPrefTempPath.reset();
  mPrefSound = false;
  mPrefSoundPath.reset();
  mPrefCalibrationEveryScan = 0;
  mPrefSaveName.reset();
  mPrefSavePath.reset();
  mPrefFileFormat = 0;
  mPrefFileCompression = 1;
  mPrefSoundPathBookmark.reset();
  mPrefTempPathBookmark.reset();
  mPrefSavePathBookmark.reset();
  mMsg_BookCorrect = mMsg_ClearThumbnail = mMsg_100MBOverScan = mMsg_48or16BitScan = mMsg_SaveFavorite = true;
  mMsg_SaveToneSetting = mMsg_ChangeTab = mMsg_MultiPDFScanEnd = mMsg_ColorModeAndDataFormat = true;
}

Quirel_FavoriteSetting& Quirel_FavoriteSetting::setValue(int index, const std::optional<std::string>& name) {
  mIndex = index;
  setName(name);
  return *this;
}

Quirel_FavoriteSetting::Quirel_FavoriteSetting(const fnd::Dictionary& d) {
  initData();
  // Each entry carries a name; one without reads with none rather than failing the whole file.
  if (const fnd::Value* name = d.find("Name")) mName = name->toString();
  mIndex = d.intValue("Index");
  mImageSource = d.intValue("ImageSource");
  mPaperSize = d.intValue("PaperSize");
  mUnit = d.intValue("Unit");
  mColorMode = d.intValue("ColorMode");
  mResolution = d.intValue("Resolution");
  mOutputSize = d.intValue("OutputSize");
  if (const fnd::Value* v = d.find("OutputSizeName")) mOutputSizeName = v->toString();
  if (d.contains("OutputSizeWidth")) mOutputSizeWidth = readLength(d.dictionary("OutputSizeWidth"));
  if (d.contains("OutputSizeHeight")) mOutputSizeHeight = readLength(d.dictionary("OutputSizeHeight"));
  if (d.contains("OutputSizeRotated")) mOutputSizeRotated = d.boolean("OutputSizeRotated");
  mAutoTone = d.intValue("AutoTone");
  if (d.contains("ReferenceCrop")) {
    mReferenceCrop = std::make_unique<Quirel_CropInfo>();
    mReferenceCrop->setDictionary(d.dictionary("ReferenceCrop"));
  }
  if (d.contains("ImageAdjustment")) mColorAdjust = d.intValue("ImageAdjustment");
  if (d.contains("CopyGamma")) mCopyGamma = d.intValue("CopyGamma");
  mUnsharpMask = d.intValue("UnsharpMask");
  mDescreen = d.intValue("Descreen");
  mReduceDust = d.intValue("ReduceDust");
  mReduceDustFAU = d.intValue("ReduceDustForFAU");
  mRemoveDust = d.intValue("RemoveDust");
  mFadingCorrect = d.intValue("FadingCorrect");
  mGrainCorrect = d.intValue("GrainCorrect");
  mLightCorrect = d.intValue("BacklightCorrect");
  if (d.contains("BookCorrect")) mBookCorrect = d.intValue("BookCorrect");
  if (d.contains("AutoDocCorrect")) mAutoDocCorrect = d.intValue("AutoDocCorrect");
  mExposureOpen = d.boolean("ExposureOpen");
  mExposure = d.boolean("Exposure");
  mExposureValue = d.intValue("ExposureValue");
  mAllExposure = d.boolean("AllExposure");
  mAllExposureBase = d.boolean("AllExposureBase");
  mAllExposureBaseValue = d.intValue("AllExposureBaseValue");
  if (d.contains("AllExposureBaseCrop")) {
    mAllExposureBaseCrop = std::make_unique<Quirel_CropInfo>();
    mAllExposureBaseCrop->setDictionary(d.dictionary("AllExposureBaseCrop"));
  }
  mScanSettingOpen = d.boolean("ScanSettingOpen");
  mHighQualityMode = d.boolean("HighQualityMode");
  mCalibrationOpen = d.boolean("CalibrationOpen");
  mToneSettingNo = d.intValue("ToneSettingNo");
  mToneSettingName = d.string("ToneSettingName");
  if (const fnd::Value* v = d.find("DialogState"); v && v->isDictionary()) {
    mDialogState = fnd::makeShared(v->toDictionary());
  }
  mColorBalance = {d.intValue("Chroma"), d.intValue("CyanRed"), d.intValue("MagentaGreen"), d.intValue("YellowBlue")};
  mOpenBtnState = d.boolean("OpenBtnState");
  mToneBC.brightness = readChannels(d, "Brightness");
  mToneBC.contrast = readChannels(d, "Contrast");
  mHistogram.black = readChannels(d, "BlackPoint");
  mHistogram.mid = readChannels(d, "MidPoint");
  mHistogram.white = readChannels(d, "WhitePoint");
  mHistogram.gray = readChannels(d, "GrayPoint");
  mToneCurve.selectToneCurve = readChannels(d, "ToneCurve");
  setPointCounts(mToneCurve, readChannels(d, "SetPointCount"));
  readPointArrays(d, "UserSetPoint", mToneCurve.setPoint);
  readPointArrays(d, "SquarePoint", mToneCurve.squarePoint);
  mThreshold = d.intValue("Threshold");

  mPrefPrevStart = d.intValue("PreviewWhenStart");
  mPrefCropAfterPrev = d.intValue("CropAfterPreview");
  if (d.contains("ThumbnailSize_Platen")) mPrefThumbnailSize_Platen = d.intValue("ThumbnailSize_Platen");
  mPrefThumbnailSize_Film = d.intValue("ThumbnailSize");
  mPrefUIOffColor = d.boolean("UIOffColorMode");
  mPrefUIOffTextOcr = d.boolean("UIOffTextOCR");
  mPrefUIOffThumbanil = d.boolean("UIOffThumbSize");
  mPrefBitEnabled = d.boolean("BitEnabled");
  if (d.contains("EnableLargeScan")) mPrefEnableLargeScan = d.boolean("EnableLargeScan");
  mPrefAutoExit = d.intValue("AutoExit");
  mPrefIndexLayout = d.intValue("IndexLayout");
  mPrefADFOutput = d.boolean("ADFOutput");
  mPrefADF_HighSpeed = d.intValue("ADFSetting_HighSpeed");
  mPrefADF_OrderRejection = d.intValue("ADFSetting_OrderRejection");
  mPrefColorSync = d.intValue("ColorSync");
  if (d.contains("InProfileStr")) setInputPf_Name(0, d.string("InProfileStr"));
  if (d.contains("InProfileFilePath")) setInputPf_FilePath(0, d.string("InProfileFilePath"));
  if (d.contains("InProfileNegaStr")) setInputPf_Name(1, d.string("InProfileNegaStr"));
  if (d.contains("InProfileNegaFilePath")) setInputPf_FilePath(1, d.string("InProfileNegaFilePath"));
  if (d.contains("InProfilePosiStr")) setInputPf_Name(2, d.string("InProfilePosiStr"));
  if (d.contains("InProfilePosiFilePath")) setInputPf_FilePath(2, d.string("InProfilePosiFilePath"));
  if (d.contains("OutProfileStr")) setOutputPf_Name(d.string("OutProfileStr"));
  if (d.contains("OutProfileFilePath")) setOutputPf_FilePath(d.string("OutProfileFilePath"));
  mPrefMonitor = d.boolean("MonitorCorrect");
  mPrefAutoTone = d.boolean("AutoToneAlways");
  // Read as stored, so an untouched favourite (0.0) reads back equal to itself; the preferences
  // record makes it usable where it is inverted for the monitor correction.
  mPrefGamma = d.real("MonitorGammma");
  mPrefLampTime = d.intValue("LampTime");
  mPrefQuietMode = d.boolean("QuietMode");
  mPrefTempPath = d.string("TempFilePath");
  mPrefSound = d.boolean("PlaySound");
  mPrefSoundPath = d.string("SoundFilePath");
  mPrefCalibrationEveryScan = d.intValue("CalibrationEveryScan");
  mPrefSavePath = d.string("SaveFilePath");
  mPrefSaveName = d.string("SaveFileName");
  mPrefFileFormat = d.intValue("SaveFileFormat");
  mPrefFileCompression = d.intValue("SaveCompression");
  auto bookmark = [&d](std::string_view key) -> Bookmark {
    const fnd::Value* v = d.find(key);
    if (!v || !v->isData()) return nullptr;
    return std::make_shared<const fnd::Data>(v->toData());
  };
  if (d.contains("TempFilePathBookmark")) mPrefTempPathBookmark = bookmark("TempFilePathBookmark");
  if (d.contains("SoundFilePathBookmark")) mPrefSoundPathBookmark = bookmark("SoundFilePathBookmark");
  if (d.contains("SaveFilePathBookmark")) mPrefSavePathBookmark = bookmark("SaveFilePathBookmark");

  struct Flag {
    const char* key;
    bool* field;
  } const flags[] = {{"MessageBookCorrect", &mMsg_BookCorrect},
                     {"MessageClearThumbnail", &mMsg_ClearThumbnail},
                     {"Message100MBOverScan", &mMsg_100MBOverScan},
                     {"Message48or16BitScan", &mMsg_48or16BitScan},
                     {"MessageSaveFavorite", &mMsg_SaveFavorite},
                     {"MessageSaveToneSetting", &mMsg_SaveToneSetting},
                     {"MessageChangeTab", &mMsg_ChangeTab},
                     {"MessageMultiPDFScanEnd", &mMsg_MultiPDFScanEnd},
                     {"MessageColorModeAndDataFormat", &mMsg_ColorModeAndDataFormat}};
  for (const Flag& f : flags) {
    if (d.contains(f.key)) *f.field = d.boolean(f.key);
  }
}

fnd::Dictionary Quirel_FavoriteSetting::getDictionary() const {
  fnd::Dictionary d;
  d.set("Name", mName.value_or(""));
  d.set("Index", mIndex);
  d.set("ImageSource", mImageSource);
  d.set("PaperSize", mPaperSize);
  d.set("Unit", mUnit);
  d.set("ColorMode", mColorMode);
  d.set("Resolution", mResolution);
  d.set("OutputSize", mOutputSize);
  if (mOutputSizeName) d.set("OutputSizeName", *mOutputSizeName);
  d.set("OutputSizeWidth", lengthDictionary(mOutputSizeWidth));
  d.set("OutputSizeHeight", lengthDictionary(mOutputSizeHeight));
  d.set("OutputSizeRotated", mOutputSizeRotated);
  d.set("AutoTone", mAutoTone);
  if (mReferenceCrop) d.set("ReferenceCrop", mReferenceCrop->getDictionary());
  d.set("ImageAdjustment", mColorAdjust);
  d.set("CopyGamma", mCopyGamma);
  d.set("UnsharpMask", mUnsharpMask);
  d.set("Descreen", mDescreen);
  d.set("ReduceDust", mReduceDust);
  d.set("ReduceDustForFAU", mReduceDustFAU);
  d.set("RemoveDust", mRemoveDust);
  d.set("FadingCorrect", mFadingCorrect);
  d.set("GrainCorrect", mGrainCorrect);
  d.set("BacklightCorrect", mLightCorrect);
  d.set("BookCorrect", mBookCorrect);
  d.set("AutoDocCorrect", mAutoDocCorrect);
  d.set("ExposureOpen", mExposureOpen);
  d.set("Exposure", mExposure);
  d.set("ExposureValue", mExposureValue);
  d.set("AllExposure", mAllExposure);
  d.set("AllExposureBase", mAllExposureBase);
  d.set("AllExposureBaseValue", mAllExposureBaseValue);
  if (mAllExposureBaseCrop) d.set("AllExposureBaseCrop", mAllExposureBaseCrop->getDictionary());
  d.set("ScanSettingOpen", mScanSettingOpen);
  d.set("HighQualityMode", mHighQualityMode);
  d.set("CalibrationOpen", mCalibrationOpen);
  d.set("ToneSettingNo", mToneSettingNo);
  d.set("ToneSettingName", mToneSettingName.value_or(""));
  // Without a dialog state the key is left out: a null cannot stand in a property list.
  if (mDialogState) d.set("DialogState", *mDialogState);
  d.set("Chroma", mColorBalance.chroma);
  d.set("CyanRed", mColorBalance.cyanRed);
  d.set("MagentaGreen", mColorBalance.magentaGreen);
  d.set("YellowBlue", mColorBalance.yellowBlue);
  d.set("OpenBtnState", mOpenBtnState);
  const ChannelValues groups[] = {mToneBC.brightness, mToneBC.contrast, mHistogram.black, mHistogram.mid,
                                  mHistogram.white,   mHistogram.gray,  mToneCurve.selectToneCurve};
  for (std::size_t i = 0; i < std::size(groups); ++i) d.set(kChannelKeys[i], channelArray(groups[i]));
  d.set("SetPointCount", fnd::Array{mToneCurve.setPointCount[0], mToneCurve.setPointCount[1],
                                    mToneCurve.setPointCount[2], mToneCurve.setPointCount[3]});
  d.set("UserSetPoint", pointArrays(mToneCurve.setPoint));
  d.set("SquarePoint", pointArrays(mToneCurve.squarePoint));
  d.set("Threshold", mThreshold);

  d.set("PreviewWhenStart", mPrefPrevStart);
  d.set("CropAfterPreview", mPrefCropAfterPrev);
  d.set("ThumbnailSize_Platen", mPrefThumbnailSize_Platen);
  d.set("ThumbnailSize", mPrefThumbnailSize_Film);
  d.set("UIOffColorMode", mPrefUIOffColor);
  d.set("UIOffTextOCR", mPrefUIOffTextOcr);
  d.set("UIOffThumbSize", mPrefUIOffThumbanil);
  d.set("BitEnabled", mPrefBitEnabled);
  d.set("EnableLargeScan", mPrefEnableLargeScan);
  d.set("AutoExit", mPrefAutoExit);
  d.set("IndexLayout", mPrefIndexLayout);
  d.set("ADFOutput", mPrefADFOutput);
  d.set("ADFSetting_HighSpeed", mPrefADF_HighSpeed);
  d.set("ADFSetting_OrderRejection", mPrefADF_OrderRejection);
  d.set("ColorSync", mPrefColorSync);
  d.set("InProfileStr", mPrefInputPf_Name_R);
  d.set("InProfileFilePath", mPrefInputPf_FilePath_R);
  d.set("InProfileNegaStr", mPrefInputPf_Name_N);
  d.set("InProfileNegaFilePath", mPrefInputPf_FilePath_N);
  d.set("InProfilePosiStr", mPrefInputPf_Name_P);
  d.set("InProfilePosiFilePath", mPrefInputPf_FilePath_P);
  d.set("OutProfileStr", mPrefOutputPf_Name);
  d.set("OutProfileFilePath", mPrefOutputPf_FilePath);
  d.set("MonitorCorrect", mPrefMonitor);
  d.set("AutoToneAlways", mPrefAutoTone);
  d.set("MonitorGammma", mPrefGamma);
  d.set("LampTime", mPrefLampTime);
  d.set("QuietMode", mPrefQuietMode);
  d.set("TempFilePath", mPrefTempPath.value_or(""));
  if (mPrefTempPathBookmark) d.set("TempFilePathBookmark", *mPrefTempPathBookmark);
  d.set("PlaySound", mPrefSound);
  d.set("SoundFilePath", mPrefSoundPath.value_or(""));
  if (mPrefSoundPathBookmark) d.set("SoundFilePathBookmark", *mPrefSoundPathBookmark);
  d.set("CalibrationEveryScan", mPrefCalibrationEveryScan);
  d.set("SaveFilePath", mPrefSavePath.value_or(""));
  if (mPrefSavePathBookmark) d.set("SaveFilePathBookmark", *mPrefSavePathBookmark);
  d.set("SaveFileName", mPrefSaveName.value_or(""));
  d.set("SaveFileFormat", mPrefFileFormat);
  d.set("SaveCompression", mPrefFileCompression);
  d.set("MessageBookCorrect", mMsg_BookCorrect);
  d.set("MessageClearThumbnail", mMsg_ClearThumbnail);
  d.set("Message100MBOverScan", mMsg_100MBOverScan);
  d.set("Message48or16BitScan", mMsg_48or16BitScan);
  d.set("MessageSaveFavorite", mMsg_SaveFavorite);
  d.set("MessageSaveToneSetting", mMsg_SaveToneSetting);
  d.set("MessageChangeTab", mMsg_ChangeTab);
  d.set("MessageMultiPDFScanEnd", mMsg_MultiPDFScanEnd);
  d.set("MessageColorModeAndDataFormat", mMsg_ColorModeAndDataFormat);
  return d;
}

std::string Quirel_FavoriteSetting::filePath(const std::string& folder) { return joinFile(folder, kFileName); }

std::vector<std::unique_ptr<Quirel_FavoriteSetting>> Quirel_FavoriteSetting::readFromFolder(
    const std::string& folder) {
  std::vector<std::unique_ptr<Quirel_FavoriteSetting>> entries;
  const auto result = fnd::PropertyList::readFile(filePath(folder));
  if (!result.ok()) return entries;
  for (const fnd::Value& entry : result.value->toArray()) {
    if (entry.isDictionary()) entries.push_back(std::make_unique<Quirel_FavoriteSetting>(entry.toDictionary()));
  }
  return entries;
}

bool Quirel_FavoriteSetting::writeToFolder(const std::string& folder,
                                           const std::vector<const Quirel_FavoriteSetting*>& platen,
                                           const std::vector<const Quirel_FavoriteSetting*>& negative,
                                           const std::vector<const Quirel_FavoriteSetting*>& positive,
                                           std::string* error) {
  fnd::Array entries;
  for (const auto* list : {&platen, &negative, &positive}) {
    for (const Quirel_FavoriteSetting* f : *list) {
      if (f) entries.push_back(f->getDictionary());
    }
  }
  // What the file holds beyond the three lists (other image sources, elements that are no
  // entries) goes back after them as read; a file that cannot be read is set aside first.
  const std::string path = filePath(folder);
  const Quirel_SettingsListFile::Contents existing = Quirel_SettingsListFile::read(path);
  for (const fnd::Value& element : existing.elements) {
    const bool listed = element.isDictionary() &&
                        Quirel_FavoriteFile::listOfSource(static_cast<int>(element.toDictionary().integer("ImageSource"))) >= 0;
    if (!listed) entries.push_back(element);
  }
  return Quirel_SettingsListFile::write(path, entries, existing.unreadable, error);
}

void Quirel_FavoriteSetting::setBaseCropOfDataPersistence(const Quirel_CropInfo* crop) {
  if (!crop) return;
  if (!mReferenceCrop) mReferenceCrop = std::make_unique<Quirel_CropInfo>();
  mReferenceCrop->copyCropInfo(crop);
}

void Quirel_FavoriteSetting::setBaseCropOfApplyToneValueToAll(const Quirel_CropInfo* crop) {
  if (!crop) return;
  if (!mAllExposureBaseCrop) mAllExposureBaseCrop = std::make_unique<Quirel_CropInfo>();
  mAllExposureBaseCrop->copyCropInfo(crop);
}

void Quirel_FavoriteSetting::setInputPf_Name(int index, const std::optional<std::string>& name) {
  (index == 0 ? mPrefInputPf_Name_R : index == 1 ? mPrefInputPf_Name_N : mPrefInputPf_Name_P) = name.value_or("");
}

std::string Quirel_FavoriteSetting::getInputPf_Name(int index) const {
  return index == 0 ? mPrefInputPf_Name_R : index == 1 ? mPrefInputPf_Name_N : mPrefInputPf_Name_P;
}

void Quirel_FavoriteSetting::setInputPf_FilePath(int index, const std::optional<std::string>& path) {
  (index == 0 ? mPrefInputPf_FilePath_R : index == 1 ? mPrefInputPf_FilePath_N : mPrefInputPf_FilePath_P) =
      path.value_or("");
}

std::string Quirel_FavoriteSetting::getInputPf_FilePath(int index) const {
  return index == 0 ? mPrefInputPf_FilePath_R : index == 1 ? mPrefInputPf_FilePath_N : mPrefInputPf_FilePath_P;
}
