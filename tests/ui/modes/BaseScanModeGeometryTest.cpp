// Crop frames on a real preview: conversions between view points and preview pixels, the hit
// tests and their priorities, focus order, creation with real frame views, quarter turns and
// mirroring of one frame.

#include <gtest/gtest.h>

#include <cmath>

#include "ModesTestSupport.h"
#include "ui/controls/CropView.h"
#include "ui/controls/MultiCropView.h"
#include "ui/controls/PreviewView.h"

using modes_test::TestScanMode;

namespace {

struct GeometryRig {
  TestScanMode mode;
  GeometryRig() {
    mode.buildPreviewArea(640, 480);
    mode.mPreview->setImageViewRect(fnd::Rect(0, 0, 400, 400));
    mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  }
};

void geometryExpectRect(const SRectDouble& r, double x, double y, double w, double h) {
  EXPECT_DOUBLE_EQ(r.origin.x, x);
  EXPECT_DOUBLE_EQ(r.origin.y, y);
  EXPECT_DOUBLE_EQ(r.size.width, w);
  EXPECT_DOUBLE_EQ(r.size.height, h);
}

}  // namespace

TEST(BaseScanModeGeometry, TransformTurnsThenMovesThenMirrors) {
  struct Case {
    double angle;
    bool mirror;
    fnd::Point in, out;
  };
  // The turned view is 200 x 100; the plain picture is 100 x 200 for 90 and 270.
  const Case cases[] = {
      {0, false, {10, 5}, {10, 5}},      {0, true, {10, 5}, {190, 5}},    {90, false, {0, 0}, {200, 0}},
      {90, false, {100, 0}, {200, 100}}, {90, true, {0, 0}, {0, 0}},      {180, false, {0, 0}, {200, 100}},
      {270, false, {0, 0}, {0, 100}},    {270, false, {0, 200}, {200, 100}}, {45, false, {0, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    const fnd::Point p = Quirel_BaseScanMode::makeTransform(c.angle, c.mirror, {200, 100}).apply(c.in);
    EXPECT_NEAR(p.x, c.out.x, 1e-9) << c.angle << " " << c.mirror;
    EXPECT_NEAR(p.y, c.out.y, 1e-9) << c.angle << " " << c.mirror;
  }
}

TEST(BaseScanModeGeometry, NewFramesJoinThePreviewImageViewAndTheEndOfTheList) {
  GeometryRig rig;
  Quirel_CropInfo* plain = rig.mode.createCropWithView(fnd::Rect(10, 20, 30, 40));
  Quirel_CropInfo* multi = rig.mode.createMultiCropWithView(fnd::Rect(1, 2, 3, 4));
  ASSERT_EQ(rig.mode.mCropList.size(), 2u);
  EXPECT_EQ(rig.mode.mCropList[0].get(), plain);
  EXPECT_EQ(rig.mode.mCropList[1].get(), multi);
  auto* plainView = dynamic_cast<Quirel_CropView*>(plain->getCropView());
  auto* multiView = dynamic_cast<Quirel_MultiCropView*>(multi->getCropView());
  ASSERT_NE(plainView, nullptr);
  ASSERT_NE(multiView, nullptr);
  EXPECT_EQ(plainView->superview(), rig.mode.mPreview->getImageView());
  EXPECT_EQ(multiView->superview(), rig.mode.mPreview->getImageView());
  EXPECT_EQ(plainView->frame(), fnd::Rect(10, 20, 30, 40));
}

TEST(BaseScanModeGeometry, ConversionsBothWaysKeepTheMinimumEdgeExactly) {
  GeometryRig rig;
  rig.mode.setPlatenResolution(600);  // L = 96 pixels
  EXPECT_DOUBLE_EQ(rig.mode.minimumCropLength(), 96);
  rig.mode.mPreview->setImageViewRect(fnd::Rect(0, 0, 333, 444));
  Quirel_CropInfo* crop = rig.mode.createCropWithView(fnd::Rect());
  crop->setVisiblePreviewSize_Pixel96({5100, 7020});
  crop->setPreviewViewSize({333, 444});
  crop->setMagnification(200);

  // Record to view.
  crop->setInputRect_Pixel96({{510, 702}, {1020, 1404}});
  rig.mode.updateCropRectFromCrop(*crop, true);
  const fnd::Rect f = crop->getCropView()->frame();
  EXPECT_NEAR(f.origin.x, 33.3, 1e-9);
  EXPECT_NEAR(f.origin.y, 44.4, 1e-9);
  EXPECT_NEAR(f.size.width, 66.6, 1e-9);
  EXPECT_NEAR(f.size.height, 88.8, 1e-9);

  // View to record: a frame drawn at the minimum in points is stored at L exactly.
  const double minWidth = calcRatio(5100, 96, 333), minHeight = calcRatio(7020, 96, 444);
  crop->getCropView()->setFrame(fnd::Rect(33.3, 44.4, minWidth, minHeight));
  rig.mode.updateCropFromCropRect(*crop);
  EXPECT_EQ(crop->getInputWidth_Pixel96(), 96.0);
  EXPECT_EQ(crop->getInputHeight_Pixel96(), 96.0);
  EXPECT_DOUBLE_EQ(crop->getOutputWidth_Pixel96(), 192);
  EXPECT_DOUBLE_EQ(crop->getRatio().width, 96);

  // A named output size changes only the magnification; a fixed ratio is kept.
  crop->setOutputSize(3);
  crop->setOutputSize_Pixel96({300, 300});
  crop->getCropView()->setFrame(fnd::Rect(0, 0, 66.6, 88.8));
  rig.mode.updateCropFromCropRect(*crop);
  EXPECT_EQ(crop->getMagnification(), 29);  // 300 * 100 / 1020
  EXPECT_DOUBLE_EQ(crop->getOutputWidth_Pixel96(), 300);
}

TEST(BaseScanModeGeometry, AZeroSizeConvertsToZeroNotADivision) {
  GeometryRig rig;
  Quirel_CropInfo* crop = rig.mode.createCropWithView(fnd::Rect(5, 5, 50, 50));
  crop->setInputRect_Pixel96({{10, 10}, {100, 100}});
  crop->setPreviewViewSize({400, 400});
  crop->setVisiblePreviewSize_Pixel96({0, 0});
  rig.mode.updateCropRectFromCrop(*crop, false);
  EXPECT_EQ(crop->getCropView()->frame(), fnd::Rect(0, 0, 0, 0));
  // A zero frame width gives magnification 0 for a named output size.
  crop->setOutputSize(2);
  crop->setVisiblePreviewSize_Pixel96({1000, 1000});
  crop->getCropView()->setFrame(fnd::Rect(0, 0, 0, 10));
  rig.mode.updateCropFromCropRect(*crop);
  EXPECT_EQ(crop->getMagnification(), 0);
}

TEST(BaseScanModeGeometry, HitTestsTryTheEdgeBandThenFocusThenSelectionThenTheLastFrame) {
  struct Case {
    const char* what;
    fnd::Point p;
    int focus, selected;  // index or -1
    int expected;
  };
  // Frame 0 lies inside frame 1.
  const Case cases[] = {
      {"3 outside frame 0's edge", {97.5, 150}, -1, -1, 0},
      {"3 outside frame 0's edge, frame 1 focused", {97.5, 150}, 1, -1, 0},
      {"3 inside frame 0's edge, nothing chosen", {103, 150}, -1, -1, 1},
      {"3 inside frame 0's edge, frame 0 focused", {103, 150}, 0, -1, 0},
      {"3 inside frame 0's edge, frame 0 selected", {103, 150}, -1, 0, 0},
      {"3 inside frame 0's edge, frame 1 focused", {103, 150}, 1, 0, 1},
      {"on frame 1's edge", {50, 300}, 0, 0, 1},
      {"outside both", {10, 10}, 0, 0, -1},
  };
  for (const Case& c : cases) {
    GeometryRig rig;
    Quirel_CropInfo* inner = rig.mode.createCropWithView(fnd::Rect(100, 100, 100, 100));
    Quirel_CropInfo* outer = rig.mode.createCropWithView(fnd::Rect(50, 50, 300, 300));
    Quirel_CropInfo* frames[] = {inner, outer};
    if (c.focus >= 0) frames[c.focus]->setFocus(true);
    if (c.selected >= 0) frames[c.selected]->setSelect(true);
    Quirel_CropInfo* hit = rig.mode.getCropInPoint(c.p);
    EXPECT_EQ(hit, c.expected < 0 ? nullptr : frames[c.expected]) << c.what;
  }
}

TEST(BaseScanModeGeometry, AZoomScanFindsOnlyTheFocusedFrame) {
  GeometryRig rig;
  Quirel_CropInfo* focus = rig.mode.createCropWithView(fnd::Rect(100, 100, 50, 50));
  Quirel_CropInfo* other = rig.mode.createCropWithView(fnd::Rect(200, 200, 50, 50));
  focus->setFocus(true);
  rig.mode.mZoomScan = true;
  EXPECT_EQ(rig.mode.getCropInPoint({220, 220}), nullptr);
  EXPECT_EQ(rig.mode.getCropInPoint2({220, 220}), nullptr);
  EXPECT_EQ(rig.mode.getCropInPoint({98, 120}), focus);  // the tolerance of 3 points
  EXPECT_EQ(rig.mode.getCropInPoint2({98, 120}), nullptr);
  rig.mode.mZoomScan = false;
  EXPECT_EQ(rig.mode.getCropInPoint({220, 220}), other);
  EXPECT_EQ(rig.mode.getCropInPoint2({220, 220}), other);
}

TEST(BaseScanModeGeometry, APointInATurnedMultiCropFrameHitsIt) {
  for (double angle : {0.0, 30.0, 90.0, 200.0, 300.0}) {
    GeometryRig rig;
    Quirel_CropInfo* crop = rig.mode.createMultiCropWithView(fnd::Rect(200, 200, 100, 40));
    crop->setMultiCrop(true);
    crop->getCropView()->setFrameRotation(angle);
    const double a = angle * M_PI / 180;
    // Points given in the frame's own unturned axes, turned about its origin as it is drawn.
    auto turned = [a](double u, double v) {
      return fnd::Point{200 + u * std::cos(a) - v * std::sin(a), 200 + u * std::sin(a) + v * std::cos(a)};
    };
    EXPECT_EQ(rig.mode.getMultiCropInPoint(turned(90, 30)), crop) << angle;
    EXPECT_EQ(rig.mode.getMultiCropInPoint(turned(5, 35)), crop) << angle;
    EXPECT_EQ(rig.mode.getMultiCropInPoint(turned(50, 45)), nullptr) << angle;
    EXPECT_EQ(rig.mode.getMultiCropInPoint(turned(-5, 20)), nullptr) << angle;
  }
  GeometryRig rig;
  Quirel_CropInfo* plain = rig.mode.createCropWithView(fnd::Rect(0, 0, 100, 100));
  EXPECT_FALSE(Quirel_BaseScanMode::inMultiCrop({50, 50}, *plain));  // not a multi-crop frame
}

TEST(BaseScanModeGeometry, FocusMovesTheFrameToTheEndAndBlinksOnlyIt) {
  GeometryRig rig;
  Quirel_CropInfo* a = rig.mode.createCropWithView(fnd::Rect(0, 0, 10, 10));
  Quirel_CropInfo* b = rig.mode.createCropWithView(fnd::Rect(20, 0, 10, 10));
  Quirel_CropInfo* c = rig.mode.createCropWithView(fnd::Rect(40, 0, 10, 10));
  rig.mode.setFocus(c);
  EXPECT_EQ(rig.mode.mCropList[2].get(), c);
  EXPECT_EQ(rig.mode.mCropList[0].get(), a);
  rig.mode.setFocus(a);
  ASSERT_EQ(rig.mode.mCropList.size(), 3u);
  EXPECT_EQ(rig.mode.mCropList[0].get(), b);
  EXPECT_EQ(rig.mode.mCropList[1].get(), c);
  EXPECT_EQ(rig.mode.mCropList[2].get(), a);
  EXPECT_EQ(rig.mode.getFocusCrop(), a);
  EXPECT_FALSE(c->isFocus());
  EXPECT_NE(dynamic_cast<Quirel_CropView*>(a->getCropView())->timer(), nullptr);
  EXPECT_EQ(dynamic_cast<Quirel_CropView*>(c->getCropView())->timer(), nullptr);
  // The next frame: another selected one first, else the last other one.
  EXPECT_EQ(rig.mode.getNextCrop(a), c);
  b->setSelect(true);
  EXPECT_EQ(rig.mode.getNextCrop(a), b);
  EXPECT_EQ(rig.mode.getNextSelectedCrop(b), nullptr);
  // In a thumbnail mode the order stays.
  rig.mode.mScanMode = 1;
  rig.mode.setFocus(b);
  EXPECT_EQ(rig.mode.mCropList[0].get(), b);
}

TEST(BaseScanModeGeometry, FourTurnsAndTwoMirrorsGiveTheFrameBack) {
  GeometryRig rig;
  Quirel_CropInfo* crop = rig.mode.createCropWithView(fnd::Rect());
  auto reset = [crop] {
    crop->setPreviewSize_Pixel96({1000, 800});
    crop->setVisiblePreviewSize_Pixel96({1000, 800});
    crop->setInputRect_Pixel96({{100, 200}, {300, 150}});
    crop->setOutputSize_Pixel96({600, 300});
    crop->setRatio(2, 1);
  };
  auto expectBack = [crop](const char* what) {
    geometryExpectRect(crop->getInputRect_Pixel96(), 100, 200, 300, 150);
    EXPECT_DOUBLE_EQ(crop->getVisiblePreviewSize_Pixel96().width, 1000) << what;
    EXPECT_DOUBLE_EQ(crop->getPreviewSize_Pixel96().height, 800) << what;
    EXPECT_DOUBLE_EQ(crop->getOutputSize_Pixel96().width, 600) << what;
    EXPECT_DOUBLE_EQ(crop->getRatio().width, 2) << what;
  };
  reset();
  rig.mode.updateCropByLeftRotate(1, *crop);
  geometryExpectRect(crop->getInputRect_Pixel96(), 800 - 350, 100, 150, 300);
  EXPECT_EQ(crop->getRotation(), 1);
  for (int i = 2; i <= 4; ++i) rig.mode.updateCropByLeftRotate(i % 4, *crop);
  expectBack("left");
  rig.mode.updateCropByRightRotate(3, *crop);
  geometryExpectRect(crop->getInputRect_Pixel96(), 200, 1000 - 400, 150, 300);
  for (int i = 2; i <= 4; ++i) rig.mode.updateCropByRightRotate((4 - i) % 4, *crop);
  expectBack("right");
  rig.mode.updateCropByMirror(true, *crop);
  geometryExpectRect(crop->getInputRect_Pixel96(), 600, 200, 300, 150);
  EXPECT_TRUE(crop->getMirror());
  rig.mode.updateCropByMirror(false, *crop);
  expectBack("mirror");
}

TEST(BaseScanModeGeometry, AFrameMovedInsideKeepsAnOversizeFrameAtANegativeX) {
  GeometryRig rig;
  Quirel_CropInfo* crop = rig.mode.createCropWithView(fnd::Rect());
  crop->setInputRect_Pixel96({{-10, 20}, {150, 50}});
  EXPECT_FALSE(rig.mode.checkCropInPreview({100, 100}, *crop, false));
  geometryExpectRect(crop->getInputRect_Pixel96(), -10, 20, 150, 50);
  EXPECT_FALSE(rig.mode.checkCropInPreview({100, 100}, *crop, true));
  // Kept as the callers know it: wider than the size ends at W - w.
  geometryExpectRect(crop->getInputRect_Pixel96(), -50, 20, 150, 50);
  crop->setInputRect_Pixel96({{60, 70}, {50, 40}});
  EXPECT_FALSE(rig.mode.checkCropInPreview({100, 100}, *crop, true));
  geometryExpectRect(crop->getInputRect_Pixel96(), 50, 60, 50, 40);
  EXPECT_TRUE(rig.mode.checkCropInPreview({100, 100}, *crop, true));
}
