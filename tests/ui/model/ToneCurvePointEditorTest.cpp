// The tone-curve graph's point editing without a window: presses, drags and releases at graph
// positions (0..150 points; a curve unit is 1.7 of them), with an owner that answers as the
// tone-curve dialog does (every change makes the shown channel custom and rebuilds the curves).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/model/ToneCurvePointEditor.h"

namespace {

struct CurveEditorBench {
  Quirel_ToneCurvePointEditor editor;
  std::vector<std::string> posts;
  int arrows = 0;
  ChannelValues selection{0, 0, 0, 0};

  explicit CurveEditorBench(int channel = 0) {
    editor.setChannel(channel);
    editor.onPost = [this](const std::string& name) {
      posts.push_back(name);
      if (name == "SET_CUSTOM_POINT" || name == "DLG_MOUSE_DRAGGED") {
        int* sel[4] = {&selection.master, &selection.red, &selection.green, &selection.blue};
        *sel[editor.channel()] = 5;
        editor.setToneSelectTable(selection);
      }
    };
    editor.onArrowCursor = [this] { ++arrows; };
    editor.setToneSelectTable(selection);
  }
  // The shown channel holds these points as its custom curve.
  void custom(const std::vector<TagPoint>& points) {
    TagPoint all[4][15]{};
    int counts[4] = {2, 2, 2, 2};
    const int ch = editor.channel();
    for (std::size_t i = 0; i < points.size(); ++i) all[ch][i] = points[i];
    counts[ch] = static_cast<int>(points.size());
    editor.setUserCurvePoint(&all[0][0]);
    editor.setUserCurveCount(counts);
    int* sel[4] = {&selection.master, &selection.red, &selection.green, &selection.blue};
    *sel[ch] = 5;
    editor.setToneSelectTable(selection);
  }
  int count() { return editor.getUserCurvePointCount()[editor.channel()]; }
  TagPoint point(int i) { return editor.getUserCurvePoint()[editor.channel() * 15 + i]; }
  std::vector<std::string> take() {
    std::vector<std::string> out;
    out.swap(posts);
    return out;
  }
};

const std::vector<std::string> kGrabPosts = {"SET_CUSTOM_POINT", "CONTROL_YES", "DLG_MOUSE_DOWN"};
const std::vector<std::string> kPlainPosts = {"CONTROL_YES", "DLG_MOUSE_DOWN"};

}  // namespace

TEST(ToneCurvePointEditor, APressGrabsByColumnAloneAtAnyHeightAndTheFirstStoredWins) {
  struct Case {
    double x, y;
    bool grabs;
    int index;  // grabbed point
  } cases[] = {
      {60.6, 10, true, 2},    // h 103: 3 from 100, far below it
      {60.6, 148, true, 2},   // the same column near the top
      {57.1, 80, true, 2},    // h 97
      {61.2, 80, false, -1},  // h 104: 4 away, a new point
  };
  for (const Case& c : cases) {
    CurveEditorBench b;
    b.custom({{0, 0}, {255, 255}, {100, 100}});
    b.editor.mouseDown(c.x, c.y, false);
    const int h = static_cast<int>(c.x * 1.7), v = static_cast<int>(c.y * 1.7);
    if (c.grabs) {
      EXPECT_EQ(b.count(), 3) << c.x;
      EXPECT_EQ(b.point(c.index).h, h) << c.x;
      EXPECT_EQ(b.point(c.index).v, v) << c.x;
      EXPECT_EQ(b.take(), kGrabPosts);
    } else {
      EXPECT_EQ(b.count(), 4) << c.x;
      EXPECT_EQ(b.point(3).h, h);
      EXPECT_EQ(b.take(), kGrabPosts);
    }
  }
  CurveEditorBench twin;
  twin.custom({{0, 0}, {255, 255}, {100, 50}, {104, 200}});
  twin.editor.mouseDown(60, 90, false);  // h 102, near both
  EXPECT_EQ(twin.point(2).h, 102);
  EXPECT_EQ(twin.point(3).h, 104);
  EXPECT_EQ(twin.count(), 4);
}

