// Whole-frame changes: toolbar turns and mirror of the preview, frame copies and the template,
// the neutral tone values, the zoom scan's area and its way back, and the auto-crop fitting.

#include <gtest/gtest.h>

#include "ModesTestSupport.h"
#include "ui/model/CropFrameViewLink.h"
#include "ui/model/OutputSize.h"

using modes_test::TestScanMode;

namespace {

struct FramesRig {
  TestScanMode mode;
  FramesRig() {
    mode.buildPreviewArea(640, 480);
    mode.setPlatenResolution(300);  // L = 48
    mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
    mode.mTemplateCrop->setPreviewSize_Pixel96({2550, 3508});
    mode.mTemplateCrop->setVisiblePreviewSize_Pixel96({2550, 3508});
    mode.mPreview->setVisiblePreviewSize_Pixel96({2550, 3508});
  }
  Quirel_CropInfo* frame(double x, double y, double w, double h) {
    Quirel_CropInfo* crop = mode.createCropWithView(fnd::Rect());
    crop->setPreviewSize_Pixel96({2550, 3508});
    crop->setVisiblePreviewSize_Pixel96({2550, 3508});
    crop->setInputRect_Pixel96({{x, y}, {w, h}});
    crop->setOutputSize_Pixel96({w, h});
    crop->setRatio(w, h);
    return crop;
  }
};

void framesExpectRect(const SRectDouble& r, double x, double y, double w, double h, const std::string& what = "") {
  EXPECT_NEAR(r.origin.x, x, 1e-9) << what;
  EXPECT_NEAR(r.origin.y, y, 1e-9) << what;
  EXPECT_NEAR(r.size.width, w, 1e-9) << what;
  EXPECT_NEAR(r.size.height, h, 1e-9) << what;
}

}  // namespace

TEST(BaseScanModeFrames, ToolbarTurnsAndMirrorsGiveEveryFrameAndTheTemplateBack) {
  FramesRig rig;
  Quirel_CropInfo* a = rig.frame(100, 200, 300, 400);
  Quirel_CropInfo* b = rig.frame(1000, 50, 500, 80);
  for (int i = 0; i < 4; ++i) rig.mode.rotateToLeft();
  EXPECT_EQ(rig.mode.getRotation(), 0);
  framesExpectRect(a->getInputRect_Pixel96(), 100, 200, 300, 400, "left");
  framesExpectRect(b->getInputRect_Pixel96(), 1000, 50, 500, 80, "left");
  rig.mode.rotateToRight();
  EXPECT_EQ(rig.mode.getRotation(), 3);
  EXPECT_DOUBLE_EQ(rig.mode.mPreview->getVisiblePreviewSize_Pixel96().width, 3508);
  EXPECT_DOUBLE_EQ(rig.mode.mTemplateCrop->getVisiblePreviewSize_Pixel96().width, 3508);
  rig.mode.rotateToLeft();
  framesExpectRect(a->getInputRect_Pixel96(), 100, 200, 300, 400, "right and back");
  rig.mode.mirrorImage();
  EXPECT_TRUE(rig.mode.getMirror());
  framesExpectRect(a->getInputRect_Pixel96(), 2550 - 400, 200, 300, 400, "mirrored");
  // A left turn of a mirrored preview lowers the index.
  rig.mode.rotateToLeft();
  EXPECT_EQ(rig.mode.getRotation(), 3);
  rig.mode.rotateToRight();
  rig.mode.mirrorImage();
  EXPECT_FALSE(rig.mode.getMirror());
  framesExpectRect(a->getInputRect_Pixel96(), 100, 200, 300, 400, "mirrored twice");
  framesExpectRect(rig.mode.mTemplateCrop->getInputRect_Pixel96(), 0, 0, 0, 0, "template");
  // The preview control follows: 1.0 zoom, turned picture size.
  EXPECT_EQ(rig.mode.mPreview->getImageViewRect(), fnd::Rect(0, 0, 320, 440));
}

