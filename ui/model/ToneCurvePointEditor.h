#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/model/SM_COMMON/ChannelValues.h"
#include "ui/model/SM_COMMON/TagPoint.h"
#include "ui/model/SM_COMMON/ToneCurve.h"

// The point editing of the tone-curve graph, free of windows: the four channels' points and
// marker corners, the curves built from them, and what a press, drag and release at a graph
// position (0..150 points each way) do to them. It tells its owner by name what to announce
// ("SET_CUSTOM_POINT", "CONTROL_YES", "DLG_MOUSE_DOWN", "DLG_MOUSE_DRAGGED",
// "CustumCurveSet") and when the arrow cursor is due; the owner's answer to an announcement
// may call setToneSelectTable again, which is how the hit-tested points follow the edits.
//
// A channel never holds more than 15 points nor fewer than 2: no add, delete, drag or spline
// reaches past slot 14.
class Quirel_ToneCurvePointEditor {
 public:
  static constexpr int kMaxPoints = kToneMaxPoints;
  static constexpr int kCustom = 5;
  using Points = TagPoint[4][kToneMaxPoints];

  Quirel_ToneCurvePointEditor();

  std::function<void(const std::string&)> onPost;
  std::function<void()> onArrowCursor;

  void setChannel(int channel) { mChannel = channel; }
  int channel() const { return mChannel; }
  void setSelectPopupFIVE(bool on) { mSelectPopupFIVE = on; }
  // Presets per channel (0..5); builds the shown channels' points and curves.
  void setToneSelectTable(ChannelValues values);
  ChannelValues toneSelect() const { return mToneSelect; }
  int toneCurveSelect() const { return mToneCurveSelect; }

  void setUserCurvePoint(const TagPoint* points);
  TagPoint* getUserCurvePoint() { return &sUserSetPoint[0][0]; }
  // Each count kept within 2..15.
  void setUserCurveCount(const int* counts);
  int* getUserCurvePointCount() { return iCustomPointCount; }
  void setSquarePoint(const TagPoint* points);
  TagPoint* getSquarePoint() { return &mSquarePoint[0][0]; }

  // Positions in graph points; control: the control key was held.
  void mouseDown(double x, double y, bool control);
  void mouseDragged(double x, double y);
  void mouseUp(double x, double y);

  // The marker corners to draw for the shown channel, recording a newly placed point's corner
  // as the drawing does.
  std::vector<TagPoint> markerCorners();
  // The red, green and blue output curves of the shown curves.
  void outputCurves(std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue) const;

  // The points the curves were last built from (hit tests use these).
  const TagPoint* curvePoints(int channel) const { return userCurvePoint[channel]; }
  int curvePointCount(int channel) const { return userCurvePointCount[channel]; }
  const std::uint8_t* curveTable(int channel) const;
  bool isMoving() const { return mEditUserPoint; }
  bool isPlacing() const { return mMouseDownSet; }

  // The preset's points and marker corners (presets 0..4); empty for others.
  static std::vector<TagPoint> presetPoints(int preset);
  static std::vector<TagPoint> presetCorners(int preset);

 private:
  void post(const char* name);
  void arrow();
  void applyPreset(int channel, int preset);
  void identityCurve(int channel);
  void deleteUserCurvePoint(int index, int channel);
  void setDefaultPoint(int preset, int x, int y, int channel, bool withNew);
  bool nearAny(int h, int from, int to, int skip) const;
  int firstNear(int h, int count) const;
  int& count() { return iCustomPointCount[mChannel]; }

  int mChannel = 0;
  ChannelValues mToneSelect{0, 0, 0, 0};
  bool mSelectPopupFIVE = false;
  ToneParam toneParam{};
  int mToneCurveSelect = 0;
  int iCustomPointCount[4] = {2, 2, 2, 2};
  std::int16_t userCurvePointCount[4] = {2, 2, 2, 2};
  Points sUserSetPoint{};
  Points userCurvePoint{};
  std::uint8_t inCurveMaster[256]{}, inCurveRed[256]{}, inCurveGreen[256]{}, inCurveBlue[256]{};
  Points mSquarePoint{};
  bool mControlKey = false;
  bool mMouseDownSet = false;
  TagPoint sSquarePoint{0, 0};
  bool mMouseDraggedExited = false;
  bool mXPointSame = false;
  bool mEditUserPoint = false;
  int mEditPointNo = 0;
};
