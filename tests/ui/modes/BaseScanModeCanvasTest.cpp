// Auto-tone rules of the frames and the preview canvas: size, reset, redraw and its picture.

#include <gtest/gtest.h>

#include "ModesTestSupport.h"
#include "kit/ScrollView.h"
#include "ui/controls/PreviewScrollView.h"
#include "ui/controls/PreviewView.h"
#include "ui/model/PreviewInfo.h"
#include "kit/Application.h"
#include "kit/Event.h"
#include "kit/Window.h"

using modes_test::PostLog;
using modes_test::TestScanMode;

namespace {

struct ToneRig {
  TestScanMode mode;
  std::shared_ptr<Quirel_PreferenceInfo> preferences = std::make_shared<Quirel_PreferenceInfo>();
  Quirel_CropInfo crop;
  Quirel_CropInfo base;
  ToneRig(bool v1500, bool eligible, bool always) {
    fnd::Dictionary flags{{"ThresholdValue", 110}};
    if (v1500) flags.set("Ver1500Later", true);
    mode.setScannerInfo(modes_test::scannerWith(flags));
    if (!eligible) preferences->setColorSetting(3, 2);
    preferences->setAlwaysAutoTone(always);
    mode.setPreferenceInfo(preferences);
    mode.mHasPreview = true;
    crop.setColorMode(3);
    crop.setColorBalance({1, 1, 1, 1});
    crop.setThreshold(40);
    base.setExposureValue(123);
  }
  bool toneWasReset() const { return crop.getColorBalance().chroma == 0; }
  bool thresholdWasReset() const { return crop.getThreshold() == 110; }
};

}  // namespace

TEST(BaseScanModeCanvas, CropViewUpdateRuleMatrix) {
  struct Case {
    const char* what;
    bool v1500, eligible, locked, always;
    int before;
    bool withBase, hadCopy;
    int after;
    bool reset, copyAfter;
    int baseValueOfCopy;  // exposure value of the copy when one is expected
  };
  const Case cases[] = {
      {"1500+: always on", true, false, true, false, 0, false, false, 1, false, false, 0},
      {"1500+ keeps nothing", true, true, false, true, 5, true, true, 1, false, false, 0},
      {"not eligible", false, false, false, true, 1, true, true, 0, false, false, 0},
      {"exposure locked", false, true, true, true, 1, true, false, 0, false, false, 0},
      {"always", false, true, false, true, 0, true, false, 1, true, false, 0},
      {"on becomes kept, copy of the base", false, true, false, false, 1, true, false, 5, false, true, 123},
      {"kept keeps its first copy", false, true, false, false, 5, true, true, 5, false, true, 7},
      {"on without a base", false, true, false, false, 1, false, false, 5, false, false, 0},
      {"off stays off", false, true, false, false, 0, true, true, 0, false, false, 0},
  };
  for (const Case& c : cases) {
    ToneRig rig(c.v1500, c.eligible, c.always);
    rig.crop.setExposure(c.locked);
    rig.crop.setAutoTone(c.before);
    if (c.hadCopy) {
      Quirel_CropInfo first;
      first.setExposureValue(7);
      rig.crop.setBaseCropOfDataPersistence(&first);
    }
    PostLog log({kResetRetainNumberPost});
    rig.mode.updateAutoToneByCropViewUpdate(rig.crop, c.withBase ? &rig.base : nullptr);
    EXPECT_EQ(rig.crop.getAutoTone(), c.after) << c.what;
    EXPECT_EQ(rig.toneWasReset(), c.reset) << c.what;
    EXPECT_FALSE(rig.thresholdWasReset()) << c.what;
    Quirel_CropInfo* copy = rig.crop.getBaseCropOfDataPersistence();
    EXPECT_EQ(copy != nullptr, c.copyAfter) << c.what;
    if (copy) {
      EXPECT_EQ(copy->getExposureValue(), c.baseValueOfCopy) << c.what;
    }
    // The invariant: a value other than 5 drops the copy, and only a dropped copy is told.
    EXPECT_EQ(log.posts.size(), c.hadCopy && c.after != 5 ? 1u : 0u) << c.what;
  }
}

TEST(BaseScanModeCanvas, CropViewUpdateBeforeAnyPreviewChangesNothing) {
  ToneRig rig(true, true, true);
  rig.mode.mHasPreview = false;
  rig.crop.setAutoTone(5);
  rig.mode.updateAutoToneByCropViewUpdate(rig.crop, &rig.base);
  EXPECT_EQ(rig.crop.getAutoTone(), 5);
}

