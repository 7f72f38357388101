// The property-list form of a crop, as the favourites, last-setting and thumbnail stores keep it.

#include <cmath>
#include <string_view>

#include "ui/model/CropInfo.h"

namespace {

// Older files hold centimetres, always converted at this resolution.
constexpr double kOlderFormResolution = 9600;

constexpr const char* kChannelKeys[4] = {"master", "red", "green", "blue"};

fnd::Dictionary lengthEntry(double pixel) {
  return fnd::Dictionary{{"cm", 0.0}, {"inch", 0.0}, {"pixel", pixel}};
}

fnd::Dictionary channelEntry(const ChannelValues& v) {
  return fnd::Dictionary{{"master", v.master}, {"red", v.red}, {"green", v.green}, {"blue", v.blue}};
}

fnd::Dictionary sizeEntry(double width, double height) {
  return fnd::Dictionary{{"width", width}, {"height", height}};
}

fnd::Array pointTable(const TagPoint (&points)[4][kCropToneCurvePoints]) {
  fnd::Array channels;
  for (const auto& channel : points) {
    fnd::Array list;
    for (const TagPoint& p : channel) list.emplace_back(fnd::Dictionary{{"SetPtH", p.h}, {"SetPtV", p.v}});
    channels.emplace_back(std::move(list));
  }
  return channels;
}

// Reads as many channels and points as the array holds, never past 4 × 15.
void readPointTable(const fnd::Value& table, TagPoint (&points)[4][kCropToneCurvePoints]) {
  const fnd::Array& channels = table.toArray();
  for (std::size_t c = 0; c < 4 && c < channels.size(); ++c) {
    const fnd::Array& list = channels[c].toArray();
    for (std::size_t i = 0; i < kCropToneCurvePoints && i < list.size(); ++i) {
      const fnd::Dictionary& p = list[i].toDictionary();
      points[c][i] = TagPoint{p.intValue("SetPtH"), p.intValue("SetPtV")};
    }
  }
}

ChannelValues readChannels(const fnd::Value& entry) {
  const fnd::Dictionary& d = entry.toDictionary();
  return ChannelValues{d.intValue(kChannelKeys[0]), d.intValue(kChannelKeys[1]), d.intValue(kChannelKeys[2]),
                       d.intValue(kChannelKeys[3])};
}

void readInt(const fnd::Dictionary& d, std::string_view key, int& field) {
  if (const fnd::Value* v = d.find(key)) field = v->toInt();
}

void readFlag(const fnd::Dictionary& d, std::string_view key, bool& field) {
  if (const fnd::Value* v = d.find(key)) field = v->toBool();
}

void readChannels(const fnd::Dictionary& d, std::string_view key, ChannelValues& field) {
  if (const fnd::Value* v = d.find(key)) field = readChannels(*v);
}

void readLength(const fnd::Dictionary& d, std::string_view key, std::string_view unit, double& field) {
  if (const fnd::Value* v = d.find(key)) field = (*v)[unit].toReal();
}

// Magnification in percent; anything a 32-bit percentage cannot hold gives 0.
int truncatePercent(double value) {
  if (!std::isfinite(value) || value >= 2147483648.0 || value <= -2147483649.0) return 0;
  return static_cast<int>(value);
}

}  // namespace

