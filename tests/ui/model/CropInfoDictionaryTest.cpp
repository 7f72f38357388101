#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CropFixtures.h"
#include "TestEnvironment.h"
#include "foundation/PropertyList.h"
#include "ui/model/CropInfo.h"

using cropfixtures::filledCrop;

namespace {

double px(double cm) { return cmToPixel(cm, 9600); }

fnd::Dictionary cm(double value) { return fnd::Dictionary{{"cm", value}, {"inch", 0.0}, {"pixel", 0.0}}; }

const std::vector<std::string> kAllKeys = {
    "AllExposure", "AllExposureBase", "AllExposureBaseCrop", "AllExposureBaseValue", "AutoDocCorrect", "AutoTone",
    "BLightCorrect", "BlackPt", "BookCorrect", "Brightness", "Chroma", "ColorMode", "Contrast", "CopyGamma",
    "CropViewRotation", "CyanRed", "Descreen", "Destination", "Exposure", "ExposureValue", "FadingCorrect",
    "FixesRatio", "Forcus", "FullScaleSize", "GrainCorrect", "GrayPt", "HasView", "HistChannel", "ImageAdjustment",
    "ImageSource", "InputH", "InputW", "InputX", "InputY", "LineStyle", "MagentaGreen", "Magnification", "MidPt",
    "Mirror", "MultiCrop", "OutputH", "OutputSize", "OutputW", "PaperSize", "PreviewRect", "PreviewStartPoint",
    "PreviewViewSize", "Ratio", "ReduceDust", "ReduceDustForFAU", "ReferenceCrop", "RemoveDust", "Resolution",
    "Rotation", "Selected", "SetPoint", "SetPointCount", "SimImageSource", "SquarePoint", "TempOutputSize",
    "Threshold", "ToneBCChannel", "ToneCurve", "ToneCurveChannel", "Unit", "UnsharpMask", "WhitePt", "YellowBlue",
    "cropCorRect", "retainNum"};

}  // namespace

TEST(CropInfoDictionary, AllSeventyKeysRoundTripThroughAFile) {
  auto crop = filledCrop(1);
  crop->setBaseCropOfApplyToneValueToAll(filledCrop(2).get());
  crop->setBaseCropOfDataPersistence(filledCrop(3).get());
  const fnd::Dictionary d = crop->getDictionary();
  ASSERT_EQ(kAllKeys.size(), 70u);
  EXPECT_EQ(d.keys(), kAllKeys);

  // Kinds as the stored files have them.
  EXPECT_TRUE(d.get("Forcus").isBool());
  EXPECT_TRUE(d.get("Exposure").isBool());
  EXPECT_TRUE(d.get("Resolution").isInteger());
  EXPECT_TRUE(d.get("CropViewRotation").isReal());
  EXPECT_EQ(d.get("InputW"), fnd::Value(fnd::Dictionary{{"cm", 0.0}, {"inch", 0.0}, {"pixel", 3001.0}}));
  EXPECT_EQ(d.get("PreviewRect")["x"], fnd::Value(0.0));
  ASSERT_EQ(d.array("SetPoint").size(), 4u);
  EXPECT_EQ(d.get("SetPoint")[3].toArray().size(), 15u);
  EXPECT_EQ(d.get("SquarePoint")[2][14], fnd::Value(fnd::Dictionary{{"SetPtH", 28}, {"SetPtV", 17}}));

  const std::string path = (testenv::freshFolder("crop") / "crop.xml").string();
  ASSERT_TRUE(fnd::PropertyList::writeFile(d, path));
  const auto read = fnd::PropertyList::readFile(path);
  ASSERT_TRUE(read.ok()) << read.error;
  const Quirel_CropInfo back(read.value->toDictionary());
  EXPECT_EQ(back.getDictionary(), d);
  ASSERT_NE(back.getBaseCropOfDataPersistence(), nullptr);
  EXPECT_EQ(back.getBaseCropOfDataPersistence()->getResolution(), 603);
  EXPECT_EQ(back.getBaseCropOfApplyToneValueToAll()->getResolution(), 602);
  // What is not stored comes back as its default.
  EXPECT_EQ(back.getAutoPhotoCorrect(), 0);
  EXPECT_EQ(back.getCropMode(), 0);
  EXPECT_EQ(back.getResizeMode(), 0);

  // A fresh crop writes no linked crops.
  EXPECT_EQ(Quirel_CropInfo().getDictionary().size(), 68u);
}

