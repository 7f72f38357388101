#pragma once

#include "ui/controls/CTRLS_GraphHolder.h"
#include "ui/controls/ToneCurveGraphViewLink.h"

// The tone-curve dialog's editable graph.
class Quirel_CTRLS_ToneCurveGraph : public Quirel_CTRLS_GraphHolder<Quirel_ToneCurveGraphViewLink> {
 public:
  explicit Quirel_CTRLS_ToneCurveGraph(std::unique_ptr<Quirel_ToneCurveGraphViewLink> view) : Quirel_CTRLS_GraphHolder(std::move(view)) {}

  void setChannel(int channel) {
    if (auto* g = getGraphView()) g->setChannel(channel);
  }
  void setToneSelectTable(ChannelValues values) {
    if (auto* g = getGraphView()) g->setToneSelectTable(values);
  }
  void setSelectPopupFIVE(bool on) {
    if (auto* g = getGraphView()) g->setSelectPopupFIVE(on);
  }
  void setUserCurvePoint(const TagPoint* points) {
    if (auto* g = getGraphView()) g->setUserCurvePoint(points);
  }
  TagPoint* getUserCurvePoint() const {
    auto* g = getGraphView();
    return g ? g->getUserCurvePoint() : nullptr;
  }
  void setUserCurveCount(const int* counts) {
    if (auto* g = getGraphView()) g->setUserCurveCount(counts);
  }
  int* getUserCurvePointCount() const {
    auto* g = getGraphView();
    return g ? g->getUserCurvePointCount() : nullptr;
  }
  void setSquarePoint(const TagPoint* point) {
    if (auto* g = getGraphView()) g->setSquarePoint(point);
  }
  TagPoint* getSquarePoint() const {
    auto* g = getGraphView();
    return g ? g->getSquarePoint() : nullptr;
  }
  bool isEnterdInGraph() const {
    auto* g = getGraphView();
    return g ? g->isEnterdInGraph() : false;
  }
};
