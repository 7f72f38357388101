#pragma once

#include "ui/controls/CTRLS_GraphHolder.h"
#include "ui/controls/ThresholdGraphViewLink.h"

// The threshold dialog's graph.
class Quirel_CTRLS_ThresholdGraph : public Quirel_CTRLS_GraphHolder<Quirel_ThresholdGraphViewLink> {
 public:
  explicit Quirel_CTRLS_ThresholdGraph(std::unique_ptr<Quirel_ThresholdGraphViewLink> view) : Quirel_CTRLS_GraphHolder(std::move(view)) {}

  void setThreshold(int level) {
    if (auto* g = getGraphView()) g->setThreshold(level);
  }
  void getPreviewInfo(bool hasPreview) {
    if (auto* g = getGraphView()) g->getPreviewInfo(hasPreview);
  }
  void setImgData(int width, int height, const std::uint8_t* pixels) {
    if (auto* g = getGraphView()) g->setImgData(width, height, pixels);
  }
};
