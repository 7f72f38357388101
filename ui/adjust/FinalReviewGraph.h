#pragma once

#include <cstdint>

#include "kit/View.h"
#include "ui/controls/FinalReviewGraphLink.h"
#include "ui/model/SM_COMMON/ToneCurve.h"

// The final review's graph: the histogram of the focused crop's corrected preview and over it
// the combined curve of every tone setting of the crop.
class Quirel_FinalReviewGraph : public kit::View, public Quirel_FinalReviewGraphLink {
 public:
  explicit Quirel_FinalReviewGraph(const fnd::Rect& frame = {});

  kit::View* linkedView() override { return this; }
  void setChannel(int channel) override { mChannel = channel; }
  void setColor(int color) override { mColor = color; }
  void setBlackPoint(ChannelValues values) override;
  void setMidPoint(ChannelValues values) override;
  void setWhitePoint(ChannelValues values) override;
  void setGrayPoint(ChannelValues values) override;
  void setBrightness(ChannelValues values) override;
  void setContrast(ChannelValues values) override;
  // Presets 0..5 per channel; builds the four curve tables.
  void setToneSelectTable(ChannelValues values) override;
  void setUserCurvePoint(const TagPoint* points) override;
  void setUserCurveCount(const int* counts) override;
  void setImgData(int width, int height, const std::uint8_t* pixels) override;
  // The master gamma; the colours go back to 1.0.
  void setMonitorGamma(float gamma) override;
  void getPreviewInfo(bool hasPreview) override { mHasPreview = hasPreview; }

  void drawRect(const fnd::Rect& dirtyRect) override;
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  void mouseDown(const kit::Event& event) override;

  const ToneParam& toneParameters() const { return toneParam; }
  const std::int32_t* histogram(int which) const;  // 0 master, 1 red, 2 green, 3 blue, 4 grey

 protected:
  // The spline step, a seam for the tests of which points each channel hands it.
  virtual int splineCalc(std::uint8_t* table, const TagPoint* points, int count);

 private:
  bool mHasPreview = false;
  int mColor = 0;
  int mChannel = 0;
  int mSetPointCount[4] = {2, 2, 2, 2};
  TagPoint mUserSetPoint[4][kToneMaxPoints]{};
  ToneParam toneParam{};
  std::int16_t userCurvePointCount[4]{};
  TagPoint userCurvePoint[4][kToneMaxPoints]{};
  std::uint8_t inCurveMaster[256]{}, inCurveRed[256]{}, inCurveGreen[256]{}, inCurveBlue[256]{};
  std::int32_t masterHistogram[256]{}, grayHistogram[256]{}, redHistogram[256]{}, greenHistogram[256]{},
      blueHistogram[256]{};
};
