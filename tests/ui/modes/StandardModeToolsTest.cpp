// The basic mode's other mouse tools: the zoom and hand tools, the rubber band and clicks over
// the thumbnails, the frame inside a thumbnail, multi-crop selection, and select and check all.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "StandardModeMouseRig.h"
#include "ui/controls/PreviewScrollView.h"

using kit::EventType;
using mouse_test::MouseRig;

TEST(StandardModeTools, ZoomStepsAboutTheClickAndStopsAtEitherEnd) {
  struct Case {
    int rate;
    bool option;
    int rateAfter;
  };
  const Case cases[] = {{0, false, 1}, {3, false, 4}, {4, false, 4}, {0, true, 0}, {2, true, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "rate " << c.rate << (c.option ? " option" : ""));
    MouseRig rig;
    rig.mode.mZoomRate = c.rate;
    rig.mode.updatePreview();
    const fnd::Rect before = rig.mode.mPreview->getImageViewRect();
    const fnd::Rect visibleBefore = rig.imageView().visibleRect();
    rig.mode.mouseDownOnPreviewForZoom(
        rig.at(EventType::LeftMouseDown, {visibleBefore.midX(), visibleBefore.midY()}, c.option ? unsigned{kit::kAlternateKeyMask} : 0u));
    rig.mode.mouseUpOnPreviewForZoom();
    EXPECT_EQ(rig.mode.mZoomRate, c.rateAfter);
    const fnd::Rect after = rig.mode.mPreview->getImageViewRect();
    if (c.rate == c.rateAfter) {
      EXPECT_EQ(after, before);
      EXPECT_EQ(rig.imageView().visibleRect(), visibleBefore);
      continue;
    }
    const double scale = Quirel_BaseScanMode::getSZoomRate(c.rateAfter) / Quirel_BaseScanMode::getSZoomRate(c.rate);
    EXPECT_NEAR(after.size.height, before.size.height * scale, 1.5);
    const fnd::Rect visible = rig.imageView().visibleRect();
    // The point clicked is centred at the new size, as far as the view lets it scroll.
    auto centred = [](double point, double shown, double whole) {
      return std::clamp(std::floor(point - shown / 2), 0.0, std::max(0.0, whole - shown));
    };
    EXPECT_NEAR(visible.origin.y, centred(visibleBefore.midY() * scale, visible.size.height, after.size.height), 1.5);
    EXPECT_NEAR(visible.origin.x, centred(visibleBefore.midX() * scale, visible.size.width, after.size.width), 1.5);
  }
}

TEST(StandardModeTools, TheHandScrollsByTheWholeTravel) {
  MouseRig rig;
  rig.mode.mZoomRate = 4;
  rig.mode.updatePreview();
  rig.imageView().scrollPoint({100, 100});
  const fnd::Point origin = rig.mode.mPreview->getScrollView()->contentView()->bounds().origin;
  const kit::View& v = rig.imageView();
  rig.mode.mouseDownOnPreviewForHand(rig.at(EventType::LeftMouseDown, {200, 200}));
  // The hand measures in the window, so the image moving under it does not feed back.
  const fnd::Point down = v.convertPointToView({200, 200}, nullptr);
  auto dragTo = [&](double dx, double dy) {
    rig.mode.mouseDraggedOnPreviewForHand(
        kit::Event::mouseEvent(EventType::LeftMouseDragged, {down.x + dx, down.y + dy}, 0, nullptr));
  };
  dragTo(-10, -20);
  dragTo(-30, -40);
  const fnd::Point now = rig.mode.mPreview->getScrollView()->contentView()->bounds().origin;
  EXPECT_NEAR(now.x, origin.x + 30, 0.5);
  EXPECT_NEAR(now.y, origin.y + 40, 0.5);
  rig.mode.mouseUpOnPreviewForHand();
}

namespace {

kit::Event toolsFrameEvent(const MouseRig& rig, EventType type, fnd::Point p, unsigned flags = 0) {
  return mouse_test::mouseAt(rig.frameView(), type, p, flags);
}

}  // namespace

