#include "ui/model/ToneCurvePointEditor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "ui/model/SM_COMMON/CSpline.h"

namespace {

constexpr int kNear = 3;

// Graph points to curve units, truncated as the graph's scale does.
int curveUnit(double viewPoint) { return static_cast<int>(viewPoint * 1.7); }

int clampSquare(int a) { return std::clamp(a, 2, 147); }

// A marker corner from a position: its 5 x 5 square centred there, kept inside 0..145.
int cornerOf(int a) { return a < 2 ? 0 : a > 147 ? 145 : a - 2; }

struct PresetTable {
  int count;
  TagPoint points[4];
  TagPoint corners[4];
};

constexpr PresetTable kPresets[5] = {
    {2, {{0, 0}, {255, 255}}, {{0, 0}, {145, 145}}},
    {4, {{0, 0}, {255, 255}, {30, 103}, {100, 195}}, {{0, 0}, {145, 145}, {15, 58}, {57, 112}}},
    {3, {{0, 0}, {255, 255}, {155, 131}}, {{0, 0}, {145, 145}, {89, 75}}},
    {4, {{0, 0}, {255, 255}, {75, 40}, {175, 225}}, {{0, 0}, {145, 145}, {42, 22}, {100, 130}}},
    {2, {{0, 255}, {255, 0}}, {{0, 145}, {145, 0}}},
};

int selectionOf(const ChannelValues& v, int channel) {
  switch (channel) {
    case 0: return v.master;
    case 1: return v.red;
    case 2: return v.green;
    case 3: return v.blue;
    default: return -1;
  }
}

}  // namespace

Quirel_ToneCurvePointEditor::Quirel_ToneCurvePointEditor() {
  for (int c = 0; c < 4; ++c) {
    toneParam.brightness[c] = 128;
    toneParam.contrast[c] = 128;
    toneParam.gamma[c] = 1.0;
    toneParam.shadow[c] = 0;
    toneParam.middle[c] = 128;
    toneParam.hilight[c] = 255;
    toneParam.grayPoint[c] = 128;
    sUserSetPoint[c][0] = {0, 0};
    sUserSetPoint[c][1] = {255, 255};
  }
  toneParam.masterCurve = inCurveMaster;
  toneParam.redCurve = inCurveRed;
  toneParam.greenCurve = inCurveGreen;
  toneParam.blueCurve = inCurveBlue;
}

std::vector<TagPoint> Quirel_ToneCurvePointEditor::presetPoints(int preset) {
  if (preset < 0 || preset > 4) return {};
  const PresetTable& p = kPresets[preset];
  return std::vector<TagPoint>(p.points, p.points + p.count);
}

std::vector<TagPoint> Quirel_ToneCurvePointEditor::presetCorners(int preset) {
  if (preset < 0 || preset > 4) return {};
  const PresetTable& p = kPresets[preset];
  return std::vector<TagPoint>(p.corners, p.corners + p.count);
}

void Quirel_ToneCurvePointEditor::post(const char* name) {
  if (onPost) onPost(name);
}

void Quirel_ToneCurvePointEditor::arrow() {
  if (onArrowCursor) onArrowCursor();
}

const std::uint8_t* Quirel_ToneCurvePointEditor::curveTable(int channel) const {
  const std::uint8_t* tables[4] = {inCurveMaster, inCurveRed, inCurveGreen, inCurveBlue};
  return channel >= 0 && channel < 4 ? tables[channel] : nullptr;
}

// --- points in and out

void Quirel_ToneCurvePointEditor::setUserCurvePoint(const TagPoint* points) {
  if (points) std::memcpy(sUserSetPoint, points, sizeof sUserSetPoint);
}

void Quirel_ToneCurvePointEditor::setUserCurveCount(const int* counts) {
  if (!counts) return;
  for (int c = 0; c < 4; ++c) iCustomPointCount[c] = std::clamp(counts[c], 2, kMaxPoints);
}

void Quirel_ToneCurvePointEditor::setSquarePoint(const TagPoint* points) {
  if (points) std::memcpy(mSquarePoint, points, sizeof mSquarePoint);
}