TEST(BaseScanModeFrames, RemovingAllButTheFocusKeepsOneFrameEvenWithTwoFocused) {
  FramesRig rig;
  // No frame: the one made from the template is selected and focused, and kept alone.
  rig.mode.mTemplateCrop->setResolution(600);
  Quirel_CropInfo* made = rig.mode.makeFocusCropFromTemplate();
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->isSelected());
  EXPECT_TRUE(made->isFocus());
  EXPECT_EQ(made->getResolution(), 600);
  EXPECT_EQ(rig.mode.removeAllButFocusCrop().get(), made);
  EXPECT_EQ(rig.mode.mCropList.size(), 1u);

  // Three frames, two of them marked focused: one frame stays (the last of the list), its
  // view hidden; none is left behind unremoved and unkept.
  rig.mode.mCropList.clear();
  Quirel_CropInfo* a = rig.frame(0, 0, 100, 100);
  rig.frame(200, 0, 100, 100);
  Quirel_CropInfo* c = rig.frame(400, 0, 100, 100);
  a->setFocus(true);
  c->setFocus(true);
  const std::shared_ptr<Quirel_CropInfo> kept = rig.mode.removeAllButFocusCrop();
  ASSERT_EQ(kept.get(), c);
  ASSERT_EQ(rig.mode.mCropList.size(), 1u);
  EXPECT_EQ(rig.mode.mCropList.front().get(), c);
  ASSERT_NE(c->getCropView(), nullptr);
  EXPECT_TRUE(c->getCropView()->isHidden());

  // Without a focused frame nothing is kept and the list ends empty.
  rig.mode.mCropList.clear();
  rig.frame(0, 0, 50, 50);
  rig.frame(100, 0, 50, 50);
  EXPECT_EQ(rig.mode.removeAllButFocusCrop(), nullptr);
  EXPECT_TRUE(rig.mode.mCropList.empty());
}

TEST(BaseScanModeFrames, FrameCopyTakesEverySettingButThePosition) {
  Quirel_CropInfo source, target;
  source.setInputRect_Pixel96({{11, 22}, {333, 444}});
  source.setColorMode(1);
  source.setPaperSize(7);
  source.setFixesRatio(true);
  source.setRatio(3, 4);
  source.setResolution(1200);
  source.setOutputSize(5);
  source.setOutputSize_Pixel96({700, 800});
  source.setMagnification(150);
  source.setAutoTone(5);
  source.setUnsharpMask(1);
  source.setExposure(true);
  source.setExposureValue(77);
  source.setColorBalance({1, 2, 3, 4});
  source.setThreshold(99);
  source.setRotation(2);
  source.setMirror(true);
  source.setVisiblePreviewSize_Pixel96({10, 20});
  source.setPreviewStartPoint_Pixel96({5, 6});
  target.setInputRect_Pixel96({{1, 2}, {3, 4}});

  Quirel_BaseScanMode::copyCrop(source, target, false);
  framesExpectRect(target.getInputRect_Pixel96(), 1, 2, 3, 4, "no sizes");
  EXPECT_EQ(target.getColorMode(), 1);
  EXPECT_EQ(target.getPaperSize(), 7);
  EXPECT_TRUE(target.isFixesRatio());
  EXPECT_EQ(target.getResolution(), 1200);
  EXPECT_EQ(target.getOutputSize(), 5);
  EXPECT_DOUBLE_EQ(target.getOutputWidth_Pixel96(), 700);  // a named size goes along
  EXPECT_EQ(target.getMagnification(), 150);
  EXPECT_EQ(target.getAutoTone(), 5);
  EXPECT_EQ(target.getExposureValue(), 77);
  EXPECT_EQ(target.getColorBalance().yellowBlue, 4);
  EXPECT_EQ(target.getThreshold(), 99);
  EXPECT_EQ(target.getRotation(), 2);
  EXPECT_TRUE(target.getMirror());
  EXPECT_DOUBLE_EQ(target.getPreviewStartPoint_Pixel96().y, 6);

  Quirel_CropInfo sized;
  sized.setInputRect_Pixel96({{1, 2}, {3, 4}});
  source.setOutputSize(0);
  Quirel_BaseScanMode::copyCrop(source, sized, true);
  framesExpectRect(sized.getInputRect_Pixel96(), 1, 2, 333, 444, "with sizes");
  EXPECT_DOUBLE_EQ(sized.getOutputHeight_Pixel96(), 800);
}