TEST(ToneCurvePointEditor, ControlClickDeletesInnerPointsOnlyAndTwoPointsStay) {
  struct Case {
    std::vector<TagPoint> points;
    double x;
    int countAfter;
    std::vector<std::string> posts;
  } cases[] = {
      {{{0, 0}, {255, 255}, {128, 128}}, 0, 3, {}},                  // left end: nothing at all
      {{{0, 0}, {255, 255}, {128, 128}}, 150, 3, {}},                // right end
      {{{0, 0}, {255, 255}, {128, 128}}, 75.3, 2, kGrabPosts},       // inner point
      {{{0, 0}, {255, 255}, {60, 60}, {128, 128}}, 35.3, 3, kGrabPosts},
      {{{0, 0}, {255, 255}}, 0, 2, kPlainPosts},                     // two points: nothing deleted
      {{{0, 0}, {255, 255}, {128, 128}}, 40, 3, kPlainPosts},        // no point near
  };
  for (const Case& c : cases) {
    CurveEditorBench b;
    b.custom(c.points);
    b.editor.mouseDown(c.x, 50, true);
    EXPECT_EQ(b.count(), c.countAfter) << c.x;
    EXPECT_EQ(b.take(), c.posts) << c.x;
    b.editor.mouseUp(c.x, 50);
    EXPECT_EQ(b.take(), std::vector<std::string>{"CustumCurveSet"});
  }
  // The point after a deleted one moves down a slot.
  CurveEditorBench b;
  b.custom({{0, 0}, {255, 255}, {60, 60}, {128, 128}});
  b.editor.mouseDown(35.3, 50, true);
  EXPECT_EQ(b.point(2).h, 128);
  // A control-drag changes nothing.
  CurveEditorBench d;
  d.custom({{0, 0}, {255, 255}, {128, 128}});
  d.editor.mouseDown(40, 40, true);
  d.take();
  d.editor.mouseDragged(90, 90);
  EXPECT_TRUE(d.take().empty());
  EXPECT_EQ(d.count(), 3);
}

TEST(ToneCurvePointEditor, TwoPointEndsStopThreeShortAndNeverLeave) {
  CurveEditorBench b;  // preset 0: (0, 0), (255, 255)
  b.editor.mouseDown(150, 150, false);
  EXPECT_EQ(b.take(), kGrabPosts);
  EXPECT_EQ(b.selection.master, 5);
  b.editor.mouseDragged(1.2, 80);  // h 2, past the other end's 0 + 3
  EXPECT_EQ(b.point(1).h, 3);
  EXPECT_EQ(b.point(1).v, 136);
  b.editor.mouseDragged(-20, 80);  // outside: nothing
  b.editor.mouseDragged(80, 160);
  EXPECT_EQ(b.count(), 2);
  EXPECT_EQ(b.point(1).h, 3);
  b.editor.mouseDragged(100, 100);
  EXPECT_EQ(b.point(1).h, 170);
  b.editor.mouseUp(100, 100);
  EXPECT_EQ(b.take().back(), "CustumCurveSet");
  EXPECT_EQ(b.point(0).h, 0);
}

TEST(ToneCurvePointEditor, OutAndBackDeletesAndRecreatesAsTheLastPoint) {
  CurveEditorBench b;
  b.custom({{0, 0}, {255, 255}, {128, 128}, {200, 60}});
  b.editor.mouseDown(75.3, 75, false);  // grabs 128
  b.take();
  b.editor.mouseDragged(160, 75);
  EXPECT_EQ(b.count(), 3);
  EXPECT_EQ(b.point(2).h, 200);
  EXPECT_EQ(b.take(), std::vector<std::string>{"DLG_MOUSE_DRAGGED"});
  b.editor.mouseDragged(170, 75);  // still out: nothing more
  EXPECT_TRUE(b.take().empty());
  b.editor.mouseDragged(40, 40);
  EXPECT_EQ(b.count(), 4);
  EXPECT_EQ(b.point(3).h, 68);
  EXPECT_EQ(b.point(3).v, 68);
  EXPECT_TRUE(b.editor.isPlacing());
  b.editor.mouseDragged(50, 20);  // goes on as placing
  EXPECT_EQ(b.point(3).h, 85);
  EXPECT_EQ(b.count(), 4);
}

TEST(ToneCurvePointEditor, ADraggedPointMeetingAnotherColumnVanishesAndComesBack) {
  CurveEditorBench b;
  b.custom({{0, 0}, {255, 255}, {128, 128}, {200, 60}});
  b.editor.mouseDown(75.3, 75, false);
  b.editor.mouseDragged(117.6, 75);  // h 199: onto 200's column
  EXPECT_EQ(b.count(), 3);
  b.editor.mouseDragged(118.2, 75);  // h 200: still near
  EXPECT_EQ(b.count(), 3);
  b.editor.mouseDragged(100, 75);  // h 170: free again
  EXPECT_EQ(b.count(), 4);
  EXPECT_EQ(b.point(3).h, 170);
}

