// The end of an advanced preview through the mode object: the film size chosen, multi-crop
// frames from the scan module's corners, the automatic crop, and the scan loop ended.

#include <gtest/gtest.h>

#include "ExtendModeFlowRig.h"
#include "ui/model/PreferenceInfo.h"
#include "ui/model/PreviewInfo.h"

namespace {

using namespace flow_rig;

fnd::Dictionary cornerPoint(double x, double y) { return fnd::Dictionary{{"X", x}, {"Y", y}}; }

// A multi-crop entry of the given corners (p0, p1, p2, p3).
fnd::Dictionary multiCropEntry(const std::vector<std::pair<double, double>>& corners) {
  fnd::Array points;
  for (const auto& [x, y] : corners) points.push_back(cornerPoint(x, y));
  return fnd::Dictionary{{"points", points}};
}

TEST(ExtendModeEndPreview, FilmSizeTable) {
  struct Row {
    bool ver1600, detected, thumbnail;
    int expected;
  };
  // Detected 23, the current size 25; the scanner's size used unless said.
  const Row rows[] = {
      {true, true, true, 23}, {true, true, false, 23}, {true, false, true, 21},
      {true, false, false, 21}, {false, true, false, 23}, {false, false, true, 25},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.ver1600 << r.detected << r.thumbnail);
    EXPECT_EQ(Quirel_ExtendMode::filmSizeAtEndOfPreview(r.ver1600, r.detected, r.thumbnail, true, 23, 25), r.expected);
  }
  // Without the scanner's size the current one stays outside thumbnails.
  EXPECT_EQ(Quirel_ExtendMode::filmSizeAtEndOfPreview(true, true, false, false, 23, 25), 25);
  EXPECT_EQ(Quirel_ExtendMode::filmSizeAtEndOfPreview(true, false, false, false, 23, 25), 25);
}

TEST(ExtendModeEndPreview, FilmEndTakesTheSizeIntoRecordAndTemplate) {
  FlowRig rig(flowScanner({{"Ver1600Later", true}}));
  rig.mode.mScanMode = 2;
  rig.mode.setImageSource(1);
  rig.mode.mTemplateCrop->setPaperSize(25);
  rig.mode.mCreateFilmCrop = true;
  rig.mode.mScanLoop = true;
  Quirel_PreviewInfo model;
  model.setWholeSize(900, 2700);
  rig.mode.endFilmPreview_previewInfo(&model, nullptr, 0);  // no frame detected
  EXPECT_EQ(rig.mode.mTemplateCrop->getPaperSize(), 21);
  EXPECT_EQ(rig.mode.getImgSrcSettingAtIndex(1)->paperSize, 21);
  EXPECT_EQ(rig.mode.mFilmSizeWithoutCaps, 21);
  EXPECT_FALSE(rig.mode.mScanLoop);
  EXPECT_FALSE(rig.mode.mCreateFilmCrop);
  EXPECT_DOUBLE_EQ(rig.mode.mPreviewDataSize.height, 2700);
}

TEST(ExtendModeEndPreview, FilmEndWithoutFramesClearsThePreviewFlag) {
  FlowRig rig;
  rig.mode.mScanMode = 2;
  rig.mode.mCreateFilmCrop = false;
  Quirel_PreviewInfo model;
  rig.mode.endFilmPreview_previewInfo(&model, nullptr, 0);
  EXPECT_TRUE(rig.mode.mCropList.empty());
  EXPECT_FALSE(rig.mode.mHasPreview);
}

TEST(ExtendModeEndPreview, EmptyFilmThumbnailPreviewShows1500) {
  FlowRig rig;
  rig.mode.mScanMode = 3;
  rig.mode.mCreateFilmCrop = true;
  Quirel_PreviewInfo model;
  modes_test::PostLog log({"DLG_NOT_KEY_FROM_MAIN", "DLG_BECOME_KEY_FROM_MAIN"});
  rig.answers.message();
  rig.mode.endFilmPreview_previewInfo(&model, nullptr, 0);
  ASSERT_EQ(rig.port.shown.size(), 1u);
  EXPECT_EQ(rig.port.shown[0].number, 1500);
  EXPECT_EQ(log.names(), (std::vector<std::string>{"DLG_NOT_KEY_FROM_MAIN", "DLG_BECOME_KEY_FROM_MAIN"}));
  EXPECT_FALSE(rig.mode.mHasPreview);
}

TEST(ExtendModeEndPreview, EveryEndClearsTheScanLoop) {
  FlowRig rig;
  Quirel_PreviewInfo model;
  model.setWholeSize(1000, 1400);
  const std::vector<std::pair<const char*, std::function<void()>>> ends{
      {"scan", [&] { rig.mode.endScan(); }},
      {"platen", [&] { rig.mode.endPreview_previewInfo(&model, {{0, 0}, {0, 0}}, nullptr); }},
      {"platen cleared", [&] { rig.mode.endPreviewClearImage(); }},
      {"film", [&] { rig.mode.endFilmPreview_previewInfo(&model, nullptr, 0); }},
      {"film cleared", [&] { rig.mode.endFilmPreviewClearImage(); }},
  };
  for (const auto& [name, end] : ends) {
    SCOPED_TRACE(name);
    rig.mode.mScanLoop = true;
    end();
    EXPECT_FALSE(rig.mode.mScanLoop);
  }
  rig.mode.mTemplateCrop->setTempOutputSize(4);
  rig.mode.endPreviewClearImage();
  EXPECT_EQ(rig.mode.mTemplateCrop->getTempOutputSize(), 0);
}

