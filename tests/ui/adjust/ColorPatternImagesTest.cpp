// The colour-pattern dialog's pictures: the base picture of the crop, its reduction and the
// nineteen balanced copies, by the real plug-ins or by the scan module's requests.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <set>

#include "ColorPatternTestSupport.h"
#include "ui/adjust/ColorPatternDlgWindow.h"
#include "ui/base/PostNotification.h"
#include "ui/model/ThumbnailInfo.h"
#include "ui/model/UIScannerInfo.h"

using namespace colorpattern_test;
using Dialog = Quirel_ColorPatternDialog;

namespace {

// What the dialog sends outward from its window controller, and how it is answered (not at all
// unless told).
class OutwardRequests {
 public:
  explicit OutwardRequests(const void* uim)
      : token_(fnd::NotificationCenter::defaultCenter().observe(
            Quirel_PostNotification::kOverrideNotification, uim, [this](const fnd::Notification& n) {
              const fnd::Dictionary* info = n.info();
              const std::string name = info ? info->string(Quirel_PostNotification::kOverrideNotificationName) : "";
              names.push_back(name);
              if (info) requests.push_back(*info);
              if (const auto slot = info ? info->get(Quirel_PostNotification::kSMResult).toObject<int>() : nullptr)
                answersFound.push_back(*slot);
              if (answer) answer(name, *n.info());
            })) {}
  std::vector<std::string> names;
  std::vector<fnd::Dictionary> requests;
  std::vector<int> answersFound;
  std::function<void(const std::string&, fnd::Dictionary&)> answer;

 private:
  fnd::NotificationCenter::Token token_;
};

class ColorPatternImagesTest : public testing::Test {
 protected:
  TextsAnswered texts;
  Quirel_UIScannerInfo scanner{fnd::Dictionary{{"Ver1500Later", true}}};
  int uim = 0;
};

const kit::Image& imageOf(const Dialog& d, int cell) { return *d.patternList()[std::size_t(cell)]->getImage(); }

}  // namespace

TEST_F(ColorPatternImagesTest, ThePlugInsShowTheReducedCropBalancedPerCell) {
  auto crop = cropWith(300, 200, quarterPicture(300, 200));
  Dialog d(crop, &scanner, 0);
  OutwardRequests outward(&uim);
  d.setTWAINObject(nullptr, &uim);
  const fnd::Dictionary plugins = realPlugInInfo();
  d.createDialog(&plugins);
  EXPECT_TRUE(outward.names.empty()) << "the plug-ins need no scan module";
  EXPECT_EQ(d.reducedWidth(), 100);
  EXPECT_EQ(d.reducedHeight(), 66);
  const std::vector<std::pair<fnd::Point, Rgb>> points{
      {{10, 10}, {255, 0, 0}}, {{90, 10}, {0, 255, 0}}, {{10, 56}, {0, 0, 255}}, {{90, 56}, {128, 128, 128}}};
  for (int cell = 0; cell < Dialog::kCellCount; ++cell) {
    SCOPED_TRACE(cell);
    ASSERT_TRUE(d.patternList()[std::size_t(cell)]->getImage());
    const kit::Image& image = imageOf(d, cell);
    EXPECT_EQ(image.pixelsWide(), 100);
    EXPECT_EQ(image.pixelsHigh(), 66);
    const ColorBalanceValues b = d.patternList()[std::size_t(cell)]->getColorBalance();
    for (const auto& [at, colour] : points) EXPECT_EQ(pixelOf(image, int(at.x), int(at.y)), shifted(colour, b));
  }
  // The neutral copy is the reduced crop itself; a shifted one differs where the shift shows.
  EXPECT_EQ(pixelOf(imageOf(d, 9), 90, 56), (Rgb{128, 128, 128}));
  EXPECT_EQ(pixelOf(imageOf(d, 14), 90, 56), (Rgb{141, 122, 122}));
}

TEST_F(ColorPatternImagesTest, SmallCropsStayAsTheyAreAndThinOnesKeepOnePixel) {
  struct Case {
    int w, h, rw, rh;
  };
  for (const Case& c : {Case{90, 60, 90, 60}, Case{1000, 5, 100, 1}, Case{5, 1000, 1, 100}, Case{100, 100, 100, 100}}) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
    const std::vector<std::uint8_t> picture = quarterPicture(c.w, c.h);
    auto crop = cropWith(c.w, c.h, picture);
    Dialog d(crop, &scanner, 0);
    const fnd::Dictionary plugins = realPlugInInfo();
    d.createDialog(&plugins);
    EXPECT_EQ(d.reducedWidth(), c.rw);
    EXPECT_EQ(d.reducedHeight(), c.rh);
    ASSERT_TRUE(d.patternList()[9]->getImage());
    EXPECT_EQ(imageOf(d, 9).pixelsWide(), c.rw);
    EXPECT_EQ(imageOf(d, 9).pixelsHigh(), c.rh);
    if (c.w == c.rw && c.h == c.rh) {
      EXPECT_EQ(bytesOf(imageOf(d, 9)), picture);
    }
  }
}