TEST(StandardModeTools, TheRubberBandSelectsTheThumbnailsItTouches) {
  MouseRig rig({}, 3);
  rig.thumbnails(3);
  const fnd::Rect f0 = MouseRig::thumbFrame(rig.thumb(0)).frame();
  const fnd::Rect f1 = MouseRig::thumbFrame(rig.thumb(1)).frame();
  const fnd::Rect f2 = MouseRig::thumbFrame(rig.thumb(2)).frame();
  auto band = [&](fnd::Point from, fnd::Point to, unsigned flags) {
    rig.mode.mouseDownOnPreviewFrame(toolsFrameEvent(rig, EventType::LeftMouseDown, from, flags));
    rig.mode.mouseDraggedOnPreviewFrame(toolsFrameEvent(rig, EventType::LeftMouseDragged, to, flags));
    return rig.mode.mouseUpOnPreviewFrame();
  };
  auto selection = [&] {
    std::string s;
    for (const auto& t : rig.mode.mThumbnailList) s += t->isSelected() ? '1' : '0';
    return s;
  };
  for (const auto& t : rig.mode.mThumbnailList) t->setSelected(false);
  rig.thumb(0).setSelected(true);
  rig.thumb(0).setFocus(true);

  // Touching none: nothing changes, and the band says so.
  const fnd::Rect all = rig.frameView().bounds();
  EXPECT_FALSE(band({all.maxX() - 2, all.maxY() - 2}, {all.maxX() - 1, all.maxY() - 1}, 0));
  EXPECT_EQ(selection(), "100");

  // With command over the first two: they swap.
  const fnd::Rect both = f0.unionWith(f1);
  EXPECT_TRUE(band({both.minX() + 2, both.midY()}, {both.maxX() - 2, both.midY() + 1}, kit::kCommandKeyMask));
  EXPECT_EQ(selection(), "010");
  EXPECT_EQ(rig.mode.getFocusThumbnail(), &rig.thumb(1));  // the focus left with the selection

  // Without command over the last: only it stays selected.
  EXPECT_TRUE(band({f2.midX(), f2.midY()}, {f2.midX() + 3, f2.midY() + 3}, 0));
  EXPECT_EQ(selection(), "001");
  for (const auto& t : rig.mode.mThumbnailList) EXPECT_FALSE(t->isWillSelected());
}

TEST(StandardModeTools, ADoubleClickOpensAThumbnailUnlessItIsTheOnlyOne) {
  for (int count : {1, 2}) {
    SCOPED_TRACE(count);
    MouseRig rig({}, 3);
    rig.thumbnails(count);
    const kit::View& view = MouseRig::thumbView(rig.thumb(0));
    rig.mode.mouseDownOnThumbnail(mouse_test::mouseAt(view, EventType::LeftMouseDown, {5, 5}, 0, 2), 0);
    EXPECT_EQ(rig.thumb(0).isZoom(), count > 1);
    EXPECT_EQ(rig.mode.mZoomScan, count > 1);
    // With command a double click only selects.
    MouseRig command({}, 3);
    command.thumbnails(count);
    command.mode.mouseDownOnThumbnail(
        mouse_test::mouseAt(MouseRig::thumbView(command.thumb(0)), EventType::LeftMouseDown, {5, 5}, kit::kCommandKeyMask, 2), 0);
    EXPECT_FALSE(command.thumb(0).isZoom());
    EXPECT_TRUE(command.thumb(0).isFocus());
  }
}

