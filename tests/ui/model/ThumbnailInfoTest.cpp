#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CropFixtures.h"
#include "CropViewDoubles.h"
#include "ui/model/ThumbnailInfo.h"

namespace {

double px(double cm) { return cmToPixel(cm, 9600); }

std::shared_ptr<Quirel_CropInfo> sharedCrop(int n) {
  auto crop = std::make_shared<Quirel_CropInfo>();
  cropfixtures::fill(*crop, n);
  return crop;
}

}  // namespace

TEST(ThumbnailInfo, GettersAnswerTheCropsValuesWhileOneIsAttached) {
  Quirel_ThumbnailInfo thumb(3);
  EXPECT_EQ(thumb.getNo(), 3);
  thumb.setRotation(2);
  thumb.setMirror(true);
  thumb.setPreviewViewSize({100, 50});
  thumb.setVisiblePreviewSize_Pixel96({10, 20});
  thumb.setPreviewStartPoint_Pixel96({1, 2});
  EXPECT_EQ(thumb.getRotation(), 2);
  EXPECT_TRUE(thumb.getMirror());

  auto crop = std::make_shared<Quirel_CropInfo>();
  crop->setRotation(1);
  crop->setPreviewStartPoint_Pixel96({7, 8});
  thumb.setCropInfo(crop);
  EXPECT_EQ(thumb.getRotation(), 1);
  EXPECT_FALSE(thumb.getMirror());
  EXPECT_EQ(thumb.getPreviewViewSize(), fnd::Size{});
  EXPECT_EQ(thumb.getVisiblePreviewSize_Pixel96().width, 0);
  EXPECT_EQ(thumb.getPreviewStartPoint_Pixel96().x, 7);

  // Setters go to both; the written form keeps the thumbnail's own values.
  thumb.setRotation(3);
  thumb.setPreviewStartPoint_Pixel96({4, 5});
  EXPECT_EQ(crop->getRotation(), 3);
  EXPECT_EQ(crop->getPreviewStartPoint_Pixel96().y, 5);
  crop->setMirror(false);
  const fnd::Dictionary d = thumb.getDictionary();
  EXPECT_EQ(d.integer("Rotation"), 3);
  EXPECT_TRUE(d.boolean("Mirror"));
  EXPECT_EQ(d.get("PreviewViewSize"), fnd::Value(fnd::Dictionary{{"Width", 100.0}, {"Height", 50.0}}));
}

TEST(ThumbnailInfo, SelectionFocusAndChecksReachCropAndViews) {
  viewdoubles::ViewLog log;
  Quirel_ThumbnailInfo thumb;
  // Without views or crop nothing breaks.
  thumb.setFocus(true);
  thumb.setSelected(true);
  thumb.setWillSelected(true);
  EXPECT_FALSE(thumb.isWillSelected());
  EXPECT_FALSE(thumb.isHidden());
  thumb.setHidden(true);

  auto crop = std::make_shared<Quirel_CropInfo>();
  thumb.setCropInfo(crop);
  EXPECT_TRUE(crop->isSelected());  // takes the thumbnail's selection
  EXPECT_FALSE(thumb.hasCrop());    // no frame view on the crop
  crop->setCropView(std::make_unique<viewdoubles::FrameView>(log, "crop"));
  EXPECT_TRUE(thumb.hasCrop());

  auto frame = std::make_unique<viewdoubles::ThumbFrame>(log);
  auto* frameView = frame.get();
  thumb.setFrameView(std::move(frame));
  thumb.setPreviewView(std::make_unique<viewdoubles::ThumbPreview>(log));
  auto box = std::make_unique<viewdoubles::CheckBox>(log);
  auto* checkBox = box.get();
  thumb.setCheckBox(std::move(box));

  thumb.setFocus(false);
  thumb.setSelected(false);
  EXPECT_FALSE(crop->isFocus());
  EXPECT_FALSE(crop->isSelected());
  EXPECT_FALSE(frameView->focus);
  thumb.setSelected(true);
  EXPECT_TRUE(frameView->selected);
  thumb.setWillSelected(true);
  EXPECT_TRUE(thumb.isWillSelected());

  thumb.setChecked(true);
  EXPECT_EQ(checkBox->state(), 1);
  checkBox->click();  // the user unticks it
  EXPECT_FALSE(thumb.isChecked());
  checkBox->click();
  EXPECT_TRUE(thumb.isChecked());

  log.events.clear();
  thumb.setHidden(true);
  EXPECT_EQ(log.events, (std::vector<std::string>{"tracking removed", "frame hidden"}));
  EXPECT_TRUE(thumb.isHidden());
  thumb.setHidden(false);
  EXPECT_FALSE(thumb.isHidden());
}