TEST_F(ColorPatternImagesTest, WithoutAnAnswerEveryCellIsTheCropNeverGarbage) {
  // Nobody relays the requests: every answer slot keeps the -1 it was posted with.
  for (const auto& [w, h] : {std::pair{90, 60}, std::pair{300, 200}}) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    const std::vector<std::uint8_t> picture = quarterPicture(w, h);
    auto crop = cropWith(w, h, picture);
    Dialog d(crop, &scanner, 0);
    OutwardRequests outward(&uim);
    d.setTWAINObject(nullptr, &uim);
    d.createDialog(nullptr);
    const bool reduces = w > 100;
    EXPECT_EQ(std::count(outward.names.begin(), outward.names.end(), "ResizeBitmap"), reduces ? 1 : 0);
    // One request per cell but the neutral one.
    EXPECT_EQ(std::count(outward.names.begin(), outward.names.end(), "ExecuteHSL"), Dialog::kCellCount - 1);
    for (int seen : outward.answersFound) EXPECT_EQ(seen, -1);
    EXPECT_EQ(d.reducedWidth(), w);
    for (int cell = 0; cell < Dialog::kCellCount; ++cell) {
      ASSERT_TRUE(d.patternList()[std::size_t(cell)]->getImage()) << cell;
      EXPECT_EQ(bytesOf(imageOf(d, cell)), picture) << cell;
    }
  }
}

TEST_F(ColorPatternImagesTest, RequestsCarryTheBuffersAndTheCellsBalances) {
  auto crop = cropWith(300, 200, quarterPicture(300, 200));
  Dialog d(crop, &scanner, 0);
  OutwardRequests outward(&uim);
  // Answers as a module would: the target painted in one colour, every HSL destination white.
  outward.answer = [](const std::string& name, fnd::Dictionary& info) {
    auto* dst = static_cast<std::uint8_t*>(info.get("dstBitmap").toPointer());
    if (name == "ResizeBitmap") {
      std::memset(dst, 40, std::size_t(info.intValue("dstWidth")) * std::size_t(info.intValue("dstHeight")) * 3);
    } else {
      std::memset(dst, 255, std::size_t(info.intValue("srcWidth")) * std::size_t(info.intValue("srcHeight")) * 3);
    }
    Quirel_PostNotification::setResult(&info, 0);
  };
  d.setTWAINObject(nullptr, &uim);
  d.createDialog(nullptr);
  ASSERT_EQ(outward.names.size(), std::size_t(Dialog::kCellCount));  // one resize, eighteen colour requests
  EXPECT_EQ(outward.names[0], "ResizeBitmap");
  const fnd::Dictionary& resize = outward.requests[0];
  EXPECT_EQ(resize.intValue("srcWidth"), 300);
  EXPECT_EQ(resize.intValue("srcHeight"), 200);
  EXPECT_EQ(resize.intValue("dstWidth"), 100);
  EXPECT_EQ(resize.intValue("dstHeight"), 66);
  EXPECT_TRUE(resize.get("srcBitmap").isPointer());
  EXPECT_TRUE(resize.get("dstBitmap").isPointer());
  std::set<std::vector<int>> balances;
  for (std::size_t i = 1; i < outward.requests.size(); ++i) {
    const fnd::Dictionary& r = outward.requests[i];
    EXPECT_EQ(outward.names[i], "ExecuteHSL");
    EXPECT_EQ(r.intValue("srcWidth"), 100);
    EXPECT_EQ(r.intValue("srcHeight"), 66);
    EXPECT_EQ(r.intValue("Saturation"), 0);
    EXPECT_NE(r.get("srcBitmap").toPointer(), r.get("dstBitmap").toPointer());
    balances.insert({r.intValue("CyanRed"), r.intValue("MagentaGreen"), r.intValue("YellowBlue")});
  }
  EXPECT_EQ(balances.size(), std::size_t(Dialog::kCellCount - 1));
  EXPECT_EQ(balances.count({0, 0, 0}), 0u);
  EXPECT_EQ(pixelOf(imageOf(d, 9), 50, 30), (Rgb{40, 40, 40}));
  EXPECT_EQ(pixelOf(imageOf(d, 14), 50, 30), (Rgb{255, 255, 255}));
}