TEST(BaseScanModeCanvas, AutoToneRulesOfTheOtherChanges) {
  enum Op { PreviewUpdate, PreviewUpdateKeep, ColorMode, SetOff, SetKept, SetOn, Manual, AllExposure, Zoom, Clear };
  struct Case {
    const char* what;
    Op op;
    bool eligible, locked, always;
    int before;
    int after;
    bool reset, thresholdReset;
  };
  const Case cases[] = {
      {"preview: not eligible", PreviewUpdate, false, false, true, 1, 0, true, true},
      {"preview: not eligible, keep tone", PreviewUpdateKeep, false, false, true, 1, 0, false, false},
      {"preview: locked", PreviewUpdate, true, true, true, 1, 0, false, false},
      {"preview: always", PreviewUpdate, true, false, true, 0, 1, true, true},
      {"preview: always, keep tone", PreviewUpdateKeep, true, false, true, 0, 1, false, false},
      {"preview: not always", PreviewUpdate, true, false, false, 5, 0, false, false},
      {"colour mode, always", ColorMode, true, false, true, 0, 1, true, true},
      {"colour mode resets also when off", ColorMode, true, false, false, 1, 0, true, true},
      {"by hand 0", SetOff, true, false, true, 1, 0, false, false},
      {"by hand 5", SetKept, true, false, true, 1, 5, false, false},
      {"by hand 1", SetOn, true, false, false, 0, 1, true, true},
      {"manual exposure on", Manual, true, true, true, 1, 0, false, false},
      {"manual exposure off, always", Manual, true, false, true, 0, 1, false, false},
      {"manual exposure off, not always", Manual, true, false, false, 5, 5, false, false},
      {"all exposure from a manual source", AllExposure, true, true, true, 1, 0, false, false},
      {"all exposure, always", AllExposure, true, false, true, 0, 1, true, false},
      {"all exposure, not always", AllExposure, false, false, true, 5, 5, false, false},
      {"zoom scan of an off frame", Zoom, true, false, false, 0, 0, false, false},
      {"zoom scan of an on frame", Zoom, true, false, false, 1, 5, false, false},
      {"zoom scan, not eligible", Zoom, false, false, false, 1, 1, false, false},
      {"clear preview", Clear, true, false, true, 5, 0, true, true},
  };
  for (const Case& c : cases) {
    ToneRig rig(false, c.eligible, c.always);
    rig.crop.setExposure(c.locked);
    rig.crop.setAutoTone(c.before);
    Quirel_CropInfo source;
    source.setExposure(c.locked);
    switch (c.op) {
      case PreviewUpdate: rig.mode.updateAutoToneByPreviewUpdate(rig.crop); break;
      case PreviewUpdateKeep: rig.mode.updateAutoToneByPreviewUpdate(rig.crop, true); break;
      case ColorMode: rig.mode.updateAutoToneByChangeColorMode(rig.crop); break;
      case SetOff: rig.mode.updateAutoToneByChangeAutoTone(0, rig.crop); break;
      case SetKept: rig.mode.updateAutoToneByChangeAutoTone(5, rig.crop); break;
      case SetOn: rig.mode.updateAutoToneByChangeAutoTone(1, rig.crop); break;
      case Manual: rig.mode.updateAutoToneByChangeManualExposure(rig.crop); break;
      case AllExposure: rig.mode.updateAutoToneByChangeAllExposure(rig.crop, source); break;
      case Zoom: rig.mode.updateAutoToneByZoomScan(rig.crop); break;
      case Clear: rig.mode.updateAutoToneByClearPreview(rig.crop); break;
    }
    EXPECT_EQ(rig.crop.getAutoTone(), c.after) << c.what;
    EXPECT_EQ(rig.toneWasReset(), c.reset) << c.what;
    EXPECT_EQ(rig.thresholdWasReset(), c.thresholdReset) << c.what;
    if (c.op == Zoom && c.after == 5) {
      ASSERT_NE(rig.crop.getBaseCropOfDataPersistence(), nullptr);
      EXPECT_EQ(rig.crop.getBaseCropOfDataPersistence()->getAutoTone(), 1);  // a copy of the frame itself
    }
    if (c.after != 5) {
      EXPECT_EQ(rig.crop.getBaseCropOfDataPersistence(), nullptr) << c.what;
    }
  }
}

