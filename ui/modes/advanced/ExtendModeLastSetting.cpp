// The advanced mode's entry of the last settings: written when the main window closes, read
// back at the next start. Every value read is checked; one of the wrong kind or out of range
// reads as missing, so a damaged or hand-edited file never puts the mode out of its ranges.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "ui/adjust/ToneBCDialog.h"
#include "ui/controls/CTRLS_CalibrationOpenButton.h"
#include "ui/controls/CTRLS_ExposureOpenButton.h"
#include "ui/controls/CTRLS_MainWindow.h"
#include "ui/controls/CTRLS_OpenButton.h"
#include "ui/controls/CTRLS_ScanSettingOpenButton.h"
#include "ui/controls/CTRLS_Preview.h"
#include "ui/controls/InfoDlgPanel.h"
#include "ui/model/CropInfo.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"
#include "ui/modes/advanced/ExtendMode.h"
#include "ui/settings/InfoDialog.h"

namespace {

constexpr long long kInt32Max = 2147483647;

std::optional<long long> extLastInteger(const fnd::Dictionary& d, std::string_view key) {
  const fnd::Value* v = d.find(key);
  if (!v || !v->isInteger()) return std::nullopt;
  return v->toInteger();
}

std::optional<int> extLastIntegerIn(const fnd::Dictionary& d, std::string_view key, long long low, long long high) {
  const std::optional<long long> v = extLastInteger(d, key);
  if (!v || *v < low || *v > high) return std::nullopt;
  return static_cast<int>(*v);
}

std::optional<bool> extLastFlag(const fnd::Dictionary& d, std::string_view key) {
  const fnd::Value* v = d.find(key);
  if (!v || !v->isBool()) return std::nullopt;
  return v->toBool();
}

std::optional<SSizeDouble> extLastSize(const fnd::Dictionary& d, std::string_view key) {
  const fnd::Value* v = d.find(key);
  if (!v || !v->isDictionary()) return std::nullopt;
  const fnd::Dictionary& size = v->toDictionary();
  const fnd::Value* w = size.find("width");
  const fnd::Value* h = size.find("height");
  if (!w || !h || !w->isNumber() || !h->isNumber()) return std::nullopt;
  const double ww = w->toReal(), hh = h->toReal();
  if (!(ww >= 0 && hh >= 0 && ww < 1e7 && hh < 1e7)) return std::nullopt;
  return SSizeDouble{ww, hh};
}

// The record's keys, in record order, with the range each takes.
struct ExtRecordKey {
  const char* key;
  std::int32_t Quirel_ExtendMode::ImgSrcSetting::*field;
  long long low, high;
};
using ExtRecord = Quirel_ExtendMode::ImgSrcSetting;
const ExtRecordKey kExtRecordKeys[19] = {
    {"PaperSize", &ExtRecord::paperSize, 0, kInt32Max},
    {"ColorModeC", nullptr, 0, 6},
    {"ColorModeM", nullptr, 0, 6},
    {"Resolution", &ExtRecord::resolution, 25, 19200},
    {"ImageAdjustment", &ExtRecord::colorAdjust, 0, kInt32Max},
    {"CopyGamma", &ExtRecord::copyGamma, 0, kInt32Max},
    {"UnsharpMask", &ExtRecord::unsharpMask, 0, kInt32Max},
    {"Descreen", &ExtRecord::descreen, 0, kInt32Max},
    {"ReduceDust", &ExtRecord::reduceDust, 0, kInt32Max},
    {"RemoveDust", &ExtRecord::removeDust, 0, kInt32Max},
    {"ReduceDustForFAU", &ExtRecord::reduceDustFAU, 0, kInt32Max},
    {"Fading", &ExtRecord::fading, 0, kInt32Max},
    {"Grain", &ExtRecord::grain, 0, kInt32Max},
    {"Backlight", &ExtRecord::backlight, 0, kInt32Max},
    {"Book", &ExtRecord::book, 0, kInt32Max},
    {"ToneBcCh", &ExtRecord::toneBcCh, 0, 3},
    {"ToneCurveCh", &ExtRecord::toneCurveCh, 0, 3},
    {"HistgramCh", &ExtRecord::histgramCh, 0, 3},
    {"ReviewCh", &ExtRecord::reviewCh, 0, 3},
};

int extDowngradeColorMode(int mode) { return mode == 4 ? 3 : mode == 2 ? 1 : mode; }

// One channel set of points: four integers 0..255.
std::optional<ChannelValues> extChannels(const fnd::Value* v) {
  if (!v || !v->isDictionary()) return std::nullopt;
  static const char* const kKeys[4] = {"Master", "Red", "Green", "Blue"};
  int values[4];
  for (int i = 0; i < 4; ++i) {
    const fnd::Value* c = v->toDictionary().find(kKeys[i]);
    if (!c || !c->isInteger() || c->toInteger() < 0 || c->toInteger() > 255) return std::nullopt;
    values[i] = static_cast<int>(c->toInteger());
  }
  return ChannelValues{values[0], values[1], values[2], values[3]};
}

}  // namespace