TEST(StandardModeTools, AFrameDrawnInAThumbnailAndAClickBesideItThatRemovesIt) {
  MouseRig rig({}, 3);
  rig.thumbnails(1);
  Quirel_ThumbnailInfo& t = rig.thumb(0);
  Quirel_CropInfo& crop = *t.getCropInfo();
  const kit::View& view = MouseRig::thumbView(t);
  const fnd::Rect bounds = view.bounds();
  ASSERT_GT(bounds.size.width, 60);
  ASSERT_GT(bounds.size.height, 60);
  auto press = [&](fnd::Point from, const std::vector<fnd::Point>& path) {
    rig.mode.mouseDownOnThumbnailPreview(mouse_test::mouseAt(view, EventType::LeftMouseDown, from), 0);
    for (const fnd::Point& p : path)
      rig.mode.mouseDraggedOnThumbnailPreview(mouse_test::mouseAt(view, EventType::LeftMouseDragged, p), 0);
    rig.mode.mouseUpOnThumbnailPreview(0, 0);
  };
  press({5, 5}, {{20, 20}, {40, 45}});
  ASSERT_TRUE(crop.hasCropView());
  const fnd::Rect drawn = crop.getCropView()->frame();
  EXPECT_EQ(drawn.origin, fnd::Point(5, 5));
  EXPECT_GE(drawn.size.width, 35);
  EXPECT_TRUE(t.hasCrop());
  EXPECT_EQ(crop.getCropMode(), 0);

  // A drag inside moves it.
  press({drawn.midX(), drawn.midY()}, {{drawn.midX() + 10, drawn.midY() + 5}});
  EXPECT_EQ(crop.getCropView()->frame().origin, fnd::Point(15, 10));

  // A click beside it: the whole thumbnail again.
  press({bounds.maxX() - 3, bounds.maxY() - 3}, {});
  EXPECT_FALSE(crop.hasCropView());
  const SSizeDouble visible = t.getVisiblePreviewSize_Pixel96();
  EXPECT_EQ(crop.getInputRect_Pixel96().origin.x, 0);
  EXPECT_EQ(crop.getInputRect_Pixel96().size.width, visible.width);
  EXPECT_EQ(crop.getInputRect_Pixel96().size.height, visible.height);
}

TEST(StandardModeTools, AMultiCropDragMovesNothingAndTheReleaseSelects) {
  MouseRig rig;
  rig.mode.mMultiCrop = true;
  Quirel_CropInfo* a = rig.mode.createMultiCropWithView({50, 50, 80, 60});
  Quirel_CropInfo* b = rig.mode.createMultiCropWithView({200, 200, 80, 60});
  a->setMultiCrop(true);
  b->setMultiCrop(true);
  b->setSelect(true);
  rig.mode.mouseDownOnPreviewForMultiCrop(rig.at(EventType::LeftMouseDown, {90, 80}));
  rig.mode.mouseDraggedOnPreviewForMultiCrop();
  rig.mode.mouseUpOnPreviewForMultiCrop();
  EXPECT_EQ(a->getCropView()->frame(), fnd::Rect(50, 50, 80, 60));
  EXPECT_TRUE(a->isSelected());
  EXPECT_FALSE(b->isSelected());
  // Command toggles one frame and leaves the others.
  rig.mode.mouseDownOnPreviewForMultiCrop(rig.at(EventType::LeftMouseDown, {240, 230}, kit::kCommandKeyMask));
  rig.mode.mouseUpOnPreviewForMultiCrop();
  EXPECT_TRUE(a->isSelected());
  EXPECT_TRUE(b->isSelected());

  // Select all takes only the multi-crop frames while the mode is on.
  Quirel_CropInfo& plain = rig.addFrame({10, 300, 40, 40});
  a->setSelect(false);
  rig.mode.selectAllCrops();
  EXPECT_TRUE(a->isSelected());
  EXPECT_FALSE(plain.isSelected());
  rig.mode.mMultiCrop = false;
  rig.mode.selectAllCrops();
  EXPECT_TRUE(plain.isSelected());
  EXPECT_EQ(plain.getCropView()->getLineStyle(), 1);
}

TEST(StandardModeTools, SelectAndCheckAllFrames) {
  MouseRig rig({}, 3);
  rig.thumbnails(3);
  for (const auto& t : rig.mode.mThumbnailList) {
    t->setSelected(false);
    t->setFocus(false);
  }
  rig.thumb(1).setFocus(true);
  rig.mode.selectAllFrames(true);
  for (const auto& t : rig.mode.mThumbnailList) EXPECT_TRUE(t->isSelected());
  rig.mode.selectAllFrames(false);
  EXPECT_FALSE(rig.thumb(0).isSelected());
  EXPECT_TRUE(rig.thumb(1).isSelected());  // the focused one stays
  EXPECT_FALSE(rig.thumb(2).isSelected());
  rig.mode.checkAllFrames(true);
  EXPECT_EQ(rig.mode.getCheckedThumbnailCount(), 3);
  rig.mode.checkAllFrames(false);
  EXPECT_EQ(rig.mode.getCheckedThumbnailCount(), 0);
  // Outside a thumbnail view the checks stay as they are.
  rig.mode.mScanMode = 2;
  rig.mode.checkAllFrames(true);
  EXPECT_EQ(rig.mode.getCheckedThumbnailCount(), 0);
}