TEST(BaseScanModeFrames, TemplateTakesTheFocusedOrTopmostMultiCropFrame) {
  FramesRig rig;
  rig.mode.mTemplateCrop->setRotation(1);
  rig.mode.mTemplateCrop->setOutputSize(9);
  rig.mode.copyCropFromFocusToTemplate();  // nothing has the focus
  EXPECT_EQ(rig.mode.mTemplateCrop->getInputWidth_Pixel96(), 0);
  Quirel_CropInfo* a = rig.frame(10, 10, 100, 100);
  a->setMagnification(200);
  a->setColorMode(1);
  a->setRotation(3);
  a->setFocus(true);
  rig.mode.copyCropFromFocusToTemplate();
  Quirel_CropInfo& t = *rig.mode.mTemplateCrop;
  framesExpectRect(t.getInputRect_Pixel96(), 0, 0, 2550, 3508, "template");
  EXPECT_DOUBLE_EQ(t.getOutputWidth_Pixel96(), 5100);
  EXPECT_DOUBLE_EQ(t.getRatio().height, 3508);
  EXPECT_EQ(t.getColorMode(), 1);
  EXPECT_EQ(t.getRotation(), 1);    // left as it was
  EXPECT_EQ(t.getOutputSize(), 9);  // left as it was
  Quirel_CropInfo* multi1 = rig.frame(0, 0, 10, 10);
  Quirel_CropInfo* multi2 = rig.frame(0, 0, 10, 10);
  multi1->setMultiCrop(true);
  multi2->setMultiCrop(true);
  multi1->setColorMode(3);
  multi2->setColorMode(5);
  rig.mode.copyCropFromMultiToTemplate();
  EXPECT_EQ(t.getColorMode(), 5);
}

TEST(BaseScanModeFrames, ToneResetGivesTheNeutralValues) {
  FramesRig rig;
  rig.mode.setScannerInfo(modes_test::scannerWith({{"ThresholdValue", 110}}));
  Quirel_CropInfo crop;
  crop.setColorBalance({5, 6, 7, 8});
  crop.setToneBC_Channel(2);
  crop.setToneBC({{1, 1, 1, 1}, {2, 2, 2, 2}});
  crop.setHistogram_Channel(3);
  crop.setThreshold(40);
  rig.mode.updateCropByResetToneSetting(crop, false);
  EXPECT_EQ(crop.getColorBalance().cyanRed, 0);
  EXPECT_EQ(crop.getToneBC().contrast.blue, 0);
  EXPECT_EQ(crop.getHistogram_Channel(), 0);
  const HistogramValues h = crop.getHistogram();
  EXPECT_EQ(h.black.red, 0);
  EXPECT_EQ(h.mid.green, 128);
  EXPECT_EQ(h.white.blue, 255);
  EXPECT_EQ(h.gray.master, 128);
  const ToneCurveValues& curve = crop.getToneCurve();
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(curve.setPointCount[c], 2);
    EXPECT_EQ(curve.setPoint[c][1].h, 255);
    EXPECT_EQ(curve.squarePoint[c][1].v, 145);
    EXPECT_EQ(curve.setPoint[c][2].h, 0);
  }
  EXPECT_EQ(crop.getThreshold(), 40);
  rig.mode.updateCropByResetToneSetting(crop, true);
  EXPECT_EQ(crop.getThreshold(), 110);
}

TEST(BaseScanModeFrames, ZoomScanAreaKeepsFiveToOneAndTheEdge) {
  FramesRig rig;
  Quirel_CropInfo* tall = rig.frame(1000, 1000, 10, 100);
  const SRectDouble area = rig.mode.updateCropByZoomScan(*tall);
  framesExpectRect(area, 1000 - 7.5, 1000 - 12.5, 25, 125, "area");
  framesExpectRect(tall->getInputRect_Pixel96(), 7.5, 12.5, 10, 100, "frame in the area");
  EXPECT_DOUBLE_EQ(tall->getVisiblePreviewSize_Pixel96().width, 25);

  Quirel_CropInfo* left = rig.frame(0, 1000, 100, 100);
  const SRectDouble edge = rig.mode.updateCropByZoomScan(*left);
  EXPECT_DOUBLE_EQ(edge.origin.x, 0);
  EXPECT_DOUBLE_EQ(left->getInputX_Pixel96(), 0);   // left of the centre (12.5)
  EXPECT_DOUBLE_EQ(left->getInputY_Pixel96(), 12.5);
}

TEST(BaseScanModeFrames, TheWayBackFromAZoomScanRestoresThePositionForEveryTurnAndMirror) {
  for (int rotation = 0; rotation < 4; ++rotation) {
    for (bool mirror : {false, true}) {
      FramesRig rig;
      const SSizeDouble visible = rotation % 2 ? SSizeDouble{3508, 2550} : SSizeDouble{2550, 3508};
      Quirel_CropInfo* crop = rig.frame(0, 3000, 200, 300);
      crop->setVisiblePreviewSize_Pixel96(visible);
      crop->setRotation(rotation);
      crop->setMirror(mirror);
      const std::string what = std::to_string(rotation) + (mirror ? " mirrored" : "");
      rig.mode.updateCropByZoomScan(*crop);
      const SRectDouble back = rig.mode.updateCropByResetZoomScan(*crop, visible.width, visible.height);
      framesExpectRect(back, 0, 0, 0, 0, what);
      framesExpectRect(crop->getInputRect_Pixel96(), 0, 3000, 200, 300, what);
      EXPECT_DOUBLE_EQ(crop->getVisiblePreviewSize_Pixel96().width, visible.width) << what;
      EXPECT_DOUBLE_EQ(crop->getPreviewStartPoint_Pixel96().x, 0) << what;
    }
  }
}

