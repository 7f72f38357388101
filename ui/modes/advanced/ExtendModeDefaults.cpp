#include "ui/controls/CTRLS_Preview.h"
#include "ui/model/CropInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"

namespace {

// One "DefaultValue" of the model's "ExtendMode" entry. An entry that is missing or no
// dictionary gives `missing`; a dictionary without a numeric "DefaultValue" gives 0; a value
// outside [low, high] reads as missing, so a damaged model file never reaches a table.
int extDefault(const fnd::Dictionary* entry, std::string_view key, int missing, long long low = -2147483647LL,
               long long high = 2147483647LL) {
  if (!entry) return missing;
  const fnd::Value* v = entry->find(key);
  if (!v || !v->isDictionary()) return missing;
  const fnd::Value* d = v->toDictionary().find("DefaultValue");
  if (!d || !d->isNumber()) return 0;
  const long long n = d->toInteger();
  return n >= low && n <= high ? static_cast<int>(n) : missing;
}

// The "Platen", "Film" or "ADF" dictionary of "ISImageAdjustment".
int extAdjustDefault(const fnd::Dictionary* entry, std::string_view source, int missing) {
  if (!entry) return missing;
  const fnd::Value* v = entry->find("ISImageAdjustment");
  if (!v || !v->isDictionary()) return missing;
  return extDefault(&v->toDictionary(), source, missing);
}

// What the three records and the template take from the entry.
struct ExtDefaults {
  int imageSource, paperSize, colorMode, resolution, autoTone;
  int adjustPlaten, adjustFilm, adjustADF, copyGamma, unsharp, descreen, reduceDust, removeDust, reduceDustFAU;
  int fading, grain, backlight, book;
};

ExtDefaults extReadDefaults(const fnd::Dictionary* e) {
  ExtDefaults d{};
  d.imageSource = extDefault(e, "ImageSource", 0, 0, 6);
  d.paperSize = extDefault(e, "PaperSize", 0);
  d.colorMode = extDefault(e, "ColorMode", 3, 0, 6);
  d.resolution = extDefault(e, "OutputResolution", 300, 25, 19200);
  d.autoTone = extDefault(e, "ISAutoTone", 0);
  d.adjustPlaten = extAdjustDefault(e, "Platen", 1);
  d.adjustFilm = extAdjustDefault(e, "Film", 2);
  d.adjustADF = extAdjustDefault(e, "ADF", 0);
  d.copyGamma = extDefault(e, "ISCopyGamma", -1);  // -1: no entry (platen 0, feeder 2)
  d.unsharp = extDefault(e, "ISUnsharpMask", 1);
  d.descreen = extDefault(e, "ISDescreen", 0);
  d.reduceDust = extDefault(e, "ISReduceDust", 0);
  d.removeDust = extDefault(e, "ISRemoveDust", 0);
  d.reduceDustFAU = extDefault(e, "ISReduceDustForFAU", 0);
  d.fading = extDefault(e, "ISFadingCorrect", 0);
  d.grain = extDefault(e, "ISGrainCorrect", 0);
  d.backlight = extDefault(e, "ISLightCorrect", 0);
  d.book = extDefault(e, "ISBookCorrect", 0);
  return d;
}

Quirel_ExtendMode::ImgSrcSetting extPlatenRecord(const ExtDefaults& d, bool racs2) {
  Quirel_ExtendMode::ImgSrcSetting r{};
  r.paperSize = d.paperSize;
  r.colorMode[0] = r.colorMode[1] = d.colorMode;
  r.resolution = 300;
  r.colorAdjust = d.adjustPlaten;
  r.copyGamma = racs2 && d.copyGamma >= 0 ? d.copyGamma : 0;
  r.unsharpMask = d.unsharp;
  r.descreen = d.descreen;
  r.reduceDust = d.reduceDust;
  r.fading = d.fading;
  r.grain = d.grain;
  r.backlight = d.backlight;
  r.book = d.book;
  return r;
}

Quirel_ExtendMode::ImgSrcSetting extFilmRecord(const ExtDefaults& d, int colorMode0) {
  Quirel_ExtendMode::ImgSrcSetting r{};
  r.paperSize = 21;
  r.colorMode[0] = colorMode0;
  r.colorMode[1] = 1;
  r.resolution = 1200;
  r.colorAdjust = d.adjustFilm;
  r.unsharpMask = d.unsharp;
  r.removeDust = d.removeDust;
  r.reduceDustFAU = d.reduceDustFAU;
  r.fading = d.fading;
  r.grain = d.grain;
  r.backlight = d.backlight;
  return r;
}

Quirel_ExtendMode::ImgSrcSetting extADFRecord(const ExtDefaults& d, bool racs2, int paperSize, int resolution) {
  Quirel_ExtendMode::ImgSrcSetting r{};
  r.paperSize = paperSize;
  r.colorMode[0] = r.colorMode[1] = d.colorMode;
  r.resolution = resolution;
  r.colorAdjust = racs2 ? d.adjustADF : 0;
  r.copyGamma = d.copyGamma >= 0 ? d.copyGamma : 2;
  r.unsharpMask = d.unsharp;
  r.descreen = d.descreen;
  r.reduceDust = d.reduceDust;
  r.grain = d.grain;
  return r;
}

}  // namespace

