#include "ui/adjust/FinalReviewGraph.h"

#include <algorithm>
#include <cstring>

#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "ui/adjust/ToneGraphLook.h"
#include "ui/model/SM_COMMON/CSpline.h"

namespace {
void storeFour(std::uint32_t* out, ChannelValues v) {
  out[0] = static_cast<std::uint32_t>(v.master);
  out[1] = static_cast<std::uint32_t>(v.red);
  out[2] = static_cast<std::uint32_t>(v.green);
  out[3] = static_cast<std::uint32_t>(v.blue);
}
void storeFourPlus128(std::uint32_t* out, ChannelValues v) {
  storeFour(out, {v.master + 128, v.red + 128, v.green + 128, v.blue + 128});
}
}  // namespace

Quirel_FinalReviewGraph::Quirel_FinalReviewGraph(const fnd::Rect& frame) : kit::View(frame) {
  for (int c = 0; c < 4; ++c) {
    toneParam.brightness[c] = 128;
    toneParam.contrast[c] = 128;
    toneParam.gamma[c] = c == 0 ? 1.8 : 1.0;
    toneParam.shadow[c] = 0;
    toneParam.middle[c] = 128;
    toneParam.hilight[c] = 255;
    toneParam.grayPoint[c] = 128;
    mUserSetPoint[c][0] = {0, 0};
    mUserSetPoint[c][1] = {255, 255};
  }
  toneParam.masterCurve = inCurveMaster;
  toneParam.redCurve = inCurveRed;
  toneParam.greenCurve = inCurveGreen;
  toneParam.blueCurve = inCurveBlue;
}

void Quirel_FinalReviewGraph::setBlackPoint(ChannelValues v) { storeFour(toneParam.shadow, v); }
void Quirel_FinalReviewGraph::setMidPoint(ChannelValues v) { storeFour(toneParam.middle, v); }
void Quirel_FinalReviewGraph::setWhitePoint(ChannelValues v) { storeFour(toneParam.hilight, v); }
void Quirel_FinalReviewGraph::setGrayPoint(ChannelValues v) { storeFour(toneParam.grayPoint, v); }
void Quirel_FinalReviewGraph::setBrightness(ChannelValues v) { storeFourPlus128(toneParam.brightness, v); }
void Quirel_FinalReviewGraph::setContrast(ChannelValues v) { storeFourPlus128(toneParam.contrast, v); }

void Quirel_FinalReviewGraph::setMonitorGamma(float gamma) {
  toneParam.gamma[0] = gamma;
  for (int c = 1; c < 4; ++c) toneParam.gamma[c] = 1.0;
}

void Quirel_FinalReviewGraph::setUserCurvePoint(const TagPoint* points) {
  if (points) std::memcpy(mUserSetPoint, points, sizeof mUserSetPoint);
}

void Quirel_FinalReviewGraph::setUserCurveCount(const int* counts) {
  // A count from a damaged crop or settings file must not send the curve past its 15 slots.
  if (!counts) return;
  for (int c = 0; c < 4; ++c) mSetPointCount[c] = std::clamp(counts[c], 2, kToneMaxPoints);
}

void Quirel_FinalReviewGraph::setImgData(int width, int height, const std::uint8_t* pixels) {
  Quirel_ToneGraphLook::countHistograms(width, height, pixels, redHistogram, greenHistogram, blueHistogram,
                                        grayHistogram);
}

const std::int32_t* Quirel_FinalReviewGraph::histogram(int which) const {
  switch (which) {
    case 0: return masterHistogram;
    case 1: return redHistogram;
    case 2: return greenHistogram;
    case 3: return blueHistogram;
    default: return grayHistogram;
  }
}

int Quirel_FinalReviewGraph::splineCalc(std::uint8_t* table, const TagPoint* points, int count) {
  return SplineCalc(table, points, count);
}

void Quirel_FinalReviewGraph::setToneSelectTable(ChannelValues values) {
  const int presets[4] = {values.master, values.red, values.green, values.blue};
  std::uint8_t* tables[4] = {inCurveMaster, inCurveRed, inCurveGreen, inCurveBlue};
  const void** pointers[4] = {&toneParam.masterCurve, &toneParam.redCurve, &toneParam.greenCurve,
                              &toneParam.blueCurve};
  for (int c = 0; c < 4; ++c) {
    TagPoint* list = userCurvePoint[c];
    list[0] = {0, 0};
    list[1] = {255, 255};
    int count = 2;
    switch (presets[c]) {
      case 1:
        list[2] = {30, 103};
        list[3] = {100, 195};
        count = 4;
        break;
      case 2:
        list[2] = {155, 131};
        count = 3;
        break;
      case 3:
        list[2] = {75, 40};
        list[3] = {175, 225};
        count = 4;
        break;
      case 4:
        list[0] = {0, 255};
        list[1] = {255, 0};
        break;
      case 5:
        count = std::clamp(mSetPointCount[c], 2, kToneMaxPoints);
        std::memcpy(list, mUserSetPoint[c], sizeof(TagPoint) * static_cast<std::size_t>(count));
        break;
      default:  // 0, and an unknown preset draws as none
        break;
    }
    userCurvePointCount[c] = static_cast<std::int16_t>(count);
    splineCalc(tables[c], list, count);
    *pointers[c] = tables[c];
  }
}

void Quirel_FinalReviewGraph::drawRect(const fnd::Rect& r) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  Quirel_ToneGraphLook::fillField(*ctx, bounds());
  if (mHasPreview) {
    if (mColor == 1 || mColor == 2) {
      Quirel_ToneGraphLook::drawHistogram(*ctx, grayHistogram, r);
    } else if (mChannel == 0) {
      Quirel_ToneGraphLook::sumMaster(masterHistogram, redHistogram, greenHistogram, blueHistogram);
      Quirel_ToneGraphLook::drawHistogram(*ctx, masterHistogram, r);
    } else if (mChannel >= 1 && mChannel <= 3) {
      Quirel_ToneGraphLook::drawHistogram(*ctx, histogram(mChannel), r);
    }
  }
  Quirel_ToneGraphLook::drawQuarterGrid(*ctx, r);
  ctx->setShouldAntialias(true);
  std::uint8_t red[256], green[256], blue[256];
  for (std::uint8_t* t : {red, green, blue}) Quirel_ToneGraphLook::identity(t);
  FinalToneCurve(red, green, blue, toneParam);
  if (mColor == 1 || mColor == 2) {
    ctx->setStrokeColor(kit::Color::gray());
    Quirel_ToneGraphLook::drawToneCurve(*ctx, green, r);
    return;
  }
  std::uint8_t* tables[4] = {nullptr, red, green, blue};
  const kit::Color colours[4] = {kit::Color::gray(), kit::Color::red(), kit::Color::green(), kit::Color::blue()};
  int order[3];
  switch (mChannel) {
    case 0:
    case 3: order[0] = 1, order[1] = 2, order[2] = 3; break;
    case 1: order[0] = 2, order[1] = 3, order[2] = 1; break;
    case 2: order[0] = 1, order[1] = 3, order[2] = 2; break;
    default: return;
  }
  for (int c : order) {
    ctx->setStrokeColor(colours[c]);
    Quirel_ToneGraphLook::drawToneCurve(*ctx, tables[c], r);
  }
}

void Quirel_FinalReviewGraph::mouseDown(const kit::Event&) { Quirel_ToneGraphLook::postGraphPress(this); }