fnd::Dictionary Quirel_CropInfo::getDictionary() const {
  fnd::Dictionary d;
  d.set("HasView", mCropView != nullptr);
  d.set("LineStyle", mCropView ? mCropView->getLineStyle() : 0);
  d.set("Forcus", mFocus);
  d.set("Selected", mSelected);
  d.set("CropViewRotation", mCropViewRotation);
  d.set("MultiCrop", mMultiCrop);

  d.set("SimImageSource", mSimImageSource);
  d.set("ImageSource", mImageSource);
  d.set("ColorMode", mColorMode);
  d.set("PaperSize", mPaperSize);
  d.set("Unit", mUnit);
  d.set("InputX", lengthEntry(mInputRect_Pixel96.origin.x));
  d.set("InputY", lengthEntry(mInputRect_Pixel96.origin.y));
  d.set("InputW", lengthEntry(mInputRect_Pixel96.size.width));
  d.set("InputH", lengthEntry(mInputRect_Pixel96.size.height));

  d.set("Resolution", mResolution);
  d.set("OutputSize", mOutputSize);
  d.set("TempOutputSize", mTempOutputSize);
  d.set("Destination", mDestination);
  d.set("Magnification", mMagnification);
  d.set("FixesRatio", mFixesRatio);
  d.set("Ratio", sizeEntry(mRatio.width, mRatio.height));
  d.set("OutputW", lengthEntry(mOutputSize_Pixel96.width));
  d.set("OutputH", lengthEntry(mOutputSize_Pixel96.height));

  d.set("AutoTone", mAutoTone);
  d.set("ImageAdjustment", mColorAdjust);
  d.set("CopyGamma", mCopyGamma);
  d.set("UnsharpMask", mUnsharpMask);
  d.set("Descreen", mDescreen);
  d.set("ReduceDust", mReduceDust);
  d.set("ReduceDustForFAU", mReduceDustFAU);
  d.set("RemoveDust", mRemoveDust);
  d.set("FadingCorrect", mFadingCorrect);
  d.set("GrainCorrect", mGrainCorrect);
  d.set("BLightCorrect", mBLightCorrect);
  d.set("BookCorrect", mBookCorrect);
  d.set("AutoDocCorrect", mAutoDocCorrect);
  d.set("Exposure", mExposure);
  d.set("ExposureValue", mExposureValue);
  d.set("AllExposure", mAllExposure);
  d.set("AllExposureBase", mAllExposureBase);
  d.set("AllExposureBaseValue", mAllExposureBaseValue);
  if (mAllExposureBaseCrop) d.set("AllExposureBaseCrop", mAllExposureBaseCrop->getDictionary());
  if (mReferenceCrop) d.set("ReferenceCrop", mReferenceCrop->getDictionary());
  d.set("retainNum", mRetainNumber);

  d.set("Chroma", mColorBalance.chroma);
  d.set("CyanRed", mColorBalance.cyanRed);
  d.set("MagentaGreen", mColorBalance.magentaGreen);
  d.set("YellowBlue", mColorBalance.yellowBlue);
  d.set("ToneBCChannel", mToneBC_Channel);
  d.set("Brightness", channelEntry(mToneBC.brightness));
  d.set("Contrast", channelEntry(mToneBC.contrast));
  d.set("HistChannel", mHistogram_Channel);
  d.set("BlackPt", channelEntry(mHistogram.black));
  d.set("MidPt", channelEntry(mHistogram.mid));
  d.set("WhitePt", channelEntry(mHistogram.white));
  d.set("GrayPt", channelEntry(mHistogram.gray));
  d.set("ToneCurveChannel", mToneCurve_Channel);
  d.set("ToneCurve", channelEntry(mToneCurve.selectToneCurve));
  const std::int32_t* counts = mToneCurve.setPointCount;
  d.set("SetPointCount", channelEntry(ChannelValues{counts[0], counts[1], counts[2], counts[3]}));
  d.set("SetPoint", pointTable(mToneCurve.setPoint));
  d.set("SquarePoint", pointTable(mToneCurve.squarePoint));
  d.set("Threshold", mThreshold);

  d.set("Rotation", mRotation);
  d.set("Mirror", mMirror);
  d.set("PreviewViewSize", sizeEntry(mPreviewViewSize.width, mPreviewViewSize.height));
  d.set("FullScaleSize", sizeEntry(mPreviewSize_Pixel96.width, mPreviewSize_Pixel96.height));
  d.set("PreviewRect", fnd::Dictionary{{"x", 0.0},
                                       {"y", 0.0},
                                       {"width", mVisiblePreviewSize_Pixel96.width},
                                       {"height", mVisiblePreviewSize_Pixel96.height}});
  d.set("PreviewStartPoint",
        fnd::Dictionary{{"x", mPreviewStartPoint_Pixel96.x}, {"y", mPreviewStartPoint_Pixel96.y}});
  d.set("cropCorRect", fnd::Dictionary{{"x", mcropCorRect.origin.x},
                                       {"y", mcropCorRect.origin.y},
                                       {"width", mcropCorRect.size.width},
                                       {"height", mcropCorRect.size.height}});
  return d;
}