void Quirel_ExtendMode::setDefaultSetting(const fnd::Dictionary* parameters) {
  resetModeStateToDefaults(false);
  mFilmSizeWithoutCaps = 21;

  const fnd::Dictionary* entry = parameters ? parameters : extendModeEntry();
  const ExtDefaults d = extReadDefaults(entry);
  const bool racs2 = mScannerInfo && mScannerInfo->useRACS2();
  mImageSource = d.imageSource;
  mFavorite = 0;
  mToneCurve = 0;
  mImgSrcSetting[0] = extPlatenRecord(d, racs2);
  mImgSrcSetting[1] = extFilmRecord(d, d.colorMode);
  mImgSrcSetting[2] = extADFRecord(d, racs2, mUserLocaleUnits.paperSize, 300);

  const ImgSrcSetting& platen = mImgSrcSetting[0];
  const SSizeDouble s = getPaperSizeWH_Pixel96(platen.paperSize);
  if (mPreview) mPreview->setVisiblePreviewSize_Pixel96({s.width, s.height});
  if (!mTemplateCrop) mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  Quirel_CropInfo& t = *mTemplateCrop;
  t.setImageSourceForStandard(0);
  t.setImageSource(mImageSource);
  t.setDestination(0);
  t.setPaperSize(platen.paperSize);
  t.setColorMode(d.colorMode);
  t.setUnit(mUserLocaleUnits.unit);
  t.setInputPoint_Pixel96(0, 0);
  t.setInputSize_Pixel96(s.width, s.height);
  t.setFixesRatio(false);
  t.setRatio(s);
  t.setResolution(d.resolution);
  t.setOutputSize(0);
  t.setOutputSize_Pixel96(s);
  t.setMagnification(100);
  t.setAutoTone(d.autoTone);
  t.setColorAdjust(platen.colorAdjust);
  t.setCopyGamma(platen.copyGamma);
  t.setUnsharpMask(platen.unsharpMask);
  t.setDescreen(platen.descreen);
  t.setReduceDust(platen.reduceDust);
  t.setRemoveDust(d.removeDust);
  t.setReduceDustFAU(d.reduceDustFAU);
  t.setFadingCorrect(platen.fading);
  t.setGrainCorrect(platen.grain);
  t.setBackLightCorrect(platen.backlight);
  t.setBookCorrect(platen.book);
  t.setAutoDocCorrect(0);
  resetCropExposure(t);
  // The base's reset alone: the dialogs are not told at a full reset.
  Quirel_BaseScanMode::updateCropByResetToneSetting(t, true);
  t.setPreviewStartPoint_Pixel96({0, 0});
  t.setPreviewSize_Pixel96(s);
  t.setVisiblePreviewSize_Pixel96(s);
  t.setRotation(0);
  t.setMirror(false);
  if (t.getBaseCropOfDataPersistence()) t.removeBaseCropOfDataPersistence();
  t.setTempOutputSize(0);
}