TEST(BaseScanModeCanvas, ResizeFitsTheVisiblePreviewAndCentresTheScrollView) {
  TestScanMode mode;
  mode.buildPreviewArea(640, 480);
  mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  Quirel_CropInfo* crop = mode.createCropWithView(fnd::Rect());
  crop->setVisiblePreviewSize_Pixel96({2550, 3508});
  crop->setInputRect_Pixel96({{255, 350.8}, {510, 701.6}});
  mode.mPreview->setVisiblePreviewSize_Pixel96({2550, 3508});

  mode.resizePreviewSize(1.0);
  EXPECT_EQ(mode.mPreview->getImageViewRect(), fnd::Rect(0, 0, 320, 440));
  EXPECT_EQ(mode.mPreview->getScrollViewRect(), fnd::Rect(159, 19, 323, 443));
  EXPECT_FALSE(mode.mPreview->getScrollView()->hasVerticalScroller());
  EXPECT_FALSE(mode.mPreview->getScrollView()->hasHorizontalScroller());
  EXPECT_EQ(crop->getPreviewViewSize(), (fnd::Size{320, 440}));
  EXPECT_EQ(mode.mTemplateCrop->getPreviewViewSize(), (fnd::Size{320, 440}));
  const fnd::Rect view = crop->getCropView()->frame();
  EXPECT_NEAR(view.origin.x, 32, 1e-9);
  EXPECT_NEAR(view.size.height, 88, 1e-9);
  EXPECT_EQ(mode.getPreviewViewSize().width, 320);

  mode.resizePreviewSize(2.0);
  EXPECT_EQ(mode.mPreview->getImageViewRect(), fnd::Rect(0, 0, 640, 880));
  EXPECT_EQ(mode.mPreview->getScrollViewRect(), fnd::Rect(20, 20, 601, 441));
  EXPECT_TRUE(mode.mPreview->getScrollView()->hasVerticalScroller());
  EXPECT_TRUE(mode.mPreview->getScrollView()->hasHorizontalScroller());
}

TEST(BaseScanModeCanvas, ResetClearsThePreviewAndSaysSoOnlyWhenOneExisted) {
  TestScanMode mode;
  int controller = 0;
  mode.setUIMObject(&controller);
  mode.buildPreviewArea(640, 480);
  mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  Quirel_CropInfo* crop = mode.createCropWithView(fnd::Rect());
  mode.mPreview->setImage(kit::Image::fromRGB(std::vector<std::uint8_t>(12, 200).data(), 2, 2));
  const std::vector<std::string> names = {Quirel_PostNotification::kOverrideNotification, "removeThumbnailImagePost"};

  {  // No preview yet: nothing is said.
    PostLog log(names);
    mode.resetPreview({2550, 3508}, true, false);
    EXPECT_TRUE(log.posts.empty());
    EXPECT_FALSE(mode.mPreview->getImageView()->getPreviewImage().has_value());
  }
  {  // Clear NO keeps picture and flags, but zoom, turn, mirror and tool go back.
    mode.mPreview->setImage(kit::Image::fromRGB(std::vector<std::uint8_t>(12, 200).data(), 2, 2));
    mode.mHasPreview = true;
    mode.mZoomRate = 2;
    mode.mRotation = 3;
    mode.mMirror = true;
    mode.mToolMode = 2;
    mode.mZoomScan = true;
    PostLog log(names);
    mode.resetPreview({1000, 2000}, false, true);
    EXPECT_TRUE(log.posts.empty());
    EXPECT_TRUE(mode.getHasPreview());
    EXPECT_TRUE(mode.mPreview->getImageView()->getPreviewImage().has_value());
    EXPECT_EQ(mode.mZoomRate, 0);
    EXPECT_EQ(mode.getRotation(), 0);
    EXPECT_FALSE(mode.getMirror());
    EXPECT_EQ(mode.mToolMode, 0);
    EXPECT_FALSE(mode.getZoomScan());
    EXPECT_TRUE(crop->isHidden());
    EXPECT_DOUBLE_EQ(crop->getPreviewSize_Pixel96().height, 2000);
    EXPECT_DOUBLE_EQ(mode.mPreview->getVisiblePreviewSize_Pixel96().width, 1000);
    EXPECT_EQ(mode.mPreview->getImageViewRect(), fnd::Rect(0, 0, 220, 440));
  }
  {  // A thumbnail preview: the model drops the thumbnails' pictures, the scanner clears.
    mode.mScanMode = 1;
    mode.mThumbnailCount = 3;
    mode.mEnableThumbnailBtn = false;
    PostLog log(names);
    mode.resetPreview({1000, 2000}, true, false);
    ASSERT_EQ(log.names(), (std::vector<std::string>{"removeThumbnailImagePost", "Clear_Preview"}));
    EXPECT_EQ(log.posts[1].sender, &controller);
    EXPECT_EQ(mode.getThumbnailCount(), 0);
    EXPECT_FALSE(mode.getHasPreview());
    EXPECT_TRUE(mode.getEnableThumbnailBtn());
    EXPECT_FALSE(crop->isHidden());
  }
}

