// Thumbnails on a real preview frame: the 12-slot layout, creation and restore, hand-over
// between modes, zoom, stepping, click selection and their pictures.

#include <gtest/gtest.h>

#include "ModesTestSupport.h"
#include "kit/Button.h"
#include "kit/Event.h"
#include "ui/controls/CropView.h"
#include "ui/controls/ThumbnailFrameView.h"
#include "ui/controls/ThumbnailPreviewView.h"
#include "ui/model/PreviewInfo.h"

using modes_test::TestScanMode;

namespace {

struct ThumbRig {
  TestScanMode mode;
  explicit ThumbRig(double width = 600, double height = 500, bool v1500 = false, int scanMode = 1) {
    mode.setScannerInfo(modes_test::scannerWith(v1500 ? fnd::Dictionary{{"Ver1500Later", true}} : fnd::Dictionary{}));
    mode.buildPreviewArea(width, height);
    mode.mTemplateCrop = std::make_shared<Quirel_CropInfo>();
    mode.mTemplateCrop->setPreviewSize_Pixel96({2550, 3508});
    mode.mScanMode = scanMode;
  }
  // n thumbnails as a film-thumbnail preview makes them, each 300 x 400 pixels.
  void film(int n) {
    mode.mThumbnailCount = n;
    for (int i = 0; i < n; ++i) mode.createThumbnailWithIndex(i, std::nullopt, {{0, 0}, {300, 400}}, false);
  }
  Quirel_ThumbnailInfo& at(int i) { return *mode.mThumbnailList[static_cast<std::size_t>(i)]; }
};

kit::View* thumbTestFrame(const Quirel_ThumbnailInfo& t) { return dynamic_cast<kit::View*>(t.getFrameView()); }

}  // namespace

TEST(BaseScanModeThumbnails, LayoutSlotsForEachCountAndScannerGeneration) {
  struct Case {
    double width, height;
    bool v1500;
    int n;
    std::vector<fnd::Rect> slots;  // the first slots expected
  };
  const Case cases[] = {
      {600, 500, false, 1, {{150, 50, 300, 400}}},
      {600, 500, false, 2, {{133, 255, 162, 215}, {305, 255, 162, 215}}},
      {600, 500, true, 2, {{20, 66, 275, 368}, {305, 66, 275, 368}}},
      {600, 500, false, 6,
       {{190, 330, 105, 140}, {305, 330, 105, 140}, {190, 180, 105, 140}, {305, 180, 105, 140}, {190, 30, 105, 140},
        {305, 30, 105, 140}}},
      {600, 500, true, 9, {{132, 330, 106, 140}, {247, 330, 106, 140}, {362, 330, 106, 140}, {132, 180, 106, 140},
                           {362, 30, 106, 140}}},
      {600, 500, false, 12, {{174, 367, 78, 103}, {261, 367, 78, 103}, {348, 367, 78, 103}, {174, 255, 78, 103},
                             {174, 142, 78, 103}, {348, 30, 78, 103}}},
      {1000, 700, false, 1, {{275, 50, 450, 600}}},
  };
  for (const Case& c : cases) {
    ThumbRig rig(c.width, c.height, c.v1500);
    Quirel_BaseScanMode::ThumbnailRects rects{};
    rig.mode.makeThumbnailRects(c.n, rects);
    const std::string what = std::to_string(c.n) + (c.v1500 ? " (1500+)" : "");
    if (c.n == 9) {  // the 5th listed slot is slot 8
      EXPECT_EQ(rects[3], c.slots[3]) << what;
      EXPECT_EQ(rects[8], c.slots[4]) << what;
      EXPECT_EQ(rects[0], c.slots[0]) << what;
      continue;
    }
    if (c.n == 12) {
      EXPECT_EQ(rects[0], c.slots[0]) << what;
      EXPECT_EQ(rects[1], c.slots[1]) << what;
      EXPECT_EQ(rects[2], c.slots[2]) << what;
      EXPECT_EQ(rects[3], c.slots[3]) << what;
      EXPECT_EQ(rects[6], c.slots[4]) << what;
      EXPECT_EQ(rects[11], c.slots[5]) << what;
      continue;
    }
    for (std::size_t k = 0; k < c.slots.size(); ++k) EXPECT_EQ(rects[k], c.slots[k]) << what << " slot " << k;
    for (std::size_t k = c.slots.size(); k < rects.size(); ++k) EXPECT_EQ(rects[k], fnd::Rect()) << what;
  }
}