const std::array<const char*, 44>& Quirel_ExtendMode::lastSettingKeys() {
  static const std::array<const char*, 44> keys = {
      "Favorite", "ToneCurve", "ImageSource", "FilmMode", "ThumbnailMode", "PlatenThumbnail", "FilmThumbnail",
      "HasPreview", "HasNonThumPreview", "HasThumPreview", "Rotation", "Mirror", "ZoomScan", "ADF",
      "ADFDirection", "ADFBinding", "HighQuality", "PreviewDataSize", "FilmSizeAuto", "FilmSizeManual",
      "ShowBookCorrectMsg", "ShowClearThumbnailMsg", "ShowLargePicMsg", "ShowColorBitMsg", "ShowSaveFavoriteMsg",
      "ShowSaveToneSettingMsg", "ShowColorModeAndDataFormatMsg", "VisiblePreviewSize", "PreviewSize",
      "PrevVisibleRect", "ImgSrcSettings", "Template", "ThumbnailList", "CropList", "ToneBCDialog",
      "HistgramDialog", "ToneCurveDialog", "FinalReviewDialog", "ThresholdDialog", "ColorBalanceDialog",
      "InfoDialog", "OpenExposure", "OpenScanSetting", "OpenCalibration"};
  return keys;
}

fnd::Dictionary Quirel_ExtendMode::sanitizedCropDictionary(const fnd::Dictionary& crop) {
  fnd::Dictionary d = crop;
  auto keepIn = [&d](const char* key, long long low, long long high) {
    const fnd::Value* v = d.find(key);
    if (v && (!v->isInteger() || v->toInteger() < low || v->toInteger() > high)) d.remove(key);
  };
  keepIn("ColorMode", 0, 6);
  keepIn("Resolution", 25, 19200);
  keepIn("Unit", 0, 2);
  keepIn("Rotation", 0, 3);
  keepIn("OutputSize", 0, kInt32Max);
  keepIn("TempOutputSize", 0, kInt32Max);
  keepIn("Magnification", 1, kInt32Max);
  keepIn("HistChannel", 0, 3);
  // The histogram points come back only together and in their order on every channel.
  const bool anyPoint = d.contains("BlackPt") || d.contains("MidPt") || d.contains("WhitePt");
  if (anyPoint) {
    const auto black = extChannels(d.find("BlackPt"));
    const auto mid = extChannels(d.find("MidPt"));
    const auto white = extChannels(d.find("WhitePt"));
    bool ordered = black && mid && white;
    if (ordered) {
      const int b[4] = {black->master, black->red, black->green, black->blue};
      const int m[4] = {mid->master, mid->red, mid->green, mid->blue};
      const int w[4] = {white->master, white->red, white->green, white->blue};
      for (int i = 0; i < 4; ++i) ordered = ordered && b[i] < m[i] && m[i] < w[i];
    }
    if (!ordered) {
      d.remove("BlackPt");
      d.remove("MidPt");
      d.remove("WhitePt");
    }
  }
  return d;
}

void Quirel_ExtendMode::applyRestoredCropRules(Quirel_CropInfo& crop) const {
  if (mPreferenceInfo && !mPreferenceInfo->getBitEnabled()) crop.setColorMode(extDowngradeColorMode(crop.getColorMode()));
  if (mScannerInfo && mScannerInfo->largeScanFromApplication() == 2) crop.setBackLightCorrect(0);
}

