#include <algorithm>

#include "ui/controls/CTRLS_Preview.h"
#include "ui/model/CropInfo.h"
#include "ui/model/OutputSize.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/model/Units.h"
#include "ui/modes/basic/StandardMode.h"

namespace {

// Readers of a stored last setting: a key of the wrong kind or out of range reads as missing,
// so a hand-edited or damaged file never indexes past a table.
std::optional<long long> stdLastInteger(const fnd::Dictionary& d, std::string_view key) {
  const fnd::Value* v = d.find(key);
  if (!v || !v->isInteger()) return std::nullopt;
  return v->toInteger();
}

int stdLastIntegerIn(const fnd::Dictionary& d, std::string_view key, long long low, long long high, int missing) {
  const std::optional<long long> v = stdLastInteger(d, key);
  return v && *v >= low && *v <= high ? static_cast<int>(*v) : missing;
}

std::optional<bool> stdLastFlag(const fnd::Dictionary& d, std::string_view key) {
  const fnd::Value* v = d.find(key);
  if (!v || !v->isBool()) return std::nullopt;
  return v->toBool();
}

bool stdLastBool(const fnd::Dictionary& d, std::string_view key, bool missing) {
  return stdLastFlag(d, key).value_or(missing);
}

std::optional<SSizeDouble> stdLastSize(const fnd::Dictionary& d, std::string_view key) {
  const fnd::Value* v = d.find(key);
  if (!v || !v->isDictionary()) return std::nullopt;
  const fnd::Dictionary& size = v->toDictionary();
  const fnd::Value* w = size.find("width");
  const fnd::Value* h = size.find("height");
  if (!w || !h || !w->isNumber() || !h->isNumber()) return std::nullopt;
  return SSizeDouble{w->toReal(), h->toReal()};
}

int stdCorrectionDefault(const fnd::Dictionary& entry, std::string_view key, int on) {
  const fnd::Value* v = entry.find(key);
  if (!v || !v->isDictionary()) return 0;
  return v->toDictionary().boolean("DefaultValue") ? on : 0;
}

int stdMenuDefault(const fnd::Dictionary& entry, std::string_view key, int high) {
  const fnd::Value* v = entry.find(key);
  if (!v || !v->isDictionary()) return 0;
  const long long value = v->toDictionary().integer("DefaultValue");
  return value >= 0 && value <= high ? static_cast<int>(value) : 0;
}

}  // namespace

const fnd::Dictionary* Quirel_StandardMode::standardModeEntry() const {
  if (!mUimParameterDic) return nullptr;
  const fnd::Value* v = mUimParameterDic->find(kLastSettingKey);
  return v && v->isDictionary() ? &v->toDictionary() : nullptr;
}

Quirel_StandardMode::SourceDefaults Quirel_StandardMode::readSourceDefaults(const fnd::Dictionary* entry) const {
  SourceDefaults out;
  if (!entry) return out;
  out.hasEntry = true;
  out.imageSource = stdMenuDefault(*entry, "ImageSource", kImageSourceCount - 1);
  out.destination = stdMenuDefault(*entry, "Destination", 2);
  out.removeDust = stdCorrectionDefault(*entry, "ISRemoveDust", 3);
  out.reduceDustFAU = stdCorrectionDefault(*entry, "ISReduceDustForFAU", 3);
  out.fading = stdCorrectionDefault(*entry, "ISFadingCorrect", 3);
  out.backlight = stdCorrectionDefault(*entry, "ISLightCorrect", 3);
  out.book = stdCorrectionDefault(*entry, "ISBookCorrect", 3);
  out.autoDocCorrect = stdCorrectionDefault(*entry, "ISAutoDocCorrect", 1);
  return out;
}

