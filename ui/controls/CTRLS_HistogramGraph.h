#pragma once

#include "ui/controls/CTRLS_GraphHolder.h"
#include "ui/controls/HistogramGraphViewLink.h"

// The histogram dialog's graph.
class Quirel_CTRLS_HistogramGraph : public Quirel_CTRLS_GraphHolder<Quirel_HistogramGraphViewLink> {
 public:
  explicit Quirel_CTRLS_HistogramGraph(std::unique_ptr<Quirel_HistogramGraphViewLink> view) : Quirel_CTRLS_GraphHolder(std::move(view)) {}

  void setChannel(int channel) {
    if (auto* g = getGraphView()) g->setChannel(channel);
  }
  void setColorMode(int mode) {
    if (auto* g = getGraphView()) g->setColorMode(mode);
  }
  void setBlackPoint(ChannelValues values) {
    if (auto* g = getGraphView()) g->setBlackPoint(values);
  }
  void setMidPoint(ChannelValues values) {
    if (auto* g = getGraphView()) g->setMidPoint(values);
  }
  void setWhitePoint(ChannelValues values) {
    if (auto* g = getGraphView()) g->setWhitePoint(values);
  }
  void setGrayPoint(ChannelValues values) {
    if (auto* g = getGraphView()) g->setGrayPoint(values);
  }
  void setImgData(int width, int height, const std::uint8_t* pixels) {
    if (auto* g = getGraphView()) g->setImgData(width, height, pixels);
  }
  void getPreviewInfo(bool hasPreview) {
    if (auto* g = getGraphView()) g->getPreviewInfo(hasPreview);
  }
};