void Quirel_ExtendMode::resetTemplateForSource(int sourceNumber, bool resetBasicSource, int colorMode,
                                               int resolution, const ImgSrcSetting& record) {
  mImageSource = sourceNumber;
  mFavorite = 0;
  mToneCurve = 0;
  const SSizeDouble s = getPaperSizeWH_Pixel96(record.paperSize);
  if (mPreview) mPreview->setVisiblePreviewSize_Pixel96({s.width, s.height});
  if (!mTemplateCrop) mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  Quirel_CropInfo& t = *mTemplateCrop;
  if (resetBasicSource) t.setImageSourceForStandard(0);
  t.setImageSource(sourceNumber);
  t.setColorMode(colorMode);
  t.setPaperSize(record.paperSize);
  t.setInputPoint_Pixel96(0, 0);
  t.setInputSize_Pixel96(s.width, s.height);
  t.setFixesRatio(false);
  t.setRatio(s);
  t.setUnit(mUserLocaleUnits.unit);
  t.setResolution(resolution);
  t.setOutputSize(0);
  t.setTempOutputSize(0);
  t.setDestination(0);
  t.setOutputSize_Pixel96(s);
  t.setMagnification(100);
  t.setAutoTone(0);
  if (t.getBaseCropOfDataPersistence()) t.removeBaseCropOfDataPersistence();
  updateImageSettingFromImageSouceSetting(record, t);
  resetCropExposure(t);
  updateCropByResetToneSetting(t, true);
  t.setRotation(0);
  t.setMirror(false);
  t.setPreviewSize_Pixel96(s);
  t.setVisiblePreviewSize_Pixel96(s);
  t.setPreviewStartPoint_Pixel96({0, 0});
}

void Quirel_ExtendMode::setDefaultSettingAtPlaten() {
  removeThumbnails();
  mCropList.clear();
  const ExtDefaults d = extReadDefaults(extendModeEntry());
  mImgSrcSetting[0] = extPlatenRecord(d, mScannerInfo && mScannerInfo->useRACS2());
  resetTemplateForSource(0, true, d.colorMode, d.resolution, mImgSrcSetting[0]);
}

void Quirel_ExtendMode::setDefaultSettingAtFilmWithResetColorFilm(bool resetColorFilm, bool resetHighQualityMode) {
  int source = mTemplateCrop ? mTemplateCrop->getImageSource() : mImageSource;
  if (resetColorFilm && (source == 3 || source == 4)) source -= 2;
  removeThumbnails();
  mCropList.clear();
  const ExtDefaults d = extReadDefaults(extendModeEntry());
  mImgSrcSetting[1] = extFilmRecord(d, 3);
  mUseCapsFilmSize = true;
  mFilmSizeWithoutCaps = 21;
  if (resetHighQualityMode) mHighQualityMode = false;
  resetTemplateForSource(source, false, source == 3 || source == 4 ? 1 : 3, 1200, mImgSrcSetting[1]);
}

void Quirel_ExtendMode::setDefaultSettingAtADF() {
  const int source = mTemplateCrop ? mTemplateCrop->getImageSource() : mImageSource;
  removeThumbnails();
  mCropList.clear();
  const ExtDefaults d = extReadDefaults(extendModeEntry());
  const bool racs2 = mScannerInfo && mScannerInfo->useRACS2();
  mImgSrcSetting[2] = extADFRecord(d, racs2, mUserLocaleUnits.paperSize, d.resolution);
  mADFDirection = 0;
  mADFBinding = 0;
  resetTemplateForSource(source, false, d.colorMode, d.resolution, mImgSrcSetting[2]);
}