void Quirel_CropInfo::setDictionary(const fnd::Dictionary& d) {
  // Every dictionary this record writes has a start point; older ones hold centimetres.
  const bool modern = d.contains("PreviewStartPoint");

  readFlag(d, "Forcus", mFocus);
  readFlag(d, "Selected", mSelected);
  if (const fnd::Value* v = d.find("CropViewRotation")) mCropViewRotation = v->toReal();
  setCropViewRotation(mCropViewRotation);
  readFlag(d, "MultiCrop", mMultiCrop);

  readInt(d, "SimImageSource", mSimImageSource);
  readInt(d, "ImageSource", mImageSource);
  readInt(d, "ColorMode", mColorMode);
  readInt(d, "PaperSize", mPaperSize);
  readInt(d, "Unit", mUnit);
  SRectDouble& input = mInputRect_Pixel96;
  const std::string_view inputUnit = modern ? "pixel" : "cm";
  readLength(d, "InputX", inputUnit, input.origin.x);
  readLength(d, "InputY", inputUnit, input.origin.y);
  readLength(d, "InputW", inputUnit, input.size.width);
  readLength(d, "InputH", inputUnit, input.size.height);
  if (!modern) {
    input = makeSRectDouble(cmToPixel(input.origin.x, kOlderFormResolution),
                            cmToPixel(input.origin.y, kOlderFormResolution),
                            cmToPixel(input.size.width, kOlderFormResolution),
                            cmToPixel(input.size.height, kOlderFormResolution));
  }

  readInt(d, "Resolution", mResolution);
  readInt(d, "OutputSize", mOutputSize);
  readInt(d, "TempOutputSize", mTempOutputSize);
  readInt(d, "Destination", mDestination);
  readInt(d, "Magnification", mMagnification);
  readFlag(d, "FixesRatio", mFixesRatio);
  if (const fnd::Value* ratio = d.find("Ratio")) {
    mRatio = makeSSizeDouble((*ratio)["width"].toReal(), (*ratio)["height"].toReal());
  }
  readLength(d, "OutputW", inputUnit, mOutputSize_Pixel96.width);
  readLength(d, "OutputH", inputUnit, mOutputSize_Pixel96.height);
  if (!modern) {
    mOutputSize_Pixel96.width = cmToPixel(mOutputSize_Pixel96.width, kOlderFormResolution);
    mOutputSize_Pixel96.height = cmToPixel(mOutputSize_Pixel96.height, kOlderFormResolution);
    // Older files kept no magnification for a chosen output size: it follows from the sizes.
    if (mOutputSize != 0) {
      mMagnification = truncatePercent(calcRatio(input.size.width, mOutputSize_Pixel96.width, 100));
    }
  }

  readImageSetting(d);
  readColorSetting(d);
  readPreviewSetting(d, modern);

  if (const fnd::Value* rect = d.find("cropCorRect")) {
    const fnd::Value& r = *rect;
    mcropCorRect = makeSRectDouble(r["x"].toReal(), r["y"].toReal(), r["width"].toReal(), r["height"].toReal());
  }
}

void Quirel_CropInfo::readImageSetting(const fnd::Dictionary& d) {
  readInt(d, "AutoTone", mAutoTone);
  readInt(d, "ImageAdjustment", mColorAdjust);
  readInt(d, "CopyGamma", mCopyGamma);
  readInt(d, "UnsharpMask", mUnsharpMask);
  readInt(d, "Descreen", mDescreen);
  readInt(d, "ReduceDust", mReduceDust);
  readInt(d, "ReduceDustForFAU", mReduceDustFAU);
  readInt(d, "RemoveDust", mRemoveDust);
  readInt(d, "FadingCorrect", mFadingCorrect);
  readInt(d, "GrainCorrect", mGrainCorrect);
  readInt(d, "BLightCorrect", mBLightCorrect);
  readInt(d, "BookCorrect", mBookCorrect);
  readInt(d, "AutoDocCorrect", mAutoDocCorrect);
  readFlag(d, "Exposure", mExposure);
  readInt(d, "ExposureValue", mExposureValue);
  readFlag(d, "AllExposure", mAllExposure);
  readFlag(d, "AllExposureBase", mAllExposureBase);
  readInt(d, "AllExposureBaseValue", mAllExposureBaseValue);
  if (const fnd::Value* base = d.find("AllExposureBaseCrop")) {
    auto crop = std::make_unique<Quirel_CropInfo>();
    crop->setDictionary(base->toDictionary());
    mAllExposureBaseCrop = std::move(crop);
  }
  if (const fnd::Value* reference = d.find("ReferenceCrop")) {
    auto crop = std::make_unique<Quirel_CropInfo>();
    crop->setDictionary(reference->toDictionary());
    mReferenceCrop = std::move(crop);
  }
  readInt(d, "retainNum", mRetainNumber);
}

