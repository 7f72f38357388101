#pragma once

#include "kit/View.h"
#include "ui/controls/ToneCurveGraphViewLink.h"
#include "ui/model/ToneCurvePointEditor.h"

// The tone-curve dialog's 150 x 150 graph: the shown channel's curve from a preset or the
// user's points, which the mouse adds, moves and deletes. The editing itself is the point
// editor's; the view feeds it the mouse in its own points and posts what it announces, with
// itself as object.
class Quirel_ToneCurveGraphView : public kit::View, public Quirel_ToneCurveGraphViewLink {
 public:
  explicit Quirel_ToneCurveGraphView(const fnd::Rect& frame = {});
  ~Quirel_ToneCurveGraphView() override;

  kit::View* linkedView() override { return this; }
  void setChannel(int channel) override { mEditor.setChannel(channel); }
  void setToneSelectTable(ChannelValues values) override { mEditor.setToneSelectTable(values); }
  void setSelectPopupFIVE(bool on) override { mEditor.setSelectPopupFIVE(on); }
  void setUserCurvePoint(const TagPoint* points) override { mEditor.setUserCurvePoint(points); }
  TagPoint* getUserCurvePoint() override { return mEditor.getUserCurvePoint(); }
  void setUserCurveCount(const int* counts) override { mEditor.setUserCurveCount(counts); }
  int* getUserCurvePointCount() override { return mEditor.getUserCurvePointCount(); }
  void setSquarePoint(const TagPoint* point) override { mEditor.setSquarePoint(point); }
  TagPoint* getSquarePoint() override { return mEditor.getSquarePoint(); }
  bool isEnterdInGraph() override { return mEnterGraphFlg; }

  void setFrame(const fnd::Rect& frame) override;
  void drawRect(const fnd::Rect& dirtyRect) override;
  bool acceptsFirstMouse(const kit::Event*) const override { return true; }
  void mouseDown(const kit::Event& event) override;
  void mouseDragged(const kit::Event& event) override;
  void mouseUp(const kit::Event& event) override;
  void mouseEntered(const kit::Event& event) override;
  void mouseExited(const kit::Event& event) override;

  Quirel_ToneCurvePointEditor& editor() { return mEditor; }

 private:
  fnd::Point pointOf(const kit::Event& event) const;
  void replaceTrackingRect();

  Quirel_ToneCurvePointEditor mEditor;
  kit::TrackingRectTag mTrackTag = -1;
  bool mEnterGraphFlg = false;
};