void Quirel_ToneCurvePointEditor::applyPreset(int channel, int preset) {
  if (preset >= 0 && preset <= 4) {
    const PresetTable& p = kPresets[preset];
    for (int i = 0; i < p.count; ++i) userCurvePoint[channel][i] = sUserSetPoint[channel][i] = p.points[i];
    userCurvePointCount[channel] = static_cast<std::int16_t>(p.count);
    iCustomPointCount[channel] = p.count;
    // The markers follow at once, so a record copied before the next drawing has them too.
    setDefaultPoint(preset, 0, 0, channel, false);
  } else if (preset == kCustom) {
    mToneCurveSelect = kCustom;
    const int n = std::clamp(iCustomPointCount[channel], 2, kMaxPoints);
    std::memcpy(userCurvePoint[channel], sUserSetPoint[channel], sizeof(TagPoint) * static_cast<std::size_t>(n));
    userCurvePointCount[channel] = static_cast<std::int16_t>(n);
  }
}

void Quirel_ToneCurvePointEditor::identityCurve(int channel) {
  userCurvePoint[channel][0] = {0, 0};
  userCurvePoint[channel][1] = {255, 255};
  userCurvePointCount[channel] = 2;
}

void Quirel_ToneCurvePointEditor::setToneSelectTable(ChannelValues values) {
  mToneSelect = values;
  if (mChannel == 0) {
    applyPreset(0, values.master);
    if (values.master >= 0 && values.master <= kCustom) mToneCurveSelect = values.master;
    for (int c = 1; c < 4; ++c) identityCurve(c);
  } else {
    identityCurve(0);
    for (int c = 1; c < 4; ++c) applyPreset(c, selectionOf(values, c));
  }
  std::uint8_t* tables[4] = {inCurveMaster, inCurveRed, inCurveGreen, inCurveBlue};
  const void** pointers[4] = {&toneParam.masterCurve, &toneParam.redCurve, &toneParam.greenCurve,
                              &toneParam.blueCurve};
  for (int c = 0; c < 4; ++c) {
    const int n = std::clamp<int>(userCurvePointCount[c], 2, kMaxPoints);
    SplineCalc(tables[c], userCurvePoint[c], n);
    *pointers[c] = tables[c];
  }
}

void Quirel_ToneCurvePointEditor::outputCurves(std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue) const {
  for (int i = 0; i < 256; ++i) red[i] = green[i] = blue[i] = static_cast<std::uint8_t>(i);
  FinalToneCurve(red, green, blue, toneParam);
}

void Quirel_ToneCurvePointEditor::deleteUserCurvePoint(int index, int channel) {
  const int n = iCustomPointCount[channel];
  if (index < 0 || index >= n) return;
  for (int k = index; k < n && k + 1 < kMaxPoints; ++k) {
    sUserSetPoint[channel][k] = sUserSetPoint[channel][k + 1];
    mSquarePoint[channel][k] = mSquarePoint[channel][k + 1];
  }
}

void Quirel_ToneCurvePointEditor::setDefaultPoint(int preset, int x, int y, int channel, bool withNew) {
  if (preset < 0 || preset > 4 || channel < 0 || channel > 3) return;
  const PresetTable& p = kPresets[preset];
  for (int i = 0; i < p.count; ++i) mSquarePoint[channel][i] = p.corners[i];
  if (withNew && p.count < kMaxPoints) mSquarePoint[channel][p.count] = {x, y};
}

// --- hit tests, on the points the curves were built from

int Quirel_ToneCurvePointEditor::firstNear(int h, int n) const {
  const int limit = std::min(n, kMaxPoints);
  for (int i = 0; i < limit; ++i)
    if (std::abs(h - userCurvePoint[mChannel][i].h) <= kNear) return i;
  return -1;
}

bool Quirel_ToneCurvePointEditor::nearAny(int h, int from, int to, int skip) const {
  for (int i = std::max(from, 0); i <= to && i < kMaxPoints; ++i)
    if (i != skip && std::abs(h - userCurvePoint[mChannel][i].h) <= kNear) return true;
  return false;
}