fnd::Dictionary Quirel_ExtendMode::getLastSetting() const {
  fnd::Dictionary d;
  d.set("Favorite", static_cast<long long>(mFavorite));
  d.set("ToneCurve", static_cast<long long>(mToneCurve));
  d.set("ImageSource", static_cast<long long>(mImageSource));
  d.set("FilmMode", mScanMode == 2 || mScanMode == 3);
  d.set("ThumbnailMode", mScanMode == 1 || mScanMode == 3);
  d.set("PlatenThumbnail", mPlatenThumbnail);
  d.set("FilmThumbnail", mFilmThumbnail);
  d.set("HasPreview", mHasPreview);
  d.set("HasNonThumPreview", mHasNonThumPreview);
  d.set("HasThumPreview", mEnableThumbnailBtn);
  d.set("Rotation", static_cast<long long>(mRotation));
  d.set("Mirror", mMirror);
  d.set("ZoomScan", mZoomScan);
  d.set("ADF", mScanMode == 4);
  d.set("ADFDirection", static_cast<long long>(mADFDirection));
  d.set("ADFBinding", static_cast<long long>(mADFBinding));
  d.set("HighQuality", mHighQualityMode);
  d.set("PreviewDataSize", lastSettingSize(mPreviewDataSize));
  d.set("FilmSizeAuto", mUseCapsFilmSize);
  if (mScannerInfo && mScannerInfo->isVer1600Later())
    d.set("FilmSizeManual", static_cast<long long>(mFilmSizeWithoutCaps));
  const SSizeDouble visible = writeLastNoticesAndPreviewSize(d);
  d.set("PrevVisibleRect", fnd::Dictionary{{"x", fnd::Value(0.0)},
                                           {"y", fnd::Value(0.0)},
                                           {"width", fnd::Value(visible.width)},
                                           {"height", fnd::Value(visible.height)}});
  fnd::Array records;
  for (const ImgSrcSetting& r : mImgSrcSetting) {
    fnd::Dictionary e;
    for (const ExtRecordKey& k : kExtRecordKeys) {
      long long value = 0;
      if (k.field)
        value = r.*(k.field);
      else
        value = std::string_view(k.key) == "ColorModeC" ? r.colorMode[0] : r.colorMode[1];
      e.set(k.key, value);
    }
    records.push_back(fnd::Value(std::move(e)));
  }
  d.set("ImgSrcSettings", std::move(records));
  if (mTemplateCrop) d.set("Template", mTemplateCrop->getDictionary());
  if ((mScanMode == 1 || mScanMode == 3) && !mThumbnailList.empty()) {
    fnd::Array list;
    for (const auto& t : mThumbnailList)
      if (t) list.push_back(t->getDictionary());
    d.set("ThumbnailList", std::move(list));
  }
  if (!mCropList.empty()) {
    fnd::Array list;
    for (const auto& c : mCropList)
      if (c) list.push_back(c->getDictionary());
    d.set("CropList", std::move(list));
  }
  for (const auto& [key, state] : getImageDialogStates()) d.set(key, state);
  if (mInfoDialog) {
    const double displayHeight = mDisplays.getDisplayFrame().size.height;
    const fnd::Rect f = mInfoDialog->getWindow() ? mInfoDialog->getWindow()->frame() : fnd::Rect();
    d.set("InfoDialog", fnd::Dictionary{{"HasOpend", fnd::Value(mInfoDialog->hasOpened())},
                                        {"IsVisible", fnd::Value(mInfoDialog->isVisible())},
                                        {"Frame", fnd::Dictionary{{"x", fnd::Value(f.origin.x)},
                                                                  {"y", fnd::Value(displayHeight - f.origin.y -
                                                                                   f.size.height)},
                                                                  {"width", fnd::Value(f.size.width)},
                                                                  {"height", fnd::Value(f.size.height)}}}});
  }
  d.set("OpenExposure", mExposureOpenBtn && mExposureOpenBtn->isOnState());
  d.set("OpenScanSetting", mScanSettingOpenBtn && mScanSettingOpenBtn->isOnState());
  d.set("OpenCalibration", mCalibrationOpenBtn && mCalibrationOpenBtn->isOnState());
  return d;
}