TEST(CropInfoDictionary, MissingKeysLeaveFieldsAlone) {
  auto crop = filledCrop(2);
  const fnd::Dictionary before = crop->getDictionary();
  // A current-form dictionary with nothing but its marker.
  crop->setDictionary(fnd::Dictionary{{"PreviewStartPoint", fnd::Dictionary{{"x", 1234.5 + 2}, {"y", 2345.25}}}});
  EXPECT_EQ(crop->getDictionary(), before);
  // Channel entries read all four sub-keys; a missing one is 0.
  crop->setDictionary(fnd::Dictionary{{"PreviewStartPoint", fnd::Dictionary{}}, {"Brightness", fnd::Dictionary{{"red", 9}}}});
  const ChannelValues b = crop->getToneBC().brightness;
  EXPECT_EQ((std::vector<int>{b.master, b.red, b.green, b.blue}), (std::vector<int>{0, 9, 0, 0}));
}

TEST(CropInfoDictionary, OlderCentimetreForm) {
  struct Case {
    const char* what;
    fnd::Dictionary dictionary;
    std::function<void(const Quirel_CropInfo&)> check;
  };
  const fnd::Dictionary full{{"width", 20.0}, {"height", 30.0}};
  const fnd::Dictionary rect{{"x", 2.0}, {"y", 3.0}, {"width", 4.0}, {"height", 5.0}};
  auto startIs = [](double x, double y) {
    return [x, y](const Quirel_CropInfo& c) {
      EXPECT_DOUBLE_EQ(c.getPreviewStartPoint_Pixel96().x, px(x));
      EXPECT_DOUBLE_EQ(c.getPreviewStartPoint_Pixel96().y, px(y));
      EXPECT_DOUBLE_EQ(c.getPreviewSize_Pixel96().width, px(20));
      EXPECT_DOUBLE_EQ(c.getPreviewSize_Pixel96().height, px(30));
      EXPECT_DOUBLE_EQ(c.getVisiblePreviewSize_Pixel96().width, px(4));
      EXPECT_DOUBLE_EQ(c.getVisiblePreviewSize_Pixel96().height, px(5));
    };
  };
  const Case cases[] = {
      {"input width of one inch", {{"InputW", cm(2.54)}, {"InputX", cm(1.27)}},
       [](const Quirel_CropInfo& c) {
         EXPECT_DOUBLE_EQ(c.getInputWidth_Pixel96(), 9600);
         EXPECT_DOUBLE_EQ(c.getInputX_Pixel96(), 4800);
       }},
      {"magnification from the sizes", {{"OutputSize", 1}, {"InputW", cm(10)}, {"OutputW", cm(5)}},
       [](const Quirel_CropInfo& c) {
         EXPECT_EQ(c.getMagnification(), 50);
         EXPECT_DOUBLE_EQ(c.getOutputWidth_Pixel96(), px(5));
       }},
      {"no output size keeps the magnification",
       {{"OutputSize", 0}, {"Magnification", 80}, {"InputW", cm(10)}, {"OutputW", cm(5)}},
       [](const Quirel_CropInfo& c) { EXPECT_EQ(c.getMagnification(), 80); }},
      {"zero input width", {{"OutputSize", 2}, {"InputW", cm(0)}, {"OutputW", cm(5)}},
       [](const Quirel_CropInfo& c) { EXPECT_EQ(c.getMagnification(), 0); }},
      {"rotation 1", {{"Rotation", 1}, {"FullScaleSize", full}, {"PreviewRect", rect}}, startIs(3, 14)},
      {"rotation 0", {{"FullScaleSize", full}, {"PreviewRect", rect}}, startIs(2, 3)},
      {"mirror", {{"Mirror", true}, {"FullScaleSize", full}, {"PreviewRect", rect}}, startIs(14, 3)},
      {"rotation 2", {{"Rotation", 2}, {"FullScaleSize", full}, {"PreviewRect", rect}}, startIs(14, 22)},
      {"rotation 3", {{"Rotation", 3}, {"FullScaleSize", full}, {"PreviewRect", rect}}, startIs(22, 2)},
      {"mirror and rotation 1", {{"Rotation", 1}, {"Mirror", true}, {"FullScaleSize", full}, {"PreviewRect", rect}},
       startIs(3, 2)},
      {"no preview rectangle", {{"FullScaleSize", full}},
       [](const Quirel_CropInfo& c) {
         EXPECT_DOUBLE_EQ(c.getPreviewSize_Pixel96().height, px(30));
         EXPECT_DOUBLE_EQ(c.getPreviewStartPoint_Pixel96().x, 0);
       }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    const Quirel_CropInfo crop(k.dictionary);
    k.check(crop);
  }
  // The current form takes the pixel values as they are.
  const Quirel_CropInfo current(fnd::Dictionary{{"PreviewStartPoint", fnd::Dictionary{{"x", 5.0}, {"y", 6.0}}},
                                                {"InputW", fnd::Dictionary{{"cm", 2.54}, {"pixel", 77.0}}},
                                                {"PreviewRect", rect}});
  EXPECT_DOUBLE_EQ(current.getInputWidth_Pixel96(), 77);
  EXPECT_DOUBLE_EQ(current.getPreviewStartPoint_Pixel96().x, 5);
  EXPECT_DOUBLE_EQ(current.getVisiblePreviewSize_Pixel96().width, 4);
}

TEST(CropInfoDictionary, ToneCurvePointsFromForeignFiles) {
  const fnd::Dictionary marker{{"x", 0.0}, {"y", 0.0}};
  // Counts beyond the 15 points a channel has are clamped; the tone builders walk that many.
  Quirel_CropInfo crop(fnd::Dictionary{
      {"PreviewStartPoint", marker},
      {"SetPointCount", fnd::Dictionary{{"master", 99}, {"red", -3}, {"green", 15}, {"blue", 4}}}});
  const ToneCurveValues& t = crop.getToneCurve();
  EXPECT_EQ((std::vector<int>{t.setPointCount[0], t.setPointCount[1], t.setPointCount[2], t.setPointCount[3]}),
            (std::vector<int>{15, 0, 15, 4}));

  // Short tables are read up to their end; long ones up to 4 × 15; the rest stays.
  fnd::Array longChannel;
  for (int i = 0; i < 20; ++i) longChannel.emplace_back(fnd::Dictionary{{"SetPtH", 100 + i}, {"SetPtV", i}});
  const fnd::Array shortTable = {
      fnd::Array{fnd::Dictionary{{"SetPtH", 10}, {"SetPtV", 20}}},
      fnd::Value("not a channel"),
      longChannel,
  };
  fnd::Array tooMany(6, fnd::Value(longChannel));
  crop.setDictionary(fnd::Dictionary{{"PreviewStartPoint", marker}, {"SetPoint", shortTable}, {"SquarePoint", tooMany}});
  const ToneCurveValues& u = crop.getToneCurve();
  EXPECT_EQ(u.setPoint[0][0].h, 10);
  EXPECT_EQ(u.setPoint[0][0].v, 20);
  EXPECT_EQ(u.setPoint[0][1].h, 255);  // default kept
  EXPECT_EQ(u.setPoint[1][1].v, 255);  // channel that was not an array: kept
  EXPECT_EQ(u.setPoint[2][14].h, 114);
  EXPECT_EQ(u.setPoint[3][1].h, 255);  // missing channel: kept
  EXPECT_EQ(u.squarePoint[3][14].h, 114);

  // Entirely wrong kinds change nothing and do not crash.
  const fnd::Dictionary before = crop.getDictionary();
  crop.setDictionary(fnd::Dictionary{{"PreviewStartPoint", marker}, {"SetPoint", 5}, {"SquarePoint", "x"}});
  EXPECT_EQ(crop.getDictionary(), before);

  // The setter keeps the counts in range too.
  ToneCurveValues v = crop.getToneCurve();
  v.setPointCount[0] = 1000;
  crop.setToneCurve(v);
  EXPECT_EQ(crop.getToneCurve().setPointCount[0], 15);
}

TEST(CropInfoDictionary, NestedCropsAreReplaced) {
  Quirel_CropInfo crop;
  fnd::Dictionary nested = filledCrop(4)->getDictionary();
  crop.setDictionary(fnd::Dictionary{{"PreviewStartPoint", fnd::Dictionary{}}, {"ReferenceCrop", nested}});
  ASSERT_NE(crop.getBaseCropOfDataPersistence(), nullptr);
  nested = filledCrop(5)->getDictionary();
  crop.setDictionary(fnd::Dictionary{{"PreviewStartPoint", fnd::Dictionary{}},
                                     {"ReferenceCrop", nested},
                                     {"AllExposureBaseCrop", nested}});
  EXPECT_EQ(crop.getBaseCropOfDataPersistence()->getResolution(), 605);
  EXPECT_EQ(crop.getBaseCropOfApplyToneValueToAll()->getResolution(), 605);
}
