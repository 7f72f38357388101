#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "CropFixtures.h"
#include "CropViewDoubles.h"
#include "foundation/NotificationCenter.h"
#include "ui/model/CropInfo.h"

using cropfixtures::channels;
using cropfixtures::filledCrop;

namespace {

bool sameChannels(const ChannelValues& a, const ChannelValues& b) {
  return a.master == b.master && a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// Counts "resetRetainNumberPost" posts per sender while alive.
struct ResetWatcher {
  std::vector<const void*> senders;
  fnd::NotificationCenter::Token token = fnd::NotificationCenter::defaultCenter().observe(
      kResetRetainNumberPost, nullptr, [this](const fnd::Notification& n) { senders.push_back(n.sender); });
};

}  // namespace

TEST(CropInfo, Defaults) {
  const Quirel_CropInfo crop;
  EXPECT_EQ(crop.getColorMode(), 3);
  EXPECT_EQ(crop.getUnit(), 2);
  EXPECT_EQ(crop.getResolution(), 300);
  EXPECT_EQ(crop.getMagnification(), 100);
  EXPECT_EQ(crop.getExposureValue(), 100);
  EXPECT_EQ(crop.getExposureValueOfApplyToneValueToAll(), 100);
  EXPECT_EQ(crop.getThreshold(), 72);
  EXPECT_FALSE(crop.hasCropView());
  EXPECT_TRUE(crop.isHidden());
  const HistogramValues h = crop.getHistogram();
  EXPECT_TRUE(sameChannels(h.black, ChannelValues{0, 0, 0, 0}));
  EXPECT_TRUE(sameChannels(h.mid, ChannelValues{128, 128, 128, 128}));
  EXPECT_TRUE(sameChannels(h.white, ChannelValues{255, 255, 255, 255}));
  EXPECT_TRUE(sameChannels(h.gray, ChannelValues{128, 128, 128, 128}));
  const ToneCurveValues& t = crop.getToneCurve();
  for (int ch = 0; ch < 4; ++ch) {
    EXPECT_EQ(t.setPointCount[ch], 2);
    EXPECT_EQ(t.setPoint[ch][1].h, 255);
    EXPECT_EQ(t.setPoint[ch][1].v, 255);
    EXPECT_EQ(t.squarePoint[ch][1].h, 145);
    EXPECT_EQ(t.squarePoint[ch][1].v, 145);
    for (int i = 2; i < kCropToneCurvePoints; ++i) {
      EXPECT_EQ(t.setPoint[ch][i].h, 0);
      EXPECT_EQ(t.squarePoint[ch][i].v, 0);
    }
  }
}

TEST(CropInfo, DataSizeByColourMode) {
  struct Case {
    int colorMode;
    std::uint64_t bytes;
  };
  // 10 × 10 pixels: black and white rounds each row up to whole bytes, then truncates.
  const Case cases[] = {{0, 21}, {1, 100}, {2, 200}, {3, 300}, {5, 300}, {4, 600}, {6, 0}, {-1, 0}};
  for (const Case& c : cases) {
    Quirel_CropInfo crop;
    crop.setResolution(300);
    crop.setColorMode(c.colorMode);
    crop.setOutputSize_Pixel96(makeSSizeDouble(10, 10));
    EXPECT_EQ(crop.getDataSize(300), c.bytes) << "colour mode " << c.colorMode;
  }
  // Lengths counted at 9600 dpi, scanned at 300 dpi: 9600 × 4800 becomes 300 × 150.
  Quirel_CropInfo crop;
  crop.setOutputSize_Pixel96(makeSSizeDouble(9600, 4800));
  EXPECT_EQ(crop.getDataSize(9600), 300u * 3 * 150);
  // A frame dragged inside out gives no bytes rather than a wrapped count.
  crop.setOutputSize_Pixel96(makeSSizeDouble(-10, 10));
  EXPECT_EQ(crop.getDataSize(300), 0u);
}

TEST(CropInfo, ResetsKeepAChosenThreshold) {
  Quirel_CropInfo crop;
  crop.setThreshold(128);
  crop.initData_ColorSetting();
  EXPECT_EQ(crop.getThreshold(), 128);
  crop.setThreshold(0);
  crop.initData_ColorSetting();
  EXPECT_EQ(crop.getThreshold(), 72);

  auto filled = filledCrop(0);
  filled->initData_ColorSetting();
  EXPECT_EQ(filled->getThreshold(), 140);
  EXPECT_EQ(filled->getToneCurve().setPointCount[3], 2);
  EXPECT_EQ(filled->getColorBalance().cyanRed, 0);
  EXPECT_EQ(filled->getToneBC_Channel(), 0);
}

TEST(CropInfo, ImageSettingResetDropsLinkedCropsSilently) {
  ResetWatcher watcher;
  auto crop = filledCrop(0);
  crop->setBaseCropOfDataPersistence(filledCrop(1).get());
  crop->setBaseCropOfApplyToneValueToAll(filledCrop(2).get());
  crop->initData_ImageSetting();
  EXPECT_EQ(crop->getBaseCropOfDataPersistence(), nullptr);
  EXPECT_EQ(crop->getBaseCropOfApplyToneValueToAll(), nullptr);
  EXPECT_EQ(crop->getAutoDocCorrect(), 0);
  EXPECT_EQ(crop->getAutoPhotoCorrect(), 0);
  EXPECT_EQ(crop->getExposureValue(), 100);
  EXPECT_EQ(crop->getRetainNumber(), 0);
  EXPECT_TRUE(watcher.senders.empty());
  // Geometry and tone values stay.
  EXPECT_EQ(crop->getResolution(), 600);
  EXPECT_EQ(crop->getThreshold(), 140);
}

TEST(CropInfo, DroppingTheReferenceCropTellsThePreviewModel) {
  ResetWatcher watcher;
  {
    Quirel_CropInfo crop;
    crop.removeBaseCropOfDataPersistence();  // none: no post
    EXPECT_TRUE(watcher.senders.empty());
    crop.setBaseCropOfDataPersistence(nullptr);
    EXPECT_EQ(crop.getBaseCropOfDataPersistence(), nullptr);
    auto source = filledCrop(4);
    crop.setBaseCropOfDataPersistence(source.get());
    ASSERT_NE(crop.getBaseCropOfDataPersistence(), nullptr);
    EXPECT_EQ(crop.getBaseCropOfDataPersistence()->getResolution(), 604);
    crop.removeBaseCropOfDataPersistence();
    EXPECT_EQ(watcher.senders, std::vector<const void*>{&crop});
    EXPECT_EQ(crop.getBaseCropOfDataPersistence(), nullptr);
    crop.setBaseCropOfDataPersistence(source.get());
    watcher.senders.clear();
  }
  // Destruction drops it with the same notice.
  EXPECT_EQ(watcher.senders.size(), 1u);
}

TEST(CropInfo, CopyFromItselfOrNothingChangesNothing) {
  auto crop = filledCrop(3);
  const fnd::Dictionary before = crop->getDictionary();
  crop->copyCropInfo(crop.get());
  crop->copyCropInfo(nullptr);
  crop->copyCropInfoToThumbnailCrop(crop.get());
  EXPECT_EQ(crop->getDictionary(), before);
}

TEST(CropInfo, CopyTakesTheSettingsButNotTheFrameState) {
  auto source = filledCrop(2);
  source->setBaseCropOfApplyToneValueToAll(filledCrop(5).get());
  source->setBaseCropOfDataPersistence(filledCrop(6).get());
  Quirel_CropInfo target;
  const fnd::Dictionary fresh = target.getDictionary();
  target.copyCropInfo(source.get());

  const fnd::Dictionary s = source->getDictionary();
  const fnd::Dictionary t = target.getDictionary();
  const std::set<std::string> notCopied = {"Forcus", "Selected", "TempOutputSize", "MultiCrop", "CropViewRotation",
                                           "ReferenceCrop"};
  for (const std::string& key : s.keys()) {
    if (notCopied.count(key)) {
      EXPECT_EQ(t.get(key), fresh.get(key)) << key;
    } else {
      EXPECT_EQ(t.get(key), s.get(key)) << key;
    }
  }
  EXPECT_EQ(target.getAutoPhotoCorrect(), 0);
  // The base crop is a copy of its own, not the source's.
  ASSERT_NE(target.getBaseCropOfApplyToneValueToAll(), nullptr);
  EXPECT_NE(target.getBaseCropOfApplyToneValueToAll(), source->getBaseCropOfApplyToneValueToAll());

  // A source without a base crop drops the target's.
  target.copyCropInfo(filledCrop(0).get());
  EXPECT_EQ(target.getBaseCropOfApplyToneValueToAll(), nullptr);
}

TEST(CropInfo, CopyFromItsOwnBaseCropIsSafe) {
  // Copying from the crop's own base crop replaces that base crop by the source's: the source
  // must be read whole before it goes (the sanitizer run checks this).
  auto crop = filledCrop(0);
  auto withBase = filledCrop(1);
  withBase->setBaseCropOfApplyToneValueToAll(filledCrop(2).get());
  crop->setBaseCropOfApplyToneValueToAll(withBase.get());
  Quirel_CropInfo* base = crop->getBaseCropOfApplyToneValueToAll();
  ASSERT_NE(base->getBaseCropOfApplyToneValueToAll(), nullptr);
  crop->copyCropInfo(base);
  EXPECT_EQ(crop->getResolution(), 601);
  ASSERT_NE(crop->getBaseCropOfApplyToneValueToAll(), nullptr);
  EXPECT_EQ(crop->getBaseCropOfApplyToneValueToAll()->getResolution(), 602);

  Quirel_CropInfo* inner = crop->getBaseCropOfApplyToneValueToAll();
  inner->setBaseCropOfApplyToneValueToAll(filledCrop(3).get());
  inner->copyCropInfo(inner->getBaseCropOfApplyToneValueToAll());
  EXPECT_EQ(inner->getResolution(), 603);
  EXPECT_EQ(inner->getBaseCropOfApplyToneValueToAll(), nullptr);
}

TEST(CropInfo, SharedSettersForwardToTheThumbnailCrop) {
  using Setter = std::function<void(Quirel_CropInfo&)>;
  using Check = std::function<bool(const Quirel_CropInfo&)>;
  struct Case {
    const char* name;
    Setter set;
    Check check;
  };
  const Case forwarded[] = {
      {"select", [](auto& c) { c.setSelect(true); }, [](const auto& c) { return c.isSelected(); }},
      {"focus", [](auto& c) { c.setFocus(true); }, [](const auto& c) { return c.isFocus(); }},
      {"basic source", [](auto& c) { c.setImageSourceForStandard(9); },
       [](const auto& c) { return c.getImageSourceForStandard() == 9; }},
      {"source", [](auto& c) { c.setImageSource(2); }, [](const auto& c) { return c.getImageSource() == 2; }},
      {"colour mode", [](auto& c) { c.setColorMode(0); }, [](const auto& c) { return c.getColorMode() == 0; }},
      {"paper size", [](auto& c) { c.setPaperSize(17); }, [](const auto& c) { return c.getPaperSize() == 17; }},
      {"destination", [](auto& c) { c.setDestination(1); }, [](const auto& c) { return c.getDestination() == 1; }},
      {"view size", [](auto& c) { c.setPreviewViewSize({300, 200}); },
       [](const auto& c) { return c.getPreviewViewSize() == fnd::Size{300, 200}; }},
      {"preview size", [](auto& c) { c.setPreviewSize_Pixel96({800, 900}); },
       [](const auto& c) { return c.getPreviewSize_Pixel96().width == 800; }},
      {"visible size", [](auto& c) { c.setVisiblePreviewSize_Pixel96({80, 90}); },
       [](const auto& c) { return c.getVisiblePreviewSize_Pixel96().height == 90; }},
      {"rotation", [](auto& c) { c.setRotation(3); }, [](const auto& c) { return c.getRotation() == 3; }},
      {"mirror", [](auto& c) { c.setMirror(true); }, [](const auto& c) { return c.getMirror(); }},
  };
  for (const Case& k : forwarded) {
    Quirel_CropInfo crop;
    auto thumbnailCrop = std::make_shared<Quirel_CropInfo>();
    auto second = std::make_shared<Quirel_CropInfo>();
    thumbnailCrop->setThumbnailCrop(second);  // forwarding goes down the chain
    crop.setThumbnailCrop(thumbnailCrop);
    k.set(crop);
    EXPECT_TRUE(k.check(crop)) << k.name;
    EXPECT_TRUE(k.check(*thumbnailCrop)) << k.name;
    EXPECT_TRUE(k.check(*second)) << k.name;
  }

  // Everything else stays with the crop: fill one that has a thumbnail crop through all setters
  // and only the forwarded fields may differ from a fresh crop.
  auto crop = std::make_unique<Quirel_CropInfo>();
  auto thumbnailCrop = std::make_shared<Quirel_CropInfo>();
  crop->setThumbnailCrop(thumbnailCrop);
  cropfixtures::fill(*crop, 0);
  const fnd::Dictionary fresh = Quirel_CropInfo().getDictionary();
  const fnd::Dictionary got = thumbnailCrop->getDictionary();
  const std::set<std::string> forwardedKeys = {"Selected", "Forcus", "SimImageSource", "ImageSource", "ColorMode",
                                               "PaperSize", "Destination", "PreviewViewSize", "FullScaleSize",
                                               "PreviewRect", "Rotation", "Mirror"};
  for (const std::string& key : fresh.keys()) {
    if (!forwardedKeys.count(key)) {
      EXPECT_EQ(got.get(key), fresh.get(key)) << key;
    }
  }

  // A crop cannot forward to itself.
  auto self = std::make_shared<Quirel_CropInfo>();
  self->setThumbnailCrop(self);
  EXPECT_EQ(self->getThumbnailCrop(), nullptr);
  self->setRotation(2);
  crop->removeThumbnailCrop();
  EXPECT_EQ(crop->getThumbnailCrop(), nullptr);
}

TEST(CropInfo, ThumbnailCropTakesGeometryButDefaultCorrections) {
  auto source = filledCrop(1);
  source->setBaseCropOfApplyToneValueToAll(filledCrop(2).get());
  Quirel_CropInfo thumbnailCrop;
  thumbnailCrop.copyCropInfoToThumbnailCrop(source.get());
  EXPECT_EQ(thumbnailCrop.getInputRect_Pixel96().size.width, source->getInputRect_Pixel96().size.width);
  EXPECT_EQ(thumbnailCrop.getResolution(), 601);
  EXPECT_EQ(thumbnailCrop.getRotation(), source->getRotation());
  EXPECT_EQ(thumbnailCrop.getBaseCropOfApplyToneValueToAll(), nullptr);
  EXPECT_EQ(thumbnailCrop.getAutoDocCorrect(), 0);
  EXPECT_EQ(thumbnailCrop.getExposureValue(), 100);
  EXPECT_EQ(thumbnailCrop.getColorBalance().chroma, 0);
  EXPECT_EQ(thumbnailCrop.getToneCurve().setPointCount[0], 2);
  // The threshold is a colour setting that survives a reset once chosen.
  EXPECT_EQ(thumbnailCrop.getThreshold(), 141);
}

TEST(CropInfo, BuffersAreOwnedAndReplaced) {
  auto buffer = [](std::uint8_t fill) {
    CropImage data(static_cast<std::uint8_t*>(std::malloc(300)));
    std::memset(data.get(), fill, 300);
    return data;
  };
  auto crop = std::make_unique<Quirel_CropInfo>();
  crop->setcropCorData(buffer(1));
  crop->setcropCorData(buffer(2));  // the first one is freed here (the sanitizer run checks)
  EXPECT_EQ(crop->getcropCorData()[299], 2);
  crop->setcropBefData(buffer(3));
  crop->setCropHSLData(buffer(4));
  EXPECT_EQ(crop->getCropHSLData()[0], 4);
  crop->releaseCropHSLData();
  EXPECT_EQ(crop->getCropHSLData(), nullptr);
  crop->setcropBefData(nullptr);
  EXPECT_EQ(crop->getcropBefData(), nullptr);
  // Copies never take the buffers.
  Quirel_CropInfo copy;
  copy.copyCropInfo(crop.get());
  EXPECT_EQ(copy.getcropCorData(), nullptr);
  crop.reset();  // frees what is left
}

TEST(CropInfo, FrameViewAndSourceView) {
  viewdoubles::ViewLog log;
  {
    Quirel_CropInfo crop;
    crop.setCropViewRotation(30);
    crop.saveRect();
    EXPECT_EQ(crop.getSaveRect(), fnd::Rect());
    crop.setSrcView();  // nowhere to show one
    EXPECT_EQ(crop.getSrcView(), nullptr);

    crop.setCropView(std::make_unique<viewdoubles::FrameView>(log, "frame", fnd::Rect(10, 20, 30, 40), 2));
    EXPECT_TRUE(crop.hasCropView());
    auto* view = static_cast<viewdoubles::FrameView*>(crop.getCropView());
    crop.setCropViewRotation(45);
    EXPECT_EQ(view->rotation, 45);
    EXPECT_EQ(crop.getCropViewRotation(), 45);
    crop.setHidden(true);
    EXPECT_TRUE(crop.isHidden());
    crop.setHidden(false);
    EXPECT_FALSE(crop.isHidden());
    crop.saveRect();
    EXPECT_EQ(crop.getSaveRect(), fnd::Rect(10, 20, 30, 40));
    EXPECT_EQ(crop.getDictionary().integer("LineStyle"), 2);
    EXPECT_TRUE(crop.getDictionary().boolean("HasView"));

    crop.setSrcView();
    auto* source = static_cast<viewdoubles::FrameView*>(crop.getSrcView());
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->frame(), fnd::Rect(10, 20, 30, 40));
    EXPECT_EQ(source->getLineStyle(), 2);
    crop.setSrcView();  // replaces the first source view
    EXPECT_TRUE(log.has("frame.source1 removed"));
    EXPECT_TRUE(log.has("frame.source1 destroyed"));
    EXPECT_EQ(log.alive, 2);

    // Reading a dictionary turns the view to the stored angle.
    crop.setDictionary(fnd::Dictionary{{"CropViewRotation", 90.0}, {"PreviewStartPoint", fnd::Dictionary{}}});
    EXPECT_EQ(view->rotation, 90);
  }
  // Destruction stops the blinking and takes both views away.
  EXPECT_TRUE(log.has("frame timer off"));
  EXPECT_TRUE(log.has("frame removed"));
  EXPECT_TRUE(log.has("frame.source2 removed"));
  EXPECT_EQ(log.alive, 0);

  viewdoubles::ViewLog log2;
  Quirel_CropInfo crop;
  crop.setCropView(std::make_unique<viewdoubles::FrameView>(log2, "frame"));
  crop.removeCropView();
  EXPECT_FALSE(crop.hasCropView());
  EXPECT_EQ(log2.events, (std::vector<std::string>{"frame removed", "frame destroyed"}));
  EXPECT_FALSE(crop.getDictionary().boolean("HasView"));
}
