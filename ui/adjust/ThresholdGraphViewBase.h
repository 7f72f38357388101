#pragma once

#include <cstdint>

#include "kit/View.h"
#include "ui/controls/ThresholdGraphViewLink.h"

// The threshold dialog's graph: the grey-value histogram of the crop being edited, a quarter
// grid, the threshold as a red line and a dark shade over the levels that become black. This
// base counts one byte a sample; the view the dialogs make counts the first byte of each
// three-byte pixel.
class Quirel_ThresholdGraphViewBase : public kit::View, public Quirel_ThresholdGraphViewLink {
 public:
  explicit Quirel_ThresholdGraphViewBase(const fnd::Rect& frame = {}) : kit::View(frame) {}

  kit::View* linkedView() override { return this; }
  void setThreshold(int level) override { mThreshold = level; }
  void getPreviewInfo(bool hasPreview) override { mHasPreview = hasPreview; }
  // rows x columns samples; the counters are cleared first and stay 0 without samples.
  void setImgData(int rows, int columns, const std::uint8_t* data) override;

  void drawRect(const fnd::Rect& dirtyRect) override;
  virtual void drawHistogram(const fnd::Rect& rect);
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  void mouseDown(const kit::Event& event) override;

  int threshold() const { return mThreshold; }
  bool hasPreview() const { return mHasPreview; }
  const std::int32_t* counts() const { return grayHistogram; }
  // Where the marker goes for a threshold: 0..2 at 3 and 254..255 at 253, so the line stays
  // inside the frame.
  static int markerLevel(int threshold);

 protected:
  // Clears the counters and counts `count` samples `stride` bytes apart.
  void countSamples(long long count, const std::uint8_t* data, int stride);

  std::int32_t grayHistogram[256]{};
  bool mHasPreview = false;
  int mThreshold = 0;
};