TEST(ExtendModeEndPreview, MultiCropFramesFromTheCorners) {
  FlowRig rig;
  Quirel_PreviewInfo model;
  model.setWholeSize(1000, 1400);
  auto focus = rig.frame(100, 100, 500, 500, true, true);
  focus->setResolution(1200);
  fnd::Array entries{multiCropEntry({{0, 0}, {1000, 0}, {1000, 1400}, {0, 1400}})};  // the whole area
  // The first: p1 lies below p0 on the preview, so the angle comes out negative and turns.
  entries.push_back(multiCropEntry({{100, 100}, {200, 200}, {150, 250}, {50, 150}}));
  entries.push_back(multiCropEntry({{100, 100}, {300, 100}, {300, 200}}));  // three corners: skipped
  entries.push_back(fnd::Dictionary{{"points", fnd::Array{cornerPoint(1, 1), fnd::Dictionary{{"X", "a"}, {"Y", 2.0}},
                                                          cornerPoint(3, 3), cornerPoint(4, 4)}}});  // not a number
  for (int i = 0; i < 9; ++i) entries.push_back(multiCropEntry({{10, 10}, {110, 10}, {110, 60}, {10, 60}}));
  model.setmultiCropPointArray(entries, false, false, false);
  ASSERT_EQ(model.getMultiCropPoints().size(), 12u);

  rig.mode.setMultiCropPoints(&model);
  // Twelve entries, the first ten read, two of them skipped; the old frame removed.
  ASSERT_EQ(rig.mode.mCropList.size(), 8u);
  for (const auto& c : rig.mode.mCropList) {
    EXPECT_TRUE(c->isMultiCrop());
    EXPECT_FALSE(c->isSelected());
    EXPECT_EQ(c->getResolution(), 600);
    EXPECT_EQ(c->getMagnification(), 100);
  }
  const Quirel_CropInfo& first = *rig.mode.mCropList[0];
  EXPECT_NEAR(first.getCropViewRotation(), 315, 1e-9);
  SPointDouble corners[4];
  first.getMultiCropCorPoints(corners);
  EXPECT_DOUBLE_EQ(corners[1].x, 200);
  EXPECT_DOUBLE_EQ(corners[1].y, 200);  // the points as the scan module gave them
  EXPECT_NEAR(rig.mode.mCropList[1]->getCropViewRotation(), 0, 1e-9);
}

TEST(ExtendModeEndPreview, MultiCropFromA600DpiFrameKeepsItAndCropAfterPreviewHides) {
  FlowRig rig;
  rig.mode.getPreferenceInfo()->setCropAfterPrev(1);
  Quirel_PreviewInfo model;
  model.setWholeSize(1000, 1400);
  auto focus = rig.frame(100, 100, 500, 500, true, true);
  focus->setResolution(600);
  model.setmultiCropPointArray(fnd::Array{multiCropEntry({{0, 0}, {1, 0}, {1, 1}, {0, 1}}),
                                          multiCropEntry({{10, 10}, {110, 10}, {110, 60}, {10, 60}}),
                                          multiCropEntry({{10, 10}, {110, 10}, {110, 60}, {10, 60}})},
                               false, false, false);
  rig.mode.setMultiCropPoints(&model);
  ASSERT_EQ(rig.mode.mCropList.size(), 3u);
  EXPECT_TRUE(focus->getCropView()->isHidden());
  EXPECT_EQ(rig.mode.mCropList[1]->getResolution(), 600);
}

TEST(ExtendModeEndPreview, NarrowAutoCropDeletesTheFocusFrameOnNewerScanners) {
  for (double width : {11.5, 12.0}) {
    SCOPED_TRACE(width);
    FlowRig rig(flowScanner({{"Ver1700Later", true}}));
    Quirel_PreviewInfo model;
    model.setWholeSize(1000, 1400);
    model.setAutoCropRect({{100, 100}, {width, 300}});
    rig.frame(100, 100, 500, 500, true, true);
    rig.mode.setAutoCropRect(&model);
    EXPECT_EQ(rig.mode.mCropList.size(), width < 12 ? 0u : 1u);
  }
}

TEST(ExtendModeEndPreview, ThresholdOfTheFocusFrame) {
  FlowRig rig;
  rig.mode.mTemplateCrop->setThreshold(10);
  EXPECT_EQ(rig.mode.getForcusThreshold(), 10);
  auto a = rig.frame(0, 0, 100, 100, true);
  a->setThreshold(20);
  EXPECT_EQ(rig.mode.getForcusThreshold(), 128);  // frames but no focus: the scanner's value
  rig.mode.setFocus(a.get());
  EXPECT_EQ(rig.mode.getForcusThreshold(), 20);
}

TEST(ExtendModeEndPreview, RedrawPassKeepsPreviewAtStart) {
  FlowRig rig;
  modes_test::PostLog log(flowNames());
  rig.mode.postPreviewWithScan(true, false, false, true, false, true, true, false, 0, 5);
  rig.mode.updateImageSetEndPreview();
  EXPECT_EQ(log.count("Preview_Scan"), 2);
  EXPECT_TRUE(rig.mode.getPreviewAtStart());
  EXPECT_FALSE(rig.mode.getNeedScan());
  EXPECT_FALSE(rig.mode.getCreateFilmCrop());
  EXPECT_EQ(rig.filler.threshold, 128);
}

}  // namespace
