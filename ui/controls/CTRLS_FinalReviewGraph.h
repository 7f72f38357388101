#pragma once

#include "ui/controls/CTRLS_GraphHolder.h"
#include "ui/controls/FinalReviewGraphLink.h"

// The final-review dialog's graph.
class Quirel_CTRLS_FinalReviewGraph : public Quirel_CTRLS_GraphHolder<Quirel_FinalReviewGraphLink> {
 public:
  explicit Quirel_CTRLS_FinalReviewGraph(std::unique_ptr<Quirel_FinalReviewGraphLink> view) : Quirel_CTRLS_GraphHolder(std::move(view)) {}

  void setChannel(int channel) {
    if (auto* g = getGraphView()) g->setChannel(channel);
  }
  void setColor(int color) {
    if (auto* g = getGraphView()) g->setColor(color);
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
  void setBrightness(ChannelValues values) {
    if (auto* g = getGraphView()) g->setBrightness(values);
  }
  void setContrast(ChannelValues values) {
    if (auto* g = getGraphView()) g->setContrast(values);
  }
  void setToneSelectTable(ChannelValues values) {
    if (auto* g = getGraphView()) g->setToneSelectTable(values);
  }
  void setUserCurvePoint(const TagPoint* points) {
    if (auto* g = getGraphView()) g->setUserCurvePoint(points);
  }
  void setUserCurveCount(const int* counts) {
    if (auto* g = getGraphView()) g->setUserCurveCount(counts);
  }
  void setImgData(int width, int height, const std::uint8_t* pixels) {
    if (auto* g = getGraphView()) g->setImgData(width, height, pixels);
  }
  void setMonitorGamma(float gamma) {
    if (auto* g = getGraphView()) g->setMonitorGamma(gamma);
  }
  void getPreviewInfo(bool hasPreview) {
    if (auto* g = getGraphView()) g->getPreviewInfo(hasPreview);
  }
};