TEST_F(ColorPatternImagesTest, ANonNeutralBasePreparesTheTrialPictureAndReleasesIt) {
  const std::vector<std::uint8_t> corrected = quarterPicture(90, 60);
  const std::vector<std::uint8_t> trial(90 * 60 * 3, 77);
  auto crop = cropWith(90, 60, corrected, {12, 5, -10, 5});
  auto thumbnail = std::make_shared<Quirel_ThumbnailInfo>(0);
  thumbnail->setCropInfo(crop);
  struct Case {
    bool thumbnailMode;
    int scanMode;
  };
  for (const Case& c : {Case{false, 1}, Case{false, 0}, Case{true, 3}}) {
    SCOPED_TRACE(testing::Message() << c.thumbnailMode << " " << c.scanMode);
    std::vector<fnd::Dictionary> prepared;
    std::vector<const void*> senders;
    fnd::NotificationCenter::Token model = fnd::NotificationCenter::defaultCenter().observe(
        Dialog::kHSLPrepareNotification, nullptr, [&](const fnd::Notification& n) {
          prepared.push_back(*n.info());
          senders.push_back(n.sender);
          crop->setCropHSLData(cropImageOf(trial));
        });
    std::unique_ptr<Dialog> d = c.thumbnailMode ? std::make_unique<Dialog>(thumbnail, &scanner, c.scanMode)
                                                : std::make_unique<Dialog>(crop, &scanner, c.scanMode);
    d->createDialog(nullptr);
    ASSERT_EQ(prepared.size(), 1u);
    EXPECT_EQ(senders[0], static_cast<const void*>(d.get()));
    const fnd::Dictionary& info = prepared[0];
    EXPECT_EQ(info.keys(), (std::vector<std::string>{"ImageSetTarget", "Mode", "PlatenThumbnailMode", "ThumbnailMode"}));
    EXPECT_EQ(info.intValue("Mode"), 0);
    EXPECT_EQ(info.get("ThumbnailMode").toBool(), c.thumbnailMode);
    EXPECT_EQ(info.get("PlatenThumbnailMode").toBool(), c.scanMode == 1);
    if (c.thumbnailMode) {
      EXPECT_EQ(info.get("ImageSetTarget").toObject<Quirel_ThumbnailInfo>(), thumbnail);
    } else {
      EXPECT_EQ(info.get("ImageSetTarget").toObject<Quirel_CropInfo>(), crop);
    }
    EXPECT_EQ(crop->getCropHSLData(), nullptr) << "released after the copy";
    // The copies come from the trial picture, not the corrected one.
    EXPECT_EQ(bytesOf(imageOf(*d, 9)), trial);
  }
}

TEST_F(ColorPatternImagesTest, EachCellTakesTheCropsRotationInDegreesAndItsMirror) {
  struct Case {
    int rotation, degrees;
    bool mirror;
  };
  for (const Case& c : {Case{0, 0, false}, Case{1, 90, true}, Case{2, 180, false}, Case{3, 270, true}, Case{4, 0, true},
                        Case{-1, 0, false}}) {
    SCOPED_TRACE(c.rotation);
    auto crop = cropWith(90, 60, quarterPicture(90, 60));
    crop->setRotation(c.rotation);
    crop->setMirror(c.mirror);
    Dialog d(crop, &scanner, 0);
    const fnd::Dictionary plugins = realPlugInInfo();
    d.createDialog(&plugins);
    for (const auto& cell : d.patternList()) {
      EXPECT_EQ(cell->getRotation(), c.degrees);
      EXPECT_EQ(cell->getMirror(), c.mirror);
    }
  }
}

TEST_F(ColorPatternImagesTest, NoCropOrNoPictureMakesNoCopies) {
  Dialog none;
  none.createDialog(nullptr);
  EXPECT_EQ(none.patternList().size(), std::size_t(Dialog::kCellCount));
  auto empty = std::make_shared<Quirel_CropInfo>();
  empty->setcropCorRect(makeSRectDouble(0, 0, 50, 50));  // a rectangle but no picture
  Dialog noPicture(empty, &scanner, 0);
  const fnd::Dictionary plugins = realPlugInInfo();
  noPicture.createDialog(&plugins);
  for (const Dialog* d : {&none, &noPicture})
    for (const auto& cell : d->patternList()) EXPECT_FALSE(cell->getImage());
  // A plug-in description naming nothing loadable: no copies either, and nothing breaks.
  auto crop = cropWith(90, 60, quarterPicture(90, 60));
  Dialog broken(crop, &scanner, 0);
  const fnd::Dictionary nothing{{"HSL", fnd::Dictionary{{"Plugin", "Missing.plugin"}}}};
  broken.createDialog(&nothing);
  for (const auto& cell : broken.patternList()) EXPECT_FALSE(cell->getImage());
}

TEST_F(ColorPatternImagesTest, WritesAPictureOfTheNineteenCells) {
  auto crop = cropWith(240, 160, colourTestPicture(240, 160), {0, 5, -10, 5});
  fnd::NotificationCenter::Token model = fnd::NotificationCenter::defaultCenter().observe(
      Dialog::kHSLPrepareNotification, nullptr,
      [&](const fnd::Notification&) { crop->setCropHSLData(cropImageOf(colourTestPicture(240, 160))); });
  Dialog d(crop, &scanner, 0);
  const fnd::Dictionary plugins = realPlugInInfo();
  d.createDialog(&plugins);
  const std::filesystem::path png = std::filesystem::current_path() / "adjust-colorpattern.png";
  std::filesystem::remove(png);
  bool written = false;
  patternApp().onNextModalWindow([&](kit::Window& w) {
    clickView(*d.colorButton(Dialog::kButtonR));
    w.displayIfNeeded();
    written = w.grabToPng(png.string());
    pressKey(w, kit::keys::kEscape);
  });
  EXPECT_EQ(d.showDialog(nullptr), 0);
  EXPECT_TRUE(written);
  EXPECT_TRUE(std::filesystem::exists(png));
  std::cout << "colour pattern: " << png.string() << "\n";
}
