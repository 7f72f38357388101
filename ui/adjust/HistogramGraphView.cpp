#include "ui/adjust/HistogramGraphView.h"

#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "ui/adjust/ToneGraphLook.h"
#include "ui/model/SM_COMMON/ToneCurve.h"

void Quirel_HistogramGraphView::setImgData(int width, int height, const std::uint8_t* pixels) {
  Quirel_ToneGraphLook::countHistograms(width, height, pixels, redHistogram, greenHistogram, blueHistogram,
                                        grayHistogram);
}

void Quirel_HistogramGraphView::drawRect(const fnd::Rect& r) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  Quirel_ToneGraphLook::fillField(*ctx, bounds());
  if (mHasPreview) {
    if (mColorMode == 1 || mColorMode == 2) {
      Quirel_ToneGraphLook::drawHistogram(*ctx, grayHistogram, r);
    } else if (mChannel == 0) {
      Quirel_ToneGraphLook::sumMaster(masterHistogram, redHistogram, greenHistogram, blueHistogram);
      Quirel_ToneGraphLook::drawHistogram(*ctx, masterHistogram, r);
    } else if (mChannel >= 1 && mChannel <= 3) {
      const std::int32_t* counts[4] = {nullptr, redHistogram, greenHistogram, blueHistogram};
      Quirel_ToneGraphLook::drawHistogram(*ctx, counts[mChannel], r);
    }
  }
  Quirel_ToneGraphLook::drawQuarterGrid(*ctx, r);
  ctx->setShouldAntialias(true);
  for (std::uint8_t* t : {masterY, redY, greenY, blueY}) Quirel_ToneGraphLook::identity(t);
  if (mChannel == 0) {
    CurveFromBlackMiddleWhiteMaster(masterY, mBlackPt.master, mMidPt.master, mWhitePt.master);
    ctx->setStrokeColor(kit::Color::gray());
    Quirel_ToneGraphLook::drawToneCurve(*ctx, masterY, r);
    return;
  }
  if (mChannel < 1 || mChannel > 3) return;
  const int black[4] = {mBlackPt.master, mBlackPt.red, mBlackPt.green, mBlackPt.blue};
  const int mid[4] = {mMidPt.master, mMidPt.red, mMidPt.green, mMidPt.blue};
  const int white[4] = {mWhitePt.master, mWhitePt.red, mWhitePt.green, mWhitePt.blue};
  std::uint8_t* own[4] = {masterY, redY, greenY, blueY};
  const kit::Color colours[4] = {kit::Color::gray(), kit::Color::red(), kit::Color::green(), kit::Color::blue()};
  auto draw = [&](int c) {
    CurveFromBlackMiddleWhite(redY, greenY, blueY, black[c], mid[c], white[c], grayPt);
    ctx->setStrokeColor(colours[c]);
    Quirel_ToneGraphLook::drawToneCurve(*ctx, own[c], r);
  };
  for (int c = 1; c <= 3; ++c)
    if (c != mChannel) draw(c);
  draw(mChannel);
}

void Quirel_HistogramGraphView::mouseDown(const kit::Event&) { Quirel_ToneGraphLook::postGraphPress(this); }