void Quirel_StandardMode::setDefaultSetting(const fnd::Dictionary* parameters) {
  const int g = copyGammaValue();
  resetModeStateToDefaults(true);

  const fnd::Dictionary* entry = parameters ? parameters : standardModeEntry();
  const SourceDefaults def = readSourceDefaults(entry);
  const int s = def.imageSource;
  const int d = def.destination;
  const int u = def.hasEntry && d == 1 ? 2 : mUserLocaleUnits.unit;
  const int r = def.hasEntry && d == 1 ? 150 : 300;
  if (entry) {
    const fnd::Value* all = entry->find("SelectAllThumbnail");
    if (all && all->isBool()) mSelectAllThumbnail = all->toBool();
  }
  mImageSource = s;
  mDestination = d;

  const SSizeDouble wh = getPaperSizeWH_Pixel96(0);
  if (mPreview) mPreview->setVisiblePreviewSize_Pixel96({wh.width, wh.height});
  if (!mTemplateCrop) mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  Quirel_CropInfo& t = *mTemplateCrop;
  updateCropByImageSource(s, t, false, true);
  t.setDestination(d);
  t.setUnit(u);
  t.setInputPoint_Pixel96(0, 0);
  t.setInputSize_Pixel96(wh.width, wh.height);
  t.setFixesRatio(false);
  t.setRatio(wh);
  t.setResolution(r);
  t.setOutputSize(0);
  t.setOutputSize_Pixel96(wh);
  t.setMagnification(100);
  t.setAutoTone(0);
  t.setColorAdjust(convColorAdjustFromImageSource(s));
  t.setCopyGamma(g);
  t.setUnsharpMask(1);
  t.setDescreen(0);
  t.setReduceDust(0);
  t.setRemoveDust(0);
  t.setReduceDustFAU(0);
  t.setFadingCorrect(def.fading);
  t.setGrainCorrect(0);
  t.setBackLightCorrect(def.backlight);
  t.setBookCorrect(def.book);
  t.setAutoDocCorrect(def.autoDocCorrect);
  resetCropExposure(t);
  // The tone values (balance, brightness, histogram, curve, threshold) back to their start.
  updateCropByResetToneSetting(t, true);
  t.setPreviewSize_Pixel96(wh);
  t.setVisiblePreviewSize_Pixel96(wh);
  t.setPreviewStartPoint_Pixel96({0, 0});
  t.setRotation(0);
  t.setMirror(false);
  if (t.getBaseCropOfDataPersistence()) t.removeBaseCropOfDataPersistence();
  t.setTempOutputSize(0);

  mDisplayArray.reset();
  mPrintArray.reset();
  mOcrArray.reset();

  mImgSrcSetting[0] = {0, 0, def.fading, def.backlight, def.book, def.autoDocCorrect};
  mImgSrcSetting[1] = {def.removeDust, def.reduceDustFAU, def.fading, def.backlight, 0, 0};
}

void Quirel_StandardMode::applySourceReset(const SourceReset& v) {
  const SSizeDouble wh = getPaperSizeWH_Pixel96(v.paperSize);
  if (mPreview) mPreview->setVisiblePreviewSize_Pixel96({wh.width, wh.height});
  if (!mTemplateCrop) mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  Quirel_CropInfo& t = *mTemplateCrop;
  mImageSource = v.imageSource;
  mDestination = v.destination;
  t.setImageSourceForStandard(v.imageSource);
  t.setImageSource(v.sourceNumber);
  t.setColorMode(v.colorMode);
  t.setPaperSize(v.paperSize);
  t.setInputPoint_Pixel96(0, 0);
  t.setInputSize_Pixel96(wh.width, wh.height);
  t.setFixesRatio(false);
  t.setRatio(wh);
  t.setUnit(v.destination == 1 ? 2 : mUserLocaleUnits.unit);
  t.setResolution(v.resolution);
  t.setOutputSize(0);
  t.setTempOutputSize(0);
  t.setDestination(v.destination);
  t.setOutputSize_Pixel96(wh);
  t.setMagnification(100);
  t.setAutoTone(0);
  t.removeBaseCropOfDataPersistence();
  t.setColorAdjust(v.colorAdjust);
  t.setCopyGamma(copyGammaValue());
  t.setUnsharpMask(1);
  t.setDescreen(v.descreen);
  t.setReduceDust(0);
  t.setReduceDustFAU(v.reduceDustFAU);
  t.setRemoveDust(v.removeDust);
  t.setFadingCorrect(v.fading);
  t.setGrainCorrect(0);
  t.setBackLightCorrect(v.backlight);
  t.setBookCorrect(v.book);
  t.setAutoDocCorrect(v.autoDocCorrect);
  resetCropExposure(t);
  updateCropByResetToneSetting(t, true);
  t.setRotation(0);
  t.setMirror(false);
  t.setPreviewSize_Pixel96(wh);
  t.setVisiblePreviewSize_Pixel96(wh);
  t.setPreviewStartPoint_Pixel96({0, 0});
}

void Quirel_StandardMode::setDefaultSettingAtPlaten() {
  removeThumbnails();
  mCropList.clear();
  const SourceDefaults def = readSourceDefaults(standardModeEntry());
  const int s = def.imageSource;
  const int d = def.destination;
  SourceReset v{};
  v.imageSource = s;
  v.sourceNumber = 0;
  v.colorMode = !def.hasEntry ? 3 : s == 2 ? 0 : (s == 3 || s == 12) ? 1 : 3;
  v.paperSize = 0;
  v.destination = d;
  v.resolution = d == 1 ? 150 : 300;
  v.colorAdjust = def.hasEntry ? convColorAdjustFromImageSource(s) : 2;
  v.descreen = s == 1 ? 1 : 0;
  v.fading = def.fading;
  v.backlight = def.backlight;
  v.book = def.book;
  v.autoDocCorrect = def.autoDocCorrect;
  applySourceReset(v);
  mImgSrcSetting[0] = {0, 0, def.fading, def.backlight, def.book, def.autoDocCorrect};
}

