// The crop tool of the basic mode, by scripted drags: drawing, moving against the border,
// resizing from each edge and corner with and without a fixed ratio, the smallest frame at
// mouse-up, thin frames, the frame limit, focus and selection, and what each release posts.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "StandardModeMouseRig.h"
#include "ui/base/PostNotification.h"

using mouse_test::MouseRig;
using kit::EventType;

namespace {

std::string cropToolRect(const fnd::Rect& r) {
  auto n = [](double v) { return std::to_string(static_cast<int>(std::lround(v))); };
  return n(r.origin.x) + "," + n(r.origin.y) + " " + n(r.size.width) + "x" + n(r.size.height);
}

}  // namespace

TEST(StandardModeCropTool, DrawingAFrameSelectsAndFocusesItAndPostsTheFocusedFrame) {
  MouseRig rig;
  rig.mode.mHasPreview = true;
  modes_test::PostLog log({"UpdateFocusCropPost"});
  rig.drag({50, 50}, {{100, 90}, {150, 120}});
  ASSERT_EQ(rig.mode.mCropList.size(), 1u);
  Quirel_CropInfo& crop = *rig.mode.mCropList[0];
  EXPECT_EQ(cropToolRect(MouseRig::frameOf(crop)), "50,50 100x70");
  EXPECT_EQ(cropToolRect({crop.getInputRect_Pixel96().origin.x, crop.getInputRect_Pixel96().origin.y,
                          crop.getInputRect_Pixel96().size.width, crop.getInputRect_Pixel96().size.height}),
            "400,400 800x560");
  EXPECT_TRUE(crop.isSelected());
  EXPECT_TRUE(crop.isFocus());
  EXPECT_EQ(crop.getCropView()->getLineStyle(), 1);
  EXPECT_EQ(crop.getCropMode(), 0);
  ASSERT_EQ(log.posts.size(), 1u);
  EXPECT_EQ(log.posts[0].info.integer("CropCor"), 1);

  // A press and release in an empty place draws nothing and posts nothing.
  rig.mode.mHasPreview = true;
  rig.drag({250, 400}, {});
  EXPECT_EQ(rig.mode.mCropList.size(), 1u);
  EXPECT_EQ(log.posts.size(), 1u);
}

TEST(StandardModeCropTool, AMoveStopsAtTheBorderWithItsSizeUnchanged) {
  MouseRig rig;
  Quirel_CropInfo& crop = rig.addFrame({100, 100, 80, 60});
  const SSizeDouble before = crop.getInputSize_Pixel96();
  rig.drag({140, 130}, {{300, 130}, {640, 130}});
  EXPECT_EQ(cropToolRect(MouseRig::frameOf(crop)), "240,100 80x60");
  EXPECT_EQ(crop.getInputX_Pixel96(), 1920);
  EXPECT_EQ(crop.getInputSize_Pixel96().width, before.width);
  EXPECT_EQ(crop.getInputSize_Pixel96().height, before.height);
  // Down and left past the origin: it stops at (0, 0).
  rig.drag({280, 130}, {{-500, -500}});
  EXPECT_EQ(cropToolRect(MouseRig::frameOf(crop)), "0,0 80x60");
}