// --- mouse

void Quirel_ToneCurvePointEditor::mouseDown(double x, double y, bool control) {
  if (mChannel < 0 || mChannel > 3) return;
  sSquarePoint = {static_cast<int>(x), static_cast<int>(y)};
  const int h = curveUnit(x), v = curveUnit(y);
  if (control) mControlKey = true;
  int& n = count();
  TagPoint* Q = userCurvePoint[mChannel];
  if (mControlKey) {
    const int i = n >= 3 ? firstNear(h, n) : -1;
    if (i < 0) {
      post("CONTROL_YES");
      post("DLG_MOUSE_DOWN");
      return;
    }
    // The ends of the curve, smallest and largest input, are never deleted.
    int lowest = Q[0].h < Q[1].h ? 0 : 1;
    int highest = Q[0].h < Q[1].h ? 1 : 0;
    for (int k = 2; k < n; ++k) {
      if (Q[k].h < Q[lowest].h) lowest = k;
      if (Q[k].h > Q[highest].h) highest = k;
    }
    if (i == lowest || i == highest) return;
    --n;
    if (i != n) deleteUserCurvePoint(i, mChannel);
    post("SET_CUSTOM_POINT");
    post("CONTROL_YES");
    post("DLG_MOUSE_DOWN");
    arrow();
    return;
  }
  const int i = firstNear(h, n);
  if (i >= 0) {
    sSquarePoint = {clampSquare(sSquarePoint.h), clampSquare(sSquarePoint.v)};
    sUserSetPoint[mChannel][i] = {h, v};
    mSquarePoint[mChannel][i] = {sSquarePoint.h - 2, sSquarePoint.v - 2};
    mEditUserPoint = true;
    mEditPointNo = i;
    post("SET_CUSTOM_POINT");
    post("CONTROL_YES");
    post("DLG_MOUSE_DOWN");
    return;
  }
  if (n < kMaxPoints) {
    mMouseDownSet = true;
    ++n;
    sUserSetPoint[mChannel][n - 1] = {h, v};
    mSquarePoint[mChannel][n - 1] = {cornerOf(sSquarePoint.h), cornerOf(sSquarePoint.v)};
    post("SET_CUSTOM_POINT");
  }
  post("CONTROL_YES");
  post("DLG_MOUSE_DOWN");
}

