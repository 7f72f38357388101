#pragma once

#include "kit/View.h"
#include "ui/model/SM_COMMON/ChannelValues.h"
#include "ui/model/SM_COMMON/TagPoint.h"

// The editable tone-curve graph as its wrapper sees it; the adjustment dialogs' view
// implements it. The getters answer the view's own tables.
class Quirel_ToneCurveGraphViewLink {
 public:
  virtual ~Quirel_ToneCurveGraphViewLink() = default;
  virtual kit::View* linkedView() = 0;

  virtual void setChannel(int channel) = 0;
  virtual void setToneSelectTable(ChannelValues values) = 0;
  virtual void setSelectPopupFIVE(bool on) = 0;
  virtual void setUserCurvePoint(const TagPoint* points) = 0;
  virtual TagPoint* getUserCurvePoint() = 0;
  virtual void setUserCurveCount(const int* counts) = 0;
  virtual int* getUserCurvePointCount() = 0;
  virtual void setSquarePoint(const TagPoint* point) = 0;
  virtual TagPoint* getSquarePoint() = 0;
  virtual bool isEnterdInGraph() = 0;
};