TEST(StandardModeCropTool, ResizingFromEachEdgeAndCornerWithAndWithoutAFixedRatio) {
  struct Case {
    const char* grip;
    fnd::Point press;
    fnd::Point travel;
    const char* free;
    const char* fixed;  // ratio 2:1
  };
  // The frame is (100, 100) 100 x 50 points; y grows upwards.
  const Case cases[] = {
      {"left edge", {100, 125}, {-20, 0}, "80,100 120x50", "80,90 120x60"},
      {"right edge", {200, 125}, {40, 0}, "100,100 140x50", "100,80 140x70"},
      {"top edge", {150, 150}, {0, 10}, "100,100 100x60", "100,100 120x60"},
      {"bottom edge", {150, 100}, {0, -10}, "100,90 100x60", "100,90 120x60"},
      {"top-left corner", {100, 150}, {-20, 7}, "80,100 120x57", "80,100 120x60"},
      {"bottom-right corner", {200, 100}, {20, -3}, "100,97 120x53", "100,90 120x60"},
      // Past the view: the moving edge stops at the border, the other side follows the ratio.
      {"right edge past the border", {200, 125}, {500, 0}, "100,100 220x50", "100,40 220x110"},
      {"top edge past the border", {150, 150}, {0, 1000}, "100,100 100x340", "100,100 220x110"},
      {"left edge past the origin", {100, 125}, {-500, 0}, "0,100 200x50", "0,50 200x100"},
  };
  for (const Case& c : cases) {
    for (bool fixed : {false, true}) {
      SCOPED_TRACE(std::string(c.grip) + (fixed ? " fixed" : " free"));
      MouseRig rig;
      Quirel_CropInfo& crop = rig.addFrame({100, 100, 100, 50});
      if (fixed) {
        crop.setFixesRatio(true);
        crop.setRatio(800, 400);
      }
      const fnd::Point to{c.press.x + c.travel.x, c.press.y + c.travel.y};
      // Each step comes from the saved frame and the whole travel: a detour changes nothing.
      rig.drag(c.press, {{c.press.x + 37, c.press.y - 29}, to});
      EXPECT_EQ(cropToolRect(MouseRig::frameOf(crop)), fixed ? c.fixed : c.free);
    }
  }
}

TEST(StandardModeCropTool, TheSmallestFrameAtMouseUpKeepsTheOppositeEdgeAndStaysInTheView) {
  struct Case {
    fnd::Point from, to;
    const char* expected;
  };
  const Case cases[] = {
      {{200, 200}, {190, 195}, "176,176 24x24"},  // drawn down-left: the start corner stays
      {{100, 100}, {110, 104}, "100,100 24x24"},  // drawn up-right: the origin stays
      {{310, 430}, {315, 435}, "296,416 24x24"},  // grown past the view's corner: moved back in
  };
  for (const Case& c : cases) {
    MouseRig rig;
    rig.drag(c.from, {c.to});
    ASSERT_EQ(rig.mode.mCropList.size(), 1u);
    EXPECT_EQ(cropToolRect(MouseRig::frameOf(*rig.mode.mCropList[0])), c.expected);
  }
  // Resizing a frame from its left edge to less than the smallest keeps its right edge.
  MouseRig rig;
  Quirel_CropInfo& crop = rig.addFrame({100, 100, 100, 100});
  rig.drag({100, 150}, {{195, 150}});
  EXPECT_EQ(cropToolRect(MouseRig::frameOf(crop)), "176,100 24x100");
}

TEST(StandardModeCropTool, AFixedRatioWithAZeroSideCountsAsNone) {
  MouseRig rig;
  rig.mode.mTemplateCrop->setFixesRatio(true);
  rig.mode.mTemplateCrop->setRatio(0, 400);
  rig.drag({50, 50}, {{150, 120}});
  ASSERT_EQ(rig.mode.mCropList.size(), 1u);
  EXPECT_EQ(cropToolRect(MouseRig::frameOf(*rig.mode.mCropList[0])), "50,50 100x70");
  // A named size whose ratio has a zero side: a frame drawn too small grows to the smallest
  // square, never to a size divided by zero.
  MouseRig named;
  named.mode.mTemplateCrop->setOutputSize(5);
  named.mode.mTemplateCrop->setRatio(800, 0);
  named.drag({100, 100}, {{105, 103}});
  ASSERT_EQ(named.mode.mCropList.size(), 1u);
  EXPECT_EQ(cropToolRect(MouseRig::frameOf(*named.mode.mCropList[0])), "100,100 24x24");
  // Resizing a fixed-ratio frame whose ratio has a zero side resizes it freely.
  MouseRig resize;
  Quirel_CropInfo& crop = resize.addFrame({100, 100, 100, 50});
  crop.setFixesRatio(true);
  crop.setRatio(0, 0);
  resize.drag({200, 125}, {{230, 125}});
  EXPECT_EQ(cropToolRect(MouseRig::frameOf(crop)), "100,100 130x50");
}