TEST(BaseScanModeFrames, FlexibleAutoCropMakesATooSmallFrameTheWholePreview) {
  FramesRig rig;
  rig.mode.mPreview->setImageViewRect(fnd::Rect(0, 0, 255, 350.8));
  Quirel_CropInfo* small = rig.frame(10, 10, 47, 500);
  small->setPreviewViewSize({255, 350.8});
  small->setMagnification(50);
  Quirel_CropInfo* big = rig.frame(10, 10, 48, 48);
  rig.mode.updateCropForFlexibleAutoCrop(*small);
  rig.mode.updateCropForFlexibleAutoCrop(*big);
  framesExpectRect(small->getInputRect_Pixel96(), 0, 0, 2550, 3508, "small");
  EXPECT_DOUBLE_EQ(small->getOutputWidth_Pixel96(), 1275);
  EXPECT_DOUBLE_EQ(small->getRatio().width, 2550);
  const fnd::Rect view = small->getCropView()->frame();
  EXPECT_NEAR(view.size.width, 255, 1e-9);
  EXPECT_NEAR(view.size.height, 350.8, 1e-9);
  framesExpectRect(big->getInputRect_Pixel96(), 10, 10, 48, 48, "big enough");
}

TEST(BaseScanModeFrames, FixedAutoCropTurnsTheSizeToTheFrameAndUsesTheRotationsCorner) {
  Quirel_OutputSize fourBySix;
  fourBySix.setSize(0, 4, 6);  // inches
  {
    FramesRig rig;
    rig.mode.setScannerInfo(modes_test::scannerWith({{"Ver1500Later", true}}));
    Quirel_CropInfo* landscape = rig.frame(100, 100, 900, 600);
    rig.mode.updateCropForFixedAutoCrop(fourBySix, *landscape, false);
    EXPECT_DOUBLE_EQ(landscape->getOutputWidth_Pixel96(), 1800);  // 6 inches at 300 dpi
    EXPECT_DOUBLE_EQ(landscape->getOutputHeight_Pixel96(), 1200);
    // The smallest 3:2 size around 900 x 600 is the frame itself; it keeps its top edge.
    framesExpectRect(landscape->getInputRect_Pixel96(), 100, 100, 900, 600, "landscape");
    EXPECT_EQ(landscape->getMagnification(), 200);
    EXPECT_TRUE(landscape->isFixesRatio());
    EXPECT_EQ(landscape->getOutputSize(), fourBySix.getIndex());
  }
  // Under L the largest size of the proportions goes to the corner of the rotation.
  const double portraitWidth = 3508.0 * 1200 / 1800;
  const struct {
    double inchWidth, inchHeight;
    int rotation;
    double x, y, w, h;
  } corners[] = {
      {4, 6, 0, 0, 0, portraitWidth, 3508},          {4, 6, 1, 0, 0, portraitWidth, 3508},
      {4, 6, 2, 2550 - portraitWidth, 0, portraitWidth, 3508}, {4, 6, 3, 2550 - portraitWidth, 0, portraitWidth, 3508},
      {6, 4, 0, 0, 3508 - 1700, 2550, 1700},          {6, 4, 1, 0, 0, 2550, 1700},
      {6, 4, 2, 0, 0, 2550, 1700},                    {6, 4, 3, 0, 3508 - 1700, 2550, 1700},
  };
  for (const auto& c : corners) {
    FramesRig rig;
    Quirel_OutputSize size;
    size.setSize(0, c.inchWidth, c.inchHeight);
    Quirel_CropInfo* tiny = rig.frame(500, 500, 10, 10);
    tiny->setRotation(c.rotation);
    rig.mode.updateCropForFixedAutoCrop(size, *tiny, false);
    framesExpectRect(tiny->getInputRect_Pixel96(), c.x, c.y, c.w, c.h,
                     std::to_string(c.inchWidth) + " x " + std::to_string(c.inchHeight) + " turn " +
                         std::to_string(c.rotation));
  }
}