void Quirel_ExtendMode::setLastSetting(const fnd::Dictionary& d) {
  setLastSetting_ImgSrcSetting(d);
  mFavorite = 0;
  mToneCurve = 0;
  if (const auto v = extLastIntegerIn(d, "ImageSource", 0, kImageSourceCount - 1)) mImageSource = *v;

  const bool film = extLastFlag(d, "FilmMode").value_or(false);
  const bool adf = extLastFlag(d, "ADF").value_or(false);
  const bool platenThumbnail = extLastFlag(d, "PlatenThumbnail").value_or(false);
  const bool filmThumbnail =
      extLastFlag(d, "FilmThumbnail").value_or(extLastFlag(d, "ThumbnailMode").value_or(false));
  mScanMode = film ? (filmThumbnail ? 3 : 2) : adf ? 4 : platenThumbnail ? 1 : 0;
  mPlatenThumbnail = platenThumbnail;
  mFilmThumbnail = filmThumbnail;

  if (const auto v = extLastFlag(d, "HasPreview")) mHasPreview = *v;
  if (const auto v = extLastFlag(d, "HasNonThumPreview")) mHasNonThumPreview = *v;
  if (const auto v = extLastFlag(d, "HasThumPreview")) mEnableThumbnailBtn = *v;
  if (const auto v = extLastIntegerIn(d, "Rotation", 0, 3)) mRotation = *v;
  if (const auto v = extLastFlag(d, "Mirror")) mMirror = *v;
  if (const auto v = extLastFlag(d, "ZoomScan")) mZoomScan = *v;
  if (const auto v = extLastIntegerIn(d, "ADFDirection", 0, 1)) mADFDirection = *v;
  if (const auto v = extLastIntegerIn(d, "ADFBinding", 0, kInt32Max)) mADFBinding = *v;
  if (const auto v = extLastFlag(d, "HighQuality")) mHighQualityMode = *v;
  if (const auto v = extLastSize(d, "PreviewDataSize")) mPreviewDataSize = *v;
  mUseCapsFilmSize = extLastFlag(d, "FilmSizeAuto").value_or(true);
  mFilmSizeWithoutCaps = extLastIntegerIn(d, "FilmSizeManual", 0, kInt32Max).value_or(21);
  setLastSetting_CheckBoxDialogs(d);

  mZoomRate = 0;
  mToolMode = 0;
  mMultiCrop = false;

  if (const fnd::Value* t = d.find("Template"); t && t->isDictionary()) {
    const fnd::Dictionary checked = sanitizedCropDictionary(t->toDictionary());
    if (mTemplateCrop)
      mTemplateCrop->setDictionary(checked);
    else
      mTemplateCrop = std::make_shared<Quirel_CropInfo>(checked);
  }
  if (mTemplateCrop) applyRestoredCropRules(*mTemplateCrop);
  if (mScanMode == 1 || mScanMode == 3)
    setLastSetting_Thumbnails(d);
  else
    setLastSetting_Crops(d);

  std::optional<SSizeDouble> visible = extLastSize(d, "VisiblePreviewSize");
  if (!visible) {
    // Older files kept the visible part as a rectangle in centimetres.
    if (const std::optional<SSizeDouble> cm = extLastSize(d, "PrevVisibleRect"))
      visible = SSizeDouble{cmToPixel(cm->width, mPlatenResolution), cmToPixel(cm->height, mPlatenResolution)};
  }
  if (mPreview) {
    if (visible) mPreview->setVisiblePreviewSize_Pixel96({visible->width, visible->height});
    updatePreview();
  }
  setLastSetting_FloatingDialogs(d);
  setLastSetting_OpenCloseViews(d);
}

void Quirel_ExtendMode::setLastSetting_ImgSrcSetting(const fnd::Dictionary& d) {
  const fnd::Value* v = d.find("ImgSrcSettings");
  if (!v || !v->isArray() || v->toArray().size() < 3) return;
  const fnd::Array& list = v->toArray();
  const bool bitEnabled = !mPreferenceInfo || mPreferenceInfo->getBitEnabled();
  const bool noBacklight = mScannerInfo && mScannerInfo->largeScanFromApplication() == 2;
  // Key by key: a key that is missing or out of range leaves that field as it is, so an older
  // or partial file keeps everything it does hold.
  for (std::size_t i = 0; i < 3; ++i) {
    ImgSrcSetting& r = mImgSrcSetting[i];
    if (list[i].isDictionary()) {
      const fnd::Dictionary& e = list[i].toDictionary();
      for (const ExtRecordKey& k : kExtRecordKeys) {
        const std::optional<int> value = extLastIntegerIn(e, k.key, k.low, k.high);
        if (!value) continue;
        if (k.field)
          r.*(k.field) = *value;
        else
          r.colorMode[std::string_view(k.key) == "ColorModeC" ? 0 : 1] = *value;
      }
    }
    if (!bitEnabled)
      for (std::int32_t& mode : r.colorMode) mode = extDowngradeColorMode(mode);
    if (noBacklight) r.backlight = 0;
  }
}

void Quirel_ExtendMode::setLastSetting_CheckBoxDialogs(const fnd::Dictionary& d) {
  if (const auto v = extLastFlag(d, "ShowBookCorrectMsg")) mBookCorrectMsg = *v;
  if (const auto v = extLastFlag(d, "ShowClearThumbnailMsg")) mClearThumbnailMsg = *v;
  if (const auto v = extLastFlag(d, "ShowLargePicMsg")) mLargePicMsg = *v;
  if (const auto v = extLastFlag(d, "ShowColorBitMsg")) mColorBitMsg = *v;
  if (const auto v = extLastFlag(d, "ShowSaveFavoriteMsg")) mFavoriteMsg = *v;
  if (const auto v = extLastFlag(d, "ShowSaveToneSettingMsg")) mToneSettingMsg = *v;
  if (const auto v = extLastFlag(d, "ShowColorModeAndDataFormatMsg")) mColorModeAndDataFormatMsg = *v;
}