TEST(BaseScanModeThumbnails, LayoutWritesNothingForNoneAndAtMostTwelveSlots) {
  ThumbRig rig;
  Quirel_BaseScanMode::ThumbnailRects none{};
  rig.mode.makeThumbnailRects(0, none);
  rig.mode.makeThumbnailRects(-3, none);
  for (const fnd::Rect& r : none) EXPECT_EQ(r, fnd::Rect());
  Quirel_BaseScanMode::ThumbnailRects twelve{}, fifteen{};
  rig.mode.makeThumbnailRects(12, twelve);
  rig.mode.makeThumbnailRects(15, fifteen);
  EXPECT_EQ(twelve, fifteen);
  EXPECT_EQ(rig.mode.makeThumbnailRect(11, 40), twelve[11]);
  EXPECT_EQ(rig.mode.makeThumbnailRect(12, 12), fnd::Rect());
}

TEST(BaseScanModeThumbnails, NewThumbnailsAreSelectedTheFirstFocusedAndCheckedAsTheViewSays) {
  for (int scanMode : {1, 3}) {
    ThumbRig rig(600, 500, false, scanMode);
    rig.film(3);
    ASSERT_EQ(rig.mode.mThumbnailList.size(), 3u);
    ASSERT_EQ(rig.mode.mCropList.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      Quirel_ThumbnailInfo& t = rig.at(i);
      EXPECT_TRUE(t.isSelected()) << i;
      EXPECT_EQ(t.isFocus(), i == 0) << i;
      EXPECT_EQ(t.isChecked(), scanMode == 1 || i == 0) << scanMode << " " << i;
      EXPECT_EQ(t.getCropInfo(), rig.mode.mCropList[static_cast<std::size_t>(i)]);
      auto* box = dynamic_cast<kit::Button*>(t.getCheckBox());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->title(), std::to_string(i + 1));
      EXPECT_EQ(box->buttonType(), kit::ButtonType::Switch);
      EXPECT_EQ(box->superview(), thumbTestFrame(t));
      EXPECT_EQ(thumbTestFrame(t)->superview(), rig.mode.mPreviewFrame->getFrameView());
    }
    // Placed in the three-thumbnail layout; the check box centred under the picture.
    EXPECT_EQ(thumbTestFrame(rig.at(1))->frame(), rig.mode.makeThumbnailRect(1, 3));
    const fnd::Rect box = dynamic_cast<kit::View*>(rig.at(1).getCheckBox())->frame();
    EXPECT_EQ(box, fnd::Rect(std::floor((rig.mode.makeThumbnailRect(1, 3).size.width - 40) * 0.5), 10, 40, 20));
  }
}

TEST(BaseScanModeThumbnails, FilmThumbnailsTurnByTheOneTurnTest) {
  ThumbRig rig(600, 500, false, 3);
  rig.mode.mTemplateCrop->setPaperSize(21);  // 35 mm strip: a portrait frame is turned
  rig.mode.mThumbnailCount = 2;
  rig.mode.createThumbnailWithIndex(0, std::nullopt, {{10, 20}, {300, 200}}, true);
  rig.mode.createThumbnailWithIndex(1, std::nullopt, {{10, 20}, {200, 300}}, true);
  EXPECT_EQ(rig.at(0).getRotation(), 0);
  EXPECT_EQ(rig.at(1).getRotation(), 1);
  EXPECT_DOUBLE_EQ(rig.at(1).getVisiblePreviewSize_Pixel96().width, 300);
  EXPECT_DOUBLE_EQ(rig.at(1).getCropInfo()->getInputWidth_Pixel96(), 300);
  EXPECT_TRUE(rig.at(1).isHidden());
}