TEST(StandardModeCropTool, AThinFrameMovesWhereverItIsPressed) {
  MouseRig rig;
  Quirel_CropInfo& crop = rig.addFrame({100, 100, 100, 5});
  rig.mode.mouseDownOnPreviewForCrop(rig.at(EventType::LeftMouseDown, {150, 102}));
  EXPECT_EQ(crop.getCropMode(), 4);
  EXPECT_EQ(crop.getResizeMode(), 0);
  rig.mode.mouseDraggedOnPreviewForCrop(rig.at(EventType::LeftMouseDragged, {150, 122}));
  EXPECT_EQ(cropToolRect(MouseRig::frameOf(crop)), "100,120 100x5");
  rig.mode.mouseUpOnPreviewForCrop(0);
  EXPECT_EQ(crop.getInputY_Pixel96(), 960);
  EXPECT_EQ(crop.getInputHeight_Pixel96(), 40);  // a move keeps the stored size
  // Pressed within 3 points of one edge only, a frame resizes from it.
  MouseRig edge;
  Quirel_CropInfo& wide = edge.addFrame({100, 100, 100, 100});
  edge.mode.mouseDownOnPreviewForCrop(edge.at(EventType::LeftMouseDown, {97, 150}));
  EXPECT_EQ(wide.getCropMode(), 3);
  EXPECT_EQ(wide.getResizeMode(), 4);
}

TEST(StandardModeCropTool, ANewFrameIsRefusedAtTheLimitOrPastIt) {
  struct Case {
    fnd::Dictionary flags;
    int scanMode;
    int frames;
    bool refused;
  };
  const Case cases[] = {
      {{}, 0, 9, false},  {{}, 0, 10, true}, {{{"Ver1500Later", true}}, 0, 11, false},
      {{{"Ver1500Later", true}}, 0, 12, true}, {{}, 2, 29, false}, {{}, 2, 30, true},
      {{}, 2, 31, true},  // restored past the limit: it grows no further
      {{}, 0, 11, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.scanMode << " frames " << c.frames);
    MouseRig rig(c.flags, c.scanMode);
    rig.mode.mHasPreview = c.scanMode == 2;
    for (int i = 0; i < c.frames; ++i) rig.addFrame({static_cast<double>(i), 0, 4, 4});
    rig.drag({200, 300}, {{260, 360}});
    EXPECT_EQ(static_cast<int>(rig.mode.mCropList.size()), c.frames + (c.refused ? 0 : 1));
  }
  // A zoom scan draws no frame either.
  MouseRig zoom;
  zoom.mode.mZoomScan = true;
  zoom.drag({200, 300}, {{260, 360}});
  EXPECT_TRUE(zoom.mode.mCropList.empty());
}

TEST(StandardModeCropTool, ClicksAndCommandClicksMoveTheFocusAndPostOnlyAChange) {
  MouseRig rig;
  rig.mode.mHasPreview = true;
  Quirel_CropInfo& a = rig.addFrame({50, 50, 60, 60});
  Quirel_CropInfo& b = rig.addFrame({200, 200, 60, 60});
  a.setSelect(true);
  b.setSelect(true);
  rig.mode.setFocus(&b);
  modes_test::PostLog log({"UpdateFocusCropPost"});

  rig.drag({230, 230}, {});  // the focused frame: nothing to tell
  EXPECT_TRUE(log.posts.empty());
  EXPECT_FALSE(a.isSelected());  // a plain click keeps only the clicked frame selected

  a.setSelect(true);
  rig.drag({230, 230}, {}, kit::kCommandKeyMask);  // command on a selected frame: the focus goes on
  EXPECT_FALSE(b.isSelected());
  EXPECT_TRUE(a.isFocus());
  EXPECT_TRUE(a.isSelected());
  ASSERT_EQ(log.posts.size(), 1u);
  EXPECT_EQ(log.posts[0].info.integer("CropCor"), 0);

  rig.drag({230, 230}, {});  // a plain click on another frame
  ASSERT_EQ(log.posts.size(), 2u);
  EXPECT_EQ(log.posts[1].info.integer("CropCor"), 0);
  EXPECT_TRUE(b.isFocus());

  rig.drag({230, 230}, {{240, 240}});  // a drag: the focused frame changed
  ASSERT_EQ(log.posts.size(), 3u);
  EXPECT_EQ(log.posts[2].info.integer("CropCor"), 1);
  EXPECT_EQ(cropToolRect(MouseRig::frameOf(b)), "210,210 60x60");
}

