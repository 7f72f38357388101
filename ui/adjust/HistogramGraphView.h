#pragma once

#include <cstdint>

#include "kit/View.h"
#include "ui/controls/HistogramGraphViewLink.h"

// The histogram dialog's graph: the histogram of the corrected preview and the curve that the
// black, mid and white points make of it.
class Quirel_HistogramGraphView : public kit::View, public Quirel_HistogramGraphViewLink {
 public:
  explicit Quirel_HistogramGraphView(const fnd::Rect& frame = {}) : kit::View(frame) {}

  kit::View* linkedView() override { return this; }
  void setChannel(int channel) override { mChannel = channel; }
  void setColorMode(int mode) override { mColorMode = mode; }
  void setBlackPoint(ChannelValues values) override { mBlackPt = values; }
  void setMidPoint(ChannelValues values) override { mMidPt = values; }
  void setWhitePoint(ChannelValues values) override { mWhitePt = values; }
  void setGrayPoint(ChannelValues values) override { grayPt = values; }
  void setImgData(int width, int height, const std::uint8_t* pixels) override;
  void getPreviewInfo(bool hasPreview) override { mHasPreview = hasPreview; }

  void drawRect(const fnd::Rect& dirtyRect) override;
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  void mouseDown(const kit::Event& event) override;

 private:
  bool mHasPreview = false;
  int mColorMode = 0;
  int mChannel = 0;
  ChannelValues mBlackPt{0, 0, 0, 0};
  ChannelValues mMidPt{128, 128, 128, 128};
  ChannelValues mWhitePt{255, 255, 255, 255};
  ChannelValues grayPt{128, 128, 128, 128};
  std::uint8_t masterY[256]{}, redY[256]{}, greenY[256]{}, blueY[256]{};
  std::int32_t masterHistogram[256]{}, grayHistogram[256]{}, redHistogram[256]{}, greenHistogram[256]{},
      blueHistogram[256]{};
};