void Quirel_StandardMode::setDefaultSettingAtFilm() {
  removeThumbnails();
  mCropList.clear();
  const SourceDefaults def = readSourceDefaults(standardModeEntry());
  const int s = mTemplateCrop ? mTemplateCrop->getImageSourceForStandard() : 0;
  SourceReset v{};
  v.imageSource = s;
  v.sourceNumber = mTemplateCrop ? mTemplateCrop->getImageSource() : 0;
  v.colorMode = 3;
  v.paperSize = 21;
  v.destination = def.destination;
  v.resolution = 1200;
  v.colorAdjust = convColorAdjustFromImageSource(s);
  v.removeDust = def.removeDust;
  v.reduceDustFAU = def.reduceDustFAU;
  v.fading = def.fading;
  v.backlight = def.backlight;
  applySourceReset(v);
  mImgSrcSetting[1] = {def.removeDust, def.reduceDustFAU, def.fading, def.backlight, 0, 0};
  mUseCapsFilmSize = true;
}

void Quirel_StandardMode::setDefaultSettingAtADF() {
  removeThumbnails();
  mCropList.clear();
  const SourceDefaults def = readSourceDefaults(standardModeEntry());
  const int t = mTemplateCrop ? mTemplateCrop->getImageSourceForStandard() : 0;
  const int current = mTemplateCrop ? mTemplateCrop->getImageSource() : 0;
  SourceReset v{};
  v.imageSource = (t == 6 || t == 7) ? 6 : (t == 8 || t == 9) ? 8 : (t == 10 || t == 11) ? 10 : t;
  v.sourceNumber = (t >= 6 && t <= 9) ? 5 : (t == 10 || t == 11) ? 6 : current;
  v.colorMode = 3;
  v.paperSize = mUserLocaleUnits.paperSize;
  v.destination = def.destination;
  v.resolution = def.destination == 1 ? 150 : 300;
  v.colorAdjust = 0;
  v.autoDocCorrect = def.autoDocCorrect;
  applySourceReset(v);
  mADFDirection = 0;
  mADFBinding = 0;
}

fnd::Dictionary Quirel_StandardMode::getLastSetting() const {
  fnd::Dictionary d;
  d.set("ImageSource", mImageSource);
  d.set("Destination", mDestination);
  d.set("FilmMode", mScanMode == 2 || mScanMode == 3);
  d.set("ThumbnailMode", mScanMode == 1 || mScanMode == 3);
  d.set("PlatenThumbnail", mPlatenThumbnail);
  d.set("FilmThumbnail", mFilmThumbnail);
  d.set("HasPreview", mHasPreview);
  d.set("HasNonThumPreview", mHasNonThumPreview);
  d.set("HasThumPreview", mEnableThumbnailBtn);
  d.set("Rotation", mRotation);
  d.set("Mirror", mMirror);
  d.set("ZoomScan", mZoomScan ? 1 : 0);
  d.set("ADF", isADFMode());
  d.set("ADFDirection", mADFDirection);
  d.set("ADFBinding", mADFBinding);
  d.set("PreviewDataSize", lastSettingSize(mPreviewDataSize));
  d.set("FilmSizeAuto", mUseCapsFilmSize);
  writeLastNoticesAndPreviewSize(d);
  if (mTemplateCrop) d.set("Template", mTemplateCrop->getDictionary());
  const bool thumbnails = mScanMode == 1 || mScanMode == 3;
  if (thumbnails && !mThumbnailList.empty()) {
    fnd::Array list;
    for (const auto& t : mThumbnailList) list.push_back(t->getDictionary());
    d.set("ThumbnailList", std::move(list));
  }
  if (!mCropList.empty()) {
    fnd::Array list;
    for (const auto& c : mCropList) list.push_back(c->getDictionary());
    d.set("CropList", std::move(list));
  }
  return d;
}

int Quirel_StandardMode::restoredCropLimit() const {
  if (mScanMode == 2 || mScanMode == 3) return 30;
  return mScannerInfo && mScannerInfo->isVer1500Later() ? 12 : 10;
}

void Quirel_StandardMode::restoreThumbnails(const fnd::Array& thumbnails) {
  int count = 0;
  for (const fnd::Value& v : thumbnails) {
    if (count == kMaxThumbnails) break;
    if (!v.isDictionary()) continue;
    const fnd::Dictionary& t = v.toDictionary();
    const fnd::Value* no = t.find("No");
    if (no && (!no->isInteger() || no->toInteger() < 0 || no->toInteger() >= kMaxThumbnails)) continue;
    createThumbnailFromDictionary(t);
    ++count;
  }
  mThumbnailCount = count;
}