TEST(StandardModeCropTool, TheAdvancedModesFirstFrameAsksForAnOriginalScanPreview) {
  // The preview request is filled by a stand-in: the basic mode does not yet answer the model's
  // questions about its panel.
  modes_test::RecordFiller filler;
  modes_test::PostLog log({"UpdateFocusCropPost", Quirel_PostNotification::kOverrideNotification});
  MouseRig rig({}, 0, false);
  rig.mode.getPreferenceInfo()->setAlwaysAutoTone(false);
  rig.mode.mHasPreview = true;
  // Whether the request being filled is an original scan.
  std::vector<bool> original;
  auto token = fnd::NotificationCenter::defaultCenter().observe(
      "previewSettingFromStdPost", nullptr,
      [&](const fnd::Notification&) { original.push_back(rig.mode.getOriginalScan()); });
  rig.drag({50, 50}, {{150, 150}}, 0, 1);
  EXPECT_EQ(original, std::vector<bool>{true});
  EXPECT_NE(log.find("Preview_Scan"), nullptr);
  EXPECT_EQ(log.find("UpdateFocusCropPost"), nullptr);
  // A second frame is told as the focused frame.
  log.posts.clear();
  rig.drag({200, 200}, {{250, 250}}, 0, 1);
  EXPECT_EQ(original.size(), 1u);
  EXPECT_EQ(log.find("Preview_Scan"), nullptr);
  EXPECT_NE(log.find("UpdateFocusCropPost"), nullptr);
  // From the basic mode, or with the automatic tone always on, the first frame asks for none.
  for (bool always : {false, true}) {
    MouseRig other;
    other.mode.getPreferenceInfo()->setAlwaysAutoTone(always);
    other.mode.mHasPreview = true;
    log.posts.clear();
    other.drag({50, 50}, {{150, 150}}, 0, always ? 1 : 0);
    EXPECT_EQ(log.find("Preview_Scan"), nullptr);
    EXPECT_NE(log.find("UpdateFocusCropPost"), nullptr);
  }
}

TEST(StandardModeCropTool, OlderScannersKeepAnAutoTonedFrameAsItsOwnReferenceWhenItStartsToMove) {
  struct Case {
    fnd::Dictionary flags;
    bool hasPreview;
    int autoTone;
    bool kept;
  };
  const Case cases[] = {
      {{}, true, 1, true},
      {{{"Ver1500Later", true}}, true, 1, false},
      {{}, false, 1, false},
      {{}, true, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "preview " << c.hasPreview << " tone " << c.autoTone);
    MouseRig rig(c.flags);
    rig.mode.getPreferenceInfo()->setAlwaysAutoTone(false);
    rig.mode.mHasPreview = c.hasPreview;
    Quirel_CropInfo& crop = rig.addFrame({100, 100, 100, 100});
    crop.setAutoTone(c.autoTone);
    rig.mode.mouseDownOnPreviewForCrop(rig.at(EventType::LeftMouseDown, {150, 150}));
    rig.mode.mouseDraggedOnPreviewForCrop(rig.at(EventType::LeftMouseDragged, {160, 150}));
    EXPECT_EQ(crop.getBaseCropOfDataPersistence() != nullptr, c.kept);
    ASSERT_NE(crop.getSrcView(), nullptr);  // the old place shows while it moves
    rig.mode.mouseUpOnPreviewForCrop(0);
    EXPECT_EQ(crop.getSrcView(), nullptr);
  }
}