void Quirel_ToneCurvePointEditor::mouseDragged(double x, double y) {
  if (mChannel < 0 || mChannel > 3) return;
  sSquarePoint = {clampSquare(static_cast<int>(x)), clampSquare(static_cast<int>(y))};
  const int h = curveUnit(x), v = curveUnit(y);
  if (mControlKey) return;
  int& n = count();
  TagPoint* P = sUserSetPoint[mChannel];
  TagPoint* S = mSquarePoint[mChannel];
  const TagPoint* Q = userCurvePoint[mChannel];
  const bool outsideMoving = x < 1 || x > 149 || y < 1 || y > 149;

  if (mEditUserPoint && n == 2 && !mXPointSame && !mMouseDraggedExited) {
    // An end of a two-point curve: kept 3 units from the other, never past it, never deleted.
    const int e = mEditPointNo == 0 ? 0 : 1;
    const int o = Q[1 - e].h;
    if (outsideMoving) return;
    int newH;
    if (Q[e].h >= o)
      newH = h > o + kNear ? h : o + kNear;
    else
      newH = h < o - kNear ? h : o - kNear;
    P[e] = {newH, v};
    S[e] = {newH == h ? sSquarePoint.h - 2 : static_cast<int>(newH / 1.7) - 2, sSquarePoint.v - 2};
    post("DLG_MOUSE_DRAGGED");
    return;
  }

  if (mEditUserPoint) {
    const int e = mEditPointNo;
    if (outsideMoving) {
      if (mMouseDraggedExited || n < 3 || mXPointSame) return;
      mMouseDraggedExited = true;
      --n;
      deleteUserCurvePoint(e, mChannel);
      post("DLG_MOUSE_DRAGGED");
      return;
    }
    auto recreate = [&] {
      ++n;
      P[n - 1] = {h, v};
      S[n - 1] = {sSquarePoint.h - 2, sSquarePoint.v - 2};
      post("DLG_MOUSE_DRAGGED");
      mEditUserPoint = false;
      mMouseDownSet = true;
    };
    if (mMouseDraggedExited) {
      mMouseDraggedExited = false;
      if (n < kMaxPoints) {
        recreate();
        return;
      }
    }
    if (!mXPointSame) {
      for (int i = 0; i < n && i < kMaxPoints; ++i) {
        if (i == e || std::abs(h - Q[i].h) > kNear) continue;
        mXPointSame = true;
        if (n >= 3) {
          --n;
          deleteUserCurvePoint(e, mChannel);
          post("DLG_MOUSE_DRAGGED");
        }
        return;
      }
    } else {
      if (nearAny(h, 0, n - 1, -1)) return;
      mXPointSame = false;
      if (n < kMaxPoints) recreate();
      return;
    }
    if (e < 0 || e >= n) return;
    P[e] = {h, v};
    S[e] = {sSquarePoint.h - 2, sSquarePoint.v - 2};
    post("DLG_MOUSE_DRAGGED");
    return;
  }

  if (!mMouseDownSet) return;
  // Placing a new point, always the last entry; its bounds are 0..150.
  if (x < 0 || x > 150 || y < 0 || y > 150) {
    if (mMouseDraggedExited || n < 3 || mXPointSame) return;
    mMouseDraggedExited = true;
    --n;
    post("DLG_MOUSE_DRAGGED");
    return;
  }
  if (mMouseDraggedExited) {
    mMouseDraggedExited = false;
    if (n < kMaxPoints) ++n;
  }
  if (!mXPointSame) {
    if (nearAny(h, 0, n - 2, -1)) {
      mXPointSame = true;
      if (n >= 3) {
        --n;
        post("DLG_MOUSE_DRAGGED");
      }
      return;
    }
  } else {
    if (nearAny(h, 0, n - 1, -1)) return;
    mXPointSame = false;
    if (n < kMaxPoints) ++n;
  }
  P[n - 1] = {h, v};
  S[n - 1] = {sSquarePoint.h - 2, sSquarePoint.v - 2};
  post("DLG_MOUSE_DRAGGED");
}

void Quirel_ToneCurvePointEditor::mouseUp(double x, double y) {
  mMouseDownSet = mMouseDraggedExited = mXPointSame = mControlKey = mEditUserPoint = false;
  if (x < 0 || x > 149 || y < 0 || y > 149) arrow();
  post("CustumCurveSet");
}

std::vector<TagPoint> Quirel_ToneCurvePointEditor::markerCorners() {
  std::vector<TagPoint> corners;
  if (mChannel < 0 || mChannel > 3) return corners;
  const int selection = selectionOf(mToneSelect, mChannel);
  if (selection >= 0 && selection <= 4) {
    corners = presetCorners(selection);
    setDefaultPoint(selection, 0, 0, mChannel, false);
    return corners;
  }
  if (selection != kCustom) return corners;
  const int n = std::clamp(iCustomPointCount[mChannel], 2, kMaxPoints);
  const TagPoint mouseCorner{cornerOf(sSquarePoint.h), cornerOf(sSquarePoint.v)};
  if (mEditUserPoint) {
    if (!mMouseDraggedExited && !mXPointSame && n != 2) corners.push_back(mouseCorner);
  } else {
    if (!mMouseDraggedExited && mMouseDownSet && !mXPointSame && !mSelectPopupFIVE) {
      corners.push_back(mouseCorner);
      if (mToneCurveSelect >= 0 && mToneCurveSelect <= 4)
        setDefaultPoint(mToneCurveSelect, mouseCorner.h, mouseCorner.v, mChannel, true);
      else if (mToneCurveSelect == kCustom)
        mSquarePoint[mChannel][n - 1] = mouseCorner;
    }
    mSelectPopupFIVE = false;
  }
  for (int i = 0; i < n; ++i) corners.push_back(mSquarePoint[mChannel][i]);
  return corners;
}