void Quirel_CropInfo::readColorSetting(const fnd::Dictionary& d) {
  readInt(d, "Chroma", mColorBalance.chroma);
  readInt(d, "CyanRed", mColorBalance.cyanRed);
  readInt(d, "MagentaGreen", mColorBalance.magentaGreen);
  readInt(d, "YellowBlue", mColorBalance.yellowBlue);
  readInt(d, "ToneBCChannel", mToneBC_Channel);
  readChannels(d, "Brightness", mToneBC.brightness);
  readChannels(d, "Contrast", mToneBC.contrast);
  readInt(d, "HistChannel", mHistogram_Channel);
  readChannels(d, "BlackPt", mHistogram.black);
  readChannels(d, "MidPt", mHistogram.mid);
  readChannels(d, "WhitePt", mHistogram.white);
  readChannels(d, "GrayPt", mHistogram.gray);
  readInt(d, "ToneCurveChannel", mToneCurve_Channel);
  readChannels(d, "ToneCurve", mToneCurve.selectToneCurve);
  if (const fnd::Value* v = d.find("SetPointCount")) setPointCounts(mToneCurve, readChannels(*v));
  if (const fnd::Value* v = d.find("SetPoint")) readPointTable(*v, mToneCurve.setPoint);
  if (const fnd::Value* v = d.find("SquarePoint")) readPointTable(*v, mToneCurve.squarePoint);
  readInt(d, "Threshold", mThreshold);
}

void Quirel_CropInfo::readPreviewSetting(const fnd::Dictionary& d, bool modern) {
  readInt(d, "Rotation", mRotation);
  readFlag(d, "Mirror", mMirror);
  if (const fnd::Value* v = d.find("PreviewViewSize")) {
    mPreviewViewSize = fnd::Size{(*v)["width"].toReal(), (*v)["height"].toReal()};
  }
  if (const fnd::Value* v = d.find("FullScaleSize")) {
    mPreviewSize_Pixel96 = makeSSizeDouble((*v)["width"].toReal(), (*v)["height"].toReal());
  }
  const fnd::Value* previewRect = d.find("PreviewRect");
  if (previewRect) {
    mVisiblePreviewSize_Pixel96 = makeSSizeDouble((*previewRect)["width"].toReal(), (*previewRect)["height"].toReal());
  }
  if (modern) {
    const fnd::Value& start = d["PreviewStartPoint"];
    mPreviewStartPoint_Pixel96 = makeSPointDouble(start["x"].toReal(), start["y"].toReal());
    return;
  }

  // Older form: the start point was kept in the displayed orientation; bring it back to the
  // unrotated, unmirrored preview before converting to pixels.
  SSizeDouble& full = mPreviewSize_Pixel96;
  SSizeDouble& visible = mVisiblePreviewSize_Pixel96;
  SPointDouble& start = mPreviewStartPoint_Pixel96;
  if (previewRect) {
    const SPointDouble displayed = makeSPointDouble((*previewRect)["x"].toReal(), (*previewRect)["y"].toReal());
    start = unrotatedStartPoint(displayed, visible, full, mRotation, mMirror);
  }
  full = makeSSizeDouble(cmToPixel(full.width, kOlderFormResolution), cmToPixel(full.height, kOlderFormResolution));
  visible = makeSSizeDouble(cmToPixel(visible.width, kOlderFormResolution),
                            cmToPixel(visible.height, kOlderFormResolution));
  start = makeSPointDouble(cmToPixel(start.x, kOlderFormResolution), cmToPixel(start.y, kOlderFormResolution));
}