TEST(BaseScanModeThumbnails, PreviewViewFitsItsFrameAboveTheCheckBox) {
  ThumbRig rig;
  rig.film(1);
  const auto* view = dynamic_cast<Quirel_ThumbnailPreviewView*>(rig.at(0).getPreviewView());
  ASSERT_NE(view, nullptr);
  // Frame 300 x 400; the picture 300 x 400 pixels fits 262.5 x 350.
  EXPECT_EQ(thumbTestFrame(rig.at(0))->frame(), fnd::Rect(150, 50, 300, 400));
  EXPECT_EQ(view->frame(), fnd::Rect(18, 40, 264, 350));
  EXPECT_EQ(rig.at(0).getPreviewViewSize(), (fnd::Size{264, 350}));
  ASSERT_TRUE(view->transform().has_value());
}

TEST(BaseScanModeThumbnails, ZoomStepsAroundAndClosesBackToTheGrid) {
  ThumbRig rig;
  rig.film(3);
  rig.mode.zoomThumbnail(2);
  EXPECT_TRUE(rig.mode.getZoomScan());
  EXPECT_TRUE(rig.at(2).isZoom());
  EXPECT_TRUE(rig.at(0).isHidden());
  EXPECT_FALSE(rig.mode.mNextThumbnailBtn->getNextBT()->isHidden());
  EXPECT_EQ(thumbTestFrame(rig.at(2))->frame(), rig.mode.makeThumbnailRect(0, 1));
  rig.mode.showNextThumbnail();  // next after the last opens thumbnail 0
  EXPECT_TRUE(rig.at(0).isZoom());
  EXPECT_FALSE(rig.at(0).isHidden());
  EXPECT_TRUE(rig.at(0).isFocus());
  EXPECT_TRUE(rig.at(2).isHidden());
  EXPECT_FALSE(rig.at(2).isZoom());
  rig.mode.showBackThumbnail();  // and back from 0 to the last
  EXPECT_TRUE(rig.at(2).isZoom());
  rig.mode.zoomThumbnail();  // the zoomed one closes
  EXPECT_FALSE(rig.mode.getZoomScan());
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(rig.at(i).isHidden());
  EXPECT_TRUE(rig.mode.mNextThumbnailBtn->getNextBT()->isHidden());
  EXPECT_EQ(thumbTestFrame(rig.at(2))->frame(), rig.mode.makeThumbnailRect(2, 3));
  // The step buttons sit either side of the frame's middle once the whole grid is placed.
  rig.mode.updateThumbnail();
  EXPECT_DOUBLE_EQ(rig.mode.mNextThumbnailBtn->getBackBTRect().origin.x, 260);
  EXPECT_DOUBLE_EQ(rig.mode.mNextThumbnailBtn->getNextBTRect().origin.x, 300);
  EXPECT_DOUBLE_EQ(rig.mode.mNextThumbnailBtn->getNextBTRect().origin.y, 4);
}

TEST(BaseScanModeThumbnails, ClickSelection) {
  ThumbRig rig;
  rig.film(3);
  rig.mode.mSelectAllThumbnail = false;
  rig.mode.setSelectedThumbnail(0, 1);
  EXPECT_TRUE(rig.at(1).isFocus());
  EXPECT_FALSE(rig.at(0).isSelected());
  EXPECT_FALSE(rig.at(2).isSelected());
  // Command-click on the only selected thumbnail: nothing can take the focus, it stays.
  rig.mode.setSelectedThumbnail(kit::kCommandKeyMask, 1);
  EXPECT_TRUE(rig.at(1).isSelected());
  EXPECT_TRUE(rig.at(1).isFocus());
  rig.mode.setSelectedThumbnail(kit::kCommandKeyMask, 2);
  EXPECT_TRUE(rig.at(1).isSelected());
  EXPECT_TRUE(rig.at(2).isFocus());
  EXPECT_FALSE(rig.at(1).isFocus());
  rig.mode.setSelectedThumbnail(kit::kCommandKeyMask, 2);  // the nearest selected one before takes over
  EXPECT_FALSE(rig.at(2).isSelected());
  EXPECT_TRUE(rig.at(1).isFocus());
  rig.mode.mSelectAllThumbnail = true;
  rig.mode.setSelectedThumbnail(0, 0);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(rig.at(i).isSelected());
  EXPECT_TRUE(rig.at(0).isFocus());
  EXPECT_FALSE(rig.at(1).isFocus());
}