TEST(ThumbnailInfo, ThumbnailCropNeedsACrop) {
  Quirel_ThumbnailInfo thumb;
  auto spare = std::make_shared<Quirel_CropInfo>();
  thumb.setThumbnailCrop(spare);
  thumb.saveThumbnailCrop();
  thumb.removeThumbnailCrop();
  EXPECT_EQ(thumb.getThumnailCrop(), nullptr);
  EXPECT_FALSE(thumb.getDictionary().contains("ThumbnailCrop"));

  auto crop = sharedCrop(1);
  thumb.setCropInfo(crop);
  EXPECT_EQ(thumb.getThumnailCrop(), crop);  // no thumbnail crop saved yet

  thumb.saveThumbnailCrop();
  auto saved = thumb.getThumnailCrop();
  ASSERT_NE(saved, crop);
  EXPECT_EQ(crop->getThumbnailCrop(), saved);
  EXPECT_EQ(saved->getResolution(), 601);      // geometry and output from the crop
  EXPECT_EQ(saved->getAutoDocCorrect(), 0);    // corrections start over
  thumb.saveThumbnailCrop();                   // refills the same one
  EXPECT_EQ(thumb.getThumnailCrop(), saved);
  crop->setColorMode(1);                       // the crop keeps it in step
  EXPECT_EQ(saved->getColorMode(), 1);
  const fnd::Dictionary d = thumb.getDictionary();
  EXPECT_TRUE(d.contains("CropInfo"));
  EXPECT_TRUE(d.contains("ThumbnailCrop"));

  // Handing over the one it already holds keeps it.
  thumb.setThumbnailCrop(saved);
  EXPECT_EQ(thumb.getThumnailCrop(), saved);
  thumb.setThumbnailCrop(spare);
  EXPECT_EQ(crop->getThumbnailCrop(), spare);
  thumb.removeThumbnailCrop();
  EXPECT_EQ(crop->getThumbnailCrop(), nullptr);
  EXPECT_EQ(thumb.getThumnailCrop(), crop);
}

TEST(ThumbnailInfo, DictionaryRoundTrip) {
  Quirel_ThumbnailInfo thumb(5);
  thumb.setFocus(true);
  thumb.setChecked(true);
  thumb.setRotation(3);
  thumb.setMirror(true);
  thumb.setZoom(true);
  thumb.setPreviewViewSize({320, 240});
  thumb.setVisiblePreviewSize_Pixel96({1000, 2000});
  thumb.setPreviewStartPoint_Pixel96({30, 40});
  const SPointDouble corners[4] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}};
  thumb.setMultiCropPoints(corners);
  const fnd::Dictionary d = thumb.getDictionary();
  EXPECT_EQ(d.keys(), (std::vector<std::string>{"Checked", "Focus", "McPoints", "Mirror", "No", "PreviewRect",
                                                "PreviewStartPoint", "PreviewViewSize", "Rotation", "Selected",
                                                "Zoom"}));
  EXPECT_EQ(d.get("PreviewRect"),
            fnd::Value(fnd::Dictionary{{"X", 0.0}, {"Y", 0.0}, {"Width", 1000.0}, {"Height", 2000.0}}));

  const Quirel_ThumbnailInfo back(d, makeSSizeDouble(99999, 99999));
  EXPECT_EQ(back.getDictionary(), d);
  SPointDouble got[4];
  back.getMultiCropPoints(got);
  EXPECT_EQ(got[3].y, 8);
}