TEST(ToneCurvePointEditor, PlacingKeepsBoundsZeroTo150AndMovingOneTo149) {
  CurveEditorBench placing;
  placing.custom({{0, 0}, {255, 255}, {170, 170}});
  placing.editor.mouseDown(50, 50, false);
  EXPECT_EQ(placing.count(), 4);
  placing.editor.mouseDragged(50, 150);
  EXPECT_EQ(placing.count(), 4);
  EXPECT_EQ(placing.point(3).v, 255);
  placing.editor.mouseDragged(50, 150.5);  // past 150: dropped
  EXPECT_EQ(placing.count(), 3);
  placing.editor.mouseDragged(50, 140);  // back
  EXPECT_EQ(placing.count(), 4);

  CurveEditorBench moving;
  moving.custom({{0, 0}, {255, 255}, {128, 128}});
  moving.editor.mouseDown(75.3, 75, false);
  moving.editor.mouseDragged(0.5, 75);
  EXPECT_EQ(moving.count(), 2);
}

TEST(ToneCurvePointEditor, FifteenPointsRefuseASixteenthAndCountsStayWithinTwoToFifteen) {
  std::vector<TagPoint> full = {{0, 0}, {255, 255}};
  for (int i = 0; i < 13; ++i) full.push_back({15 + 17 * i, 15 + 17 * i});
  CurveEditorBench b;
  b.custom(full);
  ASSERT_EQ(b.count(), 15);
  b.editor.mouseDown(5.3, 20, false);  // h 9: no point near
  EXPECT_EQ(b.count(), 15);
  EXPECT_EQ(b.take(), kPlainPosts);
  b.editor.mouseDragged(6, 30);
  EXPECT_TRUE(b.take().empty());

  Quirel_ToneCurvePointEditor editor;
  const int counts[4] = {0, 99, -3, 15};
  editor.setUserCurveCount(counts);
  const int* kept = editor.getUserCurvePointCount();
  EXPECT_EQ(kept[0], 2);
  EXPECT_EQ(kept[1], 15);
  EXPECT_EQ(kept[2], 2);
  EXPECT_EQ(kept[3], 15);
}

TEST(ToneCurvePointEditor, APresetStartsCustomEditingFromItsPointsAndMarkersFollow) {
  CurveEditorBench b;
  b.selection = {1, 0, 0, 0};
  b.editor.setToneSelectTable(b.selection);
  const std::vector<TagPoint> presetCorners = b.editor.markerCorners();
  ASSERT_EQ(presetCorners.size(), 4u);
  EXPECT_EQ(presetCorners[2].h, 15);
  EXPECT_EQ(presetCorners[3].v, 112);
  b.editor.mouseDown(130, 40, false);  // far from every point: a fifth
  EXPECT_EQ(b.selection.master, 5);
  ASSERT_EQ(b.count(), 5);
  const int expected[5][2] = {{0, 0}, {255, 255}, {30, 103}, {100, 195}, {221, 68}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(b.point(i).h, expected[i][0]) << i;
    EXPECT_EQ(b.point(i).v, expected[i][1]) << i;
  }
  const std::vector<TagPoint> corners = b.editor.markerCorners();
  ASSERT_EQ(corners.size(), 6u);  // the pointer's marker, then the five recorded
  const TagPoint recorded = b.editor.getSquarePoint()[4];
  EXPECT_EQ(recorded.h, 128);
  EXPECT_EQ(recorded.v, 38);
  // The channel views show only the colour curves; the master curve is the identity there.
  b.editor.setChannel(1);
  b.editor.setToneSelectTable({4, 0, 0, 0});
  EXPECT_EQ(b.editor.curvePointCount(0), 2);
  EXPECT_EQ(b.editor.curvePoints(0)[0].v, 0);
  EXPECT_EQ(b.editor.curveTable(0)[200], 200);
}

TEST(ToneCurvePointEditor, AReleaseAlwaysAnnouncesAndOutsideSetsTheArrow) {
  CurveEditorBench b;
  b.editor.mouseUp(40, 40);
  EXPECT_EQ(b.take(), std::vector<std::string>{"CustumCurveSet"});
  EXPECT_EQ(b.arrows, 0);
  b.editor.mouseUp(149.5, 40);
  EXPECT_EQ(b.take(), std::vector<std::string>{"CustumCurveSet"});
  EXPECT_EQ(b.arrows, 1);
}