TEST(BaseScanModeThumbnails, ARestoredThumbnailStaysHiddenUntilItsPictureArrives) {
  ThumbRig source;
  source.film(2);
  source.at(1).setRotation(1);
  std::vector<fnd::Dictionary> stored;
  for (int i = 0; i < 2; ++i) {
    fnd::Dictionary d = source.at(i).getDictionary();
    fnd::Dictionary crop = source.at(i).getCropInfo()->getDictionary();
    crop.set("HasView", i == 1);
    d.set("CropInfo", crop);
    stored.push_back(d);
  }
  ThumbRig rig;
  rig.mode.mThumbnailCount = 2;
  for (const fnd::Dictionary& d : stored) rig.mode.createThumbnailFromDictionary(d);
  ASSERT_EQ(rig.mode.mThumbnailList.size(), 2u);
  EXPECT_TRUE(rig.at(0).isHidden());
  EXPECT_TRUE(rig.at(1).isHidden());
  EXPECT_EQ(rig.at(1).getNo(), 1);
  EXPECT_EQ(rig.at(1).getRotation(), 1);
  ASSERT_TRUE(rig.at(1).hasCrop());
  EXPECT_EQ(dynamic_cast<kit::View*>(rig.at(1).getCropInfo()->getCropView())->superview(),
            dynamic_cast<kit::View*>(rig.at(1).getPreviewView()));
  EXPECT_FALSE(rig.at(0).hasCrop());
  rig.mode.setThumbnailImage(std::nullopt, 0);  // shown without a picture too
  EXPECT_FALSE(rig.at(0).isHidden());
  rig.at(1).setZoom(true);
  rig.mode.mZoomScan = true;
  rig.mode.setThumbnailImage(kit::Image::fromRGB(std::vector<std::uint8_t>(12, 9).data(), 2, 2), 0);
  EXPECT_TRUE(rig.at(0).isHidden());  // another one is zoomed
  EXPECT_TRUE(dynamic_cast<Quirel_ThumbnailPreviewView*>(rig.at(0).getPreviewView())->getImage().has_value());
  rig.mode.setThumbnailImage(nullptr);  // no model: nothing
}

TEST(BaseScanModeThumbnails, AHandedOverRecordIsSharedAndItsFrameMovesToOneView) {
  ThumbRig basic;
  basic.film(2);
  Quirel_ThumbnailInfo& t = basic.at(1);
  auto view = std::make_unique<Quirel_CropView>(fnd::Rect(1, 2, 3, 4));
  auto* previewOfBasic = dynamic_cast<kit::View*>(t.getPreviewView());
  previewOfBasic->addSubview(view.get());
  Quirel_CropView* frame = view.get();
  t.getCropInfo()->setCropView(std::move(view));
  t.saveThumbnailCrop();
  t.setMirror(true);

  ThumbRig advanced;
  advanced.mode.mThumbnailCount = 2;
  advanced.mode.createThumbnailsFromThumbnailInfos(&basic.mode.mThumbnailList);
  ASSERT_EQ(advanced.mode.mCropList.size(), 2u);
  EXPECT_EQ(advanced.mode.mCropList[1], basic.mode.mCropList[1]);  // the same record
  auto* previewOfAdvanced = dynamic_cast<kit::View*>(advanced.at(1).getPreviewView());
  EXPECT_EQ(frame->superview(), previewOfAdvanced);
  const auto& left = previewOfBasic->subviews();
  EXPECT_EQ(std::count(left.begin(), left.end(), frame), 0);
  EXPECT_TRUE(advanced.at(1).getMirror());
  EXPECT_EQ(advanced.at(1).getThumnailCrop(), t.getThumnailCrop());
  EXPECT_TRUE(advanced.at(0).isFocus());
  advanced.mode.removeThumbnails();
  EXPECT_TRUE(advanced.mode.mCropList.empty());
  EXPECT_EQ(advanced.mode.getThumbnailCount(), 0);
  EXPECT_EQ(basic.mode.mCropList[1]->getCropView(), frame);  // still alive with its other owner
}

