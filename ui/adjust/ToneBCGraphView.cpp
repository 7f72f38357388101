#include "ui/adjust/ToneBCGraphView.h"

#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "ui/adjust/ToneGraphLook.h"
#include "ui/model/SM_COMMON/ToneCurve.h"

namespace {
ChannelValues plus128(ChannelValues v) { return {v.master + 128, v.red + 128, v.green + 128, v.blue + 128}; }
}  // namespace

void Quirel_ToneBCGraphView::setBrightness(ChannelValues values) { mBrightness = plus128(values); }
void Quirel_ToneBCGraphView::setContrast(ChannelValues values) { mContrast = plus128(values); }

void Quirel_ToneBCGraphView::drawRect(const fnd::Rect& dirtyRect) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  Quirel_ToneGraphLook::fillField(*ctx, bounds());
  Quirel_ToneGraphLook::drawQuarterGrid(*ctx, dirtyRect);
  ctx->setShouldAntialias(true);
  for (std::uint8_t* t : {masterY, redY, greenY, blueY}) Quirel_ToneGraphLook::identity(t);
  if (mChannel == 0) {
    CurveFromBCG(masterY, mBrightness.master, mContrast.master, 1.0);
    ctx->setStrokeColor(kit::Color::gray());
    Quirel_ToneGraphLook::drawToneCurve(*ctx, masterY, dirtyRect);
    return;
  }
  if (mChannel < 1 || mChannel > 3) return;
  struct Curve {
    std::uint8_t* table;
    int brightness, contrast;
    kit::Color colour;
  };
  const Curve curves[3] = {{redY, mBrightness.red, mContrast.red, kit::Color::red()},
                           {greenY, mBrightness.green, mContrast.green, kit::Color::green()},
                           {blueY, mBrightness.blue, mContrast.blue, kit::Color::blue()}};
  auto draw = [&](const Curve& c) {
    CurveFromBCG(c.table, c.brightness, c.contrast, 1.0);
    ctx->setStrokeColor(c.colour);
    Quirel_ToneGraphLook::drawToneCurve(*ctx, c.table, dirtyRect);
  };
  for (int c = 1; c <= 3; ++c)
    if (c != mChannel) draw(curves[c - 1]);
  draw(curves[mChannel - 1]);
}

void Quirel_ToneBCGraphView::mouseDown(const kit::Event&) { Quirel_ToneGraphLook::postGraphPress(this); }