TEST(ThumbnailInfo, OlderCentimetreForm) {
  struct Case {
    const char* what;
    int rotation;
    bool mirror;
    double x, y;  // expected start point, pixels
  };
  // Full size W × H = 1000 × 3000 pixels; visible size 100 × 200 pixels; stored start point
  // 200 × 300 pixels, all given in centimetres.
  const double W = 1000, H = 3000;
  const Case cases[] = {
      {"mirror", 0, true, 700, 300},
      {"plain", 0, false, 200, 300},
      {"rotation 1", 1, false, 300, 700},
      {"rotation 2", 2, false, 700, 2500},
      {"rotation 3", 3, false, 2500, 200},
  };
  auto cmOf = [](double pixels) { return pixels * 2.54 / 9600; };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fnd::Dictionary d{{"Rotation", c.rotation},
                            {"Mirror", c.mirror},
                            {"PreviewRect", fnd::Dictionary{{"X", cmOf(200)},
                                                            {"Y", cmOf(300)},
                                                            {"Width", cmOf(100)},
                                                            {"Height", cmOf(200)}}}};
    const Quirel_ThumbnailInfo thumb(d, makeSSizeDouble(W, H));
    EXPECT_NEAR(thumb.getPreviewStartPoint_Pixel96().x, c.x, 1e-9);
    EXPECT_NEAR(thumb.getPreviewStartPoint_Pixel96().y, c.y, 1e-9);
    EXPECT_NEAR(thumb.getVisiblePreviewSize_Pixel96().width, 100, 1e-9);
  }
  // Keys are read without a presence test; a missing "McPoints" leaves the corners at 0.
  const Quirel_ThumbnailInfo sparse(fnd::Dictionary{{"PreviewRect", fnd::Dictionary{{"X", 1.0}}}}, makeSSizeDouble(W, H));
  EXPECT_EQ(sparse.getNo(), 0);
  EXPECT_DOUBLE_EQ(sparse.getPreviewStartPoint_Pixel96().x, px(1));
  SPointDouble corners[4];
  sparse.getMultiCropPoints(corners);
  for (const SPointDouble& p : corners) {
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
  }
  // A short "McPoints" fills what it holds.
  const Quirel_ThumbnailInfo two(
      fnd::Dictionary{{"PreviewStartPoint", fnd::Dictionary{}},
                      {"McPoints", fnd::Array{fnd::Dictionary{{"X", 1.0}, {"Y", 2.0}}, fnd::Value(7)}}},
      makeSSizeDouble(W, H));
  two.getMultiCropPoints(corners);
  EXPECT_EQ(corners[0].y, 2);
  EXPECT_EQ(corners[1].x, 0);
}

TEST(ThumbnailInfo, DestructionReleasesViewsAndCrops) {
  viewdoubles::ViewLog log;
  auto crop = sharedCrop(0);
  std::weak_ptr<Quirel_CropInfo> saved;
  {
    Quirel_ThumbnailInfo thumb;
    thumb.setFrameView(std::make_unique<viewdoubles::ThumbFrame>(log));
    thumb.setPreviewView(std::make_unique<viewdoubles::ThumbPreview>(log));
    thumb.setCheckBox(std::make_unique<viewdoubles::CheckBox>(log));
    thumb.setCropInfo(crop);
    thumb.saveThumbnailCrop();
    saved = thumb.getThumnailCrop();
    EXPECT_EQ(log.alive, 3);
  }
  EXPECT_EQ(log.alive, 0);
  EXPECT_TRUE(log.has("frame removed"));
  EXPECT_TRUE(log.has("preview removed"));
  EXPECT_EQ(crop.use_count(), 1);
  // The crop still holds its thumbnail crop.
  EXPECT_FALSE(saved.expired());
  crop->removeThumbnailCrop();
  EXPECT_TRUE(saved.expired());
}
