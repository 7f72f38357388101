#pragma once

#include "ui/controls/CTRLS_GraphHolder.h"
#include "ui/controls/ToneBCGraphViewLink.h"

// The brightness and contrast dialog's graph.
class Quirel_CTRLS_ToneBCGraph : public Quirel_CTRLS_GraphHolder<Quirel_ToneBCGraphViewLink> {
 public:
  explicit Quirel_CTRLS_ToneBCGraph(std::unique_ptr<Quirel_ToneBCGraphViewLink> view) : Quirel_CTRLS_GraphHolder(std::move(view)) {}

  void setChannel(int channel) {
    if (auto* g = getGraphView()) g->setChannel(channel);
  }
  void setBrightness(ChannelValues values) {
    if (auto* g = getGraphView()) g->setBrightness(values);
  }
  void setContrast(ChannelValues values) {
    if (auto* g = getGraphView()) g->setContrast(values);
  }
  void setHidden(bool hidden) {
    if (view()) view()->setHidden(hidden);
  }
};