TEST(BaseScanModeCanvas, PreviewPictureNeedsAPositiveSizeAndEveryByteOfIt) {
  TestScanMode mode;
  Quirel_PreviewInfo model;
  mode.mHasPreview = true;
  EXPECT_FALSE(mode.getPreviewImage(&model).has_value());  // no pixels, zero size
  model.setWholeSize(4, 3);
  model.setOriginalPixel24(std::make_unique<std::uint8_t[]>(4 * 3 * 3));
  auto image = mode.getPreviewImage(&model);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->size(), (fnd::Size{4, 3}));
  // The size grew after the pixels came: they no longer cover it.
  model.setWholeSize(5, 3);
  EXPECT_FALSE(mode.getPreviewImage(&model).has_value());
  model.setWholeSize(4, -3);
  EXPECT_FALSE(mode.getPreviewImage(&model).has_value());
  model.setWholeSize(4, 3);
  mode.mHasPreview = false;
  EXPECT_FALSE(mode.getPreviewImage(&model).has_value());
}

TEST(BaseScanModeCanvas, RedrawShowsThePictureTurnedAndTheAreaFollowsTheView) {
  TestScanMode mode;
  mode.buildPreviewArea(640, 480);
  mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  mode.resetPreview({2550, 3508}, false, false);
  mode.mRotation = 1;
  auto bytes = std::make_shared<std::vector<std::uint8_t>>(4 * 3 * 3, 77);
  mode.reDrawPreview(PreviewBitmap{4, 3, bytes});
  const Quirel_PreviewView* view = mode.mPreview->getImageView();
  ASSERT_TRUE(view->getPreviewImage().has_value());
  EXPECT_EQ(view->getPreviewImage()->size(), (fnd::Size{4, 3}));
  EXPECT_EQ(view->rotation(), 90);
  EXPECT_TRUE(mode.getPreviewImage().has_value());
  // Too few bytes for the size: the picture is left as it was.
  mode.reDrawPreview(PreviewBitmap{5, 3, bytes});
  EXPECT_EQ(mode.mPreview->getImageView()->getPreviewImage()->size(), (fnd::Size{4, 3}));

  // The area: the preview outside the thumbnail views, the thumbnails inside them.
  mode.mRotation = 0;
  mode.mPreview->setVisiblePreviewSize_Pixel96({1000, 2000});
  mode.updatePreviewArea();
  EXPECT_EQ(mode.mPreview->getImageViewRect(), fnd::Rect(0, 0, 220, 440));
  mode.mScanMode = 3;
  mode.mPreview->setVisiblePreviewSize_Pixel96({2000, 1000});
  mode.mThumbnailCount = 1;
  mode.createThumbnailWithIndex(0, std::nullopt, {{0, 0}, {300, 400}}, false);
  dynamic_cast<kit::View*>(mode.mThumbnailList[0]->getFrameView())->setFrame(fnd::Rect());
  mode.updatePreviewArea();
  EXPECT_EQ(mode.mPreview->getImageViewRect(), fnd::Rect(0, 0, 220, 440));  // untouched
  EXPECT_EQ(dynamic_cast<kit::View*>(mode.mThumbnailList[0]->getFrameView())->frame(), mode.makeThumbnailRect(0, 1));
}

TEST(BaseScanModeCanvas, TheMouseIsInThePreviewOnlyOverItsVisibleImage) {
  TestScanMode mode;
  mode.buildPreviewArea(640, 480);
  mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
  mode.resetPreview({2550, 3508}, false, false);
  EXPECT_FALSE(mode.isEnteredInPreview());  // no window: the view is on none
  kit::Window window(fnd::Rect(0, 0, 640, 480), kit::kTitledWindowMask);
  window.contentView()->addSubview(mode.mPreviewFrame->getFrameView());
  kit::Application& app = kit::Application::shared();
  const fnd::Point origin = window.frame().origin;
  // The image view is 320 x 440 at (160, 20) of the window.
  app.postEvent(kit::Event::mouseEvent(kit::EventType::MouseMoved, {300, 200}, 0, &window));
  app.dispatchQueuedEvents();
  const fnd::Point inside = app.mouseLocation();
  EXPECT_NEAR(inside.x - origin.x, 300, 1);
  EXPECT_TRUE(mode.isEnteredInPreview());
  app.postEvent(kit::Event::mouseEvent(kit::EventType::MouseMoved, {20, 200}, 0, &window));
  app.dispatchQueuedEvents();
  EXPECT_FALSE(mode.isEnteredInPreview());
}