TEST(BaseScanModeThumbnails, MirrorAndTurnsOfSelectedThumbnails) {
  ThumbRig rig(600, 500, true, 3);
  rig.mode.setScannerInfo(modes_test::scannerWith({{"Ver1300Later", true}}));
  rig.film(2);
  rig.at(1).setSelected(false);
  rig.mode.rotateToLeft();
  EXPECT_EQ(rig.at(0).getRotation(), 1);
  EXPECT_EQ(rig.at(1).getRotation(), 0);
  EXPECT_DOUBLE_EQ(rig.at(0).getVisiblePreviewSize_Pixel96().width, 400);
  rig.mode.mirrorImage();
  EXPECT_TRUE(rig.at(0).getMirror());
  rig.mode.rotateToLeft();  // mirrored: the index goes down
  EXPECT_EQ(rig.at(0).getRotation(), 0);
  EXPECT_EQ(rig.mode.getRotation(), 0);  // the preview's own turn is untouched
}

TEST(BaseScanModeThumbnails, AThumbnailsCropWithoutAFrameViewGetsOneOverItsPicture) {
  ThumbRig rig(600, 500, false, 3);
  rig.film(2);
  Quirel_CropInfo& crop = *rig.at(1).getCropInfo();
  ASSERT_FALSE(crop.getCropView());
  rig.mode.giveThumbnailCropAView(crop);
  auto* view = dynamic_cast<kit::View*>(crop.getCropView());
  ASSERT_TRUE(view);
  EXPECT_EQ(view->superview(), dynamic_cast<kit::View*>(rig.at(1).getPreviewView()));
  EXPECT_EQ(crop.getCropMode(), 2);
  // The crop as it was is kept beside it.
  EXPECT_NE(rig.at(1).getThumnailCrop(), rig.at(1).getCropInfo());
  // A crop that has its view keeps it; a crop of no thumbnail gets none.
  rig.mode.giveThumbnailCropAView(crop);
  EXPECT_EQ(dynamic_cast<kit::View*>(crop.getCropView()), view);
  Quirel_CropInfo loose;
  rig.mode.giveThumbnailCropAView(loose);
  EXPECT_FALSE(loose.getCropView());
}

TEST(BaseScanModeThumbnails, AThumbnailWithAFrameButNoSavedCropIsTurnedOnce) {
  ThumbRig rig(600, 500, false, 3);
  rig.mode.setScannerInfo(modes_test::scannerWith({{"Ver1300Later", true}}));
  rig.film(2);
  for (int i = 0; i < 2; ++i) {
    const auto& crop = rig.at(i).getCropInfo();
    auto view = std::make_unique<Quirel_CropView>(fnd::Rect());
    dynamic_cast<kit::View*>(rig.at(i).getPreviewView())->addSubview(view.get());
    crop->setCropView(std::move(view));
    crop->setInputRect_Pixel96({{10, 20}, {100, 50}});
  }
  rig.at(1).saveThumbnailCrop();
  const std::shared_ptr<Quirel_CropInfo> saved = rig.at(1).getThumnailCrop();
  ASSERT_NE(saved, rig.at(1).getCropInfo());
  saved->setVisiblePreviewSize_Pixel96({300, 400});
  saved->setInputRect_Pixel96({{10, 20}, {100, 50}});
  rig.mode.rotateToLeft();
  for (int i = 0; i < 2; ++i) {
    const SRectDouble r = rig.at(i).getCropInfo()->getInputRect_Pixel96();
    EXPECT_DOUBLE_EQ(r.origin.x, 400 - 70) << i;  // one quarter turn of (10, 20, 100, 50) in 300 x 400
    EXPECT_DOUBLE_EQ(r.origin.y, 10) << i;
    EXPECT_DOUBLE_EQ(r.size.width, 50) << i;
    EXPECT_EQ(rig.at(i).getRotation(), 1) << i;
  }
  EXPECT_DOUBLE_EQ(saved->getInputRect_Pixel96().origin.x, 400 - 70);
  rig.mode.mirrorImage();
  EXPECT_DOUBLE_EQ(rig.at(0).getCropInfo()->getInputRect_Pixel96().origin.x, 400 - (330 + 50));
}