void Quirel_StandardMode::restoreCrops(const fnd::Array& crops) {
  const int limit = restoredCropLimit();
  for (const fnd::Value& v : crops) {
    if (static_cast<int>(mCropList.size()) >= limit) break;
    if (!v.isDictionary()) continue;
    Quirel_CropInfo* crop = createCropWithView(fnd::Rect());
    if (!crop) break;
    crop->setDictionary(v.toDictionary());
    if (crop->isSelected()) {
      crop->setLineStyle(1);
      if (crop->isFocus()) setFocus(crop);
    }
    updateCropRectFromCrop(*crop, false);
    if (const int n = crop->getOutputSize(); n != 0) {
      // The named size is gone or has no usable side: the frame keeps its area as a free size.
      const std::shared_ptr<Quirel_OutputSize> named = getOutputSizeObject(n);
      if (!named || !namedSizeInPreviewPixels(*named, 300)) changeToFlexible(*crop, true);
    }
    crop->setHidden(true);
  }
}

void Quirel_StandardMode::setLastSetting(const fnd::Dictionary& d) {
  mImageSource = stdLastIntegerIn(d, "ImageSource", 0, kImageSourceCount - 1, 0);
  mDestination = stdLastIntegerIn(d, "Destination", 0, 2, 0);
  const bool film = stdLastBool(d, "FilmMode", false);
  const bool adf = stdLastBool(d, "ADF", false);
  const bool platenThumbnail = stdLastBool(d, "PlatenThumbnail", false);
  const bool filmThumbnail = stdLastFlag(d, "FilmThumbnail").value_or(stdLastBool(d, "ThumbnailMode", false));
  mScanMode = film ? (filmThumbnail ? 3 : 2) : adf ? 4 : platenThumbnail ? 1 : 0;
  mPlatenThumbnail = platenThumbnail;
  mFilmThumbnail = filmThumbnail;
  mHasPreview = stdLastBool(d, "HasPreview", false);
  mHasNonThumPreview = stdLastBool(d, "HasNonThumPreview", false);
  mEnableThumbnailBtn = stdLastBool(d, "HasThumPreview", false);
  mRotation = stdLastIntegerIn(d, "Rotation", 0, 3, 0);
  mMirror = stdLastBool(d, "Mirror", false);
  mZoomScan = stdLastIntegerIn(d, "ZoomScan", 0, 1, 0) == 1;
  mADFDirection = stdLastIntegerIn(d, "ADFDirection", 0, 0x7fffffff, 0);
  mADFBinding = stdLastIntegerIn(d, "ADFBinding", 0, 0x7fffffff, 0);
  mPreviewDataSize = stdLastSize(d, "PreviewDataSize").value_or(SSizeDouble{0, 0});
  mUseCapsFilmSize = stdLastBool(d, "FilmSizeAuto", true);
  // A notice flag missing from the file reads NO: the notice stays off.
  mBookCorrectMsg = stdLastBool(d, "ShowBookCorrectMsg", false);
  mClearThumbnailMsg = stdLastBool(d, "ShowClearThumbnailMsg", false);
  mLargePicMsg = stdLastBool(d, "ShowLargePicMsg", false);
  mColorBitMsg = stdLastBool(d, "ShowColorBitMsg", false);
  mFavoriteMsg = stdLastBool(d, "ShowSaveFavoriteMsg", false);
  mToneSettingMsg = stdLastBool(d, "ShowSaveToneSettingMsg", false);
  mColorModeAndDataFormatMsg = stdLastBool(d, "ShowColorModeAndDataFormatMsg", mColorModeAndDataFormatMsg);

  if (const fnd::Value* t = d.find("Template"); t && t->isDictionary()) {
    if (mTemplateCrop) {
      mTemplateCrop->setDictionary(t->toDictionary());
    } else {
      mTemplateCrop = std::make_shared<Quirel_CropInfo>(t->toDictionary());
    }
  }
  if (mScanMode == 1 || mScanMode == 3) {
    if (const fnd::Value* list = d.find("ThumbnailList"); list && list->isArray()) restoreThumbnails(list->toArray());
  } else if (const fnd::Value* list = d.find("CropList"); list && list->isArray()) {
    restoreCrops(list->toArray());
  }

  std::optional<SSizeDouble> visible = stdLastSize(d, "VisiblePreviewSize");
  if (!visible) {
    const SSizeDouble cm = stdLastSize(d, "PreviewSize").value_or(SSizeDouble{0, 0});
    visible = SSizeDouble{cmToPixel(cm.width, mPlatenResolution), cmToPixel(cm.height, mPlatenResolution)};
  }
  if (mPreview) {
    mPreview->setVisiblePreviewSize_Pixel96({visible->width, visible->height});
    updatePreview();
  }
}
