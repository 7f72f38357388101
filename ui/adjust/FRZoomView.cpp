#include "ui/adjust/FRZoomView.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/GraphicsContext.h"
#include "ui/adjust/ToneGraphLook.h"

void Quirel_FRZoomView::setRGB(double red, double green, double blue) {
  mRed = 1 - red / 255;
  mGreen = 1 - green / 255;
  mBlue = 1 - blue / 255;
  mColorMode = true;
  mGrayMode = false;
}

void Quirel_FRZoomView::setGray(double gray) {
  mGray = 1 - gray / 255;
  mGrayMode = true;
  mColorMode = false;
}

void Quirel_FRZoomView::drawRect(const fnd::Rect&) {
  kit::GraphicsContext* ctx = kit::GraphicsContext::current();
  if (!ctx) return;
  ctx->setShouldAntialias(false);
  // The 21 x 21 pixels, black where the block does not hold them all.
  std::vector<std::uint8_t> pixels(kSide * kSide * 3, 0);
  if (mZoomViewData.isValid() && mZoomViewData.pixelsWide() >= kSide && mZoomViewData.pixelsHigh() >= kSide) {
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) {
        const kit::Color c = mZoomViewData.colorAtPixel(x, y);
        std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * kSide + x) * 3];
        p[0] = static_cast<std::uint8_t>(c.redComponent() * 255 + 0.5);
        p[1] = static_cast<std::uint8_t>(c.greenComponent() * 255 + 0.5);
        p[2] = static_cast<std::uint8_t>(c.blueComponent() * 255 + 0.5);
      }
  }
  const kit::Image image = kit::Image::fromRGB(pixels.data(), kSide, kSide);

  ctx->saveGraphicsState();
  fnd::AffineTransform t;
  if (mMirror) t = fnd::AffineTransform{-1, 0, 0, 1, 63, 0};
  static const double kShift[4][2] = {{0, 0}, {63, 0}, {63, 63}, {0, 63}};
  const int turn = (mRotation >= 0 && mRotation <= 3) ? mRotation : 0;
  // Each step acts in the space the previous ones made, as the drawing system's own
  // transform calls do.
  t = t.translated(kShift[turn][0], kShift[turn][1]);
  t = t.rotated(turn * 1.5707963267948966);
  ctx->concat(t);
  ctx->drawImage(image, fnd::Rect(0, 0, 63, 63), fnd::Rect(), 1.0);
  ctx->restoreGraphicsState();

  if (mColorMode || mGrayMode) {
    kit::BezierPath frame = kit::BezierPath::withRect(fnd::Rect(31, 31, 3, 3));
    frame.setLineWidth(1);
    ctx->setStrokeColor(mColorMode ? kit::Color::calibratedRGB(mRed, mGreen, mBlue, 1.0)
                                   : kit::Color::calibratedWhite(mGray, 1.0));
    ctx->strokePath(frame);
    // Until new values come, the centre is framed in black.
    mRed = mGreen = mBlue = 0;
    mGray = 0;
  }
}

void Quirel_FRZoomView::mouseDown(const kit::Event&) { Quirel_ToneGraphLook::postGraphPress(this); }