TEST(BaseScanModeThumbnails, PlatenThumbnailsTakeTheFoundDocumentSizesAtThePlatenResolution) {
  ThumbRig rig(600, 500, false, 1);
  auto scanner = modes_test::scannerWith({});
  fnd::Dictionary init{{"Flatbed", fnd::Dictionary{{"PreviewResX", 150}}}};
  scanner->setInitSettingData(&init);
  rig.mode.setScannerInfo(scanner);
  rig.mode.setPlatenResolution(300);
  rig.film(2);
  rig.at(0).getCropInfo()->setcropCorRect({{5, 6}, {100, 200}});
  rig.at(1).getCropInfo()->setcropCorRect({{5, 6}, {40, 30}});
  rig.at(1).setRotation(1);
  rig.at(1).setMirror(true);
  rig.mode.setThumbnailRectFromCropCorRect();
  const auto& first = *rig.at(0).getCropInfo();
  EXPECT_DOUBLE_EQ(first.getInputWidth_Pixel96(), 200);
  EXPECT_DOUBLE_EQ(first.getInputHeight_Pixel96(), 400);
  EXPECT_DOUBLE_EQ(first.getOutputHeight_Pixel96(), 400);
  EXPECT_DOUBLE_EQ(first.getRatio().width, 200);
  EXPECT_DOUBLE_EQ(first.getPreviewSize_Pixel96().height, 3508);
  EXPECT_DOUBLE_EQ(rig.at(0).getVisiblePreviewSize_Pixel96().width, 200);
  // Without a size change the turn and the mirror are dropped.
  EXPECT_EQ(rig.at(1).getRotation(), 0);
  EXPECT_FALSE(rig.at(1).getMirror());
  // With one the turn is applied again, a quarter at a time; the mirror is not.
  rig.at(1).setRotation(1);
  rig.mode.mChangeThumbnailSize = true;
  rig.mode.setThumbnailRectFromCropCorRect();
  EXPECT_EQ(rig.at(1).getRotation(), 1);
  EXPECT_DOUBLE_EQ(rig.at(1).getVisiblePreviewSize_Pixel96().width, 60);
  EXPECT_DOUBLE_EQ(rig.at(1).getCropInfo()->getInputWidth_Pixel96(), 60);
  // Only the platen-thumbnail view does this.
  rig.mode.mScanMode = 3;
  rig.at(0).getCropInfo()->setcropCorRect({{0, 0}, {1, 1}});
  rig.mode.setThumbnailRectFromCropCorRect();
  EXPECT_DOUBLE_EQ(rig.at(0).getCropInfo()->getInputWidth_Pixel96(), 200);
}

TEST(BaseScanModeThumbnails, PicturesFromTheRealPreviewModelShowEveryThumbnail) {
  ThumbRig rig;
  Quirel_PreviewInfo model;
  rig.mode.mThumbnailCount = 2;
  rig.mode.createEmptyThumbnailWithIndex(0);
  rig.mode.createEmptyThumbnailWithIndex(1);
  ASSERT_TRUE(rig.at(1).isHidden());
  rig.mode.mThumbnailCount = 0;
  rig.mode.setThumbnailImage(&model);  // no thumbnails of this preview: nothing
  EXPECT_TRUE(rig.at(1).isHidden());
  rig.mode.mThumbnailCount = 2;
  rig.mode.setThumbnailImage(&model);  // the model has no pictures: shown empty
  EXPECT_FALSE(rig.at(0).isHidden());
  EXPECT_FALSE(rig.at(1).isHidden());
  EXPECT_FALSE(dynamic_cast<Quirel_ThumbnailPreviewView*>(rig.at(1).getPreviewView())->getImage().has_value());
}