void Quirel_ExtendMode::setLastSetting_Crops(const fnd::Dictionary& d) {
  const fnd::Value* v = d.find("CropList");
  if (!v || !v->isArray()) return;
  for (const fnd::Value& entry : v->toArray()) {
    // At most the frames a user could have drawn.
    if (isCropLimitReached()) break;
    if (!entry.isDictionary()) continue;
    Quirel_CropInfo* crop = createCropWithView(fnd::Rect());
    if (!crop) break;
    crop->setDictionary(sanitizedCropDictionary(entry.toDictionary()));
    if (crop->isSelected()) {
      crop->setLineStyle(1);
      if (crop->isFocus()) setFocus(crop);
    }
    updateCropRectFromCrop(*crop, false);
    // The named size was deleted since: the frame goes on with a free size.
    if (crop->getOutputSize() != 0 && !getOutputSizeObject(crop->getOutputSize())) changeToFlexible(*crop, true);
    applyRestoredCropRules(*crop);
    crop->setHidden(true);
  }
}

void Quirel_ExtendMode::setLastSetting_Thumbnails(const fnd::Dictionary& d) {
  const fnd::Value* v = d.find("ThumbnailList");
  if (!v || !v->isArray()) return;
  int count = 0;
  for (const fnd::Value& entry : v->toArray()) {
    if (count == kMaxThumbnails) break;
    if (!entry.isDictionary()) continue;
    const fnd::Dictionary& t = entry.toDictionary();
    const fnd::Value* no = t.find("No");
    if (no && (!no->isInteger() || no->toInteger() < 0 || no->toInteger() >= kMaxThumbnails)) continue;
    createThumbnailFromDictionary(t);
    if (count < static_cast<int>(mCropList.size()) && mCropList[static_cast<std::size_t>(count)])
      applyRestoredCropRules(*mCropList[static_cast<std::size_t>(count)]);
    ++count;
  }
  mThumbnailCount = count;
}

void Quirel_ExtendMode::setLastSetting_FloatingDialogs(const fnd::Dictionary& d) {
  // The six floating dialogs through their own state reader; the information panel here.
  setImageDialogStates(d);
  const fnd::Value* v = d.find("InfoDialog");
  if (!mInfoDialog || !v || !v->isDictionary()) return;
  const fnd::Dictionary& e = v->toDictionary();
  if (const auto opened = extLastFlag(e, "HasOpend")) mInfoDialog->setHasOpened(*opened);
  kit::Window* w = mInfoDialog->getWindow();
  if (!mInfoDialog->hasOpened() || !w) return;
  fnd::Rect f = w->frame();
  if (const fnd::Value* fv = e.find("Frame"); fv && fv->isDictionary()) {
    const fnd::Dictionary& frame = fv->toDictionary();
    auto number = [&frame](const char* key, double fallback) {
      const fnd::Value* n = frame.find(key);
      return n && n->isNumber() && std::isfinite(n->toReal()) ? n->toReal() : fallback;
    };
    f.size.width = std::max(0.0, number("width", f.size.width));
    f.size.height = std::max(0.0, number("height", f.size.height));
    const fnd::Rect screen = mDisplays.getDisplayFrame();
    f.origin.x = number("x", f.origin.x);
    f.origin.y = screen.size.height - number("y", 0) - f.size.height;
    const fnd::Rect m = mMainWindow ? mMainWindow->getDefaultRect() : fnd::Rect();
    if (f.origin.x + f.size.width > screen.size.width) f.origin.x = m.origin.x + m.size.width - f.size.width;
    if (f.origin.x < 0) f.origin.x = m.origin.x;
    if (f.origin.y < 0) f.origin.y = m.origin.y;
    if (f.origin.y + f.size.height > screen.size.height) f.origin.y = m.origin.y + m.size.height - f.size.height;
  }
  w->setFrame(f, false);
}

void Quirel_ExtendMode::setLastSetting_OpenCloseViews(const fnd::Dictionary& d) {
  // Only sections stored open are opened; a missing or odd value leaves its section as it is.
  if (extLastFlag(d, "OpenExposure").value_or(false)) setExposureSettingViewState(true, false);
  if (extLastFlag(d, "OpenScanSetting").value_or(false)) setScanSettingViewState(true, false);
  if (extLastFlag(d, "OpenCalibration").value_or(false)) setCalibrationSettingViewState(true, false);
}
